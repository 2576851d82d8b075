#pragma once

#include <QDockWidget>
#include <QMainWindow>
#include <QPrinter>
#include <QPointer>
#include <QUrl>
#include <array>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "core/shell/FileCommands.h"
#include "core/shell/HelpPages.h"
#include "core/engine/Session.h"
#include "core/engine/Workspace.h"
#include "core/print/PrintJob.h"
#include "core/shell/FolderMemory.h"
#include "ui/platform/QtCommandDialogs.h"
#include "ui/platform/StandardFolders.h"
#include "ui/platform/QtMessagePresenter.h"
#include "ui/platform/QtPictureLayers.h"
#include "ui/platform/QtProgressWindow.h"
#include "ui/platform/QtRasterSurface.h"
#include "ui/platform/QtSettingsStore.h"

class QDockWidget;
class QLabel;
class QMimeData;
class QSlider;
class QToolBar;
class QTextBrowser;

namespace tessary {

class AutosaveTimer;
class DrawToolsForm;
class MouseForm;
class WorkForm;

// The main window: menus and toolbars bound by name to the engine's
// command state, the work window in the middle, and the commands behind
// them. It owns the one session and its engine.
class MainForm : public QMainWindow {
    Q_OBJECT
public:
    MainForm();
    ~MainForm() override;
    // A file dropped on the window: a pattern opens, a picture starts a new
    // pattern traced over it (an open pattern is closed first).
    void OpenDropped(const QString& file);

    Workspace& Engine() { return *workspace_; }
    FileCommands& Files() { return *files_; }
    WorkForm* Work() const { return work_; }
    DrawToolsForm* Palette() const { return palette_; }
    MouseForm* MouseHelp() const { return mouseHelp_; }
    QAction* Action(const QString& key) const { return actions_.value(key); }
    QToolBar* Toolbar(const QString& key) const { return toolbars_.value(key); }
    QtMessagePresenter& Presenter() { return presenter_; }
    QtCommandDialogs& Dialogs() { return dialogs_; }
    // The printer as Print Setup leaves it; every print starts from it.
    QPrinter& PrinterSetup() { return printer_; }

    // Opens the file named by the command-line text, if it exists (asking
    // first to save the pattern open).
    void OpenFromCommandLine(const QString& text);
    // The same for a later copy's command line: at once, or when the dialog
    // now open is closed.
    void OpenWhenFree(const QString& text);
    // At start: offers to recover what a run that did not end cleanly left.
    void OfferRecovery();
    // Shows what the engine now holds: menus, toolbars, windows, caption.
    void SyncState();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddAction(const QString& key, const QString& caption, std::function<void()> run, bool checkable = false);
    QToolBar* AddToolbar(const QString& key, const QStringList& buttons);
    void EndAlign();
    // A pattern file dropped anywhere on the window is opened; a picture
    // starts a new pattern traced over it. True when the event was one.
    bool TakeDrop(QEvent* event);
    static QString DroppedFile(const QMimeData* data);
    void BuildStatusBar();
    QDockWidget* AddDock(QWidget* panel, const QString& name, QDockWidget::DockWidgetFeatures features);
    // The pointer's place, the zoom, the buttons and the counts.
    void ShowStatus();
    static Command CommandFor(const QString& key);
    void Bind(const QString& key, QAction* action);
    void BuildMenus();
    void BuildToolbars();
    // Tessary's icons on the buttons and their menu entries, in the palette's
    // ink; the buttons' captions beside or under them, as the setting says.
    void ApplyIcons();
    void SetButtonCaptions(Qt::ToolButtonStyle style);
    // A command of the window, one step of the edit history under name.
    void Run(const std::function<void()>& command, const QString& name = {});
    void NewCommand();
    // Edit > Auto Trace...: the dialog, then the trace as one step.
    void AutoTrace();
    void ShowPatternSetup(bool forNewPattern);
    void ShowHelp();
    // A page of the user guide in the help window, at its anchor if it has one.
    void ShowInHelpWindow(const QUrl& page);
    void ShowWebPage(WebPage page);
    void ShowDisplaySetup();
    void PrintPattern();
    void PrintPreview();
    void ShowPrintPreview(const PrintJob& job);
    void PrintSetup();
    void StartWorkspaceWindows();
    void RestorePositions();
    void SavePositions();

    QtSettingsStore settings_;
    QtMessagePresenter presenter_;
    QtProgressWindow progressWindow_;
    QtCommandDialogs dialogs_;
    // The file dialogs as the commands see them: each starts where its kind
    // of file was last chosen.
    FolderMemory folders_{dialogs_, settings_, StandardFolders()};
    QtPictureLayers pictures_;
    QtRasterSurface exportSurface_;
    QPrinter printer_{QPrinter::HighResolution};
    std::unique_ptr<Session> session_;
    std::unique_ptr<Workspace> workspace_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<AutosaveTimer> autosave_;
    WorkForm* work_ = nullptr;
    DrawToolsForm* palette_ = nullptr;
    QSlider* stretch_ = nullptr;  // the alignment's stretch bar
    std::array<QLabel*, 4> status_{};
    MouseForm* mouseHelp_ = nullptr;
    // The palette and the mouse help sit beside the work window, or float.
    QDockWidget* paletteDock_ = nullptr;
    QDockWidget* mouseDock_ = nullptr;
    QPointer<QTextBrowser> help_;
    QHash<QString, QAction*> actions_;
    QHash<QString, QToolBar*> toolbars_;
    QHash<QString, QMenu*> menus_;
    std::vector<std::pair<QAction*, Command>> boundActions_;
    std::vector<std::pair<QToolBar*, Command>> boundToolbars_;
    std::uint64_t syncedRevision_ = ~std::uint64_t{0};
};

}  // namespace tessary
