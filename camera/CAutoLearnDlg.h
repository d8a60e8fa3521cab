// "Auto learn": splits the measured clocks per line and lines per frame of a tap
// geometry into pre-valid, valid and post-valid widths and heights.
#pragma once

#include <QDialog>
#include <array>

#include "camera/AutoLearnModel.h"

class QComboBox;
class QLineEdit;
class CUnsignedSpinEdit;

class CAutoLearnDlg : public QDialog {
    Q_OBJECT
public:
    // The measurement comes from the card before the dialog opens.
    CAutoLearnDlg(uint32_t clocksPerLine, uint32_t linesPerFrame, const TapConfig& tapConfig,
                  QWidget* parent = nullptr);
    ~CAutoLearnDlg() override;

    // The result after OK. The list always shows the entry of the model's
    // configuration, so a standard entry already stands for its standard geometry.
    uint32_t widthPreValid() const { return model_.value(AutoLearnModel::kWidthPreValid); }
    uint32_t widthValid() const { return model_.widthValid(); }
    uint32_t widthPostValid() const { return model_.value(AutoLearnModel::kWidthPostValid); }
    uint32_t heightPreValid() const { return model_.value(AutoLearnModel::kHeightPreValid); }
    uint32_t heightValid() const { return model_.heightValid(); }
    uint32_t heightPostValid() const { return model_.value(AutoLearnModel::kHeightPostValid); }
    const TapConfig& tapConfig() const { return model_.tapConfig(); }

    const AutoLearnModel& model() const { return model_; }
    QComboBox* tapFormatList() const { return tapFormats_; }
    CUnsignedSpinEdit* partEdit(AutoLearnModel::Part part) const { return parts_[part]; }

private:
    void OnTapFormatChosen(int index);
    void OnStepped(AutoLearnModel::Part part, uint32_t value);
    void OnTyped(AutoLearnModel::Part part, uint32_t value);
    // Writes the model into the edits and the spinner ranges.
    void Recompute();

    AutoLearnModel model_;
    QComboBox* tapFormats_ = nullptr;
    std::array<CUnsignedSpinEdit*, 4> parts_{};
    QLineEdit* widthValid_ = nullptr;
    QLineEdit* heightValid_ = nullptr;
};
