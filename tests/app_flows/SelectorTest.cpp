// The card selector against described machines: which cards are listed and
// counted, the messages, the aliases, the bold row, and what the main frame does
// with Connect and Cancel.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QTableWidget>

#include "FlowsSupport.h"
#include "app/CMainFrame.h"
#include "grabber/CAliasDlg.h"
#include "grabber/CameraFiles.h"
#include "grabber/Grabber.h"
#include "res/ResourceIds.h"

namespace {

using flows::UseMachine;

struct ListingCase {
    const char* name;
    const char* machine;
    QStringList locations;  // the rows listed
    uint32_t counted;
    QString message;      // empty: none
    QList<int> notified;  // codes sent to the owner
};

void PrintTo(const ListingCase& c, std::ostream* os) {
    *os << c.name;
}

const char* const kOwnedBoth = R"([{"ownedByOtherProgram": true}, {"ownedByOtherProgram": true}])";

std::string card(const char* id, const char* location, const std::string& extra = {}) {
    return std::string(R"({"id": ")") + id + R"(", "location": ")" + location + "\"" + extra + "}";
}

std::string machine(std::initializer_list<std::string> cards) {
    std::string json = R"({"cards": [)";
    for (const std::string& c : cards)
        json += (json.back() == '[' ? "" : ",") + c;
    return json + "]}";
}

const std::string kOneFree = machine({card("0x10", "slot A")});
const std::string kBothOwned =
    machine({card("0x10", "slot A", std::string(R"(, "channels": )") + kOwnedBoth)});
const std::string kClosedThenFree =
    machine({card("0x10", "slot A", R"(, "openable": false)"), card("0x11", "slot B")});
const std::string kOnlyClosed = machine({card("0x10", "slot A", R"(, "openable": false)")});
const std::string kTwoFreeAroundClosed = machine(
    {card("0x10", "slot A"), card("0x11", "slot B", R"(, "openable": false)"), card("0x12", "slot C")});

class SelectorListing : public ::testing::TestWithParam<ListingCase> {};

// The start-up refresh of a selector that has no open card yet.
TEST_P(SelectorListing, ListsCountsAndTellsTheOwner) {
    const ListingCase& c = GetParam();
    UseMachine(c.machine);
    RecordedMessages().clear();
    CAliasDlg selector;
    QList<int> notified;
    QObject::connect(&selector, &CFloatingDlg::notify, [&](int id, int code) {
        EXPECT_EQ(id, res::IDD_CARD_SELECTOR);
        notified << code;
    });
    selector.showOverride = -1, selector.refreshOnInit = true;
    ASSERT_TRUE(selector.Create(nullptr));

    EXPECT_EQ(selector.locations, c.locations);
    EXPECT_EQ(selector.cardCount, c.counted) << "a card that cannot be opened is not counted";
    ASSERT_EQ(selector.list()->rowCount(), c.locations.size());
    for (int row = 0; row < c.locations.size(); ++row)
        EXPECT_EQ(selector.list()->item(row, 0)->text(), c.locations[row]);
    EXPECT_EQ(RecordedMessages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
    EXPECT_EQ(notified, c.notified);
}

INSTANTIATE_TEST_SUITE_P(
    Machines, SelectorListing,
    ::testing::Values(
        ListingCase{"OneFreeCardConnectsByItself", kOneFree.c_str(), {"slot A"}, 1, {}, {1, 0}},
        ListingCase{
            "BothChannelsOwned", kBothOwned.c_str(), {}, 1, "No free Glintrail Express card detected!", {}},
        ListingCase{"ClosedCardNeitherListedNorCounted", kClosedThenFree.c_str(), {"slot B"}, 1, {}, {1, 0}},
        ListingCase{"OnlyAClosedCard", kOnlyClosed.c_str(), {}, 0, "No Glintrail Express card detected!", {}},
        ListingCase{"TwoFreeCardsWait", kTwoFreeAroundClosed.c_str(), {"slot A", "slot C"}, 2, {}, {1}}),
    [](const ::testing::TestParamInfo<ListingCase>& info) { return std::string(info.param.name); });

TEST(SelectorAliases, ACardWithoutAliasGetsItsLocationStored) {
    UseMachine(machine({card("0x20", "slot A"), card("0x21", "slot B")}));
    ASSERT_EQ(grabber::SetCardAlias(0x20, u"Left rig"), ZAMGRB_OK);
    CAliasDlg selector;
    selector.showOverride = -1, selector.refreshOnInit = true;
    ASSERT_TRUE(selector.Create(nullptr));

    EXPECT_EQ(selector.aliases, QStringList({"Left rig", "slot B"}));
    EXPECT_EQ(selector.list()->item(0, 1)->text(), "Left rig");
    EXPECT_EQ(selector.list()->item(1, 1)->text(), "slot B");
    std::u16string stored;
    ASSERT_EQ(grabber::GetCardAlias(0x21, stored), ZAMGRB_OK);
    EXPECT_EQ(stored, u"slot B") << "the location is stored as the alias";
    ASSERT_EQ(grabber::GetCardAlias(0x20, stored), ZAMGRB_OK);
    EXPECT_EQ(stored, u"Left rig") << "a stored alias stays";
}

// The open card's alias is looked up among the rows ignoring case; the first row
// that matches is bold.
TEST(SelectorAliases, TheBoldRowIgnoresCase) {
    UseMachine(machine({card("0x30", "slot A"), card("0x31", "slot B"), card("0x32", "slot C")}));
    ASSERT_EQ(grabber::SetCardAlias(0x30, u"RIG"), ZAMGRB_OK);
    ASSERT_EQ(grabber::SetCardAlias(0x31, u"rig"), ZAMGRB_OK);
    ASSERT_EQ(grabber::SetCardAlias(0x32, u"Other"), ZAMGRB_OK);
    struct Case {
        uint64_t openCard;
        int boldRow;
    };
    for (const Case& c : {Case{0x31, 0}, Case{0x32, 2}}) {
        grabber::CardHandle open = grabber::CardHandle::Open(c.openCard);
        ASSERT_TRUE(open);
        CAliasDlg selector;
        QList<int> notified;
        QObject::connect(&selector, &CFloatingDlg::notify, [&](int, int code) { notified << code; });
        selector.showOverride = -1, selector.refreshOnInit = true;
        selector.SetCurrentCard(open.get());
        ASSERT_TRUE(selector.Create(nullptr));
        ASSERT_EQ(selector.list()->rowCount(), 3);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 2; ++column)
                EXPECT_EQ(selector.list()->item(row, column)->font().bold(), row == c.boldRow)
                    << "open card " << c.openCard << ", row " << row;
        }
        EXPECT_EQ(notified, QList<int>{1}) << "a selector with an open card never connects by itself";
    }
}

