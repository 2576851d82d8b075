#pragma once

#include <cstdint>
#include <vector>

#include "core/engine/WorkSurface.h"
#include "core/pattern/LineEnds.h"

namespace tessary {

class Workspace;

inline constexpr std::uint32_t kGrabNearBlack = 1;
inline constexpr std::uint32_t kGrabYellow = RGB(255, 255, 0);

// The Ends kind of select mode: every free line end gets a grab point, and
// the user closes an outline by dragging an end onto another, asks for the
// nearest end of another line, or drags an end across a line, which is
// split there. Ends meet by copied coordinates, never by tolerance.
class EndJoining {
public:
    explicit EndJoining(Workspace& ws) : ws_(ws) {}

    // Grab points for the free ends; cancelling returns to the Object kind.
    void AnalyzeFreeEnds();
    void EndGrabPress(std::int16_t k, int button, float x, float y);
    void EndDragStep(float x, float y);
    // A drag over or released on grab point k, when k is an end it may join.
    bool Joinable(std::int16_t k) const;
    void EndHover(std::int16_t k);
    void EndDropOnGrab(std::int16_t k);
    // A release over the pattern: the end stays where it was dropped.
    void EndDrop();
    void FindClosestEnd(std::int16_t k);
    void DismissProposal();
    // The grab points are gone: no ends, no proposal, no right drag.
    void ClearEnds();
    void ResetRightDrag() { rightDrag_ = false; }

    // The end grab point k stands for; k from 1.
    bool IsEnd(std::int16_t k) const { return k >= 1 && static_cast<std::size_t>(k) < ends_.size(); }
    LineEnd EndOf(std::int16_t k) const { return ends_.at(static_cast<std::size_t>(k)); }
    bool ProposalActive() const { return proposal_; }
    bool IsProposalTarget(std::int16_t k) const { return proposal_ && k == proposalTarget_; }
    std::int16_t ProposalSource() const { return proposalSource_; }

private:
    EndPoint PositionOf(std::int16_t k) const;
    void MoveEnd(std::int16_t k, float x, float y);
    void PlaceEnd(std::int16_t k, float x, float y);
    void Recolour(std::int16_t line, std::uint32_t colour);
    // A new end grab point shown at the end's place.
    std::int16_t AddEnd(LineEnd end);
    void SplitAtCrossing(float x, float y);

    Workspace& ws_;
    std::vector<LineEnd> ends_ = std::vector<LineEnd>(1);  // element 0 stands for no end
    bool proposal_ = false;
    std::int16_t proposalSource_ = 0;
    std::int16_t proposalTarget_ = 0;
    bool targetWasVisible_ = false;
    bool rightDrag_ = false;
    Point rightDragStart_;
    std::int16_t rightDragEnd_ = 0;
};

}  // namespace tessary
