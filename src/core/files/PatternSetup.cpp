#include "core/files/PatternSetup.h"

#include <charconv>
#include <cfloat>
#include <cmath>

#include "core/files/DisplaySetup.h"
#include "core/files/MeasureText.h"
#include "core/files/PatternOptions.h"
#include "core/services/Settings.h"
#include "core/services/Messages.h"

namespace tessary {

namespace {

// DisplaySetup's alert and sound index for this dialog.
constexpr int kDimensionDialog = 1;
constexpr float kDefaultWidth = 8.5f;
constexpr float kDefaultHeight = 11.0f;
constexpr double kCentimetresPerInch = 2.54;
constexpr double kMillimetresPerInch = 25.4;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsDimension(SetupBox box) { return box == SetupBox::Width || box == SetupBox::Height; }
bool IsMargin(SetupBox box) { return box >= SetupBox::MarginTop && box <= SetupBox::MarginLeft; }
bool IsBitmap(SetupBox box) { return box == SetupBox::BitmapWidth || box == SetupBox::BitmapHeight; }

// Whole numbers as the bitmap and millimetre boxes show them.
std::string IntegerText(double value) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value + 0.0, std::chars_format::fixed, 0);
    return std::string(buffer, result.ptr);
}

}  // namespace

float PlainNumber(const std::string& text) {
    std::string s;
    for (char c : text) {
        if (c != ' ') s += c;
    }
    std::size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        if (s[i] == '-') number += '-';
        ++i;
    }
    bool digits = false;
    const auto takeDigits = [&] {
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            number += s[i];
            digits = true;
        }
    };
    takeDigits();
    if (i < s.size() && s[i] == '.') {
        number += s[i++];
        takeDigits();
    }
    if (!digits) return 0;
    if (i + 1 < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (s[j] == '-' || s[j] == '+') exponent += s[j++];
        if (j < s.size() && IsDigit(s[j])) {
            for (; j < s.size() && IsDigit(s[j]); ++j) exponent += s[j];
            number += exponent;
        }
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc() || !(std::fabs(value) <= FLT_MAX)) return 0;
    return static_cast<float>(value);
}

PatternSetupModel::PatternSetupModel(PatternOptions& options, const DisplaySetup& display, SettingsStore& settings,
                                     Messages& messages, bool forNewPattern)
    : options_(options), display_(display), settings_(settings), messages_(messages) {
    const long stored = ReadInteger(settings_, kPatternSetupSection, "StartTab", 0);
    currentTab_ = stored >= 0 && stored < kPatternSetupTabs ? static_cast<int>(stored) : 0;
    // A new pattern is first of all given its size.
    if (forNewPattern) currentTab_ = kPatternSizeTab;
    FillFromOptions();
    opened_ = Edited();
}

std::string PatternSetupModel::PenSizeCaption() const {
    return "Bitmap Pen Size (" + std::to_string(penSlider_) + ")";
}

void PatternSetupModel::FillFromOptions() {
    // Units first: the lengths that follow are shown in them, not converted.
    patternUnits_ = options_.MetricPage ? 1 : 0;
    penUnits_ = options_.MetricPen ? 1 : 0;
    SetMargins(options_.MarginTop, options_.MarginRight, options_.MarginBottom, options_.MarginLeft);
    SetDimensions(options_.DimensionWidth, options_.DimensionHeight);
    blackOnly_ = options_.BandW;
    Box(SetupBox::PenSize) = options_.PenSizeText;
    sampleColour_ = static_cast<std::uint32_t>(options_.PenColor);
    const float pen = options_.BitmapPenSize;
    SetPenSlider(pen > 0 && pen <= 100 ? static_cast<int>(std::nearbyint(pen)) : 1);
    // The bitmap height always follows from the width and the pattern's
    // aspect, never from the stored height.
    Box(SetupBox::BitmapWidth) = SingleText(options_.BitmapWidth);
    Box(SetupBox::BitmapHeight) =
        IntegerText(std::nearbyint(static_cast<double>(options_.BitmapWidth) * height_ / width_));
    aspect_ = options_.AspectLocked ? AspectState::Grey : AspectState::Unchecked;
    dimensionChanged_ = marginChanged_ = bitmapChanged_ = false;
}

