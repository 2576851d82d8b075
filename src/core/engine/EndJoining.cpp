#include "core/engine/EndJoining.h"

#include "core/engine/Workspace.h"

namespace tessary {

namespace {
constexpr const char* kAnalyzing = "Analyzing - Please wait...";
}  // namespace

EndPoint EndJoining::PositionOf(std::int16_t k) const { return EndPosition(ws_.store.OutLine, EndOf(k)); }

void EndJoining::MoveEnd(std::int16_t k, float x, float y) {
    const LineEnd end = EndOf(k);
    SetEndPosition(ws_.store.OutLine, end, x, y);
    ws_.store.LineMoved(end.line);
}

void EndJoining::Recolour(std::int16_t line, std::uint32_t colour) {
    Appearance& look = ws_.store.OutLine.Edit(line).look;
    look.DrawMode = kDrawModeCopyPen;
    look.BorderColor = colour;
}

void EndJoining::PlaceEnd(std::int16_t k, float x, float y) {
    ws_.selection.ShowGrabPoint(k, x, y);
    MoveEnd(k, x, y);
    Recolour(EndOf(k).line, ws_.session.display.GetColour(0));
}

std::int16_t EndJoining::AddEnd(LineEnd end) {
    const std::int16_t k = ws_.selection.AddGrabPoint();
    ends_.resize(static_cast<std::size_t>(k) + 1);
    ends_[static_cast<std::size_t>(k)] = end;
    const EndPoint p = PositionOf(k);
    ws_.selection.ShowGrabPoint(k, p.x, p.y);
    return k;
}

void EndJoining::ClearEnds() {
    ends_.assign(1, LineEnd{});
    proposal_ = false;
    rightDrag_ = false;
}

void EndJoining::AnalyzeFreeEnds() {
    Progress& progress = ws_.session.progress;
    const int n = ws_.store.OutLine.Count();
    progress.ProgressStart(0, 2 * (n - 1), kAnalyzing, true);
    // With no progress display there is nobody to cancel.
    const auto step = [&progress](int lines) { return progress.ProgressStep(lines) || !progress.Display(); };
    const std::optional<std::vector<LineEnd>> free = FindFreeEnds(ws_.store.OutLine, step);
    progress.ProgressEnd();
    if (!free) {
        ws_.selection.SetSelectKind(SelectObjects);
        return;
    }
    for (const LineEnd& end : *free) AddEnd(end);
}

void EndJoining::EndGrabPress(std::int16_t k, int button, float x, float y) {
    if (!IsEnd(k)) return;
    // Only a proposal still on show is ended by pressing its target; once it
    // is gone, that end is an end like any other.
    if (proposal_ && k != proposalSource_) {
        const bool target = k == proposalTarget_;
        DismissProposal();
        if (target) return;
    }
    if (button == kButtonRight) {
        DismissProposal();
        FindClosestEnd(k);
        rightDrag_ = true;
        rightDragStart_ = {x, y};
        rightDragEnd_ = k;
    }
    Selection& s = ws_.selection;
    s.grabDragActive_ = true;
    s.grabIndex_ = k;
    s.index_ = k;
    Recolour(EndOf(k).line, ws_.session.display.GetColour(1));
    s.HideGrabPoint(k);
    ws_.gesture.Begin();
    EndDragStep(x, y);
}

void EndJoining::EndDragStep(float x, float y) {
    Selection& s = ws_.selection;
    s.lastDragPoint_ = {x, y};
    s.UnhighlightGrabPoint();
    MoveEnd(s.index_, x, y);
    if (rightDrag_) SplitAtCrossing(x, y);
}

void EndJoining::SplitAtCrossing(float x, float y) {
    LineGeometry& geometry = ws_.geometry;
    PatternStore& store = ws_.store;
    geometry.SetProbe(rightDragStart_.x, rightDragStart_.y, x, y);
    std::int16_t c = 0;
    if (!geometry.FirstCrossedLine(store, c)) return;
    const LineEnd dragged = EndOf(rightDragEnd_);
    if (c == dragged.line) return;
    const std::int16_t m = store.NewLineSlot();
    if (m < 0) {
        ws_.draw.NotePatternFull();
        return;
    }
    const CrossingPoint at = geometry.LastCrossing();
    const LineElement crossed = store.OutLine[c];
    LineElement& added = store.OutLine.Edit(m);
    added.X1 = at.x;
    added.Y1 = at.y;
    added.X2 = crossed.X2;
    added.Y2 = crossed.Y2;
    added.look.BorderWidth = ws_.draw.PenWidth();
    Recolour(m, ws_.session.display.GetColour(0));
    store.OutLine.SetVisible(m, true);
    LineElement& cut = store.OutLine.Edit(c);
    cut.X2 = at.x;
    cut.Y2 = at.y;
    SetEndPosition(store.OutLine, dragged, at.x, at.y);
    Recolour(dragged.line, ws_.session.display.GetColour(0));
    // Three ends meet at the crossing: the drag is over and its end stays
    // without a grab point.
    ws_.gesture.End();
    ws_.selection.grabDragActive_ = false;
    store.LineMoved(c);
    store.LineMoved(m);
    store.LineMoved(dragged.line);
    rightDrag_ = false;
    DismissProposal();
}

bool EndJoining::Joinable(std::int16_t k) const {
    const Selection& s = ws_.selection;
    return s.grabDragActive_ && IsEnd(k) && k != s.grabIndex_ && ws_.surface.GrabPoint[static_cast<std::size_t>(k)].Visible;
}

void EndJoining::EndHover(std::int16_t k) {
    Selection& s = ws_.selection;
    if (s.highlighted_ == k) return;
    s.UnhighlightGrabPoint();
    const EndPoint p = PositionOf(k);
    MoveEnd(s.grabIndex_, p.x, p.y);
    s.HighlightGrabPoint(k, kGrabNearBlack);
}

void EndJoining::EndDropOnGrab(std::int16_t k) {
    Selection& s = ws_.selection;
    const EndPoint p = PositionOf(k);
    PlaceEnd(s.grabIndex_, p.x, p.y);
    s.HideGrabPoint(s.grabIndex_);
    s.HideGrabPoint(k);
    DismissProposal();
    s.grabDragActive_ = false;
    rightDrag_ = false;
    ws_.store.SetPatternChanged(true);
}

void EndJoining::EndDrop() {
    const Selection& s = ws_.selection;
    PlaceEnd(s.index_, s.lastDragPoint_.x, s.lastDragPoint_.y);
    rightDrag_ = false;
}

void EndJoining::FindClosestEnd(std::int16_t k) {
    Progress& progress = ws_.session.progress;
    const ElementSet<LineElement>& lines = ws_.store.OutLine;
    progress.ProgressStart(0, static_cast<int>(ends_.size()) - 1 + lines.Count() - 1, kAnalyzing, false);
    const EndPoint p = PositionOf(k);
    const std::optional<LineEnd> found = tessary::FindClosestEnd(
        lines, p.x, p.y, EndOf(k).line, [&progress](int count) {
            progress.ProgressStep(count);
            return true;
        });
    if (found) {
        std::int16_t t = 0;
        for (std::int16_t i = 1; IsEnd(i); ++i) {
            if (ends_[static_cast<std::size_t>(i)] == *found) {
                t = i;
                break;
            }
        }
        if (t != 0) {
            const EndPoint at = PositionOf(t);
            targetWasVisible_ = ws_.surface.GrabPoint[static_cast<std::size_t>(t)].Visible;
            // A proposed end is shown where it now lies.
            ws_.selection.ShowGrabPoint(t, at.x, at.y);
        } else {
            // A joined end gets a grab point for the time of the proposal.
            t = AddEnd(*found);
            targetWasVisible_ = false;
        }
        ws_.surface.GrabPoint[static_cast<std::size_t>(t)].BackColour = kGrabYellow;
        proposalSource_ = k;
        proposalTarget_ = t;
        proposal_ = true;
    }
    progress.ProgressEnd();
}

void EndJoining::DismissProposal() {
    if (!proposal_) return;
    proposal_ = false;
    GrabPointElement& target = ws_.surface.GrabPoint.at(static_cast<std::size_t>(proposalTarget_));
    target.BackColour = kGrabWhite;
    if (!targetWasVisible_) ws_.selection.HideGrabPoint(proposalTarget_);
}

}  // namespace tessary
