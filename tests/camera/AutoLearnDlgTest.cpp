#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "ModalHelper.h"
#include "TapFormats.h"
#include "camera/CAutoLearnDlg.h"
#include "camera/CCustomTapConfig.h"
#include "camera/CUnsignedSpinEdit.h"
#include "grabber/Grabber.h"

namespace {

TEST(AutoLearnDlg, AnEditCanBeEmptiedAndTypedAgain) {
    CAutoLearnDlg dialog(1000, 500, StandardTaps(3));
    CUnsignedSpinEdit* post = dialog.partEdit(AutoLearnModel::kWidthPostValid);
    QTest::keyClick(post->lineEdit(), Qt::Key_End);
    QTest::keyClick(post->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(post->text(), "");
    QTest::keyClicks(post->lineEdit(), "5");
    EXPECT_EQ(post->text(), "5");
    EXPECT_EQ(dialog.widthValid(), 1995u);
    QTest::keyClick(post->lineEdit(), Qt::Key_Backspace);
    emit post->editingFinished();  // the edit is left empty
    EXPECT_EQ(post->text(), "0");
    EXPECT_EQ(dialog.widthValid(), 2000u);
}

TEST(AutoLearnDlg, SpinnerStopsAtTheOppositeValue) {
    CAutoLearnDlg dialog(100, 50, StandardTaps(1));
    dialog.partEdit(AutoLearnModel::kHeightPostValid)->lineEdit()->setText("");
    QTest::keyClicks(dialog.partEdit(AutoLearnModel::kHeightPostValid)->lineEdit(), "49");
    CUnsignedSpinEdit* pre = dialog.partEdit(AutoLearnModel::kHeightPreValid);
    pre->stepBy(5);
    EXPECT_EQ(pre->text(), "1");
    EXPECT_EQ(dialog.heightValid(), 0u);
}

TEST(AutoLearnDlg, TapFormatChangeResetsThePartsAndCustomCancelKeepsTheGeometry) {
    CAutoLearnDlg dialog(1000, 500, StandardTaps(5));
    QTest::keyClicks(dialog.partEdit(AutoLearnModel::kWidthPreValid)->lineEdit(), "1500");
    EXPECT_EQ(dialog.widthPreValid(), 1500u);
    emit dialog.tapFormatList()->activated(0);
    EXPECT_EQ(dialog.widthPreValid(), 0u);
    EXPECT_EQ(dialog.partEdit(AutoLearnModel::kWidthPreValid)->text(), "0");
    EXPECT_EQ(dialog.widthValid(), 1000u);

    OnNextModal<CCustomTapConfig>([](CCustomTapConfig* custom) { custom->reject(); });
    emit dialog.tapFormatList()->activated(18);
    EXPECT_EQ(dialog.tapConfig().taps, 1);
    EXPECT_EQ(dialog.tapFormatList()->currentIndex(), 0);
}

}  // namespace
