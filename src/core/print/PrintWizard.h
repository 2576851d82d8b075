#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tessary {

class SettingsStore;
class Messages;

inline constexpr int kMostOverlapMillimetres = 25;

// The page grid of one orientation, as the wizard shows and hands it on.
struct WizardLayout {
    bool printable = false;
    std::int16_t pages = 0;
    std::int16_t rows = 1;
    std::int16_t columns = 1;
    float pageWidth = 0;  // twips: the pattern region of one page
    float pageHeight = 0;
    // How far, in millimetres, a glue margin can reach beyond the cut lines
    // on this paper.
    float glueRoom = kMostOverlapMillimetres;
};

// What the wizard needs from the printer and the page layout.
class PrintLayoutSource {
public:
    virtual ~PrintLayoutSource() = default;
    virtual std::string PrinterName() const = 0;
    // Turns the printer to the orientation (1 portrait, 2 landscape) and lays
    // the pattern, in twips, out on its pages.
    virtual WizardLayout Layout(std::int16_t orientation, float patternWidth, float patternHeight) = 0;
    // How many copies of a one-page pattern fit on a sheet at this spacing.
    virtual std::int16_t MaxPatternsPerPage(float spacingTwips, float patternWidth, float patternHeight,
                                            float pageWidth, float pageHeight) = 0;
};

inline constexpr const char* kPrintWizardSection = "PrintWizard";
inline constexpr int kWizardSteps = 9;
inline constexpr int kStartStep = 0;
inline constexpr int kPageStep = 1;
inline constexpr int kDrawModeStep = 2;
inline constexpr int kCutLinesStep = 3;
inline constexpr int kPaperSaverStep = 4;
inline constexpr int kCopiesStep = 5;
inline constexpr int kMirrorStep = 6;
inline constexpr int kCirclesStep = 7;
inline constexpr int kFinishStep = 8;
inline constexpr int kSummaryLines = 8;
inline constexpr int kMaxCopies = 999;
inline constexpr int kCircleDegreeChoices = 15;

// The colour swatch a step's marker (and, but for the current step, its
// caption) is drawn in.
enum class MarkerColour { Enabled, Current, Left, Disabled };

// What keeps the wizard from printing.
enum class WizardFault { None, Copies, Spacing };

// The Pattern Print Wizard: its steps, choices and the page count they give.
// The print command sets the pattern's orientation and size, shows the
// dialog, and reads the choices once it has closed. Loads the stored choices
// on construction.
class PrintWizardModel {
public:
    PrintWizardModel(PrintLayoutSource& layout, SettingsStore& settings, Messages& messages);

    // Given before the dialog is shown.
    void SetPrintOrientation(std::int16_t orientation);  // 1 portrait, 2 landscape
    void SetPatternHeight(float twips) { patternHeight_ = twips; }
    void SetPatternWidth(float twips) { patternWidth_ = twips; }
    void SetUseMetric(bool metric) { useMetric_ = metric; }
    float PatternHeight() const { return patternHeight_; }
    float PatternWidth() const { return patternWidth_; }
    bool UseMetric() const { return useMetric_; }

    // Each time the dialog is shown. False when nothing is printable: the
    // wizard has then closed as cancelled.
    bool Activate();
    bool Loading() const { return loading_; }
    // Printed, cancelled or closed for want of a printable page.
    bool Closed() const { return closed_; }

    // Read after the dialog has closed.
    bool DidCancel() const { return didCancel_; }
    std::int16_t PrintOrientation() const { return orientationOption_ == 0 ? 1 : 2; }
    std::int16_t Pages() const { return layout_.pages; }
    std::int16_t Rows() const { return layout_.rows; }
    std::int16_t Columns() const { return layout_.columns; }
    bool PrintAllPages() const { return printOption_ == 0; }
    float PageHeight() const { return layout_.pageHeight; }
    float PageWidth() const { return layout_.pageWidth; }
    bool PrintCutLine() const { return cutLines_; }
    bool PrintLabels() const { return labels_; }
    bool PrintMarks() const { return marks_; }
    bool PrintTestSquare() const { return testSquare_; }
    bool PrintMap() const { return map_; }
    int OverlapMillimetres() const { return overlap_; }
    bool PrintMirrorImage() const { return mirror_; }
    bool PrintBitmapImage() const { return bitmap_; }
    std::int16_t PrintCircleDegrees() const { return static_cast<std::int16_t>(circlePosition_ + 1); }
    std::int16_t PrintPageRow() const { return static_cast<std::int16_t>(rowPosition_ + 1); }
    std::int16_t PrintPageColumn() const { return static_cast<std::int16_t>(columnPosition_ + 1); }
    std::int16_t Copies() const;
    bool Collate() const { return collate_; }
    std::int16_t PatternsPerPage() const { return static_cast<std::int16_t>(perPagePosition_ + 1); }
    float DuplicateMarginSize() const;  // twips

    // Steps and navigation.
    static const char* StepCaption(int step);
    int CurrentStep() const { return currentStep_; }
    bool StepEnabled(int step) const { return !disabled_.at(static_cast<std::size_t>(step)); }
    MarkerColour Marker(int step) const { return marker_.at(static_cast<std::size_t>(step)); }
    bool CaptionWhite(int step) const { return captionWhite_.at(static_cast<std::size_t>(step)); }
    // The step whose controls are in sight: Finish shows those of Start.
    int VisibleFrame() const { return FrameOf(currentStep_); }
    const std::string& Caption() const { return caption_; }
    bool BackEnabled() const { return backEnabled_; }
    bool NextEnabled() const { return nextEnabled_; }
    void ShowStep(int step);  // also a click on a step's caption or marker
    void Back();
    void Next();
    void Print();
    void Cancel();
    WizardFault Validate() const;

