#include "capture/CCaptureOptions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <climits>

#include "capture/CFpsEdit.h"
#include "capture/CSpinEdit.h"
#include "capture/CaptureSettings.h"
#include "capture/FileNaming.h"
#include "kit/MessageBox.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

using namespace capture;

namespace {

constexpr int kMaxFramesSpin = 5000;
constexpr int kMaxTimePart = INT16_MAX;  // the parts are stored as 16-bit numbers
constexpr int kMaxTextChars = int(kRecordTextChars) - 1;

const QString kUnacceptableFolder = QStringLiteral("Unacceptable folder selected.");
const QString kPathTooLong = QStringLiteral("The file/path name is longer than 259 characters.");

template <typename Widget>
Widget* Named(Widget* widget, int id) {
    widget->setObjectName(QString::number(id));
    return widget;
}

const char* TitleOf(OptionsPage page) {
    switch (page) {
        case kPageSeries:
            return "Series of Frames Settings";
        case kPageAvi:
            return "AVI Video Clip Settings";
        default:
            return "Single Frame Settings";
    }
}

// The save dialog's filter and default suffix for the file of a page.
std::pair<QString, QString> FileFilter(OptionsPage page, uint32_t imageType) {
    if (page == kPageAvi)
        return {QStringLiteral("AVI Files (*.avi)"), QStringLiteral("avi")};
    switch (imageType) {
        case kImageJpeg:
            return {QStringLiteral("JPEG Files (*.jpg)"), QStringLiteral("jpg")};
        case kImageTiff:
            return {QStringLiteral("TIFF Files (*.tif)"), QStringLiteral("tif")};
        case kImageRaw:
            return {QStringLiteral("RAW Files (*.raw)"), QStringLiteral("raw")};
        default:
            return {QStringLiteral("Bitmap Files (*.bmp)"), QStringLiteral("bmp")};
    }
}

CSpinEdit* FramesEdit(int id) {
    auto* edit = Named(new CSpinEdit(0, kMaxFramesSpin, INT_MAX), id);
    // A limit of 0 frames means none.
    edit->setSpecialValueText(res::LoadString(res::IDS_UNLIMITED));
    return edit;
}

// Hours, minutes and seconds side by side.
QHBoxLayout* TimeRow(std::array<CSpinEdit*, 3>& edits, std::array<int, 3> ids) {
    auto* row = new QHBoxLayout;
    const int spinMaximum[] = {23, 59, 59};
    for (size_t i = 0; i < edits.size(); ++i) {
        if (i > 0)
            row->addWidget(new QLabel(QStringLiteral(":")));
        edits[i] = Named(new CSpinEdit(0, spinMaximum[i], kMaxTimePart, 2), ids[i]);
        row->addWidget(edits[i]);
    }
    row->addWidget(new QLabel(QStringLiteral("(hh:mm:ss)")));
    row->addStretch();
    return row;
}

}  // namespace

CCaptureOptions::CCaptureOptions(OptionsPage page, const CaptureOptionsRecord& record,
                                 CaptureOptionsSources sources, QWidget* parent)
    : QDialog(parent), page_(page), record_(record), sources_(std::move(sources)) {
    setWindowTitle(QString::fromLatin1(TitleOf(page)));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildFileRow());
    if (page_ == kPageSeries) {
        layout->addWidget(BuildFileNames());
        layout->addWidget(BuildEvents());
    }
    if (page_ == kPageAvi)
        layout->addWidget(BuildClip());
    if (page_ != kPageSingleFrame)
        layout->addWidget(BuildLimits());
    if (page_ == kPageSeries)
        layout->addWidget(bufferFrames_ =
                              Named(new QCheckBox(QStringLiteral("Buffer frames to memory")), 1103));
    if (page_ != kPageSingleFrame)
        layout->addWidget(freezeLive_ = Named(
                              new QCheckBox(QStringLiteral("Freeze preview window while capturing")), 1083));
    layout->addWidget(BuildOverlay());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCaptureOptions::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    ShowRecord();
}

QWidget* CCaptureOptions::BuildFileRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(
        new QLabel(page_ == kPageSeries ? QStringLiteral("Folder:") : QStringLiteral("File name:")));
    layout->addWidget(fileName_ = Named(new QLineEdit, 1051), 1);
    fileName_->setMinimumWidth(300);
    auto* browse = Named(new QPushButton(QStringLiteral("...")), 1052);
    connect(browse, &QPushButton::clicked, this, &CCaptureOptions::Browse);
    layout->addWidget(browse);
    return row;
}

