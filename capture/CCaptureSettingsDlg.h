// "Capture settings" tool window: the image format, the capture mode and the
// options of each mode, the Start/Stop Capture button, and the progress of the
// frames still being written after a capture stopped.
#pragma once

#include <cstdint>
#include <vector>

#include "capture/CCaptureOptions.h"
#include "capture/CaptureSettings.h"
#include "kit/CFloatingDlg.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;

class CCaptureSettingsDlg : public CFloatingDlg {
    Q_OBJECT
public:
    // Codes of the notifications to the owner.
    enum Notification : int {
        kStartStopCapture = 0,  // the Start/Stop Capture button changed state
        kOptionsAccepted = 1,   // an options page was accepted and the settings saved
    };

    // Loads the stored settings over the defaults.
    explicit CCaptureSettingsDlg(QWidget* parent = nullptr);
    int GetID() const override;

    bool IsCaptureOn() const { return captureOn_; }
    // Sets the button and locks or unlocks the settings; sends nothing.
    void SetCaptureOn(bool on);

    // What a capture uses: mode, image format, Normalize, JPEG quality, the records.
    const capture::CaptureSettings& Settings() const { return settings_; }
    capture::CaptureSettings& Settings() { return settings_; }
    // Writes the top-level values and the current mode's record to the profile.
    void Save() const { settings_.Save(); }

    // The progress bar of the frames still to write: its range is 0..count and it
    // shows count - remaining.
    void SetProgressRange(uint32_t count);
    void SetProgressRemaining(uint32_t remaining);
    // Not ready while frames are written after a capture: everything but the
    // progress is locked and the button hidden.
    void SetSavingMode(bool ready);

    // What the options pages ask of the rest of the program.
    void SetOptionsSources(capture::CaptureOptionsSources sources) { sources_ = std::move(sources); }

protected:
    void OnInitDialog() override;

private:
    QWidget* BuildImageFormat();
    QWidget* BuildMode();
    void ApplyImageTypeRule();
    void ApplyModeRule();
    // Locks the settings while capture is on, else unlocks them and applies the rules.
    void Refresh();
    void OpenOptionsPage(capture::SaveType mode);

    capture::CaptureSettings settings_;
    bool captureOn_ = false;
    capture::CaptureOptionsSources sources_;

    QButtonGroup* imageType_ = nullptr;
    QButtonGroup* saveType_ = nullptr;
    QCheckBox* normalize_ = nullptr;
    QSlider* quality_ = nullptr;
    std::vector<QPushButton*> pageButtons_;  // beside 1006, 1007, 1008
    QPushButton* startStop_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* savingLabel_ = nullptr;
    // Every control the capture locks: all but the button and the progress.
    std::vector<QWidget*> controls_;
};
