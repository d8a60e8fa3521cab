#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

#include "app/CMainFrame.h"
#include "display/CChildView.h"
#include "player/CPlayer.h"
#include "player/CPlayerView.h"
#include "res/ResourceIds.h"

// One player at a time, at the main view's size; a closed one is replaced, and the
// frame's destruction takes an open one with it.
TEST(MainFramePlayer, OpensOnePlayerAndDestroysItWithTheFrame) {
    CMainFrame frame;
    ASSERT_TRUE(frame.OnCreate());
    frame.ExecuteCommand(res::ID_PLAY_FILES);
    frame.ExecuteCommand(res::ID_PLAY_FILES);
    ASSERT_EQ(frame.findChildren<CPlayer*>().size(), 1);
    QPointer<CPlayer> player = frame.findChild<CPlayer*>();
    EXPECT_EQ(player->View()->ClientSize(), frame.view()->size());
    player->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(player.isNull());
    frame.ExecuteCommand(res::ID_PLAY_FILES);
    player = frame.findChild<CPlayer*>();
    ASSERT_TRUE(player && player->isVisible());
    frame.close();
    EXPECT_TRUE(player.isNull());
}
