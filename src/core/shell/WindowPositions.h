#pragma once

#include <cstdint>
#include <vector>

namespace tessary {

class SettingsStore;

enum WindowStateValue : std::int16_t { WindowNormal = 0, WindowMinimised = 1, WindowMaximised = 2 };

// The main window's state and, for the normal state, its frame in twips.
struct WindowPlacement {
    std::int16_t state = WindowNormal;
    float top = 0, left = 0, height = 0, width = 0;
};

// Options > Window Positions > Save: the state always, the frame only when
// the window is in its normal state.
void StoreWindowPositions(SettingsStore& store, const WindowPlacement& placement);
// Restore and every start: absent keys give a window of 60 % of the screen,
// 10 % in from its top left corner.
WindowPlacement RestoreWindowPositions(const SettingsStore& store, float screenWidth, float screenHeight);

// A screen's area free for windows, in twips.
struct ScreenArea {
    float left = 0, top = 0, width = 0, height = 0;
};

// A stored frame, whatever its numbers, put where a window can be: on the
// screen it overlaps most (the first one when it overlaps none), no larger
// than that screen and no smaller than the least size given.
WindowPlacement FitOnScreens(WindowPlacement placement, const std::vector<ScreenArea>& screens, float leastWidth,
                             float leastHeight);

}  // namespace tessary
