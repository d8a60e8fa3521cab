#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTextEdit>
#include <QTimer>

#include "GuiTestSupport.h"
#include "LutTestFiles.h"
#include "analysis/CDlgLUT.h"
#include "kit/MessageBox.h"

namespace {

class CDlgLUTTest : public ::testing::Test {
protected:
    void SetUp() override {
        appkit::SetMessageHandler([this](const appkit::MessageRequest& request) {
            messages_ << request.text;
            return QMessageBox::Ok;
        });
        withHeader_ =
            files_.Write("h.lut", {":Header", "Gamma,", "-- not shown", "second,", ":Table", "0,0"});
    }
    void TearDown() override { appkit::SetMessageHandler({}); }

    luttest::LutFiles files_;
    QString withHeader_;
    QStringList messages_;
};

TEST_F(CDlgLUTTest, OpeningShowsFileHeaderAndEnable) {
    CDlgLUT dialog(withHeader_, true);
    EXPECT_EQ(Control<QLineEdit>(dialog, CDlgLUT::IDC_LUT_PATH)->text(), withHeader_);
    EXPECT_EQ(dialog.header, "Gamma\r\nsecond");
    EXPECT_EQ(Control<QTextEdit>(dialog, CDlgLUT::IDC_LUT_HEADER)->toPlainText(), "Gamma\nsecond");
    EXPECT_TRUE(Control<QCheckBox>(dialog, CDlgLUT::IDC_LUT_ENABLE)->isChecked());
    EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(CDlgLUTTest, MissingFilesAreReported) {
    CDlgLUT dialog(files_.Missing(), false);
    EXPECT_EQ(messages_, QStringList{"File <" + files_.Missing() + "> does not exist"});
    CDlgLUT empty(QString(), false);
    EXPECT_EQ(messages_.size(), 1);  // an empty name is not read
}

TEST_F(CDlgLUTTest, LeavingThePathBoxChecksTheFileButKeepsTheHeaderShown) {
    CDlgLUT dialog(withHeader_, false);
    Control<QLineEdit>(dialog, CDlgLUT::IDC_LUT_PATH)->setText(files_.Missing());
    dialog.OnPathEdited();
    EXPECT_EQ(dialog.fileName, files_.Missing());
    EXPECT_EQ(messages_.size(), 1);
    EXPECT_EQ(Control<QTextEdit>(dialog, CDlgLUT::IDC_LUT_HEADER)->toPlainText(), "Gamma\nsecond");
    dialog.SetChosenFile(withHeader_);
    EXPECT_EQ(Control<QLineEdit>(dialog, CDlgLUT::IDC_LUT_PATH)->text(), withHeader_);
}

TEST_F(CDlgLUTTest, RunAnswersTheChoiceOrNothingOnCancel) {
    const auto closeWith = [](bool ok) {
        QTimer::singleShot(0, [ok] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<CDlgLUT*>(w); dialog && dialog->isVisible()) {
                    Control<QCheckBox>(*dialog, CDlgLUT::IDC_LUT_ENABLE)->click();
                    ok ? dialog->accept() : dialog->reject();
                }
            }
        });
    };
    closeWith(true);
    const auto answer = lut::RunLutDialog(nullptr, {withHeader_, false});
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->fileName, withHeader_);
    EXPECT_TRUE(answer->enable);
    closeWith(false);
    EXPECT_FALSE(lut::RunLutDialog(nullptr, {withHeader_, false}).has_value());
}

}  // namespace
