#include "ui/shell/AutosaveTimer.h"

#include <QApplication>
#include <chrono>
#include <cstdlib>

#include "ui/shell/RecoveryForm.h"

namespace tessary {

AutosaveTimer::AutosaveTimer(Workspace& ws, FileCommands& files, const SettingsStore& settings, QObject* parent)
    : QObject(parent),
      autosave_(ws, files, RecoveryFolder(qgetenv("XDG_STATE_HOME").constData(), qgetenv("HOME").constData()),
                AutosaveInterval(settings)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &AutosaveTimer::Tick);
}

void AutosaveTimer::Notice() {
    autosave_.Notice(AutosaveClock::now());
    Arm();
}

void AutosaveTimer::Tick() {
    // A failure message lets events run, and this timer with them.
    if (ticking_) return;
    ticking_ = true;
    const bool busy = QApplication::mouseButtons() != Qt::NoButton || QApplication::activeModalWidget() ||
                      QApplication::activePopupWidget();
    autosave_.Tick(AutosaveClock::now(), busy);
    ticking_ = false;
    Arm();
}

void AutosaveTimer::Arm() {
    using std::chrono::milliseconds;
    const auto wait = autosave_.NextTick(AutosaveClock::now());
    if (!wait) {
        timer_.stop();
        return;
    }
    // At least a moment, so a write held back by a pass does not spin.
    const int ms = static_cast<int>(std::max(milliseconds(10), std::chrono::ceil<milliseconds>(*wait)).count());
    // Every mouse move comes here: a timer already set for then stays.
    if (timer_.isActive() && std::abs(timer_.remainingTime() - ms) <= 5) return;
    timer_.start(ms);
}

void AutosaveTimer::OfferRecovery(QWidget* owner) {
    autosave_.OfferRecovery([owner](const std::vector<RecoveryFile>& files) {
        RecoveryForm form(files, owner);
        return form.Ask();
    });
}

}  // namespace tessary
