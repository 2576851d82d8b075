#include <gtest/gtest.h>

#include <functional>

#include "tests/core/FakePlatform.h"

namespace tessary {
namespace {

using test::TestSession;

// A slot completed as the drawing tools do: geometry, visible, reference copy.
std::int16_t AddLine(Session& s) { return s.store.AddLine(0, 0, 10, 0, 1, true); }
std::int16_t AddShape(Session& s) { return s.store.AddShape(0, 0, 0, 10, 10, 1, true); }

void ExpectLinesMirrored(Session& s) {
    ASSERT_EQ(s.reference.LineCount(), s.store.OutLine.Count());
    for (std::int16_t i = 0; i < s.store.OutLine.Count(); ++i)
        EXPECT_EQ(s.reference.Lines[i].Visible, s.store.OutLine.Visible(i)) << i;
}

TEST(PatternStore, ReusesTheLowestFreeSlotBeforeGrowing) {
    TestSession s;
    PatternStore& store = s->store;
    EXPECT_TRUE(AddLine(*s) == 0 && s->reference.LineCount() == 1);  // a fresh pattern's element 0: nothing created
    for (int i = 1; i < 5; ++i) EXPECT_EQ(AddLine(*s), i);
    store.DeleteLine(4);
    store.DeleteLine(2);
    ExpectLinesMirrored(*s);

    const std::int16_t reused = store.NewLineSlot();
    ASSERT_EQ(reused, 2);
    EXPECT_FALSE(store.OutLine.Visible(reused));  // until the caller completes it
    EXPECT_EQ(store.OutLine.Count(), 5);
    for (std::int16_t i : {0, 1, 3, 4}) EXPECT_GT(store.OutLine[reused].look.Stack, store.OutLine[i].look.Stack);
    store.OutLine.SetVisible(reused, true);
    s->reference.SetLine(reused, 0, 0, 1, 1, true);
    EXPECT_EQ(AddLine(*s), 4);
    EXPECT_EQ(AddLine(*s), 5);
    EXPECT_EQ(store.OutLine.Count(), 6);
    ExpectLinesMirrored(*s);

    for (int i = 0; i < 2; ++i) AddShape(*s);
    store.DeleteShape(0);
    EXPECT_FALSE(s->reference.Shapes[0].Visible);
    EXPECT_EQ(AddShape(*s), 0);
    EXPECT_EQ(AddShape(*s), 2);
    EXPECT_TRUE(s->reference.ShapeCount() == 3 && store.LastKind() == LastKindValue::Shape && store.LastIndex() == 2);
}

TEST(PatternStore, NewElementsTakeElementZeroLookAndReusedOnesKeepTheirs) {
    TestSession s;
    PatternStore& store = s->store;
    AddLine(*s);
    AddShape(*s);
    store.OutLine.Edit(0).look = {RGB(1, 2, 3), 3, kDrawModeCopyPen, 0};
    store.OutShape.Edit(0).look.BorderWidth = 5;
    const std::int16_t line = store.NewLineSlot();
    EXPECT_EQ(store.OutLine[line].look.BorderColor, RGB(1, 2, 3));
    EXPECT_EQ(store.OutLine[line].look.BorderWidth, 3);
    EXPECT_EQ(store.OutShape[store.NewShapeSlot()].look.BorderWidth, 5);

    store.OutLine.Edit(line).look.BorderColor = RGB(9, 9, 9);
    store.DeleteLine(line);
    store.OutLine.Edit(0).look.BorderColor = RGB(4, 5, 6);
    ASSERT_EQ(store.NewLineSlot(), line);
    EXPECT_EQ(store.OutLine[line].look.BorderColor, RGB(9, 9, 9));
}

TEST(PatternStore, DeleteLastDrawnTouchesOnlyWhatTheStoreHandedOut) {
    TestSession s;
    PatternStore& store = s->store;
    store.OutLine.SetVisible(0, true);  // shown, but not handed out by the store
    EXPECT_TRUE(store.DeleteLastDrawn());
    EXPECT_TRUE(store.OutLine.Visible(0));

    // A clear leaves the last index behind, pointing past the emptied set.
    for (int i = 0; i < 3; ++i) AddLine(*s);
    store.ClearPattern();
    EXPECT_NO_THROW(store.DeleteLastDrawn());
}

TEST(PatternStore, EveryChangeButClearingMarksThePatternChanged) {
    const std::pair<std::function<void(PatternStore&)>, bool> cases[] = {
        {[](PatternStore& p) { p.NewLineSlot(); }, true},  {[](PatternStore& p) { p.NewShapeSlot(); }, true},
        {[](PatternStore& p) { p.DeleteLine(0); }, true},  {[](PatternStore& p) { p.DeleteShape(0); }, true},
        {[](PatternStore& p) { p.DeleteLastDrawn(); }, true}, {[](PatternStore& p) { p.ClearPattern(); }, false},
    };
    for (std::size_t n = 0; n < std::size(cases); ++n) {
        TestSession s;
        AddLine(*s);
        AddShape(*s);
        s->store.SetPatternChanged(false);
        cases[n].first(s->store);
        EXPECT_EQ(s->store.PatternChanged(), cases[n].second) << n;
    }
}

TEST(PatternStore, ClearPatternLeavesOnlyHiddenElementZero) {
    // steps: destroyed elements, displayed sets and then the reference copy
    const struct { int lines, shapes, total, steps; } cases[] = {{10, 4, 28, 2 * (9 + 3)}, {1, 1, 4, 0}};
    for (const auto& c : cases) {
        TestSession s;
        s->progress.SetDisplay(true);
        PatternStore& store = s->store;
        for (int i = 0; i < c.lines; ++i) AddLine(*s);
        for (int i = 0; i < c.shapes; ++i) AddShape(*s);
        store.ClearPattern();

        const auto& w = s.progressWindow;
        EXPECT_EQ(w.headers, std::vector<std::string>{"Erasing - Please wait..."});
        EXPECT_TRUE(w.maximum == c.total && !w.cancelOffered && !w.open);
        ASSERT_EQ(static_cast<int>(w.values.size()), 1 + c.steps) << c.lines;
        EXPECT_EQ(w.values.back(), c.steps);
        EXPECT_TRUE(store.OutLine.Count() == 1 && !store.OutLine.Visible(0));
        EXPECT_TRUE(store.OutShape.Count() == 1 && !store.OutShape.Visible(0));
        EXPECT_TRUE(s->reference.LineCount() == 1 && s->reference.ShapeCount() == 1);
    }
}

TEST(PatternStore, RefusesASlotOnlyWhileEverySixteenBitIndexIsInUse) {
    TestSession s;
    PatternStore& store = s->store;
    for (int i = 0; i < 32767; ++i) ASSERT_EQ(AddLine(*s), i);
    store.SetPatternChanged(false);
    EXPECT_EQ(store.NewLineSlot(), -1);
    EXPECT_EQ(store.OutLine.Count(), 32767);
    EXPECT_EQ(store.LastIndex(), 32766);
    EXPECT_FALSE(store.PatternChanged());

    store.DeleteLine(100);
    EXPECT_EQ(AddLine(*s), 100);
    ExpectLinesMirrored(*s);
}

}  // namespace
}  // namespace tessary
