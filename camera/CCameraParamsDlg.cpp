#include "camera/CCameraParamsDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QVBoxLayout>

#include "camera/CAutoLearnDlg.h"
#include "camera/CTapReconstrPreview.h"
#include "camera/CUnsignedSpinEdit.h"
#include "camera/CameraParamsRules.h"
#include "camera/GeometryGrid.h"
#include "camera/TapFormatList.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

using namespace cameraparams;

namespace {

QPushButton* pushButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);  // Enter means "Apply", whichever control has the focus
    return button;
}

QRadioButton* addRadio(QButtonGroup* group, int id, const QString& text, QWidget* parent) {
    auto* radio = new QRadioButton(text, parent);
    group->addButton(radio, id);
    return radio;
}

// A button of a group that keeps its choice while it does not apply (the bit
// depth groups, the pattern cells): disabled, it shows no check, so the dialog
// never shows two depths checked at once, nor a pattern for a monochrome camera.
class ChoiceRadio : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        if (!isEnabled())
            option.state = (option.state & ~QStyle::State_On) | QStyle::State_Off;
        painter.drawControl(QStyle::CE_RadioButton, option);
    }
};

QRadioButton* addChoiceRadio(QButtonGroup* group, int id, const QString& text, QWidget* parent) {
    auto* radio = new ChoiceRadio(text, parent);
    group->addButton(radio, id);
    return radio;
}

void check(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id))
        button->setChecked(true);
}

}  // namespace

CCameraParamsDlg::CCameraParamsDlg(QWidget* parent) : CFloatingDlg(parent) {
    setWindowTitle(QStringLiteral("Camera parameters"));
}

CCameraParamsDlg::~CCameraParamsDlg() = default;

int CCameraParamsDlg::GetID() const {
    return res::IDD_CAMERA_PARAMETERS;
}

void CCameraParamsDlg::OnInitDialog() {
    auto* left = new QVBoxLayout;
    left->addWidget(BuildTexts());
    left->addWidget(BuildGeometry());
    left->addWidget(BuildTaps());
    left->addWidget(BuildStrobes());
    auto* colour = new QHBoxLayout;
    colour->addWidget(BuildVideoType());
    colour->addWidget(BuildBitDepth());
    colour->addWidget(BuildPattern());
    left->addLayout(colour);
    left->addWidget(BuildButtons());

    auto* previewBox = new QGroupBox(QStringLiteral("Tap preview"), this);
    preview_ = new CTapReconstrPreview(previewBox);
    preview_->setFixedSize(200, 400);
    (new QVBoxLayout(previewBox))->addWidget(preview_, 0, Qt::AlignTop);

    auto* layout = new QHBoxLayout(this);
    // The window follows its contents: showing the preview widens it by the preview's width.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(left);
    layout->addWidget(previewBox);

    TapConfig config{};
    preview_->GetTapConfig(config);
    tapformatlist::Select(*tapFormats_, config);
    previewShown_ = true;
    ShowPreview(false);
    UpdateVideoType();
}

QWidget* CCameraParamsDlg::BuildTexts() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const char* labels[] = {"Manufacturer:", "Model:", "Description:", "Alias:"};
    for (int i = 0; i < 4; ++i) {
        texts_[i] = new QLineEdit(box);
        grid->addWidget(new QLabel(QLatin1String(labels[i]), box), i, 0);
        grid->addWidget(texts_[i], i, 1);
    }
    return box;
}

QWidget* CCameraParamsDlg::BuildGeometry() {
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    AddGeometryLabels(*grid, box);
    for (int i = 0; i < 6; ++i) {
        geometry_[i] = new CUnsignedSpinEdit(box);
        geometry_[i]->setRange(0, kGeometryMax);
        grid->addWidget(geometry_[i], 1 + i / 3, 1 + i % 3);
    }
    learn_ = pushButton(QStringLiteral("Learn"), box);
    swapTaps_ = new QCheckBox(QStringLiteral("Swap taps"), box);
    grid->addWidget(learn_, 3, 1);
    grid->addWidget(swapTaps_, 3, 2);
    connect(learn_, &QPushButton::clicked, this, &CCameraParamsDlg::OnLearn);
    return box;
}

