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
    TabScreen,
};
inline constexpr int kDisplaySetupTabs = 10;

struct SliderRange {
    int minimum;
    int maximum;
};
// Pens wider than this hide the picture under the lines; segments outside
// these lengths give no curve a tracer would want.
inline constexpr SliderRange kMonitorPenRange{1, 10};
inline constexpr SliderRange kTraceSegmentRange{10, 500};
// The ruler the screen is measured with, and its length in window pixels
// over the screens a measurement may describe.
inline constexpr int kRulerInches = 3;
inline constexpr SliderRange kRulerRange{static_cast<int>(kRulerInches * 1440 / kMostScreenTwips),
                                         static_cast<int>(kRulerInches * 1440 / kLeastScreenTwips)};

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
    // The ruler's length in window pixels, as the controls measure the
    // screen; the system gives systemTwips twips to a pixel.
    int RulerPixels(double systemTwips) const;
    std::string ScreenCaption(double systemTwips) const;
    int CurrentTab() const { return currentTab_; }

    // The user's actions.
    void SetAlert(int index, bool on) { controls_.SetAlert(index, on); }
    void SetSound(int index, bool on) { controls_.SetSound(index, on); }
    void SetPenSlider(int pixels);
    void SetTraceSlider(int twips);
    // The ruler drawn this many pixels long matches a real one: the screen
    // has pixels / kRulerInches of them to an inch. Or back to the system's.
    void SetRulerPixels(int pixels);
    void UseSystemScreen() { controls_.SetScreenTwipsPerPixel(0); }
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
