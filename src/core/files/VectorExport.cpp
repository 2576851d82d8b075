#include "core/files/VectorExport.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "core/files/FileReplacement.h"
#include "core/files/OutputGuard.h"
#include "core/files/PatternFile.h"
#include "core/files/PatternOptions.h"
#include "core/pattern/LineEnds.h"
#include "core/pattern/ShapeOutline.h"
#include "core/services/Messages.h"

namespace tessary {

namespace {

constexpr float kDefaultPenInches = 1.0f / 64;
// An oval has no entity of its own in an R12 drawing: a polyline of this
// many segments, finer than any pen draws.
constexpr int kOvalSegments = 144;

double PerTwip(LengthUnit unit) { return unit == LengthUnit::Inch ? 1.0 / 1440 : 25.4 / 1440; }

// Seven significant digits, as many as a single-precision twip holds, so
// its rounding noise stays out of the file; exponents where they are due,
// which SVG and DXF readers both take.
std::string Number(double value) {
    if (value == 0) value = 0;  // no "-0"
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 7).ptr;
    return std::string(text, end);
}

bool Finite(std::initializer_list<float> values) {
    for (const float v : values) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

// A box with its size measured the other way (a negative width or height)
// is the same box measured from its other corner.
ShapeElement Normalised(std::int16_t kind, float left, float top, float width, float height) {
    ShapeElement e;
    e.Shape = kind;
    e.Left = width < 0 ? left + width : left;
    e.Top = height < 0 ? top + height : top;
    e.Width = std::fabs(width);
    e.Height = std::fabs(height);
    return e;
}

std::string SvgColour(std::uint32_t colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return text;
}

// A chain as one path, each line one segment; a chain back at its start is closed.
std::string PathData(const ElementSet<LineElement>& lines, const std::vector<std::int16_t>& chain, double k) {
    std::string d;
    const auto add = [&d, k](const char* command, EndPoint p) {
        d.append(command).append(Number(p.x * k)).append(" ").append(Number(p.y * k));
    };
    const std::vector<ChainStep> steps = WalkChain(lines, chain);
    const EndPoint start = steps.front().from;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const ChainStep& s = steps[i];
        if (i == 0) {
            add("M", s.from);
        } else if (!(s.from == steps[i - 1].to)) {
            add(" M", s.from);
        }
        if (i > 0 && i + 1 == steps.size() && s.to == start) {
            d += " Z";
        } else {
            add(" L", s.to);
        }
    }
    return d;
}

class DxfWriter {
public:
    DxfWriter(double k, double height) : k_(k), height_(height) {}

