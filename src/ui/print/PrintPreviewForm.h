#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class QPrinter;
class QPrintPreviewWidget;

namespace tessary {

// The pages as the printer will get them, scrollable and zoomable. The
// pages are drawn on a printer set up like the given one, in the given
// orientation (1 portrait, 2 landscape), by draw: the print's own
// renderer on a device that shows rather than prints.
class PrintPreviewForm : public QDialog {
    Q_OBJECT

public:
    PrintPreviewForm(const QPrinter& setup, std::int16_t orientation, std::function<void(QPrinter&)> draw,
                     QWidget* parent = nullptr);
    ~PrintPreviewForm() override;

    QPrintPreviewWidget* Pages() const { return pages_; }

private:
    std::unique_ptr<QPrinter> printer_;
    QPrintPreviewWidget* pages_ = nullptr;
    QLabel* count_ = nullptr;
};

}  // namespace tessary
