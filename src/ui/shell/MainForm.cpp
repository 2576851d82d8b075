#include "ui/shell/MainForm.h"

#include "core/engine/StatusReport.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenuBar>
#include <QPrintDialog>
#include <QScreen>
#include <QKeyEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QLayout>
#include <QShortcut>
#include <QStatusBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTextBrowser>
#include <QTimer>
#include <QActionGroup>
#include <QToolBar>
#include <QUrl>

#include "core/services/AppTitle.h"
#include "core/shell/HelpPages.h"
#include "core/shell/WindowPositions.h"
#include "ui/engine/DrawToolsForm.h"
#include "ui/files/DimensionForm.h"
#include "ui/files/NewOptionsForm.h"
#include "ui/files/SetupForm.h"
#include "ui/platform/StandardFolders.h"
#include "ui/print/PrintPreviewForm.h"
#include "ui/print/PrintWizardForm.h"
#include "ui/shell/AutosaveTimer.h"
#include "ui/shell/DrawingExports.h"
#include "ui/print/QtPrintDevice.h"
#include "core/print/PrintCommand.h"
#include "ui/shell/AboutForm.h"
#include "ui/shell/MouseForm.h"
#include "ui/engine/AutoTraceForm.h"
#include "ui/engine/WorkArea.h"
#include "ui/shell/Icons.h"
#include "ui/engine/WorkForm.h"