QWidget* CCaptureOptions::BuildFileNames() {
    static constexpr const char* kTexts[] = {"Date and Time",  "2 Digit Number", "3 Digit Number",
                                             "4 Digit Number", "5 Digit Number", "6 Digit Number"};
    auto* box = new QGroupBox(QStringLiteral("Append to file name"));
    auto* grid = new QGridLayout(box);
    appendFileName_ = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        const int id = kAppendDateTime + i;
        auto* radio = Named(new QRadioButton(QString::fromLatin1(kTexts[i])), id);
        appendFileName_->addButton(radio, id);
        grid->addWidget(radio, i % 3, i / 3);
    }
    connect(appendFileName_, &QButtonGroup::idClicked, this,
            [this](int id) { record_.AppendFileName = uint32_t(id); });
    return box;
}

QWidget* CCaptureOptions::BuildEvents() {
    auto* box = new QGroupBox(QStringLiteral("Capture events"));
    auto* layout = new QVBoxLayout(box);
    event_ = new QButtonGroup(this);
    auto* every = Named(new QRadioButton(QStringLiteral("Capture every:")), kEventEvery);
    auto* continuous = Named(new QRadioButton(QStringLiteral("Continuous")), kEventContinuous);
    event_->addButton(every, kEventEvery);
    event_->addButton(continuous, kEventContinuous);
    connect(event_, &QButtonGroup::idClicked, this, [this](int id) {
        record_.Event = uint32_t(id);
        ApplyEventRule();
    });
    auto* everyRow = TimeRow(captEvery_, {1059, 1061, 1063});
    everyRow->insertWidget(0, every);
    layout->addLayout(everyRow);
    layout->addWidget(continuous);

    auto* perEvent = Named(new QGroupBox(QStringLiteral("Capture duration for each event:")), 1098);
    auto* form = new QFormLayout(perEvent);
    auto* limitTimeRow = new QWidget;
    auto* limitTimeLayout = TimeRow(limitTime_, {1072, 1074, 1076});
    limitTimeLayout->setContentsMargins(0, 0, 0, 0);
    limitTimeRow->setLayout(limitTimeLayout);
    form->addRow(Named(new QLabel(QStringLiteral("Time:")), 1099), limitTimeRow);
    form->addRow(Named(new QLabel(QStringLiteral("Number of frames:")), 1100), limitDisk_ = FramesEdit(1079));
    layout->addWidget(perEvent);
    perEvent_ = {captEvery_[0], captEvery_[1], captEvery_[2], perEvent};
    return box;
}

QWidget* CCaptureOptions::BuildLimits() {
    auto* box = new QWidget;
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    if (page_ == kPageSeries) {
        auto* row = new QWidget;
        auto* rowLayout = TimeRow(totalLimitTime_, {1077, 1082, 1090});
        rowLayout->setContentsMargins(0, 0, 0, 0);
        row->setLayout(rowLayout);
        form->addRow(QStringLiteral("Limit total capture time to:"), row);
    }
    form->addRow(page_ == kPageSeries ? QStringLiteral("Limit total number of frames to:")
                                      : QStringLiteral("Limit number of frames to:"),
                 totalLimitDisk_ = FramesEdit(1080));
    return box;
}

QWidget* CCaptureOptions::BuildClip() {
    auto* box = new QWidget;
    auto* form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);

    auto* fpsRow = new QHBoxLayout;
    fpsRow->addWidget(fps_ = Named(new CFpsEdit, 1109));
    auto* learn = Named(new QPushButton(QStringLiteral("Learn from card")), 1173);
    connect(learn, &QPushButton::clicked, this, &CCaptureOptions::LearnFromCard);
    fpsRow->addWidget(learn);
    fpsRow->addStretch();
    form->addRow(QStringLiteral("Frames per second:"), fpsRow);

    auto* compressorRow = new QHBoxLayout;
    compressorRow->addWidget(compressor_ = Named(new QComboBox, 1171), 1);
    compressorRow->addWidget(compressorOptions_ = Named(new QPushButton(QStringLiteral("Options")), 1172));
    connect(compressorOptions_, &QPushButton::clicked, this, [this] {
        if (sources_.showCompressorOptions)
            sources_.showCompressorOptions(this, record_);
    });
    form->addRow(QStringLiteral("Compressor:"), compressorRow);
    return box;
}

