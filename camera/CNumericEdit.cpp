#include "camera/CNumericEdit.h"

#include <QKeyEvent>

#include "camera/RgbRules.h"

CNumericEdit::CNumericEdit(QWidget* parent) : QLineEdit(parent) {}

// Keys that type a character are filtered; moving, deleting and Enter are not.
void CNumericEdit::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool typing = !text.isEmpty() && event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter &&
                        event->key() != Qt::Key_Tab && event->key() != Qt::Key_Delete;
    if (typing && !rgbcontrol::AcceptsCharacter(text[0], this->text().isEmpty(), cursorPosition())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CNumericEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit left();
}
