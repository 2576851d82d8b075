#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/engine/WorkSurface.h"

namespace tessary {

class Workspace;

enum SelectKindValue : std::int16_t { SelectObjects = 0, SelectEnds = 1 };
enum SelectStateValue : std::int16_t {
    SelectNothing = 0,
    SelectedLine = 1,
    SelectedShape = 2,
    SelectArcPoints = 3,
    SelectEndsActive = 4,
    SelectedGroup = 5,  // several lines and shapes, moved and deleted as one
};

// Select mode: one line or shape selected, moved whole or reshaped by its
// grab points, deleted; or several at once (a chain of lines, what a
// rectangle takes in, Shift+clicks, everything), shown in one box with a
// grab point at each corner and moved or deleted together; and the grab
// points every tool lays over the pattern.
class Selection {
public:
    explicit Selection(Workspace& ws) : ws_(ws) {}

    std::int16_t SelectKind() const { return kind_; }
    std::int16_t SelectState() const { return state_; }
    std::int16_t SelectIndex() const { return index_; }
    bool GrabDragActive() const { return grabDragActive_; }
    std::int16_t GrabIndex() const { return grabIndex_; }
    void SetGrabDragActive(bool on) { grabDragActive_ = on; }
    // The arc tool takes the selection over while its points are edited.
    void EnterArcPoints() { state_ = SelectArcPoints; }

    // Grab points.
    void ResizeGrabPoints(std::int16_t count);
    void ShowGrabPoint(std::int16_t index, float x, float y);
    void HideGrabPoint(std::int16_t index);
    void HideAllGrabPoints();
    std::int16_t AddGrabPoint();
    void ClearGrabPoints();
    void HighlightGrabPoint(std::int16_t index, std::uint32_t colour);
    void UnhighlightGrabPoint();
    // After a zoom: each end grab point back on the end it stands for.
    void RelocateGrabPoints();
    // The centre of grab point index, in layer coordinates.
    Point GrabCentre(std::int16_t index) const;
    // Hidden during busy work, shown again after it.
    void SetGrabPointsShown(bool shown) { grabPointsShown_ = shown; }
    bool GrabPointsShown() const { return grabPointsShown_; }

    void SetSelectKind(std::int16_t kind);
    // Edit > Select > Object or Ends: the kind, then select mode.
    void ChooseSelectKind(std::int16_t kind);
    void ClearSelection();
    // A tool removes or reshapes this line: a selection of it goes, so no
    // handle is left over a line that is gone or elsewhere.
    void ForgetLine(std::int16_t line);
    void SelectLine(std::int16_t index);
    void SelectShape(std::int16_t index);
    bool HitTest(float x, float y);
    void DeleteSelected();

    // One element gives the single selection, none clears it.
    void SelectGroup(std::vector<std::int16_t> lines, std::vector<std::int16_t> shapes);
    // The line at (x, y) with every line joined end to end with it.
    bool SelectChainAt(float x, float y);
    // Every visible line and shape lying wholly inside r (layer twips).
    void SelectInside(const Rect& r);
    void SelectAll();
    // Shift+click: the element at (x, y) joins the selection or leaves it.
    void ToggleAt(float x, float y);
    // The selection moved by (dx, dy), as a drag would.
    void MoveSelection(float dx, float dy);
    const std::vector<std::int16_t>& GroupLines() const { return groupLines_; }
    const std::vector<std::int16_t>& GroupShapes() const { return groupShapes_; }

    // shift: a Shift+press, which adds to or takes from the selection.
    void ObjectPress(int button, float x, float y, bool shift = false);
    void GrabPress(std::int16_t index, int button, float x, float y);
    void SelectMove(float x, float y);
    void SelectDrop(float x, float y);

private:
    friend class EndJoining;

    void GrabDragStart(std::int16_t index, float x, float y);
    void GrabMove(float x, float y);
    void ShowSelectionGrabPoints();
    void Recolour(std::uint32_t colour);
    struct Hit {
        bool line = true;
        std::int16_t index = 0;
    };
    std::optional<Hit> FindHit(float x, float y) const;
    Rect GroupBox() const;
    template <class Inside>
    void SelectWhere(Inside inside);
    void ShowBox(const Rect& r);

    Workspace& ws_;
    std::int16_t kind_ = SelectObjects;
    std::int16_t state_ = SelectNothing;
    std::int16_t index_ = 0;
    bool grabDragActive_ = false;
    std::int16_t grabIndex_ = 0;
    Point lastDragPoint_;
    std::int16_t highlighted_ = -1;
    bool grabPointsShown_ = true;
    std::vector<std::int16_t> groupLines_, groupShapes_;
    bool rectActive_ = false;  // a selection rectangle is being dragged open
    Point rectAnchor_;
};

}  // namespace tessary
