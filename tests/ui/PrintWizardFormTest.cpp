#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>
#include <optional>

#include "core/print/PrintWizard.h"
#include "core/services/Messages.h"
#include "tests/core/FakePlatform.h"
#include "ui/print/PrintWizardForm.h"

namespace tessary {
namespace {

class ScriptedLayout : public PrintLayoutSource {
public:
    std::string PrinterName() const override { return "Office Laser"; }
    WizardLayout Layout(std::int16_t, float, float) override { return layout; }
    std::int16_t MaxPatternsPerPage(float spacingTwips, float, float, float, float) override {
        spacings.push_back(spacingTwips);
        return maxPerPage;
    }

    WizardLayout layout{true, 6, 2, 3, 10080, 13680};
    std::int16_t maxPerPage = 4;
    std::vector<float> spacings;
};

const WizardLayout kOnePage{true, 1, 1, 1, 11520, 14400};

class PrintWizardFormTest : public testing::Test {
protected:
    // Shown and active as the print command shows it, so shortcuts work.
    PrintWizardForm& Open() {
        form_.reset();
        model_.emplace(layout_, t.settings, t.messages);
        model_->SetPrintOrientation(1);
        model_->SetPatternWidth(4320);
        model_->SetPatternHeight(2880);
        form_ = std::make_unique<PrintWizardForm>(*model_);
        form_->show();
        form_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        return *form_;
    }

    template <class Widget = QLabel>
    Widget* Child(const QString& name) const {
        auto* widget = form_->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    QString Text(const QString& label) const { return Child(label)->text(); }
    // Types over the whole entry of a box, which takes the focus.
    QLineEdit* Retype(const char* name, const char* keys) {
        auto* box = Child<QLineEdit>(name);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, keys);
        return box;
    }

    void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2)); }
    void ClickStep(int step) { Click(Child(QStringLiteral("PageLabel%1").arg(step))); }
    // A button's mnemonic pushes it down and clicks it once the press has
    // been seen.
    void Alt(Qt::Key key) {
        const char* name = key == Qt::Key_B ? "cmdNav2" : key == Qt::Key_N ? "cmdNav3" : "cmdNav4";
        auto* button = Child<QPushButton>(name);
        QTest::keyClick(form_.get(), key, Qt::AltModifier);
        if (!button->isDown()) return;  // disabled: the mnemonic does nothing
        EXPECT_TRUE(QTest::qWaitFor([button] { return !button->isDown(); })) << name;
    }

    QColor CaptionColour(int step) const {
        return Child(QStringLiteral("PageLabel%1").arg(step))->palette().color(QPalette::WindowText);
    }

    // The frame in sight.
    QString Frame() const {
        for (int step = 0; step < kFinishStep; ++step) {
            QWidget* frame = Child<QWidget>(QStringLiteral("fraStep%1").arg(step));
            if (frame->isVisible()) return frame->objectName();
        }
        return {};
    }

    struct Fakes {
        test::FakeSettings settings;
        test::FakePresenter presenter;
        Messages messages{presenter};
    } t;
    ScriptedLayout layout_;
    std::optional<PrintWizardModel> model_;
    std::unique_ptr<PrintWizardForm> form_;
};

