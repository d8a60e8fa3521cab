// An edit for a count or a part of a duration with an up-down spinner. Typing
// accepts any number up to the edit's limit; the spinner keeps within its range.
#pragma once

#include <QSpinBox>

class CSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    // `digits`: the number is shown with at least that many, zero-padded.
    CSpinEdit(int spinMinimum, int spinMaximum, int typedMaximum, int digits = 0, QWidget* parent = nullptr);

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
    QString textFromValue(int value) const override;

private:
    int spinMinimum_;
    int spinMaximum_;
    int digits_;
};
