#pragma once

#include <cstdint>
#include <vector>

namespace tessary {

class Progress;

struct ReferenceLine {
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool Visible = false;
};

struct ReferenceShape {
    std::int16_t Kind = 0;
    float Top = 0, Left = 0, Height = 0, Width = 0;
    bool Visible = false;
};

// The zoom-independent copy of the pattern, index for index with the
// displayed sets. The displayed pattern is recomputed from it after a zoom,
// so repeated zooming never accumulates rounding.
class ReferenceCopy {
public:
    explicit ReferenceCopy(Progress& progress);

    std::int16_t LineCount() const { return static_cast<std::int16_t>(Lines.size()); }
    std::int16_t ShapeCount() const { return static_cast<std::int16_t>(Shapes.size()); }

    float PatternWidth() const { return patternWidth_; }
    float PatternHeight() const { return patternHeight_; }
    void SetPatternWidth(float twips) { patternWidth_ = twips; }
    void SetPatternHeight(float twips) { patternHeight_ = twips; }
    float ReferenceScale() const { return referenceScale_; }

    void Clear();
    void RemoveLine(std::int16_t index);
    void RemoveShape(std::int16_t index);
    // scaled: the values are displayed coordinates and are converted to
    // reference ones; otherwise they are stored as given.
    void SetLine(std::int16_t index, float x1, float y1, float x2, float y2, bool scaled);
    void SetShape(std::int16_t index, std::int16_t kind, float top, float left, float height, float width, bool scaled);
    void NewLine(std::int16_t index);
    void NewShape(std::int16_t index);
    void UpdateScale(float displayedHeight);

    std::vector<ReferenceLine> Lines;
    std::vector<ReferenceShape> Shapes;

private:
    Progress& progress_;
    float patternWidth_ = 0;
    float patternHeight_ = 0;
    float referenceScale_ = 1.0f;
};

}  // namespace tessary
