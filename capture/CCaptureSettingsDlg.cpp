#include "capture/CCaptureSettingsDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <memory>

#include "res/ResourceIds.h"
#include "res/StringTable.h"

using namespace capture;

namespace {

// The slider runs from "Best" to "Small": JPEG quality 100 - 10 x position.
constexpr int kQualitySteps = 9;

template <typename Widget>
Widget* Named(Widget* widget, int id) {
    widget->setObjectName(QString::number(id));
    return widget;
}

}  // namespace

CCaptureSettingsDlg::CCaptureSettingsDlg(QWidget* parent) : CFloatingDlg(parent) {
    setWindowTitle(QStringLiteral("Capture settings"));
    setObjectName(QStringLiteral("IDD_%1").arg(res::IDD_CAPTURE_SETTINGS));
    settings_.Load();
}

int CCaptureSettingsDlg::GetID() const {
    return res::IDD_CAPTURE_SETTINGS;
}

void CCaptureSettingsDlg::OnInitDialog() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildImageFormat());
    layout->addWidget(BuildMode());

    startStop_ = Named(new QPushButton(res::LoadString(res::IDS_START_CAPTURE)), 1012);
    startStop_->setCheckable(true);
    connect(startStop_, &QPushButton::clicked, this, [this](bool checked) {
        captureOn_ = checked;
        Refresh();
        NotifyOwner(kStartStopCapture);
    });
    layout->addWidget(startStop_);

    savingLabel_ = Named(new QLabel(QStringLiteral("Saving to disk. Please wait...")), 1170);
    progress_ = Named(new QProgressBar, 1169);
    progress_->setRange(0, 0);
    layout->addWidget(savingLabel_);
    layout->addWidget(progress_);
    savingLabel_->hide();
    progress_->hide();

    if (QAbstractButton* radio = imageType_->button(int(settings_.ImageType)))
        radio->setChecked(true);
    if (QAbstractButton* radio = saveType_->button(int(settings_.SaveType)))
        radio->setChecked(true);
    normalize_->setChecked(settings_.Normalize);
    startStop_->setChecked(captureOn_);
    Refresh();
}

QWidget* CCaptureSettingsDlg::BuildImageFormat() {
    static constexpr const char* kTexts[] = {"BMP", "JPEG", "TIFF", "RAW"};
    auto* box = new QGroupBox(QStringLiteral("Image format"));
    auto* grid = new QGridLayout(box);
    imageType_ = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* radio = Named(new QRadioButton(QString::fromLatin1(kTexts[i])), kImageBmp + i);
        imageType_->addButton(radio, kImageBmp + i);
        grid->addWidget(radio, 0, i);
        controls_.push_back(radio);
    }
    connect(imageType_, &QButtonGroup::idClicked, this, [this](int id) {
        settings_.SetImageType(uint32_t(id));
        ApplyImageTypeRule();
    });

    normalize_ = Named(new QCheckBox(QStringLiteral("Normalize")), 1004);
    connect(normalize_, &QCheckBox::clicked, this, [this](bool checked) { settings_.Normalize = checked; });
    grid->addWidget(normalize_, 1, 0, 1, 4);

    quality_ = Named(new QSlider(Qt::Horizontal), 1005);
    quality_->setRange(0, kQualitySteps);
    quality_->setPageStep(1);
    quality_->setValue(int(std::min<uint32_t>(settings_.JPGQuality, kQualitySteps)));
    connect(quality_, &QSlider::valueChanged, this,
            [this](int value) { settings_.JPGQuality = uint32_t(value); });
    auto* best = new QLabel(QStringLiteral("Best"));
    auto* small = new QLabel(QStringLiteral("Small"));
    grid->addWidget(best, 2, 0);
    grid->addWidget(quality_, 2, 1, 1, 2);
    grid->addWidget(small, 2, 3);
    controls_.insert(controls_.end(), {normalize_, quality_, best, small, box});
    return box;
}

