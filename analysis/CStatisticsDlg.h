// "Statistics" tool window: the acquisition figures of the open channel. The main
// frame writes every field and reads some back; the window keeps nothing besides
// its edits. Every getter answers 0 and every setter does nothing until the window
// exists.
#pragma once

#include <array>
#include <cstdint>

#include "kit/CFloatingDlg.h"

class QLineEdit;

class CStatisticsDlg : public CFloatingDlg {
    Q_OBJECT
public:
    // Edit ids, also the edits' object names.
    enum Field : int {
        IDC_FRAME_RATE = 1128,
        IDC_GRABBING_RATE = 1129,
        IDC_GRABBING_COUNT = 1130,
        IDC_OVERRUN_COUNT = 1131,
        IDC_DROP_COUNT = 1132,
        IDC_TIME_STAMP = 1133,
        IDC_LINK_WIDTH = 1134,
        IDC_LINK_SPEED = 1135,
        IDC_MAX_PAYLOAD = 1136,
        IDC_MAX_PAYLOAD_REQUESTED = 1137,
        IDC_BANDWIDTH = 1177,
        IDC_CLOCK_RATE = 1179,
        IDC_CLOCKS_PER_LINE = 1180,
        IDC_LINES_PER_FRAME = 1181,
    };
    static constexpr int kFieldCount = 14;

    explicit CStatisticsDlg(QWidget* parent = nullptr);
    int GetID() const override;

    virtual uint32_t GetFrameRate() const;
    virtual void SetFrameRate(uint32_t fps);
    virtual uint32_t GetBandwidth() const;
    virtual void SetBandwidth(uint32_t mbps);
    virtual uint32_t GetGrabbingRate() const;
    virtual void SetGrabbingRate(uint32_t fps);
    virtual uint32_t GetGrabbingCount() const;
    virtual void SetGrabbingCount(uint32_t frames);
    virtual uint32_t GetDropCount() const;
    virtual void SetDropCount(uint32_t frames);
    virtual uint32_t GetOverrunCount() const;
    virtual void SetOverrunCount(uint32_t frames);
    virtual uint32_t GetTimeStamp() const;
    virtual void SetTimeStamp(uint32_t microseconds);
    virtual uint32_t GetClockRate() const;
    virtual void SetClockRate(uint32_t mhz);
    virtual uint32_t GetClocksPerLine() const;
    virtual void SetClocksPerLine(uint32_t clocks);
    virtual uint32_t GetLinesPerFrame() const;
    virtual void SetLinesPerFrame(uint32_t lines);
    virtual uint32_t GetLinkWidth() const;
    virtual void SetLinkWidth(uint32_t lanes);
    // The link speed is shown in gigabits per second per lane (code x 2.5) and read
    // back as the code.
    virtual uint32_t GetLinkSpeed() const;
    virtual void SetLinkSpeed(uint32_t code);
    virtual uint32_t GetMaxPayloadRequested() const;
    virtual void SetMaxPayloadRequested(uint32_t bytes);
    virtual uint32_t GetMaxPayload() const;
    virtual void SetMaxPayload(uint32_t bytes);

protected:
    void OnInitDialog() override;

private:
    QLineEdit* Edit(Field id) const;
    uint32_t GetField(Field id) const;
    void SetField(Field id, uint32_t value);
    void ShowText(Field id, const QString& text);

    std::array<QLineEdit*, kFieldCount> edits_{};  // in the order of the layout table
};
