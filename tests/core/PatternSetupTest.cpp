#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <tuple>

#include "core/files/PatternSetup.h"
#include "core/pattern/Colour.h"
#include "tests/core/FakePlatform.h"

namespace tessary {
namespace {

using B = SetupBox;

class PatternSetupTest : public testing::Test {
protected:
    PatternSetupModel& Open() { return model_.emplace(t->options, t->display, t->settings, t->messages); }

    // Types at the end of a box as the dialog does: only inserted keys reach it.
    void Type(B box, const std::string& keys) {
        for (char c : keys) {
            if (!model_->KeyPress(box, static_cast<unsigned char>(c)).insert) continue;
            std::string text = model_->Text(box);
            if (c == '\b') {
                if (!text.empty()) text.pop_back();
            } else {
                text += c;
            }
            model_->SetText(box, text);
        }
    }

    // Types over the whole entry.
    void Retype(B box, const std::string& keys) {
        model_->SetText(box, "");
        Type(box, keys);
    }

    std::string Stored(const std::string& key) const {
        const auto it = t.settings.values.find(key);
        return it == t.settings.values.end() ? "(none)" : it->second;
    }

    test::TestSession t;
    std::optional<PatternSetupModel> model_;
};

TEST_F(PatternSetupTest, OpensWithTheStoredDefaults) {
    const PatternSetupModel& m = Open();
    const struct { B box; const char* text; } boxes[] = {
        {B::Width, "8.5"},        {B::Height, "11"},      {B::MarginTop, "0.5"}, {B::MarginRight, "0.5"},
        {B::MarginBottom, "0.5"}, {B::MarginLeft, "0.5"}, {B::PenSize, "1/64"},  {B::BitmapWidth, "300"},
        {B::BitmapHeight, "388"}};
    for (const auto& b : boxes) EXPECT_EQ(m.Text(b.box), b.text) << static_cast<int>(b.box);
    EXPECT_TRUE(m.PatternUnits() == 0 && m.PenUnits() == 0);
    EXPECT_TRUE(m.Aspect() == AspectState::Unchecked && m.AspectEnabled());
    EXPECT_TRUE(m.BlackOnly() && !m.ChangeColourEnabled() && m.SampleColour() == 0);
    EXPECT_EQ(m.PenSizeCaption(), "Bitmap Pen Size (1)");
    EXPECT_EQ(m.CurrentTab(), 0);
}

TEST_F(PatternSetupTest, PicturePatternOpensGreyAndInItsOwnUnits) {
    PatternOptions& o = t->options;
    o.AspectLocked = o.MetricPage = o.MetricPen = true;
    o.DimensionWidth = 40;
    o.DimensionHeight = 30;
    o.MarginTop = -1;
    o.BandW = false;
    o.PenColor = static_cast<std::int32_t>(RGB(255, 0, 0));
    o.BitmapWidth = 640;
    o.BitmapHeight = 5;  // never shown: the height follows from the width
    const PatternSetupModel& m = Open();
    EXPECT_TRUE(m.Aspect() == AspectState::Grey && !m.AspectEnabled());
    EXPECT_TRUE(m.PatternUnits() == 1 && m.PenUnits() == 1);
    EXPECT_EQ(m.Text(B::MarginTop), "0");
    EXPECT_TRUE(m.ChangeColourEnabled() && m.SampleColour() == RGB(255, 0, 0));
    EXPECT_EQ(m.Text(B::BitmapHeight), "480");
}

TEST_F(PatternSetupTest, OutOfRangeValuesOpenAsSafeOnes) {
    const struct { float width, height, penSize; const char *widthText, *heightText; int slider; } cases[] = {
        {0, 11, 0, "8.5", "11", 1},      {-2, -3, 0.4f, "8.5", "11", 1}, {8.5f, NAN, 2.5f, "8.5", "11", 2},
        {3, 4, 100, "3", "4", 100},      {3, 4, 100.5f, "3", "4", 1},     {3, 4, -3, "3", "4", 1},
    };
    for (const auto& c : cases) {
        t->options.DimensionWidth = c.width;
        t->options.DimensionHeight = c.height;
        t->options.BitmapPenSize = c.penSize;
        const PatternSetupModel& m = Open();
        EXPECT_EQ(m.Text(B::Width), c.widthText) << c.width;
        EXPECT_EQ(m.Text(B::Height), c.heightText) << c.height;
        EXPECT_EQ(m.PenSlider(), c.slider) << c.penSize;
    }
}

TEST_F(PatternSetupTest, DimensionEntriesKeepTheAspectWhenAsked) {
    // Keys without Enter or "+" leave the box to the focus change; an emptied box shows the size again.
    const struct { AspectState aspect; B box; const char *keys, *width, *height; } cases[] = {
        {AspectState::Grey, B::Width, "17\r", "17", "22"},      {AspectState::Grey, B::Height, "22+", "17", "22"},
        {AspectState::Grey, B::Width, "4.25", "4.25", "5.5"},   {AspectState::Checked, B::Width, "17\r", "17", "22"},
        {AspectState::Unchecked, B::Width, "17\r", "17", "11"}, {AspectState::Unchecked, B::Height, "5", "8.5", "5"},
        {AspectState::Grey, B::Width, "", "8.5", "11"},         {AspectState::Unchecked, B::Height, "0\r", "8.5", "11"},
    };
    for (const auto& c : cases) {
        t->options.AspectLocked = c.aspect == AspectState::Grey;
        PatternSetupModel& m = Open();
        m.SetAspectChecked(c.aspect == AspectState::Checked);
        ASSERT_EQ(m.Aspect(), c.aspect);
        Retype(c.box, c.keys);
        m.Commit(c.box);
        EXPECT_EQ(m.Text(B::Width), c.width) << c.keys;
        EXPECT_EQ(m.Text(B::Height), c.height) << c.keys;
        EXPECT_FALSE(m.DimensionChanged());
    }
}

TEST_F(PatternSetupTest, OnlyAnAcceptedKeyMakesTheBoxTakeItsNumberAgain) {
    t->options.DimensionWidth = 8.503f;
    PatternSetupModel& m = Open();
    EXPECT_EQ(m.Text(B::Width), "8.5");
    m.Commit(B::Width);
    Type(B::Width, "/");
    m.Commit(B::Width);
    EXPECT_EQ(m.Width(), 8.503f);
    Type(B::Width, "\r");
    EXPECT_EQ(m.Width(), 8.5f);
}

TEST_F(PatternSetupTest, KeyFiltersOfEachBox) {
    const struct { B box; const char* text; int key; bool metricPen, insert, beep; } cases[] = {
        {B::Width, "8.5", '.', false, false, true},       {B::Width, "8", '.', false, true, false},
        {B::Height, "8", '/', false, false, true},        {B::Width, "8", ' ', false, false, true},
        {B::Width, "8", '-', false, false, true},         {B::Width, "8", '7', false, true, false},
        {B::Width, "8", '\b', false, true, false},        {B::Width, "8", '\r', false, false, false},
        {B::MarginLeft, "0.5", '.', false, false, true},  {B::MarginTop, "0", '+', false, false, false},
        {B::BitmapWidth, "300", '.', false, false, true}, {B::BitmapHeight, "300", '9', false, true, false},
        {B::PenSize, "1", '/', false, true, false},       {B::PenSize, "1", '/', true, false, false},
        {B::PenSize, "1", '.', true, false, false},       {B::PenSize, "1/", '.', false, false, false},
        {B::PenSize, "0.", '/', false, false, false},     {B::PenSize, "1", '.', false, true, false},
        {B::PenSize, "1", 'a', false, false, false},      {B::PenSize, "1", '\r', false, false, false},
        {B::PenSize, "1", '+', false, false, false},      {B::PenSize, "1", '\b', true, true, false},
    };
    for (bool sound : {true, false}) {
        for (const auto& c : cases) {
            t->display.SetSound(1, sound);
            t->options.MetricPen = c.metricPen;
            PatternSetupModel& m = Open();
            m.SetText(c.box, c.text);
            const KeyVerdict v = m.KeyPress(c.box, c.key);
            EXPECT_EQ(v.insert, c.insert) << c.text << " + " << c.key;
            EXPECT_EQ(v.beep, c.beep && sound) << c.text << " + " << c.key;
        }
    }
}

TEST_F(PatternSetupTest, MarginsAreReadAsPlainNumbersAllAtOnce) {
    PatternSetupModel& m = Open();
    m.SetText(B::MarginTop, "-3");       // pasted: no key could type it
    m.SetText(B::MarginLeft, "1.5 cm");  // pasted
    Retype(B::MarginRight, "2+");
    EXPECT_EQ(std::tuple(m.Text(B::MarginTop), m.Text(B::MarginRight), m.Text(B::MarginLeft)),
              std::tuple("0", "2", "1.5"));
    EXPECT_EQ(m.Margin(0), 0.0f);
    EXPECT_FALSE(m.MarginChanged());
}

TEST_F(PatternSetupTest, PlainNumberIsTheLeadingDecimalNumber) {
    const struct { const char* text; float value; } cases[] = {
        {"", 0},   {"abc", 0},   {"1.5abc", 1.5f}, {" 2 5", 25}, {"-2", -2}, {"1/64", 1},  {"3.", 3},  {".5", 0.5f},
        {"1.2.3", 1.2f}, {"1e2", 100}, {"2e", 2}, {"1e999", 0}, {"1,5", 1}, {"+4", 4}, {"-", 0}, {"7 . 2 5", 7.25f}};
    for (const auto& c : cases) EXPECT_EQ(PlainNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST_F(PatternSetupTest, PageUnitsConvertTheBoxes) {
    PatternSetupModel& m = Open();
    m.ChoosePatternUnits(1);
    EXPECT_EQ(std::tuple(m.Text(B::Width), m.Text(B::Height)), std::tuple("21.59", "27.94"));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(m.Text(MarginBox(i)), "1.27") << i;
    m.ChoosePatternUnits(1);  // already chosen: no second conversion
    EXPECT_EQ(m.Text(B::Width), "21.59");
    // With the aspect free the height stays as shown, in the new unit.
    Retype(B::Width, "30\r");
    EXPECT_EQ(m.Text(B::Height), "27.94");
    m.ChoosePatternUnits(0);
    EXPECT_EQ(std::tuple(m.Text(B::Width), m.Text(B::Height), m.Text(B::MarginBottom)),
              std::tuple("11.81", "11", "0.5"));
}

TEST_F(PatternSetupTest, PenUnitsConvertThePenBox) {
    const struct { const char* inches; const char* millimetres; const char* back; } cases[] = {
        {"1/64", "0", "0"}, {"1/32", "1", "0.04"}, {"0.5", "13", "0.51"}, {"1 1/2", "38", "1.5"}};
    for (const auto& c : cases) {
        t->options.PenSizeText = c.inches;
        PatternSetupModel& m = Open();
        m.ChoosePenUnits(1);
        EXPECT_EQ(m.Text(B::PenSize), c.millimetres) << c.inches;
        m.ChoosePenUnits(0);
        EXPECT_EQ(m.Text(B::PenSize), c.back) << c.inches;
    }
}

TEST_F(PatternSetupTest, BitmapBoxesFollowThePatternAspect) {
    PatternSetupModel& m = Open();
    Retype(B::BitmapWidth, "600\r");
    EXPECT_EQ(m.Text(B::BitmapHeight), "776");
    Retype(B::BitmapHeight, "110+");
    EXPECT_EQ(m.Text(B::BitmapWidth), "85");
    Retype(B::Height, "8.5\r");  // the aspect is free: a square pattern now
    Retype(B::BitmapWidth, "300");
    m.Commit(B::BitmapWidth);
    EXPECT_EQ(m.Text(B::BitmapHeight), "300");
}

TEST_F(PatternSetupTest, SizesNeitherDriftNorLosePrecision) {
    // The focus passing through a box that was not typed in changes nothing,
    // and the other box is rounded, not cut: 3000 wide stays 3000.
    PatternSetupModel& m = Open();
    Retype(B::BitmapWidth, "3000\r");
    EXPECT_EQ(m.Text(B::BitmapHeight), "3882");
    m.Commit(B::BitmapHeight);
    m.Commit(B::BitmapWidth);
    m.Ok();
    EXPECT_TRUE(t->options.BitmapWidth == 3000 && t->options.BitmapHeight == 3882);
    PatternSetupModel& again = Open();
    again.Commit(B::BitmapHeight);
    EXPECT_EQ(again.Text(B::BitmapWidth), "3000");
    Retype(B::BitmapHeight, "3882\r");
    EXPECT_EQ(again.Text(B::BitmapWidth), "3000");

    // The aspect rule keeps full precision behind the rounded text.
    t->options.AspectLocked = true;
    t->options.DimensionWidth = 6;
    t->options.DimensionHeight = 4;
    PatternSetupModel& locked = Open();
    Retype(B::Width, "20\r");
    EXPECT_EQ(locked.Text(B::Height), "13.33");
    locked.Ok();
    EXPECT_EQ(t->options.HeightTwips, 19200);
}

TEST_F(PatternSetupTest, OkAppliesEveryControlThenStores) {
    PatternSetupModel& m = Open();
    m.ChoosePatternUnits(1);
    m.ChoosePenUnits(1);
    Retype(B::PenSize, "2");
    Retype(B::Width, "30\r");
    m.SetText(B::MarginTop, "1.5");  // not yet taken: the box itself counts
    m.SetBlackOnly(false);
    EXPECT_TRUE(m.ChangeColourEnabled());
    m.ChooseColour(RGB(1, 2, 3));
    m.SetPenSlider(37);
    EXPECT_EQ(m.PenSizeCaption(), "Bitmap Pen Size (37)");
    Retype(B::BitmapWidth, "850\r");
    m.SetCurrentTab(3);
    t->options.SetupCancelled = true;
    m.Ok();

    const PatternOptions& o = t->options;
    EXPECT_TRUE(o.MetricPage && o.MetricPen && o.AspectLocked && !o.SetupCancelled && !o.BandW);
    EXPECT_TRUE(o.MarginTop == 1.5f && o.MarginLeft == 1.27f);
    EXPECT_TRUE(o.DimensionWidth == 30.0f && o.DimensionHeight == 27.94f);
    EXPECT_TRUE(o.PenSizeText == "2" && o.PenSizeValue == 2.0f);
    EXPECT_EQ(o.PenColor, static_cast<std::int32_t>(RGB(1, 2, 3)));
    EXPECT_TRUE(o.BitmapPenSize == 37 && o.BitmapWidth == 850 && o.BitmapHeight == 792);
    // Twips from the new size in the new unit.
    EXPECT_FLOAT_EQ(o.WidthTwips, 30 / 2.54f * 1440);
    EXPECT_FLOAT_EQ(o.HeightTwips, 15840);
    EXPECT_EQ(std::tuple(Stored("Pattern/DefWidth"), Stored("Pattern/MetricPage"), Stored("Pattern/BitmapPenSize"),
                         Stored("PatternSetup/StartTab")),
              std::tuple("30", "True", "37", "3"));

    EXPECT_EQ(t.settings.lasting, t.settings.values);

    // Black-only printing stores black; a store that cannot be written says so.
    t.settings.flushFails = true;
    m.SetBlackOnly(true);
    EXPECT_FALSE(m.ChangeColourEnabled());
    m.Ok();
    EXPECT_TRUE(o.BandW && o.PenColor == 0);
    ASSERT_EQ(t.presenter.shown.size(), 1u);
    EXPECT_EQ(t.presenter.shown[0].text.rfind("Your settings could not be saved.", 0), 0u);
}

TEST_F(PatternSetupTest, CancelAsksWhetherToSave) {
    const struct {
        bool alert;
        std::optional<MessageAnswer> answer;  // none: the question's own default
        CancelOutcome outcome;
    } cases[] = {
        {true, AnswerNo, CancelOutcome::Discarded},     {true, std::nullopt, CancelOutcome::Discarded},
        {true, AnswerYes, CancelOutcome::Applied},      {true, AnswerCancel, CancelOutcome::StayOpen},
        {false, std::nullopt, CancelOutcome::Discarded},
    };
    for (const auto& c : cases) {
        test::TestSession s;
        s->display.SetAlert(1, c.alert);
        if (c.answer) s.presenter.answers.push_back(*c.answer);
        PatternSetupModel m(s->options, s->display, s->settings, s->messages);
        // Nothing changed, or a value typed back as it was: nothing to ask.
        m.SetText(B::Width, "8.50");
        m.Commit(B::Width);
        m.SetCurrentTab(3);
        EXPECT_FALSE(m.Changed());
        m.SetText(B::Width, "17");
        m.SetCurrentTab(2);
        EXPECT_EQ(m.Cancel(), c.outcome);

        const bool applied = c.outcome == CancelOutcome::Applied;
        EXPECT_EQ(s->options.SetupCancelled, !applied);
        EXPECT_EQ(s->options.DimensionWidth, applied ? 17.0f : 8.5f);
        EXPECT_EQ(s.settings.values.count("Pattern/DefWidth"), applied ? 1u : 0u);
        EXPECT_EQ(s.settings.values.count("PatternSetup/StartTab"), c.outcome == CancelOutcome::StayOpen ? 0u : 1u);
        ASSERT_EQ(s.presenter.shown.size(), c.alert ? 1u : 0u);
        if (c.alert) {
            const MessageRequest& q = s.presenter.shown[0];
            EXPECT_TRUE(q.text == "Save changes?" && q.buttons == MessageButtons::YesNoCancel &&
                        q.defaultAnswer == AnswerNo && q.icon == MessageIcon::Question);
        }
    }
}

TEST_F(PatternSetupTest, CancelWithNothingChangedAsksNothing) {
    t->display.SetAlert(1, true);
    PatternSetupModel& m = Open();
    Retype(B::MarginTop, "0.50\r");
    m.Commit(B::BitmapHeight);
    EXPECT_EQ(m.Cancel(), CancelOutcome::Discarded);
    EXPECT_TRUE(t.presenter.shown.empty());
}

TEST_F(PatternSetupTest, OpensOnTheStoredTabWhenThereIsOne) {
    const struct { const char* stored; int tab; } cases[] = {
        {nullptr, 0}, {"2", 2}, {"3", 3}, {"4", 0}, {"7", 0}, {"-1", 0}, {"x", 0}};
    for (const auto& c : cases) {
        if (c.stored) t.settings.values["PatternSetup/StartTab"] = c.stored;
        EXPECT_EQ(Open().CurrentTab(), c.tab) << (c.stored ? c.stored : "none");
        // A new pattern is given its size first, whatever tab was last.
        EXPECT_EQ(model_.emplace(t->options, t->display, t->settings, t->messages, true).CurrentTab(), 1);
    }
}

}  // namespace
}  // namespace tessary