    void Group(int code, const std::string& value) {
        char text[8];
        std::snprintf(text, sizeof text, "%3d\n", code);
        out_ += text;
        out_ += value;
        out_ += '\n';
    }
    void Length(int code, double twips) { Group(code, Number(twips * k_)); }
    // Pattern y runs down from the top edge, a drawing's up from the bottom.
    void Point(int code, double x, double y) {
        Length(code, x);
        Group(code + 10, Number((height_ - y) * k_));
        Group(code + 20, "0");
    }
    void Entity(const char* name) {
        Group(0, name);
        Group(8, "0");
    }
    struct Vertex {
        double x, y, bulge;
    };
    void ClosedPolyline(const std::vector<Vertex>& vertices) {
        Entity("POLYLINE");
        Group(66, "1");
        Point(10, 0, height_);
        Group(70, "1");
        for (const Vertex& v : vertices) {
            Entity("VERTEX");
            Point(10, v.x, v.y);
            if (v.bulge != 0) Group(42, Number(v.bulge));
        }
        Entity("SEQEND");
    }
    std::string Text() && { return std::move(out_); }

private:
    std::string out_;
    double k_;
    double height_;
};

void DxfShape(DxfWriter& dxf, const ShapeOutline& o) {
    // In double: the far edges of a box near the largest single are still numbers.
    const double x0 = o.left, x1 = x0 + o.width, y0 = o.top, y1 = y0 + o.height;
    switch (o.form) {
        case OutlineForm::Box: dxf.ClosedPolyline({{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}}); break;
        case OutlineForm::RoundedBox: {
            // Corners as quarter arcs: a bulge is the tangent of a quarter of
            // the arc's angle, its sign the turn as the drawing sees it (y up).
            const double r = CornerRadius(o);
            const double quarter = -std::tan(std::numbers::pi / 8);
            dxf.ClosedPolyline({{x0 + r, y0, 0},
                                {x1 - r, y0, quarter},
                                {x1, y0 + r, 0},
                                {x1, y1 - r, quarter},
                                {x1 - r, y1, 0},
                                {x0 + r, y1, quarter},
                                {x0, y1 - r, 0},
                                {x0, y0 + r, quarter}});
            break;
        }
        case OutlineForm::Ellipse: {
            const double cx = x0 + o.width / 2, cy = y0 + o.height / 2;
            if (o.width == o.height) {
                dxf.Entity("CIRCLE");
                dxf.Point(10, cx, cy);
                dxf.Length(40, o.width / 2);
                break;
            }
            std::vector<DxfWriter::Vertex> points;
            for (int i = 0; i < kOvalSegments; ++i) {
                const double a = 2 * std::numbers::pi * i / kOvalSegments;
                points.push_back({cx + o.width / 2 * std::cos(a), cy + o.height / 2 * std::sin(a), 0});
            }
            dxf.ClosedPolyline(points);
            break;
        }
    }
}

}  // namespace

LengthUnit PageUnit(const PatternOptions& options) {
    return options.MetricPage ? LengthUnit::Millimetre : LengthUnit::Inch;
}

TrueSizePattern TrueSize(const PatternSnapshot& s) {
    TrueSizePattern p;
    p.width = s.options.WidthTwips;
    p.height = s.options.HeightTwips;
    const float pen = s.options.PenSizeInches();
    p.penInches = std::isfinite(pen) && pen > 0 ? pen : kDefaultPenInches;
    // As printed: black unless a colour is asked for.
    p.colour = s.options.BandW ? 0 : static_cast<std::uint32_t>(s.options.PenColor) & 0xFFFFFF;
    for (const ReferenceLine& e : s.lines) {
        if (!e.Visible) continue;
        const float x1 = e.X1 * s.scale, y1 = e.Y1 * s.scale, x2 = e.X2 * s.scale, y2 = e.Y2 * s.scale;
        if (!Finite({x1, y1, x2, y2})) {
            ++p.leftOut;
            continue;
        }
        const std::int16_t i = p.lines.Create();
        if (i < 0) break;
        p.lines.Edit(i) = LineElement{x1, y1, x2, y2, {}};
        p.lines.SetVisible(i, true);
    }
    for (const ReferenceShape& e : s.shapes) {
        if (!e.Visible) continue;
        const float left = e.Left * s.scale, top = e.Top * s.scale;
        const float width = e.Width * s.scale, height = e.Height * s.scale;
        if (!Finite({left, top, width, height})) {
            ++p.leftOut;
            continue;
        }
        const ShapeElement box = Normalised(e.Kind, left, top, width, height);
        if (!Finite({box.Left, box.Top})) {
            ++p.leftOut;
            continue;
        }
        p.shapes.push_back(box);
    }
    return p;
}

bool HasPageSize(const TrueSizePattern& p) {
    return std::isfinite(p.width) && std::isfinite(p.height) && p.width > 0 && p.height > 0;
}

