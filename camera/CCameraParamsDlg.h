// "Camera parameters" tool window: edits the CameraConfig and the colour fields
// of the open channel's description. The main frame validates and applies it on
// the notifications below and reads it back through the virtual operations.
#pragma once

#include <QCheckBox>
#include <QPushButton>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "kit/CFloatingDlg.h"
#include "zamgrb.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class CTapReconstrPreview;
class CUnsignedSpinEdit;

class CCameraParamsDlg : public CFloatingDlg {
    Q_OBJECT
public:
    // Notification codes sent to the main frame.
    enum Notification : int { kApply = 0, kLoad = 1, kSave = 2, kStartStopGrab = 4 };

    // Measures the camera's signal for "Learn": fills clocks per line and lines per
    // frame and answers true, or reports the failure to the user and answers false.
    using MeasureSignalHandler = std::function<bool(uint32_t& clocksPerLine, uint32_t& linesPerFrame)>;

    // The free texts kept with the configuration.
    struct CameraTexts {
        QString manufacturer, model, description, alias;
    };

    explicit CCameraParamsDlg(QWidget* parent = nullptr);
    ~CCameraParamsDlg() override;
    int GetID() const override;

    // Cards with old firmware cannot transfer packed pixels.
    void SetPackedAvailable(bool available);
    bool IsPackedAvailable() const { return packedAvailable_; }
    void SetMeasureSignalHandler(MeasureSignalHandler handler) { measureSignal_ = std::move(handler); }
    CameraTexts GetCameraTexts() const;
    void SetCameraTexts(const CameraTexts& texts);

    // Shows ("Less <<<") or hides ("More >>>") the tap preview.
    void ShowPreview(bool show);
    bool IsPreviewShown() const { return previewShown_; }
    CTapReconstrPreview* preview() const { return preview_; }

    // The state the main frame reads back; getters answer 0 and setters do
    // nothing while the window does not exist.
    virtual CameraConfig& GetConfig(CameraConfig& config) const;
    virtual void SetConfig(const CameraConfig& config);
    virtual uint32_t GetWidthPreValid() const { return Geometry(0); }
    virtual void SetWidthPreValid(uint32_t value) { SetGeometry(0, value); }
    virtual uint32_t GetWidthValid() const { return Geometry(1); }
    virtual void SetWidthValid(uint32_t value) { SetGeometry(1, value); }
    virtual uint32_t GetWidthPostValid() const { return Geometry(2); }
    virtual void SetWidthPostValid(uint32_t value) { SetGeometry(2, value); }
    virtual uint32_t GetHeightPreValid() const { return Geometry(3); }
    virtual void SetHeightPreValid(uint32_t value) { SetGeometry(3, value); }
    virtual uint32_t GetHeightValid() const { return Geometry(4); }
    virtual void SetHeightValid(uint32_t value) { SetGeometry(4, value); }
    virtual uint32_t GetHeightPostValid() const { return Geometry(5); }
    virtual void SetHeightPostValid(uint32_t value) { SetGeometry(5, value); }
    virtual uint32_t GetBitDepth() const;
    virtual void SetBitDepth(uint32_t value);
    virtual bool GetPacked() const { return Flag(packed_); }
    virtual void SetPacked(bool on) { SetFlag(packed_, on); }
    virtual TapConfig& GetTapConfig(TapConfig& config) const;
    virtual void SetTapConfig(const TapConfig& config);
    virtual bool GetSwapTaps() const { return Flag(swapTaps_); }
    virtual void SetSwapTaps(bool on) { SetFlag(swapTaps_, on); }
    virtual bool GetIgnoreDval() const { return Flag(strobes_[0]); }
    virtual void SetIgnoreDval(bool on) { SetFlag(strobes_[0], on); }
    virtual bool GetInvertDval() const { return Flag(strobes_[1]); }
    virtual void SetInvertDval(bool on) { SetFlag(strobes_[1], on); }
    virtual bool GetInvertLval() const { return Flag(strobes_[2]); }
    virtual void SetInvertLval(bool on) { SetFlag(strobes_[2], on); }
    virtual bool GetInvertFval() const { return Flag(strobes_[3]); }
    virtual void SetInvertFval(bool on) { SetFlag(strobes_[3], on); }
    // A slot pair without a control behind it, kept so callers of either keep working.
    virtual bool GetSpareFlag() const { return false; }
    virtual void SetSpareFlag(uint8_t) {}
    virtual uint32_t GetMonoBitDepth() const;
    virtual void SetMonoBitDepth(uint32_t value);
    virtual uint32_t GetRgbBitDepth() const;
    virtual void SetRgbBitDepth(uint32_t value);
    virtual int GetVideoType() const;
    virtual void SetVideoType(int type);
    virtual int GetPatternStart() const;
    virtual void SetPatternStart(int cell);
    virtual bool IsGrabOn() const { return Flag(startGrab_); }
    virtual void SetGrabOn(bool on);
    virtual bool IsStartGrabEnabled() const;
    virtual void EnableStartGrab(bool enable);
    virtual bool IsSwapTapsLocked() const;
    virtual void LockSwapTaps(bool lock);

protected:
    void OnInitDialog() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The controls exist once the window has been created.
    bool Exists() const { return preview_ != nullptr; }
    uint32_t Geometry(int index) const;
    void SetGeometry(int index, uint32_t value);
    bool Flag(const QAbstractButton* box) const;
    void SetFlag(QAbstractButton* box, bool on);

    QWidget* BuildTexts();
    QWidget* BuildGeometry();
    QWidget* BuildTaps();
    QWidget* BuildStrobes();
    QWidget* BuildVideoType();
    QWidget* BuildBitDepth();
    QWidget* BuildPattern();
    QWidget* BuildButtons();

    void OnTapFormatChosen(int index);
    void OnLearn();
    void OnStartGrabClicked();
    void UpdateVideoType();
    void UpdatePackedEnabling();
    void UpdateCameraLinkMode();
    void UpdateGrabCaption();

    bool packedAvailable_ = true;
    bool previewShown_ = false;
    MeasureSignalHandler measureSignal_;

    std::array<QLineEdit*, 4> texts_{};
    std::array<CUnsignedSpinEdit*, 6> geometry_{};
    QPushButton* learn_ = nullptr;
    QCheckBox* swapTaps_ = nullptr;
    QPushButton* more_ = nullptr;
    QComboBox* tapFormats_ = nullptr;
    std::array<QCheckBox*, 4> strobes_{};
    QButtonGroup* videoType_ = nullptr;
    QCheckBox* packed_ = nullptr;
    QButtonGroup* monoDepth_ = nullptr;
    QButtonGroup* rgbDepth_ = nullptr;
    QButtonGroup* pattern_ = nullptr;
    QPushButton* startGrab_ = nullptr;
    CTapReconstrPreview* preview_ = nullptr;
};
