// The per-channel settings kept in camera files: the four camera texts, the
// description, the camera control records and the serial baud rate.
#pragma once

#include <QString>
#include <cstdint>

#include "zamgrb.h"

namespace grabber {

struct CameraTexts {
    QString manufacturer, model, description, alias;
};

struct ChannelSettings {
    CameraTexts texts;
    CameraControlSettings cameraControl{};
    PulseGeneratorSettings pulseGenerator{};
    uint32_t baudRate = 0;
};

// Writes a camera file; answers the library status (the callers do not report it).
uint32_t SaveCameraSettings(const QString& path, const ChannelSettings& settings,
                            const CameraDescription& description);

// Reads a camera file into the settings and the description; the lookup-table
// slots come back empty. A file that cannot be read changes nothing.
uint32_t LoadCameraSettings(const QString& path, ChannelSettings& settings, CameraDescription& description);

}  // namespace grabber
