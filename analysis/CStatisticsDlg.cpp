#include "analysis/CStatisticsDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <cmath>
#include <limits>

#include "res/ResourceIds.h"

namespace {

constexpr double kGigabitsPerSpeedCode = 2.5;

struct FieldLayout {
    CStatisticsDlg::Field id;
    const char* label;
    const char* unit;
};

struct GroupLayout {
    const char* title;
    int first;
    int count;
};

constexpr std::array<FieldLayout, CStatisticsDlg::kFieldCount> kFields{{
    {CStatisticsDlg::IDC_FRAME_RATE, "Frame rate", "fps"},
    {CStatisticsDlg::IDC_CLOCK_RATE, "Clock rate", "MHz"},
    {CStatisticsDlg::IDC_CLOCKS_PER_LINE, "Horiz.", "clocks/line"},
    {CStatisticsDlg::IDC_LINES_PER_FRAME, "Vert.", "lines/frame"},
    {CStatisticsDlg::IDC_BANDWIDTH, "Bandwidth", "Mbps"},
    {CStatisticsDlg::IDC_GRABBING_RATE, "Grabbing rate", "fps"},
    {CStatisticsDlg::IDC_GRABBING_COUNT, "Grabbing count", "frames"},
    {CStatisticsDlg::IDC_DROP_COUNT, "Drop count", "frames"},
    {CStatisticsDlg::IDC_OVERRUN_COUNT, "Overrun count", "frames"},
    {CStatisticsDlg::IDC_TIME_STAMP, "Timestamp", ""},
    {CStatisticsDlg::IDC_LINK_WIDTH, "Link width", "lane(s)"},
    {CStatisticsDlg::IDC_LINK_SPEED, "Link speed", "gigabits/s"},
    {CStatisticsDlg::IDC_MAX_PAYLOAD, "Max payload size", "bytes"},
    {CStatisticsDlg::IDC_MAX_PAYLOAD_REQUESTED, "Max payload size requested", "bytes"},
}};

constexpr std::array<GroupLayout, 3> kGroups{{
    {"Camera", 0, 5},
    {"Frame Grabber", 5, 5},
    {"PCI Express", 10, 4},
}};

// Reads an edit's text the way it was written: a plain unsigned decimal, 0 otherwise.
uint32_t ParseUnsigned(const QString& text) {
    bool ok = false;
    const uint32_t value = text.trimmed().toUInt(&ok);
    return ok ? value : 0;
}

}  // namespace

CStatisticsDlg::CStatisticsDlg(QWidget* parent) : CFloatingDlg(parent) {
    setWindowTitle(QStringLiteral("Statistics"));
    setObjectName(QStringLiteral("IDD_%1").arg(res::IDD_STATISTICS));
}

int CStatisticsDlg::GetID() const {
    return res::IDD_STATISTICS;
}

void CStatisticsDlg::OnInitDialog() {
    auto* layout = new QHBoxLayout(this);
    // Room for any 32-bit count with a little to spare.
    const int digitsWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000000000")) + 8;
    for (const GroupLayout& group : kGroups) {
        auto* box = new QGroupBox(QString::fromLatin1(group.title), this);
        auto* grid = new QGridLayout(box);
        for (int row = 0; row < group.count; ++row) {
            const int index = group.first + row;
            const FieldLayout& field = kFields[index];
            auto* edit = new QLineEdit(box);
            edit->setObjectName(QString::number(field.id));
            edit->setReadOnly(true);
            edit->setFrame(true);
            edit->setFocusPolicy(Qt::NoFocus);  // a display, not a stop of the tab chain
            edit->setAlignment(Qt::AlignRight);
            edit->setMinimumWidth(digitsWidth);
            edits_[index] = edit;
            grid->addWidget(new QLabel(QString::fromLatin1(field.label), box), row, 0);
            grid->addWidget(edit, row, 1);
            grid->addWidget(new QLabel(QString::fromLatin1(field.unit), box), row, 2);
        }
        grid->setRowStretch(group.count, 1);
        layout->addWidget(box);
    }
}

QLineEdit* CStatisticsDlg::Edit(Field id) const {
    for (int i = 0; i < kFieldCount; ++i) {
        if (kFields[i].id == id)
            return edits_[i];
    }
    return nullptr;
}

void CStatisticsDlg::ShowText(Field id, const QString& text) {
    QLineEdit* edit = Edit(id);
    if (!edit)
        return;
    edit->setText(text);
    // Painted at once: the figures must show even while the event loop is busy.
    edit->repaint();
}

