#include "ui/engine/AutoTraceForm.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/engine/Workspace.h"
#include "ui/platform/QtColour.h"

namespace tessary {

// The picture scaled into the dialog, the preview's chains over it, and the
// area to trace: dragged out with the left button, the whole picture when
// none is.
class TracePreviewView : public QWidget {
public:
    TracePreviewView(const RgbImage& picture, QColor ink, std::function<void(std::optional<TraceArea>)> areaChosen)
        : ink_(ink), areaChosen_(std::move(areaChosen)) {
        setObjectName(QStringLiteral("AutoTracePreview"));
        const QImage image(picture.rgb.data(), picture.width, picture.height, picture.width * 3, QImage::Format_RGB888);
        const QSize room(640, 480);
        shown_ = QPixmap::fromImage(image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        scale_ = picture.width > 0 ? static_cast<double>(shown_.width()) / picture.width : 1;
        pictureSize_ = QSize(picture.width, picture.height);
        setFixedSize(shown_.size());
        setCursor(Qt::CrossCursor);
    }

    void Show(const TraceResult& result, const std::optional<TraceArea>& area) {
        path_ = QPainterPath();
        for (const TraceChain& chain : result.chains) {
            if (chain.empty()) continue;
            path_.moveTo(chain.front().x * scale_, chain.front().y * scale_);
            for (std::size_t i = 1; i < chain.size(); ++i) path_.lineTo(chain[i].x * scale_, chain[i].y * scale_);
        }
        area_ = area;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawPixmap(0, 0, shown_);
        p.fillRect(rect(), QColor(255, 255, 255, 90));  // the lines stand out from the picture
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(ink_, 1.2));
        p.drawPath(path_);
        const std::optional<QRectF> box = dragging_ ? std::optional<QRectF>(QRectF(from_, to_).normalized())
                                          : area_   ? std::optional<QRectF>(QRectF(area_->left * scale_, area_->top * scale_,
                                                                                   area_->width * scale_, area_->height * scale_))
                                                    : std::nullopt;
        if (box) {
            p.setPen(QPen(Qt::black, 1, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(*box);
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        dragging_ = true;
        from_ = to_ = event->position();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!dragging_) return;
        to_ = event->position();
        update();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (!dragging_ || event->button() != Qt::LeftButton) return;
        dragging_ = false;
        to_ = event->position();
        // In whole picture pixels, within the picture. A click is no area:
        // the one there was stays (Whole Picture lets it go).
        const QRectF r = QRectF(from_, to_).normalized();
        const auto pixel = [this](double v, int most) { return std::clamp(static_cast<int>(std::lround(v / scale_)), 0, most); };
        const int left = pixel(r.left(), pictureSize_.width()), right = pixel(r.right(), pictureSize_.width());
        const int top = pixel(r.top(), pictureSize_.height()), bottom = pixel(r.bottom(), pictureSize_.height());
        if (right - left >= 4 && bottom - top >= 4) {
            areaChosen_(TraceArea{left, top, right - left, bottom - top});
        } else {
            update();
        }
    }

private:
    QPixmap shown_;
    QColor ink_;
    double scale_ = 1;
    QSize pictureSize_;
    QPainterPath path_;
    std::optional<TraceArea> area_;
    bool dragging_ = false;
    QPointF from_, to_;
    std::function<void(std::optional<TraceArea>)> areaChosen_;
};

AutoTraceForm::AutoTraceForm(Workspace& ws, RgbImage picture, QWidget* parent)
    : QDialog(parent), ws_(ws), picture_(std::move(picture)) {
    setObjectName(QStringLiteral("AutoTraceForm"));
    setWindowTitle(QStringLiteral("Auto Trace"));
    const bool metric = ws_.session.options.MetricPage;
    options_ = StoredAutoTraceOptions(ws_.session.settings, metric);

    view_ = new TracePreviewView(picture_, ColourOf(ws_.session.display.GetColour(0)),
                                 [this](std::optional<TraceArea> area) {
                                     options_.area = area;
                                     UpdatePreview();
                                 });

    auto* modes = new QGroupBox(QStringLiteral("Trace"));
    auto* modeLayout = new QVBoxLayout(modes);
    mode_ = new QButtonGroup(this);
    const std::pair<const char*, const char*> kinds[] = {
        {"&Regions: pieces that share their borders (stained glass, quilts, mosaics)", "TraceModeRegions"},
        {"&Edges: the centre lines of dark strokes (line drawings, sketches)", "TraceModeEdges"}};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QRadioButton(QString::fromLatin1(kinds[i].first));
        button->setObjectName(QString::fromLatin1(kinds[i].second));
        mode_->addButton(button, i);
        modeLayout->addWidget(button);
    }
    mode_->button(options_.mode == TraceMode::Edges ? 1 : 0)->setChecked(true);

    colours_ = new QSpinBox;
    colours_->setObjectName(QStringLiteral("TraceColours"));
    colours_->setRange(kTraceMinColours, kTraceMaxColours);
    colours_->setValue(options_.colours);
    minPiece_ = new QDoubleSpinBox;
    minPiece_->setObjectName(QStringLiteral("TraceMinPiece"));
    minPiece_->setDecimals(2);
    minPiece_->setRange(0, metric ? 100 : 16);
    minPiece_->setSingleStep(metric ? 0.5 : 0.05);
    minPiece_->setSuffix(metric ? QStringLiteral(" cm²") : QStringLiteral(" sq in"));
    minPiece_->setValue(options_.minPieceArea);
    detail_ = new QSlider(Qt::Horizontal);
    detail_->setObjectName(QStringLiteral("TraceDetail"));
    detail_->setRange(0, 100);
    detail_->setValue(options_.detail);
    detail_->setPageStep(10);
    auto* whole = new QPushButton(QStringLiteral("&Whole Picture"));
    whole->setObjectName(QStringLiteral("TraceWholePicture"));
    connect(whole, &QPushButton::clicked, this, [this] {
        options_.area.reset();
        UpdatePreview();
    });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Co&lours:"), colours_);
    form->addRow(QStringLiteral("Smallest &piece:"), minPiece_);
    auto* detailRow = new QHBoxLayout;
    detailRow->addWidget(new QLabel(QStringLiteral("smooth")));
    detailRow->addWidget(detail_);
    detailRow->addWidget(new QLabel(QStringLiteral("every detail")));
    auto* detailLabel = new QLabel(QStringLiteral("&Detail:"));
    detailLabel->setBuddy(detail_);
    form->addRow(detailLabel, detailRow);
    counts_ = new QLabel;
    counts_->setObjectName(QStringLiteral("TraceCounts"));
    QString hintText = QStringLiteral("Drag a rectangle on the picture to trace only that part.");
    if (const int drawn = ws_.store.OutLine.VisibleCount(); drawn > 0) {
        hintText += QStringLiteral("\nThe trace is added to the %1 lines the pattern has (Undo takes it back).")
                        .arg(QLocale().toString(drawn));
    }
    auto* hint = new QLabel(hintText);
    hint->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("TraceOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("TraceCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(modes);
    side->addLayout(form);
    side->addWidget(hint);
    side->addWidget(whole, 0, Qt::AlignLeft);
    side->addStretch();
    side->addWidget(counts_);
    side->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(view_, 0, Qt::AlignTop);
    layout->addLayout(side);

    // The preview follows the controls once they rest a moment.
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    settle_->setInterval(120);
    connect(settle_, &QTimer::timeout, this, &AutoTraceForm::UpdatePreview);
    connect(mode_, &QButtonGroup::idClicked, this, &AutoTraceForm::ControlsChanged);
    connect(colours_, &QSpinBox::valueChanged, this, &AutoTraceForm::ControlsChanged);
    connect(minPiece_, &QDoubleSpinBox::valueChanged, this, &AutoTraceForm::ControlsChanged);
    connect(detail_, &QSlider::valueChanged, this, &AutoTraceForm::ControlsChanged);
    UpdatePreview();
}

AutoTraceForm::~AutoTraceForm() = default;

void AutoTraceForm::ControlsChanged() {
    options_.mode = mode_->checkedId() == 1 ? TraceMode::Edges : TraceMode::Regions;
    options_.colours = colours_->value();
    options_.minPieceArea = static_cast<float>(minPiece_->value());
    options_.detail = detail_->value();
    const bool regions = options_.mode == TraceMode::Regions;
    colours_->setEnabled(regions);
    minPiece_->setEnabled(regions);
    settle_->start();
}

void AutoTraceForm::UpdatePreview() {
    settle_->stop();
    preview_ = TracePreview(picture_, PictureTraceSettings(ws_, picture_, options_));
    view_->Show(preview_, options_.area);
    const QLocale locale;
    QString text = QStringLiteral("Preview: %1 lines").arg(locale.toString(static_cast<qulonglong>(preview_.Segments())));
    if (options_.mode == TraceMode::Regions) text += QStringLiteral(", %1 pieces").arg(locale.toString(preview_.pieces));
    counts_->setText(text);
}

}  // namespace tessary
