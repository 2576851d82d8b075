#include "core/engine/DrawContext.h"

#include "core/files/DisplaySetup.h"
#include "core/pattern/PatternStore.h"
#include "core/services/Messages.h"

namespace tessary {

void RubberBands::Clear() {
    EditLineVisible = false;
    EditShapeVisible = false;
    ArcLine.SetVisible(0, false);
    while (ArcLine.Count() > 1) ArcLine.DestroyLast();
}

std::int16_t DrawContext::PenWidth() const { return display.MonitorPen(); }

void DrawContext::NotePatternFull() {
    if (patternFullShown_) return;
    patternFullShown_ = true;
    messages.MsgPatternFull();
}

void DrawContext::DeleteLastDrawn() {
    if (store.LastKind() == LastKindValue::Line) lineState.LastEnd = lineState.Anchor;
    store.DeleteLastDrawn();
}

}  // namespace tessary