QWidget* CCameraParamsDlg::BuildTaps() {
    auto* box = new QGroupBox(QStringLiteral("Tap reconstruction"), this);
    auto* row = new QHBoxLayout(box);
    tapFormats_ = new QComboBox(box);
    tapformatlist::Fill(*tapFormats_);
    more_ = pushButton(res::LoadString(res::IDS_MORE), box);
    row->addWidget(tapFormats_, 1);
    row->addWidget(more_);
    connect(tapFormats_, &QComboBox::activated, this, &CCameraParamsDlg::OnTapFormatChosen);
    connect(more_, &QPushButton::clicked, this, [this] { ShowPreview(!previewShown_); });
    return box;
}

QWidget* CCameraParamsDlg::BuildStrobes() {
    auto* box = new QGroupBox(QStringLiteral("Strobes"), this);
    auto* grid = new QGridLayout(box);
    const char* labels[] = {"Ignore DVAL", "Invert DVAL", "Invert LVAL", "Invert FVAL"};
    for (int i = 0; i < 4; ++i) {
        strobes_[i] = new QCheckBox(QLatin1String(labels[i]), box);
        grid->addWidget(strobes_[i], i / 2, i % 2);
    }
    return box;
}

QWidget* CCameraParamsDlg::BuildVideoType() {
    auto* box = new QGroupBox(QStringLiteral("Video Type"), this);
    auto* column = new QVBoxLayout(box);
    videoType_ = new QButtonGroup(box);
    const char* labels[] = {"Monochrome", "Bayer", "RGB", "CMYG", "TRUESENSE"};
    for (int i = 0; i < 5; ++i)
        column->addWidget(addRadio(videoType_, i, QLatin1String(labels[i]), box));
    videoType_->button(kCmyg)->setEnabled(false);
    check(videoType_, kMonochrome);
    connect(videoType_, &QButtonGroup::idClicked, this, &CCameraParamsDlg::UpdateVideoType);
    packed_ = new QCheckBox(QStringLiteral("Packed"), box);
    column->addWidget(packed_);
    return box;
}

QWidget* CCameraParamsDlg::BuildBitDepth() {
    auto* box = new QGroupBox(QStringLiteral("Camera bit depth"), this);
    auto* grid = new QGridLayout(box);
    monoDepth_ = new QButtonGroup(box);
    rgbDepth_ = new QButtonGroup(box);
    for (int k = 0; k < kMonoDepthCount; ++k)
        grid->addWidget(addChoiceRadio(monoDepth_, k, QString::number(MonoDepthOf(k)), box), k, 0);
    for (int k = 0; k < kRgbDepthCount; ++k)
        grid->addWidget(addChoiceRadio(rgbDepth_, k, QStringLiteral("RGB%1").arg(RgbDepthOf(k)), box), k, 1);
    check(monoDepth_, 0);
    check(rgbDepth_, 0);
    connect(monoDepth_, &QButtonGroup::idClicked, this, &CCameraParamsDlg::UpdatePackedEnabling);
    return box;
}

QWidget* CCameraParamsDlg::BuildPattern() {
    auto* box = new QGroupBox(QStringLiteral("Pattern start"), this);
    auto* grid = new QGridLayout(box);
    pattern_ = new QButtonGroup(box);
    for (int cell = 0; cell < kPatternCells; ++cell)
        grid->addWidget(
            addChoiceRadio(pattern_, cell, QString(QLatin1Char(CellLabel(kTruesense, cell))), box), cell / 4,
            cell % 4);
    check(pattern_, 0);
    return box;
}

QWidget* CCameraParamsDlg::BuildButtons() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* apply = pushButton(QStringLiteral("Apply"), box);
    startGrab_ = pushButton(res::LoadString(res::IDS_START_GRAB), box);
    startGrab_->setCheckable(true);
    auto* load = pushButton(QStringLiteral("Load..."), box);
    auto* save = pushButton(QStringLiteral("Save..."), box);
    for (QPushButton* button : {apply, startGrab_, load, save})
        row->addWidget(button);
    connect(apply, &QPushButton::clicked, this, [this] { NotifyOwner(kApply); });
    connect(load, &QPushButton::clicked, this, [this] { NotifyOwner(kLoad); });
    connect(save, &QPushButton::clicked, this, [this] { NotifyOwner(kSave); });
    connect(startGrab_, &QPushButton::clicked, this, &CCameraParamsDlg::OnStartGrabClicked);
    return box;
}

void CCameraParamsDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        NotifyOwner(kApply);
        return;
    }
    CFloatingDlg::keyPressEvent(event);
}

void CCameraParamsDlg::SetPackedAvailable(bool available) {
    packedAvailable_ = available;
    if (Exists())
        UpdatePackedEnabling();
}