namespace tessary {

namespace {

// The panels' places, saved with the window's by Window Positions > Save.
const char* const kDockSection = "Window";
const char* const kDockKey = "Docks";
// "Beside" puts the buttons' captions beside their icons; else under them,
// which keeps the rows of buttons narrow enough for the first window.
const char* const kCaptionsKey = "ButtonCaptions";

bool CaptionsUnder(const SettingsStore& settings) {
    return settings.Read(kDockSection, kCaptionsKey).value_or("") != "Beside";
}

// The icon of each button, and of the menu entry for the same command.
const std::pair<const char*, std::array<const char*, 2>> kIcons[] = {
    {"open", {"BtnOpen", "MenuFileOpen"}},
    {"new", {"BtnNew", "MenuFileNew"}},
    {"close", {"BtnClose", "MenuFileClose"}},
    {"save", {"BtnSave", "MenuFileSave"}},
    {"print", {"BtnPrint", "MenuFilePrint"}},
    {"undo", {"BtnUndo", "MenuEditUndo"}},
    {"redo", {"BtnRedo", "MenuEditRedo"}},
    {"view-picture", {"BtnViewPicture", "MenuViewWork0"}},
    {"view-pattern", {"BtnViewPattern", "MenuViewWork1"}},
    {"view-both", {"BtnViewBoth", "MenuViewWork2"}},
    {"mode-select", {"BtnModeSelect", nullptr}},
    {"mode-draw", {"BtnModeDraw", nullptr}},
    {"mode-move", {"BtnModeMove", "MenuViewMove"}},
    {"mode-zoom", {"BtnModeZoom", "MenuViewZoom"}},
    {"mouse-help", {"BtnMouseWin", "MenuViewMouseHelp"}},
    {"pattern-setup", {"BtnPatternSetup", "MenuPatternPrintSize"}},
    {"display-setup", {"BtnDisplaySetup", "MenuOptionsSetup"}},
    {"select-object", {"BtnSelectObject", "MenuEditSelectObject"}},
    {"select-ends", {"BtnSelectEnds", "MenuEditSelectEnds"}},
    {"draw-line", {"BtnDrawLine", nullptr}},
    {"draw-arc", {"BtnDrawArc", "MenuEditDrawArc"}},
    {"draw-circle", {"BtnDrawCircle", "MenuEditDrawCircle"}},
    {"draw-box", {"BtnDrawBox", nullptr}},
    {"move-corner", {"BtnMoveCorner", nullptr}},
    {"move-center", {"BtnMoveCenter", nullptr}},
    {"move-up", {"BtnMoveUp", nullptr}},
    {"move-down", {"BtnMoveDown", nullptr}},
    {"move-left", {"BtnMoveLeft", nullptr}},
    {"move-right", {"BtnMoveRight", nullptr}},
    {"zoom-normal", {"BtnZoomNormal", "MenuViewZoomNormal"}},
    {"zoom-fit", {"BtnZoomFit", "MenuViewZoomFit"}},
    {"zoom-in", {"BtnZoomIn", nullptr}},
    {"zoom-out", {"BtnZoomOut", nullptr}},
    {"end-align", {"BtnAlignPatOK", "MenuEditAlignPatEnd"}},
    {"auto-trace", {"MenuEditAutoTrace", nullptr}},
};

const char* const kCommonButtons[] = {"BtnMouseWin", "BtnPatternSetup", "BtnDisplaySetup"};

}  // namespace

MainForm::MainForm() {
    setObjectName(QStringLiteral("MainForm"));
    setAcceptDrops(true);
    setWindowTitle(QString::fromLatin1(kAppTitle));
    presenter_.SetParent(this);
    progressWindow_.SetOwner(this);
    dialogs_.SetParent(this);
    dialogs_.SetPatternSetup([this](bool forNewPattern) { ShowPatternSetup(forNewPattern); });
    session_ = std::make_unique<Session>(Platform{settings_, presenter_, progressWindow_, StandardFolders()});
    workspace_ = std::make_unique<Workspace>(*session_);
    workspace_->pumpEvents = [] { QApplication::processEvents(); };
    files_ = std::make_unique<FileCommands>(*workspace_, folders_, pictures_);
    autosave_ = std::make_unique<AutosaveTimer>(*workspace_, *files_, settings_, nullptr);

    work_ = new WorkForm(*workspace_, pictures_, this);
    setCentralWidget(new WorkArea(*workspace_, work_, this));
    connect(work_, &WorkForm::stateChanged, this, &MainForm::SyncState);
    BuildStatusBar();
    connect(work_, &WorkForm::pointerMoved, this, &MainForm::ShowStatus);
    // The zoom and the place under the pointer change with the view too.
    connect(work_, &WorkForm::viewMoved, this, &MainForm::ShowStatus);
    session_->messages.SetNoticeSink(
        [this](const std::string& text) { statusBar()->showMessage(QString::fromStdString(text), 15000); });
    palette_ = new DrawToolsForm(*workspace_, this);
    connect(palette_, &DrawToolsForm::engineChanged, this, &MainForm::SyncState);
    // The mouse help can be closed, which switches it off.
    paletteDock_ = AddDock(palette_, QStringLiteral("DrawToolsDock"), QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    mouseHelp_ = new MouseForm(this);
    mouseDock_ = AddDock(mouseHelp_, QStringLiteral("MouseDock"),
                         QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                             QDockWidget::DockWidgetClosable);

    BuildMenus();
    BuildToolbars();
    ApplyIcons();
    // The work window's keys, wherever the focus is in the main window or
    // its tool windows.
    qApp->installEventFilter(this);

    RestorePositions();
    workspace_->surface.Enabled = false;
    session_->progress.SetDisplay(false);
    workspace_->modes.SetAppState(AppNoPattern);
    SyncState();
}

MainForm::~MainForm() = default;

QAction* MainForm::AddAction(const QString& key, const QString& caption, std::function<void()> run, bool checkable) {
    auto* action = new QAction(caption, this);
    action->setObjectName(key);
    action->setCheckable(checkable);
    // The history names a step after its command: "&Delete Selected" undoes as "Delete Selected".
    QString name = caption;
    name.remove(QLatin1Char('&')).remove(QStringLiteral("...")).replace(QStringLiteral("  "), QStringLiteral(" "));
    connect(action, &QAction::triggered, this, [this, run = std::move(run), name = name.trimmed()] { Run(run, name); });
    Bind(key, action);
    return action;
}

Command MainForm::CommandFor(const QString& key) {
    // Every widget of the window stands for a command of the engine's.
    const std::optional<Command> command = CommandNamed(key.toStdString());
    if (!command) qFatal("no command named %s", qPrintable(key));
    return *command;
}

void MainForm::Bind(const QString& key, QAction* action) {
    actions_.insert(key, action);
    boundActions_.emplace_back(action, CommandFor(key));
}

void MainForm::Run(const std::function<void()>& command, const QString& name) {
    // What the last command did is said until the next one.
    statusBar()->clearMessage();
    {
        const EditHistory::Step step(workspace_->history, name.toStdString());
        command();
    }
    work_->RepaintAll();
    SyncState();
}

void MainForm::BuildMenus() {
    Workspace& ws = *workspace_;
    FileCommands& files = *files_;
    const auto menu = [this](QMenu* parent, const QString& key, const QString& caption) {
        QMenu* m = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
        m->setObjectName(key);
        m->menuAction()->setObjectName(key);
        menus_.insert(key, m);
        Bind(key, m->menuAction());
        return m;
    };
    const auto add = [this](QMenu* m, const QString& key, const QString& caption, std::function<void()> run,
                            QKeySequence keys = {}, bool checkable = false) {
        QAction* a = AddAction(key, caption, std::move(run), checkable);
        a->setShortcut(keys);
        m->addAction(a);
        return a;
    };

    QMenu* file = menu(nullptr, QStringLiteral("MenuFile"), QStringLiteral("&File"));
    add(file, QStringLiteral("MenuFileNew"), QStringLiteral("&New..."), [this] { NewCommand(); }, QKeySequence::New);
    file->addSeparator();
    add(file, QStringLiteral("MenuFileOpen"), QStringLiteral("&Open Pattern..."),
        [this, &files] {
            if (files.OpenCommand()) StartWorkspaceWindows();
        },
        QKeySequence::Open);
    QMenu* recent = menu(file, QStringLiteral("MenuFileRecent"), QStringLiteral("Open &Recent"));
    // Filled each time it opens, from the list as it is then.
    connect(recent, &QMenu::aboutToShow, this, [this, recent, &files] {
        recent->clear();
        int n = 0;
        for (const std::string& path : files.recent.Files()) {
            const QString name = QString::fromStdString(path);
            QAction* entry = recent->addAction(QStringLiteral("&%1 %2").arg(++n % 10).arg(QFileInfo(name).fileName()));
            entry->setToolTip(name);
            entry->setStatusTip(name);
            connect(entry, &QAction::triggered, this, [this, path, &files] {
                Run([this, path, &files] {
                    if (files.OpenCommand(path)) StartWorkspaceWindows();
                });
            });
        }
        if (n == 0) recent->addAction(QStringLiteral("(none)"))->setEnabled(false);
        recent->addSeparator();
        QAction* clear = recent->addAction(QStringLiteral("&Clear"), this, [&files] { files.recent.Clear(); });
        clear->setEnabled(n > 0);
    });
    add(file, QStringLiteral("MenuFileClose"), QStringLiteral("&Close Pattern"), [&files] { files.ClosePattern(); },
        QKeySequence(Qt::CTRL | Qt::Key_W));
    file->addSeparator();
    add(file, QStringLiteral("MenuFileSave"), QStringLiteral("&Save Pattern"), [&files] { files.SavePatternCommand(false); },
        QKeySequence::Save);
    add(file, QStringLiteral("MenuFileSaveAs"), QStringLiteral("Save Pattern &As..."),
        [&files] { files.SavePatternCommand(true); }, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    QMenu* exportMenu = menu(file, QStringLiteral("MenuFileExport"), QStringLiteral("&Export"));
    add(exportMenu, QStringLiteral("MenuFileExportPatNoPic"), QStringLiteral("As  &Pattern Without Picture..."),
        [&files] { files.ExportWithoutPicture(); });
    add(exportMenu, QStringLiteral("MenuFileExportBMPNoPic"), QStringLiteral("Create &Bitmap File"),
        [this, &files] { files.ExportBitmapCommand(exportSurface_); });
    exportMenu->addSeparator();
    add(exportMenu, QStringLiteral("MenuFileExportSVG"), QStringLiteral("As &SVG Drawing..."),
        [&files] { files.ExportVectorCommand(VectorFormat::Svg); });
    add(exportMenu, QStringLiteral("MenuFileExportDXF"), QStringLiteral("As &DXF Drawing..."),
        [&files] { files.ExportVectorCommand(VectorFormat::Dxf); });
    add(exportMenu, QStringLiteral("MenuFileExportPDF"), QStringLiteral("As PD&F Page..."), [this, &files] {
        files.ExportDrawingCommand(DrawingFile::Pdf, [this](const std::string& path) { return ExportPdf(*session_, path); });
    });
    add(exportMenu, QStringLiteral("MenuFileExportPNG"), QStringLiteral("As PN&G Picture..."), [this, &files] {
        files.ExportPngCommand([this](const std::string& path, int dpi) { return ExportPng(*session_, dpi, path); });
    });
    file->addSeparator();
    add(file, QStringLiteral("MenuFilePrint"), QStringLiteral("&Print Pattern..."), [this] { PrintPattern(); },
        QKeySequence::Print);
    add(file, QStringLiteral("MenuFilePrintPreview"), QStringLiteral("Print Pre&view..."), [this] { PrintPreview(); });
    add(file, QStringLiteral("MenuFilePrintSetup"), QStringLiteral("Print Set&up..."), [this] { PrintSetup(); });
    file->addSeparator();
    add(file, QStringLiteral("MenuFileExit"), QStringLiteral("E&xit"), [this] { close(); }, QKeySequence::Quit);

    QMenu* edit = menu(nullptr, QStringLiteral("MenuEdit"), QStringLiteral("&Edit"));
    add(edit, QStringLiteral("MenuEditUndo"), QStringLiteral("&Undo"), [&ws] { ws.history.Undo(); }, QKeySequence::Undo);
    QAction* redo = add(edit, QStringLiteral("MenuEditRedo"), QStringLiteral("&Redo"), [&ws] { ws.history.Redo(); });
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    QMenu* select = menu(edit, QStringLiteral("MenuEditSelect"), QStringLiteral("&Select"));
    add(select, QStringLiteral("MenuEditSelectObject"), QStringLiteral("&Object"),
        [&ws] { ws.selection.ChooseSelectKind(SelectObjects); });
    add(select, QStringLiteral("MenuEditSelectEnds"), QStringLiteral("&Ends"),
        [&ws] { ws.selection.ChooseSelectKind(SelectEnds); });
    select->addSeparator();
    add(select, QStringLiteral("MenuEditSelectAll"), QStringLiteral("&All"),
        [&ws] {
            ws.selection.ChooseSelectKind(SelectObjects);
            ws.selection.SelectAll();
        },
        QKeySequence::SelectAll);
    add(edit, QStringLiteral("MenuEditDel"), QStringLiteral("&Delete Selected"), [&ws] { ws.selection.DeleteSelected(); });
    edit->addSeparator();
    QMenu* draw = menu(edit, QStringLiteral("MenuEditDraw"), QStringLiteral("Dra&w"));
    const auto drawWith = [&ws](std::int16_t tool) { return [&ws, tool] { ws.modes.ChooseDrawTool(tool); }; };
    QMenu* lines = menu(draw, QStringLiteral("MenuEditDrawLine"), QStringLiteral("&Lines"));
    add(lines, QStringLiteral("MenuEditDrawLineMode0"), QStringLiteral("&Trace"), drawWith(ToolTrace));
    add(lines, QStringLiteral("MenuEditDrawLineMode1"), QStringLiteral("&Straight"), drawWith(ToolLine));
    QMenu* curves = menu(draw, QStringLiteral("MenuEditDrawCurve"), QStringLiteral("&Curves"));
    add(curves, QStringLiteral("MenuEditDrawArc"), QStringLiteral("&Arc"), drawWith(ToolArc));
    add(curves, QStringLiteral("MenuEditDrawCircle"), QStringLiteral("&Circle"), drawWith(ToolCircle));
    QMenu* boxes = menu(draw, QStringLiteral("MenuEditDrawBox"), QStringLiteral("&Boxes"));
    add(boxes, QStringLiteral("MenuEditDrawBoxMode0"), QStringLiteral("&Rectangle"), drawWith(ToolRectangle));
    add(boxes, QStringLiteral("MenuEditDrawBoxMode1"), QStringLiteral("&Square"), drawWith(ToolSquare));
    QMenu* shapes = menu(edit, QStringLiteral("MenuEditShape"), QStringLiteral("Shape &Tools"));
    add(shapes, QStringLiteral("MenuEditShapeMode0"), QStringLiteral("&Sharp"), drawWith(ToolSharp));
    add(shapes, QStringLiteral("MenuEditShapeMode1"), QStringLiteral("S&mooth"), drawWith(ToolSmooth));
    add(shapes, QStringLiteral("MenuEditShapeMode2"), QStringLiteral("&Push"), drawWith(ToolPush));
    edit->addSeparator();
    add(edit, QStringLiteral("MenuEditClear"), QStringLiteral("&Clear Pattern"), [&files] { files.ClearPatternCommand(); });
    add(edit, QStringLiteral("MenuEditEraser"), QStringLiteral("Use &Eraser"), [&ws] { ws.modes.UseEraser(); });
    edit->addSeparator();
    add(edit, QStringLiteral("MenuEditAlignPat"), QStringLiteral("&Align Pattern"), [&ws] { ws.AlignPatternCommand(); });
    add(edit, QStringLiteral("MenuEditAlignPatEnd"), QStringLiteral("&End Align"), [this] { EndAlign(); });
    add(edit, QStringLiteral("MenuEditChangePic"), QStringLiteral("Change &Picture"),
        [&files] { files.ChangePictureCommand(); });
    add(edit, QStringLiteral("MenuEditAutoTrace"), QStringLiteral("Aut&o Trace..."), [this] { AutoTrace(); });

    QMenu* view = menu(nullptr, QStringLiteral("MenuView"), QStringLiteral("&View"));
    const QString views[] = {QStringLiteral("Pi&cture Only"), QStringLiteral("Pa&ttern Only"), QStringLiteral("&Both")};
    for (int v = 0; v < 3; ++v) {
        add(view, QStringLiteral("MenuViewWork%1").arg(v), views[v],
            [&ws, v] { ws.surface.SetViewMode(static_cast<std::int16_t>(v)); }, {}, true);
    }
    view->addSeparator();
    add(view, QStringLiteral("MenuViewMove"), QStringLiteral("&Move"), [&ws] { ws.modes.SetMode(ModeMove); });
    add(view, QStringLiteral("MenuViewZoom"), QStringLiteral("&Zoom"), [&ws] { ws.modes.SetMode(ModeZoom); });
    // The view's two resting points, in every mode.
    add(view, QStringLiteral("MenuViewZoomFit"), QStringLiteral("&Fit to Window"), [&ws] { ws.zoom.ZoomView(ZoomFit); },
        QKeySequence(Qt::CTRL | Qt::Key_9));
    add(view, QStringLiteral("MenuViewZoomNormal"), QStringLiteral("Tr&ue Size"), [&ws] { ws.zoom.ZoomView(ZoomNormal); },
        QKeySequence(Qt::CTRL | Qt::Key_0));
    view->addSeparator();
    add(view, QStringLiteral("MenuViewMouseHelp"), QStringLiteral("Mouse &Help"), [&ws] { ws.modes.ToggleMouseHelp(); },
        {}, true);
    // The look of the buttons: a window setting, no command of the engine.
    QMenu* captions = view->addMenu(QStringLiteral("Button Capt&ions"));
    captions->setObjectName(QStringLiteral("MenuViewCaptions"));
    auto* captionGroup = new QActionGroup(captions);
    const bool under = CaptionsUnder(settings_);
    const std::pair<QString, Qt::ToolButtonStyle> styles[] = {
        {QStringLiteral("&Beside the Icons"), Qt::ToolButtonTextBesideIcon},
        {QStringLiteral("&Under the Icons"), Qt::ToolButtonTextUnderIcon}};
    for (const auto& [caption, style] : styles) {
        QAction* a = captions->addAction(caption, this, [this, style = style] { SetButtonCaptions(style); });
        a->setObjectName(style == Qt::ToolButtonTextUnderIcon ? QStringLiteral("MenuViewCaptionsUnder")
                                                              : QStringLiteral("MenuViewCaptionsBeside"));
        a->setCheckable(true);
        a->setChecked(under == (style == Qt::ToolButtonTextUnderIcon));
        captionGroup->addAction(a);
    }

    QMenu* options = menu(nullptr, QStringLiteral("MenuOptions"), QStringLiteral("&Options"));
    QMenu* positions = menu(options, QStringLiteral("MenuOptionsPositions"), QStringLiteral("Window &Positions"));
    add(positions, QStringLiteral("MenuOptionsSavePositions"), QStringLiteral("&Save"), [this] { SavePositions(); });
    add(positions, QStringLiteral("MenuOptionsRestorePositions"), QStringLiteral("&Restore"), [this] { RestorePositions(); });
    options->addSeparator();
    add(options, QStringLiteral("MenuPatternPrintSize"), QStringLiteral("Pattern &Setup..."),
        [&files] { files.PatternSetupCommand(); });
    add(options, QStringLiteral("MenuOptionsSetup"), QStringLiteral("&Display Setup..."), [this] { ShowDisplaySetup(); });

    QMenu* help = menu(nullptr, QStringLiteral("MenuHelp"), QStringLiteral("&Help"));
    add(help, QStringLiteral("MenuHelpContents"), QStringLiteral("&Contents..."), [this] { ShowHelp(); },
        QKeySequence::HelpContents);
    QMenu* web = menu(help, QStringLiteral("MenuHelpWeb"), QStringLiteral("Tessary on the &Web"));
    add(web, QStringLiteral("MenuHelpWebFAQ"), QStringLiteral("&Frequently Asked Questions"),
        [this] { ShowWebPage(WebPage::Faq); });
    web->addSeparator();
    add(web, QStringLiteral("MenuHelpWebHome"), QStringLiteral("Tessary Home Page"), [this] { ShowWebPage(WebPage::Home); });
    help->addSeparator();
    add(help, QStringLiteral("MenuHelpAbout"), QStringLiteral("&About..."), [this] {
        AboutForm about(this);
        about.exec();
    });
}

QToolBar* MainForm::AddToolbar(const QString& key, const QStringList& buttons) {
    QToolBar* bar = addToolBar(key);
    bar->setObjectName(key);
    bar->setMovable(false);
    bar->setToolButtonStyle(CaptionsUnder(settings_) ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonTextBesideIcon);
    bar->setIconSize(QSize(20, 20));
    for (const QString& button : buttons) bar->addAction(actions_.value(button));
    toolbars_.insert(key, bar);
    boundToolbars_.emplace_back(bar, CommandFor(key));
    return bar;
}

void MainForm::BuildToolbars() {
    Workspace& ws = *workspace_;
    FileCommands& files = *files_;
    const auto button = [this](const char* key, const char* caption, const char* tip, std::function<void()> run,
                               bool checkable = false) {
        QAction* a = AddAction(QString::fromLatin1(key), QString::fromLatin1(caption), std::move(run), checkable);
        a->setToolTip(QString::fromLatin1(tip));
    };
    button("BtnOpen", "Open", "Open Pattern File", [this] { actions_.value(QStringLiteral("MenuFileOpen"))->trigger(); });
    button("BtnNew", "New", "Make New Pattern", [this] { NewCommand(); });
    button("BtnClose", "Close", "Close the Pattern", [&files] { files.ClosePattern(); });
    button("BtnSave", "Save", "Save the Pattern", [&files] { files.SavePatternCommand(false); });
    button("BtnPrint", "Print", "Print the Pattern", [this] { PrintPattern(); });
    button("BtnViewPicture", "Picture", "View Picture Only", [&ws] { ws.surface.SetViewMode(ViewPictureOnly); }, true);
    button("BtnViewBoth", "Both", "View Picture with Pattern", [&ws] { ws.surface.SetViewMode(ViewBoth); }, true);
    button("BtnViewPattern", "Pattern", "View Pattern Only", [&ws] { ws.surface.SetViewMode(ViewPatternOnly); }, true);
    button("BtnModeSelect", "Select", "Select an Object", [&ws] { ws.modes.SetMode(ModeSelect); }, true);
    button("BtnModeDraw", "Draw", "Draw an Object", [&ws] { ws.modes.SetMode(ModeDraw); }, true);
    button("BtnModeMove", "Move", "Move the Page", [&ws] { ws.modes.SetMode(ModeMove); }, true);
    button("BtnModeZoom", "Zoom", "Change the Magnification", [&ws] { ws.modes.SetMode(ModeZoom); }, true);
    button("BtnMouseWin", "Mouse", "Mouse Help", [&ws] { ws.modes.ToggleMouseHelp(); }, true);
    button("BtnPatternSetup", "Size", "Pattern Setup", [&files] { files.PatternSetupCommand(); });
    button("BtnDisplaySetup", "Display", "Display Setup", [this] { ShowDisplaySetup(); });
    button("BtnSelectObject", "Object", "Select Object", [&ws] { ws.selection.SetSelectKind(SelectObjects); }, true);
    button("BtnSelectEnds", "Ends", "Select Line Ends", [&ws] { ws.selection.SetSelectKind(SelectEnds); }, true);
    button("BtnDrawLine", "Line", "Draw a Line", [&ws] { ws.modes.ClickDrawLine(); }, true);
    button("BtnDrawArc", "Arc", "Draw an Arc", [&ws] { ws.modes.ClickDrawArc(); }, true);
    button("BtnDrawCircle", "Circle", "Draw a Circle", [&ws] { ws.modes.ClickDrawCircle(); }, true);
    button("BtnDrawBox", "Box", "Draw a Box", [&ws] { ws.modes.ClickDrawBox(); }, true);
    const std::pair<const char*, std::array<const char*, 2>> moves[] = {
        {"BtnMoveCorner", {"Corner", "Move to Upper Left"}}, {"BtnMoveCenter", {"Center", "Move to Center"}},
        {"BtnMoveUp", {"Up", "Move Up"}},                     {"BtnMoveDown", {"Down", "Move Down"}},
        {"BtnMoveLeft", {"Left", "Move Left"}},               {"BtnMoveRight", {"Right", "Move Right"}}};
    for (int code = 0; code < 6; ++code) {
        button(moves[code].first, moves[code].second[0], moves[code].second[1],
               [&ws, code] { ws.zoom.MoveImage(static_cast<std::int16_t>(code)); });
    }
    button("BtnZoomNormal", "Normal", "Normal Image Size", [&ws] { ws.zoom.ZoomView(ZoomNormal); });
    button("BtnZoomFit", "Fit", "Fit to Screen", [&ws] { ws.zoom.ZoomView(ZoomFit); });
    button("BtnZoomIn", "In", "Zoom In", [&ws] { ws.zoom.ZoomView(ZoomIn); });
    button("BtnZoomOut", "Out", "", [&ws] { ws.zoom.ZoomView(ZoomOut); });
    button("BtnAlignPatOK", " End Align ", "End Pattern Alignment", [this] { EndAlign(); });
    button("BtnUndo", "Undo", "Undo", [&ws] { ws.history.Undo(); });
    button("BtnRedo", "Redo", "Redo", [&ws] { ws.history.Redo(); });
    // The zoom works from the keyboard in every mode while a pattern is open.
    // Ctrl+= beside Ctrl++ (one key on most keyboards), and the keypad's + and -.
    // (Fit and true size are the View menu's.)
    const std::pair<const char*, QList<QKeySequence>> zoomKeys[] = {
        {"BtnZoomIn",
         {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal),
          QKeySequence(Qt::KeypadModifier | Qt::Key_Plus)}},
        {"BtnZoomOut", {QKeySequence(QKeySequence::ZoomOut), QKeySequence(Qt::KeypadModifier | Qt::Key_Minus)}}};
    for (const auto& [key, sequences] : zoomKeys) {
        QAction* zoom = actions_.value(QString::fromLatin1(key));
        zoom->setShortcuts(sequences);
        zoom->setShortcutContext(Qt::ApplicationShortcut);
        addAction(zoom);
    }

    AddToolbar(QStringLiteral("ToolbarMain0"), {QStringLiteral("BtnOpen"), QStringLiteral("BtnNew")});
    AddToolbar(QStringLiteral("ToolbarMain1"),
               {QStringLiteral("BtnClose"), QStringLiteral("BtnSave"), QStringLiteral("BtnPrint"), QStringLiteral("BtnUndo"),
                QStringLiteral("BtnRedo"), QStringLiteral("BtnViewPicture"),
                QStringLiteral("BtnViewBoth"), QStringLiteral("BtnViewPattern"), QStringLiteral("BtnModeSelect"),
                QStringLiteral("BtnModeDraw"), QStringLiteral("BtnModeMove"), QStringLiteral("BtnModeZoom")});
    const QStringList functions[] = {
        {QStringLiteral("BtnSelectObject"), QStringLiteral("BtnSelectEnds")},
        {QStringLiteral("BtnDrawLine"), QStringLiteral("BtnDrawArc"), QStringLiteral("BtnDrawCircle"),
         QStringLiteral("BtnDrawBox")},
        {QStringLiteral("BtnMoveCorner"), QStringLiteral("BtnMoveCenter"), QStringLiteral("BtnMoveUp"),
         QStringLiteral("BtnMoveDown"), QStringLiteral("BtnMoveLeft"), QStringLiteral("BtnMoveRight")},
        {QStringLiteral("BtnZoomNormal"), QStringLiteral("BtnZoomFit"), QStringLiteral("BtnZoomIn"),
         QStringLiteral("BtnZoomOut")}};
    AddToolbar(QStringLiteral("ToolbarMain2"), {QStringLiteral("BtnAlignPatOK")});
    QToolBar* stretchBar = AddToolbar(QStringLiteral("AlignStretchBar"), {});
    stretchBar->addWidget(new QLabel(QStringLiteral("Shrink"), stretchBar));
    stretch_ = new QSlider(Qt::Horizontal, stretchBar);
    stretch_->setObjectName(QStringLiteral("AlignStretchScroll"));
    stretch_->setToolTip(QStringLiteral("Stretch or shrink the pattern about the picture's centre"));
    stretch_->setMinimumWidth(240);
    stretch_->setFocusPolicy(Qt::StrongFocus);
    connect(stretch_, &QSlider::valueChanged, this,
            [this, &ws](int value) { Run([&ws, value] { ws.alignment.StretchBarChanged(value); }); });
    stretchBar->addWidget(stretch_);
    stretchBar->addWidget(new QLabel(QStringLiteral("Expand"), stretchBar));
    // The function toolbars take their own row, so none is cut short.
    addToolBarBreak();
    for (int i = 0; i < 4; ++i) {
        QStringList buttons;
        for (const char* common : kCommonButtons) buttons << QString::fromLatin1(common);
        AddToolbar(QStringLiteral("ToolbarFunc%1").arg(i + 1), buttons + functions[i]);
    }
}

void MainForm::SyncState() {
    work_->RepaintChanges();
    autosave_->Notice();
    const Workspace& ws = *workspace_;
    const bool patternOpen = files_->PatternOpen();
    // A star after the name while there are unsaved changes.
    setWindowTitle(ws.surface.Caption.empty()
                       ? QString::fromLatin1(kAppTitle)
                       : QString::fromLatin1(kAppTitle) + QStringLiteral(" - ") +
                             QString::fromStdString(ws.surface.Caption) +
                             (patternOpen && ws.store.PatternChanged() ? QStringLiteral("*") : QString()));
    ShowStatus();
    const bool visibleWindow = isVisible() && !isMinimized();
    palette_->Refresh();
    // The palette keeps its place beside the work window while a pattern is
    // open, so the view does not jump as tools come and go; it is usable
    // only while drawing.
    paletteDock_->setVisible(visibleWindow && patternOpen);
    palette_->setEnabled(ws.commands[Command::DrawToolsForm].visible);
    mouseHelp_->SetMouseHelp(QString::fromStdString(ws.modes.MouseHelpLeft()),
                             QString::fromStdString(ws.modes.MouseHelpRight()));
    mouseDock_->setVisible(visibleWindow && patternOpen && ws.commands[Command::MouseForm].visible);
    if (ws.commands.Revision() != syncedRevision_) {
        syncedRevision_ = ws.commands.Revision();
        for (const auto& [action, command] : boundActions_) {
            const CommandItem& item = ws.commands[command];
            action->setVisible(item.visible);
            action->setEnabled(item.enabled);
            if (action->isCheckable()) action->setChecked(item.checked);
        }
        for (const auto& [bar, command] : boundToolbars_) bar->setVisible(ws.commands[command].visible);
        // The work window takes its new size now, so a fitted view follows.
        if (layout()) layout()->activate();
    }
    // The entries name what they take back or do again.
    const QString undo = QString::fromStdString(ws.history.UndoName());
    const QString redo = QString::fromStdString(ws.history.RedoName());
    actions_.value(QStringLiteral("MenuEditUndo"))->setText(undo.isEmpty() ? QStringLiteral("&Undo") : QStringLiteral("&Undo ") + undo);
    actions_.value(QStringLiteral("MenuEditRedo"))->setText(redo.isEmpty() ? QStringLiteral("&Redo") : QStringLiteral("&Redo ") + redo);
    actions_.value(QStringLiteral("BtnUndo"))->setToolTip(undo.isEmpty() ? QStringLiteral("Undo") : QStringLiteral("Undo ") + undo);
    actions_.value(QStringLiteral("BtnRedo"))->setToolTip(redo.isEmpty() ? QStringLiteral("Redo") : QStringLiteral("Redo ") + redo);
    if (ws.alignment.Aligning()) {
        const QSignalBlocker quiet(stretch_);
        stretch_->setRange(kStretchLowest, ws.alignment.StretchMaximum());
        stretch_->setValue(ws.alignment.StretchValue());
    }
    // Their keys work in every mode, but only on an open pattern.
    for (const char* key : {"BtnZoomNormal", "BtnZoomFit", "BtnZoomIn", "BtnZoomOut"}) {
        actions_.value(QString::fromLatin1(key))->setEnabled(patternOpen);
    }
}

void MainForm::EndAlign() {
    workspace_->EndAlignCommand();
    // The button that had the focus is gone with the alignment's toolbar.
    work_->setFocus();
}

void MainForm::BuildStatusBar() {
    for (QLabel*& label : status_) {
        label = new QLabel(this);
        label->setContentsMargins(6, 0, 6, 0);
        statusBar()->addPermanentWidget(label);
    }
    status_[0]->setObjectName(QStringLiteral("StatusPosition"));
    status_[1]->setObjectName(QStringLiteral("StatusZoom"));
    status_[2]->setObjectName(QStringLiteral("StatusButtons"));
    status_[3]->setObjectName(QStringLiteral("StatusCounts"));
    status_[0]->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000.00, 000.00 cm")) + 12);
}

void MainForm::ShowStatus() {
    const bool open = files_->PatternOpen();
    const StatusReport r = ReportStatus(*workspace_, open ? work_->Pointer() : std::nullopt);
    status_[0]->setText(QString::fromStdString(r.position));
    status_[1]->setText(open ? QStringLiteral("Zoom ") + QString::fromStdString(r.zoom) : QString());
    status_[2]->setText(open ? QString::fromStdString(r.buttons) : QString());
    status_[3]->setText(open ? QString::fromStdString(r.counts) : QString());
}

void MainForm::NewCommand() {
    NewOptionsForm chooser(this);
    chooser.exec();
    if (chooser.Choice() == NewOptionsForm::CancelChoice || !files_->CloseForNew()) return;
    files_->NewPattern(chooser.Choice() == NewOptionsForm::TracePicture);
    if (files_->PatternOpen()) StartWorkspaceWindows();
}

void MainForm::StartWorkspaceWindows() { work_->setFocus(); }

QString MainForm::DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().front();
    if (!url.isLocalFile()) return {};
    const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
    const QStringList known = {QStringLiteral("pat"), QStringLiteral("bmp"), QStringLiteral("jpg"),
                               QStringLiteral("jpeg"), QStringLiteral("gif"), QStringLiteral("png")};
    return known.contains(suffix) ? url.toLocalFile() : QString();
}

bool MainForm::TakeDrop(QEvent* event) {
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove && event->type() != QEvent::Drop) {
        return false;
    }
    auto* drop = static_cast<QDropEvent*>(event);
    const QString file = DroppedFile(drop->mimeData());
    if (file.isEmpty() || QApplication::activeModalWidget() || workspace_->modes.AppState() == AppAligning) {
        return false;
    }
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop) OpenDropped(file);
    return true;
}

