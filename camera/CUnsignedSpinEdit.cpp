#include "camera/CUnsignedSpinEdit.h"

#include <QLineEdit>
#include <algorithm>

namespace {

std::optional<uint32_t> parseUnsigned(const QString& text) {
    bool ok = false;
    const qulonglong number = text.toULongLong(&ok, 10);
    if (!ok || number > UINT32_MAX)
        return std::nullopt;
    return uint32_t(number);
}

}  // namespace

CUnsignedSpinEdit::CUnsignedSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    lineEdit()->setText(QStringLiteral("0"));
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { emit typed(value()); });
    // Empty while typed in; 0 once the edit is left.
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        if (text().isEmpty())
            setValue(0);
    });
}

uint32_t CUnsignedSpinEdit::value() const {
    return parseUnsigned(text()).value_or(0);
}

void CUnsignedSpinEdit::setValue(uint32_t value) {
    lineEdit()->setText(QString::number(value));
    repaint();
}

void CUnsignedSpinEdit::setRange(uint32_t minimum, uint32_t maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
}

void CUnsignedSpinEdit::stepBy(int steps) {
    const int64_t next = std::clamp<int64_t>(int64_t(value()) + steps, minimum_, maximum_);
    setValue(uint32_t(next));
    emit stepped(uint32_t(next));
}

QValidator::State CUnsignedSpinEdit::validate(QString& input, int&) const {
    if (input.isEmpty())
        return QValidator::Intermediate;
    for (QChar c : input)
        if (!c.isDigit())
            return QValidator::Invalid;
    return parseUnsigned(input) ? QValidator::Acceptable : QValidator::Invalid;
}

void CUnsignedSpinEdit::fixup(QString& input) const {
    if (input.isEmpty())
        input = QStringLiteral("0");
}

QAbstractSpinBox::StepEnabled CUnsignedSpinEdit::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (value() > minimum_)
        enabled |= StepDownEnabled;
    if (value() < maximum_)
        enabled |= StepUpEnabled;
    return enabled;
}
