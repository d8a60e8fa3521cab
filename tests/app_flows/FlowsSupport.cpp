#include "FlowsSupport.h"

#include "grabber/Grabber.h"

namespace flows {

void WriteCameraFile(const QString& path, const QString& alias, uint32_t width, uint32_t tapFormat) {
    grabber::ChannelSettings settings;
    settings.texts.alias = alias;
    CameraDescription description = grabber::DefaultCameraDescription();
    description.config.widthValid = width;
    grabber::SetTapFormat(tapFormat, description.config.tapConfig);
    grabber::SaveCameraSettings(path, settings, description);
}

StoredCamera ReadCameraFile(const QString& path) {
    StoredCamera stored;
    stored.status = grabber::LoadCameraSettings(path, stored.settings, stored.description);
    return stored;
}

ChannelHolder::ChannelHolder(uint64_t cardId, uint8_t channel) {
    process_.start(QStringLiteral(FLOWS_CHANNEL_HOLDER),
                   {QStringLiteral("0x%1").arg(cardId, 0, 16), QString::number(channel)});
    if (process_.waitForStarted(5000) && process_.waitForReadyRead(5000))
        holds_ = process_.readLine().trimmed() == "held";
}

ChannelHolder::~ChannelHolder() {
    process_.closeWriteChannel();
    if (!process_.waitForFinished(5000))
        process_.kill();
    process_.waitForFinished(1000);
}

}  // namespace flows
