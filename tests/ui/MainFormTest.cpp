#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QPushButton>
#include <QSpinBox>
#include <QPainter>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSlider>
#include <QTextBrowser>
#include <QTemporaryDir>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QToolBar>
#include <array>
#include <cmath>
#include <functional>

#include "core/engine/Pointers.h"
#include "core/services/Version.h"
#include "core/shell/HelpPages.h"
#include "ui/engine/DrawToolsForm.h"
#include "ui/platform/QtSettingsStore.h"
#include "ui/shell/Icons.h"
#include "ui/shell/MainForm.h"
#include "ui/engine/AutoTraceForm.h"
#include "ui/engine/Cursors.h"
#include "ui/engine/WorkForm.h"

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

// Acts on the first modal window that is ready for it: a user waits for the
// window they expect, whatever else opens and closes before it.
void WhenModal(std::function<bool(QWidget*)> ready, std::function<void(QWidget*)> act) {
    QTimer::singleShot(10, [ready = std::move(ready), act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !ready(modal)) return WhenModal(ready, act);
        act(modal);
    });
}

// The wizard's Print button, straight from its first step.
void PrintFromWizard() {
    const QString print = QStringLiteral("cmdNav4");
    WhenModal([print](QWidget* w) { return w->findChild<QAbstractButton*>(print) != nullptr; },
              [print](QWidget* w) { w->findChild<QAbstractButton*>(print)->click(); });
}

// The next message box's text; it is closed with OK.
void ReadMessage(QString* text) {
    WhenModal([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
              [text](QWidget* w) {
                  auto* box = qobject_cast<QMessageBox*>(w);
                  *text = box->text();
                  box->button(QMessageBox::Ok)->click();
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

    // A picture of 300 by 200 pixels at 100 dpi: 3 by 2 inches.
    static QImage Picture(const QColor& fill) {
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(fill);
        picture.setDotsPerMeterX(3937);
        picture.setDotsPerMeterY(3937);
        return picture;
    }
    QString Saved(const QImage& picture, const char* name) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(picture.save(path));
        return path;
    }
    // A new pattern over the picture, dropped on the window, Pattern Setup taken as it comes.
    void NewFromDropped(const QImage& picture, const char* name) {
        const QString path = Saved(picture, name);
        ClickInDialog(QStringLiteral("UserCommand0"));
        window.OpenDropped(path);
        ASSERT_TRUE(window.Files().PatternOpen());
    }

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
    // New and Open stay at hand: the open pattern is closed first.
    EXPECT_TRUE(Enabled("MenuFileNew") && Enabled("MenuFileOpen"));
    // No picture: only the pattern view.
    EXPECT_FALSE(Enabled("BtnViewPicture") || Enabled("MenuViewWork2"));
    EXPECT_TRUE(window.Action("BtnViewPattern")->isChecked());
    EXPECT_TRUE(window.Action("BtnModeSelect")->isChecked());
    EXPECT_TRUE(window.Work()->isEnabled());

    // A change shows in the title; New then asks about it first.
    window.Engine().store.AddLine(100, 100, 900, 900, 1, true);
    Trigger("MenuViewWork1");
    EXPECT_EQ(window.windowTitle(), "Tessary - New*");
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("StatusCounts"))->text(), "1 line, 0 shapes");
    ClickInDialog(QStringLiteral("NewOptionLabel1"));
    Answer(QMessageBox::No);
    ClickInDialog(QStringLiteral("UserCommand0"));
    Trigger("MenuFileNew");
    EXPECT_EQ(window.windowTitle(), "Tessary - New");
    EXPECT_EQ(Lines(), 0);
}

