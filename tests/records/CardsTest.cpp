#include <gtest/gtest.h>

#include "grabber/Grabber.h"

namespace {

TEST(Cards, LinkOfTheDefaultCard) {
    grabber::CardHandle card = grabber::CardHandle::OpenDefault();
    ASSERT_TRUE(card);
    const grabber::LinkInfo link = grabber::GetLinkInfo(card.get());
    EXPECT_EQ(link.status, 0u);
    EXPECT_EQ(link.lanes, 4u);
    EXPECT_EQ(link.speedCode, 2u);
}

TEST(Cards, ClosedOrUnknownHandlesAreRefused) {
    uint64_t handle = 0;
    {
        grabber::CardHandle card = grabber::CardHandle::OpenDefault();
        handle = card.get();
    }
    uint32_t image = 0;
    for (uint64_t h : {uint64_t{0}, handle, uint64_t{0xDEADBEEF}}) {
        EXPECT_NE(GetFirmwareImage(h, &image), 0u);
        EXPECT_NE(grabber::GetLinkInfo(h).status, 0u);
        EXPECT_NE(grabber::GetVersions(h).status, 0u);
        EXPECT_FALSE(grabber::HasFullAndDecaModes(h));
    }
    EXPECT_EQ(OpenCard(0x1234, 0), 0u);
    const auto cards = grabber::EnumerateCards();
    EXPECT_EQ(OpenCard(cards.at(0).cardId, 1), 0u) << "flags must be 0";
}

TEST(Cards, EnumerationNeedsTheRecordSize) {
    void* e = nullptr;
    ASSERT_EQ(BeginCardEnum(&e), 0u);
    CardInfo info{};
    info.size = 20;
    EXPECT_NE(NextCard(e, &info), 0u);
    info.size = sizeof info;
    EXPECT_EQ(NextCard(e, &info), 0u);
    EXPECT_NE(NextCard(e, &info), 0u) << "one card only";
    EndCardEnum(e);
}

}  // namespace
