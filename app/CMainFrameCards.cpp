// The main frame's card connection: the selector at start and from the menu,
// connecting, re-claiming and switching channels, and the names shown for them.
#include <QAction>

#include "app/CMainFrame.h"
#include "app/ChannelNames.h"
#include "camera/CCameraParamsDlg.h"
#include "grabber/CAliasDlg.h"
#include "grabber/CameraFiles.h"
#include "kit/MessageBox.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

namespace {

const QString kNoCard = QStringLiteral("No Glintrail Express card detected!");
const QString kCardBusy = QStringLiteral("Card busy!");
const QString kChannelBusy = QStringLiteral("Selected channel busy");

}  // namespace

bool CMainFrame::RunCardSelectorAtStart() {
    cardSelector_->setParent(this, cardSelector_->windowFlags());
    connect(cardSelector_.get(), &CFloatingDlg::notify, this, &CMainFrame::OnNotify);
    cardSelector_->SetCurrentCard(0);
    cardSelector_->refreshOnInit = true;
    cardSelector_->RunModal();
    // From now on the selector is a floating window behind "Card Selector", however
    // it ended: a user who closed it without choosing can still choose a card.
    cardSelector_->refreshOnInit = false;
    RegisterFloatingWindow(cardSelector_.get());
    updateWindowTitle();
    return true;
}

// The channel stays released while the selector is shown, so that the open
// card is listed as free.
void CMainFrame::ShowCardSelector() {
    StopSerialReader();  // the port goes with the channel
    grabber::CloseChannel(card_.get(), channel_);
    cardSelector_->SetCurrentCard(card_.get());
    cardSelector_->show();
    cardSelector_->raise();
}

bool CMainFrame::claimFirstFreeChannel() {
    for (uint8_t ch : {uint8_t{0}, uint8_t{1}}) {
        if (grabber::OpenChannel(card_.get(), ch) == ZAMGRB_OK) {
            channel_ = ch;
            return true;
        }
    }
    return false;
}

void CMainFrame::ConnectSelectedCard() {
    const std::string location = cardSelector_->GetSelectedLocation().toStdString();
    bool connected = false;
    for (const grabber::CardEntry& entry : grabber::EnumerateCards()) {
        if (entry.location != location)
            continue;  // locations compare case-sensitively
        card_.reset();
        card_ = grabber::CardHandle::Open(entry.cardId);
        if (card_ && claimFirstFreeChannel()) {
            connected = true;
            break;
        }
    }
    if (!connected) {
        appkit::ShowMessage(this, card_ ? kCardBusy : kNoCard);
        card_.reset();
    }
    if (cameraParams_ && cameraParams_->IsCreated()) {
        RefreshDialogs();
        ReconfigureAndReport();
    }
    TellPoCLDialog(0);
    SetUpControlDialogs();
    TerminalOpenOrClose();
}

void CMainFrame::ReclaimChannel() {
    if (card_ && grabber::OpenChannel(card_.get(), channel_) != ZAMGRB_OK && !claimFirstFreeChannel()) {
        appkit::ShowMessage(this, kCardBusy);
        card_.reset();
    }
    if (cameraParams_ && cameraParams_->IsCreated()) {
        RefreshDialogs();
        ReconfigureAndReport();
    }
    TerminalOpenOrClose();
}

void CMainFrame::Reapply() {
    if (cameraParams_ && cameraParams_->IsCreated()) {
        RefreshDialogs();
        Reconfigure();
    }
}

void CMainFrame::SwitchChannel(uint8_t newChannel) {
    if (newChannel == channel_ && card_)
        return;
    setGrabOn(false);
    StartStopGrab();
    const bool hadCard = bool(card_);
    if (!hadCard)
        card_ = grabber::CardHandle::OpenDefault();
    // The reader and its port go before the channel they belong to is released;
    // the terminal opens the port of whichever channel is open afterwards.
    StopSerialReader();
    if (newChannel != channel_)
        grabber::CloseChannel(card_.get(), channel_);
    if (grabber::OpenChannel(card_.get(), newChannel) == ZAMGRB_OK) {
        SaveChannelFiles();
        channel_ = newChannel;
        if (plcTestDialog_)
            plcTestDialog_->SetCard(card_.get(), channel_);
        LoadChannelFiles();
        RefreshDialogs();
        ReconfigureAndReport();
        TerminalOpenOrClose();
        TellPoCLDialog(bitProduct());
    } else {
        const bool released = newChannel != channel_;
        if (released)
            grabber::OpenChannel(card_.get(), channel_);
        appkit::ShowMessage(this, kChannelBusy);
        if (!hadCard)
            card_.reset();
        else if (released)
            ReconfigureAndReport();  // a released channel forgets its configuration
        if (hadCard)
            TerminalOpenOrClose();
    }
    TellPoCLDialog(bitProduct());
}

uint32_t CMainFrame::bitProduct() const {
    const CameraConfig& c = currentImage_.description.config;
    return c.bitDepth * c.tapConfig.taps * c.tapConfig.channels;
}

void CMainFrame::TellPoCLDialog(uint32_t bits) {
    if (!poclDialog_)
        return;
    poclDialog_->SetCard(card_.get(), channel_, bits);
    if (!poclDialog_->IsEnabled() && poclDialog_->window())
        poclDialog_->window()->hide();
}

// Read from the card itself: the selector's rows change with every refresh.
QString CMainFrame::openCardAlias() const {
    std::u16string alias;
    if (card_)
        grabber::GetOpenCardAlias(card_.get(), alias);
    return QString::fromStdU16String(alias);
}

void CMainFrame::updateWindowTitle() {
    setWindowTitle(card_ ? app::WindowTitle(cardAlias, channel_, settings.texts.alias)
                         : res::LoadString(res::IDS_APP_NAME));
}

QString CMainFrame::channelMenuText(uint8_t ch) const {
    return app::ChannelMenuText(cardAlias, ch,
                                ch == channel_ ? settings.texts.alias : grabber::StoredCameraAlias(ch));
}
