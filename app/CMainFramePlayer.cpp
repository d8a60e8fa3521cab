// The main frame's steps for the file player.
#include "app/CMainFrame.h"
#include "display/CChildView.h"
#include "player/CPlayer.h"
#include "player/CPlayerCtrl.h"
#include "player/PlayerSteps.h"

// One player at a time: opened again, it comes to the front with its panel. Its
// view starts at the size of the main image view.
void CMainFrame::OpenPlayer() {
    if (!player_) {
        player_ = new CPlayer(view_ ? view_->size() : QSize(640, 480), player::IDC_FULL_FRAME, this);
        RegisterFloatingWindow(player_);
        RegisterFloatingWindow(player_->Control());
    }
    for (QWidget* window : std::initializer_list<QWidget*>{player_, player_->Control()}) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

void CMainFrame::DestroyPlayer() {
    delete player_.data();
}