QWidget* CCaptureSettingsDlg::BuildMode() {
    static constexpr const char* kTexts[] = {"Single Frames...", "Series of frames...", "AVI Video..."};
    auto* box = new QGroupBox(QStringLiteral("Capture mode"));
    auto* grid = new QGridLayout(box);
    saveType_ = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        const auto mode = SaveType(kSaveSingleFrame + i);
        auto* radio = Named(new QRadioButton, mode);
        saveType_->addButton(radio, mode);
        auto* button = Named(new QPushButton(QString::fromLatin1(kTexts[i])), 1009 + i);
        connect(button, &QPushButton::clicked, this, [this, mode] { OpenOptionsPage(mode); });
        grid->addWidget(radio, i, 0);
        grid->addWidget(button, i, 1);
        pageButtons_.push_back(button);
        controls_.insert(controls_.end(), {radio, button});
    }
    connect(saveType_, &QButtonGroup::idClicked, this, [this](int id) {
        settings_.SetSaveType(uint32_t(id));
        ApplyModeRule();
    });
    controls_.push_back(box);
    return box;
}

void CCaptureSettingsDlg::ApplyImageTypeRule() {
    quality_->setEnabled(settings_.ImageType == kImageJpeg);
    normalize_->setEnabled(settings_.ImageType == kImageTiff || settings_.ImageType == kImageRaw);
}

void CCaptureSettingsDlg::ApplyModeRule() {
    for (size_t i = 0; i < pageButtons_.size(); ++i)
        pageButtons_[i]->setEnabled(settings_.SaveType == kSaveSingleFrame + i);
}

void CCaptureSettingsDlg::SetCaptureOn(bool on) {
    captureOn_ = on;
    if (!IsCreated())
        return;
    startStop_->setChecked(on);
    Refresh();
}

void CCaptureSettingsDlg::Refresh() {
    for (QWidget* control : controls_)
        control->setEnabled(!captureOn_);
    if (!captureOn_) {
        ApplyImageTypeRule();
        ApplyModeRule();
    }
    startStop_->setText(res::LoadString(captureOn_ ? res::IDS_STOP_CAPTURE : res::IDS_START_CAPTURE));
}

void CCaptureSettingsDlg::SetProgressRange(uint32_t count) {
    if (progress_)
        progress_->setRange(0, int(std::min<uint32_t>(count, INT_MAX)));
}

void CCaptureSettingsDlg::SetProgressRemaining(uint32_t remaining) {
    if (!progress_)
        return;
    const int maximum = progress_->maximum();
    progress_->setValue(maximum - int(std::min<uint32_t>(remaining, uint32_t(maximum))));
}

void CCaptureSettingsDlg::SetSavingMode(bool ready) {
    if (!IsCreated())
        return;
    startStop_->setVisible(ready);
    startStop_->setEnabled(ready);
    savingLabel_->setVisible(!ready);
    savingLabel_->setEnabled(!ready);
    progress_->setVisible(!ready);
    progress_->setEnabled(!ready);
    if (ready) {
        // The settings stay locked should a capture be on again.
        Refresh();
        return;
    }
    for (QWidget* control : controls_)
        control->setEnabled(false);
}

void CCaptureSettingsDlg::OpenOptionsPage(SaveType mode) {
    CaptureOptionsRecord& record = mode == kSaveSeries ? settings_.series
                                   : mode == kSaveAvi  ? settings_.avi
                                                       : settings_.singleFrame;
    // Over the main window, which owns the settings.
    QWidget* owner = parentWidget() ? parentWidget() : this;
    std::unique_ptr<CCaptureOptions> options;
    if (mode == kSaveSeries)
        options = std::make_unique<CMultipleFrameOpts>(record, sources_, owner);
    else if (mode == kSaveAvi)
        options = std::make_unique<CAVIOpts>(record, sources_, owner);
    else
        options = std::make_unique<CSingleFrameOpts>(record, sources_, owner);
    if (options->exec() != QDialog::Accepted)
        return;
    record = options->Record();
    Save();
    NotifyOwner(kOptionsAccepted);
}
