#include <gtest/gtest.h>

#include <QLineEdit>
#include <cstdint>

#include "analysis/CStatisticsDlg.h"

namespace {

using Getter = uint32_t (CStatisticsDlg::*)() const;
using Setter = void (CStatisticsDlg::*)(uint32_t);

struct Operation {
    const char* name;
    int editId;
    Getter get;
    Setter set;
};

// Every field written as a plain unsigned decimal; the link speed has its own test.
const Operation kDecimalFields[] = {
    {"FrameRate", 1128, &CStatisticsDlg::GetFrameRate, &CStatisticsDlg::SetFrameRate},
    {"Bandwidth", 1177, &CStatisticsDlg::GetBandwidth, &CStatisticsDlg::SetBandwidth},
    {"GrabbingRate", 1129, &CStatisticsDlg::GetGrabbingRate, &CStatisticsDlg::SetGrabbingRate},
    {"GrabbingCount", 1130, &CStatisticsDlg::GetGrabbingCount, &CStatisticsDlg::SetGrabbingCount},
    {"DropCount", 1132, &CStatisticsDlg::GetDropCount, &CStatisticsDlg::SetDropCount},
    {"OverrunCount", 1131, &CStatisticsDlg::GetOverrunCount, &CStatisticsDlg::SetOverrunCount},
    {"TimeStamp", 1133, &CStatisticsDlg::GetTimeStamp, &CStatisticsDlg::SetTimeStamp},
    {"ClockRate", 1179, &CStatisticsDlg::GetClockRate, &CStatisticsDlg::SetClockRate},
    {"ClocksPerLine", 1180, &CStatisticsDlg::GetClocksPerLine, &CStatisticsDlg::SetClocksPerLine},
    {"LinesPerFrame", 1181, &CStatisticsDlg::GetLinesPerFrame, &CStatisticsDlg::SetLinesPerFrame},
    {"LinkWidth", 1134, &CStatisticsDlg::GetLinkWidth, &CStatisticsDlg::SetLinkWidth},
    {"MaxPayloadRequested", 1137, &CStatisticsDlg::GetMaxPayloadRequested,
     &CStatisticsDlg::SetMaxPayloadRequested},
    {"MaxPayload", 1136, &CStatisticsDlg::GetMaxPayload, &CStatisticsDlg::SetMaxPayload},
};

QString EditText(const CStatisticsDlg& dlg, int id) {
    const auto* edit = dlg.findChild<QLineEdit*>(QString::number(id));
    return edit ? edit->text() : QStringLiteral("<missing %1>").arg(id);
}

class StatisticsDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlg.showOverride = -1;  // never shown; the fields work all the same
        ASSERT_TRUE(dlg.Create(nullptr));
    }
    CStatisticsDlg dlg;
};

TEST_F(StatisticsDlgTest, EveryEditIsReadOnly) {
    for (const QLineEdit* edit : dlg.findChildren<QLineEdit*>())
        EXPECT_TRUE(edit->isReadOnly()) << edit->objectName().toStdString();
}

// Distinct values in every field at once, so a setter or getter wired to the wrong
// edit shows up; then both ends of the range.
TEST_F(StatisticsDlgTest, EachSetterWritesItsOwnFieldAndItsGetterReadsItBack) {
    uint32_t value = 4000000000u;
    for (const Operation& op : kDecimalFields)
        (dlg.*op.set)(value++);
    value = 4000000000u;
    for (const Operation& op : kDecimalFields) {
        SCOPED_TRACE(op.name);
        EXPECT_EQ(EditText(dlg, op.editId), QString::number(value));
        EXPECT_EQ((dlg.*op.get)(), value);
        ++value;
        for (const uint32_t v : {0u, 4294967295u}) {
            (dlg.*op.set)(v);
            EXPECT_EQ(EditText(dlg, op.editId), QString::number(v));
            EXPECT_EQ((dlg.*op.get)(), v);
        }
    }
}

TEST_F(StatisticsDlgTest, LinkSpeedShowsGigabitsPerLaneAndReadsBackTheCode) {
    struct {
        uint32_t code;
        const char* shown;
    } const cases[] = {{0, "0.0"}, {1, "2.5"}, {2, "5.0"}, {3, "7.5"}, {4294967295u, "10737418237.5"}};
    for (const auto& c : cases) {
        dlg.SetLinkSpeed(c.code);
        EXPECT_EQ(EditText(dlg, 1135), QString::fromLatin1(c.shown));
        EXPECT_EQ(dlg.GetLinkSpeed(), c.code) << c.shown;
    }
}

TEST(StatisticsDlgNotCreated, GettersAnswerZeroAndSettersDoNothing) {
    CStatisticsDlg dlg;
    for (const Operation& op : kDecimalFields) {
        (dlg.*op.set)(42);
        EXPECT_EQ((dlg.*op.get)(), 0u) << op.name;
    }
    dlg.SetLinkSpeed(2);
    EXPECT_EQ(dlg.GetLinkSpeed(), 0u);
    EXPECT_TRUE(dlg.findChildren<QLineEdit*>().isEmpty());
}

}  // namespace