TEST_F(MainFormTest, CancelledChooserOrSetupOpensNothing) {
    ClickInDialog(QStringLiteral("NewOptionLabel2"));
    Trigger("MenuFileNew");
    EXPECT_FALSE(window.Files().PatternOpen());
    ClickInDialog(QStringLiteral("NewOptionLabel1"));
    ClickInDialog(QStringLiteral("UserCommand1"));
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

    // Undo names what it takes back; the whole traced stroke goes in one.
    QTest::keyClick(window.Work(), Qt::Key_Escape);
    EXPECT_FALSE(window.Engine().lineState.SeriesActive);
    EXPECT_EQ(window.Action("MenuEditUndo")->text(), "&Undo Delete");
    EXPECT_EQ(window.Action("MenuEditUndo")->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_TRUE(window.Action("MenuEditRedo")->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    for (int i = 0; i < 3; ++i) Trigger("MenuEditUndo");
    EXPECT_EQ(Lines(), traced);
    Trigger("BtnUndo");
    EXPECT_EQ(Lines(), 0);
    EXPECT_EQ(window.Action("MenuEditRedo")->text(), "&Redo Trace");
    EXPECT_FALSE(Enabled("MenuEditUndo"));
    Trigger("MenuEditRedo");
    EXPECT_EQ(Lines(), traced);
}

TEST_F(MainFormTest, ShapeToolsAndEraserFromTheMenuAndThePalette) {
    NewBlank();
    EXPECT_EQ(window.Action("MenuEditShape")->text(), "Shape &Tools");
    EXPECT_EQ(window.Action("MenuEditEraser")->text(), "Use &Eraser");
    EXPECT_TRUE(Enabled("MenuEditShapeMode1") && Enabled("MenuEditEraser"));
    const auto paletteButton = [this](const char* name) {
        return window.Palette()->findChild<QAbstractButton*>(QString::fromLatin1(name));
    };
    Trigger("MenuEditDrawLineMode1");
    Drag({Page(0.2, 0.5), Page(0.5, 0.5), Page(0.8, 0.5)});
    ASSERT_EQ(Lines(), 1);

    Trigger("MenuEditShapeMode0");
    EXPECT_EQ(window.Engine().modes.DrawTool(), ToolSharp);
    EXPECT_TRUE(paletteButton("LineToolBox2")->isChecked() && paletteButton("ShapeToolbarButton1")->isChecked());
    Drag({Page(0.5, 0.4), Page(0.5, 0.55), Page(0.5, 0.6)});
    EXPECT_EQ(Lines(), 2);

    // A right press turns the pointer; the palette shows the new direction and pointer.
    QTest::mouseClick(window.Work(), Qt::RightButton, Qt::NoModifier, Page(0.3, 0.3));
    EXPECT_EQ(window.Engine().palette.ToolDirection, 2);
    EXPECT_TRUE(paletteButton("ToolDirection1")->isChecked());
    const QImage shown = window.Palette()->findChild<QLabel*>(QStringLiteral("ExampleTool"))->pixmap().toImage();
    EXPECT_EQ(shown, CursorFor(PointerCustom, 12).pixmap().toImage());
    EXPECT_EQ(Lines(), 2);

    paletteButton("ShapeToolbarButton3")->click();
    EXPECT_EQ(window.Engine().modes.DrawTool(), ToolPush);
    paletteButton("LineToolBox3")->click();
    EXPECT_EQ(window.Engine().modes.DrawTool(), ToolErase);
    Trigger("MenuEditShapeMode1");
    Trigger("MenuEditEraser");
    EXPECT_TRUE(paletteButton("LineToolBox3")->isChecked());
    Drag({Page(0.1, 0.55), Page(0.3, 0.55), Page(0.5, 0.55), Page(0.7, 0.55), Page(0.9, 0.55)});
    EXPECT_EQ(Lines(), 0);
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

    // Both are at hand again: File > Open Recent, newest first; and a file
    // dropped on the window opens.
    QMenu* recent = window.findChild<QMenu*>(QStringLiteral("MenuFileRecent"));
    emit recent->aboutToShow();
    ASSERT_GE(recent->actions().size(), 2);
    EXPECT_EQ(recent->actions()[0]->text(), "&1 two.pat");
    EXPECT_EQ(recent->actions()[1]->text(), "&2 one.pat");
    recent->actions()[1]->trigger();
    EXPECT_EQ(window.windowTitle(), "Tessary - one");
    window.OpenDropped(folder.filePath(QStringLiteral("two.pat")));
    EXPECT_EQ(window.windowTitle(), "Tessary - two");
}

TEST_F(MainFormTest, NewFromAPictureShowsBothViews) {
    const QString path = Saved(Picture(QColor(200, 120, 60)), "photo.png");
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
    const Rect fitted = window.Engine().surface.PictureFrame[0];
    Trigger("BtnZoomIn");
    EXPECT_FLOAT_EQ(window.Engine().surface.PictureFrame[0].Height, 2 * fitted.Height);
    Trigger("BtnZoomNormal");
    EXPECT_FLOAT_EQ(window.Engine().surface.PictureFrame[0].Width, window.Engine().session.options.WidthTwips);
    Trigger("BtnModeMove");
    EXPECT_TRUE(Shown("ToolbarFunc3"));
    Trigger("BtnMoveCorner");
    EXPECT_EQ(window.Engine().surface.PictureFrame[0].Left, 0);
    // A drag in move mode moves the picture with the pointer.
    const QPoint from = Page(0.3, 0.3);
    Drag({from, from + QPoint(50, 20)});
    EXPECT_NEAR(window.Engine().surface.PictureFrame[0].Left, 50 * window.Work()->TwipsPerPixel(), 16);

    // True size and fit from the View menu in any mode (Ctrl+0 and Ctrl+9).
    Trigger("BtnModeDraw");
    QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(window.Engine().surface.PictureFrame[0].Width, window.Engine().session.options.WidthTwips);
    Trigger("MenuViewZoomFit");
    EXPECT_FLOAT_EQ(window.Engine().surface.PictureFrame[0].Height, window.Engine().surface.ClientHeight);
}

TEST_F(MainFormTest, ScrollBarsAndTheWheelMoveTheViewAndCtrlWheelZoomsAtThePointer) {
    NewBlank();
    auto* h = window.findChild<QScrollBar*>(QStringLiteral("WorkScrollH"));
    auto* v = window.findChild<QScrollBar*>(QStringLiteral("WorkScrollV"));
    ASSERT_TRUE(h && v);
    EXPECT_FALSE(h->isVisible() || v->isVisible());  // the page fits the window
    Trigger("BtnZoomIn");
    Trigger("BtnZoomIn");
    ASSERT_TRUE(h->isVisible() && v->isVisible());
    const Rect& picture = window.Engine().surface.PictureFrame[0];
    const double t = window.Work()->TwipsPerPixel();

    // Moving a bar on shows more of the far side.
    const float left = picture.Left;
    h->setValue(h->value() + 100);
    EXPECT_NEAR(picture.Left, left - 100 * t, 1);
    // A notch of the wheel down scrolls down, and the bar follows.
    const int top = v->value();
    const QPointF at(window.Work()->width() / 2.0, window.Work()->height() / 2.0);
    const auto roll = [&](int notches, Qt::KeyboardModifiers keys) {
        QWheelEvent wheel(at, window.Work()->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, keys,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(window.Work(), &wheel);
    };
    roll(-1, Qt::NoModifier);
    EXPECT_EQ(v->value(), top + 48);
    EXPECT_NEAR(picture.Top, -v->value() * t, t);

    // Ctrl+wheel zooms by a fine step, and the point under the pointer stays.
    const auto under = [&] { return (at.x() * t - picture.Left) / picture.Width; };
    const double before = under();
    const float width = picture.Width;
    roll(1, Qt::ControlModifier);
    EXPECT_NEAR(picture.Width, width * 1.25f, 1);
    EXPECT_NEAR(under(), before, 1e-4);
    EXPECT_NEAR(h->value(), -picture.Left / t, 1);
}

TEST_F(MainFormTest, TheStatusBarSaysWhereThePointerIsOnThePatternInItsUnits) {
    NewBlank();
    auto* position = window.findChild<QLabel*>(QStringLiteral("StatusPosition"));
    ASSERT_NE(position, nullptr);
    QPoint pointer;
    const auto pointAt = [&](double inchesX, double inchesY) {
        const Rect& page = window.Engine().surface.Pattern;
        const double perInch = page.Width / 8.5;  // the blank page is 8.5 in wide
        const double t = window.Work()->TwipsPerPixel();
        pointer = QPoint(static_cast<int>(std::lround((page.Left + inchesX * perInch) / t)),
                         static_cast<int>(std::lround((page.Top + inchesY * perInch) / t)));
        QTest::mouseMove(window.Work(), pointer);
        // Within a pixel of the point asked for.
        const QStringList parts = position->text().split(QRegularExpression(QStringLiteral("[, ]+")));
        EXPECT_EQ(parts.size(), 3) << position->text().toStdString();
        return parts.size() == 3 ? std::array<double, 2>{parts[0].toDouble(), parts[1].toDouble()} : std::array<double, 2>{};
    };
    for (const char* zoom : {"BtnZoomFit", "BtnZoomNormal"}) {
        Trigger(zoom);
        Trigger("BtnMoveCorner");
        const std::array<double, 2> at = pointAt(1, 2);
        const double pixel = 8.5 * window.Work()->TwipsPerPixel() / window.Engine().surface.Pattern.Width;
        EXPECT_NEAR(at[0], 1, pixel + 0.005) << zoom;
        EXPECT_NEAR(at[1], 2, pixel + 0.005) << zoom;
        EXPECT_TRUE(position->text().endsWith(QStringLiteral(" in")));
    }
    window.Engine().session.options.MetricPage = true;
    pointAt(3, 3);
    const std::array<double, 2> at = pointAt(1, 2);
    EXPECT_NEAR(at[0], 2.54, 0.02);
    EXPECT_NEAR(at[1], 5.08, 0.02);
    EXPECT_TRUE(position->text().endsWith(QStringLiteral(" cm")));

    // The view moving under a still pointer: the zoom and the place follow.
    auto* zoom = window.findChild<QLabel*>(QStringLiteral("StatusZoom"));
    const QString before = zoom->text();
    pointAt(4, 5);
    const QString moved = position->text();
    Trigger("BtnMoveCenter");
    EXPECT_NE(position->text(), moved);
    const std::array<double, 2> there = pointAt(4, 5);
    QWheelEvent wheel(QPointF(pointer), window.Work()->mapToGlobal(QPointF(pointer)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.Work(), &wheel);
    EXPECT_NE(zoom->text(), before);
    // The point under the pointer stays there, to a pixel's rounding.
    const QStringList parts = position->text().split(QRegularExpression(QStringLiteral("[, ]+")));
    ASSERT_EQ(parts.size(), 3);
    EXPECT_NEAR(parts[0].toDouble(), there[0], 0.03);
    EXPECT_NEAR(parts[1].toDouble(), there[1], 0.03);
}

TEST_F(MainFormTest, NewWhileAPatternIsOpenAsksToSaveThenOpensTheNewOne) {
    NewBlank();
    Trigger("MenuEditDrawLineMode1");
    Drag({Page(0.1, 0.1), Page(0.4, 0.3)});
    ASSERT_TRUE(window.Engine().store.PatternChanged());
    EXPECT_TRUE(Enabled("MenuFileNew") && Enabled("MenuFileOpen"));
    // The chooser first, then the question about the changes, then the new page.
    ClickInDialog(QStringLiteral("NewOptionLabel1"));
    QString question;
    WhenModal([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
              [&question](QWidget* w) {
                  auto* box = qobject_cast<QMessageBox*>(w);
                  question = box->text();
                  box->button(QMessageBox::No)->click();
                  ClickInDialog(QStringLiteral("UserCommand0"));
              });
    Trigger("MenuFileNew");
    EXPECT_FALSE(question.isEmpty());
    ASSERT_TRUE(window.Files().PatternOpen());
    EXPECT_EQ(Lines(), 0);
    EXPECT_FALSE(window.Engine().store.PatternChanged());
}

TEST_F(MainFormTest, DockedPanelsComeBackWhereTheyWereSaved) {
    NewBlank();
    auto* palette = window.findChild<QDockWidget*>(QStringLiteral("DrawToolsDock"));
    ASSERT_NE(palette, nullptr);
    EXPECT_TRUE(palette->isVisible());
    // Beside the work window, never over it.
    const QRect work(window.Work()->mapTo(&window, QPoint(0, 0)), window.Work()->size());
    EXPECT_FALSE(work.intersects(palette->geometry()));
    window.addDockWidget(Qt::LeftDockWidgetArea, palette);
    // The mouse help floated off to where no screen is now.
    Trigger("BtnMouseWin");
    auto* mouse = window.findChild<QDockWidget*>(QStringLiteral("MouseDock"));
    mouse->setFloating(true);
    mouse->setGeometry(30000, 20000, 200, 150);
    Trigger("MenuOptionsSavePositions");
    MainForm again;
    auto* restored = again.findChild<QDockWidget*>(QStringLiteral("DrawToolsDock"));
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(again.dockWidgetArea(restored), Qt::LeftDockWidgetArea);
    auto* floating = again.findChild<QDockWidget*>(QStringLiteral("MouseDock"));
    EXPECT_TRUE(floating->isFloating());
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(floating->geometry()))
        << floating->geometry().x() << "," << floating->geometry().y();
}

TEST_F(MainFormTest, EveryButtonHasAnIconThatReadsOnLightAndDarkPalettesAndCaptionsStay) {
    for (QToolBar* bar : window.findChildren<QToolBar*>()) {
        for (QAction* a : bar->actions()) {
            if (a->text().isEmpty()) continue;  // the stretch bar's slider and labels
            EXPECT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
        }
        EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    }
    // The ink of an icon: the mean lightness of its opaque pixels.
    const auto ink = [](const QIcon& icon) {
        const QImage image = icon.pixmap(48, 48).toImage().convertToFormat(QImage::Format_ARGB32);
        double sum = 0;
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.alpha() < 200) continue;
                sum += c.lightness();
                ++n;
            }
        }
        return n > 20 ? sum / n : -1.0;
    };
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 42, 46));
    for (const char* name : {"save", "open", "mode-select", "zoom-fit"}) {
        const double onLight = ink(ThemedIcon(QString::fromLatin1(name), QPalette(Qt::white)));
        const double onDark = ink(ThemedIcon(QString::fromLatin1(name), dark));
        EXPECT_TRUE(onLight >= 0 && onLight < 120) << name << " " << onLight;
        EXPECT_GT(onDark, 170) << name;
    }
    EXPECT_FALSE(ProgramIcon().isNull());

    // Captions beside the icons, for this window and the next.
    window.findChild<QAction*>(QStringLiteral("MenuViewCaptionsBeside"))->trigger();
    EXPECT_EQ(window.Toolbar(QStringLiteral("ToolbarMain1"))->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    MainForm again;
    EXPECT_EQ(again.Toolbar(QStringLiteral("ToolbarMain1"))->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    EXPECT_TRUE(again.findChild<QAction*>(QStringLiteral("MenuViewCaptionsBeside"))->isChecked());
}

// Run again at 1.5 and 2 device pixels per pixel (QT_SCALE_FACTOR): the
// picture and the cursors are drawn in the screen's own pixels, and the true
// size holds in the window's.
TEST_F(MainFormTest, PicturesAndCursorsInTheScreensOwnPixelsAndZoom100IsTheMeasuredInch) {
    NewFromDropped(Picture(QColor(255, 0, 255)), "magenta.png");
    Trigger("BtnZoomNormal");
    Trigger("BtnMoveCorner");

    WorkForm* work = window.Work();
    const double ratio = work->devicePixelRatioF();
    const QImage shown = work->grab().toImage();
    EXPECT_EQ(shown.width(), std::lround(work->width() * ratio));
    int magenta = 0;
    for (int x = 0; x < shown.width(); ++x) magenta += shown.pixelColor(x, shown.height() / 4) == QColor(255, 0, 255);
    // 3 inches of the system's 96 pixels, each ratio screen pixels wide.
    EXPECT_NEAR(magenta, 288 * ratio, 2) << "at " << ratio;
    EXPECT_EQ(CursorFor(PointerCustom, CursorEraser).pixmap().size(), QSize(32, 32) * ratio);

    // Measured at 120 pixels an inch, the 3 inches take 360 of them.
    window.Engine().session.display.SetScreenTwipsPerPixel(12);
    work->ScreenChanged();
    Trigger("BtnZoomNormal");
    EXPECT_NEAR(window.Engine().surface.PictureFrame[0].Width / work->TwipsPerPixel(), 360, 0.5);
    window.Engine().session.display.SetScreenTwipsPerPixel(0);
}

TEST_F(MainFormTest, AutoTracePreviewFollowsTheControlsAndOkAddsOneStepUndoTakesBack) {
    // White, with a red box and a blue disc: three pieces.
    QImage picture = Picture(Qt::white);
    {
        QPainter p(&picture);
        p.fillRect(30, 40, 120, 100, QColor(200, 30, 30));
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 60, 200));
        p.drawEllipse(QPointF(220, 100), 40, 40);
    }
    NewFromDropped(picture, "shapes.png");
    ASSERT_TRUE(Enabled("MenuEditAutoTrace"));

    int regionsPieces = -1, edgesPieces = -1;
    QString counts;
    WhenModal([](QWidget* w) { return qobject_cast<AutoTraceForm*>(w) != nullptr; },
              [&](QWidget* w) {
                  auto* form = qobject_cast<AutoTraceForm*>(w);
                  regionsPieces = form->Preview().pieces;
                  counts = form->findChild<QLabel*>(QStringLiteral("TraceCounts"))->text();
                  form->findChild<QRadioButton*>(QStringLiteral("TraceModeEdges"))->click();
                  EXPECT_FALSE(form->findChild<QSpinBox*>(QStringLiteral("TraceColours"))->isEnabled());
                  form->UpdatePreview();
                  edgesPieces = form->Preview().pieces;
                  form->findChild<QRadioButton*>(QStringLiteral("TraceModeRegions"))->click();
                  form->UpdatePreview();
                  form->findChild<QPushButton*>(QStringLiteral("TraceOk"))->click();
              });
    Trigger("MenuEditAutoTrace");
    EXPECT_EQ(regionsPieces, 3);
    EXPECT_EQ(edgesPieces, 0);
    EXPECT_TRUE(counts.startsWith(QStringLiteral("Preview: "))) << counts.toStdString();
    const int traced = Lines();
    EXPECT_GT(traced, 20);
    EXPECT_TRUE(window.statusBar()->currentMessage().startsWith(QStringLiteral("Auto Trace added")))
        << window.statusBar()->currentMessage().toStdString();
    EXPECT_EQ(window.Action(QStringLiteral("MenuEditUndo"))->text().remove(QLatin1Char('&')), "Undo Auto Trace");
    Trigger("MenuEditUndo");
    EXPECT_EQ(Lines(), 0);
    Trigger("MenuEditRedo");
    EXPECT_EQ(Lines(), traced);
}