CCameraParamsDlg::CameraTexts CCameraParamsDlg::GetCameraTexts() const {
    if (!Exists())
        return {};
    return {texts_[0]->text(), texts_[1]->text(), texts_[2]->text(), texts_[3]->text()};
}

void CCameraParamsDlg::SetCameraTexts(const CameraTexts& texts) {
    if (!Exists())
        return;
    const QString* values[] = {&texts.manufacturer, &texts.model, &texts.description, &texts.alias};
    for (int i = 0; i < 4; ++i)
        texts_[i]->setText(*values[i]);
}

void CCameraParamsDlg::ShowPreview(bool show) {
    if (!Exists() || show == previewShown_)
        return;
    previewShown_ = show;
    preview_->parentWidget()->setVisible(show);
    more_->setText(res::LoadString(show ? res::IDS_LESS : res::IDS_MORE));
}

uint32_t CCameraParamsDlg::Geometry(int index) const {
    return Exists() ? geometry_[index]->value() : 0;
}

void CCameraParamsDlg::SetGeometry(int index, uint32_t value) {
    if (Exists())
        geometry_[index]->setValue(value);
}

bool CCameraParamsDlg::Flag(const QAbstractButton* box) const {
    return Exists() && box->isChecked();
}

void CCameraParamsDlg::SetFlag(QAbstractButton* box, bool on) {
    if (Exists())
        box->setChecked(on);
}

CameraConfig& CCameraParamsDlg::GetConfig(CameraConfig& config) const {
    config = CameraConfig{};
    if (!Exists())
        return config;
    config.widthPreValid = GetWidthPreValid();
    config.widthValid = GetWidthValid();
    config.widthPostValid = GetWidthPostValid();
    config.heightPreValid = GetHeightPreValid();
    config.heightValid = GetHeightValid();
    config.heightPostValid = GetHeightPostValid();
    config.bitDepth = GetBitDepth();
    config.packed = PackedOf(config.bitDepth, packedAvailable_, GetPacked());
    GetTapConfig(config.tapConfig);
    config.swapTaps = GetSwapTaps();
    config.ignoreDval = GetIgnoreDval();
    config.invertDval = GetInvertDval();
    config.invertLval = GetInvertLval();
    config.invertFval = GetInvertFval();
    return config;
}

void CCameraParamsDlg::SetConfig(const CameraConfig& config) {
    if (!Exists())
        return;
    SetWidthPreValid(config.widthPreValid);
    SetWidthValid(config.widthValid);
    SetWidthPostValid(config.widthPostValid);
    SetHeightPreValid(config.heightPreValid);
    SetHeightValid(config.heightValid);
    SetHeightPostValid(config.heightPostValid);
    SetBitDepth(config.bitDepth);
    SetPacked(config.packed != 0 && packedAvailable_);
    SetTapConfig(config.tapConfig);
    SetSwapTaps(config.swapTaps != 0);
    SetIgnoreDval(config.ignoreDval != 0);
    SetInvertDval(config.invertDval != 0);
    SetInvertLval(config.invertLval != 0);
    SetInvertFval(config.invertFval != 0);
}

uint32_t CCameraParamsDlg::GetBitDepth() const {
    if (!Exists())
        return 0;
    return GetVideoType() == kRgb ? GetRgbBitDepth() : GetMonoBitDepth();
}

void CCameraParamsDlg::SetBitDepth(uint32_t value) {
    if (!Exists())
        return;
    if (value > 16) {
        SetRgbBitDepth(value);
        SetMonoBitDepth(value / 3);
    } else {
        SetMonoBitDepth(value);
        SetRgbBitDepth(value * 3);
    }
    UpdateCameraLinkMode();
}

uint32_t CCameraParamsDlg::GetMonoBitDepth() const {
    return Exists() ? MonoDepthOf(monoDepth_->checkedId()) : 0;
}

void CCameraParamsDlg::SetMonoBitDepth(uint32_t value) {
    // An index without a button keeps the current one.
    if (const auto k = MonoIndexOf(value); Exists() && k)
        check(monoDepth_, *k);
}

uint32_t CCameraParamsDlg::GetRgbBitDepth() const {
    return Exists() ? RgbDepthOf(rgbDepth_->checkedId()) : 0;
}

void CCameraParamsDlg::SetRgbBitDepth(uint32_t value) {
    if (const auto k = RgbIndexOf(value); Exists() && k)
        check(rgbDepth_, *k);
}