CAliasDlg* selectorOf(CMainFrame& frame) {
    return frame.findChild<CAliasDlg*>();
}

QString openCardAlias(uint64_t handle) {
    std::u16string alias;
    grabber::GetOpenCardAlias(handle, alias);
    return QString::fromStdU16String(alias);
}

bool channelIsFree(uint64_t cardId, uint8_t channel) {
    grabber::CardHandle other = grabber::CardHandle::Open(cardId);
    return other && grabber::OpenChannel(other.get(), channel) == ZAMGRB_OK;
}

const std::string kCameraPair = R"(, "channels": [{"camera": {}}, {"camera": {}}])";

TEST(SelectorAtStart, TheOnlyFreeCardConnectsWithoutTheDialogOnItsFirstFreeChannel) {
    UseMachine(machine(
        {card("0x40", "slot A", R"(, "channels": [{"ownedByOtherProgram": true}, {"camera": {}}])")}));
    RecordedMessages().clear();
    flows::WindowWatcher watcher(flows::OnWindow<CAliasDlg>([](CAliasDlg* d) { d->reject(); }));
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    EXPECT_EQ(watcher.handled(), 0) << "the selector was shown";
    ASSERT_NE(frame.cardHandle(), 0u);
    EXPECT_EQ(frame.channel(), 1) << "channel 1 belongs to another program";
    EXPECT_FALSE(channelIsFree(0x40, 1)) << "the frame owns the channel";
    EXPECT_TRUE(RecordedMessages().isEmpty()) << RecordedMessages().join('|').toStdString();
    EXPECT_EQ(frame.windowTitle(), "slot A - Channel 2");
}

// Two cards whose locations differ only in case: the one whose location is the
// selected row's, letter for letter, is connected.
TEST(SelectorAtStart, ConnectComparesLocationsCaseSensitively) {
    for (int row : {1, 0}) {
        UseMachine(machine({card("0x50", "slot a", kCameraPair), card("0x51", "SLOT A", kCameraPair)}));
        const QString expected = row == 0 ? "slot a" : "SLOT A";
        flows::WindowWatcher watcher(flows::OnWindow<CAliasDlg>([row](CAliasDlg* d) {
            d->list()->selectRow(row);
            Button(*d, "Connect")->click();
        }));
        CMainFrame frame;
        ASSERT_TRUE(frame.OnCreate());
        EXPECT_EQ(watcher.handled(), 1);
        ASSERT_NE(frame.cardHandle(), 0u);
        EXPECT_EQ(openCardAlias(frame.cardHandle()), expected) << "row " << row;
        EXPECT_EQ(selectorOf(frame)->GetSelectedLocation(), expected);
        EXPECT_EQ(frame.channel(), 0);
        EXPECT_TRUE(channelIsFree(row == 0 ? 0x51 : 0x50, 0)) << "the other card stays untouched";
    }
}

