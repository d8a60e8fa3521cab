// The terminal with the software card's cameras, and the typing rules of its boxes.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "FlowsSupport.h"
#include "app/CMainFrame.h"
#include "camera/CTerminalDlg.h"
#include "grabber/CameraFiles.h"
#include "grabber/Grabber.h"
#include "kit/MessageBox.h"
#include "res/ResourceIds.h"

namespace {

const std::string kMachine =
    R"({"cards": [{"id": "0x70", "location": "slot A", "channels": [{"camera": {"model": "Cam A"}},
       {"camera": {"model": "Cam B"}}]}]})";

QString ask(CTerminalDlg& terminal, const char* command) {
    const QString before = terminal.logText();
    QTest::keyClicks(terminal.sendBox(), QString::fromLatin1(command));
    QTest::keyClick(terminal.sendBox(), Qt::Key_Return);
    flows::WaitUntil([&] {
        return terminal.logText().endsWith(QStringLiteral("\r\n")) &&
               terminal.logText().count(u'<') > before.count(u'<');
    });
    return terminal.logText().mid(before.size());
}

uint32_t cardRate(CMainFrame& frame, uint8_t channel) {
    uint32_t rate = 0;
    grabber::GetBaudRate(frame.cardHandle(), channel, rate);
    return rate;
}

TEST(Terminal, TalksToTheOpenChannelsCamera) {
    flows::UseMachine(kMachine);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    CTerminalDlg& terminal = *frame.findChild<CTerminalDlg*>();
    terminal.show();
    EXPECT_EQ(ask(terminal, "ID?"), QStringLiteral(">ID?\r\n\r\n<Cam A\r\n"));

    frame.ExecuteCommand(res::ID_CHANNEL_2);
    EXPECT_EQ(ask(terminal, "ID?").right(8), QStringLiteral("<Cam B\r\n"));

    frame.ExecuteCommand(res::ID_TERMINAL);
    EXPECT_EQ(grabber::OpenSerialPort(frame.cardHandle(), 1), ZAMGRB_OK) << "hiding closed it";
    RecordedMessages().clear();
    frame.ExecuteCommand(res::ID_TERMINAL);
    EXPECT_EQ(RecordedMessages(), QStringList{"Can't initialize serial port interface."});
    grabber::CloseSerialPort(frame.cardHandle(), 1);
    frame.ExecuteCommand(res::ID_TERMINAL);
    frame.ExecuteCommand(res::ID_TERMINAL);
    frame.close();  // with the reader running
}

TEST(Terminal, BaudRateQuestionAndTheChannelFiles) {
    flows::UseMachine(kMachine);
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    CTerminalDlg& terminal = *frame.findChild<CTerminalDlg*>();
    terminal.show();
    RecordedMessages().clear();
    QTest::keyClick(terminal.baudList(), Qt::Key_Down);  // answered Yes
    EXPECT_EQ(RecordedMessages(), QStringList{"Do you realy want to change baud rate?"});
    EXPECT_EQ(cardRate(frame, 0), 14400u);
    const appkit::MessageHandler yes =
        appkit::SetMessageHandler([](const appkit::MessageRequest&) { return QMessageBox::No; });
    QTest::keyClick(terminal.baudList(), Qt::Key_Down);
    appkit::SetMessageHandler(yes);
    EXPECT_EQ(terminal.GetBaudRate(), 14400u);
    EXPECT_EQ(cardRate(frame, 0), 14400u);

    // The rate leaves with the channel's file and comes back with the other's.
    grabber::ChannelSettings second;
    second.baudRate = 57600;
    grabber::SaveCameraSettings(grabber::AutomaticChannelFile(1), second,
                                grabber::DefaultCameraDescription());
    frame.ExecuteCommand(res::ID_CHANNEL_2);
    EXPECT_EQ(flows::ReadCameraFile(grabber::AutomaticChannelFile(0)).settings.baudRate, 14400u);
    EXPECT_EQ(cardRate(frame, 1), 57600u);
}

TEST(TerminalDlg, TypingRulesAndModes) {
    CTerminalDlg terminal;
    ASSERT_TRUE(terminal.Create(nullptr));
    terminal.SetSendMode(terminal::kHex);
    EXPECT_FALSE(terminal.appendBox(0)->isEnabled());
    QTest::keyClicks(terminal.sendBox(), QStringLiteral("1B4x1"));
    QTest::keyClick(terminal.sendBox(), Qt::Key_Backspace);
    QTest::keyClicks(terminal.sendBox(), QStringLiteral("42"));
    EXPECT_EQ(terminal.sendBox()->text(), QStringLiteral("1B 41 42 "));
    terminal.SetSendMode(terminal::kAscii);
    EXPECT_EQ(terminal.sendBox()->text(), QStringLiteral("\\1BAB"));
    terminal.SetSendMode(terminal::kHex);
    EXPECT_EQ(terminal.sendBox()->text(), QStringLiteral("1B 41 42 "));
    terminal.Send();
    uint8_t bytes[3] = {};
    EXPECT_FALSE(terminal.CopySendBytes(bytes, 2));
    EXPECT_TRUE(terminal.CopySendBytes(bytes, 3) && bytes[0] == 0x1B && bytes[2] == 0x42);
    EXPECT_EQ(terminal.logText(), QStringLiteral(">1B 41 42 "));

    terminal.SetSendMode(terminal::kAscii);
    terminal.appendBox(3)->setChecked(true);
    EXPECT_TRUE(terminal.otherBox()->isEnabled());
    terminal.otherBox()->clear();
    QTest::keyClicks(terminal.otherBox(), QStringLiteral("gA"));
    QEvent focusOut(QEvent::FocusOut);
    QApplication::sendEvent(terminal.otherBox(), &focusOut);
    EXPECT_EQ(terminal.otherBox()->text(), QStringLiteral("FF"));
}

}  // namespace