TapConfig& CCameraParamsDlg::GetTapConfig(TapConfig& config) const {
    config = TapConfig{};
    if (Exists())
        preview_->GetTapConfig(config);
    return config;
}

void CCameraParamsDlg::SetTapConfig(const TapConfig& config) {
    if (!Exists())
        return;
    preview_->SetTapConfig(config);
    tapformatlist::Select(*tapFormats_, config);
    UpdateCameraLinkMode();
}

int CCameraParamsDlg::GetVideoType() const {
    if (!Exists())
        return 0;
    const int type = videoType_->checkedId();
    return type >= kMonochrome && type <= kCmyg ? type : kTruesense;
}

void CCameraParamsDlg::SetVideoType(int type) {
    if (!Exists())
        return;
    check(videoType_, type);
    UpdateVideoType();
}

int CCameraParamsDlg::GetPatternStart() const {
    return Exists() ? pattern_->checkedId() : 0;
}

void CCameraParamsDlg::SetPatternStart(int cell) {
    if (Exists())
        check(pattern_, cell);
}

void CCameraParamsDlg::SetGrabOn(bool on) {
    if (!Exists())
        return;
    startGrab_->setChecked(on);
    UpdateGrabCaption();
}

bool CCameraParamsDlg::IsStartGrabEnabled() const {
    return Exists() && startGrab_->isEnabledTo(this);
}

void CCameraParamsDlg::EnableStartGrab(bool enable) {
    if (Exists())
        startGrab_->setEnabled(enable);
}

bool CCameraParamsDlg::IsSwapTapsLocked() const {
    return Exists() && !swapTaps_->isEnabledTo(this);
}

void CCameraParamsDlg::LockSwapTaps(bool lock) {
    if (Exists())
        swapTaps_->setEnabled(!lock);
}

void CCameraParamsDlg::OnTapFormatChosen(int index) {
    TapConfig config{};
    GetTapConfig(config);
    tapformatlist::Choose(this, index, config);
    // Re-selects the entry of the result: a custom geometry equal to a standard one shows that one.
    SetTapConfig(config);
}

void CCameraParamsDlg::OnLearn() {
    uint32_t clocksPerLine = 0, linesPerFrame = 0;
    if (!measureSignal_ || !measureSignal_(clocksPerLine, linesPerFrame))
        return;
    TapConfig config{};
    CAutoLearnDlg learn(clocksPerLine, linesPerFrame, GetTapConfig(config), this);
    if (learn.exec() == QDialog::Accepted) {
        SetWidthPreValid(learn.widthPreValid());
        SetWidthValid(learn.widthValid());
        SetWidthPostValid(learn.widthPostValid());
        SetHeightPreValid(learn.heightPreValid());
        SetHeightValid(learn.heightValid());
        SetHeightPostValid(learn.heightPostValid());
        SetTapConfig(learn.tapConfig());
    }
    UpdateCameraLinkMode();
}

void CCameraParamsDlg::OnStartGrabClicked() {
    UpdateGrabCaption();
    NotifyOwner(kStartStopGrab);
}

void CCameraParamsDlg::UpdateGrabCaption() {
    startGrab_->setText(res::LoadString(startGrab_->isChecked() ? res::IDS_STOP_GRAB : res::IDS_START_GRAB));
}

void CCameraParamsDlg::UpdateVideoType() {
    const int type = GetVideoType();
    for (QAbstractButton* button : monoDepth_->buttons())
        button->setEnabled(type != kRgb);
    for (QAbstractButton* button : rgbDepth_->buttons())
        button->setEnabled(type == kRgb);
    if (type == kBayer && !IsBayerCell(pattern_->checkedId()))
        check(pattern_, 0);
    for (int cell = 0; cell < kPatternCells; ++cell) {
        QAbstractButton* button = pattern_->button(cell);
        button->setEnabled(type == kTruesense || (type == kBayer && IsBayerCell(cell)));
        button->setText(QString(QLatin1Char(CellLabel(type, cell))));
    }
    UpdatePackedEnabling();
}

void CCameraParamsDlg::UpdatePackedEnabling() {
    packed_->setEnabled(PackedSelectable(packedAvailable_, GetVideoType(), GetMonoBitDepth()));
    UpdateCameraLinkMode();
}

void CCameraParamsDlg::UpdateCameraLinkMode() {
    TapConfig config{};
    LockSwapTaps(!SwapTapsAllowed(GetBitDepth(), GetTapConfig(config)));
}
