#include "grabber/GrabRefusal.h"

#include "zamgrb.h"

namespace grabber {

QString StartGrabRefusal(uint32_t status) {
    QString reason;
    switch (status) {
        case ZAMGRB_OK:
            return {};
        case ZAMGRB_NO_BUFFERS:
            return QStringLiteral(
                "Can't allocate memory for image buffer. Please reduce size of image or use 'Packing' mode.");
        case ZAMGRB_FAILED:
            reason = QStringLiteral("the channel is not configured");
            break;
        case ZAMGRB_NO_CARD:
            reason = QStringLiteral("no card is open");
            break;
        case ZAMGRB_BUSY:
            reason = QStringLiteral("the channel is not held by this program, or it is grabbing already");
            break;
        default:
            reason = QStringLiteral("the card library answered status %1").arg(status);
            break;
    }
    return QStringLiteral("Grabbing could not start: %1.").arg(reason);
}

}  // namespace grabber
