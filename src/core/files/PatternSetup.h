#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/files/PatternOptions.h"

namespace tessary {

class DisplaySetup;
class SettingsStore;
class Messages;

// The entry boxes of the Pattern Setup dialog; the margins in the order top,
// right, bottom, left, as the margin indexes of the options.
enum class SetupBox {
    Width,
    Height,
    MarginTop,
    MarginRight,
    MarginBottom,
    MarginLeft,
    BitmapWidth,
    BitmapHeight,
    PenSize,
};
inline constexpr int kSetupBoxCount = 9;
constexpr SetupBox MarginBox(int index) { return static_cast<SetupBox>(static_cast<int>(SetupBox::MarginTop) + index); }

// "Maintain aspect.": grey, and out of the user's reach, while the pattern's
// aspect is locked.
enum class AspectState { Unchecked, Checked, Grey };

// What becomes of a key typed into a box.
struct KeyVerdict {
    bool insert = false;  // the key reaches the box
    bool beep = false;
};

enum class CancelOutcome { StayOpen, Applied, Discarded };

inline constexpr const char* kPatternSetupSection = "PatternSetup";
inline constexpr int kPatternSetupTabs = 4;
inline constexpr int kPatternSizeTab = 1;

// The leading decimal number of a text: "." as the point, spaces ignored,
// 0 when there is none (or when it is beyond a single).
float PlainNumber(const std::string& text);

// The working state of the Pattern Setup dialog: copies of the options in
// the form its controls show them, written back only when the user accepts.
class PatternSetupModel {
public:
    // Opens on the tab the dialog last closed on (a new pattern's on its
    // size), filled from the options.
    PatternSetupModel(PatternOptions& options, const DisplaySetup& display, SettingsStore& settings,
                      Messages& messages, bool forNewPattern = false);

    const std::string& Text(SetupBox box) const { return texts_[Index(box)]; }
    int PatternUnits() const { return patternUnits_; }  // 0 inches, 1 cm
    int PenUnits() const { return penUnits_; }          // 0 inches, 1 mm
    AspectState Aspect() const { return aspect_; }
    bool AspectEnabled() const { return aspect_ != AspectState::Grey; }
    bool BlackOnly() const { return blackOnly_; }
    bool ChangeColourEnabled() const { return !blackOnly_; }
    std::uint32_t SampleColour() const { return sampleColour_; }
    int PenSlider() const { return penSlider_; }
    std::string PenSizeCaption() const;
    float Width() const { return width_; }
    float Height() const { return height_; }
    float Margin(int index) const { return margins_.at(index); }
    bool DimensionChanged() const { return dimensionChanged_; }
    bool MarginChanged() const { return marginChanged_; }
    int CurrentTab() const { return currentTab_; }

    void FillFromOptions();
    void SetDimensions(float w, float h);
    void WidthChanged(float v);
    void HeightChanged(float v);
    void SetMargins(float top, float right, float bottom, float left);
    void ReadMargins();
    void ApplyToOptions();
    // The options as the dialog would apply them now.
    PatternOptions Edited() const;
    // Whether any value differs from what the dialog opened with.
    bool Changed() const;

    // The user's actions.
    KeyVerdict KeyPress(SetupBox box, int key);
    void SetText(SetupBox box, const std::string& text);
    void Commit(SetupBox box);  // Enter, "+" or the box losing focus
    void ChoosePatternUnits(int units);
    void ChoosePenUnits(int units);
    void SetAspectChecked(bool checked);
    void SetBlackOnly(bool checked);
    void ChooseColour(std::uint32_t rgb);
    void SetPenSlider(int value);
    void SetCurrentTab(int tab) { currentTab_ = tab; }
    void Ok();
    CancelOutcome Cancel();

private:
    static constexpr std::size_t Index(SetupBox box) { return static_cast<std::size_t>(box); }
    std::string& Box(SetupBox box) { return texts_[Index(box)]; }
    bool PenKeyAccepted(int key) const;
    void RecomputeBitmap(SetupBox changed);
    void MarkChanged(SetupBox box);
    float BoxLength(SetupBox box, float exact) const;
    void Close();

    PatternOptions& options_;
    const DisplaySetup& display_;
    SettingsStore& settings_;
    Messages& messages_;

    std::array<std::string, kSetupBoxCount> texts_;
    int patternUnits_ = 0;
    int penUnits_ = 0;
    AspectState aspect_ = AspectState::Unchecked;
    bool blackOnly_ = true;
    std::uint32_t sampleColour_ = 0;
    int penSlider_ = 1;
    float width_ = 0;
    float height_ = 0;
    std::array<float, 4> margins_{};
    bool dimensionChanged_ = false;
    bool marginChanged_ = false;
    bool bitmapChanged_ = false;
    int currentTab_ = 0;
    PatternOptions opened_;
};

}  // namespace tessary