// Keeps W and H above 0 at all times: they are divided by.
void PatternSetupModel::SetDimensions(float w, float h) {
    if (w > 0 && h > 0 && std::isfinite(w) && std::isfinite(h)) {
        width_ = w;
        height_ = h;
    } else if (!(width_ > 0 && height_ > 0)) {
        width_ = kDefaultWidth;
        height_ = kDefaultHeight;
    }
    Box(SetupBox::Width) = FormatMeasure(width_);
    Box(SetupBox::Height) = FormatMeasure(height_);
}

void PatternSetupModel::WidthChanged(float v) {
    if (aspect_ != AspectState::Unchecked) {
        SetDimensions(v, v / width_ * height_);
    } else {
        SetDimensions(v, height_);
    }
}

void PatternSetupModel::HeightChanged(float v) {
    if (aspect_ != AspectState::Unchecked) {
        SetDimensions(v / height_ * width_, v);
    } else {
        SetDimensions(width_, v);
    }
}

void PatternSetupModel::SetMargins(float top, float right, float bottom, float left) {
    margins_ = {top, right, bottom, left};
    for (int i = 0; i < 4; ++i) {
        if (margins_[i] < 0) margins_[i] = 0;
        Box(MarginBox(i)) = FormatMeasure(margins_[i]);
    }
}

void PatternSetupModel::ReadMargins() {
    SetMargins(PlainNumber(Text(MarginBox(0))), PlainNumber(Text(MarginBox(1))), PlainNumber(Text(MarginBox(2))),
               PlainNumber(Text(MarginBox(3))));
}

bool PatternSetupModel::PenKeyAccepted(int key) const {
    if ((key >= '0' && key <= '9') || key == KeyBackspace) return true;
    if (key != '.' && key != '/') return false;
    const std::string& text = Text(SetupBox::PenSize);
    return penUnits_ != 1 && text.find_first_of("./") == std::string::npos;
}

KeyVerdict PatternSetupModel::KeyPress(SetupBox box, int key) {
    // The pen box refuses silently: fractions are typed there, so a wrong key
    // is no error.
    if (box == SetupBox::PenSize) return {PenKeyAccepted(key), false};
    const int accepted = IsBitmap(box) ? FilterPixelKey(key) : FilterMeasureKey(key, Text(box));
    if (accepted == 0) return {false, display_.GetSound(kDimensionDialog)};
    MarkChanged(box);
    if (IsCommitKey(key)) {
        Commit(box);
        return {false, false};
    }
    return {true, false};
}

// An edit that no key announced (a paste) still has to be taken.
void PatternSetupModel::SetText(SetupBox box, const std::string& text) {
    Box(box) = text;
    MarkChanged(box);
}

void PatternSetupModel::MarkChanged(SetupBox box) {
    if (IsDimension(box)) dimensionChanged_ = true;
    if (IsMargin(box)) marginChanged_ = true;
    if (IsBitmap(box)) bitmapChanged_ = true;
}

void PatternSetupModel::Commit(SetupBox box) {
    if (IsDimension(box)) {
        if (!dimensionChanged_) return;
        const float v = PlainNumber(Text(box));
        if (box == SetupBox::Width) {
            WidthChanged(v);
        } else {
            HeightChanged(v);
        }
        dimensionChanged_ = false;
    } else if (IsMargin(box)) {
        if (!marginChanged_) return;
        ReadMargins();
        marginChanged_ = false;
    } else if (IsBitmap(box)) {
        // Only a size the user typed moves the other one: recomputing from a
        // derived size would drift by the rounding every time.
        if (!bitmapChanged_) return;
        RecomputeBitmap(box);
        bitmapChanged_ = false;
    }
}

void PatternSetupModel::RecomputeBitmap(SetupBox changed) {
    if (changed == SetupBox::BitmapWidth) {
        const double width = PlainNumber(Text(SetupBox::BitmapWidth));
        Box(SetupBox::BitmapHeight) = IntegerText(std::nearbyint(width * height_ / width_));
    } else {
        const double height = PlainNumber(Text(SetupBox::BitmapHeight));
        Box(SetupBox::BitmapWidth) = IntegerText(std::nearbyint(height * width_ / height_));
    }
}

