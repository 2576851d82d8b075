#include "core/engine/Selection.h"

#include <algorithm>
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
    if (state_ == SelectedGroup) ShowSelectionGrabPoints();
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
    } else if (state_ == SelectedGroup) {
        for (const std::int16_t i : groupLines_) store.OutLine.Edit(i).look.BorderColor = colour;
        for (const std::int16_t i : groupShapes_) store.OutShape.Edit(i).look.BorderColor = colour;
    }
}

void Selection::ForgetLine(std::int16_t line) {
    if (state_ == SelectedLine && index_ == line) ClearSelection();
}

void Selection::ClearSelection() {
    ClearGrabPoints();
    Recolour(ws_.session.display.GetColour(0));
    if (state_ == SelectedGroup || rectActive_) ws_.bands.EditShapeVisible = false;
    state_ = SelectNothing;
    groupLines_.clear();
    groupShapes_.clear();
    rectActive_ = false;
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
    } else if (state_ == SelectedGroup) {
        const Rect box = GroupBox();
        ResizeGrabPoints(4);
        ShowGrabPoint(0, box.Left, box.Top);
        ShowGrabPoint(1, box.Left + box.Width, box.Top);
        ShowGrabPoint(2, box.Left + box.Width, box.Top + box.Height);
        ShowGrabPoint(3, box.Left, box.Top + box.Height);
        ShowBox(box);
    }
}

void Selection::ShowBox(const Rect& r) {
    ShapeElement& band = ws_.bands.EditShape;
    band.Shape = ShapeRectangle;
    band.Left = r.Left;
    band.Top = r.Top;
    band.Width = r.Width;
    band.Height = r.Height;
    ws_.bands.EditShapeVisible = true;
}

Rect Selection::GroupBox() const {
    const PatternStore& store = ws_.store;
    float left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
    for (const std::int16_t i : groupLines_) {
        const LineElement& e = store.OutLine[i];
        left = std::min({left, e.X1, e.X2});
        right = std::max({right, e.X1, e.X2});
        top = std::min({top, e.Y1, e.Y2});
        bottom = std::max({bottom, e.Y1, e.Y2});
    }
    for (const std::int16_t i : groupShapes_) {
        const ShapeElement& e = store.OutShape[i];
        left = std::min(left, e.Left);
        right = std::max(right, e.Left + e.Width);
        top = std::min(top, e.Top);
        bottom = std::max(bottom, e.Top + e.Height);
    }
    if (!(left <= right && top <= bottom)) return {};
    return {left, top, right - left, bottom - top};
}

void Selection::SelectGroup(std::vector<std::int16_t> lines, std::vector<std::int16_t> shapes) {
    ClearSelection();
    if (lines.size() + shapes.size() == 1) {
        if (lines.empty()) {
            SelectShape(shapes.front());
        } else {
            SelectLine(lines.front());
        }
        return;
    }
    if (lines.empty() && shapes.empty()) return;
    state_ = SelectedGroup;
    groupLines_ = std::move(lines);
    groupShapes_ = std::move(shapes);
    ShowSelectionGrabPoints();
    Recolour(ws_.session.display.GetColour(1));
}

bool Selection::SelectChainAt(float x, float y) {
    const std::optional<Hit> hit = FindHit(x, y);
    if (!hit || !hit->line) return false;
    SelectGroup(FindChain(ws_.store.OutLine, hit->index), {});
    return true;
}

template <class Inside>
void Selection::SelectWhere(Inside inside) {
    const PatternStore& store = ws_.store;
    std::vector<std::int16_t> lines, shapes;
    for (std::int16_t i = 0; i < store.OutLine.Count(); ++i) {
        const LineElement& e = store.OutLine[i];
        if (store.OutLine.Visible(i) && inside(e.X1, e.Y1) && inside(e.X2, e.Y2)) lines.push_back(i);
    }
    for (std::int16_t i = 0; i < store.OutShape.Count(); ++i) {
        const ShapeElement& e = store.OutShape[i];
        if (store.OutShape.Visible(i) && inside(e.Left, e.Top) && inside(e.Left + e.Width, e.Top + e.Height)) {
            shapes.push_back(i);
        }
    }
    SelectGroup(std::move(lines), std::move(shapes));
}

void Selection::SelectInside(const Rect& r) {
    SelectWhere([&r](float x, float y) {
        return r.Left <= x && x <= r.Left + r.Width && r.Top <= y && y <= r.Top + r.Height;
    });
}

void Selection::SelectAll() {
    SelectWhere([](float, float) { return true; });
}

void Selection::ToggleAt(float x, float y) {
    const std::optional<Hit> hit = FindHit(x, y);
    if (!hit) return;
    std::vector<std::int16_t> lines = groupLines_, shapes = groupShapes_;
    if (state_ == SelectedLine) lines = {index_};
    if (state_ == SelectedShape) shapes = {index_};
    if (state_ != SelectedLine && state_ != SelectedShape && state_ != SelectedGroup) lines.clear(), shapes.clear();
    std::vector<std::int16_t>& set = hit->line ? lines : shapes;
    const auto at = std::find(set.begin(), set.end(), hit->index);
    if (at == set.end()) {
        set.push_back(hit->index);
    } else {
        set.erase(at);
    }
    SelectGroup(std::move(lines), std::move(shapes));
}

