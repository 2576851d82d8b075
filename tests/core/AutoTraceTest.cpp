#include <algorithm>

#include "core/engine/AutoTrace.h"
#include "core/pattern/LineEnds.h"
#include "tests/core/TracePictures.h"
#include "tests/core/WorkspaceFixture.h"

namespace tessary {
namespace {

using test::Circle;
using test::Polygon;

constexpr test::Colour3 kPaper{240, 235, 220};
constexpr test::Colour3 kRed{190, 40, 40};
constexpr test::Colour3 kBlue{40, 60, 190};

// An 8.5 by 11 inch pattern over a picture of 85 by 110 pixels: a pixel is
// a tenth of an inch (144 twips), and the picture lies where an alignment
// left it, 720 twips right of the layer's corner and 360 down.
class AutoTraceTest : public test::WorkspaceTest {
protected:
    AutoTraceTest() { ws.surface.PictureFrame[1] = Rect{720, 360, 85 * 144, 110 * 144}; }

    bool HasEndAt(float x, float y) const {
        for (std::int16_t i = 0; i < t->store.OutLine.Count(); ++i) {
            const LineElement& e = Line(i);
            if (t->store.OutLine.Visible(i) && ((e.X1 == x && e.Y1 == y) || (e.X2 == x && e.Y2 == y))) return true;
        }
        return false;
    }
    std::size_t FreeEnds() const { return FindFreeEnds(t->store.OutLine, [](int) { return true; })->size(); }
};

TEST_F(AutoTraceTest, TheTraceIsOneStepOfLinesOverThePictureThatUndoTakesBackWhole) {
    const RgbImage picture = test::Draw(85, 110, kPaper,
                                        {Circle(30, 30, 15, kRed), Polygon({{50, 60}, {75, 60}, {75, 95}, {50, 95}}, kBlue)});
    AutoTraceOptions options;
    options.colours = 3;
    options.minPieceArea = 1;  // square inches: a hundred pixels
    const AutoTraceCounts counts = AddAutoTrace(ws, picture, options);
    EXPECT_EQ(counts.pieces, 3);
    EXPECT_GT(counts.lines, 8);
    EXPECT_EQ(VisibleLines(), counts.lines);
    // The picture's corners, where it lies on the layer.
    EXPECT_TRUE(HasEndAt(720, 360));
    EXPECT_TRUE(HasEndAt(720 + 85 * 144, 360 + 110 * 144));
    EXPECT_EQ(FreeEnds(), 0u);
    EXPECT_TRUE(t->store.PatternChanged());

    ASSERT_EQ(ws.history.Steps(), 1u);
    EXPECT_EQ(ws.history.UndoName(), kAutoTraceStep);
    ASSERT_TRUE(ws.history.Undo());
    EXPECT_EQ(VisibleLines(), 0);
    ASSERT_TRUE(ws.history.Redo());
    EXPECT_EQ(VisibleLines(), counts.lines);
}

TEST_F(AutoTraceTest, TheSmallestPieceIsInThePatternsSquareUnits) {
    // A square of 10 by 10 pixels: one square inch, 6.45 square centimetres.
    const RgbImage picture = test::Draw(85, 110, kPaper, {Polygon({{40, 40}, {50, 40}, {50, 50}, {40, 50}}, kRed)});
    const struct {
        bool metric;
        float smallest;
        int pieces;
    } cases[] = {{false, 0.8f, 2}, {false, 1.2f, 1}, {true, 6.0f, 2}, {true, 7.0f, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.smallest << (c.metric ? " cm2" : " in2"));
        t->options.MetricPage = c.metric;
        AutoTraceOptions options;
        options.colours = 2;
        options.detail = 100;
        options.minPieceArea = c.smallest;
        EXPECT_EQ(AddAutoTrace(ws, picture, options).pieces, c.pieces);
        ws.history.Undo();
    }
}

TEST_F(AutoTraceTest, ATraceFitsInTheLinesThePatternHasRoomFor) {
    std::vector<test::Shape> shapes;
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 6; ++j) shapes.push_back(Circle(10 + 16 * i, 10 + 17 * j, 6, (i + j) % 2 ? kRed : kBlue));
    }
    const RgbImage picture = test::Draw(85, 110, kPaper, shapes);
    constexpr int room = 150;
    for (int i = 0; i < kMaxElements - room; ++i) {
        const auto f = static_cast<float>(i % 100);
        t->store.AddLine(f, f, f + 1, f + 2, 1, true);
    }
    ws.history.Clear();
    AutoTraceOptions options;
    options.colours = 3;
    const AutoTraceCounts counts = AddAutoTrace(ws, picture, options);
    EXPECT_GT(counts.lines, 0);
    EXPECT_LE(counts.lines, room);
    EXPECT_EQ(VisibleLines(), kMaxElements - room + counts.lines);
    ASSERT_TRUE(ws.history.Undo());
    EXPECT_EQ(VisibleLines(), kMaxElements - room);