// File > Export's drawings, named without an extension, zoomed in: each
// file gets its kind's extension and the 8.5 by 11 inch page.
TEST_F(MainFormTest, ExportedDrawingsTakeTheirExtensionAndTheTrueSize) {
    NewBlank();
    Trigger("MenuEditDrawLineMode1");
    Drag({Page(0.1, 0.1), Page(0.4, 0.3)});
    Trigger("BtnZoomIn");
    const auto read = [this](const char* name) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    ChooseFile(folder.filePath(QStringLiteral("drawing")));
    Trigger("MenuFileExportSVG");
    EXPECT_TRUE(read("drawing.svg").contains("width=\"8.5in\" height=\"11in\""));
    ChooseFile(folder.filePath(QStringLiteral("drawing")));
    Trigger("MenuFileExportDXF");
    EXPECT_TRUE(read("drawing.dxf").contains("$INSUNITS\n 70\n1\n"));
    ChooseFile(folder.filePath(QStringLiteral("drawing")));
    Trigger("MenuFileExportPDF");
    EXPECT_TRUE(read("drawing.pdf").startsWith("%PDF-"));
    // The PNG's resolution is asked first, then its file.
    OnNextModal([path = folder.filePath(QStringLiteral("drawing"))](QWidget* w) {
        auto* dpi = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dpi, nullptr) << w->metaObject()->className();
        EXPECT_EQ(dpi->intValue(), 300);
        dpi->setIntValue(100);
        dpi->accept();
        ChooseFile(path);
    });
    Trigger("MenuFileExportPNG");
    const QImage png(folder.filePath(QStringLiteral("drawing.png")));
    EXPECT_EQ(png.size(), QSize(850, 1100));
    EXPECT_EQ(png.dotsPerMeterX(), 3937);
    EXPECT_TRUE(window.Work()->isEnabled());
}

