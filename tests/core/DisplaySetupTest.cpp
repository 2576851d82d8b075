#include <map>
#include <optional>
#include <string>

#include "core/engine/DisplaySetupModel.h"
#include "core/pattern/Colour.h"
#include "tests/core/CommandFakes.h"
#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

constexpr std::uint32_t kGreen = RGB(0, 160, 0);

// A pattern with one line and one circle open, and the Display Setup
// dialog over it.
class DisplaySetupTest : public test::WorkspaceTest {
protected:
    DisplaySetupTest() {
        Draw(ToolLine);
        Stroke({{1000, 1000}, {3000, 1000}});
        Draw(ToolCircle);
        Stroke({{4000, 4000}, {5000, 5000}});
        ws.modes.SetMode(ModeSelect);
    }

    DisplaySetupModel& Open() { return model_.emplace(ws, dialogs); }

    std::map<std::string, std::string> DisplayKeys() const {
        std::map<std::string, std::string> keys;
        for (const auto& [key, value] : t.settings.values) {
            if (key.starts_with("DisplaySetup/") && key != "DisplaySetup/StartTab") keys[key] = value;
        }
        return keys;
    }

    // Every drawn line and shape, and the templates new ones copy, in this
    // colour and pen.
    void ExpectLook(std::uint32_t colour, std::int16_t pen) const {
        const auto check = [&](const auto& set, const char* what) {
            for (std::int16_t i = 0; i < set.Count(); ++i) {
                EXPECT_EQ(set[i].look.BorderColor, colour) << what << " " << i;
                EXPECT_EQ(set[i].look.BorderWidth, pen) << what << " " << i;
            }
        };
        ASSERT_TRUE(t->store.OutLine.VisibleCount() == 1 && t->store.OutShape.VisibleCount() == 1);
        check(t->store.OutLine, "line");
        check(t->store.OutShape, "shape");
        check(ws.bands.ArcLine, "arc line");
        EXPECT_EQ(ws.bands.EditLine.look.BorderWidth, pen) << "rubber band";
    }

    const MessageRequest* LastMessage() const {
        return t.presenter.shown.empty() ? nullptr : &t.presenter.shown.back();
    }

    test::FakeDialogs dialogs{ws};
    std::optional<DisplaySetupModel> model_;
};

// Edits every kind of control and applies them.
void EditAndApply(DisplaySetupModel& m, test::FakeDialogs& dialogs) {
    dialogs.colours = {kGreen};
    m.ChangeColour(0);
    dialogs.folders = {"/srv/patterns"};
    m.ChooseFolder(DisplaySetup::PatternFolder);
    m.SetPenSlider(4);
    m.SetTraceSlider(250);
    m.SetAlert(1, false);
    m.SetSound(0, false);
    m.Apply();
}

TEST_F(DisplaySetupTest, ApplyTakesEffectAtOnceAndCancelNoTakesItAllBack) {
    const DisplaySetup before = t->display;
    const auto storedBefore = DisplayKeys();
    DisplaySetupModel& m = Open();
    EditAndApply(m, dialogs);

    const DisplaySetup& d = t->display;
    EXPECT_EQ(d.GetColour(0), kGreen);
    EXPECT_EQ(d.GetFolder(DisplaySetup::PatternFolder), "/srv/patterns");
    EXPECT_TRUE(d.MonitorPen() == 4 && d.TraceSegment() == 250 && !d.GetAlert(1) && !d.GetSound(0));
    ExpectLook(kGreen, 4);
    EXPECT_EQ(DisplayKeys(), storedBefore);  // applied, not stored

    t.presenter.answers = {AnswerNo};
    EXPECT_EQ(m.Cancel(), CancelOutcome::Discarded);
    ASSERT_NE(LastMessage(), nullptr);
    EXPECT_EQ(LastMessage()->text, "Save changes?");
    EXPECT_TRUE(LastMessage()->icon == MessageIcon::Question && LastMessage()->buttons == MessageButtons::YesNoCancel);
    EXPECT_EQ(LastMessage()->defaultAnswer, AnswerNo);
    EXPECT_TRUE(t->display == before);
    EXPECT_EQ(DisplayKeys(), storedBefore);
    ExpectLook(kDefaultMonitorColour, 1);
}