uint32_t CStatisticsDlg::GetField(Field id) const {
    const QLineEdit* edit = Edit(id);
    return edit ? ParseUnsigned(edit->text()) : 0;
}

void CStatisticsDlg::SetField(Field id, uint32_t value) {
    ShowText(id, QString::number(value));
}

uint32_t CStatisticsDlg::GetLinkSpeed() const {
    const QLineEdit* edit = Edit(IDC_LINK_SPEED);
    if (!edit)
        return 0;
    bool ok = false;
    const double code = edit->text().trimmed().toDouble(&ok) / kGigabitsPerSpeedCode;
    // Out-of-range text must not reach the conversion, whose result would be undefined.
    if (!ok || !(code >= 0))
        return 0;
    if (code >= static_cast<double>(std::numeric_limits<uint32_t>::max()))
        return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(std::trunc(code));
}

void CStatisticsDlg::SetLinkSpeed(uint32_t code) {
    ShowText(IDC_LINK_SPEED, QString::asprintf("%.1f", code * kGigabitsPerSpeedCode));
}

uint32_t CStatisticsDlg::GetFrameRate() const {
    return GetField(IDC_FRAME_RATE);
}
void CStatisticsDlg::SetFrameRate(uint32_t fps) {
    SetField(IDC_FRAME_RATE, fps);
}
uint32_t CStatisticsDlg::GetBandwidth() const {
    return GetField(IDC_BANDWIDTH);
}
void CStatisticsDlg::SetBandwidth(uint32_t mbps) {
    SetField(IDC_BANDWIDTH, mbps);
}
uint32_t CStatisticsDlg::GetGrabbingRate() const {
    return GetField(IDC_GRABBING_RATE);
}
void CStatisticsDlg::SetGrabbingRate(uint32_t fps) {
    SetField(IDC_GRABBING_RATE, fps);
}
uint32_t CStatisticsDlg::GetGrabbingCount() const {
    return GetField(IDC_GRABBING_COUNT);
}
void CStatisticsDlg::SetGrabbingCount(uint32_t frames) {
    SetField(IDC_GRABBING_COUNT, frames);
}
uint32_t CStatisticsDlg::GetDropCount() const {
    return GetField(IDC_DROP_COUNT);
}
void CStatisticsDlg::SetDropCount(uint32_t frames) {
    SetField(IDC_DROP_COUNT, frames);
}
uint32_t CStatisticsDlg::GetOverrunCount() const {
    return GetField(IDC_OVERRUN_COUNT);
}
void CStatisticsDlg::SetOverrunCount(uint32_t frames) {
    SetField(IDC_OVERRUN_COUNT, frames);
}
uint32_t CStatisticsDlg::GetTimeStamp() const {
    return GetField(IDC_TIME_STAMP);
}
void CStatisticsDlg::SetTimeStamp(uint32_t microseconds) {
    SetField(IDC_TIME_STAMP, microseconds);
}
uint32_t CStatisticsDlg::GetClockRate() const {
    return GetField(IDC_CLOCK_RATE);
}
void CStatisticsDlg::SetClockRate(uint32_t mhz) {
    SetField(IDC_CLOCK_RATE, mhz);
}
uint32_t CStatisticsDlg::GetClocksPerLine() const {
    return GetField(IDC_CLOCKS_PER_LINE);
}
void CStatisticsDlg::SetClocksPerLine(uint32_t clocks) {
    SetField(IDC_CLOCKS_PER_LINE, clocks);
}
uint32_t CStatisticsDlg::GetLinesPerFrame() const {
    return GetField(IDC_LINES_PER_FRAME);
}
void CStatisticsDlg::SetLinesPerFrame(uint32_t lines) {
    SetField(IDC_LINES_PER_FRAME, lines);
}
uint32_t CStatisticsDlg::GetLinkWidth() const {
    return GetField(IDC_LINK_WIDTH);
}
void CStatisticsDlg::SetLinkWidth(uint32_t lanes) {
    SetField(IDC_LINK_WIDTH, lanes);
}
uint32_t CStatisticsDlg::GetMaxPayloadRequested() const {
    return GetField(IDC_MAX_PAYLOAD_REQUESTED);
}
void CStatisticsDlg::SetMaxPayloadRequested(uint32_t bytes) {
    SetField(IDC_MAX_PAYLOAD_REQUESTED, bytes);
}
uint32_t CStatisticsDlg::GetMaxPayload() const {
    return GetField(IDC_MAX_PAYLOAD);
}
void CStatisticsDlg::SetMaxPayload(uint32_t bytes) {
    SetField(IDC_MAX_PAYLOAD, bytes);
}
