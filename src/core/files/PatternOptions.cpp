#include "core/files/PatternOptions.h"

#include "core/services/Settings.h"

namespace tessary {

namespace {

constexpr float kTwipsPerInch = 1440.0f;
constexpr float kCentimetresPerInch = 2.54f;
constexpr float kMillimetresPerInch = 25.4f;

float PageTwips(float value, bool metric) {
    return metric ? value / kCentimetresPerInch * kTwipsPerInch : value * kTwipsPerInch;
}

}  // namespace

float PatternOptions::GetMargin(int index) const {
    switch (index) {
        case 0: return MarginTop;
        case 1: return MarginRight;
        case 2: return MarginBottom;
        case 3: return MarginLeft;
        default: return 0;
    }
}

void PatternOptions::SetMargin(int index, float value) {
    switch (index) {
        case 0: MarginTop = value; break;
        case 1: MarginRight = value; break;
        case 2: MarginBottom = value; break;
        case 3: MarginLeft = value; break;
        default: break;
    }
}

float PatternOptions::MarginInches(int index) const {
    const float value = GetMargin(index);
    return MetricPage ? value / kCentimetresPerInch : value;
}

float PatternOptions::PenSizeInches() const { return MetricPen ? PenSizeValue / kMillimetresPerInch : PenSizeValue; }

void PatternOptions::RecomputeTwips() {
    WidthTwips = PageTwips(DimensionWidth, MetricPage);
    HeightTwips = PageTwips(DimensionHeight, MetricPage);
}

void StoreOptions(const PatternOptions& o, SettingsStore& store) {
    const std::string s = kPatternSection;
    WriteSingle(store, s, "PenSizeValue", o.PenSizeValue);
    store.Write(s, "PenSizeText", o.PenSizeText);
    WriteInteger(store, s, "PenColor", o.PenColor);
    WriteBoolean(store, s, "BandW", o.BandW);
    WriteSingle(store, s, "BitmapPenSize", o.BitmapPenSize);
    WriteSingle(store, s, "BitmapSizeWidth", o.BitmapWidth);
    WriteSingle(store, s, "BitmapSizeHeight", o.BitmapHeight);
    WriteSingle(store, s, "MarginTop", o.MarginTop);
    WriteSingle(store, s, "MarginRight", o.MarginRight);
    WriteSingle(store, s, "MarginBottom", o.MarginBottom);
    WriteSingle(store, s, "MarginLeft", o.MarginLeft);
    WriteBoolean(store, s, "MetricPen", o.MetricPen);
    WriteBoolean(store, s, "MetricPage", o.MetricPage);
    WriteSingle(store, s, "DefWidth", o.DimensionWidth);
    WriteSingle(store, s, "DefHeight", o.DimensionHeight);
}

void RestoreOptions(PatternOptions& o, const SettingsStore& store) {
    const std::string s = kPatternSection;
    o.PenSizeValue = ReadSingle(store, s, "PenSizeValue", 1.0f / 64);
    o.PenSizeText = ReadText(store, s, "PenSizeText", "1/64");
    o.PenColor = static_cast<std::int32_t>(ReadInteger(store, s, "PenColor", 0));
    o.BandW = ReadBoolean(store, s, "BandW", true);
    o.BitmapPenSize = ReadSingle(store, s, "BitmapPenSize", 1);
    o.BitmapWidth = ReadSingle(store, s, "BitmapSizeWidth", 300);
    // Settings from before the height had a key of its own kept both sizes
    // under the width's.
    o.BitmapHeight = ReadSingle(store, s, "BitmapSizeHeight", o.BitmapWidth);
    o.MarginTop = ReadSingle(store, s, "MarginTop", 0.5f);
    o.MarginRight = ReadSingle(store, s, "MarginRight", 0.5f);
    o.MarginBottom = ReadSingle(store, s, "MarginBottom", 0.5f);
    o.MarginLeft = ReadSingle(store, s, "MarginLeft", 0.5f);
    o.MetricPen = ReadBoolean(store, s, "MetricPen", false);
    o.MetricPage = ReadBoolean(store, s, "MetricPage", false);
    o.DimensionWidth = ReadSingle(store, s, "DefWidth", 8.5f);
    o.DimensionHeight = ReadSingle(store, s, "DefHeight", 11.0f);
    o.RecomputeTwips();
}

}  // namespace tessary
