#include "core/print/PrintWizard.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>

#include "core/files/MeasureText.h"
#include "core/files/PatternSetup.h"
#include "core/services/Settings.h"
#include "core/services/Messages.h"

namespace tessary {

namespace {

constexpr const char* kStepCaptions[kWizardSteps] = {"Start",  "Page",   "Draw Mode", "Cut Lines", "Paper Saver",
                                                     "Copies", "Mirror", "Circles",   "Finish"};
constexpr int kDefaultCirclePosition = 4;  // 5 degrees
constexpr const char* kDefaultSpacing = "0.2";
constexpr double kCentimetresPerInch = 2.54;
constexpr double kTwipsPerInch = 1440;

std::vector<std::string> NumberList(int count) {
    std::vector<std::string> items;
    for (int i = 1; i <= std::max(count, 1); ++i) items.push_back(std::to_string(i));
    return items;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits with at most one point: what the spacing box lets the user type.
bool IsPlainDecimal(const std::string& text) {
    return std::count(text.begin(), text.end(), '.') <= 1 && std::any_of(text.begin(), text.end(), IsDigit) &&
           std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || c == '.'; });
}

// A spacing so large that it has no twips is no number either.
bool IsSpacingNumber(const std::string& text) {
    if (!IsPlainDecimal(text)) return false;
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && value * kTwipsPerInch <= FLT_MAX;
}

bool IsCopyCount(const std::string& text) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit)) return false;
    int count = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), count);
    return result.ec == std::errc() && count >= 1 && count <= kMaxCopies;
}

}  // namespace

PrintWizardModel::PrintWizardModel(PrintLayoutSource& layout, SettingsStore& settings, Messages& messages)
    : source_(layout), settings_(settings), messages_(messages) {
    ShowStep(kStartStep);
    LoadWizardSettings();
}

const char* PrintWizardModel::StepCaption(int step) {
    return step >= 0 && step < kWizardSteps ? kStepCaptions[step] : "";
}

const std::vector<std::string>& PrintWizardModel::CircleItems() {
    static const std::vector<std::string> items = NumberList(kCircleDegreeChoices);
    return items;
}

const std::vector<std::string>& PrintWizardModel::OverlapItems() {
    static const std::vector<std::string> items = [] {
        std::vector<std::string> mm{"0"};
        for (const std::string& n : NumberList(kMostOverlapMillimetres)) mm.push_back(n);
        return mm;
    }();
    return items;
}

void PrintWizardModel::SelectOverlap(int millimetres) {
    if (millimetres >= 0 && millimetres <= kMostOverlapMillimetres) overlap_ = millimetres;
}

void PrintWizardModel::SetPrintOrientation(std::int16_t orientation) { ChooseOrientation(orientation < 2 ? 0 : 1); }

bool PrintWizardModel::Activate() {
    closed_ = false;
    // The steps bitmap mode rules out are out already: only the draw mode
    // choice changes them.
    printerLine_ = "Printer:  " + source_.PrinterName();
    const bool printable = RefreshLayout();
    if (printable) {
        RefreshAllSummaries();
    } else {
        didCancel_ = true;
        closed_ = true;
    }
    loading_ = false;
    return printable;
}

std::int16_t PrintWizardModel::Copies() const {
    const float value = std::trunc(PlainNumber(copiesText_));
    return static_cast<std::int16_t>(std::clamp(value, -32768.0f, 32767.0f));
}

float PrintWizardModel::DuplicateMarginSize() const {
    double value = PlainNumber(spacingText_);
    if (useMetric_) value /= kCentimetresPerInch;
    return static_cast<float>(value * kTwipsPerInch);
}

void PrintWizardModel::ShowStep(int step) {
    if (step < 0 || step >= kWizardSteps || disabled_[static_cast<std::size_t>(step)]) return;
    // Every line, not just the one of the step being left: a choice on one
    // step can change another's (bitmap mode clears the cut lines).
    RefreshAllSummaries();
    const auto leaving = static_cast<std::size_t>(currentStep_);
    marker_[leaving] = MarkerColour::Left;
    captionWhite_[leaving] = false;
    marker_[static_cast<std::size_t>(step)] = MarkerColour::Current;
    captionWhite_[static_cast<std::size_t>(step)] = true;
    caption_ = std::string("Pattern Print Wizard") + " - " + StepCaption(step);
    UpdateNavButtons(step);
}

