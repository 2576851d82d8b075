#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "core/files/DisplaySetup.h"
#include "core/files/PatternOptions.h"
#include "tests/core/FakePlatform.h"

namespace tessary {
namespace {

using test::FakeSettings;

const std::vector<std::string> kPatternKeys = {
    "PenSizeValue", "PenSizeText", "PenColor",   "BandW",     "BitmapPenSize", "BitmapSizeWidth", "BitmapSizeHeight", "MarginTop",
    "MarginRight",  "MarginBottom", "MarginLeft", "MetricPen", "MetricPage",    "DefWidth",        "DefHeight"};
const std::vector<std::string> kDisplayKeys = {"PatternDir",   "ImageDir",    "TempDir",     "SetupAlert",
                                               "DimAlert",     "SetupSound",  "DimSound",    "SizeMonitor",
                                               "ColorMonitor", "ColorEditor", "TraceSegment", "ScreenTwipsPerPixel"};
const DefaultFolders kFolders{"/home/u/Patterns", "/home/u/Pictures", "/run/user/1000/tessary"};

// Keys in the order written; a key rewritten at once counts once.
std::vector<std::string> WrittenKeys(const FakeSettings& settings) {
    std::vector<std::string> keys;
    for (const std::string& w : settings.writes) {
        const std::string key = w.substr(w.find('/') + 1);
        if (keys.empty() || keys.back() != key) keys.push_back(key);
    }
    return keys;
}

// Both records read from a store, every field scrambled first: restoring
// must set each one rather than rely on the initial values.
struct Restored {
    explicit Restored(const FakeSettings& settings) : display(kFolders) {
        PatternOptions& o = options;
        o.PenSizeValue = o.BitmapPenSize = o.BitmapWidth = o.BitmapHeight = o.DimensionWidth = o.DimensionHeight = 9;
        o.MarginTop = o.MarginRight = o.MarginBottom = o.MarginLeft = o.WidthTwips = o.HeightTwips = 9;
        o.PenSizeText = std::string(2, 'x');
        o.PenColor = 9;
        o.BandW = false;
        o.MetricPage = o.MetricPen = true;
        for (int i = 0; i < 3; ++i) display.SetFolder(i, "x");
        for (int i = 0; i < 2; ++i) display.SetColour(i, 7), display.SetAlert(i, false), display.SetSound(i, false);
        display.SetMonitorPen(9);
        display.SetTraceSegment(9);
        RestoreOptions(options, settings);
        RestoreDisplaySetup(display, settings);
    }
    PatternOptions options;
    DisplaySetup display;
};

void ExpectDefaults(const PatternOptions& o, const DisplaySetup& d, bool texts) {
    EXPECT_TRUE(o.DimensionWidth == 8.5f && o.DimensionHeight == 11.0f);
    EXPECT_TRUE(o.WidthTwips == 12240.0f && o.HeightTwips == 15840.0f);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(o.MarginInches(i), 0.5f) << i;
    EXPECT_TRUE(o.PenSizeInches() == 0.015625f && o.PenColor == 0);
    EXPECT_TRUE(o.BandW && !o.MetricPage && !o.MetricPen);
    EXPECT_TRUE(o.BitmapPenSize == 1 && o.BitmapWidth == 300 && o.BitmapHeight == 300);
    if (texts) {
        EXPECT_EQ(o.PenSizeText, "1/64");
        EXPECT_TRUE(d.GetFolder(0) == kFolders.patterns && d.GetFolder(1) == kFolders.pictures &&
                    d.GetFolder(2) == kFolders.temporary);
    }
    EXPECT_TRUE(d.GetColour(0) == 0xFF0000u && d.GetColour(1) == 0x0000FFu);  // blue, red: red is the low byte
    EXPECT_TRUE(d.MonitorPen() == 1 && d.TraceSegment() == 100);
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(d.GetAlert(i) && d.GetSound(i)) << i;
}

TEST(Settings, MissingOrMalformedValuesReadAsTheDefaults) {
    for (const char* stored : {static_cast<const char*>(nullptr), "", "abc", "nan", "inf", "1e999", "yes"}) {
        FakeSettings settings;
        if (stored) {
            for (const std::string& key : kPatternKeys) settings.values["Pattern/" + key] = stored;
            for (const std::string& key : kDisplayKeys) settings.values["DisplaySetup/" + key] = stored;
        }
        SCOPED_TRACE(stored ? stored : "absent");
        const Restored r(settings);
        ExpectDefaults(r.options, r.display, !stored);  // text values have no wrong form
    }
}

TEST(Settings, PenAndSegmentBelowOneReadAsOne) {
    const struct { const char *pen, *segment; int penRead, segmentRead; } cases[] = {
        {"0", "0", 1, 1}, {"-3", "-1", 1, 1}, {"4", "250", 4, 250}};
    for (const auto& c : cases) {
        FakeSettings settings;
        settings.values["DisplaySetup/SizeMonitor"] = c.pen;
        settings.values["DisplaySetup/TraceSegment"] = c.segment;
        const Restored r(settings);
        EXPECT_EQ(r.display.MonitorPen(), c.penRead) << c.pen;
        EXPECT_EQ(r.display.TraceSegment(), c.segmentRead) << c.segment;
    }
}

TEST(Settings, UnitConversions) {
    PatternOptions o;
    o.MetricPage = o.MetricPen = true;
    o.DimensionWidth = 2.54f;
    o.DimensionHeight = 25.4f;
    o.RecomputeTwips();
    EXPECT_FLOAT_EQ(o.WidthTwips, 1440);
    EXPECT_FLOAT_EQ(o.HeightTwips, 14400);
    o.PenSizeValue = 1;
    EXPECT_FLOAT_EQ(o.PenSizeInches(), 1 / 25.4f);

    const float margins[] = {1, 2.54f, 3, 5.08f};  // top, right, bottom, left
    for (int i = 0; i < 4; ++i) o.SetMargin(i, margins[i]);
    EXPECT_TRUE(o.MarginTop == 1 && o.MarginRight == 2.54f && o.MarginBottom == 3 && o.MarginLeft == 5.08f);
    EXPECT_FLOAT_EQ(o.MarginInches(1), 1);
    EXPECT_FLOAT_EQ(o.MarginInches(3), 2);
    EXPECT_TRUE(o.MarginInches(-1) == 0 && o.MarginInches(4) == 0);
    o.MetricPage = false;
    EXPECT_EQ(o.MarginInches(1), 2.54f);
}

TEST(Settings, OptionsRoundTripBitExact) {
    for (const bool flag : {false, true}) {
        PatternOptions o;
        o.PenSizeValue = 0.1f;
        o.PenSizeText = flag ? "0,3 mm" : "1 1/2";
        o.PenColor = static_cast<std::int32_t>(RGB(12, 34, 56));
        o.BandW = o.MetricPage = flag;
        o.MetricPen = !flag;
        o.BitmapPenSize = 1 / 3.f;
        o.BitmapWidth = 640;
        o.BitmapHeight = 480.7f;
        o.MarginTop = 0.1f, o.MarginRight = 2 / 3.f, o.MarginBottom = 123456.79f, o.MarginLeft = 1e-7f;
        o.DimensionWidth = 21.59f;
        o.DimensionHeight = 27.94f;
        FakeSettings settings;
        StoreOptions(o, settings);
        EXPECT_EQ(WrittenKeys(settings), kPatternKeys);
        EXPECT_EQ(settings.values["Pattern/BandW"], flag ? "True" : "False");

        const Restored restored(settings);
        const PatternOptions& r = restored.options;
        o.RecomputeTwips();
        const float PatternOptions::*floats[] = {
            &PatternOptions::PenSizeValue, &PatternOptions::BitmapPenSize, &PatternOptions::BitmapWidth,
            &PatternOptions::BitmapHeight, &PatternOptions::MarginTop,     &PatternOptions::MarginRight,
            &PatternOptions::MarginBottom, &PatternOptions::MarginLeft,    &PatternOptions::DimensionWidth,
            &PatternOptions::DimensionHeight, &PatternOptions::WidthTwips, &PatternOptions::HeightTwips};
        for (auto f : floats) EXPECT_EQ(std::bit_cast<std::uint32_t>(r.*f), std::bit_cast<std::uint32_t>(o.*f));
        EXPECT_TRUE(r.PenSizeText == o.PenSizeText && r.PenColor == o.PenColor && r.BandW == o.BandW &&
                    r.MetricPen == o.MetricPen && r.MetricPage == o.MetricPage);
    }
    // Settings from before the height had its own key held the height under
    // the width's: both sizes read that value.
    FakeSettings old;
    old.values["Pattern/BitmapSizeWidth"] = "199";
    const Restored earlier(old);
    EXPECT_TRUE(earlier.options.BitmapWidth == 199 && earlier.options.BitmapHeight == 199);
}

TEST(Settings, DisplaySetupRoundTrip) {
    DisplaySetup d(kFolders);
    d.SetFolder(0, "/home/u/My Patterns");
    d.SetFolder(1, "/media/Bilder/Zürich");
    d.SetFolder(2, "/tmp/t");
    d.SetAlert(0, false);
    d.SetSound(1, false);
    d.SetColour(0, RGB(1, 2, 3));
    d.SetColour(1, RGB(250, 128, 0));
    d.SetMonitorPen(7);
    d.SetTraceSegment(35);
    FakeSettings settings;
    StoreDisplaySetup(d, settings);
    EXPECT_EQ(WrittenKeys(settings), kDisplayKeys);
    EXPECT_EQ(settings.values["DisplaySetup/SetupAlert"], "False");
    EXPECT_EQ(settings.values["DisplaySetup/ColorMonitor"], "197121");  // 0x030201

    const Restored restored(settings);
    const DisplaySetup& r = restored.display;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(r.GetFolder(i), d.GetFolder(i));
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(r.GetColour(i) == d.GetColour(i) && r.GetAlert(i) == d.GetAlert(i)) << i;
        EXPECT_EQ(r.GetSound(i), d.GetSound(i)) << i;
    }
    EXPECT_TRUE(r.MonitorPen() == 7 && r.TraceSegment() == 35);
}

}  // namespace
}  // namespace tessary
