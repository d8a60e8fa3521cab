// Operations of the software card that are not emulated yet: they answer a failure.
#include "zamgrb.h"

uint32_t OpenChannel(uint64_t, uint8_t) { return ZAMGRB_FAILED; }
uint32_t CloseChannel(uint64_t, uint8_t) { return ZAMGRB_FAILED; }
uint32_t GetCardAlias(uint64_t, char16_t*, uint32_t* count) {
    if (count) *count = 0;
    return ZAMGRB_FAILED;
}
uint32_t GetOpenCardAlias(uint64_t, char16_t*, uint32_t* count) {
    if (count) *count = 0;
    return ZAMGRB_FAILED;
}
uint32_t SetCardAlias(uint64_t, const char16_t*, uint32_t) { return ZAMGRB_FAILED; }
uint32_t ConfigureChannel(uint64_t, uint8_t, const CameraConfig*) { return ZAMGRB_FAILED; }
uint32_t StartGrab(uint64_t, uint8_t, uint32_t, FrameCallbackProc, void*) { return ZAMGRB_FAILED; }
uint32_t StopGrab(uint64_t, uint8_t) { return ZAMGRB_FAILED; }
uint32_t GetCameraStatus(uint64_t, uint8_t, uint32_t* online) {
    if (online) *online = 0;
    return ZAMGRB_FAILED;
}
uint32_t GetStatistics(uint64_t, uint8_t, GrabStatistics*) { return ZAMGRB_FAILED; }
uint32_t MeasureSignal(uint64_t, uint8_t, uint32_t*, uint32_t*) { return ZAMGRB_FAILED; }
uint32_t SetPulseGenerator(uint64_t, uint8_t, const PulseGeneratorSettings*) { return ZAMGRB_FAILED; }
uint32_t SetCameraControl(uint64_t, uint8_t, const CameraControlSettings*) { return ZAMGRB_FAILED; }
uint32_t EnablePulseGenerator(uint64_t, uint8_t, uint32_t) { return ZAMGRB_FAILED; }
uint32_t OpenSerialPort(uint64_t, uint8_t) { return ZAMGRB_FAILED; }
uint32_t CloseSerialPort(uint64_t, uint8_t) { return ZAMGRB_FAILED; }
uint32_t GetBaudRate(uint64_t, uint8_t, uint32_t*) { return ZAMGRB_FAILED; }
uint32_t SetBaudRate(uint64_t, uint8_t, uint32_t) { return ZAMGRB_FAILED; }
uint32_t ReadSerial(uint64_t, uint8_t, void*, uint32_t* count, uint32_t) {
    if (count) *count = 0;
    return ZAMGRB_FAILED;
}
uint32_t WriteSerial(uint64_t, uint8_t, const void*, uint32_t, uint32_t) { return ZAMGRB_FAILED; }
