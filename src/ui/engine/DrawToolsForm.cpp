#include "ui/engine/DrawToolsForm.h"

#include <cmath>

#include <QGridLayout>
#include <QGroupBox>
#include <QMouseEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/engine/Workspace.h"
#include "ui/engine/Cursors.h"

namespace tessary {

namespace {

QGroupBox* Frame(const QString& title, QWidget* parent) {
    auto* frame = new QGroupBox(title, parent);
    new QVBoxLayout(frame);
    return frame;
}

QPixmap ShapePointer(std::int16_t mode, std::int16_t direction) {
    return CursorFor(PointerCustom, ShapeCursorId(mode, direction)).pixmap();
}

}  // namespace

DrawToolsForm::DrawToolsForm(Workspace& ws, QWidget* owner) : QWidget(owner), ws_(ws) {
    setObjectName(QStringLiteral("DrawToolsForm"));
    setWindowTitle(QStringLiteral("Drawing Control"));
    auto* layout = new QVBoxLayout(this);
    frames_ = new QStackedWidget(this);
    layout->addWidget(frames_);

    // The frames in the order of their numbers: line, box, circle, arc.
    QGroupBox* line = Frame(QStringLiteral("Line Control"), frames_);
    const QString lineCaptions[] = {QStringLiteral("Trace"), QStringLiteral("Line"), QStringLiteral("Shape Tool"),
                                    QStringLiteral("Erase")};
    auto* boxes = new QWidget(line);
    auto* boxGrid = new QGridLayout(boxes);
    boxGrid->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 4; ++i) {
        auto* box = new QToolButton(boxes);
        box->setObjectName(QStringLiteral("LineToolBox%1").arg(i));
        box->setText(lineCaptions[i]);
        box->setCheckable(true);
        box->setToolButtonStyle(Qt::ToolButtonTextOnly);
        box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(box, &QToolButton::clicked, this, [this, i] {
            ws_.modes.ClickLineToolBox(static_cast<std::int16_t>(i));
            emit engineChanged();
        });
        boxGrid->addWidget(box, i / 2, i % 2);
        lineBoxes_[i] = box;
    }
    line->layout()->addWidget(boxes);
    auto* endSeries = new QPushButton(QStringLiteral("End Line Series"), line);
    endSeries->setObjectName(QStringLiteral("NewLineCommand"));
    connect(endSeries, &QPushButton::clicked, this, [this] {
        ws_.modes.ClickEndLineSeries();
        emit engineChanged();
    });
    line->layout()->addWidget(endSeries);

    // The shape tool's modes, its pointer and the direction it points in.
    shapeToolbar_ = new QWidget(line);
    shapeToolbar_->setObjectName(QStringLiteral("ShapeToolbar"));
    auto* shapeRow = new QHBoxLayout(shapeToolbar_);
    shapeRow->setContentsMargins(0, 0, 0, 0);
    const QString modeNames[] = {QStringLiteral("Sharp"), QStringLiteral("Smooth"), QStringLiteral("Push")};
    for (int m = 0; m < 3; ++m) {
        auto* button = new QToolButton(shapeToolbar_);
        button->setObjectName(QStringLiteral("ShapeToolbarButton%1").arg(m + 1));
        button->setIcon(QIcon(ShapePointer(static_cast<std::int16_t>(m), 1)));
        button->setIconSize(QSize(32, 32));
        button->setToolTip(modeNames[m]);
        button->setCheckable(true);
        connect(button, &QToolButton::clicked, this, [this, m] {
            ws_.modes.ClickShapeButton(static_cast<std::int16_t>(m + 1));
            emit engineChanged();
        });
        shapeRow->addWidget(button);
        shapeButtons_[m] = button;
    }
    shapeRow->addStretch();
    shapeToolbar_->installEventFilter(this);
    line->layout()->addWidget(shapeToolbar_);

    auto* pointerRow = new QWidget(line);
    auto* pointerLayout = new QHBoxLayout(pointerRow);
    pointerLayout->setContentsMargins(0, 0, 0, 0);
    exampleTool_ = new QLabel(pointerRow);
    exampleTool_->setObjectName(QStringLiteral("ExampleTool"));
    exampleTool_->setFixedSize(40, 40);
    exampleTool_->setAlignment(Qt::AlignCenter);
    exampleTool_->setFrameShape(QFrame::StyledPanel);
    exampleTool_->installEventFilter(this);
    pointerLayout->addWidget(exampleTool_);
    // Eight option buttons round a ring, the first at the top, clockwise.
    // They only show the direction: a right press on the pattern turns it.
    auto* ring = new QWidget(pointerRow);
    ring->setObjectName(QStringLiteral("ToolDirectionBox"));
    ring->setFixedSize(72, 72);
    for (int d = 0; d < 8; ++d) {
        auto* option = new QRadioButton(ring);
        option->setObjectName(QStringLiteral("ToolDirection%1").arg(d));
        option->setAttribute(Qt::WA_TransparentForMouseEvents);
        option->setFocusPolicy(Qt::NoFocus);
        option->adjustSize();
        const double angle = d * 3.14159265358979 / 4;
        const QPoint centre(36 + qRound(26 * std::sin(angle)), 36 - qRound(26 * std::cos(angle)));
        option->move(centre - QPoint(option->width() / 2, option->height() / 2));
        directions_[d] = option;
    }
    pointerLayout->addWidget(ring);
    pointerLayout->addStretch();
    line->layout()->addWidget(pointerRow);
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
            const EditHistory::Step step(ws_.history, "Arc");
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
    for (int i = 0; i < 4; ++i) lineBoxes_[i]->setChecked(p.LineToolChoice == i);
    for (int m = 0; m < 3; ++m) shapeButtons_[m]->setChecked(p.ShapeMode == m);
    exampleTool_->setPixmap(ShapePointer(p.ShapeMode, p.ToolDirection));
    for (int d = 0; d < 8; ++d) directions_[d]->setChecked(p.ToolDirection == d + 1);
    for (int i = 0; i < 2; ++i) {
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

bool DrawToolsForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        return false;
    }
    if (watched == exampleTool_) {
        ws_.modes.ClickExampleTool();
    } else if (watched == shapeToolbar_) {
        ws_.modes.ClickLineToolBox(ChoiceShapeTool);
    } else {
        return false;
    }
    emit engineChanged();
    return true;
}

}  // namespace tessary
