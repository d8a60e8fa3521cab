// The main frame's side of the terminal: the channel's serial port and reader
// while the terminal is shown, writing what it sends, and its baud rate.
#include <vector>

#include "app/CMainFrame.h"
#include "camera/CTerminalDlg.h"
#include "kit/MessageBox.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

void CMainFrame::OnTerminalNotify(int code) {
    switch (code) {
        case CTerminalDlg::kSend:
            WriteTerminalSend();
            break;
        case CTerminalDlg::kShowHide:
            TerminalOpenOrClose();
            break;
        case CTerminalDlg::kBaudRate:
            ApplyBaudRate();
            break;
        default:
            break;
    }
}

void CMainFrame::StopSerialReader() {
    serial_.Close();
}

void CMainFrame::TerminalOpenOrClose() {
    if (!terminal_->isVisible()) {
        serial_.Close();
        return;
    }
    if (serial_.IsReading())
        return;
    // A reader that ended by itself left the port of a channel no longer open.
    const uint32_t status = serial_.Open(
        card_.get(), channel_,
        [this](const uint8_t* bytes, uint32_t count) { terminal_->OnReceived(bytes, count); },
        [this] { return channel_.load(); });
    if (status != ZAMGRB_OK) {
        appkit::ShowMessage(this, res::LoadString(res::IDS_SERIAL_PORT_FAILED));
        return;
    }
    uint32_t rate = 0;
    if (grabber::GetBaudRate(card_.get(), channel_, rate) == ZAMGRB_OK) {
        settings.baudRate = rate;
        terminal_->SelectBaudRate(rate);
    }
}

void CMainFrame::WriteTerminalSend() {
    const uint32_t count = terminal_->SendByteCount();
    std::vector<uint8_t> bytes(count + 2, 0);
    if (terminal_->CopySendBytes(bytes.data(), count))
        grabber::WriteSerial(card_.get(), channel_, bytes.data(), count);
}

// The port of a shown terminal is open already and takes the rate as it is; a
// closed one is opened for the change. A rate the card refuses gives way to the
// one the port keeps, in the list and in the channel's settings alike.
void CMainFrame::ApplyBaudRate() {
    if (!terminal_->IsCreated())
        return;
    settings.baudRate = terminal_->GetBaudRate();
    const bool wasOpen = serial_.IsOpen() && serial_.channel() == channel_;
    if (!wasOpen && grabber::OpenSerialPort(card_.get(), channel_) != ZAMGRB_OK)
        return;
    if (grabber::SetBaudRate(card_.get(), channel_, settings.baudRate) != ZAMGRB_OK) {
        uint32_t rate = 0;
        if (grabber::GetBaudRate(card_.get(), channel_, rate) == ZAMGRB_OK) {
            settings.baudRate = rate;
            terminal_->SelectBaudRate(rate);
        }
    }
    if (!wasOpen)
        grabber::CloseSerialPort(card_.get(), channel_);
}
