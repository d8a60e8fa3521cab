// The texts that name the card and channel: the window title and the Input
// Channel menu items.
#pragma once

#include <QString>
#include <cstdint>

namespace app {

// cardAlias " - " "Channel %d" ": " cameraAlias; the separators only around texts
// that are not empty.
QString WindowTitle(const QString& cardAlias, uint8_t channel, const QString& cameraAlias);

// cardAlias " - Channel %d" ": " cameraAlias: the menu always puts the separator
// after the card alias, even an empty one.
QString ChannelMenuText(const QString& cardAlias, uint8_t channel, const QString& cameraAlias);

}  // namespace app
