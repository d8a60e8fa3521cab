#include "camera/CCCControlDlg.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "camera/CPulseDiagram.h"
#include "camera/CUpDown.h"
#include "camera/PulseTiming.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

using namespace cccontrol;

namespace {

const char* const kSources[] = {"'0'",
                                "'1'",
                                "Master pulse",
                                "Inv. master pulse",
                                "Slave pulse",
                                "Inv. slave pulse",
                                "OC Master pulse *",
                                "OC Inv. master pulse *",
                                "OC Slave pulse *",
                                "OC Inv. slave pulse *"};

CUpDown* countSpinner(QWidget* parent) {
    auto* spinner = new CUpDown(parent);
    spinner->setRange(1, kCycleMax);
    spinner->setAccelerationTable(true);
    return spinner;
}

int numberIn(const QLineEdit* edit) {
    return int(std::clamp<int64_t>(LeadingNumber(edit->text()), INT32_MIN, INT32_MAX));
}

}  // namespace

CCCControlDlg::CCCControlDlg(QWidget* parent) : CFloatingDlg(parent) {
    setWindowTitle(QStringLiteral("CC Control"));
}

int CCCControlDlg::GetID() const {
    return res::IDD_CC_CONTROL;
}

void CCCControlDlg::OnInitDialog() {
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(BuildGenerator());
    layout->addWidget(BuildLines());
    layout->addWidget(new QLabel(QStringLiteral("* OC = Other channel"), this));
    built_ = true;
    SetPulseGeneratorSettings({1, 0, 1, 1, 1, 1, 1, 1});
}

QWidget* CCCControlDlg::BuildGenerator() {
    auto* box = new QGroupBox(QStringLiteral("CC pulse generator"), this);
    auto* grid = new QGridLayout(box);

    auto* pulses = new QGroupBox(QStringLiteral("Number of pulses"), box);
    auto* pulsesRow = new QHBoxLayout(pulses);
    mode_ = new QButtonGroup(this);
    for (int id : {0, 1}) {
        auto* radio =
            new QRadioButton(id ? QStringLiteral("Send only") : QStringLiteral("Continuous"), pulses);
        mode_->addButton(radio, id);
        pulsesRow->addWidget(radio);
    }
    count_ = new QLineEdit(pulses);
    count_->setFixedWidth(60);
    countSpinner_ = countSpinner(pulses);
    pulsesRow->addWidget(count_);
    pulsesRow->addWidget(countSpinner_);
    pulsesRow->addWidget(new QLabel(QStringLiteral("pulses"), pulses));
    connect(mode_, &QButtonGroup::idClicked, this, [this] { ApplyCountEnabling(); });
    connect(countSpinner_, &CUpDown::stepped, this,
            [this](int delta) { SetPulseCount(ClampCount(int64_t(GetPulseCount()) + delta)); });

    start_ = new QPushButton(res::LoadString(res::IDS_PULSE_START), box);
    start_->setCheckable(true);
    start_->setAutoDefault(false);
    connect(start_, &QPushButton::clicked, this, [this] { OnStartUpdate(); });

    auto* granularityRow = new QHBoxLayout;
    granularity_ = new QLineEdit(box);
    granularity_->setFixedWidth(60);
    granularitySpinner_ = countSpinner(box);
    granularityRow->addWidget(new QLabel(QStringLiteral("Granularity:"), box));
    granularityRow->addWidget(granularity_);
    granularityRow->addWidget(granularitySpinner_);
    granularityRow->addWidget(new QLabel(QStringLiteral("x10 ns"), box));
    granularityRow->addStretch();
    connect(granularitySpinner_, &CUpDown::stepped, this,
            [this](int delta) { SetGranularity(ClampCount(int64_t(GetGranularity()) + delta)); });

    auto* master = new QGroupBox(QStringLiteral("Master"), box);
    auto* masterGrid = new QGridLayout(master);
    AddTimeRow(*masterGrid, 0, kMasterWidth, QStringLiteral("Pulse width"), master);
    AddTimeRow(*masterGrid, 1, kMasterPeriod, QStringLiteral("Pulse period"), master);
    frequency_ = new QLineEdit(master);
    frequency_->setReadOnly(true);
    frequency_->setFixedWidth(90);
    masterGrid->addWidget(new QLabel(QStringLiteral("Frequency:"), master), 2, 0);
    masterGrid->addWidget(frequency_, 2, 1);
    masterGrid->addWidget(new QLabel(QStringLiteral("Hz"), master), 2, 2, 1, 2);
    masterGrid->addWidget(new CPulseDiagram(CPulseDiagram::kMaster, master), 0, 4, 3, 1);

    auto* slave = new QGroupBox(QStringLiteral("Slave"), box);
    auto* slaveGrid = new QGridLayout(slave);
    AddTimeRow(*slaveGrid, 0, kSlaveDelay, QStringLiteral("Pulse delay"), slave);
    AddTimeRow(*slaveGrid, 1, kSlaveWidth, QStringLiteral("Pulse width"), slave);
    slaveGrid->addWidget(new CPulseDiagram(CPulseDiagram::kSlave, slave), 0, 4, 2, 1);

    for (QLineEdit* edit : {count_, granularity_, times_[0].nanoseconds, times_[1].nanoseconds,
                            times_[2].nanoseconds, times_[3].nanoseconds})
        edit->installEventFilter(this);

    grid->addWidget(pulses, 0, 0);
    grid->addWidget(start_, 0, 1);
    grid->addLayout(granularityRow, 1, 0, 1, 2);
    grid->addWidget(master, 2, 0, 1, 2);
    grid->addWidget(slave, 3, 0, 1, 2);
    return box;
}

