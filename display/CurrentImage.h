// The current image record: the newest frame as delivered and as converted for
// display and tools. The main frame owns it; its frame lock guards the raw
// frame and the pixel data. The view allocates and releases the pixel data.
#pragma once

#include <cstdint>
#include <memory>

#include "display/PageBuffer.h"
#include "zamgrb.h"

struct CurrentImage {
    CameraDescription description{};
    // Keeps the lookup table arrays the description points into alive; set with
    // them under the frame lock, so whoever copies the description with it under
    // that lock may use the arrays as long as it keeps this.
    std::shared_ptr<const void> lutOwner;
    // The frame as the card delivered it; its size is the raw size.
    PageBuffer rawFrame;
    // The card's time stamp of the frame in rawFrame.
    uint32_t timeStamp = 0;
    // The frame converted by ConvertFrame; empty until the first frame after a
    // format reset.
    PageBuffer pixelData;
    // Bytes from one line of pixel data to the next.
    uint64_t rowStep = 0;
};
