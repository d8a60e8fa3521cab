#include "kit/WindowPlacement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>
#include <QtEndian>
#include <algorithm>
#include <array>

namespace appkit {

QByteArray WindowPlacement::toBytes() const {
    const std::array<uint32_t, 11> words = {length,         flags,           showCmd,         uint32_t(minX),
                                            uint32_t(minY), uint32_t(maxX),  uint32_t(maxY),  uint32_t(left),
                                            uint32_t(top),  uint32_t(right), uint32_t(bottom)};
    QByteArray bytes(44, '\0');
    for (size_t i = 0; i < words.size(); ++i)
        qToLittleEndian(words[i], bytes.data() + 4 * i);
    return bytes;
}

std::optional<WindowPlacement> WindowPlacement::fromBytes(const QByteArray& bytes) {
    if (bytes.size() != 44)
        return std::nullopt;
    std::array<uint32_t, 11> w{};
    for (size_t i = 0; i < w.size(); ++i)
        w[i] = qFromLittleEndian<uint32_t>(bytes.constData() + 4 * i);
    if (w[0] != 44)
        return std::nullopt;
    WindowPlacement p;
    p.flags = w[1];
    p.showCmd = w[2];
    p.minX = int32_t(w[3]);
    p.minY = int32_t(w[4]);
    p.maxX = int32_t(w[5]);
    p.maxY = int32_t(w[6]);
    p.left = int32_t(w[7]);
    p.top = int32_t(w[8]);
    p.right = int32_t(w[9]);
    p.bottom = int32_t(w[10]);
    return p;
}

WindowPlacement WindowPlacement::of(const QWidget& window, uint32_t showCmd) {
    WindowPlacement p;
    p.showCmd = showCmd;
    // The position is the one move() takes back; the size is the outer one.
    const bool normal = !window.isMaximized() && !window.isFullScreen();
    const QPoint topLeft = normal ? window.pos() : window.normalGeometry().topLeft();
    const QSize size = normal ? window.frameGeometry().size() : window.normalGeometry().size();
    p.left = topLeft.x();
    p.top = topLeft.y();
    p.right = topLeft.x() + size.width();
    p.bottom = topLeft.y() + size.height();
    return p;
}

QRect NearestWorkArea(const QRect& frame, const QList<QRect>& workAreas) {
    const auto overlap = [&](const QRect& area) {
        const QRect common = area.intersected(frame);
        return int64_t(common.width()) * common.height();
    };
    // Squared distance between the rectangles: 0 when they touch or overlap.
    const auto distance = [&](const QRect& area) {
        const int64_t dx = std::max({0, area.left() - frame.right(), frame.left() - area.right()});
        const int64_t dy = std::max({0, area.top() - frame.bottom(), frame.top() - area.bottom()});
        return dx * dx + dy * dy;
    };
    QRect best;
    int64_t bestOverlap = 0, bestDistance = 0;
    for (const QRect& area : workAreas) {
        const int64_t o = overlap(area), d = distance(area);
        if (best.isNull() || o > bestOverlap || (o == bestOverlap && o == 0 && d < bestDistance)) {
            best = area;
            bestOverlap = o;
            bestDistance = d;
        }
    }
    return best;
}

QPoint FirstPlacement(QSize size, const QRect& owner, int contentTop, const QRect& workArea, int index) {
    constexpr int kGap = 8, kStep = 32;
    const int workRight = workArea.left() + workArea.width();
    const int ownerRight = owner.left() + owner.width();
    QPoint at(ownerRight + kGap, owner.top() + index * kStep);
    if (at.x() + size.width() > workRight) {
        at.setX(owner.left() - kGap - size.width());
        if (at.x() < workArea.left()) {
            const bool right = workRight - ownerRight >= owner.left() - workArea.left();
            at = QPoint(right ? workRight - size.width() : workArea.left(), contentTop + index * kStep);
        }
    }
    return MoveIntoWorkArea(QRect(at, size), workArea);
}

QPoint MoveIntoWorkArea(const QRect& frame, const QRect& workArea) {
    const int workRight = workArea.left() + workArea.width();
    const int workBottom = workArea.top() + workArea.height();
    return {std::max(workArea.left(), std::min(frame.left(), workRight - frame.width())),
            std::max(workArea.top(), std::min(frame.top(), workBottom - frame.height()))};
}

void MoveOntoNearestScreen(QWidget& window) {
    const QRect frame = window.frameGeometry();
    QList<QRect> workAreas;
    for (const QScreen* screen : QGuiApplication::screens())
        workAreas << screen->availableGeometry();
    if (const QRect work = NearestWorkArea(frame, workAreas); !work.isNull())
        window.move(MoveIntoWorkArea(frame, work));
}

// Without a stored placement a tool window would open wherever the window system
// puts it (often over the main window's menu); it goes beside the main window,
// each next one a step lower, on the main window's screen.
void PlaceBesideOwner(QWidget& window, const QWidget* owner) {
    if (!owner || !owner->isVisible())
        return;
    QList<QRect> workAreas;
    for (const QScreen* screen : QGuiApplication::screens())
        workAreas << screen->availableGeometry();
    const QRect work = NearestWorkArea(owner->frameGeometry(), workAreas);
    if (work.isNull())
        return;
    // Below the main window's menu and toolbar, where its central widget starts.
    const auto* main = qobject_cast<const QMainWindow*>(owner);
    const QWidget* content = main && main->centralWidget() ? main->centralWidget() : owner;
    const int contentTop = content->mapToGlobal(QPoint(0, 0)).y();
    static int placedSoFar = 0;
    const QRect frame = FrameOf(window, *owner);
    MoveFrameTo(window,
                FirstPlacement(frame.size(), owner->frameGeometry(), contentTop, work, placedSoFar++ % 8),
                *owner);
}

// A window the window system has not framed yet answers its client area for its
// frame, and a move places that client area.
QMargins FrameMargins(const QWidget& window, const QWidget& reference) {
    const QWidget& framed = window.frameGeometry() != window.geometry() ? window : reference;
    const QRect outer = framed.frameGeometry(), inner = framed.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

QRect FrameOf(const QWidget& window, const QWidget& reference) {
    return window.geometry().marginsAdded(FrameMargins(window, reference));
}

void MoveFrameTo(QWidget& window, QPoint frameTopLeft, const QWidget& reference) {
    const bool framed = window.frameGeometry() != window.geometry();
    const QMargins m = FrameMargins(window, reference);
    window.move(framed ? frameTopLeft : frameTopLeft + QPoint(m.left(), m.top()));
}

}  // namespace appkit
