#pragma once

#include <cstdint>
#include <string>

namespace tessary {

class SettingsStore;

// The pattern's true size, page margins, printer pen and bitmap settings.
// Lengths stay in the unit the user chose; other code reads them through the
// conversions below.
struct PatternOptions {
    bool AspectLocked = false;
    float MarginTop = 0.5f;
    float MarginBottom = 0.5f;
    float MarginLeft = 0.5f;
    float MarginRight = 0.5f;
    float DimensionWidth = 8.5f;
    float DimensionHeight = 11.0f;
    float WidthTwips = 8.5f * 1440;
    float HeightTwips = 11.0f * 1440;
    float PenSizeValue = 1.0f / 64;
    std::int32_t PenColor = 0;
    bool BandW = true;
    std::string PenSizeText = "1/64";
    float BitmapPenSize = 1;
    float BitmapWidth = 300;
    float BitmapHeight = 300;
    bool MetricPage = false;
    bool MetricPen = false;
    bool SetupCancelled = false;

    bool operator==(const PatternOptions&) const = default;

    // Margin indexes: 0 top, 1 right, 2 bottom, 3 left.
    float MarginInches(int index) const;
    float GetMargin(int index) const;
    void SetMargin(int index, float value);
    float PenSizeInches() const;
    void RecomputeTwips();
};

inline constexpr const char* kPatternSection = "Pattern";

void StoreOptions(const PatternOptions& options, SettingsStore& store);
void RestoreOptions(PatternOptions& options, const SettingsStore& store);

}  // namespace tessary
