#include "ui/engine/WorkArea.h"

#include <QGridLayout>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "core/engine/Workspace.h"
#include "ui/engine/WorkForm.h"

namespace tessary {

WorkArea::WorkArea(Workspace& ws, WorkForm* work, QWidget* parent)
    : QWidget(parent),
      ws_(ws),
      work_(work),
      horizontal_(new QScrollBar(Qt::Horizontal, this)),
      vertical_(new QScrollBar(Qt::Vertical, this)) {
    horizontal_->setObjectName(QStringLiteral("WorkScrollH"));
    vertical_->setObjectName(QStringLiteral("WorkScrollV"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(work_, 0, 0);
    grid->addWidget(vertical_, 0, 1);
    grid->addWidget(horizontal_, 1, 0);
    horizontal_->hide();
    vertical_->hide();
    connect(horizontal_, &QScrollBar::valueChanged, this, [this](int v) { BarMoved(Qt::Horizontal, v); });
    connect(vertical_, &QScrollBar::valueChanged, this, [this](int v) { BarMoved(Qt::Vertical, v); });
    connect(work_, &WorkForm::viewMoved, this, &WorkArea::SyncBars);
}

void WorkArea::SyncBars() {
    const double t = work_->TwipsPerPixel();
    const bool open = ws_.surface.Enabled;
    const auto sync = [t, open](QScrollBar* bar, const ScrollAxis& axis, int& shown) {
        const QSignalBlocker quiet(bar);
        const auto pixels = [t](float twips) { return static_cast<int>(std::lround(twips / t)); };
        bar->setRange(pixels(axis.minimum), pixels(axis.maximum));
        bar->setPageStep(std::max(1, pixels(axis.page)));
        bar->setSingleStep(std::max(1, pixels(axis.page) / 20));
        bar->setValue(pixels(axis.value));
        bar->setVisible(open && axis.Shown());
        shown = bar->value();
    };
    sync(horizontal_, ws_.zoom.HorizontalScroll(), shownH_);
    sync(vertical_, ws_.zoom.VerticalScroll(), shownV_);
}

void WorkArea::BarMoved(Qt::Orientation orientation, int value) {
    // The bar's value is how far the layer lies before the window: moving it
    // on moves the layer back.
    if (orientation == Qt::Horizontal) {
        work_->Pan(shownH_ - value, 0);
    } else {
        work_->Pan(0, shownV_ - value);
    }
    // While aligning the view stays, and so does the bar.
    SyncBars();
}

}  // namespace tessary
