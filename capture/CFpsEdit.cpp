#include "capture/CFpsEdit.h"

#include <QLocale>
#include <cstdlib>

CFpsEdit::CFpsEdit(QWidget* parent) : QDoubleSpinBox(parent) {
    // Shown as "%.2f" whatever the user's language.
    setLocale(QLocale::c());
    setDecimals(2);
    setRange(0.0, kMaximum);
}

void CFpsEdit::stepBy(int steps) {
    double fps = value();
    for (int i = std::abs(steps); i > 0; --i) {
        fps += steps > 0 ? 1.0 : -1.0;
        if (fps > kMaximum)
            fps = kMaximum;
        if (fps < 0.0)
            fps = 1.0;
    }
    setValue(fps);
    selectAll();
}

QAbstractSpinBox::StepEnabled CFpsEdit::stepEnabled() const {
    // Down from 0 leads back to 1, so both directions always do something.
    return StepUpEnabled | StepDownEnabled;
}