void PrintWizardModel::UpdateNavButtons(int step) {
    currentStep_ = step;
    backEnabled_ = step != kStartStep;
    nextEnabled_ = step != kFinishStep;
}

void PrintWizardModel::SetStepEnabled(int step, bool enabled) {
    const auto s = static_cast<std::size_t>(step);
    marker_[s] = enabled ? MarkerColour::Enabled : MarkerColour::Disabled;
    captionWhite_[s] = false;
    disabled_[s] = !enabled;
}

// Start and Finish are never disabled, so both searches end on a step.
void PrintWizardModel::Back() {
    for (int step = currentStep_ - 1; step >= kStartStep; --step) {
        if (StepEnabled(step)) return ShowStep(step);
    }
}

void PrintWizardModel::Next() {
    for (int step = currentStep_ + 1; step <= kFinishStep; ++step) {
        if (StepEnabled(step)) return ShowStep(step);
    }
}

WizardFault PrintWizardModel::Validate() const {
    if (!IsCopyCount(Trimmed(copiesText_))) return WizardFault::Copies;
    // The spacing counts only where copies can share a sheet.
    if (StepEnabled(kPaperSaverStep) && !IsSpacingNumber(Trimmed(spacingText_))) return WizardFault::Spacing;
    return WizardFault::None;
}

void PrintWizardModel::Print() {
    // A spacing still being typed decides how many copies fit.
    SpacingFocusLost();
    switch (Validate()) {
        case WizardFault::Copies:
            messages_.MsgCopiesInvalid(kMaxCopies);
            ShowStep(kCopiesStep);
            return;
        case WizardFault::Spacing:
            messages_.MsgSpacingInvalid();
            ShowStep(kPaperSaverStep);
            return;
        case WizardFault::None: break;
    }
    didCancel_ = false;
    SaveWizardSettings();
    closed_ = true;
}

void PrintWizardModel::Cancel() {
    didCancel_ = true;
    closed_ = true;
}

void PrintWizardModel::ChooseOrientation(int option) {
    if ((option != 0 && option != 1) || option == orientationOption_) return;
    orientationOption_ = option;
    // The print command sets the orientation before the first layout.
    if (!loading_) OrientationChanged();
}

void PrintWizardModel::OrientationChanged() {
    if (RefreshLayout()) {
        RefreshAllSummaries();
    } else {
        didCancel_ = true;
        closed_ = true;
    }
}

bool PrintWizardModel::RefreshLayout() {
    const bool landscape = orientationOption_ == 1;
    orientationLine_ = landscape ? "Orientation:  Landscape" : "Orientation:  Portrait";
    layout_ = source_.Layout(PrintOrientation(), patternWidth_, patternHeight_);
    if (!layout_.printable) return false;
    rowItems_ = NumberList(layout_.rows);
    columnItems_ = NumberList(layout_.columns);
    rowPosition_ = columnPosition_ = 0;
    const auto disableForLayout = [this](int step) {
        disabledByLayout_[static_cast<std::size_t>(step)] = true;
        SetStepEnabled(step, false);
    };
    if (layout_.pages < 2) {
        disableForLayout(kPageStep);
        disableForLayout(kCirclesStep);
        RefreshMaxPerPage();
        pagesText_ = "1 Page";
    } else {
        pagesText_ = std::string(" Pages:  ") + std::to_string(layout_.pages) + "     " +
                     " Rows:  " + std::to_string(layout_.rows) + "     " +
                     " Columns:  " + std::to_string(layout_.columns);
        perPagePosition_ = 0;
        disableForLayout(kPaperSaverStep);
    }
    return true;
}

