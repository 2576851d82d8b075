#pragma once

#include <cstdint>

namespace tessary {

class PatternStore;

// One straight segment with its bounding box and line equation.
struct LineSeg {
    bool Vertical = false;
    bool Horizontal = false;
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    float MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
    float Slope = 0;
    float Intercept = 0;
};

struct CrossingPoint {
    float x = 0;
    float y = 0;
};

void ComputeBox(LineSeg& seg);
void ComputeLine(LineSeg& seg);
LineSeg MakeLineSeg(float x1, float y1, float x2, float y2);

// True when the segment crosses the probe; the candidate point is written to
// at even when they do not cross. A segment that only reaches the edge of the
// probe's box counts as outside.
bool Crosses(const LineSeg& probe, LineSeg seg, CrossingPoint& at);

// The probe by which the editing tools decide which line the user touched.
class LineGeometry {
public:
    void SetProbe(float x1, float y1, float x2, float y2);
    const LineSeg& ProbeSegment() const { return probe_; }
    float ProbeY(float x) const { return probe_.Slope * x + probe_.Intercept; }

    // The visible line of lowest index that crosses the probe.
    bool FirstCrossedLine(const PatternStore& store, std::int16_t& index);
    bool LineCrossesProbe(const PatternStore& store, std::int16_t index) const;
    const CrossingPoint& LastCrossing() const { return lastCrossing_; }

private:
    LineSeg probe_;
    CrossingPoint lastCrossing_;
};

void SwapLineEnds(PatternStore& store, std::int16_t index);

}  // namespace tessary