TEST_F(PrintWizardFormTest, OpensAtStartShowingTheModel) {
    PrintWizardForm& form = Open();
    EXPECT_EQ(form.windowTitle(), "Pattern Print Wizard - Start");
    EXPECT_EQ(Frame(), "fraStep0");
    EXPECT_TRUE(Child<QRadioButton>("OptOrientation0")->isChecked());
    EXPECT_EQ(Text("PptrLabel0"), "Printer:  Office Laser");
    EXPECT_EQ(Text("PptrLabel1"), "Orientation:  Portrait");
    EXPECT_EQ(Text("LabelPages0"), " Pages:  6      Rows:  2      Columns:  3");
    EXPECT_EQ(Text("LabelPages1"), Text("LabelPages0"));
    for (int line = 1; line <= kSummaryLines; ++line) {
        EXPECT_EQ(Text(QStringLiteral("POptLabel%1").arg(line)).toStdString(), model_->Summary(line));
    }
    EXPECT_TRUE(Child<QRadioButton>("DrawModeOption0")->isChecked() && Child<QCheckBox>("CheckCutLines")->isChecked());
    EXPECT_TRUE(Child<QLineEdit>("DuplicateMarginText")->text() == "0.2" && Text("UnitsLabel") == "Inches");
    EXPECT_TRUE(Child<QComboBox>("CircleDegrees")->currentText() == "5" &&
                Child<QLineEdit>("CopiesText")->text() == "1");
    EXPECT_FALSE(Child<QComboBox>("SelRow")->isEnabled() || Child<QComboBox>("SelCol")->isEnabled());
    for (const auto& [name, caption, enabled] : {std::tuple{"cmdNav1", "Cancel", true}, {"cmdNav2", "< &Back", false},
                                                 {"cmdNav3", "&Next >", true}, {"cmdNav4", "&Print", true}}) {
        auto* button = Child<QPushButton>(name);
        EXPECT_TRUE(button->text() == caption && button->isEnabled() == enabled) << name;
    }
    EXPECT_EQ(CaptionColour(kStartStep), QColor(Qt::white));
    EXPECT_EQ(CaptionColour(kPaperSaverStep), PrintWizardForm::Swatch(MarkerColour::Disabled));
    EXPECT_EQ(Child<QWidget>("PageMarker0")->palette().color(QPalette::WindowText),
              PrintWizardForm::Swatch(MarkerColour::Current));
}

TEST_F(PrintWizardFormTest, AOnePagePatternIsWalkedWithoutPageAndCircles) {
    layout_.layout = kOnePage;
    PrintWizardForm& form = Open();
    Alt(Qt::Key_N);
    EXPECT_EQ(form.windowTitle(), "Pattern Print Wizard - Draw Mode");
    EXPECT_EQ(Frame(), "fraStep2");
    EXPECT_EQ(CaptionColour(kStartStep), PrintWizardForm::Swatch(MarkerColour::Left));

    ClickStep(kCirclesStep);  // disabled: nothing happens
    EXPECT_EQ(Frame(), "fraStep2");
    ClickStep(kMirrorStep);
    EXPECT_EQ(Frame(), "fraStep6");
    Alt(Qt::Key_N);
    EXPECT_EQ(form.windowTitle(), "Pattern Print Wizard - Finish");
    EXPECT_EQ(Frame(), "fraStep0");
    EXPECT_FALSE(Child<QPushButton>("cmdNav3")->isEnabled());
    Alt(Qt::Key_B);
    EXPECT_EQ(Frame(), "fraStep6");
}

TEST_F(PrintWizardFormTest, ASinglePageOfAGridIsChosenByKeyboard) {
    Open();
    Alt(Qt::Key_N);
    EXPECT_EQ(Frame(), "fraStep1");
    Click(Child<QRadioButton>("PrintOption1"));
    auto* rows = Child<QComboBox>("SelRow");
    ASSERT_TRUE(rows->isEnabled());
    EXPECT_EQ(Child<QComboBox>("SelCol")->count(), 3);
    rows->setFocus();
    QTest::keyClick(rows, Qt::Key_Down);
    EXPECT_EQ(model_->PrintPageRow(), 2);
    EXPECT_FALSE(model_->PrintAllPages());
    ClickStep(kFinishStep);
    EXPECT_EQ(Text("POptLabel1"), "Print Page: Row 2, Column 1");
}

