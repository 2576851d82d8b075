#include "core/engine/DisplaySetupModel.h"

#include <algorithm>
#include <cmath>

#include "core/engine/Workspace.h"
#include "core/platform/CommandDialogs.h"
#include "core/services/Settings.h"

namespace tessary {

namespace {

// DisplaySetup's alert and sound index for this dialog.
constexpr int kDisplayDialog = 0;

std::int16_t Clamped(int value, SliderRange range) {
    return static_cast<std::int16_t>(std::clamp(value, range.minimum, range.maximum));
}

}  // namespace

const char* FolderPurpose(int folder) {
    static constexpr const char* kPurposes[] = {"Default Pattern File Location", "Default Digital Picture Directory",
                                                "Directory for Temporary Files"};
    return kPurposes[folder];
}

DisplaySetupModel::DisplaySetupModel(Workspace& ws, CommandDialogs& dialogs)
    : ws_(ws), dialogs_(dialogs), record_(ws.session.display), controls_(record_) {
    const long stored = ReadInteger(ws_.session.settings, kDisplaySetupSection, "StartTab", 0);
    currentTab_ = stored >= 0 && stored < kDisplaySetupTabs ? static_cast<int>(stored) : 0;
    SetPenSlider(controls_.MonitorPen());
    SetTraceSlider(controls_.TraceSegment());
    opened_ = controls_;
}

std::string DisplaySetupModel::PenSizeCaption() const {
    return "Monitor Pen Size (" + std::to_string(controls_.MonitorPen()) + ")";
}

std::string DisplaySetupModel::TraceCaption() const {
    return "Trace Segment Length (" + std::to_string(controls_.TraceSegment()) + ")";
}

void DisplaySetupModel::SetPenSlider(int pixels) { controls_.SetMonitorPen(Clamped(pixels, kMonitorPenRange)); }

void DisplaySetupModel::SetTraceSlider(int twips) { controls_.SetTraceSegment(Clamped(twips, kTraceSegmentRange)); }

int DisplaySetupModel::RulerPixels(double systemTwips) const {
    const double twips = controls_.ScreenTwipsPerPixel() > 0 ? controls_.ScreenTwipsPerPixel() : systemTwips;
    return static_cast<int>(std::lround(kRulerInches * 1440 / twips));
}

std::string DisplaySetupModel::ScreenCaption(double systemTwips) const {
    const bool measured = controls_.ScreenTwipsPerPixel() > 0;
    const double twips = measured ? controls_.ScreenTwipsPerPixel() : systemTwips;
    const long perInch = std::lround(1440 / twips);
    return std::to_string(perInch) + " pixels an inch" + (measured ? " (measured)" : " (as the system says)");
}

void DisplaySetupModel::SetRulerPixels(int pixels) {
    const int length = std::clamp(pixels, kRulerRange.minimum, kRulerRange.maximum);
    controls_.SetScreenTwipsPerPixel(static_cast<float>(kRulerInches * 1440.0 / length));
}

void DisplaySetupModel::ChangeColour(int index) {
    if (const auto chosen = dialogs_.AskColour(controls_.GetColour(index))) controls_.SetColour(index, *chosen);
}

void DisplaySetupModel::ChooseFolder(int index) {
    if (const auto chosen = dialogs_.AskFolder(FolderPurpose(index), controls_.GetFolder(index))) {
        controls_.SetFolder(index, *chosen);
    }
}

void DisplaySetupModel::Apply() {
    ws_.session.display = controls_;
    ws_.RefreshPatternLook();
}

void DisplaySetupModel::Ok() {
    Apply();
    StoreDisplaySetup(ws_.session.display, ws_.session.settings);
    Close();
}

// Something Cancel would take back: an entry, or what Apply put into effect.
bool DisplaySetupModel::Changed() const { return !(controls_ == opened_) || !(ws_.session.display == record_); }

CancelOutcome DisplaySetupModel::Cancel() {
    if (ws_.session.display.GetAlert(kDisplayDialog) && Changed()) {
        switch (ws_.session.messages.MsgSaveChanges(false)) {
            case AnswerCancel: return CancelOutcome::StayOpen;
            case AnswerYes:
                Ok();
                return CancelOutcome::Applied;
            default: break;
        }
    }
    RestoreDisplaySetup(ws_.session.display, ws_.session.settings);
    // What Apply drew in goes back with the settings.
    ws_.RefreshPatternLook();
    Close();
    return CancelOutcome::Discarded;
}

void DisplaySetupModel::Close() {
    WriteInteger(ws_.session.settings, kDisplaySetupSection, "StartTab", currentTab_);
    SaveSettings(ws_.session.settings, ws_.session.messages);
}

}  // namespace tessary
