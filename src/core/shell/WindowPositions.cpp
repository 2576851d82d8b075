#include "core/shell/WindowPositions.h"

#include "core/files/DisplaySetup.h"
#include "core/platform/SettingsStore.h"

namespace tessary {

void StoreWindowPositions(SettingsStore& store, const WindowPlacement& p) {
    const std::string s = kDisplaySetupSection;
    WriteInteger(store, s, "WindowState", p.state);
    if (p.state != WindowNormal) return;
    WriteSingle(store, s, "WindowTop", p.top);
    WriteSingle(store, s, "WindowLeft", p.left);
    WriteSingle(store, s, "WindowHeight", p.height);
    WriteSingle(store, s, "WindowWidth", p.width);
}

WindowPlacement RestoreWindowPositions(const SettingsStore& store, float screenWidth, float screenHeight) {
    const std::string s = kDisplaySetupSection;
    WindowPlacement p;
    const long state = ReadInteger(store, s, "WindowState", WindowNormal);
    p.state = state >= WindowNormal && state <= WindowMaximised ? static_cast<std::int16_t>(state) : std::int16_t{WindowNormal};
    p.top = ReadSingle(store, s, "WindowTop", screenHeight * 0.1f);
    p.left = ReadSingle(store, s, "WindowLeft", screenWidth * 0.1f);
    p.height = ReadSingle(store, s, "WindowHeight", screenHeight * 0.6f);
    p.width = ReadSingle(store, s, "WindowWidth", screenWidth * 0.6f);
    return p;
}

}  // namespace tessary