QWidget* CCaptureOptions::BuildOverlay() {
    auto* box = new QGroupBox(QStringLiteral("Text overlay"));
    auto* grid = new QGridLayout(box);
    insertDate_ = Named(new QCheckBox(QStringLiteral("Insert Date and Time")), 1086);
    insertTimestamp_ = Named(new QCheckBox(QStringLiteral("Insert Timestamp")), 2390);
    insertMessage_ = Named(new QCheckBox(QStringLiteral("Insert Text Message:")), 1087);
    message_ = Named(new QLineEdit, 1088);
    message_->setMaxLength(kMaxTextChars);
    position_ = Named(new QComboBox, 1089);
    for (int id = res::IDS_POSITION_FIRST; id <= res::IDS_POSITION_LAST; ++id)
        position_->addItem(res::LoadString(id));
    grid->addWidget(insertDate_, 0, 0);
    grid->addWidget(insertTimestamp_, 0, 1);
    grid->addWidget(insertMessage_, 1, 0);
    grid->addWidget(message_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Position:")), 2, 0);
    grid->addWidget(position_, 2, 1);
    const std::pair<QCheckBox*, uint32_t CaptureOptionsRecord::*> flags[] = {
        {insertDate_, &CaptureOptionsRecord::InsertDate},
        {insertMessage_, &CaptureOptionsRecord::InsertMessage},
        {insertTimestamp_, &CaptureOptionsRecord::InsertTimestamp},
    };
    for (const auto& [check, field] : flags) {
        connect(check, &QCheckBox::clicked, this, [this, field](bool checked) {
            record_.*field = checked ? 1 : 0;
            ApplyOverlayRule();
        });
    }
    return box;
}

void CCaptureOptions::ShowRecord() {
    CaptureOptionsRecord& r = record_;
    QString fileName = GetText(r.FileName);
    if (fileName.isEmpty())
        fileName = QStringLiteral("untitled");
    if (page_ != kPageSeries)
        fileName = FixExtension(fileName, page_, r.ImageType);
    SetText(r.FileName, fileName);  // a name grown too long keeps the stored one
    fileName_->setText(GetText(r.FileName));

    if (appendFileName_)
        if (QAbstractButton* radio = appendFileName_->button(int(r.AppendFileName)))
            radio->setChecked(true);
    if (fps_)
        fps_->setValue(r.FPS);

    if (r.captEvery.hours == 0 && r.captEvery.minutes == 0 && r.captEvery.seconds == 0)
        r.Event = kEventContinuous;
    if (event_)
        if (QAbstractButton* radio = event_->button(int(r.Event)))
            radio->setChecked(true);
    if (captEvery_[0]) {
        ShowDuration(captEvery_, r.captEvery);
        ShowDuration(limitTime_, r.LimitTime);
        ShowDuration(totalLimitTime_, r.TotalLimitTime);
        limitDisk_->setValue(int(std::min<uint32_t>(r.LimitDisk, INT_MAX)));
    }
    if (totalLimitDisk_)
        totalLimitDisk_->setValue(int(std::min<uint32_t>(r.TotalLimitDisk, INT_MAX)));
    ApplyEventRule();

    if (bufferFrames_)
        bufferFrames_->setChecked(r.BufferFrames != 0);
    if (freezeLive_)
        freezeLive_->setChecked(r.FreezeLive != 0);

    position_->setCurrentIndex(r.Position < uint32_t(position_->count()) ? int(r.Position) : -1);
    insertDate_->setChecked(r.InsertDate != 0);
    insertMessage_->setChecked(r.InsertMessage != 0);
    insertTimestamp_->setChecked(r.InsertTimestamp != 0);
    message_->setText(GetText(r.Message));
    ApplyOverlayRule();

    if (compressor_) {
        const QStringList names = sources_.listCompressors ? sources_.listCompressors() : QStringList();
        compressor_->addItems(names);
        const int selected = SelectCompressor(names, GetText(r.CompressorName));
        compressor_->setCurrentIndex(selected);
        compressorOptions_->setEnabled(false);
        if (selected >= 0)
            ChooseCompressor(names[selected]);
        connect(compressor_, &QComboBox::currentTextChanged, this, &CCaptureOptions::ChooseCompressor);
    }
}

void CCaptureOptions::ApplyEventRule() {
    const bool periodic = record_.Event == kEventEvery || page_ == kPageAvi;
    for (QWidget* control : perEvent_)
        control->setEnabled(periodic);
}

void CCaptureOptions::ApplyOverlayRule() {
    const CaptureOptionsRecord& r = record_;
    position_->setEnabled(r.InsertDate != 0 || r.InsertMessage != 0 || r.InsertTimestamp != 0);
    message_->setEnabled(r.InsertMessage != 0);
}

void CCaptureOptions::ChooseCompressor(const QString& name) {
    // The record names the compressor shown, also when a stored name is no longer listed.
    SetText(record_.CompressorName, name);
    const bool hasOptions = sources_.useCompressor && sources_.useCompressor(name);
    compressorOptions_->setEnabled(hasOptions);
}

void CCaptureOptions::LearnFromCard() {
    const uint32_t rate = sources_.grabbingRate ? sources_.grabbingRate() : 0;
    if (rate != 0)
        fps_->setValue(double(rate));
}

void CCaptureOptions::Browse() {
    QFileDialog dialog(this);
    // The same dialog everywhere, and one the tests can look into.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const bool folder = page_ == kPageSeries;
    if (folder) {
        dialog.setWindowTitle(QStringLiteral("Browse for folder"));
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        dialog.setDirectory(GetText(record_.FileName));
    } else {
        SetText(record_.FileName, FixExtension(GetText(record_.FileName), page_, record_.ImageType));
        const auto [filter, suffix] = FileFilter(page_, record_.ImageType);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(filter);
        dialog.setDefaultSuffix(suffix);
        dialog.selectFile(GetText(record_.FileName));
    }
    const QString chosen = sources_.chooseFile                  ? sources_.chooseFile(dialog)
                           : dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0)
                                                                : QString();
    if (!chosen.isEmpty())
        StoreFileName(chosen, folder ? kUnacceptableFolder : kPathTooLong);
    fileName_->setText(GetText(record_.FileName));
}

