#include "camera/CAutoLearnDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "camera/CUnsignedSpinEdit.h"
#include "camera/GeometryGrid.h"
#include "camera/TapFormatList.h"

namespace {

QLineEdit* readOnlyNumber(uint32_t value, QWidget* parent) {
    auto* edit = new QLineEdit(QString::number(value), parent);
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

CAutoLearnDlg::CAutoLearnDlg(uint32_t clocksPerLine, uint32_t linesPerFrame, const TapConfig& tapConfig,
                             QWidget* parent)
    : QDialog(parent), model_(clocksPerLine, linesPerFrame, tapConfig) {
    setWindowTitle(QStringLiteral("Auto learn"));

    auto* measured = new QGroupBox(QStringLiteral("Attached camera is delivering"), this);
    auto* measuredLayout = new QGridLayout(measured);
    measuredLayout->addWidget(readOnlyNumber(clocksPerLine, measured), 0, 0);
    measuredLayout->addWidget(new QLabel(QStringLiteral("clocks/line"), measured), 0, 1);
    measuredLayout->addWidget(readOnlyNumber(linesPerFrame, measured), 1, 0);
    measuredLayout->addWidget(new QLabel(QStringLiteral("lines/frame"), measured), 1, 1);

    auto* mode = new QGroupBox(QStringLiteral("Select camera operating mode"), this);
    tapFormats_ = new QComboBox(mode);
    tapformatlist::Fill(*tapFormats_);
    tapformatlist::Select(*tapFormats_, tapConfig);
    (new QVBoxLayout(mode))->addWidget(tapFormats_);
    connect(tapFormats_, &QComboBox::activated, this, &CAutoLearnDlg::OnTapFormatChosen);

    auto* resolution = new QGroupBox(QStringLiteral("Camera resolution"), this);
    auto* grid = new QGridLayout(resolution);
    AddGeometryLabels(*grid, resolution);
    widthValid_ = readOnlyNumber(0, resolution);
    heightValid_ = readOnlyNumber(0, resolution);
    grid->addWidget(widthValid_, 1, 2);
    grid->addWidget(heightValid_, 2, 2);
    for (auto part : {AutoLearnModel::kWidthPreValid, AutoLearnModel::kWidthPostValid,
                      AutoLearnModel::kHeightPreValid, AutoLearnModel::kHeightPostValid}) {
        auto* edit = new CUnsignedSpinEdit(resolution);
        parts_[part] = edit;
        const bool width = part == AutoLearnModel::kWidthPreValid || part == AutoLearnModel::kWidthPostValid;
        const bool pre = part == AutoLearnModel::kWidthPreValid || part == AutoLearnModel::kHeightPreValid;
        grid->addWidget(edit, width ? 1 : 2, pre ? 1 : 3);
        connect(edit, &CUnsignedSpinEdit::stepped, this, [this, part](uint32_t v) { OnStepped(part, v); });
        connect(edit, &CUnsignedSpinEdit::typed, this, [this, part](uint32_t v) { OnTyped(part, v); });
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAutoLearnDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAutoLearnDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(measured);
    layout->addWidget(mode);
    layout->addWidget(resolution);
    layout->addWidget(buttons);
    Recompute();
}

CAutoLearnDlg::~CAutoLearnDlg() = default;

void CAutoLearnDlg::Recompute() {
    for (size_t i = 0; i < parts_.size(); ++i) {
        const auto part = AutoLearnModel::Part(i);
        parts_[i]->setRange(0, model_.rangeOf(part));
        // An emptied edit stays empty while it is typed in: it stands for 0.
        if (parts_[i]->value() != model_.value(part))
            parts_[i]->setValue(model_.value(part));
    }
    widthValid_->setText(QString::number(model_.widthValid()));
    heightValid_->setText(QString::number(model_.heightValid()));
}

void CAutoLearnDlg::OnStepped(AutoLearnModel::Part part, uint32_t value) {
    model_.set(part, value);
    Recompute();
}

void CAutoLearnDlg::OnTyped(AutoLearnModel::Part part, uint32_t value) {
    if (!model_.set(part, value)) {
        QLineEdit* edit = parts_[part]->lineEdit();
        const int caret = edit->cursorPosition();
        parts_[part]->setValue(model_.value(part));
        edit->setCursorPosition(std::min<int>(caret, int(edit->text().size())));
        QApplication::beep();
    }
    Recompute();
}

void CAutoLearnDlg::OnTapFormatChosen(int index) {
    TapConfig config = model_.tapConfig();
    tapformatlist::Choose(this, index, config);
    model_.setTapConfig(config);
    tapformatlist::Select(*tapFormats_, config);
    Recompute();
}
