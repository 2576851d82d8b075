#pragma once

#include <array>
#include <cstdint>

namespace tessary {

enum LineToolChoiceValue : std::int16_t { ChoiceTrace = 0, ChoiceLine = 1, ChoiceShapeTool = 2, ChoiceErase = 3 };
enum ShapeModeValue : std::int16_t { ShapeSharp = 0, ShapeSmooth = 1, ShapePush = 2 };
enum ToolFrame : std::int16_t { FrameNone = -1, FrameLine = 0, FrameBox = 1, FrameCircle = 2, FrameArc = 3 };

// The drawing tools palette ("Drawing Control"): the user's last choice
// within each kind of tool. Its window derives everything it shows from
// these values: the highlighted line tool box, the set box option, the
// pressed shape button, the direction buttons and the example cursor.
struct Palette {
    std::int16_t LineToolChoice = ChoiceLine;
    std::int16_t BoxChoice = 0;  // 0 rectangle, 1 square
    std::int16_t ShapeMode = ShapePush;
    std::int16_t ToolDirection = 1;  // 1..8
    std::int16_t Frame = FrameNone;  // the one frame shown
    std::array<bool, 2> ArcCommandEnabled{false, false};  // "Cancel", "Set Arc In Place"

    void ShowToolFrame(std::int16_t frame) { Frame = frame >= FrameLine && frame <= FrameArc ? frame : std::int16_t{FrameNone}; }
    void ChooseLineToolBox(std::int16_t box) { LineToolChoice = box; }
    void ChooseBox(std::int16_t box) { BoxChoice = box; }
    void ChooseShapeMode(std::int16_t mode) { ShapeMode = mode; }
    void SetDirection(std::int16_t direction) { ToolDirection = direction; }
    // The start state: direction 1, Push, Rectangle (the tool follows).
    void Reset() {
        ToolDirection = 1;
        ShapeMode = ShapePush;
        BoxChoice = 0;
    }
};

}  // namespace tessary
