#pragma once

#include <optional>

#include "core/pattern/LineEnds.h"
#include "core/pattern/ShapeOutline.h"
#include "core/platform/PrintDevice.h"
#include "core/files/BitmapExport.h"
#include "core/print/PageLayout.h"
#include "core/print/PrintAids.h"
#include "core/print/PrintJob.h"
#include "core/print/SegmentGrid.h"

namespace tessary {

class Messages;
class PatternStore;
class PrintDevice;
class Progress;
class RasterSurface;
struct PatternOptions;
struct ShapeElement;

// Clips a segment to a page region, edges inclusive, moving each end that
// lies off the page onto the edge where the segment crosses it. False when
// no part of the segment is on the page.
bool ClipSegment(float& x1, float& y1, float& x2, float& y2, const PrintRegion& region);

// Prints the displayed pattern at true size: the view must be at normal
// size, where layer coordinates are pattern twips. In bitmap mode the
// pattern is composed on the export surface at the printer's resolution
// (the screen's when the printer gives none), coarser only where the
// picture would not fit in memory. The assembly map shows that picture, or
// in vector mode one of its own at the map's size.
class PrintRenderer {
public:
    PrintRenderer(const PatternStore& store, const PatternOptions& options, Progress& progress, Messages& messages,
                  PrintDevice& printer, RasterSurface& exportSurface, float screenTwipsPerPixel)
        : store_(store),
          options_(options),
          progress_(progress),
          messages_(messages),
          printer_(printer),
          bitmap_(store, progress, exportSurface),
          screenTwipsPerPixel_(screenTwipsPerPixel) {}

    // Before the wizard: colour mode and pen from the pattern options; the
    // job takes its PrintColor.
    void PreparePrinterColor(PrintJob& job);
    void PreparePrinterPen();

    // After the wizard: prints every copy of the job (clamped, its pages
    // placed on the paper) as one document. False, after saying why, when
    // it was not printed whole: no printable page, a bitmap that could not
    // be made, or a printer or file that failed.
    bool PrintPattern(const PrintJob& job);
    // Whether the last print was to carry the test square and no page had
    // room for it.
    bool TestSquareLeftOut() const { return job_.PrintTestSquare && !testSquarePrinted_; }
    // What the last print's paper did to its glue margin, as GlueMarginCut says it.
    std::string GlueMarginCutText() const;

private:
    void PrintCopies(int sets);
    bool ComposePrintBitmap();
    bool ComposePicture(float width, float height);
    void PrintSinglePage();
    void PrintPageGrid(bool allPages, int row, int column, bool bitmap, bool cutLines);
    void PrintBitmapSlice(const PrintRegion& part, const PrintRegion& region, bool faint);
    void PrintOverlap(const PageAddress& page, const PrintRegion& region, bool bitmap);
    float MapScale() const;
    // The map's grid from the region's corner.
    PaperPoint MapReach() const;
    bool ComposeMapPicture();
    void PrintMap();
    PaperRect RegionOnPaper() const;
    float Bleed() const;
    // What a pass over a page may draw: the region, or the glue margins,
    // and the bleed beyond.
    PrintRegion Reach(const PrintRegion& region) const;
    // In a glue margin's pass: whether what spans the box reaches past a cut
    // line into the margins.
    bool ReachesMargins(const PrintRegion& region, float left, float top, float right, float bottom) const;
    PaperRect Printable() const;
    // A page's label and marks; the test square where the pattern leaves
    // room for it, on the first page that has it.
    void DrawPageAids(const PageAddress* page, PaperPoint used);
    void DrawTestSquare(const TestSquare& square);
    // Whether some page has room for the test square beside or below the
    // pattern's box; where none has, a corner of a page the pattern leaves
    // free serves.
    float AdviceWidth() const;
    bool RoomBesideThePattern(const std::vector<PageAddress>& pages, float advice) const;
    std::optional<TestSquare> FreeCorner(const PageAddress* page, float advice) const;
    void DrawText(float left, float baseline, const std::string& text, float height);
    void PrintShapes(float ox, float oy, const PrintRegion* region);
    void PrintLines(float ox, float oy, const PrintRegion* region);
    void PrintBox(const ShapeOutline& outline, float ox, float oy, const PrintRegion* region);
    void PrintCurved(const ShapeOutline& outline, float ox, float oy, const PrintRegion* region);
    void DrawCurved(const ShapeOutline& placed);
    // A segment in pattern coordinates; on a page it is clipped to the
    // region and moved to the region's corner.
    void PrintSegment(float x1, float y1, float x2, float y2, const PrintRegion* region);
    // Adds the line to the path of the lines, shapes and chords being drawn.
    void DrawPrintLine(float x1, float y1, float x2, float y2);
    // Draws what the path holds, in the ink of the moment, and empties it.
    void StrokePath();
    void WalkLines();
    void DrawCutLines();
    // Cut lines, marks and frames gather in one path, drawn by StrokeAids
    // in the aid's pen, in colour value 1.
    void DrawAidLine(float x1, float y1, float x2, float y2);
    void StrokeAids();
    float Mirrored(float x) const;

    const PatternStore& store_;
    const PatternOptions& options_;
    Progress& progress_;
    Messages& messages_;
    PrintDevice& printer_;
    BitmapExport bitmap_;
    float screenTwipsPerPixel_;
    PrintJob job_;
    PaperPath path_;
    PaperPath aids_;
    // The visible lines, chain after chain, walked end to end (none in bitmap mode).
    std::vector<ChainStep> walk_;
    SegmentGrid walkGrid_;
    // The visible shapes' boxes as diagonals, top left to bottom right, while
    // the test square looks for a free corner.
    std::vector<ChainStep> shapeBoxes_;
    SegmentGrid shapeGrid_;
    PrintPen patternPen_;
    // The composed picture's pixel, in pattern twips.
    float pictureTwipsX_ = 0;
    float pictureTwipsY_ = 0;
    bool testSquarePrinted_ = false;
    bool squareInCorner_ = false;
    bool blackness_ = false;
    // What the pattern is drawn in; in the pass of a page's glue margins,
    // the margins on the pattern.
    std::uint32_t ink_ = 0;
    std::optional<PrintRegion> margins_;
    float devicePixel_ = 0;
    // Pattern twips to the paper's: 1 but for the map drawn line by line on a screen.
    float scale_ = 1;
};

}  // namespace tessary
