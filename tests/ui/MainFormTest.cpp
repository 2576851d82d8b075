#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>

#include "ui/drawing/DrawToolsForm.h"
#include "ui/platform/QtSettingsStore.h"
#include "ui/shell/MainForm.h"
#include "ui/workspace/WorkForm.h"

namespace tessary {
namespace {

// Acts on the next modal window as soon as it is open (a message box, a file
// dialog, the chooser or Pattern Setup), as a user would.
void OnNextModal(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            OnNextModal(act);
            return;
        }
        act(modal);
    });
}

void Answer(QMessageBox::StandardButton button, QString* text = nullptr) {
    OnNextModal([button, text](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr) << w->metaObject()->className();
        if (text) *text = box->text();
        box->button(button)->click();
    });
}

void ChooseFile(const QString& path) {
    OnNextModal([path](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr) << w->metaObject()->className();
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

// Clicks a named button of the next dialog.
void ClickInDialog(const QString& name) {
    OnNextModal([name](QWidget* w) {
        auto* button = w->findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        button->click();
    });
}

class MainFormTest : public testing::Test {
protected:
    MainFormTest() {
        window.resize(1000, 750);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    ~MainFormTest() override {
        // Leave without questions.
        window.Engine().store.SetPatternChanged(false);
        window.close();
    }

    void Trigger(const char* key) { window.Action(QString::fromLatin1(key))->trigger(); }
    bool Enabled(const char* key) { return window.Action(QString::fromLatin1(key))->isEnabled(); }
    bool Shown(const char* toolbar) { return window.Toolbar(QString::fromLatin1(toolbar))->isVisible(); }

    void NewBlank() {
        ClickInDialog(QStringLiteral("NewOptionLabel1"));
        ClickInDialog(QStringLiteral("UserCommand0"));
        Trigger("MenuFileNew");
    }

    // A point on the page, as fractions of its width and height, in pixels.
    QPoint Page(double fx, double fy) {
        const Rect& page = window.Engine().surface.Pattern;
        const double t = window.Work()->TwipsPerPixel();
        return QPoint(static_cast<int>((page.Left + fx * page.Width) / t), static_cast<int>((page.Top + fy * page.Height) / t));
    }

    // A drag with the left button across the work window, in pixels.
    void Drag(std::initializer_list<QPoint> points) {
        WorkForm* work = window.Work();
        const QPoint* p = points.begin();
        QTest::mousePress(work, Qt::LeftButton, Qt::NoModifier, *p);
        for (++p; p != points.end(); ++p) QTest::mouseMove(work, *p);
        QTest::mouseRelease(work, Qt::LeftButton, Qt::NoModifier, *(points.end() - 1));
    }

    int Lines() { return window.Engine().store.OutLine.VisibleCount(); }

    QTemporaryDir folder;
    MainForm window;
};

TEST_F(MainFormTest, StartsWithNoPatternThenNewBlankThroughTheChooserAndPatternSetup) {
    EXPECT_EQ(window.windowTitle(), "Tessary");
    EXPECT_TRUE(Shown("ToolbarMain0") && !Shown("ToolbarMain1") && !Shown("ToolbarFunc1"));
    EXPECT_TRUE(Enabled("MenuFileNew") && Enabled("MenuFileOpen"));
    EXPECT_FALSE(Enabled("MenuFileClose") || Enabled("MenuEditDraw"));
    EXPECT_FALSE(window.Work()->isEnabled());

    NewBlank();
    EXPECT_EQ(window.windowTitle(), "Tessary - New");
    EXPECT_TRUE(Shown("ToolbarMain1") && Shown("ToolbarFunc1"));
    EXPECT_FALSE(Enabled("MenuFileNew"));
    // No picture: only the pattern view.
    EXPECT_FALSE(Enabled("BtnViewPicture") || Enabled("MenuViewWork2"));
    EXPECT_TRUE(window.Action("BtnViewPattern")->isChecked());
    EXPECT_TRUE(window.Action("BtnModeSelect")->isChecked());
    EXPECT_TRUE(window.Work()->isEnabled());
}

TEST_F(MainFormTest, CancelledChooserOrSetupOpensNothing) {
    ClickInDialog(QStringLiteral("NewOptionLabel2"));
    Trigger("MenuFileNew");
    EXPECT_FALSE(window.Files().PatternOpen());
    ClickInDialog(QStringLiteral("NewOptionLabel1"));
    ClickInDialog(QStringLiteral("UserCommand1"));
    Answer(QMessageBox::No);
    Trigger("MenuFileNew");
    EXPECT_FALSE(window.Files().PatternOpen());
    EXPECT_EQ(window.windowTitle(), "Tessary");
}

TEST_F(MainFormTest, TracesAndDrawsLinesWithTheMouseAndDeleteTakesBack) {
    NewBlank();
    Trigger("MenuEditDrawLineMode0");
    EXPECT_TRUE(window.Palette()->isVisible() && window.Action("BtnModeDraw")->isChecked());
    Drag({Page(0.2, 0.2), Page(0.3, 0.2), Page(0.4, 0.25), Page(0.5, 0.3), Page(0.6, 0.35), Page(0.7, 0.4)});
    const int traced = Lines();
    EXPECT_GT(traced, 3);

    Trigger("MenuEditDrawLineMode1");
    const QPoint end = Page(0.5, 0.6);
    Drag({Page(0.2, 0.6), Page(0.3, 0.6), end});
    EXPECT_EQ(Lines(), traced + 1);
    // The next press continues the series from the last end.
    Drag({Page(0.9, 0.1), Page(0.5, 0.9)});
    const LineElement& last = window.Engine().store.OutLine[window.Engine().store.LastIndex()];
    const double twips = window.Work()->TwipsPerPixel();
    const Rect& page = window.Engine().surface.Pattern;
    EXPECT_NEAR(last.X1, end.x() * twips - page.Left, twips);
    EXPECT_EQ(Lines(), traced + 2);

    QTest::keyClick(window.Work(), Qt::Key_Delete);
    EXPECT_EQ(Lines(), traced + 1);
}

TEST_F(MainFormTest, SaveAskSaveCloseAndOpenAgain) {
    NewBlank();
    Trigger("MenuEditDrawLineMode1");
    Drag({Page(0.1, 0.1), Page(0.4, 0.3)});
    const QString path = folder.filePath(QStringLiteral("one.pat"));

    // Close with changes: Cancel keeps the pattern; Yes saves first, asking for a name.
    Answer(QMessageBox::Cancel);
    Trigger("MenuFileClose");
    EXPECT_TRUE(window.Files().PatternOpen());
    Answer(QMessageBox::Yes);
    ChooseFile(path);
    Trigger("MenuFileClose");
    EXPECT_FALSE(window.Files().PatternOpen());

    ChooseFile(path);
    Trigger("MenuFileOpen");
    ASSERT_TRUE(window.Files().PatternOpen());
    EXPECT_EQ(window.windowTitle(), "Tessary - one");
    EXPECT_EQ(Lines(), 1);

    Trigger("MenuEditDrawLineMode1");
    Drag({Page(0.5, 0.1), Page(0.6, 0.3)});
    ChooseFile(folder.filePath(QStringLiteral("two.pat")));
    Trigger("MenuFileSaveAs");
    EXPECT_EQ(window.windowTitle(), "Tessary - two");
    EXPECT_FALSE(window.Engine().store.PatternChanged());
}

TEST_F(MainFormTest, NewFromAPictureShowsBothViews) {
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(QColor(200, 120, 60));
    picture.setDotsPerMeterX(3937);  // 100 dpi: 3 by 2 inches
    picture.setDotsPerMeterY(3937);
    const QString path = folder.filePath(QStringLiteral("photo.png"));
    ASSERT_TRUE(picture.save(path));
    ClickInDialog(QStringLiteral("NewOptionLabel0"));
    // The picture dialog offers every format the program reads.
    QStringList filters;
    OnNextModal([&filters](QWidget* w) {
        if (auto* dialog = qobject_cast<QFileDialog*>(w)) filters = dialog->nameFilters();
    });
    ChooseFile(path);
    ClickInDialog(QStringLiteral("UserCommand0"));
    Trigger("MenuFileNew");
    ASSERT_TRUE(window.Files().PatternOpen());
    ASSERT_FALSE(filters.isEmpty());
    for (const char* pattern : {"*.bmp", "*.gif", "*.jpg", "*.jpeg", "*.png"}) {
        EXPECT_TRUE(filters[0].contains(QString::fromLatin1(pattern))) << pattern;
    }
    EXPECT_TRUE(window.Engine().surface.PictureLoaded);
    EXPECT_NEAR(window.Engine().session.options.DimensionWidth, 3, 0.01);
    EXPECT_TRUE(window.Action("BtnViewBoth")->isChecked());
    EXPECT_TRUE(Enabled("BtnViewPicture"));
    Trigger("BtnViewPicture");
    EXPECT_TRUE(window.Action("MenuViewWork0")->isChecked());
}

TEST_F(MainFormTest, ZoomAndMoveFromTheirToolbars) {
    NewBlank();
    Trigger("BtnModeZoom");
    EXPECT_TRUE(Shown("ToolbarFunc4") && !Shown("ToolbarFunc1"));
    const Rect fitted = window.Engine().surface.OriImage[0];
    Trigger("BtnZoomIn");
    EXPECT_FLOAT_EQ(window.Engine().surface.OriImage[0].Height, 2 * fitted.Height);
    Trigger("BtnZoomNormal");
    EXPECT_FLOAT_EQ(window.Engine().surface.OriImage[0].Width, window.Engine().session.options.WidthTwips);
    Trigger("BtnModeMove");
    EXPECT_TRUE(Shown("ToolbarFunc3"));
    Trigger("BtnMoveCorner");
    EXPECT_EQ(window.Engine().surface.OriImage[0].Left, 0);
    // A drag in move mode moves the picture with the pointer.
    const QPoint from = Page(0.3, 0.3);
    Drag({from, from + QPoint(50, 20)});
    EXPECT_NEAR(window.Engine().surface.OriImage[0].Left, 50 * window.Work()->TwipsPerPixel(), 16);
}

TEST(MainFormPositions, StoredFramesOfAnySizeComeBackOnTheScreen) {
    QtSettingsStore settings;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const char* value : {"3e8", "3.4e38", "-3.4e38", "32767"}) {
        SCOPED_TRACE(value);
        for (const char* key : {"WindowTop", "WindowLeft", "WindowHeight", "WindowWidth"}) {
            settings.Write("DisplaySetup", key, value);
        }
        settings.Write("DisplaySetup", "WindowState", "0");
        MainForm window;
        EXPECT_TRUE(screen.contains(window.geometry())) << window.geometry().x() << "," << window.geometry().width();
    }
    for (const char* key : {"WindowTop", "WindowLeft", "WindowHeight", "WindowWidth", "WindowState"}) {
        settings.Write("DisplaySetup", key, "");
    }
}

}  // namespace
}  // namespace tessary
