#include "ui/files/NewOptionsForm.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

#include "core/services/AppTitle.h"

namespace tessary {

namespace {

// Small pictures for the three choices: a photo, a blank page, a cross.
QIcon ChoiceIcon(int choice) {
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    if (choice == NewOptionsForm::TracePicture) {
        p.setBrush(QColor(120, 170, 230));
        p.drawRect(6, 8, 36, 30);
        p.setBrush(QColor(90, 160, 90));
        p.drawPolygon(QPolygon({QPoint(8, 36), QPoint(20, 20), QPoint(30, 30), QPoint(40, 36)}));
    } else if (choice == NewOptionsForm::BlankPage) {
        p.setBrush(Qt::white);
        p.drawRect(10, 4, 28, 40);
    } else {
        p.setPen(QPen(QColor(180, 30, 30), 5));
        p.drawLine(12, 12, 36, 36);
        p.drawLine(36, 12, 12, 36);
    }
    return QIcon(pixmap);
}

}  // namespace

NewOptionsForm::NewOptionsForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("NewOptionsForm"));
    setWindowTitle(QStringLiteral("New Pattern - ") + QString::fromLatin1(kAppTitle));
    auto* layout = new QGridLayout(this);
    const QString captions[] = {QStringLiteral("&Select Picture To Trace"), QStringLiteral("&Blank Page"),
                                QStringLiteral("&Cancel")};
    for (int i = 0; i < 3; ++i) {
        auto* image = new QToolButton(this);
        image->setObjectName(QStringLiteral("NewOptionImage%1").arg(i));
        image->setIcon(ChoiceIcon(i));
        image->setIconSize(QSize(48, 48));
        image->setAutoRaise(true);
        auto* label = new QToolButton(this);
        label->setObjectName(QStringLiteral("NewOptionLabel%1").arg(i));
        label->setText(captions[i]);
        label->setAutoRaise(true);
        label->setToolButtonStyle(Qt::ToolButtonTextOnly);
        connect(image, &QToolButton::clicked, this, [this, i] { ChooseNewOption(i); });
        connect(label, &QToolButton::clicked, this, [this, i] { ChooseNewOption(i); });
        layout->addWidget(image, i, 0);
        layout->addWidget(label, i, 1, Qt::AlignLeft);
    }
    if (owner) move(owner->mapToGlobal(QPoint(0, 0)));
}

void NewOptionsForm::ChooseNewOption(int choice) {
    choice_ = choice;
    if (choice == CancelChoice) {
        reject();
    } else {
        accept();
    }
}

void NewOptionsForm::keyPressEvent(QKeyEvent* event) {
    const QString key = event->text().toUpper();
    switch (key.isEmpty() ? '\0' : key.at(0).toLatin1()) {
        case 'I': ChooseNewOption(TracePicture); break;
        case 'B': ChooseNewOption(BlankPage); break;
        case 'C': ChooseNewOption(CancelChoice); break;
        default: QDialog::keyPressEvent(event); break;
    }
}

}  // namespace tessary