void Selection::MoveSelection(float dx, float dy) {
    if (state_ != SelectedLine && state_ != SelectedShape && state_ != SelectedGroup) return;
    grabDragActive_ = false;
    lastDragPoint_ = {0, 0};
    SelectDrop(dx, dy);
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

std::optional<Selection::Hit> Selection::FindHit(float x, float y) const {
    const float t = 5 * ws_.surface.TwipsPerPixel;
    LineGeometry& geometry = ws_.geometry;
    std::int16_t line = 0;
    geometry.SetProbe(x + t, y + t, x - t, y - t);
    bool found = geometry.FirstCrossedLine(ws_.store, line);
    if (!found) {
        geometry.SetProbe(x - t, y + t, x + t, y - t);
        found = geometry.FirstCrossedLine(ws_.store, line);
    }
    if (found) return Hit{true, line};

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
    if (candidate >= 0 && t >= best) return Hit{false, candidate};
    return std::nullopt;
}

bool Selection::HitTest(float x, float y) {
    const std::optional<Hit> hit = FindHit(x, y);
    if (!hit) {
        ClearSelection();
        return false;
    }
    if (hit->line) {
        SelectLine(hit->index);
    } else {
        SelectShape(hit->index);
    }
    return true;
}

void Selection::DeleteSelected() {
    if (state_ == SelectedLine) ws_.store.DeleteLine(index_);
    if (state_ == SelectedShape) ws_.store.DeleteShape(index_);
    if (state_ == SelectedGroup) {
        for (const std::int16_t i : groupLines_) ws_.store.DeleteLine(i);
        for (const std::int16_t i : groupShapes_) ws_.store.DeleteShape(i);
    }
    ClearSelection();
}

void Selection::ObjectPress(int button, float x, float y, bool shift) {
    grabDragActive_ = false;
    if (button != kButtonLeft) {
        ClearSelection();
        return;
    }
    if (shift) {
        ToggleAt(x, y);
        return;
    }
    // A press inside a group's box drags the whole group.
    const Rect box = state_ == SelectedGroup ? GroupBox() : Rect{};
    const bool inGroup = state_ == SelectedGroup && box.Left <= x && x <= box.Left + box.Width && box.Top <= y &&
                         y <= box.Top + box.Height;
    if (inGroup || HitTest(x, y)) {
        lastDragPoint_ = {x, y};
        HideAllGrabPoints();
        ws_.gesture.Begin();
        return;
    }
    // On empty space a drag opens a selection rectangle.
    rectActive_ = true;
    rectAnchor_ = {x, y};
    ShowBox({x, y, 0, 0});
    ws_.gesture.Begin();
}

void Selection::GrabPress(std::int16_t index, int button, float x, float y) {
    ws_.endJoining.ResetRightDrag();
    // By state, not kind: arc points stay editable whatever the select kind.
    if (state_ == SelectEndsActive) {
        ws_.endJoining.EndGrabPress(index, button, x, y);
    } else if (button == kButtonLeft && state_ == SelectedGroup) {
        // A corner of a group's box takes the whole group along.
        lastDragPoint_ = {x, y};
        grabDragActive_ = false;
        HideAllGrabPoints();
        ws_.gesture.Begin();
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
    if (rectActive_) {
        ShowBox(RectBetween(rectAnchor_, {x, y}));
        return;
    }
    if (grabDragActive_) {
        GrabMove(x, y);
    } else {
        const float dx = x - lastDragPoint_.x;
        const float dy = y - lastDragPoint_.y;
        lastDragPoint_ = {x, y};
        if (state_ == SelectedLine) {
            store.MoveLine(index_, dx, dy);
        } else if (state_ == SelectedShape) {
            store.MoveShape(index_, dx, dy);
        } else if (state_ == SelectedGroup) {
            for (const std::int16_t i : groupLines_) store.MoveLine(i, dx, dy);
            for (const std::int16_t i : groupShapes_) store.MoveShape(i, dx, dy);
        }
    }
    store.SetPatternChanged(true);
}

void Selection::SelectDrop(float x, float y) {
    if (rectActive_) {
        rectActive_ = false;
        ws_.bands.EditShapeVisible = false;
        SelectInside(RectBetween(rectAnchor_, {x, y}));
        return;
    }
    SelectMove(x, y);
    if (state_ == SelectedLine || state_ == SelectedShape || state_ == SelectedGroup) ShowSelectionGrabPoints();
    if (state_ == SelectArcPoints) ws_.arcTool.RebuildArc();
    if (state_ == SelectEndsActive && grabDragActive_) ws_.endJoining.EndDrop();
    grabDragActive_ = false;
}

}  // namespace tessary
