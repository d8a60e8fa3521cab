#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include "GuiTestSupport.h"
#include "camera/CCCControlDlg.h"
#include "camera/CNumericEdit.h"
#include "camera/CRGBControlDlg.h"
#include "camera/CUpDown.h"

namespace {

using namespace rgbcontrol;

// The codes the dialog sent to its owner.
QList<int> codes(const QSignalSpy& spy) {
    QList<int> out;
    for (const QList<QVariant>& call : spy)
        out << call.at(1).toInt();
    return out;
}

void type(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    QFocusEvent left(QEvent::FocusOut);
    QApplication::sendEvent(edit, &left);
}

class CCControlDlg : public ::testing::Test {
public:
    void SetUp() override { ASSERT_TRUE(dialog.Create(nullptr)); }
    CCCControlDlg dialog;
    QSignalSpy spy{&dialog, &CFloatingDlg::notify};
};

// Times are typed in nanoseconds and kept in cycles; the granularity rewrites the
// nanoseconds and leaves the cycles.
TEST_F(CCControlDlg, TypedTimesSnapAndGranularityRescales) {
    type(dialog.granularityEdit(), "3");
    type(dialog.timeEdit(CCCControlDlg::kMasterPeriod), "100");
    EXPECT_EQ(dialog.GetMasterPeriod(), 3);
    EXPECT_EQ(dialog.timeEdit(CCCControlDlg::kMasterPeriod)->text(), "90");
    EXPECT_EQ(dialog.frequencyText(), "11111111.11");
    dialog.SetGranularity(6);
    EXPECT_EQ(dialog.timeEdit(CCCControlDlg::kMasterPeriod)->text(), "180");
    EXPECT_EQ(dialog.GetMasterPeriod(), 3);
    dialog.SetGranularity(1);
    type(dialog.timeEdit(CCCControlDlg::kMasterWidth), "700000");
    EXPECT_EQ(dialog.GetMasterWidth(), 65535);

    // The spinner steps within 1..65535 and rewrites the edit.
    auto* spinner = dialog.findChildren<CUpDown*>().at(2);  // count, granularity, master width
    spinner->stepBy(1);
    EXPECT_EQ(dialog.GetMasterWidth(), 65535);
    dialog.SetMasterWidth(2);
    spinner->stepBy(-2);
    EXPECT_EQ(dialog.GetMasterWidth(), 1);
    EXPECT_EQ(dialog.timeEdit(CCCControlDlg::kMasterWidth)->text(), "10");
    EXPECT_TRUE(spy.isEmpty());
}

// While started the generator's controls are locked and the line sources stay live.
TEST_F(CCControlDlg, StartLocksTheGeneratorAndSourcesStayLive) {
    dialog.SetPulseMode(0);
    EXPECT_FALSE(dialog.countEdit()->isEnabled()) << "count needs Send only";

    Button(dialog, "Start")->click();
    EXPECT_EQ(Button(dialog, "Stop"), dialog.findChild<QPushButton*>());
    EXPECT_FALSE(dialog.timeEdit(CCCControlDlg::kMasterPeriod)->isEnabled());
    EXPECT_FALSE(Button(dialog, "Send only")->isEnabled());
    QAbstractButton* cc4 = dialog.findChildren<QAbstractButton*>().last();
    ASSERT_EQ(cc4->text(), "OC Inv. slave pulse *");
    ASSERT_TRUE(cc4->isEnabled());
    cc4->click();
    CameraControlSettings lines{};
    EXPECT_EQ(dialog.GetCameraControlSettings(lines).source[3], 9u);

    Button(dialog, "Send only")->setEnabled(true);
    dialog.SetPulseMode(1);
    dialog.SetPulseGenStarted(false);
    EXPECT_TRUE(dialog.countEdit()->isEnabled());
    EXPECT_EQ(codes(spy), (QList<int>{1, 0, 1}));
}

class RGBControlDlg : public ::testing::Test {
public:
    void SetUp() override { ASSERT_TRUE(dialog.Create(nullptr)); }
    Offsets offsets() const {
        return {dialog.GetRedOffset(), dialog.GetGreenOffset(), dialog.GetBlueOffset()};
    }
    CRGBControlDlg dialog;
    QSignalSpy spy{&dialog, &CFloatingDlg::notify};
};

TEST_F(RGBControlDlg, LinkedOffsetsFollowAndSlidersStopAtTheirEnds) {
    dialog.SetRedOffset(10);
    dialog.SetGreenOffset(5);
    Button(dialog, "Link")->click();
    dialog.offsetSlider(kRed)->setValue(20);
    EXPECT_EQ(offsets(), (Offsets{20, 15, 10}));
    EXPECT_EQ(dialog.offsetSlider(kBlue)->value(), 10);

    Button(dialog, "zero")->click();  // red's
    EXPECT_EQ(offsets(), (Offsets{0, -5, -10}));
    type(dialog.offsetEdit(kBlue), "120");
    EXPECT_EQ(offsets(), (Offsets{130, 125, 120}));
    EXPECT_EQ(dialog.offsetSlider(kRed)->value(), 127);
    EXPECT_EQ(dialog.offsetSpinner(kRed)->position(), 127);

    Button(dialog, "Link")->click();
    dialog.offsetSpinner(kRed)->stepBy(-1);
    EXPECT_EQ(offsets(), (Offsets{126, 125, 120})) << "unlinked, and the spinner stood at 127";
    EXPECT_EQ(codes(spy), (QList<int>{0, 0, 0, 0}));
}

// A slider or spinner move puts back the last analysed gains; "Apply" does too.
TEST_F(RGBControlDlg, MovesAndApplyTakeTheAnalysedGains) {
    type(dialog.gainEdit(kRed), "1.5");
    EXPECT_EQ(dialog.GetRedGain(), 1.5);
    dialog.offsetSlider(kGreen)->setValue(3);
    EXPECT_EQ(dialog.gainEdit(kRed)->text(), "1.0000000");

    dialog.SetWhiteBalance({100, 200, 50}, {2.0, 1.0, 4.0});
    EXPECT_EQ(dialog.balanceText(0), "Mean RGB = {100, 200, 50}");
    EXPECT_EQ(dialog.balanceText(3), "Blue gain = 4.000000");
    EXPECT_EQ(dialog.GetBlueGain(), 1.0) << "the analysis alone changes nothing";
    Button(dialog, "Apply")->click();
    EXPECT_EQ(dialog.GetBlueGain(), 4.0);
    Button(dialog, "Unity")->click();
    EXPECT_EQ(dialog.GetRedGain(), 1.0);
    Button(dialog, "Analyze")->click();
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(codes(spy), (QList<int>{0, 0, 0, 0, 1, 0}));
}

}  // namespace