TEST_F(DisplaySetupTest, CancelAsksOnlyWhenSomethingWouldBeLost) {
    const struct {
        const char* name;
        bool alertOn, edit, apply;
        std::optional<MessageAnswer> answer;  // none: no question
        CancelOutcome outcome;
        std::int16_t pen;  // the record's afterwards
        bool stored;
    } cases[] = {
        {"cancel keeps the dialog", true, true, false, AnswerCancel, CancelOutcome::StayOpen, 1, false},
        {"yes applies and stores", true, true, false, AnswerYes, CancelOutcome::Applied, 6, true},
        {"no discards", true, true, false, AnswerNo, CancelOutcome::Discarded, 1, false},
        {"applied, then no", true, true, true, AnswerNo, CancelOutcome::Discarded, 1, false},
        {"nothing to lose", true, false, false, std::nullopt, CancelOutcome::Discarded, 1, false},
        {"nothing applied", true, false, true, std::nullopt, CancelOutcome::Discarded, 1, false},
        {"warnings off", false, true, true, std::nullopt, CancelOutcome::Discarded, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        t.settings.values.clear();
        t.presenter.shown.clear();
        t->display.SetAlert(0, c.alertOn);
        // The record as stored: a discard restores it from there.
        WriteBoolean(t.settings, kDisplaySetupSection, "SetupAlert", c.alertOn);
        t->display.SetMonitorPen(1);
        DisplaySetupModel& m = Open();
        if (c.edit) m.SetPenSlider(6);
        if (c.apply) m.Apply();
        if (c.answer) t.presenter.answers = {*c.answer};
        EXPECT_EQ(m.Cancel(), c.outcome);
        EXPECT_EQ(t.presenter.shown.size(), c.answer ? 1u : 0u);
        EXPECT_EQ(t->display.MonitorPen(), c.pen);
        EXPECT_EQ(t.settings.values.count("DisplaySetup/SizeMonitor"), c.stored ? 1u : 0u);
        EXPECT_EQ(t.settings.values.count("DisplaySetup/StartTab"), c.outcome == CancelOutcome::StayOpen ? 0u : 1u);
    }
    // The dialog kept open still holds the entry; OK then stores it.
    t->display.SetAlert(0, true);
    DisplaySetupModel& m = Open();
    m.SetPenSlider(3);
    t.presenter.answers = {AnswerCancel};
    ASSERT_EQ(m.Cancel(), CancelOutcome::StayOpen);
    EXPECT_EQ(m.Controls().MonitorPen(), 3);
    m.Ok();
    EXPECT_EQ(t.settings.values["DisplaySetup/SizeMonitor"], "3");
    EXPECT_EQ(t.settings.lasting["DisplaySetup/SizeMonitor"], "3");
}

TEST_F(DisplaySetupTest, OpensOnTheStoredTabAndStoresTheTabItClosesOn) {
    const struct { const char* stored; int tab; } cases[] = {
        {nullptr, 0}, {"0", 0}, {"9", 9}, {"10", 0}, {"-1", 0}, {"two", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "absent");
        t.settings.values.erase("DisplaySetup/StartTab");
        if (c.stored) t.settings.values["DisplaySetup/StartTab"] = c.stored;
        EXPECT_EQ(Open().CurrentTab(), c.tab);
    }
    Open().SetCurrentTab(TabTemporaryFolder);
    model_->Ok();
    EXPECT_EQ(t.settings.values["DisplaySetup/StartTab"], "8");
    Open().SetCurrentTab(TabOptimize);
    model_->Cancel();
    EXPECT_EQ(t.settings.values["DisplaySetup/StartTab"], "3");
}

TEST_F(DisplaySetupTest, SlidersShowStoredValuesWithinTheirLimitsAndCaptionThem) {
    const struct { const char* pen; const char* segment; int penShown, segmentShown; } cases[] = {
        {"0", "0", 1, 10},       // stored 0 reads as 1
        {"3", "100", 3, 100},
        {"25", "32767", 10, 500},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pen);
        t.settings.values["DisplaySetup/SizeMonitor"] = c.pen;
        t.settings.values["DisplaySetup/TraceSegment"] = c.segment;
        RestoreDisplaySetup(t->display, t.settings);
        const DisplaySetupModel& m = Open();
        EXPECT_EQ(m.Controls().MonitorPen(), c.penShown);
        EXPECT_EQ(m.Controls().TraceSegment(), c.segmentShown);
        EXPECT_EQ(m.PenSizeCaption(), "Monitor Pen Size (" + std::to_string(c.penShown) + ")");
        EXPECT_EQ(m.TraceCaption(), "Trace Segment Length (" + std::to_string(c.segmentShown) + ")");
    }
    DisplaySetupModel& m = Open();
    m.SetPenSlider(0);
    m.SetTraceSlider(1000);
    EXPECT_EQ(m.PenSizeCaption(), "Monitor Pen Size (1)");
    EXPECT_EQ(m.TraceCaption(), "Trace Segment Length (500)");
}