void MainForm::OpenDropped(const QString& file) {
    const std::string path = file.toStdString();
    if (QFileInfo(file).suffix().toLower() == QStringLiteral("pat")) {
        Run([this, path] {
            if (files_->OpenCommand(path)) StartWorkspaceWindows();
        });
        return;
    }
    Run([this, path] {
        if (!files_->CloseForNew()) return;
        files_->NewPattern(true, path);
        if (files_->PatternOpen()) StartWorkspaceWindows();
    });
}

QDockWidget* MainForm::AddDock(QWidget* panel, const QString& name, QDockWidget::DockWidgetFeatures features) {
    auto* dock = new QDockWidget(panel->windowTitle(), this);
    dock->setObjectName(name);
    dock->setWidget(panel);
    dock->setFeatures(features);
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    dock->hide();
    dock->installEventFilter(this);
    return dock;
}

void MainForm::ShowPatternSetup(bool forNewPattern) {
    DimensionForm dialog(*session_, dialogs_, this, forNewPattern);
    dialog.exec();
}

void MainForm::PrintPattern() {
    if (!printer_.isValid()) {
        // No print service queue: Print Setup offers printing to a PDF file.
        PrintSetup();
        if (!printer_.isValid() && printer_.outputFormat() != QPrinter::PdfFormat) return;
    }
    QtPrintDevice device(printer_);
    PrintCommand(*workspace_, device, exportSurface_, folders_, [this](PrintWizardModel& wizard) {
        PrintWizardForm dialog(wizard, this, [this, &wizard] { ShowPrintPreview(JobFromWizard(wizard, PrintJob{})); });
        dialog.exec();
    });
}

