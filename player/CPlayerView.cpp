#include "player/CPlayerView.h"

#include <QPainter>

#include "player/PlayerSteps.h"

CPlayerView::CPlayerView(QWidget* parent) : QFrame(parent) {
    setObjectName(QString::number(player::IDC_VIEW_FRAME));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Every pixel of the client area is painted over by the bitmap.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPlayerView::SetClientSize(QSize client) {
    const int frame = frameWidth();
    setFixedSize(client.width() + 2 * frame, client.height() + 2 * frame);
}

void CPlayerView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    if (!image_ || image_->isNull()) {
        painter.fillRect(contentsRect(), palette().window());
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(contentsRect(), *image_);
}
