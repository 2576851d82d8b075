#pragma once

#include <cstdint>
#include <functional>

#include "core/pattern/ElementSet.h"
#include "core/engine/WorkSurface.h"

namespace tessary {

class DisplaySetup;
class LineGeometry;
class Messages;
class PatternStore;
class Selection;
struct Palette;

// What a tool shows while it works that is not part of the pattern: the
// rubber band of a straight line, the outline of a circle or box being
// dragged open, and the construction lines of an arc.
struct RubberBands {
    ElementSet<LineElement> ArcLine;
    LineElement EditLine;
    ShapeElement EditShape;
    bool EditLineVisible = false;
    bool EditShapeVisible = false;

    // Nothing shown, and the arc's lines beyond the first given back.
    void Clear();
};

// What the line tools keep between gestures.
struct LineDrawState {
    Point Anchor;
    Point LastEnd;
    bool SeriesActive = false;
};

// Whether the work window follows a press: a tool that begins a gesture
// gets its moves and the release that ends it.
class Gesture {
public:
    void Begin() { active_ = true; }
    void End() { active_ = false; }
    bool Active() const { return active_; }

private:
    bool active_ = false;
};

// What the drawing tools work with, and nothing more: the pattern, the
// feedback they show, the line state they share, the view they draw in, the
// selection they must not leave stale, and the session's messages.
class DrawContext {
public:
    DrawContext(PatternStore& store, RubberBands& bands, LineDrawState& lineState, LineGeometry& geometry,
                Palette& palette, const WorkSurface& surface, const DisplaySetup& display, Messages& messages,
                Gesture& gesture, Selection& selection)
        : store(store),
          bands(bands),
          lineState(lineState),
          geometry(geometry),
          palette(palette),
          surface(surface),
          display(display),
          messages(messages),
          gesture(gesture),
          selection(selection) {}
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;

    PatternStore& store;
    RubberBands& bands;
    LineDrawState& lineState;
    LineGeometry& geometry;
    Palette& palette;
    const WorkSurface& surface;
    const DisplaySetup& display;
    Messages& messages;
    Gesture& gesture;
    Selection& selection;
    // The current tool's pointers changed (the shape tool turned).
    std::function<void()> pointersChanged = [] {};

    // The screen pen of pattern lines, in pixels.
    std::int16_t PenWidth() const;
    // A tool found the pattern full: said once per press.
    void NotePatternFull();
    void NewPress() { patternFullShown_ = false; }
    // The Delete key while drawing: the last object drawn, whoever drew it.
    void DeleteLastDrawn();
    // The series ends, and the band that followed the pointer goes.
    void EndLineSeries() {
        lineState.SeriesActive = false;
        bands.EditLineVisible = false;
    }

private:
    bool patternFullShown_ = false;
};

}  // namespace tessary
