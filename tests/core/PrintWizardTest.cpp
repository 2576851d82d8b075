#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/print/PrintWizard.h"
#include "core/services/Messages.h"
#include "tests/core/FakePlatform.h"

namespace tessary {
namespace {

// A printer whose page grids are scripted per orientation.
class FakeLayout : public PrintLayoutSource {
public:
    std::string PrinterName() const override { return "Office Laser"; }

    WizardLayout Layout(std::int16_t orientation, float patternWidth, float patternHeight) override {
        orientations.push_back(orientation);
        patternSizes.push_back({patternWidth, patternHeight});
        return orientation == 1 ? portrait : landscape;
    }

    std::int16_t MaxPatternsPerPage(float spacingTwips, float, float, float pageWidth, float) override {
        spacings.push_back(spacingTwips);
        pageWidths.push_back(pageWidth);
        return maxPerPage;
    }

    static WizardLayout OnePage() { return {true, 1, 1, 1, 11520, 14400}; }
    static WizardLayout Grid(std::int16_t rows, std::int16_t columns) {
        return {true, static_cast<std::int16_t>(rows * columns), rows, columns, 10080, 13680};
    }

    WizardLayout portrait = Grid(2, 3);
    WizardLayout landscape = OnePage();
    std::int16_t maxPerPage = 8;
    std::vector<std::int16_t> orientations;
    std::vector<std::pair<float, float>> patternSizes;
    std::vector<float> spacings;
    std::vector<float> pageWidths;
};

using C = MarkerColour;

class PrintWizardTest : public testing::Test {
protected:
    // As the print command runs it: created, given the pattern, shown.
    PrintWizardModel& Open(std::int16_t orientation = 1) {
        PrintWizardModel& m = model_.emplace(layout_, settings_, messages_);
        m.SetPrintOrientation(orientation);
        m.SetPatternWidth(4320);
        m.SetPatternHeight(2880);
        activated_ = m.Activate();
        return m;
    }

    // Types at the end of the spacing box: only accepted keys reach it.
    void TypeSpacing(const std::string& keys) {
        for (char c : keys) {
            if (model_->SpacingKey(static_cast<unsigned char>(c))) model_->SetSpacingText(model_->SpacingText() + c);
        }
    }

    std::vector<int> StepsVisitedByNext() {
        std::vector<int> steps{model_->CurrentStep()};
        while (model_->NextEnabled()) {
            model_->Next();
            steps.push_back(model_->CurrentStep());
        }
        return steps;
    }

    std::vector<std::string> SummaryLines() const {
        std::vector<std::string> lines;
        for (int line = 1; line <= kSummaryLines; ++line) lines.push_back(model_->Summary(line));
        return lines;
    }