std::string SvgText(const TrueSizePattern& p, LengthUnit unit) {
    const double k = PerTwip(unit);
    const std::string u = unit == LengthUnit::Inch ? "in" : "mm";
    // In double: the far edges of a box near the largest single are still numbers.
    const auto n = [k](double twips) { return Number(twips * k); };
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + n(p.width) + u + "\" height=\"" +
           n(p.height) + u + "\" viewBox=\"0 0 " + n(p.width) + " " + n(p.height) + "\">\n";
    out += "<g fill=\"none\" stroke=\"" + SvgColour(p.colour) + "\" stroke-width=\"" + Number(static_cast<double>(p.penInches) * 1440 * k) +
           "\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
    for (const ShapeElement& e : p.shapes) {
        const ShapeOutline o = OutlineOf(e);
        const std::string box = "x=\"" + n(o.left) + "\" y=\"" + n(o.top) + "\" width=\"" + n(o.width) +
                                "\" height=\"" + n(o.height) + "\"";
        switch (o.form) {
            case OutlineForm::Box: out += "<rect " + box + "/>\n"; break;
            case OutlineForm::RoundedBox: {
                const std::string r = n(CornerRadius(o));
                out += "<rect " + box + " rx=\"" + r + "\" ry=\"" + r + "\"/>\n";
                break;
            }
            case OutlineForm::Ellipse: {
                const std::string centre = "cx=\"" + n(static_cast<double>(o.left) + o.width / 2) + "\" cy=\"" +
                                           n(static_cast<double>(o.top) + o.height / 2) + "\"";
                if (o.width == o.height) {
                    out += "<circle " + centre + " r=\"" + n(o.width / 2) + "\"/>\n";
                } else {
                    out += "<ellipse " + centre + " rx=\"" + n(o.width / 2) + "\" ry=\"" + n(o.height / 2) + "\"/>\n";
                }
                break;
            }
        }
    }
    for (const std::vector<std::int16_t>& chain : FindChains(p.lines)) {
        out += "<path d=\"" + PathData(p.lines, chain, k) + "\"/>\n";
    }
    out += "</g>\n</svg>\n";
    return out;
}

std::string DxfText(const TrueSizePattern& p, LengthUnit unit) {
    DxfWriter dxf(PerTwip(unit), p.height);
    dxf.Group(0, "SECTION");
    dxf.Group(2, "HEADER");
    dxf.Group(9, "$ACADVER");
    dxf.Group(1, "AC1009");
    dxf.Group(9, "$INSUNITS");
    dxf.Group(70, unit == LengthUnit::Inch ? "1" : "4");
    dxf.Group(9, "$MEASUREMENT");
    dxf.Group(70, unit == LengthUnit::Inch ? "0" : "1");
    dxf.Group(9, "$EXTMIN");
    dxf.Point(10, 0, p.height);
    dxf.Group(9, "$EXTMAX");
    dxf.Point(10, p.width, 0);
    dxf.Group(0, "ENDSEC");
    dxf.Group(0, "SECTION");
    dxf.Group(2, "ENTITIES");
    for (const ShapeElement& e : p.shapes) DxfShape(dxf, OutlineOf(e));
    for (std::int16_t i = 0; i < p.lines.Count(); ++i) {
        if (!p.lines.Visible(i)) continue;
        const LineElement& e = p.lines[i];
        dxf.Entity("LINE");
        dxf.Point(10, e.X1, e.Y1);
        dxf.Point(11, e.X2, e.Y2);
    }
    dxf.Group(0, "ENDSEC");
    dxf.Group(0, "EOF");
    return std::move(dxf).Text();
}

bool ExportVector(VectorFormat format, const PatternSnapshot& snapshot, LengthUnit unit, const std::string& path,
                  const std::string& patternPath, Messages& messages) {
    if (!MayWriteOutput(path, patternPath, messages)) return false;
    const TrueSizePattern pattern = TrueSize(snapshot);
    if (!HasPageSize(pattern)) {
        messages.MsgExportNotSaved(path, "the pattern has no width and height to export; set them in Pattern Setup");
        return false;
    }
    const std::string text = format == VectorFormat::Svg ? SvgText(pattern, unit) : DxfText(pattern, unit);
    const std::string problem = ReplaceFileContent(path, text, FileReplacement::NewFile::AsUmask);
    if (!problem.empty()) {
        messages.MsgExportNotSaved(path, problem);
        return false;
    }
    if (pattern.leftOut > 0) messages.MsgExportLeftOut(path, pattern.leftOut);
    return true;
}

}  // namespace tessary