bool CCaptureOptions::StoreFileName(const QString& name, const QString& refusal) {
    if (SetText(record_.FileName, name))
        return true;
    appkit::ShowMessage(this, refusal, QMessageBox::Warning);
    return false;
}

void CCaptureOptions::StoreDuration(const TimeEdits& edits, CaptureDuration& duration) {
    duration.hours = int16_t(edits[0]->value());
    duration.minutes = int16_t(edits[1]->value());
    duration.seconds = int16_t(edits[2]->value());
}

void CCaptureOptions::ShowDuration(const TimeEdits& edits, const CaptureDuration& duration) {
    edits[0]->setValue(duration.hours);
    edits[1]->setValue(duration.minutes);
    edits[2]->setValue(duration.seconds);
}

void CCaptureOptions::accept() {
    CaptureOptionsRecord& r = record_;
    if (position_->currentIndex() >= 0)
        r.Position = uint32_t(position_->currentIndex());
    SetText(r.Message, message_->text());

    if (fps_) {
        r.FPS = fps_->value();
        if (!(r.FPS > 0)) {
            appkit::ShowMessage(this, res::LoadString(res::IDS_FPS_NOT_POSITIVE), QMessageBox::Warning);
            return;
        }
    }
    if (captEvery_[0]) {
        StoreDuration(captEvery_, r.captEvery);
        if (r.captEvery.hours == 0 && r.captEvery.minutes == 0 && r.captEvery.seconds == 0)
            r.Event = kEventContinuous;
        r.LimitDisk = uint32_t(limitDisk_->value());
        StoreDuration(limitTime_, r.LimitTime);
        StoreDuration(totalLimitTime_, r.TotalLimitTime);
    }
    if (totalLimitDisk_)
        r.TotalLimitDisk = uint32_t(totalLimitDisk_->value());

    QString fileName = fileName_->text();
    if (fileName.isEmpty()) {
        appkit::ShowMessage(this, res::LoadString(res::IDS_EMPTY_FILE_NAME), QMessageBox::Warning);
        return;
    }
    if (page_ != kPageSeries)
        fileName = FixExtension(fileName, page_, r.ImageType);
    if (!StoreFileName(fileName, kPathTooLong))
        return;

    if (bufferFrames_)
        r.BufferFrames = bufferFrames_->isChecked() ? 1 : 0;
    if (freezeLive_)
        r.FreezeLive = freezeLive_->isChecked() ? 1 : 0;
    QDialog::accept();
}
