#include "core/shell/WindowPositions.h"

#include <algorithm>

#include "core/files/DisplaySetup.h"
#include "core/services/Settings.h"

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

namespace {

double Overlap(double a, double aLength, double b, double bLength) {
    return std::max(0.0, std::min(a + aLength, b + bLength) - std::max(a, b));
}

// value within [low, high], or low when the range is empty.
float Within(float value, float low, float high) { return std::max(low, std::min(value, high)); }

}  // namespace

WindowPlacement FitOnScreens(WindowPlacement p, const std::vector<ScreenArea>& screens, float leastWidth,
                             float leastHeight) {
    if (screens.empty()) return p;
    const ScreenArea* home = &screens.front();
    double most = 0;
    for (const ScreenArea& s : screens) {
        const double shared = Overlap(p.left, p.width, s.left, s.width) * Overlap(p.top, p.height, s.top, s.height);
        if (shared > most) {
            most = shared;
            home = &s;
        }
    }
    p.width = Within(p.width, std::min(leastWidth, home->width), home->width);
    p.height = Within(p.height, std::min(leastHeight, home->height), home->height);
    p.left = Within(p.left, home->left, home->left + home->width - p.width);
    p.top = Within(p.top, home->top, home->top + home->height - p.height);
    return p;
}

}  // namespace tessary