    // Start and Finish.
    int OrientationOption() const { return orientationOption_; }  // 0 portrait, 1 landscape
    void ChooseOrientation(int option);
    const std::string& PrinterLine() const { return printerLine_; }
    const std::string& OrientationLine() const { return orientationLine_; }
    const std::string& PagesText() const { return pagesText_; }
    const std::string& Summary(int line) const;  // 1 to 8

    // Page.
    int PrintOption() const { return printOption_; }  // 0 all pages, 1 a single page
    void ChoosePrintOption(int option);
    bool PageListsEnabled() const { return printOption_ == 1; }
    const std::vector<std::string>& RowItems() const { return rowItems_; }
    const std::vector<std::string>& ColumnItems() const { return columnItems_; }
    int RowPosition() const { return rowPosition_; }
    int ColumnPosition() const { return columnPosition_; }
    void SelectRow(int position);
    void SelectColumn(int position);

    // Draw Mode and Cut Lines (which bitmap mode prints too).
    int DrawModeOption() const { return bitmap_ ? 1 : 0; }  // 0 vector, 1 bitmap
    void ChooseDrawMode(int option);
    void SetCutLines(bool checked) { cutLines_ = checked; }
    // The assembly aids, on the Cut Lines step.
    void SetLabels(bool checked) { labels_ = checked; }
    void SetMarks(bool checked) { marks_ = checked; }
    void SetTestSquare(bool checked) { testSquare_ = checked; }
    void SetMap(bool checked) { map_ = checked; }
    static const std::vector<std::string>& OverlapItems();  // "0" .. "25" mm
    void SelectOverlap(int millimetres);

    // Paper Saver.
    const std::vector<std::string>& PerPageItems() const { return perPageItems_; }
    int PerPagePosition() const { return perPagePosition_; }
    void SelectPerPage(int position);
    const std::string& SpacingText() const { return spacingText_; }
    // A key typed into the spacing box: whether it reaches the box.
    bool SpacingKey(int key);
    void SetSpacingText(const std::string& text);  // an edit no key announced
    void SpacingFocusLost();
    std::string UnitsLabel() const { return useMetric_ ? "CM" : "Inches"; }
    bool AlwaysDuplicate() const { return alwaysDuplicate_; }
    void SetAlwaysDuplicate(bool checked) { alwaysDuplicate_ = checked; }

    // Copies.
    const std::string& CopiesText() const { return copiesText_; }
    void SetCopiesText(const std::string& text) { copiesText_ = text; }
    void StepCopies(int delta);  // the spin control
    void SetCollate(bool checked) { collate_ = checked; }

    // Mirror and Circles.
    void SetMirror(bool checked) { mirror_ = checked; }
    static const std::vector<std::string>& CircleItems();
    int CirclePosition() const { return circlePosition_; }
    void SelectCircleDegrees(int position);

private:
    static int FrameOf(int step) { return step == kFinishStep ? kStartStep : step; }
    void SetStepEnabled(int step, bool enabled);
    void UpdateNavButtons(int step);
    bool RefreshLayout();
    void RefreshMaxPerPage();
    void RefreshSummary(int line);
    void RefreshAllSummaries();
    std::string AidsSummary() const;
    void OrientationChanged();
    void LoadWizardSettings();
    void SaveWizardSettings();

    PrintLayoutSource& source_;
    SettingsStore& settings_;
    Messages& messages_;

    bool loading_ = true;
    bool closed_ = false;
    bool didCancel_ = true;
    bool useMetric_ = false;
    float patternHeight_ = 0;
    float patternWidth_ = 0;
    WizardLayout layout_;

    int currentStep_ = kStartStep;
    std::array<bool, kWizardSteps> disabled_{};
    // Steps the page count rules out stay out whatever else changes.
    std::array<bool, kWizardSteps> disabledByLayout_{};
    std::array<MarkerColour, kWizardSteps> marker_{};
    std::array<bool, kWizardSteps> captionWhite_{};
    std::string caption_ = "Pattern Print Wizard";
    bool backEnabled_ = false;
    bool nextEnabled_ = true;

    int orientationOption_ = 0;
    std::string printerLine_;
    std::string orientationLine_;
    std::string pagesText_;
    std::array<std::string, kSummaryLines + 1> summary_{};

    int printOption_ = 0;
    std::vector<std::string> rowItems_{"1"};
    std::vector<std::string> columnItems_{"1"};
    int rowPosition_ = 0;
    int columnPosition_ = 0;

    bool bitmap_ = false;
    bool cutLines_ = true;
    bool labels_ = true;
    bool marks_ = true;
    bool testSquare_ = true;
    bool map_ = false;
    int overlap_ = 0;

    std::vector<std::string> perPageItems_{"1"};
    int perPagePosition_ = 0;
    std::string spacingText_ = "0.2";
    bool spacingChanged_ = false;
    bool alwaysDuplicate_ = false;

    std::string copiesText_ = "1";
    bool collate_ = false;
    bool mirror_ = false;
    int circlePosition_ = 4;
};

}  // namespace tessary
