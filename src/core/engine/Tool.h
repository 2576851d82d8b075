#pragma once

namespace tessary {

// A draw tool: what a press, the moves of its gesture and the release do,
// in pattern-layer twips. Button 1 is the left, 2 the right.
class Tool {
public:
    virtual ~Tool() = default;
    virtual void Press(int button, float x, float y) = 0;
    virtual void Move(float /*x*/, float /*y*/) {}
    virtual void Release(float /*x*/, float /*y*/) {}
};

}  // namespace tessary
