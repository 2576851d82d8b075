#include "core/files/DisplaySetup.h"

#include <limits>

#include "core/services/Settings.h"

namespace tessary {

namespace {

constexpr const char* kFolderKeys[] = {"PatternDir", "ImageDir", "TempDir"};
constexpr const char* kAlertKeys[] = {"SetupAlert", "DimAlert"};
constexpr const char* kSoundKeys[] = {"SetupSound", "DimSound"};
constexpr const char* kColourKeys[] = {"ColorMonitor", "ColorEditor"};

std::int16_t ToInt16(long value, std::int16_t fallback) {
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
        return fallback;
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace

DisplaySetup::DisplaySetup(const DefaultFolders& defaults)
    : defaults_(defaults), folders_{defaults.patterns, defaults.pictures, defaults.temporary} {}

void StoreDisplaySetup(const DisplaySetup& setup, SettingsStore& store) {
    const std::string s = kDisplaySetupSection;
    for (int i = 0; i < 3; ++i) store.Write(s, kFolderKeys[i], setup.GetFolder(i));
    for (int i = 0; i < 2; ++i) WriteBoolean(store, s, kAlertKeys[i], setup.GetAlert(i));
    for (int i = 0; i < 2; ++i) WriteBoolean(store, s, kSoundKeys[i], setup.GetSound(i));
    WriteInteger(store, s, "SizeMonitor", setup.MonitorPen());
    for (int i = 0; i < 2; ++i) WriteInteger(store, s, kColourKeys[i], setup.GetColour(i));
    WriteInteger(store, s, "TraceSegment", setup.TraceSegment());
    WriteSingle(store, s, "ScreenTwipsPerPixel", setup.ScreenTwipsPerPixel());
}

void RestoreDisplaySetup(DisplaySetup& setup, const SettingsStore& store) {
    const std::string s = kDisplaySetupSection;
    const DefaultFolders& d = setup.Defaults();
    const std::string folderDefaults[] = {d.patterns, d.pictures, d.temporary};
    for (int i = 0; i < 3; ++i) setup.SetFolder(i, ReadText(store, s, kFolderKeys[i], folderDefaults[i]));
    for (int i = 0; i < 2; ++i) setup.SetAlert(i, ReadBoolean(store, s, kAlertKeys[i], true));
    for (int i = 0; i < 2; ++i) setup.SetSound(i, ReadBoolean(store, s, kSoundKeys[i], true));
    setup.SetMonitorPen(ToInt16(ReadInteger(store, s, "SizeMonitor", 1), 1));
    const std::uint32_t colourDefaults[] = {kDefaultMonitorColour, kDefaultEditorColour};
    for (int i = 0; i < 2; ++i) {
        const long value = ReadInteger(store, s, kColourKeys[i], colourDefaults[i]);
        setup.SetColour(i, static_cast<std::uint32_t>(value) & 0xFFFFFF);
    }
    setup.SetTraceSegment(ToInt16(ReadInteger(store, s, "TraceSegment", 100), 100));
    // A measurement no screen could give is the system's word again.
    const float twips = ReadSingle(store, s, "ScreenTwipsPerPixel", 0);
    setup.SetScreenTwipsPerPixel(twips >= kLeastScreenTwips && twips <= kMostScreenTwips ? twips : 0);
}

}  // namespace tessary
