// An up-down spinner without a text of its own, beside the edit it serves. It
// keeps a position within its range; held down, it steps faster and faster.
#pragma once

#include <QAbstractSpinBox>
#include <QElapsedTimer>

class CUpDown : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit CUpDown(QWidget* parent = nullptr);

    int position() const { return position_; }
    // Clamped to the range; sends nothing.
    void setPosition(int position);
    void setRange(int minimum, int maximum);
    // Whether held buttons and keys speed up (the acceleration table).
    void setAccelerationTable(bool on) { accelerate_ = on; }

    void stepBy(int steps) override;

signals:
    // A user's step: the spinner's delta and the position it reached.
    void stepped(int delta, int position);

protected:
    StepEnabled stepEnabled() const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    int minimum_ = 0, maximum_ = 100, position_ = 0;
    bool accelerate_ = false;
    QElapsedTimer held_;  // valid while a button or key is held
};
