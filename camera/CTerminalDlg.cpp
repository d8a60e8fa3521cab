#include "camera/CTerminalDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "kit/MessageBox.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

using terminal::Mode;

namespace {

constexpr uint32_t kBaudRates[] = {9600, 14400, 19200, 38400, 57600, 115200};
constexpr unsigned kAppendFlags[] = {terminal::kAppendCr, terminal::kAppendLf, terminal::kAppendNull,
                                     terminal::kAppendOther};
constexpr const char* kAppendTexts[] = {"CR", "LF", "NULL", "Other:"};

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Typed characters a box refuses: Backspace, and printable characters beyond
// those it takes. Shortcuts (control characters) pass.
bool refused(const QKeyEvent& key, bool blanksToo) {
    if (key.key() == Qt::Key_Backspace)
        return true;
    const QString text = key.text();
    if (text.isEmpty() || !text[0].isPrint())
        return false;
    return !std::all_of(text.begin(), text.end(),
                        [blanksToo](QChar c) { return isHexDigit(c) || (blanksToo && c == u' '); });
}

// Group layouts tight enough for the smallest size of the window.
QGridLayout* compactGrid(QGroupBox* group) {
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(3);
    return grid;
}

QButtonGroup* modeButtons(QWidget* parent, QHBoxLayout* row) {
    auto* group = new QButtonGroup(parent);
    for (Mode mode : {terminal::kAscii, terminal::kHex}) {
        auto* button = new QRadioButton(
            mode == terminal::kAscii ? QStringLiteral("ASCII") : QStringLiteral("HEX"), parent);
        group->addButton(button, mode);
        row->addWidget(button);
    }
    group->button(terminal::kAscii)->setChecked(true);
    return group;
}

}  // namespace

CTerminalDlg::CTerminalDlg(QWidget* parent) : CFloatingDlg(parent) {
    setWindowTitle(QStringLiteral("Terminal"));
}

CTerminalDlg::~CTerminalDlg() = default;

int CTerminalDlg::GetID() const {
    return res::IDD_TERMINAL;
}

void CTerminalDlg::OnInitDialog() {
    setMinimumSize(360, 240);

    auto* receive = new QGroupBox(QStringLiteral("Receive"), this);
    auto* receiveGrid = compactGrid(receive);
    auto* receiveAsRow = new QHBoxLayout;
    receiveAsRow->addWidget(new QLabel(QStringLiteral("Receive as:"), receive));
    receiveAs_ = modeButtons(receive, receiveAsRow);
    receiveAsRow->addStretch();
    auto* clear = new QPushButton(QStringLiteral("Clear Log"), receive);
    clear->setAutoDefault(false);
    receiveAsRow->addWidget(clear);
    receiveGrid->addLayout(receiveAsRow, 0, 0);
    auto* baudRow = new QHBoxLayout;
    baudRow->addWidget(new QLabel(QStringLiteral("Baud rate:"), receive));
    baudList_ = new QComboBox(receive);
    for (uint32_t rate : kBaudRates)
        baudList_->addItem(QString::number(rate));
    baudRow->addWidget(baudList_);
    baudRow->addStretch();
    receiveGrid->addLayout(baudRow, 1, 0);

    logBox_ = new QPlainTextEdit(this);
    logBox_->setReadOnly(true);
    logBox_->setMinimumHeight(logBox_->fontMetrics().lineSpacing() + 8);

    auto* send = new QGroupBox(QStringLiteral("Send"), this);
    auto* sendGrid = compactGrid(send);
    auto* sendAsRow = new QHBoxLayout;
    sendAsRow->addWidget(new QLabel(QStringLiteral("Send as:"), send));
    sendAs_ = modeButtons(send, sendAsRow);
    sendAsRow->addStretch();
    sendGrid->addLayout(sendAsRow, 0, 0, 1, 2);
    sendBox_ = new QLineEdit(send);
    sendBox_->setMaxLength(kMaxSendChars);
    sendBox_->installEventFilter(this);
    sendGrid->addWidget(sendBox_, 1, 0);
    auto* sendButton = new QPushButton(QStringLiteral("Send"), send);
    sendButton->setAutoDefault(false);
    sendGrid->addWidget(sendButton, 1, 1);
    auto* appendRow = new QHBoxLayout;
    appendRow->addWidget(new QLabel(QStringLiteral("Append:"), send));
    for (size_t i = 0; i < append_.size(); ++i) {
        append_[i] = new QCheckBox(QString::fromLatin1(kAppendTexts[i]), send);
        append_[i]->setChecked((appendFlags_ & kAppendFlags[i]) != 0);
        appendRow->addWidget(append_[i]);
        connect(append_[i], &QCheckBox::toggled, this, &CTerminalDlg::onAppendToggled);
    }
    otherBox_ = new QLineEdit(QStringLiteral("%1").arg(otherByte_, 2, 16, QChar(u'0')).toUpper(), send);
    otherBox_->setMaxLength(2);
    otherBox_->setMaximumWidth(otherBox_->fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 12);
    otherBox_->installEventFilter(this);
    appendRow->addWidget(otherBox_);
    appendRow->addWidget(new QLabel(QStringLiteral("hex"), send));
    appendRow->addStretch();
    sendGrid->addLayout(appendRow, 2, 0, 1, 2);

    // The log takes the height the two groups leave; the send group stays at the bottom.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    for (QGroupBox* group : {receive, send})
        group->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout->addWidget(receive);
    layout->addWidget(logBox_, 1);
    layout->addWidget(send);

    connect(receiveAs_, &QButtonGroup::idClicked, this, [this](int id) { SetReceiveMode(Mode(id)); });
    connect(sendAs_, &QButtonGroup::idClicked, this, [this](int id) { SetSendMode(Mode(id)); });
    connect(baudList_, &QComboBox::activated, this, &CTerminalDlg::onBaudChosen);
    connect(clear, &QPushButton::clicked, this, &CTerminalDlg::ClearLog);
    connect(sendButton, &QPushButton::clicked, this, &CTerminalDlg::Send);
    connect(sendBox_, &QLineEdit::returnPressed, this, &CTerminalDlg::Send);
    connect(sendBox_, &QLineEdit::textEdited, this, &CTerminalDlg::onSendEdited);
    onAppendToggled();
    rebuildLog();
}

