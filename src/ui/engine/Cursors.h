#pragma once

#include <QCursor>
#include <cstdint>

namespace tessary {

// The pointer for a pointer value of the engine; value 99 takes the
// program's own cursor number cursorId (2 eraser, 3 zoom, 4 move, and the
// shape tool's 11..18, 21..28, 31..38 for its three modes and eight
// directions, whose active point lies on a ring around the centre).
QCursor CursorFor(std::int16_t pointer, std::int16_t cursorId);

}  // namespace tessary
