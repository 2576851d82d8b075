#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <optional>

#include "core/platform/PrintDevice.h"
#include "core/platform/RasterSurface.h"
#include "core/print/PrintAids.h"

namespace tessary::test {

// A printer that keeps everything sent to it; pages are counted by the
// new-page calls made before a drawing.
class RecordingPrinter : public PrintDevice {
public:
    struct Line {
        float x1, y1, x2, y2;
        std::uint32_t ink;  // black under blackness, else the colour given
        int page;
        PrintPen pen;
        std::optional<PaperRect> clip;
        // Drawn with the pen of cut lines, marks and texts.
        bool Aid() const { return pen == kAidPen || pen == kCutLinePen; }
    };
    struct Circle {
        float cx, cy, r;
        std::uint32_t ink;
        int page;
        std::optional<PaperRect> clip;
    };
    // Ellipses and rounded boxes by their bounding box.
    struct Curved {
        bool rounded;
        float left, top, width, height, radius;
        int page;
        std::optional<PaperRect> clip;
    };
    struct Text {
        float left, baseline, height;
        std::string text;
        int page;
    };
    struct Picture {
        float left, top, width, height, paperLeft, paperTop, paperWidth, paperHeight;
        int pictureWidth, pictureHeight;
        int page;
        std::optional<PaperRect> clip;
        bool faint;
    };

    // The printable area in portrait; landscape turns it.
    RecordingPrinter(float portraitWidth, float portraitHeight, float pixel)
        : width_(portraitWidth), height_(portraitHeight), pixel_(pixel) {}

    std::string DeviceName() const override { return "Recorder"; }
    bool PrintsToFile() const override { return toFile; }
    std::string OutputFile() const override { return outputFile; }
    void SetOutputFile(const std::string& path) override { outputFile = path; }
    void SetOrientation(std::int16_t o) override { orientation = o; }
    float PrintableWidth() const override { return orientation == 2 ? height_ : width_; }
    float PrintableHeight() const override { return orientation == 2 ? width_ : height_; }
    float PixelWidth() const override { return pixel_; }
    float PixelHeight() const override { return pixel_; }
    void SetCopies(std::int16_t c) override { copies = c; }
    void SetColourMode(bool c) override { colourMode = c; }
    void SetBlackness(bool b) override { blackness = b; }
    void SetPen(const PrintPen& p) override { pen = p; }
    PrintPen Pen() const override { return pen; }
    bool CanClip() const override { return canClip; }
    bool ShowsOnScreen() const override { return onScreen; }
    void SetClip(const PaperRect* rect) override {
        clip = rect ? std::optional<PaperRect>(*rect) : std::nullopt;
    }
    void DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) override {
        lines.push_back({x1, y1, x2, y2, Ink(colour), newPages, pen, clip});
    }
    // Each line of a path as if drawn alone, with the path's number.
    void DrawPath(const PaperPath& path, std::uint32_t colour) override {
        ++paths;
        const auto& points = path.Points();
        for (std::size_t i = 1; i < points.size(); ++i) {
            if (!points[i].move) DrawLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, colour);
        }
    }
    void DrawCircle(float cx, float cy, float r, std::uint32_t colour) override {
        circles.push_back({cx, cy, r, Ink(colour), newPages, clip});
    }
    void DrawEllipse(float cx, float cy, float rx, float ry, std::uint32_t) override {
        curved.push_back({false, cx - rx, cy - ry, 2 * rx, 2 * ry, 0, newPages, clip});
    }
    void DrawRoundedBox(float left, float top, float width, float height, float radius, std::uint32_t) override {
        curved.push_back({true, left, top, width, height, radius, newPages, clip});
    }
    void DrawText(float left, float baseline, const std::string& text, float height, std::uint32_t) override {
        texts.push_back({left, baseline, height, text, newPages});
    }
    // Letters half as wide as high.
    float TextWidth(const std::string& text, float height) const override {
        return static_cast<float>(text.size()) * height / 2;
    }
    void Blank(const PaperRect& rect) override { blanks.push_back({rect, newPages}); }
    void DrawPicture(const RasterSurface& p, float l, float t, float w, float h, float pl, float pt, float pw,
                     float ph, bool faint) override {
        pictures.push_back({l, t, w, h, pl, pt, pw, ph, p.Width(), p.Height(), newPages, clip, faint});
    }
    bool BeginDocument() override {
        ++documentsBegun;
        copiesAtBegin = copies;
        return !failBegin;
    }
    void NewPage() override { ++newPages; }
    bool EndDocument() override {
        ++documentsEnded;
        return !failEnd;
    }
    std::string Failure() const override { return failBegin || failEnd ? "the recorder jammed" : ""; }

    // The lines of one page, cut lines and marks left out.
    std::vector<Line> PatternLines(int page) const {
        std::vector<Line> out;
        for (const Line& l : lines) {
            if (l.page == page && !l.Aid()) out.push_back(l);
        }
        return out;
    }
    std::vector<Line> CutLines() const {
        std::vector<Line> out;
        for (const Line& l : lines) {
            if (l.pen == kCutLinePen) out.push_back(l);
        }
        return out;
    }
    int Calls() const {
        return static_cast<int>(lines.size() + circles.size() + curved.size() + pictures.size() + texts.size()) +
               newPages;
    }

    std::int16_t orientation = 1;
    std::int16_t copies = 0;
    bool colourMode = false;
    bool blackness = false;
    PrintPen pen;
    bool canClip = true;
    bool onScreen = false;
    std::optional<PaperRect> clip;
    int newPages = 0;
    int paths = 0;
    int documentsBegun = 0;
    std::int16_t copiesAtBegin = 0;
    int documentsEnded = 0;
    bool failBegin = false;
    bool failEnd = false;
    bool toFile = false;
    std::string outputFile;
    std::vector<Line> lines;
    std::vector<Circle> circles;
    std::vector<Curved> curved;
    std::vector<Picture> pictures;
    std::vector<Text> texts;
    struct Blanked {
        PaperRect rect;
        int page;
    };
    std::vector<Blanked> blanks;

private:
    std::uint32_t Ink(std::uint32_t colour) const { return blackness ? 0 : colour; }
    float width_, height_, pixel_;
};

// An off-screen picture that keeps what is drawn on it; its pixels are
// white unless a test paints them.
class RecordingSurface : public RasterSurface {
public:
    struct Line {
        float x1, y1, x2, y2;
    };
    struct Circle {
        float cx, cy, r;
    };

    bool Create(int w, int h) override {
        ++creates;
        if (failCreate) return false;
        width = w;
        height = h;
        pixels.assign(static_cast<std::size_t>(w) * h, 0xFFFFFFFF);
        lines.clear();
        circles.clear();
        return true;
    }
    int Width() const override { return width; }
    int Height() const override { return height; }
    void SetPenWidth(int pixels) override { pen = pixels; }
    void DrawLine(float x1, float y1, float x2, float y2) override { lines.push_back({x1, y1, x2, y2}); }
    void DrawCircle(float cx, float cy, float r) override { circles.push_back({cx, cy, r}); }
    const std::uint32_t* Row(int y) const override { return pixels.data() + static_cast<std::size_t>(y) * width; }
    void Release() override {
        ++releases;
        width = height = 0;
        pixels.clear();
    }

    bool failCreate = false;
    int creates = 0;
    int releases = 0;
    int width = 0, height = 0, pen = 0;
    std::vector<std::uint32_t> pixels;
    std::vector<Line> lines;
    std::vector<Circle> circles;
};

}  // namespace tessary::test