// Bitmap pages keep their cut lines and aids; the check boxes of the aids
// set the model's choices.
TEST_F(PrintWizardFormTest, BitmapModeTakesAwayThePaperSaverOnly) {
    layout_.layout = kOnePage;
    Open();
    ClickStep(kPaperSaverStep);
    auto* perPage = Child<QComboBox>("DuplicateCount");
    ASSERT_EQ(perPage->count(), 4);
    perPage->setCurrentIndex(3);
    EXPECT_EQ(model_->PatternsPerPage(), 4);

    ClickStep(kDrawModeStep);
    auto* vector = Child<QRadioButton>("DrawModeOption0");
    vector->setFocus();
    QTest::keyClick(vector, Qt::Key_Down);
    EXPECT_TRUE(Child<QRadioButton>("DrawModeOption1")->isChecked());
    EXPECT_TRUE(model_->PrintBitmapImage());
    EXPECT_TRUE(Child<QCheckBox>("CheckCutLines")->isChecked());
    EXPECT_EQ(perPage->currentIndex(), 0);
    EXPECT_EQ(CaptionColour(kPaperSaverStep), PrintWizardForm::Swatch(MarkerColour::Disabled));
    Alt(Qt::Key_N);
    EXPECT_EQ(Frame(), "fraStep3");
    for (const char* name : {"CheckLabels", "CheckMarks", "CheckTestSquare"}) {
        auto* box = Child<QCheckBox>(name);
        EXPECT_TRUE(box->isChecked()) << name;
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    }
    EXPECT_FALSE(model_->PrintLabels() || model_->PrintMarks() || model_->PrintTestSquare());
    auto* map = Child<QCheckBox>("CheckMap");
    EXPECT_FALSE(map->isChecked());
    QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(4, map->height() / 2));
    Child<QComboBox>("OverlapList")->setCurrentIndex(12);
    EXPECT_TRUE(model_->PrintMap() && model_->OverlapMillimetres() == 12);
    Alt(Qt::Key_N);
    EXPECT_EQ(Frame(), "fraStep5");
}

TEST_F(PrintWizardFormTest, LeavingANewSpacingRecountsTheCopiesPerPage) {
    layout_.layout = kOnePage;
    Open();
    ClickStep(kPaperSaverStep);
    Click(Child<QCheckBox>("AlwaysDuplicate"));
    QLineEdit* spacing = Retype("DuplicateMarginText", "a0.5.");  // letters and a second point never arrive
    EXPECT_EQ(spacing->text(), "0.5");
    layout_.maxPerPage = 3;
    QTest::keyClick(spacing, Qt::Key_Tab);
    EXPECT_FLOAT_EQ(layout_.spacings.back(), 720.0f);
    auto* perPage = Child<QComboBox>("DuplicateCount");
    EXPECT_EQ(perPage->count(), 3);
    EXPECT_EQ(perPage->currentText(), "3");
}

TEST_F(PrintWizardFormTest, PrintStoresTheChoicesAndCancelDoesNot) {
    PrintWizardForm& cancelled = Open();
    Click(Child<QCheckBox>("CollateCheck"));
    QTest::keyClick(&cancelled, Qt::Key_Escape);
    EXPECT_FALSE(cancelled.isVisible());
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_TRUE(model_->DidCancel());
    EXPECT_TRUE(t.settings.writes.empty());

    PrintWizardForm& printed = Open();
    ClickStep(kMirrorStep);
    auto* mirror = Child<QCheckBox>("CheckMirrorImage");
    mirror->setFocus();
    QTest::keyClick(mirror, Qt::Key_Space);
    Alt(Qt::Key_P);
    EXPECT_FALSE(printed.isVisible());
    EXPECT_EQ(printed.result(), QDialog::Accepted);
    EXPECT_FALSE(model_->DidCancel());
    EXPECT_EQ(t.settings.values["PrintWizard/Mirror"], "1");
    EXPECT_EQ(t.settings.values["PrintWizard/Collate"], "0");
}

TEST_F(PrintWizardFormTest, CopiesThatAreNoNumberKeepTheWizardOpen) {
    PrintWizardForm& form = Open();
    ClickStep(kCopiesStep);
    QLineEdit* copies = Retype("CopiesText", "two");
    ClickStep(kFinishStep);
    Alt(Qt::Key_P);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(Frame(), "fraStep5");
    EXPECT_EQ(t.presenter.shown.size(), 1u);

    copies->setFocus();
    QTest::keyClick(copies, Qt::Key_Up);
    QTest::keyClick(copies, Qt::Key_Up);
    EXPECT_EQ(copies->text(), "2");
    Click(Child<QWidget>("CopiesDown"));
    EXPECT_EQ(copies->text(), "1");
    Alt(Qt::Key_P);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(model_->Copies(), 1);
}

TEST_F(PrintWizardFormTest, NothingPrintableClosesAtOnceAsCancelled) {
    layout_.layout = {false, 0, 1, 1, -720, 13680};
    model_.emplace(layout_, t.settings, t.messages);
    PrintWizardForm form(*model_);
    form.show();
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_TRUE(model_->DidCancel());
}

}  // namespace
}  // namespace tessary
