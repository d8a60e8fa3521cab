#include "OptionsDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <algorithm>

namespace kvx {

bool RunOptionsDialog(QWidget* owner, const std::u16string& compressor, bool keyFrames,
                      KvxCompressorSettings& settings) {
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("compressorOptions"));
    dialog.setWindowTitle(QStringLiteral("%1 options").arg(QString::fromStdU16String(compressor)));
    auto* form = new QFormLayout(&dialog);
    auto* quality = new QSpinBox;
    quality->setObjectName(QStringLiteral("quality"));
    quality->setRange(0, 100);
    quality->setSpecialValueText(QStringLiteral("Default"));
    quality->setValue(int(std::min<uint32_t>(settings.quality, 100)));
    quality->setMinimumWidth(quality->fontMetrics().horizontalAdvance(QStringLiteral("One a second")) + 40);
    form->addRow(QStringLiteral("Quality (1 smallest, 100 best):"), quality);
    QSpinBox* keyFrame = nullptr;
    if (keyFrames) {
        keyFrame = new QSpinBox;
        keyFrame->setObjectName(QStringLiteral("keyFrame"));
        keyFrame->setRange(0, 100000);
        keyFrame->setSpecialValueText(QStringLiteral("One a second"));
        keyFrame->setValue(int(std::min<uint32_t>(settings.keyFrame, 100000)));
        keyFrame->setMinimumWidth(quality->minimumWidth());
        form->addRow(QStringLiteral("Key frame every (frames):"), keyFrame);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings.quality = uint32_t(quality->value());
    if (keyFrame)
        settings.keyFrame = uint32_t(keyFrame->value());
    return true;
}

}  // namespace kvx