void PrintWizardModel::RefreshMaxPerPage() {
    // The print clamps a negative spacing to 0; count with what will print.
    const float spacing = std::max(0.0f, DuplicateMarginSize());
    const int count = std::max<int>(
        1, source_.MaxPatternsPerPage(spacing, patternWidth_, patternHeight_, layout_.pageWidth, layout_.pageHeight));
    perPageItems_ = NumberList(count);
    // Bitmap mode prints one copy per sheet.
    perPagePosition_ = alwaysDuplicate_ && !bitmap_ ? count - 1 : 0;
}

const std::string& PrintWizardModel::Summary(int line) const {
    static const std::string none;
    return line >= 1 && line <= kSummaryLines ? summary_[static_cast<std::size_t>(line)] : none;
}

void PrintWizardModel::RefreshSummary(int line) {
    const auto yesNo = [](bool value) { return value ? "Yes" : "No"; };
    std::string text;
    switch (line) {
        case 1:
            text = printOption_ == 1 && layout_.pages >= 2 ? "Print Page: Row " + std::to_string(PrintPageRow()) +
                                                                 ", Column " + std::to_string(PrintPageColumn())
                                                           : "Print: ALL Pages";
            break;
        case 2: text = bitmap_ ? "Draw Mode: Bitmap" : "Draw Mode: Vector"; break;
        case 3: text = std::string("Cut Lines: ") + yesNo(cutLines_); break;
        case 4: text = "Per Page: " + std::to_string(PatternsPerPage()); break;
        case 5: text = "Copies: " + std::to_string(Copies()); break;
        case 6: text = std::string("Mirror: ") + yesNo(mirror_); break;
        case 7:
            text = layout_.pages >= 2 ? "Circles: " + std::to_string(PrintCircleDegrees()) + " Degree Arcs"
                                      : "Circles: Maximum Resolution";
            break;
        case 8: text = AidsSummary(); break;
        default: return;
    }
    summary_[static_cast<std::size_t>(line)] = std::move(text);
}

// The aids the print will carry: those of a grid only when there is one,
// the map only before a whole grid.
std::string PrintWizardModel::AidsSummary() const {
    const bool grid = layout_.pages >= 2;
    std::vector<std::string> aids;
    if (grid && labels_) aids.emplace_back("Labels");
    if (grid && marks_) aids.emplace_back("Marks");
    if (testSquare_) aids.emplace_back("Test Square");
    if (grid && overlap_ > 0) {
        // What the paper leaves of a wider margin, in whole millimetres.
        const int fits = static_cast<int>(std::max(0.0f, std::floor(layout_.glueRoom + 0.01f)));
        aids.push_back("Glue Margin " + std::to_string(overlap_) + " mm" +
                       (overlap_ > fits ? " (" + std::to_string(fits) + " mm fits)" : ""));
    }
    if (grid && map_ && PrintAllPages()) aids.emplace_back("Map Page");
    std::string text = "Aids:";
    for (std::size_t i = 0; i < aids.size(); ++i) text += (i == 0 ? " " : ", ") + aids[i];
    return aids.empty() ? text + " None" : text;
}

void PrintWizardModel::RefreshAllSummaries() {
    for (int line = 1; line <= kSummaryLines; ++line) RefreshSummary(line);
}

void PrintWizardModel::ChoosePrintOption(int option) {
    if (option == 0 || option == 1) printOption_ = option;
}

void PrintWizardModel::SelectRow(int position) {
    if (position >= 0 && position < static_cast<int>(rowItems_.size())) rowPosition_ = position;
}

void PrintWizardModel::SelectColumn(int position) {
    if (position >= 0 && position < static_cast<int>(columnItems_.size())) columnPosition_ = position;
}

void PrintWizardModel::ChooseDrawMode(int option) {
    if ((option != 0 && option != 1) || option == DrawModeOption()) return;
    if (option == 0) {
        // A multi-page pattern has no use for the paper saver.
        if (!disabledByLayout_[static_cast<std::size_t>(kPaperSaverStep)]) SetStepEnabled(kPaperSaverStep, true);
        bitmap_ = false;
    } else {
        SetStepEnabled(kPaperSaverStep, false);
        perPagePosition_ = 0;
        bitmap_ = true;
    }
}