void CCCControlDlg::AddTimeRow(QGridLayout& grid, int row, Time time, const QString& label, QWidget* parent) {
    TimeControls& t = times_[time];
    t.nanoseconds = new QLineEdit(parent);
    t.nanoseconds->setFixedWidth(90);
    t.spinner = countSpinner(parent);
    t.cycles = new QLabel(QStringLiteral("1"), parent);
    auto* cyclesRow = new QHBoxLayout;
    cyclesRow->setSpacing(0);
    cyclesRow->addWidget(new QLabel(QStringLiteral("ns ("), parent));
    cyclesRow->addWidget(t.cycles);
    cyclesRow->addWidget(new QLabel(QStringLiteral(" cycles, Max=65535)"), parent));
    cyclesRow->addStretch();
    grid.addWidget(new QLabel(label, parent), row, 0);
    grid.addWidget(t.nanoseconds, row, 1);
    grid.addWidget(t.spinner, row, 2);
    grid.addLayout(cyclesRow, row, 3);
    grid.setColumnMinimumWidth(3, 200);
    connect(t.spinner, &CUpDown::stepped, this,
            [this, time](int delta) { SetTime(time, ClampCount(int64_t(GetTime(time)) + delta)); });
}

QWidget* CCCControlDlg::BuildLines() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int line = 0; line < 4; ++line) {
        auto* box = new QGroupBox(QStringLiteral("CC%1").arg(line + 1), row);
        auto* column = new QVBoxLayout(box);
        lines_[line] = new QButtonGroup(this);
        for (int source = 0; source < 10; ++source) {
            auto* radio = new QRadioButton(QLatin1String(kSources[source]), box);
            lines_[line]->addButton(radio, source);
            column->addWidget(radio);
        }
        lines_[line]->button(0)->setChecked(true);
        connect(lines_[line], &QButtonGroup::idClicked, this, [this] { NotifyOwner(kSourceChosen); });
        layout->addWidget(box);
    }
    return row;
}

// ---- the virtual operations -----------------------------------------------

int CCCControlDlg::GetPulseMode() const {
    return Exists() && mode_->checkedId() == 1 ? 1 : 0;
}

void CCCControlDlg::SetPulseMode(int mode) {
    if (!Exists())
        return;
    if (QAbstractButton* b = mode_->button(mode == 1 ? 1 : 0))
        b->setChecked(true);
    ApplyCountEnabling();
}

int CCCControlDlg::GetPulseCount() const {
    return Exists() ? numberIn(count_) : 0;
}

void CCCControlDlg::SetPulseCount(int count) {
    if (!Exists())
        return;
    count_->setText(QString::number(count));
    countSpinner_->setPosition(count);
}

int CCCControlDlg::GetGranularity() const {
    return Exists() ? numberIn(granularity_) : 0;
}

void CCCControlDlg::SetGranularity(int granularity) {
    if (!Exists())
        return;
    granularity_->setText(QString::number(granularity));
    granularitySpinner_->setPosition(granularity);
    RewriteNanoseconds();
    UpdateFrequency();
}

int CCCControlDlg::GetTime(Time time) const {
    return Exists() ? times_[time].cycles->text().toInt() : 0;
}

void CCCControlDlg::SetTime(Time time, int cycles) {
    if (!Exists())
        return;
    const TimeControls& t = times_[time];
    t.cycles->setText(QString::number(cycles));
    t.spinner->setPosition(cycles);
    t.nanoseconds->setText(NanosecondsText(cycles, GetGranularity()));
    if (time == kMasterPeriod)
        UpdateFrequency();
}

