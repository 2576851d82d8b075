#include "core/engine/Pointers.h"

namespace tessary {

namespace {

constexpr const char* CRLF = "\r\n";

PointerSet Set(std::int16_t window, std::int16_t picture, std::int16_t under, std::int16_t pattern,
               std::int16_t cursorId, const std::string& left, const std::string& right) {
    return PointerSet{window, picture, under, pattern, cursorId, left, right};
}

}  // namespace

PointerSet PointersFor(const ModeAndTool& s) {
    switch (s.mode) {
        case 0:
            if (s.selectKind == 1) {
                return Set(0, 0, 14, 14, 0, std::string("Join") + CRLF + "Ends", std::string("Closest") + CRLF + "End");
            }
            return Set(0, 0, 14, 14, 0, "Select", "");
        case 1:
            switch (s.tool) {
                case 0:
                case 2:
                case 3:
                case 4: return Set(0, 0, 2, 2, 0, "Draw", "");
                case 1: return Set(0, 0, 2, 2, 0, "Draw", std::string("End") + CRLF + "Series");
                case 5:
                case 6:
                case 7:
                    return Set(0, 0, 99, 99, ShapeCursorId(s.shapeMode, s.direction), std::string("Apply") + CRLF + "tool",
                               "Rotate");
                case 8: return Set(0, 0, 99, 99, 2, "Erase", "");
                case 9: return Set(0, 0, 2, 2, 0, std::string("Mark") + CRLF + "Points", std::string("Set") + CRLF + "Arc");
                default: return Set(0, 0, 0, 0, 0, "", "");
            }
        case 2: return Set(0, 99, 99, 99, 4, "Move", "");
        case 3: return Set(99, 99, 99, 99, 3, "In", "Out");
        default: return PointerSet{12, 12, 99, 12, 4, std::nullopt, std::nullopt};
    }
}

}  // namespace tessary
