#pragma once

#include <QDialog>
#include <QImage>

#include "core/engine/AutoTrace.h"

class QButtonGroup;
class QDoubleSpinBox;
class QLabel;
class QSlider;
class QSpinBox;
class QTimer;

namespace tessary {

class TracePreviewView;
class Workspace;

// Edit > Auto Trace...: the choices of an automatic trace, with a live
// preview over the picture on which a rectangle may be dragged to trace only
// that part. OK leaves the choices in Options(); the caller adds the trace.
class AutoTraceForm : public QDialog {
    Q_OBJECT
public:
    AutoTraceForm(Workspace& ws, RgbImage picture, QWidget* parent = nullptr);
    ~AutoTraceForm() override;

    const AutoTraceOptions& Options() const { return options_; }
    const RgbImage& Picture() const { return picture_; }
    // What the preview shows now.
    const TraceResult& Preview() const { return preview_; }
    // The preview made at once, rather than when the controls rest.
    void UpdatePreview();

private:
    void ControlsChanged();

    Workspace& ws_;
    RgbImage picture_;
    AutoTraceOptions options_;
    TraceResult preview_;
    TracePreviewView* view_ = nullptr;
    QButtonGroup* mode_ = nullptr;
    QSpinBox* colours_ = nullptr;
    QDoubleSpinBox* minPiece_ = nullptr;
    QSlider* detail_ = nullptr;
    QLabel* counts_ = nullptr;
    QTimer* settle_ = nullptr;
};

}  // namespace tessary
