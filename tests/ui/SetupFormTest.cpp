#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "tests/core/WorkspaceFixture.h"
#include "ui/files/LineSample.h"
#include "ui/files/SetupForm.h"
#include "ui/platform/QtCommandDialogs.h"

namespace tessary {
namespace {

// Acts on the next modal window other than the dialog under test.
void OnNextDialog(const QWidget* besides, std::function<void(QWidget*)> act) {
    QTimer::singleShot(10, [besides, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == besides) return OnNextDialog(besides, act);
        act(modal);
    });
}

// The Display Setup dialog, shown and active, over a pattern with one line.
class SetupFormTest : public test::WorkspaceTest {
protected:
    SetupFormTest() {
        Draw(ToolLine);
        Stroke({{1000, 1000}, {3000, 1000}});
        ws.modes.SetMode(ModeSelect);
    }

    SetupForm& Open() {
        form_ = std::make_unique<SetupForm>(ws, dialogs_);
        form_->show();
        form_->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
        return *form_;
    }

    template <class Widget>
    Widget* Child(const char* name) const {
        auto* widget = form_->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    int Tab() const { return form_->findChild<QTabWidget*>()->currentIndex(); }
    const Appearance& LineLook() const { return t->store.OutLine[ws.store.LastIndex()].look; }

    QtCommandDialogs dialogs_;
    std::unique_ptr<SetupForm> form_;
};

TEST_F(SetupFormTest, PenSliderCaptionsAppliesAndCancelNoRestores) {
    t.settings.values["DisplaySetup/StartTab"] = "2";
    SetupForm& form = Open();
    EXPECT_EQ(form.windowTitle(), "Display Options - Tessary");
    auto* tabs = form.findChild<QTabWidget*>();
    const char* texts[] = {"Instructions", "Pen Color",         "Pen Size",        "Optimize",           "Messages",
                           "Sounds",       "Pattern Directory", "Image Directory", "&Temporary Directory",
                           "Screen &Size"};
    ASSERT_EQ(tabs->count(), kDisplaySetupTabs);
    for (int i = 0; i < kDisplaySetupTabs; ++i) EXPECT_EQ(tabs->tabText(i), texts[i]);
    EXPECT_EQ(Tab(), 2);

    auto* slider = Child<QSlider>("MontiorPenSizeSelect");
    EXPECT_EQ(slider->value(), 1);
    slider->setFocus();
    for (int i = 0; i < 3; ++i) QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(Child<QGroupBox>("MonitorPenSizeFrame")->title(), "Monitor Pen Size (4)");
    EXPECT_EQ(Child<LineSample>("picPenSizeExample")->PenWidth(), 4);
    EXPECT_EQ(LineLook().BorderWidth, 1);  // not before Apply

    // A mnemonic clicks its button a moment later, as a user sees it pressed.
    QTest::keyClick(&form, Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(t->display.MonitorPen() == 4);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(LineLook().BorderWidth, 4);
    EXPECT_EQ(t.settings.values.count("DisplaySetup/SizeMonitor"), 0u);

    t.presenter.answers = {AnswerNo};
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(t.presenter.shown.size(), 1u);
    EXPECT_EQ(t->display.MonitorPen(), 1);
    EXPECT_EQ(LineLook().BorderWidth, 1);
    EXPECT_EQ(t.settings.values.count("DisplaySetup/SizeMonitor"), 0u);
    EXPECT_EQ(t.settings.values["DisplaySetup/StartTab"], "2");
}

TEST_F(SetupFormTest, TraceSampleIsTheSegmentAtTrueScreenSize) {
    t.settings.values["DisplaySetup/StartTab"] = "3";
    Open();
    auto* slider = Child<QSlider>("TraceLengthSelect");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_EQ(Child<QGroupBox>("TraceLengthFrame")->title(), "Trace Segment Length (150)");
    // 150 twips on a screen of 15 twips to the pixel.
    EXPECT_EQ(Child<LineSample>("TraceLineExample")->Length(), 10);
    QTest::keyClick(slider, Qt::Key_Home);
    EXPECT_EQ(Child<QGroupBox>("TraceLengthFrame")->title(), "Trace Segment Length (10)");
}

TEST_F(SetupFormTest, KeyboardReachesFoldersChecksAndOk) {
    QTemporaryDir folder;
    SetupForm& form = Open();
    EXPECT_EQ(Tab(), 0);
    QTest::keyClick(&form, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(Tab(), TabTemporaryFolder);
    EXPECT_EQ(Child<QLineEdit>("FileDir2")->text().toStdString(), t->display.GetFolder(DisplaySetup::TemporaryFolder));

    OnNextDialog(&form, [&folder](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr) << w->metaObject()->className();
        EXPECT_EQ(dialog->windowTitle(), "Directory for Temporary Files");
        dialog->selectFile(folder.path());
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QTest::keyClick(&form, Qt::Key_B, Qt::AltModifier);
    QTRY_VERIFY(Child<QLineEdit>("FileDir2")->text() == folder.path());
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    // Back to the message boxes' tab, and its first box off with the space bar.
    form.findChild<QTabWidget*>()->setFocus();
    for (int i = TabTemporaryFolder; i > TabMessages; --i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    EXPECT_EQ(Tab(), TabMessages);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto* alert = Child<QCheckBox>("AlertMsgCheck0");
    ASSERT_EQ(QApplication::focusWidget(), alert);
    QTest::keyClick(alert, Qt::Key_Space);
    EXPECT_FALSE(alert->isChecked());

    QTest::keyClick(&form, Qt::Key_O, Qt::AltModifier);
    QTRY_VERIFY(!form.isVisible());
    EXPECT_EQ(t.settings.lasting["DisplaySetup/TempDir"], folder.path().toStdString());
    EXPECT_EQ(t.settings.lasting["DisplaySetup/SetupAlert"], "False");
    EXPECT_EQ(t.settings.lasting["DisplaySetup/StartTab"], "4");
}

TEST_F(SetupFormTest, ChangeColorStartsFromTheSampleAndApplyDrawsInTheChosenColour) {
    t.settings.values["DisplaySetup/StartTab"] = "1";
    Open();
    auto* change = Child<QPushButton>("cmdColorChange0");
    auto* sample = Child<LineSample>("lineColorExample0");
    EXPECT_EQ(sample->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    OnNextDialog(form_.get(), [](QWidget* w) {
        auto* dialog = qobject_cast<QColorDialog*>(w);
        ASSERT_NE(dialog, nullptr) << w->metaObject()->className();
        EXPECT_EQ(dialog->currentColor(), QColor(0, 0, 255));
        dialog->setCurrentColor(QColor(0, 160, 0));
        dialog->accept();
    });
    QTest::mouseClick(change, Qt::LeftButton);
    EXPECT_EQ(sample->palette().color(QPalette::WindowText), QColor(0, 160, 0));
    QTest::mouseClick(Child<QPushButton>("WinButton2"), Qt::LeftButton);
    EXPECT_EQ(LineLook().BorderColor, RGB(0, 160, 0));
}

TEST_F(SetupFormTest, TheScreenRulerStretchesWithItsSliderAndApplyMeasuresTheScreen) {
    t.settings.values["DisplaySetup/StartTab"] = std::to_string(TabScreen);
    Open();
    auto* slider = Child<QSlider>("ScreenRulerSelect");
    EXPECT_EQ(slider->value(), 3 * 96);
    EXPECT_TRUE(Child<QGroupBox>("ScreenSizeFrame")->title().endsWith(QStringLiteral("(as the system says)")));
    slider->setValue(360);
    EXPECT_EQ(Child<QGroupBox>("ScreenSizeFrame")->title(), "Screen Size: 120 pixels an inch (measured)");
    EXPECT_EQ(ws.session.display.ScreenTwipsPerPixel(), 0);  // not before Apply
    Child<QPushButton>("WinButton2")->click();
    EXPECT_FLOAT_EQ(ws.session.display.ScreenTwipsPerPixel(), 12);
    Child<QPushButton>("cmdScreenSystem")->click();
    EXPECT_EQ(slider->value(), 3 * 96);
    Child<QPushButton>("WinButton0")->click();
    EXPECT_EQ(ws.session.display.ScreenTwipsPerPixel(), 0);
}

}  // namespace
}  // namespace tessary
