#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/pattern/ElementSet.h"

namespace tessary {

class Messages;
struct PatternOptions;
struct PatternSnapshot;

enum class LengthUnit { Inch, Millimetre };

// Inches unless the pattern's page is measured in centimetres.
LengthUnit PageUnit(const PatternOptions& options);

// The pattern as an export draws it: its visible lines and shapes in twips
// at true size, whatever the zoom. A line or shape with a coordinate that
// is no number is left out and counted; one far out is kept as it is.
struct TrueSizePattern {
    float width = 0, height = 0;
    ElementSet<LineElement> lines;
    std::vector<ShapeElement> shapes;
    float penInches = 0;
    std::uint32_t colour = 0;  // colour value, red in the low byte
    int leftOut = 0;
};

TrueSizePattern TrueSize(const PatternSnapshot& snapshot);

// True when the pattern has a size an export can give its page.
bool HasPageSize(const TrueSizePattern& pattern);

// SVG at true size in unit: one path per chain of joined lines, circles,
// ellipses and rectangles as themselves; y downwards as on the screen.
std::string SvgText(const TrueSizePattern& pattern, LengthUnit unit);
// DXF (AutoCAD R12) with $INSUNITS: a LINE per line, CIRCLEs, boxes and
// rounded boxes as closed polylines, ovals as closed polylines of short
// segments; y upwards from the pattern's bottom edge, as drawings go.
std::string DxfText(const TrueSizePattern& pattern, LengthUnit unit);

enum class VectorFormat { Svg, Dxf };

// Writes the pattern as format beside path and moves it there when whole.
// False, after saying why, when it has no size, path is the pattern file
// itself or the file cannot be written; a file already at path is then
// untouched. Lines and shapes left out are reported after the file is written.
bool ExportVector(VectorFormat format, const PatternSnapshot& snapshot, LengthUnit unit, const std::string& path,
                  const std::string& patternPath, Messages& messages);

}  // namespace tessary
