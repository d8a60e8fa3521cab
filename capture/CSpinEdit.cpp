#include "capture/CSpinEdit.h"

#include <algorithm>

CSpinEdit::CSpinEdit(int spinMinimum, int spinMaximum, int typedMaximum, int digits, QWidget* parent)
    : QSpinBox(parent), spinMinimum_(spinMinimum), spinMaximum_(spinMaximum), digits_(digits) {
    setRange(0, typedMaximum);
}

void CSpinEdit::stepBy(int steps) {
    const long long stepped = static_cast<long long>(value()) + steps;
    setValue(static_cast<int>(std::clamp<long long>(stepped, spinMinimum_, spinMaximum_)));
    selectAll();
}

QAbstractSpinBox::StepEnabled CSpinEdit::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (value() < spinMaximum_)
        enabled |= StepUpEnabled;
    if (value() > spinMinimum_)
        enabled |= StepDownEnabled;
    return enabled;
}

QString CSpinEdit::textFromValue(int value) const {
    return QStringLiteral("%1").arg(value, digits_, 10, QLatin1Char('0'));
}