// The start-up selector closed with the window's close button leaves no card, and
// Card Selector still offers the cards. A configuration the chosen card refuses is
// reported; the title names the open card, also after the selector's rows changed.
TEST(SelectorAtStart, ClosedWithoutAChoiceTheCardsAreStillOffered) {
    UseMachine(machine({card("0x90", "slot A", kCameraPair), card("0x91", "slot B", kCameraPair),
                        card("0x92", "slot C", kCameraPair)}));
    const QString noCardFile = grabber::AutomaticChannelFile(grabber::kNoChannel);
    flows::WriteCameraFile(noCardFile, "Odd", 641, 5);  // two taps: 641 is refused
    CMainFrame frame;
    {
        flows::WindowWatcher watcher(flows::OnWindow<CAliasDlg>([](CAliasDlg* d) { d->close(); }));
        ASSERT_TRUE(frame.OnCreate());
        ASSERT_EQ(watcher.handled(), 1);
    }
    QFile::remove(noCardFile);
    ASSERT_EQ(frame.cardHandle(), 0u);
    frame.UpdateCommandUI();
    ASSERT_TRUE(frame.action(res::ID_CARD_SELECTOR)->isEnabled());

    RecordedMessages().clear();
    frame.ExecuteCommand(res::ID_CARD_SELECTOR);
    CAliasDlg* selector = selectorOf(frame);
    ASSERT_TRUE(selector->isVisible());
    selector->list()->selectRow(1);
    Button(*selector, "Connect")->click();
    ASSERT_NE(frame.cardHandle(), 0u);
    EXPECT_EQ(RecordedMessages(), QStringList{"Invalid camera parameters."});
    EXPECT_EQ(frame.windowTitle(), "slot B - Channel 1: Odd");

    // Slot A is taken meanwhile: the open card is the first row now.
    grabber::CardHandle other = grabber::CardHandle::Open(0x90);
    for (uint8_t ch : {uint8_t{0}, uint8_t{1}})
        ASSERT_EQ(grabber::OpenChannel(other.get(), ch), ZAMGRB_OK);
    frame.ExecuteCommand(res::ID_CARD_SELECTOR);
    ASSERT_EQ(selector->locations, QStringList({"slot B", "slot C"}));
    Button(*selector, "Cancel")->click();
    EXPECT_EQ(frame.windowTitle(), "slot B - Channel 1: Odd");
}

struct CancelCase {
    std::vector<uint8_t> takenMeanwhile;  // channels another owner takes while the selector is shown
    int channel;                          // the channel re-claimed, -1 none
    QStringList messages;
    bool closeWindow = false;  // left with the window's close button instead of Cancel
};

void PrintTo(const CancelCase& c, std::ostream* os) {
    *os << "re-claims " << c.channel << (c.closeWindow ? " on close" : " on Cancel");
}

class SelectorCancel : public ::testing::TestWithParam<CancelCase> {};

// While the selector is shown from the menu the channel is released; Cancel, or
// closing the window, takes it back, or the first channel still free.
TEST_P(SelectorCancel, ReclaimsAChannel) {
    const CancelCase& c = GetParam();
    UseMachine(machine({card("0x60", "slot A", kCameraPair)}));
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    ASSERT_EQ(frame.channel(), 0);
    frame.ExecuteCommand(res::ID_CARD_SELECTOR);
    CAliasDlg* selector = selectorOf(frame);
    ASSERT_TRUE(selector && selector->isVisible());
    ASSERT_EQ(selector->locations, QStringList{"slot A"}) << "the open card is listed as free";
    EXPECT_TRUE(selector->list()->item(0, 0)->font().bold());

    std::vector<grabber::CardHandle> others;
    for (uint8_t ch : c.takenMeanwhile) {
        others.push_back(grabber::CardHandle::Open(0x60));
        ASSERT_EQ(grabber::OpenChannel(others.back().get(), ch), ZAMGRB_OK);
    }
    RecordedMessages().clear();
    QAbstractButton* cancel = Button(*selector, "Cancel");
    ASSERT_TRUE(cancel && cancel->isEnabled());
    if (c.closeWindow)
        selector->close();
    else
        cancel->click();

    EXPECT_FALSE(selector->isVisible());
    EXPECT_EQ(RecordedMessages(), c.messages);
    if (c.channel < 0) {
        EXPECT_EQ(frame.cardHandle(), 0u);
    } else {
        ASSERT_NE(frame.cardHandle(), 0u);
        EXPECT_EQ(frame.channel(), c.channel);
        others.clear();
        EXPECT_FALSE(channelIsFree(0x60, uint8_t(c.channel))) << "the frame owns the channel again";
    }
}

INSTANTIATE_TEST_SUITE_P(Owners, SelectorCancel,
                         ::testing::Values(CancelCase{{}, 0, {}}, CancelCase{{0}, 1, {}},
                                           CancelCase{{0, 1}, -1, {"Card busy!"}},
                                           CancelCase{{}, 0, {}, true},
                                           CancelCase{{0, 1}, -1, {"Card busy!"}, true}));

}  // namespace
