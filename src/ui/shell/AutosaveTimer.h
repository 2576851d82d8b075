#pragma once

#include <QObject>
#include <QTimer>

#include "core/shell/Recovery.h"

class QWidget;

namespace tessary {

class SettingsStore;

// Runs the autosave on the window's clock: a timer set for when the next
// write is due, and a look after everything the user does.
class AutosaveTimer : public QObject {
public:
    AutosaveTimer(Workspace& ws, FileCommands& files, const SettingsStore& settings, QObject* parent);

    // After every command and every input on the work window.
    void Notice();
    // At start: the question about what an earlier run left, above owner.
    void OfferRecovery(QWidget* owner);

private:
    void Tick();
    void Arm();

    Autosave autosave_;
    QTimer timer_;
    bool ticking_ = false;
};

}  // namespace tessary
