// The frames-per-second edit of a clip with its spinner. A click adds or takes one
// frame per second from the number shown, keeping it within 0..10000; stepping
// down from below 1 comes back to 1.
#pragma once

#include <QDoubleSpinBox>

class CFpsEdit : public QDoubleSpinBox {
    Q_OBJECT
public:
    static constexpr double kMaximum = 10000.0;

    explicit CFpsEdit(QWidget* parent = nullptr);
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
};
