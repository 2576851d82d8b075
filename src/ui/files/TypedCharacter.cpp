#include "ui/files/TypedCharacter.h"

#include <QKeyEvent>

#include "core/files/MeasureText.h"

namespace tessary {

int TypedCharacter(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Backspace: return KeyBackspace;
        case Qt::Key_Return:
        case Qt::Key_Enter: return KeyEnter;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Delete: return 0;
        default: break;
    }
    // Alt still types into a line edit; Control never does.
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) return 0;
    const QString text = event.text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

}  // namespace tessary
