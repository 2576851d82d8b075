#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/files/PatternFile.h"
#include "core/files/VectorExport.h"
#include "tests/core/FakePlatform.h"

namespace tessary {
namespace {

using testing::HasSubstr;
using testing::Not;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// A 2 by 1 inch pattern whose reference copy is at half its true size,
// as after a zoom: every coordinate given here doubles on export.
struct Drawing {
    PatternSnapshot s;
    Drawing() {
        s.options.WidthTwips = 2880;
        s.options.HeightTwips = 1440;
        s.options.BandW = false;
        s.options.PenColor = 0x0000FF;  // red, in the low byte
        s.lines.resize(1);
        s.shapes.resize(1);
        s.scale = 2;
    }
    Drawing& Line(float x1, float y1, float x2, float y2, bool visible = true) {
        s.lines.push_back({x1 / 2, y1 / 2, x2 / 2, y2 / 2, visible});
        return *this;
    }
    Drawing& Shape(std::int16_t kind, float top, float left, float height, float width) {
        s.shapes.push_back({kind, top / 2, left / 2, height / 2, width / 2, true});
        return *this;
    }
};

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// A DXF file as its pairs of group code and value.
std::vector<std::pair<int, std::string>> Groups(const std::string& dxf) {
    std::vector<std::pair<int, std::string>> groups;
    std::size_t at = 0;
    while (at < dxf.size()) {
        const std::size_t codeEnd = dxf.find('\n', at);
        const std::size_t valueEnd = dxf.find('\n', codeEnd + 1);
        if (codeEnd == std::string::npos || valueEnd == std::string::npos) break;
        groups.emplace_back(std::stoi(dxf.substr(at, codeEnd - at)), dxf.substr(codeEnd + 1, valueEnd - codeEnd - 1));
        at = valueEnd + 1;
    }
    return groups;
}

// Each entity of the ENTITIES section: its name and its groups by code
// (the last of a code wins; VERTEX entities stand on their own).
std::vector<std::pair<std::string, std::multimap<int, std::string>>> Entities(const std::string& dxf) {
    std::vector<std::pair<std::string, std::multimap<int, std::string>>> entities;
    bool inEntities = false;
    for (const auto& [code, value] : Groups(dxf)) {
        if (code == 2 && value == "ENTITIES") inEntities = true;
        if (!inEntities) continue;
        if (code == 0) {
            entities.push_back({value, {}});
        } else if (!entities.empty()) {
            entities.back().second.emplace(code, value);
        }
    }
    return entities;
}

double Value(const std::multimap<int, std::string>& groups, int code) { return std::stod(groups.find(code)->second); }

TEST(VectorExport, SvgIsAtTrueSizeInThePatternsUnitWithThePrintersPen) {
    Drawing d;
    d.Line(720, 720, 1440, 720).Line(0, 0, 10, 10, false).Shape(ShapeCircle, 720, 1440, 720, 720);
    const TrueSizePattern p = TrueSize(d.s);

    const std::string in = SvgText(p, LengthUnit::Inch);
    EXPECT_THAT(in, HasSubstr("width=\"2in\" height=\"1in\" viewBox=\"0 0 2 1\""));
    EXPECT_THAT(in, HasSubstr("<path d=\"M0.5 0.5 L1 0.5\"/>"));
    EXPECT_THAT(in, HasSubstr("<circle cx=\"1.25\" cy=\"0.75\" r=\"0.25\"/>"));
    EXPECT_THAT(in, HasSubstr("stroke=\"#ff0000\" stroke-width=\"0.015625\""));
    EXPECT_EQ(Count(in, "<path"), 1);  // the hidden line is not there

    const std::string mm = SvgText(p, LengthUnit::Millimetre);
    EXPECT_THAT(mm, HasSubstr("width=\"50.8mm\" height=\"25.4mm\" viewBox=\"0 0 50.8 25.4\""));
    EXPECT_THAT(mm, HasSubstr("<path d=\"M12.7 12.7 L25.4 12.7\"/>"));
    EXPECT_THAT(mm, HasSubstr("stroke-width=\"0.396875\""));

    d.s.options.BandW = true;
    EXPECT_THAT(SvgText(TrueSize(d.s), LengthUnit::Inch), HasSubstr("stroke=\"#000000\""));
}

TEST(VectorExport, EachChainOfJoinedLinesIsOnePathWalkingEachLineOnce) {
    Drawing d;
    d.s.scale = 1;
    const auto line = [&](float x1, float y1, float x2, float y2) { d.s.lines.push_back({x1, y1, x2, y2, true}); };
    // Three sides of a square, the middle one drawn the other way round.
    line(0, 0, 1440, 0);
    line(1440, 1440, 1440, 0);
    line(1440, 1440, 0, 1440);
    // A closed triangle, its lines in no order along it.
    line(0, 2880, 1440, 2880);
    line(1440, 2880, 720, 2160);
    line(720, 2160, 0, 2880);
    // Three ends at one point join nothing.
    line(2880, 0, 2880, 720);
    line(2880, 720, 2880, 1440);
    line(2880, 720, 2160, 720);

    const std::string svg = SvgText(TrueSize(d.s), LengthUnit::Inch);
    EXPECT_THAT(svg, HasSubstr("<path d=\"M0 0 L1 0 L1 1 L0 1\"/>"));
    EXPECT_THAT(svg, HasSubstr("<path d=\"M1 2 L0.5 1.5 L0 2 Z\"/>"));
    EXPECT_EQ(Count(svg, "<path"), 5);
    EXPECT_EQ(Count(svg, " L") + Count(svg, " Z"), 9);
}

TEST(VectorExport, ShapesKeepTheirFormsInBothFormats) {
    Drawing d;
    d.Shape(ShapeRectangle, 0, 0, 720, 1440)
        .Shape(ShapeSquare, 0, 0, 720, 1440)
        .Shape(ShapeOval, 0, 0, 720, 1440)
        .Shape(ShapeRoundedRectangle, 0, 0, 720, 1440)
        .Shape(ShapeCircle, 0, 0, 720, 1440);
    const TrueSizePattern p = TrueSize(d.s);

    const std::string svg = SvgText(p, LengthUnit::Inch);
    EXPECT_THAT(svg, HasSubstr("<rect x=\"0\" y=\"0\" width=\"1\" height=\"0.5\"/>"));
    EXPECT_THAT(svg, HasSubstr("<rect x=\"0\" y=\"0\" width=\"0.5\" height=\"0.5\"/>"));
    EXPECT_THAT(svg, HasSubstr("<ellipse cx=\"0.5\" cy=\"0.25\" rx=\"0.5\" ry=\"0.25\"/>"));
    EXPECT_THAT(svg, HasSubstr("<rect x=\"0\" y=\"0\" width=\"1\" height=\"0.5\" rx=\"0.0625\" ry=\"0.0625\"/>"));
    EXPECT_THAT(svg, HasSubstr("<circle cx=\"0.5\" cy=\"0.25\" r=\"0.25\"/>"));

    // In the drawing y runs up from the bottom edge, 1 inch below the top.
    const auto entities = Entities(DxfText(p, LengthUnit::Inch));
    std::vector<int> vertices;
    std::vector<int> bulges;
    for (const auto& [name, groups] : entities) {
        if (name == "POLYLINE") {
            EXPECT_EQ(Value(groups, 70), 1);  // closed
            vertices.push_back(0);
            bulges.push_back(0);
        } else if (name == "VERTEX") {
            ++vertices.back();
            if (groups.count(42)) {
                EXPECT_NEAR(Value(groups, 42), -std::tan(std::numbers::pi / 8), 1e-6);
                ++bulges.back();
            }
        } else if (name == "CIRCLE") {
            EXPECT_EQ(Value(groups, 10), 0.5);
            EXPECT_EQ(Value(groups, 20), 0.75);
            EXPECT_EQ(Value(groups, 40), 0.25);
        }
    }
    EXPECT_EQ(vertices, (std::vector<int>{4, 4, 144, 8}));
    EXPECT_EQ(bulges, (std::vector<int>{0, 0, 0, 4}));
    EXPECT_EQ(std::count_if(entities.begin(), entities.end(), [](const auto& e) { return e.first == "CIRCLE"; }), 1);
}

TEST(VectorExport, DxfLinesAreInTheChosenUnitWithTheUnitDeclared) {
    Drawing d;
    d.Line(1440, 360, 2880, 1440);
    const std::vector<std::tuple<LengthUnit, std::string, double>> units = {{LengthUnit::Inch, "1", 1.0},
                                                                              {LengthUnit::Millimetre, "4", 25.4}};
    for (const auto& [unit, code, k] : units) {
        const std::string dxf = DxfText(TrueSize(d.s), unit);
        const auto groups = Groups(dxf);
        const auto declared = std::find(groups.begin(), groups.end(), std::pair<int, std::string>{9, "$INSUNITS"});
        ASSERT_NE(declared, groups.end());
        EXPECT_EQ(*(declared + 1), (std::pair<int, std::string>{70, code}));
        EXPECT_EQ(groups.front(), (std::pair<int, std::string>{0, "SECTION"}));
        EXPECT_EQ(groups.back(), (std::pair<int, std::string>{0, "EOF"}));
        const auto entities = Entities(dxf);
        ASSERT_EQ(entities.size(), 3u);  // the line, ENDSEC and EOF
        const auto& line = entities[0].second;
        EXPECT_EQ(entities[0].first, "LINE");
        EXPECT_NEAR(Value(line, 10), 1 * k, 1e-9);
        EXPECT_NEAR(Value(line, 20), 0.75 * k, 1e-9);
        EXPECT_NEAR(Value(line, 11), 2 * k, 1e-9);
        EXPECT_NEAR(Value(line, 21), 0 * k, 1e-9);
    }
}

// A hostile file's numbers: what is no number stays out and is counted,
// what is merely huge is written as a number; nothing unreadable is written.
TEST(VectorExport, CoordinatesThatAreNoNumberAreLeftOutAndCounted) {
    Drawing d;
    d.Line(kNaN, 0, 10, 10).Line(0, 0, 2e30f, 10).Shape(ShapeCircle, 0, kInf, 10, 10);
    d.Shape(ShapeRectangle, 1440, 1440, -720, -1440);  // measured from its far corner
    d.Shape(ShapeRectangle, -3e38f, -3e38f, -3e38f, -3e38f);  // its corner beyond the largest single
    for (const std::int16_t kind : {ShapeOval, ShapeCircle, ShapeRoundedRectangle}) d.Shape(kind, 3e38f, 3e38f, 3e38f, 3e38f);
    d.s.options.PenSizeValue = kNaN;
    const TrueSizePattern p = TrueSize(d.s);
    EXPECT_EQ(p.leftOut, 3);
    for (const LengthUnit unit : {LengthUnit::Inch, LengthUnit::Millimetre}) {
        for (std::string text : {SvgText(p, unit), DxfText(p, unit)}) {
            std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
            EXPECT_THAT(text, Not(HasSubstr("nan")));
            EXPECT_THAT(text, Not(HasSubstr("inf")));
        }
    }
    const std::string svg = SvgText(p, LengthUnit::Inch);
    EXPECT_THAT(svg, HasSubstr("<path d=\"M0 0 L1.38888"));
    EXPECT_THAT(svg, HasSubstr("e+27 0.006944444\"/>"));
    EXPECT_THAT(svg, HasSubstr("<rect x=\"0\" y=\"0.5\" width=\"1\" height=\"0.5\"/>"));
    EXPECT_THAT(svg, HasSubstr("stroke-width=\"0.015625\""));
    d.s.options.PenSizeValue = 3e38f;
    EXPECT_THAT(SvgText(TrueSize(d.s), LengthUnit::Millimetre), Not(HasSubstr("inf")));
}

class VectorExportFile : public testing::Test {
protected:
    VectorExportFile() { test::WriteFileBytes(pattern, "the pattern"); }
    bool Export(const std::string& path) {
        return ExportVector(VectorFormat::Svg, d.s, LengthUnit::Inch, path, pattern, t->messages);
    }
    std::string Shown() const { return t.presenter.shown.empty() ? "" : t.presenter.shown.back().text; }