void MainForm::PrintPreview() {
    QtPrintDevice device(printer_);
    PrintPreviewCommand(*workspace_, device, [this](const PrintJob& job) { ShowPrintPreview(job); });
}

void MainForm::ShowPrintPreview(const PrintJob& job) {
    PrintPreviewForm preview(
        printer_, job.PrintOrientation,
        [this, job](QPrinter& pages) {
            QtPrintDevice device(pages, QtPrintDevice::Showing{});
            PreviewPages(*workspace_, device, exportSurface_, job);
        },
        this);
    preview.exec();
}

void MainForm::PrintSetup() {
    QPrintDialog dialog(&printer_, this);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.exec();
    QApplication::processEvents();
}

void MainForm::ShowHelp() {
    const QString chm = QCoreApplication::applicationDirPath() + QStringLiteral("/pattern.chm");
    if (QFileInfo::exists(chm) && QDesktopServices::openUrl(QUrl::fromLocalFile(chm))) return;
    ShowInHelpWindow(QUrl(QString::fromLatin1(kGuideAddress)));
}

void MainForm::ShowInHelpWindow(const QUrl& page) {
    if (!help_) {
        help_ = new QTextBrowser;
        help_->setAttribute(Qt::WA_DeleteOnClose);
        help_->setObjectName(QStringLiteral("HelpBrowser"));
        help_->setWindowTitle(QString::fromLatin1(kAppTitle) + QStringLiteral(" Help"));
        help_->resize(760, 640);
        help_->move(frameGeometry().topLeft() + QPoint(40, 40));
        auto* close = new QShortcut(QKeySequence::Cancel, help_);
        connect(close, &QShortcut::activated, help_, &QWidget::close);
        auto* closeToo = new QShortcut(QKeySequence::Close, help_);
        connect(closeToo, &QShortcut::activated, help_, &QWidget::close);
    }
    help_->setSource(page);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void MainForm::ShowWebPage(WebPage page) {
    const std::string address = WebPageAddress(settings_, page);
    const QUrl url(QString::fromStdString(address));
    switch (ViewerFor(address)) {
        case PageViewer::HelpWindow: ShowInHelpWindow(url); return;
        case PageViewer::Browser:
            if (QDesktopServices::openUrl(url)) return;
            break;
        case PageViewer::None: break;
    }
    session_->messages.MsgPageNotOpened(address);
}

void MainForm::AutoTrace() {
    if (!RoomToTrace(*workspace_)) {
        session_->messages.MsgPatternFull();
        return;
    }
    AutoTraceForm dialog(*workspace_, pictures_.PicturePixels(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    StoreAutoTraceOptions(session_->settings, dialog.Options(), session_->options.MetricPage);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const AutoTraceCounts counts = AddAutoTrace(*workspace_, dialog.Picture(), dialog.Options());
    QApplication::restoreOverrideCursor();
    const QLocale locale;
    QString text = counts.lines == 0 ? QStringLiteral("Auto Trace found nothing to add")
                                     : QStringLiteral("Auto Trace added %1 lines").arg(locale.toString(counts.lines));
    if (counts.pieces > 0) text += QStringLiteral(" around %1 pieces").arg(locale.toString(counts.pieces));
    session_->messages.Notice(text.toStdString());
}

void MainForm::ShowDisplaySetup() {
    SetupForm dialog(*workspace_, dialogs_, this);
    connect(&dialog, &SetupForm::applied, work_, &WorkForm::ScreenChanged);
    dialog.exec();
    work_->ScreenChanged();
}

void MainForm::OpenFromCommandLine(const QString& text) {
    Run([this, &text] {
        files_->OpenFromCommandLine(text.toStdString());
        if (files_->PatternOpen()) StartWorkspaceWindows();
    });
}

void MainForm::OpenWhenFree(const QString& text) {
    // Not under a dialog that is waiting for an answer: once it is closed.
    if (QApplication::activeModalWidget() || !isEnabled()) {
        QTimer::singleShot(250, this, [this, text] { OpenWhenFree(text); });
        return;
    }
    OpenFromCommandLine(text);
}

void MainForm::OfferRecovery() {
    Run([this] {
        autosave_->OfferRecovery(this);
        if (files_->PatternOpen()) StartWorkspaceWindows();
    });
}

void MainForm::RestorePositions() {
    const double twips = 1440.0 / logicalDpiX();
    const QScreen* screen = this->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    WindowPlacement p = RestoreWindowPositions(settings_, static_cast<float>(available.width() * twips),
                                               static_cast<float>(available.height() * twips));
    // Where the panels were docked or floated; Qt keeps a floating one on a screen.
    if (const auto docks = settings_.Read(kDockSection, kDockKey)) {
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(*docks)));
    }
    if (p.state == WindowMaximised) {
        setWindowState(Qt::WindowMaximized);
        return;
    }
    // Stored numbers may be anything: the frame goes onto a screen present
    // (the primary one, listed first, when it is on none).
    std::vector<ScreenArea> screens;
    for (const QScreen* s : QGuiApplication::screens()) {
        const QRect a = s->availableGeometry();
        screens.push_back(ScreenArea{static_cast<float>(a.left() * twips), static_cast<float>(a.top() * twips),
                                     static_cast<float>(a.width() * twips), static_cast<float>(a.height() * twips)});
    }
    const QSize least = minimumSizeHint();
    p = FitOnScreens(p, screens, static_cast<float>(least.width() * twips), static_cast<float>(least.height() * twips));
    setWindowState(p.state == WindowMinimised ? Qt::WindowMinimized : Qt::WindowNoState);
    setGeometry(qRound(p.left / twips), qRound(p.top / twips), qRound(p.width / twips), qRound(p.height / twips));
}

void MainForm::SavePositions() {
    const double twips = 1440.0 / logicalDpiX();
    WindowPlacement p;
    p.state = isMaximized() ? WindowMaximised : (isMinimized() ? WindowMinimised : WindowNormal);
    const QRect g = geometry();
    p.top = static_cast<float>(g.top() * twips);
    p.left = static_cast<float>(g.left() * twips);
    p.height = static_cast<float>(g.height() * twips);
    p.width = static_cast<float>(g.width() * twips);
    StoreWindowPositions(settings_, p);
    settings_.Write(kDockSection, kDockKey, saveState().toBase64().toStdString());
    SaveSettings(settings_, session_->messages);
}

void MainForm::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    Run([this, &mayClose] { mayClose = files_->MayExit(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    files_->Unload();
    if (help_) help_->close();
    event->accept();
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    // Files dragged over any part of the window.
    const auto* target = qobject_cast<QWidget*>(watched);
    if (target && target->window() == this && TakeDrop(event)) return true;
    if (watched == mouseDock_ && event->type() == QEvent::Close && mouseDock_->isVisible()) {
        // Closing the panel switches the mouse help off.
        Run([this] { workspace_->modes.ShowMouseHelp(false); });
        return false;
    }
    if (event->type() != QEvent::KeyPress || QApplication::activeModalWidget()) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    const QWidget* top = widget->window();
    if (top != this && top != paletteDock_ && top != mouseDock_) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    int code = 0;
    if (key->key() == Qt::Key_Delete) code = KeyDelete;
    if (key->key() == Qt::Key_Backspace) code = KeyBackspace;
    if (key->key() == Qt::Key_Period && (key->modifiers() & Qt::KeypadModifier)) code = KeyDecimal;
    // Escape lets go of a series, an arc being placed or the selection.
    if (key->key() == Qt::Key_Escape) code = KeyEscape;
    // Arrow keys and Page Up / Down move the view while the work window has the keys.
    if (widget == work_ && !(key->modifiers() & Qt::ControlModifier)) {
        const QSize page = work_->size();
        const std::pair<int, QPointF> pans[] = {{Qt::Key_Left, {page.width() / 10.0, 0}},
                                                {Qt::Key_Right, {-page.width() / 10.0, 0}},
                                                {Qt::Key_Up, {0, page.height() / 10.0}},
                                                {Qt::Key_Down, {0, -page.height() / 10.0}},
                                                {Qt::Key_PageUp, {0, page.height() * 0.9}},
                                                {Qt::Key_PageDown, {0, -page.height() * 0.9}}};
        for (const auto& [k, by] : pans) {
            if (key->key() != k) continue;
            work_->Pan(by.x(), by.y());
            return true;
        }
    }
    if (code == 0) return false;
    Run([this, code, key] { workspace_->input.WorkspaceKeyDown(code, key->modifiers() & Qt::ShiftModifier); });
    return true;
}

void MainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) SyncState();
    if (event->type() == QEvent::PaletteChange) ApplyIcons();
}

void MainForm::ApplyIcons() {
    for (const auto& [name, keys] : kIcons) {
        const QIcon icon = ThemedIcon(QString::fromLatin1(name), palette());
        for (const char* key : keys) {
            if (QAction* a = key ? actions_.value(QString::fromLatin1(key)) : nullptr) a->setIcon(icon);
        }
    }
}

void MainForm::SetButtonCaptions(Qt::ToolButtonStyle style) {
    for (QToolBar* bar : std::as_const(toolbars_)) bar->setToolButtonStyle(style);
    settings_.Write(kDockSection, kCaptionsKey, style == Qt::ToolButtonTextUnderIcon ? "Under" : "Beside");
}

}  // namespace tessary
