#include "app/ChannelNames.h"

namespace app {

QString WindowTitle(const QString& cardAlias, uint8_t channel, const QString& cameraAlias) {
    QString title = cardAlias;
    if (!cardAlias.isEmpty())
        title += QStringLiteral(" - ");
    title += QStringLiteral("Channel %1").arg(int(channel) + 1);
    if (!cameraAlias.isEmpty())
        title += QStringLiteral(": ") + cameraAlias;
    return title;
}

QString ChannelMenuText(const QString& cardAlias, uint8_t channel, const QString& cameraAlias) {
    QString text = cardAlias + QStringLiteral(" - Channel %1").arg(int(channel) + 1);
    if (!cameraAlias.isEmpty())
        text += QStringLiteral(": ") + cameraAlias;
    return text;
}

}  // namespace app