TEST_F(MainFormTest, APdfWithoutANameIsAskedForAndPrintSetupAppliesAtOnceEvenAfterAFailure) {
    NewBlank();
    Trigger("MenuEditDrawLineMode1");
    Drag({Page(0.1, 0.1), Page(0.4, 0.3)});
    const QString pattern = folder.filePath(QStringLiteral("rose.pat"));
    ChooseFile(pattern);
    Trigger("MenuFileSaveAs");
    QFile patternFile(pattern);
    ASSERT_TRUE(patternFile.open(QIODevice::ReadOnly));
    const QByteArray saved = patternFile.readAll();
    patternFile.close();

    // A machine without printers: Print Setup offers a PDF file, unnamed.
    QPrinter& setup = window.PrinterSetup();
    setup.setOutputFileName(QString());
    setup.setOutputFormat(QPrinter::PdfFormat);
    QString asked, said;
    PrintFromWizard();
    WhenModal([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; },
              [&asked](QWidget* w) {
                  auto* dialog = qobject_cast<QFileDialog*>(w);
                  asked = dialog->selectedFiles().value(0);
                  QMetaObject::invokeMethod(dialog, "accept");
              });
    Trigger("MenuFilePrint");
    // Where the print went is said in the status bar.
    said = window.statusBar()->currentMessage();
    EXPECT_EQ(asked, folder.filePath(QStringLiteral("rose.pdf")));
    EXPECT_TRUE(said.contains(QRegularExpression(QStringLiteral("^Printed [0-9]+ pages? to rose.pdf$")))) << said.toStdString();
    QFile pdf(folder.filePath(QStringLiteral("rose.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_TRUE(setup.outputFileName().isEmpty()) << "the next print asks again";

    // A folder that is gone: said, and nothing is left behind.
    const struct { const char* file; const char* message; } prints[] = {
        {"gone/setup.pdf", "The pattern could not be printed to PDF file "},
        {"rose.pat", "The file can not be written over the pattern it is made from."},
        {"setup.pdf", "Printed "},
    };
    for (const auto& p : prints) {
        SCOPED_TRACE(p.file);
        setup.setOutputFileName(folder.filePath(QString::fromLatin1(p.file)));
        PrintFromWizard();
        const bool printed = QString::fromLatin1(p.message).startsWith(QStringLiteral("Printed"));
        if (!printed) ReadMessage(&said);
        Trigger("MenuFilePrint");
        if (printed) said = window.statusBar()->currentMessage();
        EXPECT_TRUE(said.startsWith(QString::fromLatin1(p.message))) << said.toStdString();
    }
    EXPECT_TRUE(said.endsWith(QStringLiteral(" to setup.pdf"))) << said.toStdString();
    ASSERT_TRUE(patternFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(patternFile.readAll() == saved);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("rose.pat"), QStringLiteral("rose.pdf"), QStringLiteral("setup.pdf")}));
}

// File > Print Preview and the wizard's Preview button show the pages the
// print would send, zoomable; nothing is printed or written.
TEST_F(MainFormTest, PrintPreviewShowsThePagesWithoutPrinting) {
    EXPECT_FALSE(Enabled("MenuFilePrintPreview"));
    NewBlank();
    EXPECT_TRUE(Enabled("MenuFilePrintPreview"));
    Trigger("MenuEditDrawLineMode1");
    Drag({Page(0.1, 0.1), Page(0.9, 0.8)});
    QPrinter& setup = window.PrinterSetup();
    setup.setOutputFormat(QPrinter::PdfFormat);
    setup.setOutputFileName(folder.filePath(QStringLiteral("never.pdf")));

    struct Seen {
        int pages = -1;
        QString count;
        qreal zoomed = 0, fitted = 0;
    };
    const auto look = [](Seen* seen) {
        WhenModal([](QWidget* w) { return w->objectName() == QStringLiteral("PrintPreviewForm"); },
                  [seen](QWidget* w) {
                      auto* pages = w->findChild<QPrintPreviewWidget*>(QStringLiteral("PreviewPages"));
                      seen->pages = pages->pageCount();
                      seen->count = w->findChild<QLabel*>(QStringLiteral("PreviewPageCount"))->text();
                      w->findChild<QAbstractButton*>(QStringLiteral("cmdFitPage"))->click();
                      seen->fitted = pages->zoomFactor();
                      w->findChild<QAbstractButton*>(QStringLiteral("cmdZoomIn"))->click();
                      seen->zoomed = pages->zoomFactor();
                      w->findChild<QAbstractButton*>(QStringLiteral("cmdClose"))->click();
                  });
    };
    Seen menu, wizard;
    look(&menu);
    Trigger("MenuFilePrintPreview");
    EXPECT_GE(menu.pages, 2);
    EXPECT_EQ(menu.count, QString::number(menu.pages) + QStringLiteral(" pages"));
    EXPECT_GT(menu.zoomed, menu.fitted);

    ClickInDialog(QStringLiteral("cmdPreview"));
    look(&wizard);
    WhenModal([](QWidget* w) { return w->objectName() == QStringLiteral("PrintWizardForm"); },
              [](QWidget* w) { w->findChild<QAbstractButton*>(QStringLiteral("cmdNav1"))->click(); });
    Trigger("MenuFilePrint");
    EXPECT_EQ(wizard.pages, menu.pages);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("never.pdf"))));
}

