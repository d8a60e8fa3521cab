#include "camera/CRGBControlDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <cstdlib>
#include <utility>

#include "camera/CNumericEdit.h"
#include "camera/CUpDown.h"
#include "res/ResourceIds.h"

using namespace rgbcontrol;

namespace {

const char* const kColourNames[] = {"Red", "Green", "Blue"};

QPushButton* pushButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

QString BalanceLine(Colour c, double gain) {
    return QStringLiteral("%1 gain = ").arg(QLatin1String(kColourNames[c])) + QString::asprintf("%f", gain);
}

}  // namespace

CRGBControlDlg::CRGBControlDlg(QWidget* parent) : CFloatingDlg(parent) {
    setWindowTitle(QStringLiteral("RGB Control"));
}

int CRGBControlDlg::GetID() const {
    return res::IDD_RGB_CONTROL;
}

void CRGBControlDlg::OnInitDialog() {
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(BuildOffsets());
    layout->addWidget(BuildGains());
    layout->addWidget(BuildBalance());
    built_ = true;
    ShowOffsets({0, 0, 0});
    SetGains({1.0, 1.0, 1.0});
}

QWidget* CRGBControlDlg::BuildOffsets() {
    auto* box = new QGroupBox(QStringLiteral("RGB Offset"), this);
    auto* grid = new QGridLayout(box);
    for (int c = 0; c < 3; ++c) {
        const Colour colour = Colour(c);
        ColourControls& k = colours_[c];
        k.slider = new QSlider(Qt::Horizontal, box);
        k.slider->setRange(kOffsetMin, kOffsetMax);
        k.slider->setMinimumWidth(160);
        k.edit = new CNumericEdit(box);
        k.edit->setFixedWidth(50);
        k.spinner = new CUpDown(box);
        k.spinner->setRange(kOffsetMin, kOffsetMax);
        auto* zero = pushButton(QStringLiteral("zero"), box);
        grid->addWidget(new QLabel(QLatin1String(kColourNames[c]), box), c, 0);
        grid->addWidget(k.slider, c, 1);
        grid->addWidget(k.edit, c, 2);
        grid->addWidget(k.spinner, c, 3);
        grid->addWidget(zero, c, 4);
        connect(k.slider, &QSlider::valueChanged, this, [this, colour](int value) {
            if (!showing_)
                OnOffsetChanged(colour, value, From::Slider);
        });
        connect(k.spinner, &CUpDown::stepped, this,
                [this, colour](int, int position) { OnOffsetChanged(colour, position, From::Spinner); });
        connect(k.edit, &CNumericEdit::left, this,
                [this, colour] { OnOffsetChanged(colour, GetOffset(colour), From::Edit); });
        connect(zero, &QPushButton::clicked, this,
                [this, colour] { OnOffsetChanged(colour, 0, From::Zero); });
    }
    link_ = new QCheckBox(QStringLiteral("Link"), box);
    grid->addWidget(link_, 3, 1);
    connect(link_, &QCheckBox::clicked, this, [this] {
        linked_ = !linked_;
        if (linked_)
            differences_ = DifferencesOf(offsets());
    });
    return box;
}

QWidget* CRGBControlDlg::BuildGains() {
    auto* box = new QGroupBox(QStringLiteral("RGB Gain"), this);
    auto* row = new QHBoxLayout(box);
    for (int c = 0; c < 3; ++c) {
        colours_[c].gain = new CNumericEdit(box);
        row->addWidget(new QLabel(QLatin1String(kColourNames[c]), box));
        row->addWidget(colours_[c].gain);
        connect(colours_[c].gain, &CNumericEdit::left, this, [this] { NotifyOwner(kChanged); });
    }
    auto* unity = pushButton(QStringLiteral("Unity"), box);
    row->addWidget(unity);
    connect(unity, &QPushButton::clicked, this, [this] {
        SetGains({1.0, 1.0, 1.0});
        NotifyOwner(kChanged);
    });
    return box;
}

QWidget* CRGBControlDlg::BuildBalance() {
    auto* box = new QGroupBox(QStringLiteral("White balance"), this);
    auto* grid = new QGridLayout(box);
    auto* analyze = pushButton(QStringLiteral("Analyze"), box);
    auto* apply = pushButton(QStringLiteral("Apply"), box);
    mean_ = new QLabel(QStringLiteral("Mean RGB = {0,0,0}"), box);
    grid->addWidget(analyze, 0, 0);
    grid->addWidget(apply, 1, 0);
    grid->addWidget(mean_, 0, 1);
    for (int c = 0; c < 3; ++c) {
        colours_[c].balance = new QLabel(BalanceLine(Colour(c), 0.0), box);
        grid->addWidget(colours_[c].balance, 1 + c, 1);
    }
    connect(analyze, &QPushButton::clicked, this, [this] { NotifyOwner(kAnalyze); });
    connect(apply, &QPushButton::clicked, this, [this] {
        SetGains(balance_);
        NotifyOwner(kChanged);
    });
    return box;
}

// ---- values -------------------------------------------------------------

int CRGBControlDlg::GetOffset(Colour c) const {
    return Exists() ? std::atoi(colours_[c].edit->text().toLatin1().constData()) : 0;
}

void CRGBControlDlg::SetOffset(Colour c, int offset) {
    if (!Exists())
        return;
    colours_[c].edit->setText(QString::number(offset));
    ShowOffsets(offsets());
}

double CRGBControlDlg::GetGain(Colour c) const {
    return Exists() ? LeadingDecimal(colours_[c].gain->text()) : 0.0;
}

void CRGBControlDlg::SetGain(Colour c, double gain) {
    if (Exists())
        colours_[c].gain->setText(QString::asprintf("%.7f", gain));
}

void CRGBControlDlg::SetGains(const Triple& gains) {
    for (int c = 0; c < 3; ++c)
        SetGain(Colour(c), gains[c]);
}

Offsets CRGBControlDlg::offsets() const {
    return {GetOffset(kRed), GetOffset(kGreen), GetOffset(kBlue)};
}

// Edits keep any value; sliders and spinners stop at their ends.
void CRGBControlDlg::ShowOffsets(const Offsets& o) {
    const bool wasShowing = std::exchange(showing_, true);
    for (int c = 0; c < 3; ++c) {
        colours_[c].edit->setText(QString::number(o[c]));
        colours_[c].slider->setValue(o[c]);
        colours_[c].spinner->setPosition(o[c]);
    }
    showing_ = wasShowing;
}

void CRGBControlDlg::OnOffsetChanged(Colour c, int value, From from) {
    ShowOffsets(MoveOffset(offsets(), c, value, linked_, differences_));
    if (from == From::Slider || from == From::Spinner)
        SetGains(balance_);
    NotifyOwner(kChanged);
}

void CRGBControlDlg::SetWhiteBalance(const Triple& means, const Triple& gains) {
    balance_ = gains;
    if (!Exists())
        return;
    mean_->setText(MeanText(means));
    for (int c = 0; c < 3; ++c)
        colours_[c].balance->setText(BalanceLine(Colour(c), gains[c]));
}

QString CRGBControlDlg::balanceText(int line) const {
    if (!Exists())
        return QString();
    return line == 0 ? mean_->text() : colours_[line - 1].balance->text();
}

// Enter applies the values as they stand; the window stays open.
void CRGBControlDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        NotifyOwner(kChanged);
        return;
    }
    CFloatingDlg::keyPressEvent(event);
}
