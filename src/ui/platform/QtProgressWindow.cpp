#include "ui/platform/QtProgressWindow.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/shell/AppTitle.h"

namespace tessary {

namespace {
constexpr qint64 kFrameMilliseconds = 33;
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
        form_->setAttribute(Qt::WA_DeleteOnClose);
    }
    form_->EnableCancel(allowCancel);
    form_->HeaderText->setText(QString::fromStdString(header));
    form_->Bar->setRange(minimum, maximum);
    form_->Bar->setValue(minimum);
    value_ = minimum;
    if (!form_->isVisible()) {
        if (owner_) {
            const QRect frame = owner_->frameGeometry();
            form_->move(frame.left() + (frame.width() - form_->width()) / 2,
                        frame.top() + (frame.height() - form_->height()) / 2);
        }
        form_->show();
    }
    sinceShown_.start();
    QApplication::processEvents();
}

void QtProgressWindow::SetValue(int value) { value_ = value; }

void QtProgressWindow::PumpEvents() {
    if (!form_ || sinceShown_.elapsed() < kFrameMilliseconds) return;
    form_->Bar->setValue(value_);
    QApplication::processEvents();
    sinceShown_.restart();
}

void QtProgressWindow::Close() {
    if (form_) form_->close();
}

}  // namespace tessary