TEST_F(DisplaySetupTest, TheScreenMeasuredAgainstARulerIsKeptAndWhatNoScreenCouldBeIsNot) {
    DisplaySetupModel& m = Open();
    // The system's 96 pixels an inch until measured: 3 inches are 288.
    EXPECT_EQ(m.RulerPixels(15), 288);
    EXPECT_EQ(m.ScreenCaption(15), "96 pixels an inch (as the system says)");
    m.SetRulerPixels(330);
    EXPECT_NEAR(m.Controls().ScreenTwipsPerPixel(), 3 * 1440.0 / 330, 1e-4);
    EXPECT_EQ(m.RulerPixels(15), 330);
    EXPECT_EQ(m.ScreenCaption(15), "110 pixels an inch (measured)");
    m.SetRulerPixels(5);  // no screen is that coarse
    EXPECT_EQ(m.RulerPixels(15), kRulerRange.minimum);
    m.SetRulerPixels(330);
    m.Ok();
    DisplaySetup again;
    RestoreDisplaySetup(again, t.settings);
    EXPECT_NEAR(again.ScreenTwipsPerPixel(), 3 * 1440.0 / 330, 1e-4);
    Open().UseSystemScreen();
    model_->Ok();
    RestoreDisplaySetup(again, t.settings);
    EXPECT_EQ(again.ScreenTwipsPerPixel(), 0);

    for (const char* stored : {"0.5", "1e9", "nan", "inf", "-15", "abc"}) {
        t.settings.values["DisplaySetup/ScreenTwipsPerPixel"] = stored;
        RestoreDisplaySetup(again, t.settings);
        EXPECT_EQ(again.ScreenTwipsPerPixel(), 0) << stored;
    }
    t.settings.values["DisplaySetup/ScreenTwipsPerPixel"] = "12";
    RestoreDisplaySetup(again, t.settings);
    EXPECT_EQ(again.ScreenTwipsPerPixel(), 12);
}

TEST_F(DisplaySetupTest, CancelledColourOrFolderDialogsChangeNothing) {
    t->display.SetColour(1, kGreen);
    DisplaySetupModel& m = Open();
    m.ChangeColour(1);
    m.ChooseFolder(DisplaySetup::TemporaryFolder);
    EXPECT_EQ(dialogs.coloursAsked, std::vector<std::uint32_t>{kGreen});
    ASSERT_EQ(dialogs.folderAsked.size(), 1u);
    EXPECT_EQ(dialogs.folderAsked[0],
              std::string("Directory for Temporary Files|") + t->display.GetFolder(DisplaySetup::TemporaryFolder));
    EXPECT_TRUE(m.Controls() == t->display);
    // Nothing changed, so Cancel goes without a question.
    EXPECT_EQ(m.Cancel(), CancelOutcome::Discarded);
    EXPECT_TRUE(t.presenter.shown.empty());
}

TEST_F(DisplaySetupTest, AStoreThatCannotBeWrittenIsReportedAndTheSettingsStillApply) {
    t.settings.flushFails = true;
    DisplaySetupModel& m = Open();
    m.SetPenSlider(5);
    m.Ok();
    ASSERT_NE(LastMessage(), nullptr);
    EXPECT_NE(LastMessage()->text.find("Your settings could not be saved."), std::string::npos);
    EXPECT_NE(LastMessage()->text.find(t.settings.Location()), std::string::npos);
    EXPECT_TRUE(t.settings.lasting.empty());
    EXPECT_EQ(t->display.MonitorPen(), 5);
    ExpectLook(kDefaultMonitorColour, 5);
}

}  // namespace
}  // namespace tessary
