#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessary {

class RasterSurface;

// A pen on the paper, in twips: a width (0 the thinnest the device draws)
// and, for a dashed line, the lengths of its dashes and gaps.
struct PrintPen {
    float width = 0;
    float dashOn = 0;  // 0: a solid line
    float dashOff = 0;
    bool operator==(const PrintPen&) const = default;
};

// A rectangle on the paper, in twips.
struct PaperRect {
    float left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PaperRect&) const = default;
};

// What is repeated faintly (a neighbour's pattern in a glue margin) is
// drawn in this light grey.
inline constexpr std::uint32_t kFaintColour = 0xA0A0A0;

// Lines on the paper to be stroked as one path, in twips: runs of joined
// points, each begun by a move. A line that starts where the one before it
// ended continues its run.
class PaperPath {
public:
    struct Point {
        float x, y;
        bool move;  // begins a run
    };
    // Joined to the run before where it starts at that run's end.
    void AddLine(float x1, float y1, float x2, float y2) {
        if (points_.empty() || points_.back().x != x1 || points_.back().y != y1) points_.push_back({x1, y1, true});
        points_.push_back({x2, y2, false});
    }
    // A run of its own: a dash pattern starts afresh at its start.
    void AddRun(float x1, float y1, float x2, float y2) {
        points_.push_back({x1, y1, true});
        points_.push_back({x2, y2, false});
    }
    const std::vector<Point>& Points() const { return points_; }
    bool Empty() const { return points_.empty(); }
    void Clear() { points_.clear(); }

private:
    std::vector<Point> points_;
};

// A printer (or a PDF file) as the print routines use it. Every length is in
// twips, 1440 per inch, measured on the paper from the top left corner of
// the printable area. Drawing on a document that could not start is
// skipped; the failure is reported by BeginDocument or EndDocument.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;

    virtual std::string DeviceName() const = 0;
    // A PDF file rather than a printer; its file name may still be empty.
    virtual bool PrintsToFile() const = 0;
    virtual std::string OutputFile() const = 0;
    // The file this device's next document goes to.
    virtual void SetOutputFile(const std::string& path) = 0;
    // 1 portrait, 2 landscape; the printable size follows it.
    virtual void SetOrientation(std::int16_t orientation) = 0;
    virtual float PrintableWidth() const = 0;
    virtual float PrintableHeight() const = 0;
    // The size of one device pixel.
    virtual float PixelWidth() const = 0;
    virtual float PixelHeight() const = 0;

    virtual void SetCopies(std::int16_t copies) = 0;
    virtual void SetColourMode(bool colour) = 0;
    // Blackness draws everything black; otherwise the given colour is used.
    virtual void SetBlackness(bool blackness) = 0;
    virtual void SetPen(const PrintPen& pen) = 0;
    virtual PrintPen Pen() const = 0;
    // Whether drawing can be limited to a rectangle; a device that cannot is
    // sent only what lies inside.
    virtual bool CanClip() const = 0;
    // Pages shown on a screen rather than printed: shrunk to the view, a
    // picture of thin lines there loses most of them.
    virtual bool ShowsOnScreen() const { return false; }
    // Later drawing shows only inside the rectangle; none: the whole sheet.
    virtual void SetClip(const PaperRect* rect) = 0;

    // Colours are colour values, red in the low byte.
    virtual void DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) = 0;
    virtual void DrawPath(const PaperPath& path, std::uint32_t colour) = 0;
    virtual void DrawCircle(float cx, float cy, float radius, std::uint32_t colour) = 0;
    // An ellipse with the given radii along x and y.
    virtual void DrawEllipse(float cx, float cy, float rx, float ry, std::uint32_t colour) = 0;
    // A box whose corners are quarter circles of the given radius.
    virtual void DrawRoundedBox(float left, float top, float width, float height, float radius,
                                std::uint32_t colour) = 0;
    // Text in a plain face, its letters height twips high, starting at
    // left on the baseline.
    virtual void DrawText(float left, float baseline, const std::string& text, float height,
                          std::uint32_t colour) = 0;
    virtual float TextWidth(const std::string& text, float height) const = 0;
    // Paper white over what is drawn there, whatever the colour mode.
    virtual void Blank(const PaperRect& rect) = 0;
    // Copies the part of the picture at (left, top) of the given size, in
    // the picture's pixels, onto the paper rectangle at (paperLeft,
    // paperTop) of the given size, scaled to fill it. A faint copy lets the
    // paper through, so that black shows as kFaintColour.
    virtual void DrawPicture(const RasterSurface& picture, float left, float top, float width, float height,
                             float paperLeft, float paperTop, float paperWidth, float paperHeight, bool faint) = 0;
    // After orientation and copies are set, before the first drawing.
    virtual bool BeginDocument() = 0;
    virtual void NewPage() = 0;
    // False when the document did not reach the printer or its file whole;
    // a file is then left as it was before.
    virtual bool EndDocument() = 0;
    // Why BeginDocument or EndDocument failed, as a plain sentence.
    virtual std::string Failure() const = 0;
};

}  // namespace tessary