void PrintWizardModel::SelectPerPage(int position) {
    if (position >= 0 && position < static_cast<int>(perPageItems_.size())) perPagePosition_ = position;
}

bool PrintWizardModel::SpacingKey(int key) {
    const int accepted = FilterMeasureKey(key, spacingText_);
    spacingChanged_ = true;
    // Enter and "+" end the entry in this box; they never reach it.
    if (IsCommitKey(accepted)) {
        SpacingFocusLost();
        return false;
    }
    return accepted != 0;
}

void PrintWizardModel::SetSpacingText(const std::string& text) {
    spacingText_ = text;
    spacingChanged_ = true;
}

void PrintWizardModel::SpacingFocusLost() {
    if (!spacingChanged_) return;
    RefreshMaxPerPage();
    spacingChanged_ = false;
}

void PrintWizardModel::StepCopies(int delta) {
    copiesText_ = std::to_string(std::clamp(Copies() + delta, 1, kMaxCopies));
}

void PrintWizardModel::SelectCircleDegrees(int position) {
    if (position >= 0 && position < kCircleDegreeChoices) circlePosition_ = position;
}

void PrintWizardModel::LoadWizardSettings() {
    // Check states are stored as 0 and 1; anything else reads as the default.
    const auto checkState = [this](const char* key, bool fallback) {
        const long state = ReadInteger(settings_, kPrintWizardSection, key, fallback ? 1 : 0);
        return state == 0 || state == 1 ? state == 1 : fallback;
    };
    alwaysDuplicate_ = checkState("AlwaysDuplicate", false);
    // A stored spacing that is no number would stop every print at the check.
    spacingText_ = ReadText(settings_, kPrintWizardSection, "DuplicateMargin", kDefaultSpacing);
    if (!IsSpacingNumber(Trimmed(spacingText_))) spacingText_ = kDefaultSpacing;
    collate_ = checkState("Collate", false);
    cutLines_ = checkState("CutLines", true);
    labels_ = checkState("Labels", true);
    marks_ = checkState("Marks", true);
    testSquare_ = checkState("TestSquare", true);
    map_ = checkState("Map", false);
    const long overlap = ReadInteger(settings_, kPrintWizardSection, "Overlap", 0);
    overlap_ = overlap >= 0 && overlap <= kMostOverlapMillimetres ? static_cast<int>(overlap) : 0;
    mirror_ = checkState("Mirror", false);
    const long circle = ReadInteger(settings_, kPrintWizardSection, "CircleDegrees", kDefaultCirclePosition);
    circlePosition_ = circle >= 0 && circle < kCircleDegreeChoices ? static_cast<int>(circle) : kDefaultCirclePosition;
    // Last, so that bitmap mode has the final word on the paper saver.
    if (ReadBoolean(settings_, kPrintWizardSection, "Bitmap", false)) ChooseDrawMode(1);
}

void PrintWizardModel::SaveWizardSettings() {
    WriteInteger(settings_, kPrintWizardSection, "AlwaysDuplicate", alwaysDuplicate_ ? 1 : 0);
    settings_.Write(kPrintWizardSection, "DuplicateMargin", spacingText_);
    WriteInteger(settings_, kPrintWizardSection, "Collate", collate_ ? 1 : 0);
    WriteBoolean(settings_, kPrintWizardSection, "Bitmap", bitmap_);
    WriteInteger(settings_, kPrintWizardSection, "CutLines", cutLines_ ? 1 : 0);
    WriteInteger(settings_, kPrintWizardSection, "Labels", labels_ ? 1 : 0);
    WriteInteger(settings_, kPrintWizardSection, "Marks", marks_ ? 1 : 0);
    WriteInteger(settings_, kPrintWizardSection, "TestSquare", testSquare_ ? 1 : 0);
    WriteInteger(settings_, kPrintWizardSection, "Map", map_ ? 1 : 0);
    WriteInteger(settings_, kPrintWizardSection, "Overlap", overlap_);
    WriteInteger(settings_, kPrintWizardSection, "Mirror", mirror_ ? 1 : 0);
    WriteInteger(settings_, kPrintWizardSection, "CircleDegrees", circlePosition_);
}

}  // namespace tessary
