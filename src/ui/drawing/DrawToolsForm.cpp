#include "ui/drawing/DrawToolsForm.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/engine/Workspace.h"

namespace tessary {

namespace {

QGroupBox* Frame(const QString& title, QWidget* parent) {
    auto* frame = new QGroupBox(title, parent);
    new QVBoxLayout(frame);
    return frame;
}

}  // namespace

DrawToolsForm::DrawToolsForm(Workspace& ws, QWidget* owner) : QWidget(owner, Qt::Tool), ws_(ws) {
    setObjectName(QStringLiteral("DrawToolsForm"));
    setWindowTitle(QStringLiteral("Drawing Control"));
    auto* layout = new QVBoxLayout(this);
    frames_ = new QStackedWidget(this);
    layout->addWidget(frames_);

    // The frames in the order of their numbers: line, box, circle, arc.
    QGroupBox* line = Frame(QStringLiteral("Line Control"), frames_);
    const QString lineCaptions[] = {QStringLiteral("Trace"), QStringLiteral("Line")};
    for (int i = 0; i < 2; ++i) {
        auto* box = new QToolButton(line);
        box->setObjectName(QStringLiteral("LineToolBox%1").arg(i));
        box->setText(lineCaptions[i]);
        box->setCheckable(true);
        box->setToolButtonStyle(Qt::ToolButtonTextOnly);
        box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(box, &QToolButton::clicked, this, [this, i] {
            ws_.modes.ClickLineToolBox(static_cast<std::int16_t>(i));
            emit engineChanged();
        });
        line->layout()->addWidget(box);
        lineBoxes_[i] = box;
    }
    auto* endSeries = new QPushButton(QStringLiteral("End Line Series"), line);
    endSeries->setObjectName(QStringLiteral("NewLineCommand"));
    connect(endSeries, &QPushButton::clicked, this, [this] {
        ws_.modes.ClickEndLineSeries();
        emit engineChanged();
    });
    line->layout()->addWidget(endSeries);
    frames_->addWidget(line);

    QGroupBox* box = Frame(QStringLiteral("Box Control"), frames_);
    const QString boxCaptions[] = {QStringLiteral("Rectangle"), QStringLiteral("Square")};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(boxCaptions[i], box);
        option->setObjectName(QStringLiteral("BoxShapeOption%1").arg(i));
        connect(option, &QRadioButton::clicked, this, [this, i] {
            ws_.modes.ClickBoxShapeOption(static_cast<std::int16_t>(i));
            emit engineChanged();
        });
        box->layout()->addWidget(option);
        boxOptions_[i] = option;
    }
    frames_->addWidget(box);

    QGroupBox* circle = Frame(QStringLiteral("Circle Control"), frames_);
    circle->layout()->addWidget(new QLabel(QStringLiteral("Drag from one corner of the circle's box\nto the other."), circle));
    frames_->addWidget(circle);

    QGroupBox* arc = Frame(QStringLiteral("Arc Control"), frames_);
    arc->layout()->addWidget(new QLabel(QStringLiteral("4 Point Arc"), arc));
    auto* points = new QWidget(arc);
    auto* pointRow = new QHBoxLayout(points);
    for (int i = 0; i < 4; ++i) {
        auto* point = new QLabel(QString::number(i + 1), points);
        point->setObjectName(QStringLiteral("ArcPoint%1").arg(i));
        point->setAlignment(Qt::AlignCenter);
        point->setFixedSize(22, 22);
        pointRow->addWidget(point);
        arcPoints_[i] = point;
    }
    arc->layout()->addWidget(points);
    const QString arcCaptions[] = {QStringLiteral("Cancel"), QStringLiteral("Set Arc In Place")};
    for (int i = 0; i < 2; ++i) {
        auto* command = new QPushButton(arcCaptions[i], arc);
        command->setObjectName(QStringLiteral("ArcCommand%1").arg(i));
        connect(command, &QPushButton::clicked, this, [this, i] {
            ws_.modes.ClickArcCommand(static_cast<std::int16_t>(i));
            emit engineChanged();
        });
        arc->layout()->addWidget(command);
        arcCommands_[i] = command;
    }
    frames_->addWidget(arc);
    Refresh();
}

void DrawToolsForm::Refresh() {
    const Palette& p = ws_.palette;
    if (p.Frame >= FrameLine) frames_->setCurrentIndex(p.Frame);
    for (int i = 0; i < 2; ++i) {
        lineBoxes_[i]->setChecked(p.LineToolChoice == i);
        boxOptions_[i]->setChecked(p.BoxChoice == i);
        arcCommands_[i]->setEnabled(p.ArcCommandEnabled[i]);
    }
    // Points already placed blue, the next one red, later ones black.
    const std::int16_t next = ws_.arcTool.Counter();
    for (int i = 0; i < 4; ++i) {
        const char* colour = i < next ? "#0000ff" : (i == next ? "#ff0000" : "#000000");
        arcPoints_[i]->setStyleSheet(QStringLiteral("color: white; background: %1; border-radius: 11px;").arg(colour));
    }
}

void DrawToolsForm::PlacePalette(const QWidget& mainWindow, const QWidget& workWindow) {
    // Against the main window's right side, inset by a twentieth of its
    // width, level with the top of the work window so no toolbar is hidden.
    const QRect frame = mainWindow.frameGeometry();
    adjustSize();
    move(frame.left() + frame.width() - static_cast<int>(0.05 * frame.width()) - width(),
         workWindow.mapToGlobal(QPoint(0, 0)).y());
}

}  // namespace tessary
