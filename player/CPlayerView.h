// The player's image area: the current bitmap stretched over the whole client
// area with smooth (half-tone) scaling. It borrows the bitmap from the player.
#pragma once

#include <QFrame>
#include <QImage>

class CPlayerView : public QFrame {
    Q_OBJECT
public:
    explicit CPlayerView(QWidget* parent = nullptr);

    void SetImage(const QImage* image) { image_ = image; }
    // Sizes the window so that its client area is `client`.
    void SetClientSize(QSize client);
    QSize ClientSize() const { return contentsRect().size(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* image_ = nullptr;
};