    test::FakeSettings settings_;
    test::FakePresenter presenter_;
    Messages messages_{presenter_};
    FakeLayout layout_;
    std::optional<PrintWizardModel> model_;
    bool activated_ = false;
};

TEST_F(PrintWizardTest, OpensAtStartWithTheDefaultChoices) {
    PrintWizardModel& m = model_.emplace(layout_, settings_, messages_);
    EXPECT_TRUE(m.Loading());
    m.SetPrintOrientation(2);
    EXPECT_TRUE(layout_.orientations.empty());  // no layout while the caller sets the orientation
    m.SetPatternWidth(4320);
    m.SetPatternHeight(2880);
    m.SetPrintOrientation(1);
    ASSERT_TRUE(m.Activate());
    EXPECT_FALSE(m.Loading());
    EXPECT_EQ(layout_.orientations, std::vector<std::int16_t>{1});
    EXPECT_EQ(layout_.patternSizes.front(), std::make_pair(4320.0f, 2880.0f));

    EXPECT_EQ(m.Caption(), "Pattern Print Wizard - Start");
    EXPECT_EQ(m.CurrentStep(), kStartStep);
    EXPECT_TRUE(!m.BackEnabled() && m.NextEnabled());
    EXPECT_EQ(m.PrinterLine(), "Printer:  Office Laser");
    EXPECT_EQ(m.OrientationLine(), "Orientation:  Portrait");
    EXPECT_EQ(m.PagesText(), " Pages:  6      Rows:  2      Columns:  3");
    EXPECT_EQ(SummaryLines(),
              (std::vector<std::string>{"Print: ALL Pages", "Draw Mode: Vector", "Cut Lines: Yes", "Per Page: 1",
                                        "Copies: 1", "Mirror: No", "Circles: 5 Degree Arcs",
                                        "Aids: Labels, Marks, Test Square"}));
    EXPECT_EQ(std::tuple(m.UnitsLabel(), m.SpacingText(), m.CopiesText()), std::tuple("Inches", "0.2", "1"));
    EXPECT_FLOAT_EQ(m.DuplicateMarginSize(), 288.0f);
    EXPECT_EQ(m.CirclePosition(), 4);
    EXPECT_TRUE(PrintWizardModel::CircleItems().size() == 15 && PrintWizardModel::CircleItems().back() == "15");
    EXPECT_TRUE(m.PrintAllPages() && !m.PageListsEnabled());
    EXPECT_FALSE(m.AlwaysDuplicate() || m.Collate() || m.PrintMirrorImage() || m.PrintBitmapImage());
    // What the print command reads back.
    EXPECT_EQ(std::tuple(m.PrintOrientation(), m.Pages(), m.Rows(), m.Columns(), m.PageWidth(), m.PageHeight()),
              std::tuple(1, 6, 2, 3, 10080.0f, 13680.0f));
    EXPECT_EQ(std::tuple(m.PrintCircleDegrees(), m.Copies(), m.PatternsPerPage()), std::tuple(5, 1, 1));
    EXPECT_TRUE(m.PrintCutLine() && m.DidCancel());  // nothing printed yet
}

TEST_F(PrintWizardTest, AOnePagePatternSkipsPageAndCircles) {
    layout_.portrait = FakeLayout::OnePage();
    PrintWizardModel& m = Open();
    EXPECT_EQ(m.PagesText(), "1 Page");
    EXPECT_EQ(m.Summary(7), "Circles: Maximum Resolution");
    for (int step : {kPageStep, kCirclesStep}) EXPECT_TRUE(!m.StepEnabled(step) && m.Marker(step) == C::Disabled);
    EXPECT_EQ(m.PerPageItems(), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(layout_.spacings, std::vector<float>{288.0f});
    EXPECT_EQ(layout_.pageWidths, std::vector<float>{11520.0f});

    EXPECT_EQ(StepsVisitedByNext(), (std::vector<int>{0, 2, 3, 4, 5, 6, 8}));
    m.Back();
    EXPECT_EQ(m.CurrentStep(), kMirrorStep);
    m.ShowStep(kDrawModeStep);
    m.Back();
    EXPECT_EQ(m.CurrentStep(), kStartStep);
    m.ShowStep(kCirclesStep);  // a click on a disabled caption
    EXPECT_EQ(m.CurrentStep(), kStartStep);
    EXPECT_EQ(m.Caption(), "Pattern Print Wizard - Start");
}

TEST_F(PrintWizardTest, AMultiPagePatternSkipsThePaperSaver) {
    PrintWizardModel& m = Open();
    EXPECT_FALSE(m.StepEnabled(kPaperSaverStep));
    EXPECT_TRUE(m.StepEnabled(kPageStep) && m.StepEnabled(kCirclesStep));
    EXPECT_TRUE(layout_.spacings.empty());
    m.ShowStep(kCutLinesStep);
    m.Next();
    EXPECT_EQ(m.CurrentStep(), kCopiesStep);

    m.ShowStep(kPageStep);
    EXPECT_EQ(m.RowItems(), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(m.ColumnItems(), (std::vector<std::string>{"1", "2", "3"}));
    m.ChoosePrintOption(1);
    EXPECT_TRUE(m.PageListsEnabled() && !m.PrintAllPages());
    m.SelectRow(1);
    m.SelectColumn(2);
    m.SelectColumn(3);  // beyond the list
    m.Next();
    EXPECT_EQ(m.Summary(1), "Print Page: Row 2, Column 3");
    EXPECT_TRUE(m.PrintPageRow() == 2 && m.PrintPageColumn() == 3);
    m.ShowStep(kCirclesStep);
    m.SelectCircleDegrees(0);
    m.Next();
    EXPECT_EQ(m.Summary(7), "Circles: 1 Degree Arcs");
    EXPECT_EQ(m.PrintCircleDegrees(), 1);
}

TEST_F(PrintWizardTest, MarkersFollowTheStepsShownLeftAndDisabled) {
    PrintWizardModel& m = Open();
    EXPECT_TRUE(m.Marker(kStartStep) == C::Current && m.CaptionWhite(kStartStep));
    EXPECT_EQ(m.Marker(kDrawModeStep), C::Enabled);
    m.Next();
    m.Next();
    EXPECT_EQ(m.Caption(), "Pattern Print Wizard - Draw Mode");
    EXPECT_TRUE(m.Marker(kStartStep) == C::Left && m.Marker(kPageStep) == C::Left && !m.CaptionWhite(kPageStep));
    EXPECT_TRUE(m.Marker(kDrawModeStep) == C::Current && m.CaptionWhite(kDrawModeStep));
    EXPECT_TRUE(m.BackEnabled() && m.NextEnabled());
    EXPECT_EQ(m.VisibleFrame(), kDrawModeStep);

    m.ShowStep(kFinishStep);
    EXPECT_EQ(m.Caption(), "Pattern Print Wizard - Finish");
    EXPECT_EQ(m.VisibleFrame(), kStartStep);  // orientation and summary once more
    EXPECT_TRUE(m.BackEnabled() && !m.NextEnabled());
    m.Next();
    EXPECT_EQ(m.CurrentStep(), kFinishStep);
    for (int step : {-1, kWizardSteps}) m.ShowStep(step);
    EXPECT_EQ(m.CurrentStep(), kFinishStep);
}

// Bitmap pages carry cut lines and aids too; only copies cannot share a sheet.
TEST_F(PrintWizardTest, BitmapModeRulesOutThePaperSaver) {
    layout_.portrait = FakeLayout::OnePage();
    PrintWizardModel& m = Open();
    m.SelectPerPage(3);
    m.ShowStep(kDrawModeStep);
    m.ChooseDrawMode(1);
    EXPECT_TRUE(m.PrintBitmapImage() && m.PrintCutLine() && m.PatternsPerPage() == 1);
    EXPECT_EQ(m.Marker(kPaperSaverStep), C::Disabled);
    m.Next();
    EXPECT_EQ(m.CurrentStep(), kCutLinesStep);
    m.Next();
    EXPECT_EQ(m.CurrentStep(), kCopiesStep);
    m.ShowStep(kFinishStep);
    EXPECT_EQ(std::tuple(m.Summary(2), m.Summary(3), m.Summary(4)),
              std::tuple("Draw Mode: Bitmap", "Cut Lines: Yes", "Per Page: 1"));

    m.ShowStep(kDrawModeStep);
    m.ChooseDrawMode(0);
    EXPECT_FALSE(m.PrintBitmapImage());
    EXPECT_EQ(m.Marker(kPaperSaverStep), C::Enabled);
}

TEST_F(PrintWizardTest, StepsALayoutRuledOutStayOut) {
    PrintWizardModel& m = Open();  // portrait: 6 pages, landscape: 1
    m.ChooseDrawMode(1);
    m.ChooseDrawMode(0);
    EXPECT_FALSE(m.StepEnabled(kPaperSaverStep));  // vector mode does not bring it back
    EXPECT_TRUE(m.StepEnabled(kCutLinesStep));

    m.ChoosePrintOption(1);
    m.SelectRow(1);
    m.ChooseOrientation(1);
    EXPECT_EQ(layout_.orientations, (std::vector<std::int16_t>{1, 2}));
    EXPECT_EQ(m.Summary(1), "Print: ALL Pages");  // a single page of one is all pages
    EXPECT_TRUE(m.PrintPageRow() == 1 && m.PrintOrientation() == 2);
    EXPECT_EQ(m.OrientationLine(), "Orientation:  Landscape");
    EXPECT_EQ(m.PagesText(), "1 Page");
    EXPECT_EQ(m.Summary(7), "Circles: Maximum Resolution");
    EXPECT_FALSE(m.StepEnabled(kPageStep) || m.StepEnabled(kCirclesStep) || m.StepEnabled(kPaperSaverStep));

    m.ChooseOrientation(0);
    EXPECT_EQ(m.PagesText(), " Pages:  6      Rows:  2      Columns:  3");
    EXPECT_EQ(m.Summary(7), "Circles: 5 Degree Arcs");
    for (int step : {kPageStep, kPaperSaverStep, kCirclesStep}) EXPECT_FALSE(m.StepEnabled(step)) << step;
    EXPECT_FALSE(m.Closed());
}

TEST_F(PrintWizardTest, ANewSpacingRecountsTheCopiesPerPage) {
    layout_.portrait = FakeLayout::OnePage();
    PrintWizardModel& m = Open();
    m.SetSpacingText("");
    m.SpacingFocusLost();
    EXPECT_EQ(layout_.spacings.back(), 0.0f);
    m.SetSpacingText("0");
    TypeSpacing("a-/.5.2");  // only "." once and the digits get through
    EXPECT_EQ(m.SpacingText(), "0.52");
    layout_.maxPerPage = 3;
    m.SpacingFocusLost();
    EXPECT_FLOAT_EQ(layout_.spacings.back(), 0.52f * 1440);
    EXPECT_EQ(m.PerPageItems(), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(m.PatternsPerPage(), 1);
    const std::size_t counted = layout_.spacings.size();
    m.SpacingFocusLost();  // nothing typed since
    EXPECT_EQ(layout_.spacings.size(), counted);

    // Enter and "+" end the entry without reaching the box.
    m.SetAlwaysDuplicate(true);
    m.SetUseMetric(true);
    EXPECT_EQ(m.UnitsLabel(), "CM");
    m.SetSpacingText("");
    TypeSpacing("2.54\r+");
    EXPECT_EQ(m.SpacingText(), "2.54");
    EXPECT_FLOAT_EQ(layout_.spacings.back(), 1440.0f);
    EXPECT_EQ(m.PatternsPerPage(), 3);  // the largest count

    // A spacing below zero counts as none.
    m.SetSpacingText("-1");
    m.SpacingFocusLost();
    EXPECT_EQ(layout_.spacings.back(), 0.0f);
}

// The last line lists the aids the print will carry: those of a grid only
// on a grid, the map only before all its pages.
TEST_F(PrintWizardTest, TheSummaryListsTheAidsThatWillPrint) {
    PrintWizardModel& m = Open();
    m.SelectOverlap(12);
    m.SetMap(true);
    m.ShowStep(kFinishStep);
    EXPECT_EQ(m.Summary(8), "Aids: Labels, Marks, Test Square, Glue Margin 12 mm, Map Page");
    m.ChoosePrintOption(1);
    m.SetLabels(false);
    m.SetTestSquare(false);
    m.ShowStep(kStartStep);
    EXPECT_EQ(m.Summary(8), "Aids: Marks, Glue Margin 12 mm");
    m.SetMarks(false);
    m.SelectOverlap(0);
    m.ShowStep(kFinishStep);
    EXPECT_EQ(m.Summary(8), "Aids: None");

    layout_.portrait = FakeLayout::OnePage();
    PrintWizardModel& single = Open();
    single.SetMap(true);
    single.SelectOverlap(5);
    single.ShowStep(kFinishStep);
    EXPECT_EQ(single.Summary(8), "Aids: Test Square");

    // Half-inch page margins hold 12.7 mm of a glue margin.
    layout_.portrait = FakeLayout::Grid(2, 3);
    layout_.portrait.glueRoom = 12.7f;
    PrintWizardModel& narrow = Open();
    narrow.SelectOverlap(12);
    narrow.ShowStep(kFinishStep);
    EXPECT_EQ(narrow.Summary(8), "Aids: Labels, Marks, Test Square, Glue Margin 12 mm");
    narrow.SelectOverlap(25);
    narrow.ShowStep(kStartStep);
    EXPECT_EQ(narrow.Summary(8), "Aids: Labels, Marks, Test Square, Glue Margin 25 mm (12 mm fits)");
}

TEST_F(PrintWizardTest, StoredChoicesAreReadInTheirFormsOnly) {
    for (const char* key : {"AlwaysDuplicate", "Collate", "CutLines", "Mirror", "Labels", "Marks", "TestSquare"}) {
        settings_.Write(kPrintWizardSection, key, "2");
    }
    settings_.Write(kPrintWizardSection, "Bitmap", "-1");
    settings_.Write(kPrintWizardSection, "CircleDegrees", "15");
    settings_.Write(kPrintWizardSection, "Overlap", "26");
    settings_.Write(kPrintWizardSection, "Map", "2");
    settings_.Write(kPrintWizardSection, "DuplicateMargin", "nan");
    PrintWizardModel& wrong = Open();
    EXPECT_FALSE(wrong.AlwaysDuplicate() || wrong.Collate() || wrong.PrintMirrorImage() || wrong.PrintBitmapImage());
    EXPECT_TRUE(wrong.PrintCutLine() && wrong.PrintLabels() && wrong.PrintMarks() && wrong.PrintTestSquare());
    EXPECT_TRUE(!wrong.PrintMap() && wrong.OverlapMillimetres() == 0);
    EXPECT_EQ(wrong.PrintCircleDegrees(), 5);
    EXPECT_EQ(wrong.SpacingText(), "0.2");
    EXPECT_EQ(wrong.Validate(), WizardFault::None);

    const struct { const char* key; const char* value; } stored[] = {
        {"AlwaysDuplicate", "1"}, {"DuplicateMargin", "0.35"}, {"Collate", "1"}, {"Bitmap", "True"},
        {"CutLines", "0"},        {"Mirror", "1"},             {"CircleDegrees", "9"},
        {"Labels", "0"},          {"Marks", "1"},              {"TestSquare", "0"},
        {"Map", "1"},             {"Overlap", "25"}};
    for (const auto& s : stored) settings_.Write(kPrintWizardSection, s.key, s.value);
    layout_.portrait = FakeLayout::OnePage();
    PrintWizardModel& m = Open();
    EXPECT_TRUE(m.AlwaysDuplicate() && m.Collate() && m.PrintMirrorImage() && m.PrintBitmapImage());
    EXPECT_EQ(m.SpacingText(), "0.35");
    EXPECT_EQ(m.PrintCircleDegrees(), 10);
    EXPECT_TRUE(!m.PrintCutLine() && !m.PrintLabels() && m.PrintMarks() && !m.PrintTestSquare() && m.PrintMap());
    EXPECT_EQ(m.OverlapMillimetres(), 25);
    EXPECT_TRUE(m.StepEnabled(kCutLinesStep) && !m.StepEnabled(kPaperSaverStep));
    EXPECT_EQ(m.DrawModeOption(), 1);
    // Copies never share a sheet in bitmap mode, whatever "always the most" says.
    EXPECT_TRUE(m.PerPageItems().size() == 8 && m.PatternsPerPage() == 1);
}

TEST_F(PrintWizardTest, PrintStoresTheChoicesAndCancelStoresNothing) {
    layout_.portrait = FakeLayout::OnePage();
    const auto choose = [](PrintWizardModel& m) {
        m.SetAlwaysDuplicate(true);
        m.SetSpacingText("0.35");
        m.SetCollate(true);
        m.SetMirror(true);
        m.SelectCircleDegrees(9);
        m.ChooseDrawMode(1);
        m.SetMarks(false);
        m.SetMap(true);
        m.SelectOverlap(8);
    };
    choose(Open());
    model_->Cancel();
    EXPECT_TRUE(model_->Closed() && model_->DidCancel());
    EXPECT_TRUE(settings_.writes.empty());

    PrintWizardModel& m = Open();
    choose(m);
    m.SetCopiesText("3");
    m.Print();
    EXPECT_TRUE(m.Closed() && !m.DidCancel());
    EXPECT_EQ(m.Copies(), 3);
    EXPECT_FLOAT_EQ(layout_.spacings.back(), 504.0f);  // the spacing typed last counts
    EXPECT_EQ(settings_.writes,
              (std::vector<std::string>{"PrintWizard/AlwaysDuplicate", "PrintWizard/DuplicateMargin",
                                        "PrintWizard/Collate", "PrintWizard/Bitmap", "PrintWizard/CutLines",
                                        "PrintWizard/Labels", "PrintWizard/Marks", "PrintWizard/TestSquare",
                                        "PrintWizard/Map", "PrintWizard/Overlap", "PrintWizard/Mirror",
                                        "PrintWizard/CircleDegrees"}));
    EXPECT_EQ(settings_.values, (std::map<std::string, std::string>{{"PrintWizard/AlwaysDuplicate", "1"},
                                                                    {"PrintWizard/DuplicateMargin", "0.35"},
                                                                    {"PrintWizard/Collate", "1"},
                                                                    {"PrintWizard/Bitmap", "True"},
                                                                    {"PrintWizard/CutLines", "1"},
                                                                    {"PrintWizard/Labels", "1"},
                                                                    {"PrintWizard/Marks", "0"},
                                                                    {"PrintWizard/TestSquare", "1"},
                                                                    {"PrintWizard/Map", "1"},
                                                                    {"PrintWizard/Overlap", "8"},
                                                                    {"PrintWizard/Mirror", "1"},
                                                                    {"PrintWizard/CircleDegrees", "9"}}));
    EXPECT_TRUE(presenter_.shown.empty());
}

TEST_F(PrintWizardTest, NothingPrintableClosesTheWizardAsCancelled) {
    layout_.portrait = {false, 0, 1, 1, -720, 13680};
    PrintWizardModel& m = Open();
    EXPECT_FALSE(activated_);
    EXPECT_TRUE(m.Closed() && m.DidCancel());
    EXPECT_EQ(m.Pages(), 0);

    layout_.portrait = FakeLayout::Grid(1, 2);
    layout_.landscape.printable = false;
    PrintWizardModel& turned = Open();
    ASSERT_TRUE(activated_);
    turned.ChooseOrientation(1);
    EXPECT_TRUE(turned.Closed() && turned.DidCancel());
    EXPECT_TRUE(settings_.writes.empty());
}

TEST_F(PrintWizardTest, CopiesMustBeAWholeNumberInRange) {
    const struct { const char* text; bool valid; } cases[] = {
        {"1", true},    {" 12 ", true}, {"999", true}, {"0", false},  {"1000", false},
        {"2.5", false}, {"", false},    {"x3", false}, {"-2", false}, {"99999999999", false}};
    PrintWizardModel& m = Open();
    for (const auto& c : cases) {
        m.SetCopiesText(c.text);
        EXPECT_EQ(m.Validate(), c.valid ? WizardFault::None : WizardFault::Copies) << c.text;
    }
    m.SetCopiesText("abc");
    m.ShowStep(kFinishStep);
    EXPECT_EQ(m.Summary(5), "Copies: 0");
    m.Print();
    EXPECT_TRUE(!m.Closed() && m.CurrentStep() == kCopiesStep);  // where it can be mended
    ASSERT_EQ(presenter_.shown.size(), 1u);
    EXPECT_EQ(presenter_.shown[0].text,
              "The number of copies is not valid.\r\n\r\nEnter a whole number of copies from 1 to 999.");
    EXPECT_TRUE(settings_.writes.empty());

    const struct { const char* before; int delta; const char* after; } spins[] = {
        {"abc", 1, "1"}, {"3", -1, "2"}, {"1", -1, "1"}, {"999", 1, "999"}, {"7", 1, "8"}};
    for (const auto& s : spins) {
        m.SetCopiesText(s.before);
        m.StepCopies(s.delta);
        EXPECT_EQ(m.CopiesText(), s.after) << s.before;
    }
}

TEST_F(PrintWizardTest, TheSpacingMustBeANumberWhereCopiesShareASheet) {
    const std::string beyondTwips(50, '9');
    const struct { const char* text; bool valid; } cases[] = {
        {"0.2", true}, {".5", true},   {"3.", true},  {"0", true},       {"", false},
        {".", false},  {"1/4", false}, {"-1", false}, {"0.2 cm", false}, {beyondTwips.c_str(), false}};
    layout_.portrait = FakeLayout::OnePage();
    PrintWizardModel& m = Open();
    for (const auto& c : cases) {
        m.SetSpacingText(c.text);
        EXPECT_EQ(m.Validate(), c.valid ? WizardFault::None : WizardFault::Spacing) << c.text;
    }
    m.SetSpacingText("abc");
    m.Print();
    EXPECT_FALSE(m.Closed());
    EXPECT_EQ(m.CurrentStep(), kPaperSaverStep);
    ASSERT_EQ(presenter_.shown.size(), 1u);
    EXPECT_EQ(presenter_.shown[0].text,
              "The spacing between the patterns on a page is not a number.\r\n\r\n"
              "Enter the spacing as a decimal number such as 0.2.");

    // Where the paper saver is out of reach its spacing does not matter.
    m.ShowStep(kDrawModeStep);
    m.ChooseDrawMode(1);
    m.Print();
    EXPECT_TRUE(m.Closed() && !m.DidCancel());
}

}  // namespace
}  // namespace tessary
