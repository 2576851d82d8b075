#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "tests/core/FakePlatform.h"
#include "ui/files/DimensionForm.h"
#include "ui/platform/QtCommandDialogs.h"

namespace tessary {
namespace {

class DimensionFormTest : public testing::Test {
protected:
    // The dialog shown and active, so that focus moves and shortcuts work.
    DimensionForm& Open(test::TestSession& session) {
        form_ = std::make_unique<DimensionForm>(*session, dialogs_, nullptr);
        form_->show();
        form_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        return *form_;
    }

    template <class Widget = QLineEdit>
    Widget* Child(const char* name) const {
        auto* widget = form_->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Types over the whole entry of a box that has the focus.
    QLineEdit* Retype(const char* name, const char* keys) {
        QLineEdit* box = Child(name);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QString::fromLatin1(keys));
        return box;
    }

    test::TestSession t;
    QtCommandDialogs dialogs_;
    std::unique_ptr<DimensionForm> form_;
};

TEST_F(DimensionFormTest, EnterOrTabTakesTheEntryWithThePicturesAspect) {
    t->options.AspectLocked = true;
    t.settings.values["PatternSetup/StartTab"] = "1";
    DimensionForm& form = Open(t);
    EXPECT_EQ(form.windowTitle(), "Pattern Options - Tessary");
    EXPECT_EQ(form.findChild<QTabWidget*>()->currentIndex(), 1);
    auto* aspect = Child<QCheckBox>("AspectCheck");
    EXPECT_TRUE(aspect->checkState() == Qt::PartiallyChecked && !aspect->isEnabled());

    QTest::keyClick(Retype("Dimension0", "17"), Qt::Key_Return);
    EXPECT_EQ(Child("Dimension1")->text(), "22");
    EXPECT_TRUE(form.isVisible());  // Enter ended the entry, not the dialog
    // Tab skips the grey aspect box.
    Retype("Dimension0", "4.25");
    for (const char* next : {"Dimension1", "MarginSize0", "MarginSize1"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Child(next));
    }
    EXPECT_EQ(Child("Dimension1")->text(), "5.5");
}

TEST_F(DimensionFormTest, RefusedKeysNeverReachTheBox) {
    const struct { int tab; const char* box; const char* keys; const char* text; } cases[] = {
        {3, "textBitmapSize1", ".7", "3887"},
        {2, "textPrinterPenSize", "/.2", "1/642"},
        {1, "MarginSize2", "..5", "0.55"},
        {1, "Dimension0", "./a -1", "8.51"},
    };
    DimensionForm& form = Open(t);
    for (const auto& c : cases) {
        form.findChild<QTabWidget*>()->setCurrentIndex(c.tab);
        QLineEdit* box = Child(c.box);
        box->end(false);
        QTest::keyClicks(box, QString::fromLatin1(c.keys));
        EXPECT_EQ(box->text(), c.text) << c.box;
    }
    // Shortcuts are no entry: they reach the box.
    QLineEdit* width = Child("Dimension0");
    QTest::keyClick(width, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(width, "9");
    EXPECT_EQ(width->text(), "9");
}

TEST_F(DimensionFormTest, UnitButtonsConvertByMouseAndKeyboard) {
    t.settings.values["PatternSetup/StartTab"] = "1";
    Open(t);
    auto* inches = Child<QRadioButton>("PatternUnits0");
    auto* cm = Child<QRadioButton>("PatternUnits1");
    QTest::mouseClick(cm, Qt::LeftButton, {}, QPoint(8, cm->height() / 2));
    EXPECT_EQ(Child("Dimension0")->text(), "21.59");
    cm->setFocus();
    QTest::keyClick(cm, Qt::Key_Up);
    EXPECT_TRUE(inches->isChecked());
    EXPECT_EQ(Child("Dimension0")->text(), "8.5");
}

TEST_F(DimensionFormTest, AltOTakesThePendingEntryAndStores) {
    t.settings.values["PatternSetup/StartTab"] = "1";
    t->options.SetupCancelled = true;
    DimensionForm& form = Open(t);
    auto* aspect = Child<QCheckBox>("AspectCheck");
    QTest::mouseClick(aspect, Qt::LeftButton, {}, QPoint(8, aspect->height() / 2));
    Retype("Dimension0", "17");
    QTest::keyClick(&form, Qt::Key_O, Qt::AltModifier);
    QTRY_VERIFY(!form.isVisible());

    EXPECT_EQ(form.result(), QDialog::Accepted);
    const PatternOptions& o = t->options;
    EXPECT_TRUE(o.DimensionWidth == 17.0f && o.DimensionHeight == 22.0f);
    EXPECT_TRUE(o.AspectLocked && !o.SetupCancelled);
    EXPECT_EQ(t.settings.values["PatternSetup/StartTab"], "1");
}

TEST_F(DimensionFormTest, PenControlsAndSliderReachTheOptions) {
    t.settings.values["PatternSetup/StartTab"] = "2";
    DimensionForm& form = Open(t);
    auto* blackOnly = Child<QCheckBox>("checkPrinterBlackOnly");
    auto* change = Child<QPushButton>("cmdColorChange");
    EXPECT_FALSE(change->isEnabled());
    QTest::mouseClick(blackOnly, Qt::LeftButton, {}, QPoint(8, blackOnly->height() / 2));
    EXPECT_TRUE(change->isEnabled());
    auto* mm = Child<QRadioButton>("PenUnits1");
    QTest::mouseClick(mm, Qt::LeftButton, {}, QPoint(8, mm->height() / 2));
    EXPECT_EQ(Child("textPrinterPenSize")->text(), "0");
    QTest::keyClicks(Child("textPrinterPenSize"), "/3");  // no fractions of a millimetre
    EXPECT_EQ(Child("textPrinterPenSize")->text(), "03");

    form.findChild<QTabWidget*>()->setCurrentIndex(3);
    auto* slider = Child<QSlider>("BitmapPenSizeSelect");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_End);
    EXPECT_EQ(Child<QGroupBox>("BitmapPenSizeFrame")->title(), "Bitmap Pen Size (100)");
    QTest::mouseClick(Child<QPushButton>("UserCommand0"), Qt::LeftButton);

    const PatternOptions& o = t->options;
    EXPECT_TRUE(!o.BandW && o.MetricPen && o.PenSizeValue == 3.0f && o.BitmapPenSize == 100);
    EXPECT_EQ(t.settings.values["PatternSetup/StartTab"], "3");
}

TEST_F(DimensionFormTest, CancelAsksAndStaysOpenOnCancel) {
    const struct { MessageAnswer last; QDialog::DialogCode result; float width, height; } cases[] = {
        {AnswerNo, QDialog::Rejected, 8.5f, 11.0f}, {AnswerYes, QDialog::Accepted, 17.0f, 22.0f}};
    for (const auto& c : cases) {
        test::TestSession s;
        s.presenter.answers = {AnswerCancel, c.last};
        s->options.AspectLocked = true;
        DimensionForm& form = Open(s);
        form.findChild<QTabWidget*>()->setCurrentIndex(1);
        QTest::keyClick(Retype("Dimension0", "17"), Qt::Key_Escape);
        EXPECT_TRUE(form.isVisible());
        QTest::mouseClick(Child<QPushButton>("UserCommand1"), Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());

        EXPECT_EQ(s.presenter.shown.size(), 2u);
        EXPECT_EQ(form.result(), c.result);
        EXPECT_TRUE(s->options.DimensionWidth == c.width && s->options.DimensionHeight == c.height);
        EXPECT_EQ(s->options.SetupCancelled, c.result == QDialog::Rejected);
        form_.reset();
    }
}

}  // namespace
}  // namespace tessary
