// An edit for an unsigned 32-bit number with an up-down spinner. Typing accepts
// any unsigned number; the spinner keeps within its range.
#pragma once

#include <QAbstractSpinBox>
#include <cstdint>

class CUnsignedSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit CUnsignedSpinEdit(QWidget* parent = nullptr);
    using QAbstractSpinBox::lineEdit;

    // The number in the edit; 0 when it holds none.
    uint32_t value() const;
    // Writes the number and repaints at once.
    void setValue(uint32_t value);
    void setRange(uint32_t minimum, uint32_t maximum);
    uint32_t minimum() const { return minimum_; }
    uint32_t maximum() const { return maximum_; }

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

signals:
    void stepped(uint32_t value);
    void typed(uint32_t value);

protected:
    StepEnabled stepEnabled() const override;

private:
    uint32_t minimum_ = 0;
    uint32_t maximum_ = 0;
};