TEST_F(MainFormTest, DisplaySetupFromTheToolbarRedrawsAndStoresThePen) {
    NewBlank();
    Trigger("MenuEditDrawLineMode1");
    Drag({Page(0.1, 0.1), Page(0.4, 0.3)});
    for (int i = 1; i <= 4; ++i) {
        EXPECT_TRUE(window.Toolbar(QStringLiteral("ToolbarFunc%1").arg(i))->actions().contains(window.Action("BtnDisplaySetup")));
    }
    OnNextModal([](QWidget* w) {
        ASSERT_EQ(w->windowTitle(), "Display Options - Tessary");
        w->findChild<QSlider*>(QStringLiteral("MontiorPenSizeSelect"))->setValue(3);
        w->findChild<QAbstractButton*>(QStringLiteral("WinButton0"))->click();
    });
    window.Action("BtnDisplaySetup")->trigger();
    const PatternStore& store = window.Engine().store;
    EXPECT_EQ(store.OutLine[store.LastIndex()].look.BorderWidth, 3);
    QtSettingsStore settings;
    EXPECT_EQ(settings.Read("DisplaySetup", "SizeMonitor"), "3");
    settings.Write("DisplaySetup", "SizeMonitor", "1");
    EXPECT_TRUE(settings.Flush());
}

