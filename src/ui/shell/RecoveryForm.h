#pragma once

#include <QDialog>
#include <vector>

#include "core/shell/Recovery.h"

class QTreeWidget;

namespace tessary {

// The question at start about the patterns a run that did not end cleanly
// left behind: the selected one is recovered or discarded, or all wait for
// a later start. Every choice has its key; Escape is Later.
class RecoveryForm : public QDialog {
    Q_OBJECT
public:
    RecoveryForm(const std::vector<RecoveryFile>& files, QWidget* owner);

    RecoveryAnswer Ask();

private:
    void Choose(RecoveryChoice choice);

    QTreeWidget* list_ = nullptr;
    RecoveryChoice choice_ = RecoveryChoice::Later;
};

}  // namespace tessary
