// "RGB Control" tool window: the offsets and gains of the three colours and the
// white balance. The main frame copies them into the channel's description on
// code 0 and measures the white balance on code 1.
#pragma once

#include <array>

#include "camera/RgbRules.h"
#include "kit/CFloatingDlg.h"

class QCheckBox;
class QLabel;
class QSlider;
class CNumericEdit;
class CUpDown;

class CRGBControlDlg : public CFloatingDlg {
    Q_OBJECT
public:
    enum Notification : int { kChanged = 0, kAnalyze = 1 };

    explicit CRGBControlDlg(QWidget* parent = nullptr);
    int GetID() const override;

    // Getters answer 0 and setters do nothing while the window does not exist.
    virtual int GetRedOffset() const { return GetOffset(rgbcontrol::kRed); }
    virtual void SetRedOffset(int offset) { SetOffset(rgbcontrol::kRed, offset); }
    virtual int GetGreenOffset() const { return GetOffset(rgbcontrol::kGreen); }
    virtual void SetGreenOffset(int offset) { SetOffset(rgbcontrol::kGreen, offset); }
    virtual int GetBlueOffset() const { return GetOffset(rgbcontrol::kBlue); }
    virtual void SetBlueOffset(int offset) { SetOffset(rgbcontrol::kBlue, offset); }
    virtual double GetRedGain() const { return GetGain(rgbcontrol::kRed); }
    virtual void SetRedGain(double gain) { SetGain(rgbcontrol::kRed, gain); }
    virtual double GetGreenGain() const { return GetGain(rgbcontrol::kGreen); }
    virtual void SetGreenGain(double gain) { SetGain(rgbcontrol::kGreen, gain); }
    virtual double GetBlueGain() const { return GetGain(rgbcontrol::kBlue); }
    virtual void SetBlueGain(double gain) { SetGain(rgbcontrol::kBlue, gain); }

    // The result of an analysis: kept as the white-balance gains and shown.
    void SetWhiteBalance(const rgbcontrol::Triple& means, const rgbcontrol::Triple& gains);
    const rgbcontrol::Triple& whiteBalanceGains() const { return balance_; }

    // The controls of one colour, for the window's users and tests.
    CNumericEdit* offsetEdit(rgbcontrol::Colour c) const { return colours_[c].edit; }
    QSlider* offsetSlider(rgbcontrol::Colour c) const { return colours_[c].slider; }
    CUpDown* offsetSpinner(rgbcontrol::Colour c) const { return colours_[c].spinner; }
    CNumericEdit* gainEdit(rgbcontrol::Colour c) const { return colours_[c].gain; }
    QString balanceText(int line) const;

protected:
    void OnInitDialog() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The controls exist once the window has been built.
    bool Exists() const { return built_; }
    enum class From { Edit, Zero, Slider, Spinner };
    struct ColourControls {
        QSlider* slider = nullptr;
        CNumericEdit* edit = nullptr;
        CUpDown* spinner = nullptr;
        CNumericEdit* gain = nullptr;
        QLabel* balance = nullptr;
    };
    QWidget* BuildOffsets();
    QWidget* BuildGains();
    QWidget* BuildBalance();
    int GetOffset(rgbcontrol::Colour c) const;
    void SetOffset(rgbcontrol::Colour c, int offset);
    double GetGain(rgbcontrol::Colour c) const;
    void SetGain(rgbcontrol::Colour c, double gain);
    rgbcontrol::Offsets offsets() const;
    void ShowOffsets(const rgbcontrol::Offsets& offsets);
    void OnOffsetChanged(rgbcontrol::Colour c, int value, From from);
    void SetGains(const rgbcontrol::Triple& gains);

    std::array<ColourControls, 3> colours_{};
    QCheckBox* link_ = nullptr;
    QLabel* mean_ = nullptr;
    bool linked_ = false;
    rgbcontrol::LinkDifferences differences_;
    rgbcontrol::Triple balance_{1.0, 1.0, 1.0};
    bool showing_ = false;  // controls being written, not moved by the user
    bool built_ = false;
};
