#pragma once

#include <optional>
#include <string>

#include "core/engine/WorkSurface.h"

namespace tessary {

class Workspace;

// What the status bar says of the open pattern.
struct StatusReport {
    std::string position;  // the pointer on the pattern, in its page units; empty off the pattern
    std::string zoom;      // the view as a share of true size
    std::string buttons;   // what the left and right buttons do now
    std::string counts;    // lines and shapes
};

// pointer: where the pointer is, in pattern-layer twips, if over the window.
StatusReport ReportStatus(const Workspace& ws, std::optional<Point> pointer);

}  // namespace tessary
