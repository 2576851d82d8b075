#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/pattern/Colour.h"

namespace tessary {

class SettingsStore;

// The folders a desktop offers by default: where patterns and pictures are
// kept and a temporary-files folder that belongs to this user alone.
struct DefaultFolders {
    std::string patterns;
    std::string pictures;
    std::string temporary;

    bool operator==(const DefaultFolders&) const = default;
};

inline constexpr std::uint32_t kDefaultMonitorColour = RGB(0, 0, 255);
inline constexpr std::uint32_t kDefaultEditorColour = RGB(255, 0, 0);

// Per-user choices that affect only the screen and the file dialogs.
class DisplaySetup {
public:
    enum Folder { PatternFolder = 0, PictureFolder = 1, TemporaryFolder = 2 };

    explicit DisplaySetup(const DefaultFolders& defaults = {});

    const std::string& GetFolder(int index) const { return folders_.at(index); }
    void SetFolder(int index, const std::string& folder) { folders_.at(index) = folder; }
    std::uint32_t GetColour(int index) const { return colours_.at(index); }
    void SetColour(int index, std::uint32_t rgb) { colours_.at(index) = rgb; }
    bool GetAlert(int index) const { return alerts_.at(index); }
    void SetAlert(int index, bool on) { alerts_.at(index) = on; }
    bool GetSound(int index) const { return sounds_.at(index); }
    void SetSound(int index, bool on) { sounds_.at(index) = on; }

    // Stored values below 1 read as 1.
    std::int16_t MonitorPen() const { return monitorPen_ > 0 ? monitorPen_ : std::int16_t{1}; }
    void SetMonitorPen(std::int16_t pixels) { monitorPen_ = pixels; }
    std::int16_t TraceSegment() const { return traceSegment_ >= 1 ? traceSegment_ : std::int16_t{1}; }
    void SetTraceSegment(std::int16_t twips) { traceSegment_ = twips; }

    // Twips per window pixel as measured against a real ruler, so that zoom
    // 100 % is true size on this screen; 0 takes the system's word for it.
    float ScreenTwipsPerPixel() const { return screenTwips_; }
    void SetScreenTwipsPerPixel(float twips) { screenTwips_ = twips; }

    const DefaultFolders& Defaults() const { return defaults_; }

    bool operator==(const DisplaySetup&) const = default;

private:
    DefaultFolders defaults_;
    std::array<std::string, 3> folders_;
    std::array<bool, 2> alerts_{true, true};
    std::array<bool, 2> sounds_{true, true};
    std::array<std::uint32_t, 2> colours_{kDefaultMonitorColour, kDefaultEditorColour};
    std::int16_t monitorPen_ = 1;
    std::int16_t traceSegment_ = 100;
    float screenTwips_ = 0;
};

// The screens a measurement may describe: 48 to 200 window pixels an inch.
inline constexpr float kLeastScreenTwips = 1440.0f / 200;
inline constexpr float kMostScreenTwips = 1440.0f / 48;

inline constexpr const char* kDisplaySetupSection = "DisplaySetup";

void StoreDisplaySetup(const DisplaySetup& setup, SettingsStore& store);
void RestoreDisplaySetup(DisplaySetup& setup, const SettingsStore& store);

}  // namespace tessary
