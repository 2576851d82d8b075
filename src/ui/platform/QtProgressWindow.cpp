#include "ui/platform/QtProgressWindow.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/services/AppTitle.h"

namespace tessary {

namespace {
constexpr qint64 kFrameMilliseconds = 33;
constexpr qint64 kShowAfterMilliseconds = 300;
}  // namespace

ProgressForm::ProgressForm(QWidget* owner) : QDialog(owner, Qt::Tool | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("ProgressForm"));
    setWindowTitle(QString::fromLatin1(kAppTitle));
    auto* layout = new QVBoxLayout(this);
    HeaderText = new QLabel(this);
    HeaderText->setObjectName(QStringLiteral("HeaderText"));
    Bar = new QProgressBar(this);
    Bar->setObjectName(QStringLiteral("Bar"));
    Bar->setTextVisible(false);
    Bar->setMinimumWidth(320);
    CommandCancel = new QPushButton(tr("Cancel"), this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));
    layout->addWidget(HeaderText);
    layout->addWidget(Bar);
    layout->addWidget(CommandCancel, 0, Qt::AlignHCenter);
    connect(CommandCancel, &QPushButton::clicked, this, [this] {
        CommandCancel->setEnabled(false);
        cancelled_ = true;
    });
}

void ProgressForm::EnableCancel(bool on) {
    CommandCancel->setVisible(on);
    CommandCancel->setEnabled(on);
    cancelled_ = false;
    adjustSize();
}

void QtProgressWindow::Open(const std::string& header, int minimum, int maximum, bool allowCancel) {
    if (!form_) {
        form_ = new ProgressForm(owner_);
        opened_.start();
    }
    form_->EnableCancel(allowCancel);
    form_->HeaderText->setText(QString::fromStdString(header));
    form_->Bar->setRange(minimum, maximum);
    form_->Bar->setValue(minimum);
    value_ = minimum;
    sinceShown_.start();
    PumpEvents();
}

void QtProgressWindow::SetValue(int value) { value_ = value; }

void QtProgressWindow::PumpEvents() {
    if (!form_) return;
    // A pass that ends within a moment shows no window at all.
    if (!form_->isVisible()) {
        if (opened_.elapsed() < kShowAfterMilliseconds) return;
        if (owner_) {
            const QRect frame = owner_->frameGeometry();
            form_->move(frame.left() + (frame.width() - form_->width()) / 2,
                        frame.top() + (frame.height() - form_->height()) / 2);
        }
        form_->show();
    } else if (sinceShown_.elapsed() < kFrameMilliseconds) {
        return;
    }
    form_->Bar->setValue(value_);
    QApplication::processEvents();
    sinceShown_.restart();
}

void QtProgressWindow::Close() {
    if (!form_) return;
    form_->hide();
    form_->deleteLater();
    form_ = nullptr;
}

}  // namespace tessary
