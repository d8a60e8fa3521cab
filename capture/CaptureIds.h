// The capture's stored setting values: the ids of the radio buttons that choose
// them, kept as they are in stored settings.
#pragma once

#include <cstdint>

namespace capture {

enum ImageType : uint32_t { kImageBmp = 1000, kImageJpeg = 1001, kImageTiff = 1002, kImageRaw = 1003 };
enum SaveType : uint32_t { kSaveSingleFrame = 1006, kSaveSeries = 1007, kSaveAvi = 1008 };
enum AppendFileName : uint32_t {
    kAppendDateTime = 1053,
    kAppendDigits2 = 1054,
    kAppendDigits3 = 1055,
    kAppendDigits4 = 1056,
    kAppendDigits5 = 1057,
    kAppendDigits6 = 1058,
};
enum CaptureEvent : uint32_t { kEventEvery = 1097, kEventContinuous = 1084 };
// The option pages, also a "kind" of extension fixing.
enum OptionsPage : uint32_t { kPageSingleFrame = 122, kPageAvi = 123, kPageSeries = 124 };

}  // namespace capture
