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

// Writes a camera file; answers the library status.
uint32_t SaveCameraSettings(const QString& path, const ChannelSettings& settings,
                            const CameraDescription& description);

// Reads a camera file into the settings and the description; the lookup-table
// slots come back empty. A file that cannot be read changes nothing.
uint32_t LoadCameraSettings(const QString& path, ChannelSettings& settings, CameraDescription& description);

// What to tell the user when a camera file could not be loaded or saved: the file
// and the reason, from the library's status.
QString LoadFailureMessage(const QString& path, uint32_t status);
QString SaveFailureMessage(const QString& path, uint32_t status);

}  // namespace grabber
