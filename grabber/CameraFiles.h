// Where the per-channel automatic camera files live.
#pragma once

#include <QString>
#include <cstdint>

namespace grabber {

// The per-user data folder of the viewer, created when missing.
QString DataFolder();

// data folder + "/channel%d" + extension, the channel as a signed number:
// 0, 1, or -1 while no channel is open (255).
QString AutomaticChannelFile(uint8_t channel, const QString& extension = QStringLiteral(".cxf"));

// The camera alias stored in a channel's automatic camera file; empty when the
// file is missing or has none.
QString StoredCameraAlias(uint8_t channel);

}  // namespace grabber