    // Without room for one closed piece nothing is traced, at once.
    for (int i = 0; i < room - 3; ++i) t->store.AddLine(1, 1, 2, 2, 1, true);
    EXPECT_FALSE(RoomToTrace(ws));
    EXPECT_EQ(AddAutoTrace(ws, picture, options).lines, 0);
    EXPECT_EQ(VisibleLines(), kMaxElements - 3);
    t->store.DeleteLine(0);
    EXPECT_TRUE(RoomToTrace(ws));
}

TEST_F(AutoTraceTest, TheChoicesAreKeptInSquareInchesAndComeBackInThePatternsUnits) {
    AutoTraceOptions chosen;
    chosen.mode = TraceMode::Edges;
    chosen.colours = 7;
    chosen.detail = 80;
    chosen.minPieceArea = 6.4516f;  // square centimetres: one square inch
    chosen.area = TraceArea{1, 2, 3, 4};
    StoreAutoTraceOptions(t.settings, chosen, true);
    const AutoTraceOptions inches = StoredAutoTraceOptions(t.settings, false);
    EXPECT_EQ(inches.mode, TraceMode::Edges);
    EXPECT_EQ(inches.colours, 7);
    EXPECT_EQ(inches.detail, 80);
    EXPECT_NEAR(inches.minPieceArea, 1, 1e-5);
    EXPECT_FALSE(inches.area);
    EXPECT_NEAR(StoredAutoTraceOptions(t.settings, true).minPieceArea, 6.4516, 1e-4);

    // Nothing stored, or nothing sensible: the defaults, within their limits.
    const AutoTraceOptions none = StoredAutoTraceOptions(test::FakeSettings{}, false);
    EXPECT_EQ(none.mode, TraceMode::Regions);
    EXPECT_EQ(none.minPieceArea, kDefaultSmallestPieceSquareInches);
    t.settings.values["AutoTrace/Mode"] = "Stars";
    t.settings.values["AutoTrace/Colours"] = "-5";
    t.settings.values["AutoTrace/Detail"] = "-5";
    t.settings.values["AutoTrace/SmallestPiece"] = "-1e30";
    const AutoTraceOptions odd = StoredAutoTraceOptions(t.settings, false);
    EXPECT_EQ(odd.mode, TraceMode::Regions);
    EXPECT_EQ(odd.colours, kTraceMinColours);
    EXPECT_EQ(odd.detail, 0);
    EXPECT_EQ(odd.minPieceArea, kDefaultSmallestPieceSquareInches);
}

TEST_F(AutoTraceTest, NothingIsAddedWithoutAPicture) {
    EXPECT_EQ(AddAutoTrace(ws, RgbImage{}, AutoTraceOptions{}).lines, 0);
    EXPECT_EQ(VisibleLines(), 0);
    EXPECT_FALSE(ws.history.CanUndo());
}

}  // namespace
}  // namespace tessary