    test::TestSession t;
    Drawing d;
    const std::string pattern = (t.scratch / "rose.pat").string();
};

TEST_F(VectorExportFile, IsWrittenWholeOrNotAtAllAndNeverOverThePattern) {
    d.Line(0, 0, 1440, 1440);
    const std::string out = (t.scratch / "rose.svg").string();
    ASSERT_TRUE(Export(out));
    EXPECT_EQ(test::ReadFileBytes(out), SvgText(TrueSize(d.s), LengthUnit::Inch));
    EXPECT_TRUE(t.presenter.shown.empty());

    EXPECT_FALSE(Export((t.scratch / "no" / "folder.svg").string()));
    EXPECT_THAT(Shown(), HasSubstr("The exported file could not be saved."));

    EXPECT_FALSE(Export((t.scratch / "." / "rose.pat").string()));
    EXPECT_EQ(test::ReadFileBytes(pattern), "the pattern");

    // A pattern without a size has no page to be drawn on.
    test::WriteFileBytes(out, "earlier");
    d.s.options.WidthTwips = kNaN;
    EXPECT_FALSE(Export(out));
    EXPECT_THAT(Shown(), HasSubstr("no width and height"));
    EXPECT_EQ(test::ReadFileBytes(out), "earlier");
}

TEST_F(VectorExportFile, WhatWasLeftOutIsSaidOnceTheFileIsWritten) {
    d.Line(0, 0, 1440, 1440).Line(kNaN, 0, 0, 0);
    const std::string out = (t.scratch / "rose.dxf").string();
    ASSERT_TRUE(ExportVector(VectorFormat::Dxf, d.s, LengthUnit::Millimetre, out, pattern, t->messages));
    EXPECT_THAT(Shown(), HasSubstr("without 1 line or shape"));
    EXPECT_EQ(Count(test::ReadFileBytes(out), "LINE\n"), 1);
}

}  // namespace
}  // namespace tessary
