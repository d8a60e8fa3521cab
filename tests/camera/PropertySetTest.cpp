#include <gtest/gtest.h>

#include "camera/PropertySet.h"
#include "camera/TapConfigFields.h"
#include "res/ResourceIds.h"

namespace {

QStringList keysByRow(const CPropertyMap& map) {
    QStringList keys;
    for (const CPropertyObject* p : map.ByRow())
        keys << QStringLiteral("%1@%2").arg(p->key).arg(p->row);
    return keys;
}

TEST(PropertySet, TapSetHasElevenRowsInRecordOrderAndNoTapOrder) {
    CPropertyMap map;
    ASSERT_TRUE(LoadPropertySet(res::IDR_TAP_PROPERTY_SET, map));
    EXPECT_EQ(map.Columns(), (QStringList{"Parameter", "Value"}));
    const auto rows = map.ByRow();
    ASSERT_EQ(rows.size(), tapconfig::kFieldKeys.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i]->key, QLatin1String(tapconfig::kFieldKeys[i]));
        EXPECT_EQ(rows[i]->row, int(i) + 1);
    }
    EXPECT_EQ(map.Find("tapOrder"), nullptr);
}

TEST(PropertySet, UnknownSetFailsToLoad) {
    CPropertyMap map;
    EXPECT_FALSE(LoadPropertySet(999, map));
    EXPECT_TRUE(map.Map().empty());
}

TEST(PropertySet, ReadsRows) {
    struct ParseCase {
        const char* name;
        const char* text;
        bool ok;
        QStringList keys;  // key@row in row order
    };
    const ParseCase cases[] = {
        {"DuplicateKeyStops", "ROW a A list (x)\r\nROW a B list (y)\r\nROW c C list (z)\r\n", false, {"a@1"}},
        {"TextRowTakesNoRowNumber", "ROW t T text (x)\nROW n N numeric (0 9)\n", true, {"n@1"}},
        {"UnknownTypeSkipped", "ROW u U colour (x)\nROW l L list (x)\n", true, {"l@1"}},
        {"NumericWithoutTwoNumbersSkipped",
         "ROW a A numeric (1)\nROW b B numeric (1 x)\nROW c C numeric (1 2)",
         true,
         {"c@1"}},
        {"CommentsAndOtherWords",
         "# ROW a A list (x)\n;ROW b B list (x)\n'ROW c C list (x)\nFOO d\n  row e E LIST (x)",
         true,
         {"e@1"}},
        {"SkippedRowDoesNotClaimItsKey", "ROW a A text (x)\nROW a A list (x)\n", true, {"a@1"}},
        {"EmptyText", "", true, {}},
    };
    for (const ParseCase& c : cases) {
        CPropertyMap map;
        EXPECT_EQ(ParsePropertySet(QByteArray(c.text), map), c.ok) << c.name;
        EXPECT_EQ(keysByRow(map), c.keys) << c.name;
    }
}

TEST(PropertySet, ByteOrderMarkTokensAndColumns) {
    CPropertyMap map;
    const QByteArray text =
        "\xEF\xBB\xBF"
        "col 'First title'\r\n"
        "COL\r\n"
        "\r\n"
        "COL \"Second (x)\"\r\n"
        "ROW \"two words\" 'It\"s' list ((a b) \"c d\" 'e' f)\r\n"
        "ROW open Open list (a (b c)\r\n"
        "ROW n N numeric ( 0x10   010 )\n";
    EXPECT_TRUE(ParsePropertySet(text, map));
    EXPECT_EQ(map.Columns(), (QStringList{"First title", "Second (x)"}));
    const auto* list = dynamic_cast<const CListProperty*>(map.Find("two words"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->label, "It\"s");
    EXPECT_EQ(list->options, (QStringList{"a b", "c d", "e", "f"}));
    const auto* open = dynamic_cast<const CListProperty*>(map.Find("open"));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->options, (QStringList{"a", "b c"}));  // an open parenthesis runs to the end of the line
    const auto* numeric = dynamic_cast<const CNumericProperty*>(map.Find("n"));
    ASSERT_NE(numeric, nullptr);
    EXPECT_EQ(numeric->minimum, 16);
    EXPECT_EQ(numeric->maximum, 8);
}

TEST(PropertySet, TokensOfParameters) {
    EXPECT_EQ(propertyset::Tokens(u"(a b) \"c d\" 'e' f"), (QStringList{"a b", "c d", "e", "f"}));
    EXPECT_EQ(propertyset::Tokens(u"((x) y) z"), (QStringList{"(x) y", "z"}));
    EXPECT_EQ(propertyset::Tokens(u"'open ended"), (QStringList{"open ended"}));
    EXPECT_EQ(propertyset::Tokens(u"\t a\t\tb  "), (QStringList{"a", "b"}));
    EXPECT_EQ(propertyset::Tokens(u""), QStringList{});
}

TEST(PropertySet, CIntegersWithAutomaticBase) {
    const std::pair<const char16_t*, std::optional<int32_t>> cases[] = {{u"0x10", 16},
                                                                        {u"010", 8},
                                                                        {u"16", 16},
                                                                        {u"-5", -5},
                                                                        {u" 7", 7},
                                                                        {u"12abc", 12},
                                                                        {u"abc", std::nullopt},
                                                                        {u"", std::nullopt},
                                                                        {u"0x", 0},
                                                                        {u"99999999999", INT32_MAX},
                                                                        {u"-99999999999", INT32_MIN}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(propertyset::ReadInteger(text), expected) << QString::fromUtf16(text).toStdString();
}

}  // namespace
