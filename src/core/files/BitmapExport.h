#pragma once

#include <string>

namespace tessary {

class Messages;
class PatternStore;
class Progress;
class RasterSurface;
struct PatternOptions;

// Wider or higher than this is no bitmap anyone could open, whatever memory
// there is.
inline constexpr int kMaxBitmapSide = 100000;

// The resolutions a PNG export may have, in dots per inch.
inline constexpr int kDefaultPngDpi = 300;
inline constexpr int kMaxPngDpi = 4800;

// A bitmap side from a setting: the nearest whole number of pixels, halves
// to even; 0 when that is no side a bitmap can have.
int BitmapPixels(float value);
// A pen width from a setting: the nearest whole number of pixels, halves to
// even, at least 1.
int PenPixels(float value);

// The pattern drawn off screen without its picture, black on white: the
// bitmap file and the print's bitmap mode.
class BitmapExport {
public:
    BitmapExport(const PatternStore& store, Progress& progress, RasterSurface& surface)
        : store_(store), progress_(progress), surface_(surface) {}

    // Draws the pattern layer, layerWidth by layerHeight twips, onto a fresh
    // surface of width by height pixels scaled to fill it. False when the
    // surface cannot be had at that size.
    bool ComposeBitmap(float layerWidth, float layerHeight, int width, int height, int pen, bool mirror);
    // The bitmap file at the size and pen of the options, written to path
    // (the user has chosen it) beside it and moved there when whole. False,
    // after saying why, when the bitmap cannot be made or written, or path
    // is the pattern file itself; a file already at path is then untouched.
    bool ExportBitmap(const PatternOptions& options, float layerWidth, float layerHeight, const std::string& path,
                      const std::string& patternPath, Messages& messages);
    void ReleaseExportSurface();

    const RasterSurface& Surface() const { return surface_; }

private:
    bool SaveWhole(const std::string& path);

    const PatternStore& store_;
    Progress& progress_;
    RasterSurface& surface_;
};

}  // namespace tessary
