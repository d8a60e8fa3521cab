// An edit for a signed decimal number: it takes digits, the point, Backspace and
// a leading minus, and reports when it loses the focus.
#pragma once

#include <QLineEdit>

class CNumericEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CNumericEdit(QWidget* parent = nullptr);

signals:
    void left();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
