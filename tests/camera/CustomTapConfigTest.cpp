#include <gtest/gtest.h>

#include <QComboBox>
#include <QTableWidget>
#include <cstring>

#include "TapFormats.h"
#include "camera/CCustomTapConfig.h"
#include "grabber/Grabber.h"
#include "kit/MessageBox.h"

namespace {

class CustomTapConfig : public ::testing::Test {
protected:
    void SetUp() override {
        previous = appkit::SetMessageHandler([this](const appkit::MessageRequest& request) {
            messages << request.text;
            return QMessageBox::Ok;
        });
    }
    void TearDown() override { appkit::SetMessageHandler(previous); }

    // The value cell of a row, by its label.
    QComboBox* cell(CCustomTapConfig& dialog, const QString& label) {
        QTableWidget* grid = dialog.grid();
        for (int r = 0; r < grid->rowCount(); ++r)
            if (grid->item(r, 0)->text() == label)
                return qobject_cast<QComboBox*>(grid->cellWidget(r, 1));
        return nullptr;
    }

    appkit::MessageHandler previous;
    QStringList messages;
};

TEST_F(CustomTapConfig, GridShowsTheConfigAndEditsComeBackOnOk) {
    CCustomTapConfig dialog;
    dialog.tapConfig = StandardTaps(13);
    dialog.show();
    EXPECT_EQ(cell(dialog, "# of Segment per Line (taps)")->currentText(), "4");
    EXPECT_EQ(cell(dialog, "Taps geometry")->currentText(), "Alternate");
    EXPECT_EQ(cell(dialog, "Tap 3 direction")->currentText(), "Right-Left");
    cell(dialog, "# of Channels")->setCurrentText("2");
    cell(dialog, "Channel interlace")->setCurrentText("Interlaced");
    cell(dialog, "Channel 2 direction")->setCurrentText("Bottom-Up");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(dialog.tapConfig.channels, 2);
    EXPECT_EQ(dialog.tapConfig.channelOutput, 1);
    EXPECT_EQ(dialog.tapConfig.channelDirection1, 1);
    EXPECT_EQ(dialog.tapConfig.taps, 4);
}

// The rules themselves are checked on BrokenTapRule; here a broken one keeps the dialog open.
TEST_F(CustomTapConfig, ABrokenTapRuleKeepsTheDialogOpen) {
    CCustomTapConfig dialog;
    dialog.tapConfig = StandardTaps(18);  // 10 taps
    dialog.show();
    cell(dialog, "Taps geometry")->setCurrentText("Alternate");
    dialog.accept();
    EXPECT_EQ(
        messages,
        QStringList{"For number of taps greater then 4 only Segmented or Interleaced outputs supported"});
    EXPECT_TRUE(dialog.isVisible());
    const TapConfig tenTaps = StandardTaps(18);
    EXPECT_EQ(std::memcmp(&dialog.tapConfig, &tenTaps, sizeof(TapConfig)), 0);
}

}  // namespace
