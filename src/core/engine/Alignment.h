#pragma once

#include <cstdint>

#include "core/engine/Tool.h"
#include "core/engine/WorkSurface.h"

namespace tessary {

class Gesture;
class PatternStore;
class Progress;

// The bounding box of what is visible of the pattern, in layer twips;
// inverted (left above right) when nothing is.
struct PatternBox {
    float BoxLeft = 0, BoxRight = -1, BoxTop = 0, BoxBottom = -1;

    bool Empty() const { return !(BoxLeft <= BoxRight && BoxTop <= BoxBottom); }
    float Width() const { return BoxRight - BoxLeft; }
    float Height() const { return BoxBottom - BoxTop; }
};

// How far the pattern may still move along one axis, back and forth. A
// drag trades one for the other, so the box never leaves the layer.
struct DragRoom {
    float before = 0;  // left or up
    float after = 0;   // right or down

    // The part of a move d the room allows, taken from the room.
    float Clamp(float d);
};

// The stretch bar's ends and its resting place, in percent.
inline constexpr int kStretchLowest = 10;
inline constexpr int kStretchNormal = 100;
inline constexpr int kStretchHighest = 32767;

// Fitting the pattern onto the picture: while aligning, the pattern layer
// is dragged over the picture and stretched about the picture's centre;
// at the end the displacement is written into every line and shape. Every
// change goes through the displayed pattern and on to the reference copy.
class Alignment {
public:
    Alignment(PatternStore& store, WorkSurface& surface, Progress& progress)
        : store_(store), surface_(surface), progress_(progress) {}

    void StartAlignment();
    void EndAlignment();

    PatternBox MeasurePattern();
    void MovePattern(float dx, float dy);
    // About the layer's top left corner; a factor that is not a finite
    // positive number changes nothing.
    void ScalePattern(double s);
    void StretchPattern(double f);
    void CenterPatternInLayer();
    float ClampDragX(float d) { return roomX_.Clamp(d); }
    float ClampDragY(float d) { return roomY_.Clamp(d); }

    // A drag of the pattern layer, in the moving layer's coordinates: the
    // press point stays under the pointer as far as the room allows.
    void BeginAlignDrag(float x, float y);
    void AlignDragStep(float x, float y);
    void StretchBarChanged(int value);
    // After a new picture: the pattern moved to the layer's corner and
    // scaled to fill it in its tighter direction.
    void FitPatternToPicture();

    bool Aligning() const { return aligning_; }
    int StretchMaximum() const { return stretchMaximum_; }
    int StretchValue() const { return lastStretch_; }
    const PatternBox& Box() const { return box_; }
    const DragRoom& RoomX() const { return roomX_; }
    const DragRoom& RoomY() const { return roomY_; }

private:
    template <class Shape, class Line>
    void EachVisible(const char* caption, Shape shape, Line line);
    void SetRooms();
    void PlaceCropPlates();

    PatternStore& store_;
    WorkSurface& surface_;
    Progress& progress_;
    PatternBox box_;
    DragRoom roomX_, roomY_;
    Point start_;
    bool aligning_ = false;
    int lastStretch_ = kStretchNormal;
    int stretchMaximum_ = kStretchNormal;
};

// Align mode's tool: a press on the pattern drags it over the picture.
class AlignTool : public Tool {
public:
    AlignTool(Alignment& alignment, Gesture& gesture) : alignment_(alignment), gesture_(gesture) {}
    void Press(int button, float x, float y, std::int16_t part) override;
    void Move(float x, float y) override { alignment_.AlignDragStep(x, y); }
    PointerSet Pointers() const override;
    const char* StepName() const override { return "Align Pattern"; }

private:
    Alignment& alignment_;
    Gesture& gesture_;
};

}  // namespace tessary
