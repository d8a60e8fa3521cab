// The 44-byte window placement record kept as a binary setting:
// length, flags, show state, minimised and maximised positions, normal rectangle.
#pragma once

#include <QByteArray>
#include <QList>
#include <QMargins>
#include <QRect>
#include <cstdint>
#include <optional>

class QWidget;

namespace appkit {

struct WindowPlacement {
    uint32_t length = 44;
    uint32_t flags = 0;
    uint32_t showCmd = 0;  // 0 hidden, 1 normal, 5 shown
    int32_t minX = -1, minY = -1;
    int32_t maxX = -1, maxY = -1;
    int32_t left = 0, top = 0, right = 0, bottom = 0;  // normal rectangle, frame included

    static constexpr uint32_t kHide = 0;
    static constexpr uint32_t kShowNormal = 1;
    static constexpr uint32_t kShow = 5;

    QByteArray toBytes() const;
    // Nothing for a value that is not a 44-byte placement.
    static std::optional<WindowPlacement> fromBytes(const QByteArray& bytes);
    // The placement of a window as it is now, with the given show state.
    static WindowPlacement of(const QWidget& window, uint32_t showCmd);

    QRect normalRect() const { return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)); }
};

// Where a window of the given frame rectangle lands when moved into a work area:
// left = max(work left, min(left, work right - width)), the same for top.
QPoint MoveIntoWorkArea(const QRect& frame, const QRect& workArea);

// Where a tool window of `size` (frame included) first opens: beside the owner's
// frame, right of it or else left of it, the `index`-th one a step lower. Where
// neither side has room, on the roomier side at the work area's edge, no higher
// than `contentTop` (where the owner's menu and toolbar end), so they stay in
// reach. Always inside `workArea`.
QPoint FirstPlacement(QSize size, const QRect& owner, int contentTop, const QRect& workArea, int index);

// Moves a tool window that has no stored placement to its FirstPlacement beside
// `owner` (the main window), on the owner's screen. Nothing when the owner is hidden.
void PlaceBesideOwner(QWidget& window, const QWidget* owner);

// The frame of a window, and moving a window by its frame, also before the window
// system has framed it: its frame is then taken to be like `reference`'s.
QMargins FrameMargins(const QWidget& window, const QWidget& reference);
QRect FrameOf(const QWidget& window, const QWidget& reference);
void MoveFrameTo(QWidget& window, QPoint frameTopLeft, const QWidget& reference);

// The work area nearest a frame rectangle: the one it overlaps most, else the one
// closest to it. An empty rectangle when there is none.
QRect NearestWorkArea(const QRect& frame, const QList<QRect>& workAreas);

// Moves a window, without resizing it, into the work area of the screen nearest to
// it, so that one placed on a screen that is gone comes back into view.
void MoveOntoNearestScreen(QWidget& window);

}  // namespace appkit
