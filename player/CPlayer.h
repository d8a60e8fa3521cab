// The file player: the image window with its view, and the control panel it
// creates beside itself. It shows one file at a time, steps through the panel's
// list and plays it with timers: Play at 25 images a second, Fast Forward and
// Rewind as fast as the timer and the decoder allow. Closing it destroys both
// windows; the owner keeps only a guarded pointer.
#pragma once

#include <QDialog>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QTimer>
#include <memory>

#include "player/ImageLoader.h"
#include "player/PlayerSteps.h"

class QAbstractButton;
class CPlayerCtrl;
class CPlayerView;

class CPlayer : public QDialog {
    Q_OBJECT
public:
    // viewSize: the view's client size until the first image; sizeChoice: 1024 to 1026.
    CPlayer(QSize viewSize, int sizeChoice, QWidget* parent);
    ~CPlayer() override;

    // Shows a file; an unreadable one leaves the picture as it was and says why.
    void ShowFile(const QString& path);
    // A transport button or size choice, as the panel sends it.
    void OnCommand(int id);

    CPlayerCtrl* Control() const { return control_.get(); }
    CPlayerView* View() const { return view_; }
    int Mode() const { return mode_; }
    QSize ViewSize() const { return viewSize_; }
    const QImage& CurrentImage() const { return image_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void stop();
    void setTransportChecked(int id, bool checked);
    void run(int id, QTimer& timer, int periodMs);
    void tick(int request);
    void applySizeChoice();
    void layOut();
    void placeControl();

    std::unique_ptr<CPlayerCtrl> control_;
    CPlayerView* view_ = nullptr;
    QImage image_;
    player::ImageLoader loader_;
    int mode_ = player::IDC_STOP;
    QSize viewSize_;
    int sizeChoice_;
    bool messageShown_ = false;
    bool controlPlaced_ = false;
    QHash<int, QAbstractButton*> buttons_;  // the window's own transport buttons, hidden
    QTimer rewindTimer_, forwardTimer_;
};
