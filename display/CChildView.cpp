#include "CChildView.h"

#include <QPainter>
#include <QScrollBar>

CChildView::CChildView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::StyledPanel);
    viewport()->setAutoFillBackground(false);
}

void CChildView::SetScrollSizes(QSize total) {
    total_ = total;
    updateScrollBars();
}

bool CChildView::OnCommand(int) {
    return false;
}

bool CChildView::OnUpdateCommand(int, appkit::CommandState&) {
    return false;
}

void CChildView::paintEvent(QPaintEvent*) {
    // Without pixel data the view is black.
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::black);
}

void CChildView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void CChildView::updateScrollBars() {
    const QSize page = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, total_.width() - page.width()));
    horizontalScrollBar()->setPageStep(page.width());
    verticalScrollBar()->setRange(0, std::max(0, total_.height() - page.height()));
    verticalScrollBar()->setPageStep(page.height());
}
