#include "core/engine/Selection.h"

#include <cmath>

#include "core/engine/Workspace.h"

namespace tessary {

void Selection::ResizeGrabPoints(std::int16_t count) {
    auto& points = ws_.surface.GrabPoint;
    points.resize(static_cast<std::size_t>(std::max<std::int16_t>(count, 1)));
    for (GrabPointElement& g : points) g.Visible = false;
}

void Selection::ShowGrabPoint(std::int16_t index, float x, float y) {
    auto& points = ws_.surface.GrabPoint;
    if (index < 0 || static_cast<std::size_t>(index) >= points.size()) return;
    GrabPointElement& g = points[index];
    g.Left = x - ws_.surface.GrabHalfWidth;
    g.Top = y - ws_.surface.GrabHalfHeight;
    g.Visible = true;
}

void Selection::HideGrabPoint(std::int16_t index) {
    auto& points = ws_.surface.GrabPoint;
    if (index >= 0 && static_cast<std::size_t>(index) < points.size()) points[index].Visible = false;
    if (index == highlighted_) UnhighlightGrabPoint();
    if (ws_.endJoining.IsProposalTarget(index)) ws_.endJoining.DismissProposal();
}

void Selection::HideAllGrabPoints() {
    for (GrabPointElement& g : ws_.surface.GrabPoint) g.Visible = false;
}

std::int16_t Selection::AddGrabPoint() {
    auto& points = ws_.surface.GrabPoint;
    points.emplace_back();
    return static_cast<std::int16_t>(points.size() - 1);
}

void Selection::ClearGrabPoints() {
    UnhighlightGrabPoint();
    ws_.endJoining.ClearEnds();
    ResizeGrabPoints(1);
}

void Selection::HighlightGrabPoint(std::int16_t index, std::uint32_t colour) {
    auto& points = ws_.surface.GrabPoint;
    if (index < 0 || static_cast<std::size_t>(index) >= points.size()) return;
    UnhighlightGrabPoint();
    points[index].BackColour = colour;
    highlighted_ = index;
}

void Selection::UnhighlightGrabPoint() {
    auto& points = ws_.surface.GrabPoint;
    if (highlighted_ >= 0 && static_cast<std::size_t>(highlighted_) < points.size()) {
        points[highlighted_].BackColour = ws_.endJoining.IsProposalTarget(highlighted_) ? kGrabYellow : kGrabWhite;
    }
    highlighted_ = -1;
}

void Selection::RelocateGrabPoints() {
    if (state_ != SelectEndsActive) return;
    auto& points = ws_.surface.GrabPoint;
    for (std::int16_t k = 1; ws_.endJoining.IsEnd(k); ++k) {
        const bool visible = points[static_cast<std::size_t>(k)].Visible;
        const EndPoint p = EndPosition(ws_.store.OutLine, ws_.endJoining.EndOf(k));
        ShowGrabPoint(k, p.x, p.y);
        points[static_cast<std::size_t>(k)].Visible = visible;
    }
}

Point Selection::GrabCentre(std::int16_t index) const {
    const GrabPointElement& g = ws_.surface.GrabPoint.at(index);
    return {g.Left + ws_.surface.GrabHalfWidth, g.Top + ws_.surface.GrabHalfHeight};
}

void Selection::SetSelectKind(std::int16_t kind) {
    kind_ = kind;
    ClearSelection();
    ws_.commands.SetChecked(Command::BtnSelectObject, kind == SelectObjects);
    ws_.commands.SetChecked(Command::BtnSelectEnds, kind == SelectEnds);
    if (kind == SelectEnds) {
        state_ = SelectEndsActive;
        ws_.endJoining.AnalyzeFreeEnds();
    }
    // The mouse help tells what the buttons now do.
    if (ws_.modes.InteractionMode() == ModeSelect) ws_.modes.ApplyPointers();
}

void Selection::ChooseSelectKind(std::int16_t kind) {
    kind_ = kind;
    ws_.modes.SetMode(ModeSelect);
}

void Selection::Recolour(std::uint32_t colour) {
    PatternStore& store = ws_.store;
    if (state_ == SelectedLine && index_ < store.OutLine.Count()) {
        Appearance& look = store.OutLine.Edit(index_).look;
        look.DrawMode = kDrawModeCopyPen;
        look.BorderColor = colour;
    } else if (state_ == SelectedShape && index_ < store.OutShape.Count()) {
        Appearance& look = store.OutShape.Edit(index_).look;
        look.DrawMode = kDrawModeCopyPen;
        look.BorderColor = colour;
    }
}

void Selection::ForgetLine(std::int16_t line) {
    if (state_ == SelectedLine && index_ == line) ClearSelection();
}

void Selection::ClearSelection() {
    ClearGrabPoints();
    Recolour(ws_.session.display.GetColour(0));
    state_ = SelectNothing;
}

void Selection::ShowSelectionGrabPoints() {
    if (state_ == SelectedLine) {
        const LineElement& e = ws_.store.OutLine[index_];
        ShowGrabPoint(0, e.X1, e.Y1);
        ShowGrabPoint(1, e.X2, e.Y2);
    } else if (state_ == SelectedShape) {
        const ShapeElement& e = ws_.store.OutShape[index_];
        ShowGrabPoint(0, e.Left, e.Top);
        ShowGrabPoint(1, e.Left + e.Width, e.Top);
        ShowGrabPoint(2, e.Left + e.Width, e.Top + e.Height);
        ShowGrabPoint(3, e.Left, e.Top + e.Height);
    }
}

void Selection::SelectLine(std::int16_t index) {
    ClearSelection();
    state_ = SelectedLine;
    index_ = index;
    ResizeGrabPoints(2);
    ShowSelectionGrabPoints();
    Recolour(ws_.session.display.GetColour(1));
}

void Selection::SelectShape(std::int16_t index) {
    ClearSelection();
    state_ = SelectedShape;
    index_ = index;
    ResizeGrabPoints(4);
    ShowSelectionGrabPoints();
    Recolour(ws_.session.display.GetColour(1));
}

bool Selection::HitTest(float x, float y) {
    const float t = 5 * ws_.surface.TwipsPerPixel;
    LineGeometry& geometry = ws_.geometry;
    std::int16_t line = 0;
    geometry.SetProbe(x + t, y + t, x - t, y - t);
    bool found = geometry.FirstCrossedLine(ws_.store, line);
    if (!found) {
        geometry.SetProbe(x - t, y + t, x + t, y - t);
        found = geometry.FirstCrossedLine(ws_.store, line);
    }
    if (found) {
        SelectLine(line);
        return true;
    }

    // Shapes by the nearest edge of their bounding box, within the edge's span.
    const ElementSet<ShapeElement>& shapes = ws_.store.OutShape;
    float best = t + 1;
    std::int16_t candidate = -1;
    for (std::int16_t k = 0; k < shapes.Count(); ++k) {
        if (!shapes.Visible(k)) continue;
        const ShapeElement& e = shapes[k];
        const float left = e.Left, right = e.Left + e.Width, top = e.Top, bottom = e.Top + e.Height;
        if (top <= y && y <= bottom) {
            const float d = std::min(std::fabs(left - x), std::fabs(right - x));
            if (d < best) {
                best = d;
                candidate = k;
            }
        }
        if (left <= x && x <= right) {
            const float d = std::min(std::fabs(top - y), std::fabs(bottom - y));
            if (d < best) {
                best = d;
                candidate = k;
            }
        }
    }
    if (candidate >= 0 && t >= best) {
        SelectShape(candidate);
        return true;
    }
    ClearSelection();
    return false;
}

void Selection::DeleteSelected() {
    if (state_ == SelectedLine) ws_.store.DeleteLine(index_);
    if (state_ == SelectedShape) ws_.store.DeleteShape(index_);
    ClearSelection();
}

void Selection::ObjectPress(int button, float x, float y) {
    grabDragActive_ = false;
    if (button != kButtonLeft) {
        ClearSelection();
        return;
    }
    if (HitTest(x, y)) {
        lastDragPoint_ = {x, y};
        HideAllGrabPoints();
        ws_.gesture.Begin();
    }
}

void Selection::GrabPress(std::int16_t index, int button, float x, float y) {
    ws_.endJoining.ResetRightDrag();
    // By state, not kind: arc points stay editable whatever the select kind.
    if (state_ == SelectEndsActive) {
        ws_.endJoining.EndGrabPress(index, button, x, y);
    } else if (button == kButtonLeft) {
        GrabDragStart(index, x, y);
    } else if (state_ == SelectArcPoints && ws_.arcTool.ArcPending()) {
        ws_.arcTool.CommitArc();
        ws_.arcTool.EndArc(false);
    }
}

void Selection::GrabDragStart(std::int16_t index, float x, float y) {
    grabDragActive_ = true;
    grabIndex_ = index;
    if (state_ == SelectedLine || state_ == SelectedShape) HideAllGrabPoints();
    ws_.gesture.Begin();
    GrabMove(x, y);
}

void Selection::GrabMove(float x, float y) {
    PatternStore& store = ws_.store;
    if (state_ == SelectedLine) {
        LineElement& e = store.OutLine.Edit(index_);
        if (grabIndex_ != 0) {
            e.X2 = x;
            e.Y2 = y;
        } else {
            e.X1 = x;
            e.Y1 = y;
        }
        store.LineMoved(index_);
    } else if (state_ == SelectedShape) {
        if (grabIndex_ < 0 || grabIndex_ > 3) return;
        ShapeElement& e = store.OutShape.Edit(index_);
        // The opposite corner stays; a side that would vanish or turn over
        // keeps its size, axis by axis.
        const bool leftSide = grabIndex_ == 0 || grabIndex_ == 3;
        const bool topSide = grabIndex_ == 0 || grabIndex_ == 1;
        if (leftSide) {
            if (e.Width > x - e.Left) {
                e.Width -= x - e.Left;
                e.Left = x;
            }
        } else if (x > e.Left) {
            e.Width = x - e.Left;
        }
        if (topSide) {
            if (e.Height > y - e.Top) {
                e.Height -= y - e.Top;
                e.Top = y;
            }
        } else if (y > e.Top) {
            e.Height = y - e.Top;
        }
        store.ShapeMoved(index_);
    } else if (state_ == SelectArcPoints) {
        ws_.arcTool.MoveArcPoint(x, y);
    } else if (state_ == SelectEndsActive) {
        ws_.endJoining.EndDragStep(x, y);
    }
}

void Selection::SelectMove(float x, float y) {
    PatternStore& store = ws_.store;
    if (grabDragActive_) {
        GrabMove(x, y);
    } else {
        const float dx = x - lastDragPoint_.x;
        const float dy = y - lastDragPoint_.y;
        lastDragPoint_ = {x, y};
        if (state_ == SelectedLine) {
            LineElement& e = store.OutLine.Edit(index_);
            e.X1 += dx;
            e.X2 += dx;
            e.Y1 += dy;
            e.Y2 += dy;
            store.LineMoved(index_);
        } else if (state_ == SelectedShape) {
            ShapeElement& e = store.OutShape.Edit(index_);
            e.Left += dx;
            e.Top += dy;
            store.ShapeMoved(index_);
        }
    }
    store.SetPatternChanged(true);
}

void Selection::SelectDrop(float x, float y) {
    SelectMove(x, y);
    if (state_ == SelectedLine || state_ == SelectedShape) ShowSelectionGrabPoints();
    if (state_ == SelectArcPoints) ws_.arcTool.RebuildArc();
    if (state_ == SelectEndsActive && grabDragActive_) ws_.endJoining.EndDrop();
    grabDragActive_ = false;
}

}  // namespace tessary
