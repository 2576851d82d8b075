#pragma once

#include <QWidget>

class QScrollBar;

namespace tessary {

class WorkForm;
class Workspace;

// The work window with its scroll bars, shown while some of the picture is
// out of sight. The bars follow every zoom and pan, and dragging them pans.
class WorkArea : public QWidget {
    Q_OBJECT
public:
    WorkArea(Workspace& ws, WorkForm* work, QWidget* parent = nullptr);

    // Puts the bars where the view is now.
    void SyncBars();

private:
    void BarMoved(Qt::Orientation orientation, int value);

    Workspace& ws_;
    WorkForm* work_;
    QScrollBar* horizontal_;
    QScrollBar* vertical_;
    // The bars' values as last set from the view: a move pans by the change.
    int shownH_ = 0;
    int shownV_ = 0;
};

}  // namespace tessary
