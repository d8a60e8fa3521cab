#include "camera/CUpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "camera/PulseTiming.h"

CUpDown::CUpDown(QWidget* parent) : QAbstractSpinBox(parent) {
    lineEdit()->setReadOnly(true);
    lineEdit()->setFrame(false);
    setFixedWidth(20);
}

void CUpDown::setPosition(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
    update();
}

void CUpDown::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    setPosition(position_);
}

void CUpDown::stepBy(int steps) {
    const int step =
        accelerate_ && held_.isValid() ? cccontrol::AcceleratedStep(held_.elapsed() / 1000.0) : 1;
    const int delta = steps * step;
    setPosition(position_ + delta);
    emit stepped(delta, position_);
}

QAbstractSpinBox::StepEnabled CUpDown::stepEnabled() const {
    return StepUpEnabled | StepDownEnabled;  // a step at an end still reports its delta
}

void CUpDown::mousePressEvent(QMouseEvent* event) {
    held_.start();
    QAbstractSpinBox::mousePressEvent(event);
}

void CUpDown::mouseReleaseEvent(QMouseEvent* event) {
    held_.invalidate();
    QAbstractSpinBox::mouseReleaseEvent(event);
}

void CUpDown::keyPressEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat())
        held_.start();
    QAbstractSpinBox::keyPressEvent(event);
}

void CUpDown::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat())
        held_.invalidate();
    QAbstractSpinBox::keyReleaseEvent(event);
}
