#include "player/CPlayer.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "kit/MessageBox.h"
#include "kit/WindowPlacement.h"
#include "player/CPlayerCtrl.h"
#include "player/CPlayerView.h"
#include "res/StringTable.h"

using namespace player;

namespace {
constexpr int kMargin = 5;
constexpr int kPlayPeriodMs = 40;  // 25 images a second
constexpr int kFastPeriodMs = 1;   // as fast as the timer allows
constexpr int kCheckable[] = {IDC_REWIND, IDC_PLAY, IDC_FAST_FORWARD};
}  // namespace

CPlayer::CPlayer(QSize viewSize, int sizeChoice, QWidget* parent)
    : QDialog(parent), viewSize_(viewSize), sizeChoice_(sizeChoice) {
    setWindowTitle(QStringLiteral("Player Dialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    view_ = new CPlayerView(this);
    view_->SetImage(&image_);
    for (int id : {IDC_REWIND, IDC_STEP_BACK, IDC_PLAY, IDC_STEP_FORWARD, IDC_FAST_FORWARD, IDC_STOP}) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::number(id));
        button->setCheckable(id == IDC_REWIND || id == IDC_PLAY || id == IDC_FAST_FORWARD);
        button->hide();
        buttons_.insert(id, button);
    }
    for (QTimer* timer : {&rewindTimer_, &forwardTimer_})
        timer->setTimerType(Qt::PreciseTimer);
    connect(&rewindTimer_, &QTimer::timeout, this, [this] { tick(CPlayerCtrl::kPrevious); });
    connect(&forwardTimer_, &QTimer::timeout, this, [this] { tick(CPlayerCtrl::kNext); });

    control_ = std::make_unique<CPlayerCtrl>(sizeChoice_, this);
    connect(control_.get(), &CPlayerCtrl::command, this, [this](int id, bool checked) {
        if (std::find(std::begin(kCheckable), std::end(kCheckable), id) != std::end(kCheckable))
            buttons_.value(id)->setChecked(checked);
        OnCommand(id);
    });
    connect(control_.get(), &CPlayerCtrl::showFile, this, &CPlayer::ShowFile);
    connect(control_.get(), &CPlayerCtrl::closed, this, &QWidget::close, Qt::QueuedConnection);
    control_->show();
    layOut();
}

CPlayer::~CPlayer() = default;

void CPlayer::ShowFile(const QString& path) {
    const FileStatus status = loader_.Load(path, image_);
    if (status != FileStatus::Ok) {
        // The running timer ticks on while the message is up; it moves on once the
        // message is closed instead of stacking a message for every file meanwhile.
        messageShown_ = true;
        appkit::ShowMessage(this, res::LoadString(MessageIdFor(status)).replace(QLatin1String("%s"), path));
        messageShown_ = false;
    }
    applySizeChoice();
    view_->repaint();
}

void CPlayer::OnCommand(int id) {
    switch (id) {
        case IDC_REWIND:
            run(id, rewindTimer_, kFastPeriodMs);
            break;
        case IDC_PLAY:
            run(id, forwardTimer_, kPlayPeriodMs);
            break;
        case IDC_FAST_FORWARD:
            run(id, forwardTimer_, kFastPeriodMs);
            break;
        case IDC_STEP_BACK:
        case IDC_STEP_FORWARD: {
            stop();
            const int request = id == IDC_STEP_BACK ? CPlayerCtrl::kPrevious : CPlayerCtrl::kNext;
            QMetaObject::invokeMethod(
                control_.get(), [c = control_.get(), request] { c->OnRequest(request); },
                Qt::QueuedConnection);
            break;
        }
        case IDC_STOP:
            stop();
            break;
        case IDC_FULL_FRAME:
        case IDC_HALF_FRAME:
        case IDC_QUARTER_FRAME:
            sizeChoice_ = id;
            applySizeChoice();
            view_->repaint();
            break;
        default:
            break;
    }
}

// The button's state survives the stop of whatever ran before.
void CPlayer::run(int id, QTimer& timer, int periodMs) {
    const bool checked = buttons_.value(id)->isChecked();
    stop();
    setTransportChecked(id, checked);
    if (!checked)
        return;
    timer.start(periodMs);
    mode_ = id;
}

void CPlayer::stop() {
    rewindTimer_.stop();
    forwardTimer_.stop();
    for (int id : kCheckable)
        setTransportChecked(id, false);
    mode_ = IDC_STOP;
}

void CPlayer::setTransportChecked(int id, bool checked) {
    buttons_.value(id)->setChecked(checked);
    control_->Button(id)->setChecked(checked);
}

void CPlayer::tick(int request) {
    if (messageShown_)
        return;
    if (control_->OnRequest(request) == 0)
        stop();
}

void CPlayer::applySizeChoice() {
    if (image_.isNull())
        return;
    viewSize_ = ViewSizeFor(image_.size(), sizeChoice_);
    layOut();
}

// The view at (5, 5) with the view size as its client area; the window ends 5
// pixels beyond it.
void CPlayer::layOut() {
    view_->SetClientSize(viewSize_);
    view_->move(kMargin, kMargin);
    setFixedSize(view_->geometry().right() + 1 + kMargin, view_->geometry().bottom() + 1 + kMargin);
}

void CPlayer::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!controlPlaced_) {
        controlPlaced_ = true;
        // Once the window system has placed the player window.
        QTimer::singleShot(0, this, &CPlayer::placeControl);
    }
}

// The panel goes below the picture, or else beside it, where the screen has room,
// instead of over the picture; with no room anywhere it stays where it is.
void CPlayer::placeControl() {
    if (!control_ || !screen())
        return;
    constexpr int kGap = 8;
    // Windows the window system has not framed yet are taken to be framed like the main window.
    const QWidget& reference = parentWidget() ? *parentWidget()->window() : *this;
    const QRect work = screen()->availableGeometry(), player = appkit::FrameOf(*this, reference);
    const QSize size = appkit::FrameOf(*control_, reference).size();
    const QPoint candidates[] = {{player.left(), player.bottom() + 1 + kGap},
                                 {player.right() + 1 + kGap, player.top()},
                                 {player.left() - kGap - size.width(), player.top()}};
    for (const QPoint& at : candidates)
        if (work.contains(QRect(at, size))) {
            appkit::MoveFrameTo(*control_, at, reference);
            return;
        }
}

void CPlayer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPlayer::closeEvent(QCloseEvent* event) {
    stop();
    control_.reset();
    event->accept();
}