void PatternSetupModel::ChoosePatternUnits(int units) {
    if (units == patternUnits_) return;
    patternUnits_ = units;
    const auto convert = [units](double v) {
        return static_cast<float>(units == 1 ? v * kCentimetresPerInch : v / kCentimetresPerInch);
    };
    for (SetupBox box : {SetupBox::Width, SetupBox::Height}) Box(box) = FormatMeasure(convert(PlainNumber(Text(box))));
    // W and H follow the unit too: while the aspect is free the height is
    // shown from H, which must not fall back to the old unit.
    width_ = convert(width_);
    height_ = convert(height_);
    SetMargins(convert(PlainNumber(Text(MarginBox(0)))), convert(PlainNumber(Text(MarginBox(1)))),
               convert(PlainNumber(Text(MarginBox(2)))), convert(PlainNumber(Text(MarginBox(3)))));
}

void PatternSetupModel::ChoosePenUnits(int units) {
    if (units == penUnits_) return;
    penUnits_ = units;
    const double v = ParseMeasure(Text(SetupBox::PenSize));
    // Millimetres are whole numbers, rounded half to even.
    Box(SetupBox::PenSize) = units == 1 ? IntegerText(std::nearbyint(v * kMillimetresPerInch))
                                        : FormatMeasure(static_cast<float>(v / kMillimetresPerInch));
}

void PatternSetupModel::SetAspectChecked(bool checked) {
    if (aspect_ == AspectState::Grey) return;
    aspect_ = checked ? AspectState::Checked : AspectState::Unchecked;
}

// Black is what a black-only print uses, so that is what gets stored.
void PatternSetupModel::SetBlackOnly(bool checked) {
    blackOnly_ = checked;
    if (checked) sampleColour_ = 0;
}

void PatternSetupModel::ChooseColour(std::uint32_t rgb) { sampleColour_ = rgb; }

void PatternSetupModel::SetPenSlider(int value) { penSlider_ = value < 1 ? 1 : value > 100 ? 100 : value; }

// A length box still showing the rounded text of W or H stands for W or H
// at full precision: the aspect rule's 13.333... is not cut to 13.33.
float PatternSetupModel::BoxLength(SetupBox box, float exact) const {
    return Text(box) == FormatMeasure(exact) ? exact : PlainNumber(Text(box));
}

PatternOptions PatternSetupModel::Edited() const {
    PatternOptions o = options_;
    for (int i = 0; i < 4; ++i) o.SetMargin(i, BoxLength(MarginBox(i), margins_[i]));
    o.DimensionWidth = BoxLength(SetupBox::Width, width_);
    o.DimensionHeight = BoxLength(SetupBox::Height, height_);
    o.BandW = blackOnly_;
    o.PenSizeText = Text(SetupBox::PenSize);
    o.PenSizeValue = ParseMeasure(o.PenSizeText);
    o.PenColor = static_cast<std::int32_t>(sampleColour_);
    o.BitmapPenSize = static_cast<float>(penSlider_);
    o.BitmapWidth = PlainNumber(Text(SetupBox::BitmapWidth));
    o.BitmapHeight = PlainNumber(Text(SetupBox::BitmapHeight));
    o.MetricPage = patternUnits_ == 1;
    o.MetricPen = penUnits_ == 1;
    o.AspectLocked = true;
    o.SetupCancelled = false;
    o.RecomputeTwips();
    return o;
}

bool PatternSetupModel::Changed() const { return !(Edited() == opened_); }

void PatternSetupModel::ApplyToOptions() {
    options_ = Edited();
    StoreOptions(options_, settings_);
}

void PatternSetupModel::Ok() {
    ApplyToOptions();
    Close();
}

CancelOutcome PatternSetupModel::Cancel() {
    options_.SetupCancelled = true;
    if (display_.GetAlert(kDimensionDialog) && Changed()) {
        switch (messages_.MsgSaveChanges(false)) {
            case AnswerCancel: return CancelOutcome::StayOpen;
            case AnswerYes:
                Ok();
                return CancelOutcome::Applied;
            default: break;
        }
    }
    Close();
    return CancelOutcome::Discarded;
}

void PatternSetupModel::Close() {
    WriteInteger(settings_, kPatternSetupSection, "StartTab", currentTab_);
    SaveSettings(settings_, messages_);
}

}  // namespace tessary
