// The words for a grab the card library refused to start.
#pragma once

#include <QString>
#include <cstdint>

namespace grabber {

// Message 102 for image buffers that do not fit the card, otherwise the library's
// status in words; empty for success.
QString StartGrabRefusal(uint32_t status);

}  // namespace grabber
