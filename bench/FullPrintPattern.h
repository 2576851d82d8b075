#pragma once

// The full pattern both print benchmarks draw: 32,767 lines and 1,000
// circles over 38,000 by 50,000 twips, a 4 by 4 page grid.

#include "core/engine/Session.h"

namespace tessary::bench {

// Traced strokes of short segments over the whole pattern, many crossing page edges.
inline void AddFullPrintPattern(Session& session) {
    PatternOptions& o = session.options;
    o.WidthTwips = 38000;
    o.HeightTwips = 50000;
    for (int i = 0; i < 32767; ++i) {
        const auto x = static_cast<float>(200 + (i % 181) * 207);
        const auto y = static_cast<float>(200 + (i / 181) * 274);
        session.store.AddLine(x, y, x + 190, y + 120, 1, true);
    }
    for (int i = 0; i < 1000; ++i) {
        const auto side = static_cast<float>(200 + (i % 9) * 200);
        const auto left = static_cast<float>(500 + (i % 25) * 1450);
        const auto top = static_cast<float>(300 + (i / 25) * 1200);
        session.store.AddShape(3, top, left, side, side, 1, true);
    }
}

}  // namespace tessary::bench