TEST_F(MainFormTest, AboutNamesTheProgramAndItsVersionOnly) {
    QString text;
    OnNextModal([&text](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "About Tessary");
        EXPECT_NE(w->findChild<QWidget*>(QStringLiteral("BannerImage")), nullptr);
        for (const QLabel* label : w->findChildren<QLabel*>()) text += label->text() + QLatin1Char('\n');
        w->findChild<QAbstractButton*>(QStringLiteral("CloseCommand"))->click();
    });
    Trigger("MenuHelpAbout");
    EXPECT_TRUE(text.contains(QStringLiteral("Tessary\nVersion ") + QString::fromLatin1(kVersion))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Brandolin"), Qt::CaseInsensitive));
}

TEST_F(MainFormTest, FaqOpensTheGuideAtItsAnswersAndAnUnusableAddressIsSaid) {
    Trigger("MenuHelpWebFAQ");
    QTextBrowser* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QStringLiteral("HelpBrowser")) help = qobject_cast<QTextBrowser*>(w);
    }
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->source(), QUrl(QStringLiteral("qrc:/help/index.html#faq")));
    EXPECT_GT(help->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(help->toPlainText().contains(QStringLiteral("Frequently asked questions")));

    QtSettingsStore settings;
    settings.Write("Help", "HomeUrl", "mailto:someone@example.org");
    QString said;
    ReadMessage(&said);
    Trigger("MenuHelpWebHome");
    EXPECT_TRUE(said.startsWith(QStringLiteral("The page could not be opened.\nAddress: mailto:"))) << said.toStdString();
    settings.Write("Help", "HomeUrl", kGuideAddress);
    EXPECT_TRUE(settings.Flush());
}

TEST_F(MainFormTest, EveryCommandHasAWidget) {
    // (Every widget having a command is checked as the window is built.)
    for (int i = 0; i < kCommandCount; ++i) {
        const QString name = QString::fromLatin1(CommandName(static_cast<Command>(i)));
        const bool found = window.Action(name) || window.Toolbar(name) || window.findChild<QWidget*>(name);
        EXPECT_TRUE(found) << name.toStdString();
    }
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
