#include "ui/shell/MouseForm.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace tessary {

MouseForm::MouseForm(QWidget* owner) : QWidget(owner) {
    setObjectName(QStringLiteral("MouseForm"));
    setWindowTitle(QStringLiteral("Mouse Panel"));
    auto* layout = new QHBoxLayout(this);
    left_ = new QLabel(this);
    left_->setObjectName(QStringLiteral("ButtonLabel0"));
    right_ = new QLabel(this);
    right_->setObjectName(QStringLiteral("ButtonLabel1"));
    for (QLabel* label : {left_, right_}) {
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(60);
    }
    layout->addWidget(left_);
    layout->addSpacing(70);
    layout->addWidget(right_);
    setFixedSize(230, 140);
}

void MouseForm::SetMouseHelp(const QString& left, const QString& right) {
    left_->setText(QString(left).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    right_->setText(QString(right).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void MouseForm::paintEvent(QPaintEvent*) {
    // A mouse between the two texts: body and the two buttons.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body(width() / 2.0 - 30, 20, 60, 100);
    p.setPen(QPen(palette().color(QPalette::WindowText), 2));
    p.setBrush(palette().color(QPalette::Base));
    p.drawRoundedRect(body, 28, 28);
    p.drawLine(QPointF(body.center().x(), body.top()), QPointF(body.center().x(), body.top() + 40));
    p.drawLine(QPointF(body.left(), body.top() + 40), QPointF(body.right(), body.top() + 40));
}

}  // namespace tessary
