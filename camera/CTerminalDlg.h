// "Terminal": commands typed in ASCII or hex go to the camera of the open channel
// through the main frame, and the last exchanges show in the log. The main frame
// hands received chunks over from its reader thread; they join the log on the
// user-interface thread.
#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

#include "camera/TerminalText.h"
#include "kit/CFloatingDlg.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CTerminalDlg : public CFloatingDlg {
    Q_OBJECT
public:
    // Notification codes.
    enum Code { kSend = 0, kShowHide = 1, kBaudRate = 2 };
    static constexpr int kMaxSendChars = 260;

    explicit CTerminalDlg(QWidget* parent = nullptr);
    ~CTerminalDlg() override;
    int GetID() const override;

    // Any thread: a chunk the camera sent.
    void OnReceived(const uint8_t* bytes, uint32_t count);
    // The bytes of the last send; copied only when `count` is their count.
    bool CopySendBytes(uint8_t* destination, uint32_t count) const;
    uint32_t SendByteCount() const { return uint32_t(sendBytes_.size()); }
    // Selects the list entry of the rate; an unknown rate leaves the list as it is.
    void SelectBaudRate(uint32_t rate);
    // The rate the list shows; 0 before the window exists.
    uint32_t GetBaudRate() const;

    const QString& logText() const { return logText_; }
    QLineEdit* sendBox() const { return sendBox_; }
    QLineEdit* otherBox() const { return otherBox_; }
    QComboBox* baudList() const { return baudList_; }
    QPlainTextEdit* logBox() const { return logBox_; }
    QCheckBox* appendBox(int index) const { return append_[size_t(index)]; }  // CR, LF, NULL, Other
    void SetReceiveMode(terminal::Mode mode);
    void SetSendMode(terminal::Mode mode);
    void Send();
    void ClearLog();

protected:
    void OnInitDialog() override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onBaudChosen(int index);
    void onSendEdited(const QString& text);
    void onAppendToggled();
    void takeOtherByte();
    void drainReceived();
    void rebuildLog();

    int rememberedBaudIndex_ = 0;
    QByteArray sendBytes_;
    QString logText_;
    terminal::TerminalLog log_;
    terminal::Mode receiveMode_ = terminal::kAscii;
    terminal::Mode sendMode_ = terminal::kAscii;
    unsigned appendFlags_ = terminal::kAppendCr;
    unsigned char otherByte_ = terminal::kDefaultOtherByte;

    // Chunks from the reader thread not yet in the log; one drain is queued for
    // all that arrive before it runs, so a fast camera costs one rebuild per turn.
    terminal::ChunkInbox inbox_;

    QComboBox* baudList_ = nullptr;
    QPlainTextEdit* logBox_ = nullptr;
    QButtonGroup* receiveAs_ = nullptr;
    QButtonGroup* sendAs_ = nullptr;
    QLineEdit* sendBox_ = nullptr;
    std::array<QCheckBox*, 4> append_{};
    QLineEdit* otherBox_ = nullptr;
};
