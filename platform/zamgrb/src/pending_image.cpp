// Conversion, image writers and camera files of the software card that are not
// written yet: they answer a failure.
#include "zamgrb.h"

uint32_t ConvertFrame(const CameraDescription*, const void*, void*, uint64_t*, uint8_t, uint32_t*) {
    return ZAMGRB_FAILED;
}
uint32_t LoadCameraFile(const char*, CameraFileRecord*) { return ZAMGRB_FAILED; }
uint32_t SaveCameraFile(const char*, const CameraFileRecord*) { return ZAMGRB_FAILED; }
uint32_t SaveBmpFile(const CameraDescription*, const void*, const char*) { return ZAMGRB_FAILED; }
uint32_t SaveJpegFile(const CameraDescription*, const void*, const char*, uint8_t) { return ZAMGRB_FAILED; }
uint32_t SaveTiffFile(const CameraDescription*, const void*, const char*, uint8_t) { return ZAMGRB_FAILED; }