bool CCCControlDlg::IsPulseGenStarted() const {
    return Exists() && start_->isChecked();
}

void CCCControlDlg::SetPulseGenStarted(bool started) {
    if (!Exists())
        return;
    start_->setChecked(started);
    OnStartUpdate();
}

PulseGeneratorSettings& CCCControlDlg::GetPulseGeneratorSettings(PulseGeneratorSettings& s) const {
    if (!Exists())
        return s;
    s.mode = uint8_t(GetPulseMode());
    s.padding = 0;
    s.pulseCount = uint16_t(GetPulseCount());
    s.granularity = uint16_t(GetGranularity());
    s.masterWidth = uint16_t(GetMasterWidth());
    s.masterPeriod = uint16_t(GetMasterPeriod());
    s.slaveWidth = uint16_t(GetSlaveWidth());
    s.slaveDelay = uint16_t(GetSlaveDelay());
    return s;
}

void CCCControlDlg::SetPulseGeneratorSettings(const PulseGeneratorSettings& s) {
    SetPulseMode(s.mode);
    SetPulseCount(s.pulseCount);
    SetGranularity(s.granularity);
    SetMasterPeriod(s.masterPeriod);
    SetMasterWidth(s.masterWidth);
    SetSlaveDelay(s.slaveDelay);
    SetSlaveWidth(s.slaveWidth);
}

CameraControlSettings& CCCControlDlg::GetCameraControlSettings(CameraControlSettings& s) const {
    if (Exists())
        for (int line = 0; line < 4; ++line)
            s.source[line] = uint32_t(std::max(lines_[line]->checkedId(), 0));
    return s;
}

void CCCControlDlg::SetCameraControlSettings(const CameraControlSettings& s) {
    if (!Exists())
        return;
    for (int line = 0; line < 4; ++line)
        if (QAbstractButton* b = lines_[line]->button(int(std::min<uint32_t>(s.source[line], 9))))
            b->setChecked(true);
}

QString CCCControlDlg::frequencyText() const {
    return Exists() ? frequency_->text() : QString();
}

// ---- rules ---------------------------------------------------------------

void CCCControlDlg::RewriteNanoseconds() {
    const int granularity = GetGranularity();
    for (const TimeControls& t : times_)
        t.nanoseconds->setText(NanosecondsText(t.cycles->text().toInt(), granularity));
}

void CCCControlDlg::UpdateFrequency() {
    frequency_->setText(FrequencyText(GetMasterPeriod(), GetGranularity()));
}

void CCCControlDlg::ApplyCountEnabling() {
    const bool counted = GetPulseMode() == 1;
    count_->setEnabled(counted);
    countSpinner_->setEnabled(counted);
}

void CCCControlDlg::OnStartUpdate() {
    const bool started = start_->isChecked();
    start_->setText(res::LoadString(started ? res::IDS_PULSE_STOP : res::IDS_PULSE_START));
    for (QAbstractButton* b : mode_->buttons())
        b->setEnabled(!started);
    for (QWidget* w : {static_cast<QWidget*>(count_), static_cast<QWidget*>(countSpinner_),
                       static_cast<QWidget*>(granularity_), static_cast<QWidget*>(granularitySpinner_)})
        w->setEnabled(!started);
    for (const TimeControls& t : times_) {
        t.nanoseconds->setEnabled(!started);
        t.spinner->setEnabled(!started);
    }
    if (!started)
        ApplyCountEnabling();
    NotifyOwner(kStartStop);
}

void CCCControlDlg::OnEditLeft(QObject* edit) {
    if (edit == count_) {
        SetPulseCount(ClampCount(LeadingNumber(count_->text())));
    } else if (edit == granularity_) {
        SetGranularity(ClampCount(LeadingNumber(granularity_->text())));
    } else {
        for (int time = 0; time < 4; ++time)
            if (edit == times_[time].nanoseconds)
                SetTime(Time(time), CyclesOf(times_[time].nanoseconds->text(), ClampCount(GetGranularity())));
    }
}

bool CCCControlDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut)
        OnEditLeft(watched);
    return CFloatingDlg::eventFilter(watched, event);
}

// Enter takes the focus from the edit being typed in, which applies its rule;
// the window stays open.
void CCCControlDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        setFocus();
        event->accept();
        return;
    }
    CFloatingDlg::keyPressEvent(event);
}
