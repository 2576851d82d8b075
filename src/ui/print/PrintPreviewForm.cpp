#include "ui/print/PrintPreviewForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/print/QtPrintDevice.h"

namespace tessary {

PrintPreviewForm::PrintPreviewForm(const QPrinter& setup, std::int16_t orientation,
                                   std::function<void(QPrinter&)> draw, QWidget* parent)
    : QDialog(parent), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("PrintPreviewForm"));
    setWindowTitle(QStringLiteral("Print Preview"));
    QtPrintDevice::CopySetup(setup, *printer_);
    printer_->setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);

    pages_ = new QPrintPreviewWidget(printer_.get());
    pages_->setObjectName(QStringLiteral("PreviewPages"));
    pages_->setViewMode(QPrintPreviewWidget::AllPagesView);
    pages_->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(pages_, &QPrintPreviewWidget::paintRequested, this, [draw](QPrinter* printer) { draw(*printer); });
    count_ = new QLabel;
    count_->setObjectName(QStringLiteral("PreviewPageCount"));
    connect(pages_, &QPrintPreviewWidget::previewChanged, this, [this] {
        const int pages = pages_->pageCount();
        count_->setText(QString::number(pages) + (pages == 1 ? QStringLiteral(" page") : QStringLiteral(" pages")));
    });

    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, const char*> zooms[] = {
        {"cmdZoomIn", "Zoom &In"}, {"cmdZoomOut", "Zoom &Out"}, {"cmdFitWidth", "Fit &Width"}, {"cmdFitPage", "Whole &Page"}};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(zooms[i].second));
        button->setObjectName(QString::fromLatin1(zooms[i].first));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, pages_, [this, i] {
            switch (i) {
                case 0: pages_->zoomIn(); break;
                case 1: pages_->zoomOut(); break;
                case 2: pages_->fitToWidth(); break;
                default: pages_->fitInView(); break;
            }
        });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(count_);
    auto* close = new QPushButton(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(pages_, 1);
    resize(900, 700);
}

PrintPreviewForm::~PrintPreviewForm() = default;

}  // namespace tessary
