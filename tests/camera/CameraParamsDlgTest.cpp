#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <cstring>
#include <vector>

#include "GuiTestSupport.h"
#include "ModalHelper.h"
#include "TapFormats.h"
#include "camera/CAutoLearnDlg.h"
#include "camera/CCameraParamsDlg.h"
#include "camera/CCustomTapConfig.h"
#include "camera/CTapReconstrPreview.h"
#include "grabber/Grabber.h"

namespace {

bool sameTaps(const TapConfig& a, const TapConfig& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

QComboBox* tapList(QWidget& dialog) {
    return dialog.findChild<QComboBox*>();
}

class CameraParamsDlg : public ::testing::Test {
public:
    void SetUp() override { ASSERT_TRUE(dialog.Create(nullptr)); }
    void click(const QString& text) {
        QAbstractButton* b = Button(dialog, text);
        ASSERT_NE(b, nullptr) << text.toStdString();
        b->click();
    }
    // Picks a tap format from the list as the user does.
    void chooseFormat(int index) { emit tapList(dialog)->activated(index); }
    QCheckBox* packed() { return static_cast<QCheckBox*>(Button(dialog, "Packed")); }

    CCameraParamsDlg dialog;
};

TEST(CameraParamsDlgWithoutWindow, GettersAnswerZeroAndSettersDoNothing) {
    CCameraParamsDlg dialog;
    dialog.SetBitDepth(12);
    dialog.SetWidthValid(640);
    dialog.LockSwapTaps(true);
    CameraConfig config;
    std::memset(&config, 0xAB, sizeof config);
    dialog.GetConfig(config);
    EXPECT_EQ(config.widthValid + config.tapConfig.taps + dialog.GetBitDepth() + dialog.GetWidthValid(), 0u);
    EXPECT_EQ(dialog.GetVideoType(), 0);
    EXPECT_FALSE(dialog.IsSwapTapsLocked());
    EXPECT_FALSE(dialog.IsStartGrabEnabled());
    EXPECT_FALSE(dialog.IsGrabOn());
}

// One row: what the user or the main frame does, then what the dialog shows.
struct RuleCase {
    const char* name;
    QStringList steps;  // a button's text, "packed", "packed unavailable", "format|depth|taps N"
    bool packedEnabled;
    uint32_t packedField;
    bool swapLocked;
    uint32_t bitDepth;
};

void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << c.name;
}

class CameraParamsRules : public CameraParamsDlg, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(CameraParamsRules, PackedSwapTapsAndDepth) {
    for (const QString& step : GetParam().steps) {
        const int n = step.section(' ', 1).toInt();
        if (step == "packed")
            dialog.SetPacked(true);
        else if (step == "packed unavailable")
            dialog.SetPackedAvailable(false);
        else if (step.startsWith("format "))
            chooseFormat(n);
        else if (step.startsWith("depth "))
            dialog.SetBitDepth(uint32_t(n));
        else if (step.startsWith("taps "))
            dialog.SetTapConfig(StandardTaps(uint32_t(n)));
        else
            click(step);
    }
    CameraConfig config{};
    dialog.GetConfig(config);
    EXPECT_EQ(packed()->isEnabled(), GetParam().packedEnabled);
    EXPECT_EQ(config.packed, GetParam().packedField);
    EXPECT_EQ(dialog.IsSwapTapsLocked(), GetParam().swapLocked);
    EXPECT_EQ(config.bitDepth, GetParam().bitDepth);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CameraParamsRules,
    ::testing::Values(
        RuleCase{"EightBitsOneTapIsBase", {}, false, 0, false, 8},
        RuleCase{"SixteenBitsTwoTapsLocksSwap", {"16", "format 2"}, false, 0, true, 16},
        RuleCase{"PackedTickedAt14BitsIsOff", {"packed", "14"}, false, 0, false, 14},
        RuleCase{"PackedAt10Bits", {"10", "packed"}, true, 1, false, 10},
        RuleCase{"PackedAt12BitsBayer", {"Bayer", "12", "packed"}, true, 1, false, 12},
        RuleCase{"Rgb24PackedIsAllowed", {"RGB", "packed"}, true, 1, false, 24},
        RuleCase{"Rgb30IsMediumEvenWithOneTap", {"RGB", "RGB30", "taps 1"}, true, 0, true, 30},
        RuleCase{"PackedUnavailableOldFirmware", {"10", "packed", "packed unavailable"}, false, 0, false, 10},
        RuleCase{"SetBitDepthLeavesMonochromeInBase", {"depth 30", "taps 5"}, false, 0, false, 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CameraParamsDlg, SetBitDepth30SelectsRgb30AndMono10) {
    dialog.SetBitDepth(30);
    EXPECT_EQ(dialog.GetRgbBitDepth(), 30u);
    EXPECT_EQ(dialog.GetMonoBitDepth(), 10u);
    EXPECT_EQ(dialog.GetBitDepth(), 10u);
    dialog.SetVideoType(2);
    EXPECT_EQ(dialog.GetBitDepth(), 30u);
    dialog.SetBitDepth(12);
    EXPECT_EQ(dialog.GetRgbBitDepth(), 36u);
    // 42 has no button: the RGB selection stays.
    dialog.SetBitDepth(14);
    EXPECT_EQ(dialog.GetMonoBitDepth(), 14u);
    EXPECT_EQ(dialog.GetRgbBitDepth(), 36u);
}

TEST_F(CameraParamsDlg, BayerUsesFourCellsAndRelabelsThem) {
    const auto cellLabels = [this] {
        QString labels;
        for (auto* b : dialog.findChildren<QAbstractButton*>())
            if (b->text().size() == 1 && b->text()[0].isLetter() && b->isEnabled())
                labels += b->text();
        return labels;
    };
    dialog.SetVideoType(4);
    dialog.SetPatternStart(6);
    click("Bayer");
    EXPECT_EQ(dialog.GetVideoType(), 1);
    EXPECT_EQ(dialog.GetPatternStart(), 0);
    EXPECT_EQ(cellLabels(), "GRBG");
    dialog.SetPatternStart(5);
    click("TRUESENSE");
    EXPECT_EQ(dialog.GetPatternStart(), 5);
    EXPECT_EQ(cellLabels(), "PBPGBPGPPGPRGPRP");
    click("Monochrome");
    EXPECT_EQ(cellLabels(), "");
}

TEST_F(CameraParamsDlg, MonochromeAndRgbDepthButtonsFollowTheVideoType) {
    click("RGB");
    EXPECT_FALSE(Button(dialog, "10")->isEnabled());
    EXPECT_TRUE(Button(dialog, "RGB36")->isEnabled());
    click("Monochrome");
    EXPECT_TRUE(Button(dialog, "10")->isEnabled());
    EXPECT_FALSE(Button(dialog, "RGB36")->isEnabled());
    EXPECT_FALSE(Button(dialog, "CMYG")->isEnabled());
}

// Both depth groups and the pattern keep a choice; only where it applies is it shown.
TEST_F(CameraParamsDlg, OnlyTheDepthGroupThatAppliesShowsItsCheck) {
    const auto showsCheck = [this](const char* text) {  // the look changes with the check state
        QAbstractButton* b = Button(dialog, text);
        const QImage now = b->grab().toImage();
        b->group()->setExclusive(false);
        b->setChecked(!b->isChecked());
        const bool changed = now != b->grab().toImage();
        b->setChecked(!b->isChecked());
        b->group()->setExclusive(true);
        return changed;
    };
    click("RGB");
    EXPECT_TRUE(showsCheck("RGB24") && !showsCheck("8"));
    click("Monochrome");
    EXPECT_TRUE(showsCheck("8") && !showsCheck("RGB24") && !showsCheck("P"));
}

TEST_F(CameraParamsDlg, ConfigRoundTripsAndPackedIsForcedOffWhenUnavailable) {
    CameraConfig in{};
    in.widthPreValid = 3, in.widthValid = 20000, in.widthPostValid = 5;  // 20000: beyond the spinner range
    in.heightPreValid = 6, in.heightValid = 480, in.heightPostValid = 7, in.bitDepth = 12, in.packed = 1;
    in.tapConfig = StandardTaps(13), in.ignoreDval = 1, in.invertFval = 1;
    dialog.SetConfig(in);
    dialog.SetVideoType(0);
    CameraConfig out{};
    dialog.GetConfig(out);
    EXPECT_EQ(std::memcmp(&in, &out, sizeof in), 0);
    EXPECT_EQ(tapList(dialog)->currentIndex(), 12);

    dialog.SetPackedAvailable(false);
    dialog.SetConfig(in);
    EXPECT_FALSE(dialog.GetPacked());
    EXPECT_EQ(dialog.GetConfig(out).packed, 0u);
}

TEST_F(CameraParamsDlg, NotificationsAndStartGrabCaption) {
    dialog.show();
    QSignalSpy spy(&dialog, &CFloatingDlg::notify);
    click("Apply");
    click("Load...");
    click("Save...");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &enter);
    EXPECT_TRUE(dialog.isVisible());  // Enter applies; it does not close the window
    click("Start grab");
    EXPECT_TRUE(dialog.IsGrabOn());
    EXPECT_NE(Button(dialog, "Stop grab"), nullptr);
    std::vector<int> codes;
    for (const auto& args : spy) {
        EXPECT_EQ(args[0].toInt(), 113);
        codes.push_back(args[1].toInt());
    }
    EXPECT_EQ(codes, (std::vector<int>{0, 1, 2, 0, 4}));

    dialog.SetGrabOn(false);
    EXPECT_NE(Button(dialog, "Start grab"), nullptr);
    EXPECT_EQ(spy.size(), 5);  // the main frame's own changes send nothing
    dialog.EnableStartGrab(false);
    EXPECT_FALSE(dialog.IsStartGrabEnabled());
}

TEST_F(CameraParamsDlg, CustomCancelledKeepsTheOldTapConfig) {
    chooseFormat(4);
    OnNextModal<CCustomTapConfig>([](CCustomTapConfig* custom) { custom->reject(); });
    chooseFormat(18);
    TapConfig config{};
    EXPECT_TRUE(sameTaps(dialog.GetTapConfig(config), StandardTaps(5)));
    EXPECT_EQ(tapList(dialog)->currentIndex(), 4);
}

TEST_F(CameraParamsDlg, CustomEqualToAStandardFormatSelectsIt) {
    OnNextModal<CCustomTapConfig>([](CCustomTapConfig* custom) {
        custom->tapConfig = StandardTaps(16);
        custom->QDialog::accept();
    });
    chooseFormat(18);
    EXPECT_EQ(tapList(dialog)->currentIndex(), 15);

    TapConfig odd = StandardTaps(13);
    odd.tapDirection1 = 1;
    OnNextModal<CCustomTapConfig>([odd](CCustomTapConfig* custom) {
        custom->tapConfig = odd;
        custom->QDialog::accept();
    });
    chooseFormat(18);
    TapConfig config{};
    EXPECT_TRUE(sameTaps(dialog.GetTapConfig(config), odd));
    EXPECT_EQ(tapList(dialog)->currentIndex(), 18);
}

TEST_F(CameraParamsDlg, MoreShowsTheAnimatedPreviewAndWidensTheWindow) {
    dialog.show();
    QApplication::processEvents();
    const int narrow = dialog.width();
    click("More >>>");
    QApplication::processEvents();
    EXPECT_TRUE(dialog.IsPreviewShown());
    EXPECT_NE(Button(dialog, "Less <<<"), nullptr);
    EXPECT_GE(dialog.width(), narrow + dialog.preview()->width());
    EXPECT_TRUE(dialog.preview()->isAnimating());
    dialog.ShowPreview(true);  // already shown: nothing changes
    EXPECT_NE(Button(dialog, "Less <<<"), nullptr);
    click("Less <<<");
    QApplication::processEvents();
    EXPECT_FALSE(dialog.preview()->isAnimating());
    EXPECT_EQ(dialog.width(), narrow);
}

TEST_F(CameraParamsDlg, LearnTakesTheMeasurementFromTheRealCard) {
    grabber::CardHandle card = grabber::CardHandle::OpenDefault();
    ASSERT_TRUE(card);
    grabber::ChannelLease channel = grabber::ChannelLease::Claim(card.get(), 0);
    ASSERT_TRUE(channel);
    int measurements = 0;
    dialog.SetMeasureSignalHandler([&](uint32_t& clocks, uint32_t& lines) {
        ++measurements;
        return grabber::MeasureSignal(card.get(), channel.channel(), clocks, lines) == 0;
    });
    uint32_t clocks = 0, lines = 0;
    ASSERT_EQ(grabber::MeasureSignal(card.get(), 0, clocks, lines), 0u);
    OnNextModal<CAutoLearnDlg>([](CAutoLearnDlg* learn) { learn->accept(); });
    click("Learn");
    EXPECT_EQ(measurements, 1);
    EXPECT_EQ(dialog.GetWidthPreValid() + dialog.GetWidthPostValid(), 0u);
    EXPECT_EQ(dialog.GetHeightPreValid() + dialog.GetHeightValid() + dialog.GetHeightPostValid(), lines);
    EXPECT_EQ(dialog.GetWidthValid(), clocks);  // one tap: every clock is a valid pixel at first
}

}  // namespace
