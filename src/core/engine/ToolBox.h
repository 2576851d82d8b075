#pragma once

#include "core/engine/Tool.h"

namespace tessary {

// The tool the work window's input goes to; none while the picture is being
// aligned.
class ToolBox {
public:
    // The modes start in start's mode, with nothing for it to set up.
    explicit ToolBox(Tool& start) : current_(&start) {}

    Tool* Current() const { return current_; }
    // Choosing the current tool again starts it afresh, as the menus expect
    // of a tool chosen anew.
    void Choose(Tool* next) {
        if (current_) current_->Leave();
        current_ = next;
        if (current_) current_->Enter();
    }

private:
    Tool* current_;
};

}  // namespace tessary
