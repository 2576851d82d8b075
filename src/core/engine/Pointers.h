#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tessary {

// Pointer shapes of the standard set, and 99 for one of the program's own
// cursors (then `cursorId` names it).
enum PointerShape : std::int16_t {
    PointerDefault = 0,
    PointerCross = 2,
    PointerNoDrop = 12,
    PointerArrowQuestion = 14,
    PointerSizeAll = 15,
    PointerCustom = 99,
};

// The program's own cursors besides the shape tool's.
enum CursorId : std::int16_t { CursorEraser = 2, CursorMagnifier = 3, CursorHand = 4 };

// The pointers of the work window's parts and the mouse-help texts of one
// tool. Line breaks in the texts are CRLF.
struct PointerSet {
    std::int16_t window = PointerDefault;
    std::int16_t picture = PointerDefault;  // the picture-only image
    std::int16_t under = PointerDefault;    // the picture under the pattern
    std::int16_t pattern = PointerDefault;  // also a gesture's drag pointer
    std::int16_t cursorId = 0;
    // Absent where the texts stay as they were (alignment).
    std::optional<std::string> leftText;
    std::optional<std::string> rightText;

    bool operator==(const PointerSet&) const = default;
};

// The shape tool's cursor for a mode and direction: 11..18, 21..28, 31..38.
inline std::int16_t ShapeCursorId(std::int16_t shapeMode, std::int16_t direction) {
    return static_cast<std::int16_t>((shapeMode + 1) * 10 + direction);
}

}  // namespace tessary
