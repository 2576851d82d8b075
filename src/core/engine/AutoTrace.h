#pragma once

#include <optional>

#include "core/platform/RgbImage.h"
#include "core/trace/Trace.h"

namespace tessary {

class SettingsStore;
class Workspace;

// The name of the step Auto Trace adds to the history.
inline constexpr const char* kAutoTraceStep = "Auto Trace";

// The smallest piece kept unless the user says otherwise: small enough for
// detail, large enough to cut in glass.
inline constexpr float kDefaultSmallestPieceSquareInches = 0.1f;
inline constexpr float kSquareCentimetresPerSquareInch = 2.54f * 2.54f;

// What the user chooses for an automatic trace, in the pattern's terms.
struct AutoTraceOptions {
    TraceMode mode = TraceMode::Regions;
    int colours = 16;
    // The smallest piece kept, in the pattern's square units (square inches,
    // or square centimetres when its page is metric).
    float minPieceArea = kDefaultSmallestPieceSquareInches;
    int detail = 50;
    // Picture pixels; the whole picture when empty.
    std::optional<TraceArea> area;
};

// The choices the dialog last closed with (settings section "AutoTrace"),
// for a pattern in inches or metric; the defaults where none or no sensible
// ones are stored. The area is never kept: a picture is traced whole first.
AutoTraceOptions StoredAutoTraceOptions(const SettingsStore& settings, bool metric);
void StoreAutoTraceOptions(SettingsStore& settings, const AutoTraceOptions& options, bool metric);

// Whether the pattern has room for the smallest trace: one closed piece.
bool RoomToTrace(const Workspace& ws);

struct AutoTraceCounts {
    int lines = 0;   // lines added to the pattern
    int pieces = 0;  // pieces they enclose (Regions)
};

// The options made into the tracer's terms for this picture (the pixels of
// layer 1) as it lies under the pattern now: the smallest piece in picture
// pixels², the segment length from Display Setup's trace segment, and at
// most as many segments as the pattern has room for. For the preview and
// for AddAutoTrace alike: a dialog shows
// TracePreview(picture, PictureTraceSettings(ws, picture, options)) over
// the picture (its chains are in the picture's pixels) and calls
// AddAutoTrace on OK.
TraceSettings PictureTraceSettings(const Workspace& ws, const RgbImage& picture, const AutoTraceOptions& options);

// Traces the picture (the pixels of layer 1) and adds the result to the
// pattern as ordinary lines where the picture lies under it, as one step of
// the history (kAutoTraceStep) that Undo takes back whole. The result is
// simplified until it fits in the lines the pattern has room for, so it is
// never added in part. Nothing is added for an empty picture.
AutoTraceCounts AddAutoTrace(Workspace& ws, const RgbImage& picture, const AutoTraceOptions& options);

}  // namespace tessary
