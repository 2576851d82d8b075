#pragma once

#include <string>

#include "core/files/DisplaySetup.h"
#include "core/files/PatternSetup.h"

namespace tessary {

class CommandDialogs;
class Workspace;

// The tabs of the Display Setup dialog, in their order.
enum DisplaySetupTab {
    TabInstructions,
    TabPenColour,
    TabPenSize,
    TabOptimize,
    TabMessages,
    TabSounds,
    TabPatternFolder,
    TabPictureFolder,
    TabTemporaryFolder,
};
inline constexpr int kDisplaySetupTabs = 9;

struct SliderRange {
    int minimum;
    int maximum;
};
// Pens wider than this hide the picture under the lines; segments outside
// these lengths give no curve a tracer would want.
inline constexpr SliderRange kMonitorPenRange{1, 10};
inline constexpr SliderRange kTraceSegmentRange{10, 500};

// What each working folder is for: its frame in the dialog and the title of
// the folder dialog that chooses it.
const char* FolderPurpose(int folder);

// The working state of the Display Setup dialog: a copy of the display
// settings in the form its controls show them. Apply puts them into effect,
// OK also stores them, Cancel goes back to what is stored.
class DisplaySetupModel {
public:
    // Opens on the tab the dialog last closed on, filled from the settings.
    DisplaySetupModel(Workspace& ws, CommandDialogs& dialogs);

    // The controls: check boxes, colour samples, folders, sliders.
    const DisplaySetup& Controls() const { return controls_; }
    std::string PenSizeCaption() const;
    std::string TraceCaption() const;
    int CurrentTab() const { return currentTab_; }

    // The user's actions.
    void SetAlert(int index, bool on) { controls_.SetAlert(index, on); }
    void SetSound(int index, bool on) { controls_.SetSound(index, on); }
    void SetPenSlider(int pixels);
    void SetTraceSlider(int twips);
    // "Change Color" and "Browse...": a cancelled dialog changes nothing.
    void ChangeColour(int index);
    void ChooseFolder(int index);
    void SetCurrentTab(int tab) { currentTab_ = tab; }
    void Apply();
    void Ok();
    CancelOutcome Cancel();

private:
    bool Changed() const;
    void Close();

    Workspace& ws_;
    CommandDialogs& dialogs_;
    const DisplaySetup record_;  // as the dialog found it
    DisplaySetup controls_;
    DisplaySetup opened_;
    int currentTab_ = 0;
};

}  // namespace tessary
