#include "ui/platform/QtMessagePresenter.h"

#include <QMessageBox>

#include "core/services/AppTitle.h"

namespace tessary {

namespace {

QMessageBox::StandardButton ButtonOf(MessageAnswer answer) {
    switch (answer) {
        case AnswerCancel: return QMessageBox::Cancel;
        case AnswerYes: return QMessageBox::Yes;
        case AnswerNo: return QMessageBox::No;
        default: return QMessageBox::Ok;
    }
}

MessageAnswer AnswerOf(int button) {
    switch (button) {
        case QMessageBox::Cancel: return AnswerCancel;
        case QMessageBox::Yes: return AnswerYes;
        case QMessageBox::No: return AnswerNo;
        default: return AnswerOk;
    }
}

}  // namespace

MessageAnswer QtMessagePresenter::Show(const MessageRequest& request) {
    QMessageBox box(parent_);
    box.setWindowTitle(QString::fromLatin1(kAppTitle));
    box.setText(QString::fromStdString(request.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    switch (request.icon) {
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
        default: box.setIcon(QMessageBox::Warning); break;
    }
    switch (request.buttons) {
        case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    box.setDefaultButton(ButtonOf(request.defaultAnswer));
    // Closing the box with Escape or its close button counts as its safest answer.
    if (request.buttons == MessageButtons::YesNo) box.setEscapeButton(QMessageBox::No);
    return AnswerOf(box.exec());
}

}  // namespace tessary