void CTerminalDlg::showEvent(QShowEvent* event) {
    CFloatingDlg::showEvent(event);
    NotifyOwner(kShowHide);
}

void CTerminalDlg::closeEvent(QCloseEvent* event) {
    CFloatingDlg::closeEvent(event);
    NotifyOwner(kShowHide);
}

bool CTerminalDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if ((watched == sendBox_ && sendMode_ == terminal::kHex && refused(key, true)) ||
            (watched == otherBox_ && refused(key, false)))
            return true;
    }
    if (watched == otherBox_ && event->type() == QEvent::FocusOut)
        takeOtherByte();
    return CFloatingDlg::eventFilter(watched, event);
}

void CTerminalDlg::onSendEdited(const QString& text) {
    // Pairs come out separated as they are typed.
    if (sendMode_ == terminal::kHex && text.size() % 3 == 2) {
        sendBox_->setText(text + u' ');
        sendBox_->end(false);
    }
}

void CTerminalDlg::takeOtherByte() {
    otherByte_ = terminal::ByteOfPair(otherBox_->text());
    otherBox_->setText(QStringLiteral("%1").arg(otherByte_, 2, 16, QChar(u'0')).toUpper());
}

void CTerminalDlg::onAppendToggled() {
    appendFlags_ = 0;
    for (size_t i = 0; i < append_.size(); ++i) {
        append_[i]->setEnabled(sendMode_ == terminal::kAscii);
        if (append_[i]->isChecked())
            appendFlags_ |= kAppendFlags[i];
    }
    otherBox_->setEnabled(sendMode_ == terminal::kAscii && (appendFlags_ & terminal::kAppendOther));
}

void CTerminalDlg::SetSendMode(Mode mode) {
    if (sendAs_)
        sendAs_->button(mode)->setChecked(true);
    if (mode == sendMode_)
        return;
    sendMode_ = mode;
    if (sendBox_) {
        const QString text = sendBox_->text();
        sendBox_->setText(mode == terminal::kHex ? terminal::RenderHex(text) : terminal::HexToEscaped(text));
        onAppendToggled();
    }
    rebuildLog();
}

void CTerminalDlg::SetReceiveMode(Mode mode) {
    if (receiveAs_)
        receiveAs_->button(mode)->setChecked(true);
    receiveMode_ = mode;
    rebuildLog();
}

void CTerminalDlg::Send() {
    const QString box = sendBox_ ? sendBox_->text().left(kMaxSendChars) : QString();
    sendBytes_ = terminal::Unescape(terminal::ComposeSend(box, sendMode_, appendFlags_, otherByte_));
    log_.Add(terminal::TerminalLog::kSent, terminal::Escape(sendBytes_));
    rebuildLog();
    NotifyOwner(kSend);
    if (sendBox_)
        sendBox_->clear();
}

bool CTerminalDlg::CopySendBytes(uint8_t* destination, uint32_t count) const {
    if (count != SendByteCount())
        return false;
    std::copy(sendBytes_.cbegin(), sendBytes_.cend(), destination);
    return true;
}

void CTerminalDlg::ClearLog() {
    log_.Clear();
    rebuildLog();
}

void CTerminalDlg::OnReceived(const uint8_t* bytes, uint32_t count) {
    if (inbox_.Put(QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(count))))
        QMetaObject::invokeMethod(this, &CTerminalDlg::drainReceived, Qt::QueuedConnection);
}

void CTerminalDlg::drainReceived() {
    for (const QByteArray& chunk : inbox_.Take())
        log_.Add(terminal::TerminalLog::kReceived, terminal::Escape(chunk));
    rebuildLog();
}

void CTerminalDlg::rebuildLog() {
    logText_ = log_.Render(sendMode_, receiveMode_);
    if (!logBox_)
        return;
    logBox_->setPlainText(QString(logText_).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    logBox_->moveCursor(QTextCursor::End);
    logBox_->verticalScrollBar()->setValue(logBox_->verticalScrollBar()->maximum());
}

void CTerminalDlg::SelectBaudRate(uint32_t rate) {
    if (!baudList_)
        return;
    const int index = baudList_->findText(QString::number(rate));
    if (index < 0)
        return;
    baudList_->setCurrentIndex(index);
    rememberedBaudIndex_ = index;
}

uint32_t CTerminalDlg::GetBaudRate() const {
    return baudList_ ? baudList_->currentText().toUInt() : 0;
}

void CTerminalDlg::onBaudChosen(int index) {
    if (index == rememberedBaudIndex_)
        return;
    if (appkit::ShowMessage(this, res::LoadString(res::IDS_CHANGE_BAUD_RATE), QMessageBox::Question,
                            QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        baudList_->setCurrentIndex(rememberedBaudIndex_);
        return;
    }
    rememberedBaudIndex_ = index;
    NotifyOwner(kBaudRate);
}
