#include "app/WindowFit.h"

#include <algorithm>

#include "kit/WindowPlacement.h"

namespace app {

QRect FitFrameToImage(const FrameFit& fit) {
    const QRect& work = fit.available;
    int cx = std::max(fit.image.width() + fit.chrome.width(), fit.minimumWidth);
    int cy = fit.image.height() + fit.chrome.height();
    if (cx > work.width()) {
        cx = work.width();
        cy += fit.scrollBarExtent;
    }
    if (cy > work.height()) {
        cy = work.height();
        cx = std::min(cx + fit.scrollBarExtent, work.width());
    }
    const QRect sized(fit.frame.topLeft(), QSize(cx, cy));
    return QRect(appkit::MoveIntoWorkArea(sized, work), sized.size());
}

}  // namespace app
