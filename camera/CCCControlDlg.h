// "CC Control" tool window: the channel's pulse generator and the sources of the
// camera control lines CC1 to CC4. The main frame drives the card on the
// notifications below and reads the settings back through the virtual operations.
#pragma once

#include <array>
#include <cstdint>

#include "kit/CFloatingDlg.h"
#include "zamgrb.h"

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class CUpDown;

class CCCControlDlg : public CFloatingDlg {
    Q_OBJECT
public:
    // Notification codes sent to the main frame.
    enum Notification : int { kSourceChosen = 0, kStartStop = 1 };
    // The four times, in the order of their edits.
    enum Time : int { kMasterWidth = 0, kMasterPeriod = 1, kSlaveDelay = 2, kSlaveWidth = 3 };

    explicit CCCControlDlg(QWidget* parent = nullptr);
    int GetID() const override;

    // Getters answer 0 and setters do nothing while the window does not exist.
    virtual int GetPulseMode() const;
    virtual void SetPulseMode(int mode);
    virtual int GetPulseCount() const;
    virtual void SetPulseCount(int count);
    virtual int GetGranularity() const;
    virtual void SetGranularity(int granularity);
    virtual int GetMasterPeriod() const { return GetTime(kMasterPeriod); }
    virtual void SetMasterPeriod(int cycles) { SetTime(kMasterPeriod, cycles); }
    virtual int GetMasterWidth() const { return GetTime(kMasterWidth); }
    virtual void SetMasterWidth(int cycles) { SetTime(kMasterWidth, cycles); }
    virtual int GetSlaveDelay() const { return GetTime(kSlaveDelay); }
    virtual void SetSlaveDelay(int cycles) { SetTime(kSlaveDelay, cycles); }
    virtual int GetSlaveWidth() const { return GetTime(kSlaveWidth); }
    virtual void SetSlaveWidth(int cycles) { SetTime(kSlaveWidth, cycles); }
    virtual bool IsPulseGenStarted() const;
    // Presses or releases "Start" and updates the window as a click does, with its notification.
    virtual void SetPulseGenStarted(bool started);
    virtual PulseGeneratorSettings& GetPulseGeneratorSettings(PulseGeneratorSettings& settings) const;
    virtual void SetPulseGeneratorSettings(const PulseGeneratorSettings& settings);
    virtual CameraControlSettings& GetCameraControlSettings(CameraControlSettings& settings) const;
    virtual void SetCameraControlSettings(const CameraControlSettings& settings);

    // The edits and the "Frequency:" text, as shown.
    QLineEdit* timeEdit(Time time) const { return times_[time].nanoseconds; }
    QLineEdit* countEdit() const { return count_; }
    QLineEdit* granularityEdit() const { return granularity_; }
    QString frequencyText() const;

protected:
    void OnInitDialog() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls exist once the window has been built.
    bool Exists() const { return built_; }
    struct TimeControls {
        QLineEdit* nanoseconds = nullptr;
        CUpDown* spinner = nullptr;
        QLabel* cycles = nullptr;
    };
    QWidget* BuildGenerator();
    QWidget* BuildLines();
    void AddTimeRow(class QGridLayout& grid, int row, Time time, const QString& label, QWidget* parent);
    int GetTime(Time time) const;
    void SetTime(Time time, int cycles);
    void RewriteNanoseconds();
    void UpdateFrequency();
    void ApplyCountEnabling();
    void OnStartUpdate();
    void OnEditLeft(QObject* edit);

    QButtonGroup* mode_ = nullptr;
    QLineEdit* count_ = nullptr;
    CUpDown* countSpinner_ = nullptr;
    QLineEdit* granularity_ = nullptr;
    CUpDown* granularitySpinner_ = nullptr;
    std::array<TimeControls, 4> times_{};
    QLineEdit* frequency_ = nullptr;
    QPushButton* start_ = nullptr;
    std::array<QButtonGroup*, 4> lines_{};
    bool built_ = false;
};
