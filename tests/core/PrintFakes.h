#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "core/platform/PrintDevice.h"
#include "core/platform/RasterSurface.h"

namespace tessary::test {

// A printer that keeps everything sent to it; pages are counted by the
// new-page calls made before a drawing.
class RecordingPrinter : public PrintDevice {
public:
    struct Line {
        float x1, y1, x2, y2;
        std::uint32_t ink;  // black under blackness, else the colour given
        int page;
        bool dotted;
        int width;
    };
    struct Circle {
        float cx, cy, r;
        std::uint32_t ink;
        int page;
    };
    struct Picture {
        float left, top, width, height, paperLeft, paperTop, paperWidth, paperHeight;
        int pictureWidth, pictureHeight;
        int page;
    };

    // The printable area in portrait; landscape turns it.
    RecordingPrinter(float portraitWidth, float portraitHeight, float pixel)
        : width_(portraitWidth), height_(portraitHeight), pixel_(pixel) {}

    std::string DeviceName() const override { return "Recorder"; }
    void SetOrientation(std::int16_t o) override { orientation = o; }
    float PrintableWidth() const override { return orientation == 2 ? height_ : width_; }
    float PrintableHeight() const override { return orientation == 2 ? width_ : height_; }
    float PixelWidth() const override { return pixel_; }
    float PixelHeight() const override { return pixel_; }
    void SetCopies(std::int16_t c) override { copies = c; }
    void SetColourMode(bool c) override { colourMode = c; }
    void SetBlackness(bool b) override { blackness = b; }
    void SetPen(bool d, int w) override {
        dotted = d;
        penWidth = w;
    }
    bool PenDotted() const override { return dotted; }
    int PenWidth() const override { return penWidth; }
    void DrawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) override {
        lines.push_back({x1, y1, x2, y2, Ink(colour), newPages, dotted, penWidth});
    }
    void DrawCircle(float cx, float cy, float r, std::uint32_t colour) override {
        circles.push_back({cx, cy, r, Ink(colour), newPages});
    }
    void DrawPicture(const RasterSurface& p, float l, float t, float w, float h, float pl, float pt, float pw,
                     float ph) override {
        pictures.push_back({l, t, w, h, pl, pt, pw, ph, p.Width(), p.Height(), newPages});
    }
    void NewPage() override { ++newPages; }
    void EndDocument() override { ++documentsEnded; }

    // The lines of one page, cut lines left out.
    std::vector<Line> PatternLines(int page) const {
        std::vector<Line> out;
        for (const Line& l : lines) {
            if (l.page == page && !l.dotted) out.push_back(l);
        }
        return out;
    }
    int Calls() const { return static_cast<int>(lines.size() + circles.size() + pictures.size()) + newPages; }

    std::int16_t orientation = 1;
    std::int16_t copies = 0;
    bool colourMode = false;
    bool blackness = false;
    bool dotted = false;
    int penWidth = 0;
    int newPages = 0;
    int documentsEnded = 0;
    std::vector<Line> lines;
    std::vector<Circle> circles;
    std::vector<Picture> pictures;

private:
    std::uint32_t Ink(std::uint32_t colour) const { return blackness ? 0 : colour; }
    float width_, height_, pixel_;
};

// An off-screen picture that keeps what is drawn on it. A failing save
// still leaves half a file behind, as a full disk would.
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
        lines.clear();
        circles.clear();
        return true;
    }
    int Width() const override { return width; }
    int Height() const override { return height; }
    void SetPenWidth(int pixels) override { pen = pixels; }
    void DrawLine(float x1, float y1, float x2, float y2) override { lines.push_back({x1, y1, x2, y2}); }
    void DrawCircle(float cx, float cy, float r) override { circles.push_back({cx, cy, r}); }
    bool SaveBmp(const std::string& path) override {
        std::ofstream(path, std::ios::binary) << (failSave ? "BM" : "BM whole bitmap");
        return !failSave;
    }
    void Release() override {
        ++releases;
        width = height = 0;
    }

    bool failCreate = false;
    bool failSave = false;
    int creates = 0;
    int releases = 0;
    int width = 0, height = 0, pen = 0;
    std::vector<Line> lines;
    std::vector<Circle> circles;
};

}  // namespace tessary::test
