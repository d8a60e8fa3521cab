// The application's one gateway to the card library. Nothing else in the
// application calls the library's C functions; the records come from zamgrb.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zamgrb.h"

namespace grabber {

inline constexpr uint8_t kNoChannel = 255;

struct CardEntry {
    uint64_t cardId = 0;
    std::string location;
};

struct Versions {
    uint32_t status = ZAMGRB_FAILED;
    uint32_t libraryVersion = 0, libraryBuild = 0;
    uint32_t driverVersion = 0, driverBuild = 0;
    uint32_t firmware = 0;
};

struct LinkInfo {
    uint32_t status = ZAMGRB_FAILED;
    uint32_t lanes = 0, speedCode = 0, maxPayloadRequested = 0, maxPayload = 0;
};

// Every card of the machine, in the library's order.
std::vector<CardEntry> EnumerateCards();

// An open card; closes it when it goes away. Move-only.
class CardHandle {
public:
    CardHandle() = default;
    explicit CardHandle(uint64_t handle) : handle_(handle) {}
    ~CardHandle() { reset(); }
    CardHandle(CardHandle&& other) noexcept : handle_(other.release()) {}
    CardHandle& operator=(CardHandle&& other) noexcept;
    CardHandle(const CardHandle&) = delete;
    CardHandle& operator=(const CardHandle&) = delete;

    static CardHandle Open(uint64_t cardId);
    static CardHandle OpenDefault();

    uint64_t get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }
    uint64_t release() {
        const uint64_t h = handle_;
        handle_ = 0;
        return h;
    }
    void reset(uint64_t handle = 0);

private:
    uint64_t handle_ = 0;
};

// A channel owned by this process; released when it goes away. Move-only.
class ChannelLease {
public:
    ChannelLease() = default;
    ~ChannelLease() { reset(); }
    ChannelLease(ChannelLease&& other) noexcept;
    ChannelLease& operator=(ChannelLease&& other) noexcept;
    ChannelLease(const ChannelLease&) = delete;
    ChannelLease& operator=(const ChannelLease&) = delete;

    // Claims the channel; an empty lease when it is busy.
    static ChannelLease Claim(uint64_t card, uint8_t channel);

    explicit operator bool() const { return channel_ != kNoChannel; }
    uint8_t channel() const { return channel_; }
    void reset();

private:
    uint64_t card_ = 0;
    uint8_t channel_ = kNoChannel;
};

// Card properties.
Versions GetVersions(uint64_t card);
uint32_t GetFirmwareImage(uint64_t card, uint32_t* image);
bool HasFullAndDecaModes(uint64_t card);  // false also without a card
LinkInfo GetLinkInfo(uint64_t card);

// Aliases; the text is empty when there is none.
uint32_t GetCardAlias(uint64_t cardId, std::u16string& alias);
uint32_t GetOpenCardAlias(uint64_t card, std::u16string& alias);
uint32_t SetCardAlias(uint64_t cardId, const std::u16string& alias);

// Channel operations.
uint32_t OpenChannel(uint64_t card, uint8_t channel);
uint32_t CloseChannel(uint64_t card, uint8_t channel);
uint32_t ConfigureChannel(uint64_t card, uint8_t channel, const CameraConfig& config);
uint32_t StartGrab(uint64_t card, uint8_t channel, FrameCallbackProc callback, void* context);
uint32_t StopGrab(uint64_t card, uint8_t channel);
uint32_t GetCameraStatus(uint64_t card, uint8_t channel, bool& online);
uint32_t GetStatistics(uint64_t card, uint8_t channel, GrabStatistics& statistics);
uint32_t MeasureSignal(uint64_t card, uint8_t channel, uint32_t& clocksPerLine, uint32_t& linesPerFrame);

// Conversion and files.
uint32_t ConvertFrame(const CameraDescription& description, const void* raw, void* destination,
                      uint64_t& rowStep, uint8_t flags, uint32_t* bitsPerPixel);
uint32_t SetTapFormat(uint32_t format, TapConfig& tapConfig);
uint32_t GetTapFormat(const TapConfig& tapConfig);
uint32_t LoadCameraFile(const std::string& path, CameraFileRecord& record);
uint32_t SaveCameraFile(const std::string& path, const CameraFileRecord& record);
uint32_t SaveBmpFile(const CameraDescription& description, const void* pixels, const std::string& path);
uint32_t SaveJpegFile(const CameraDescription& description, const void* pixels, const std::string& path,
                      uint8_t quality);
uint32_t SaveTiffFile(const CameraDescription& description, const void* pixels, const std::string& path,
                      uint8_t flags);

// Camera control and serial link.
uint32_t SetPulseGenerator(uint64_t card, uint8_t channel, const PulseGeneratorSettings& settings);
uint32_t SetCameraControl(uint64_t card, uint8_t channel, const CameraControlSettings& settings);
uint32_t EnablePulseGenerator(uint64_t card, uint8_t channel, bool on);
uint32_t OpenSerialPort(uint64_t card, uint8_t channel);
uint32_t CloseSerialPort(uint64_t card, uint8_t channel);
uint32_t GetBaudRate(uint64_t card, uint8_t channel, uint32_t& baudRate);
uint32_t SetBaudRate(uint64_t card, uint8_t channel, uint32_t baudRate);
uint32_t ReadSerial(uint64_t card, uint8_t channel, void* buffer, uint32_t& count, uint32_t timeoutMs);
uint32_t WriteSerial(uint64_t card, uint8_t channel, const void* bytes, uint32_t count);

// The description of a channel before anything is known of its camera:
// 640 x 480, 8 bits, the geometry of tap format 1.
CameraDescription DefaultCameraDescription();
PulseGeneratorSettings DefaultPulseGeneratorSettings();

}  // namespace grabber
