#pragma once

#include "core/engine/Tool.h"

namespace tessary {

// Select mode's tool: picks, drags and deletes objects, or joins line ends,
// as the select kind says.
class SelectTool : public Tool {
public:
    explicit SelectTool(Workspace& ws) : ws_(ws) {}
    // Free-end grab points are found anew on each coming back.
    void Enter() override;
    void Leave() override;
    void Press(int button, float x, float y, std::int16_t part) override;
    void Move(float x, float y) override;
    void Release(float x, float y) override;
    void Key(int keyCode) override;
    PointerSet Pointers() const override;

private:
    Workspace& ws_;
};

}  // namespace tessary
