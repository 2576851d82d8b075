#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/pattern/Colour.h"

namespace tessary {

class CommandState;

struct Rect {
    float Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const Rect&) const = default;
};

struct Point {
    float x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// The rectangle two corners span, whichever way round they are.
inline Rect RectBetween(Point a, Point b) {
    return {a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x < b.x ? b.x - a.x : a.x - b.x,
            a.y < b.y ? b.y - a.y : a.y - b.y};
}

enum ViewModeValue : std::int16_t { ViewPictureOnly = 0, ViewPatternOnly = 1, ViewBoth = 2 };

// Which part of the work window a press landed on.
enum LayerCode : std::int16_t { LayerWindow = 0, LayerPicture = 1, LayerPattern = 2, LayerUnder = 3 };

inline constexpr std::uint32_t kGrabWhite = RGB(255, 255, 255);

struct GrabPointElement {
    float Left = 0, Top = 0;
    bool Visible = false;
    std::uint32_t BackColour = kGrabWhite;
};

// The work window as data: the picture layer (PictureFrame 0) whose geometry is
// the whole view state, the pattern layer laid exactly over it with the
// picture under the pattern (PictureFrame 1) at its origin, the grab points and
// the view mode. All lengths in twips; window coordinates for PictureFrame 0 and
// the pattern layer, layer coordinates for everything inside the pattern.
class WorkSurface {
public:
    explicit WorkSurface(CommandState& commands) : commands_(commands) {}

    std::array<Rect, 2> PictureFrame{};
    std::array<bool, 2> PictureFrameVisible{false, false};
    Rect Pattern;
    bool PatternVisible = false;
    bool PictureLoaded = false;   // the picture layers show a picture
    bool PictureStretch = true;   // the layers stretch their picture to their size
    std::vector<GrabPointElement> GrabPoint{1};
    float GrabHalfWidth = 45;     // half a grab point's side, for centring it
    float GrabHalfHeight = 45;
    std::array<Rect, 4> CropPlate{};
    std::array<bool, 4> CropPlateVisible{};

    bool Enabled = false;
    std::string Caption;
    float DownX = 0, DownY = 0;  // the last press, in the pressed part's coordinates
    bool DownShift = false;      // and whether Shift was held

    // Given by the window: its inner size, whether it is minimised, the
    // screen's size and twips per pixel.
    float ClientWidth = 0, ClientHeight = 0;
    bool Minimised = false;
    float ScreenWidth = 0, ScreenHeight = 0;
    float TwipsPerPixel = 15;

    std::int16_t ViewMode() const { return viewMode_; }
    void SetViewMode(std::int16_t view);
    void ApplyViewMode();
    void ShowPictureOnly();
    void SyncLayers();

private:
    CommandState& commands_;
    std::int16_t viewMode_ = ViewBoth;
};

}  // namespace tessary
