#include "grabber/Grabber.h"

#include <utility>

namespace grabber {

std::vector<CardEntry> EnumerateCards() {
    std::vector<CardEntry> cards;
    void* enumeration = nullptr;
    if (BeginCardEnum(&enumeration) != ZAMGRB_OK)
        return cards;
    CardInfo info{};
    info.size = sizeof info;
    while (NextCard(enumeration, &info) == ZAMGRB_OK)
        cards.push_back({info.cardId, info.location ? std::string(info.location) : std::string()});
    EndCardEnum(enumeration);
    return cards;
}

CardHandle& CardHandle::operator=(CardHandle&& other) noexcept {
    if (this != &other)
        reset(other.release());
    return *this;
}

CardHandle CardHandle::Open(uint64_t cardId) {
    return CardHandle(::OpenCard(cardId, 0));
}
CardHandle CardHandle::OpenDefault() {
    return CardHandle(::OpenDefaultCard());
}

void CardHandle::reset(uint64_t handle) {
    if (handle_ != 0 && handle_ != handle)
        ::CloseCard(handle_);
    handle_ = handle;
}

ChannelLease::ChannelLease(ChannelLease&& other) noexcept
    : card_(std::exchange(other.card_, 0)), channel_(std::exchange(other.channel_, kNoChannel)) {}

ChannelLease& ChannelLease::operator=(ChannelLease&& other) noexcept {
    if (this != &other) {
        reset();
        card_ = std::exchange(other.card_, 0);
        channel_ = std::exchange(other.channel_, kNoChannel);
    }
    return *this;
}

ChannelLease ChannelLease::Claim(uint64_t card, uint8_t channel) {
    ChannelLease lease;
    if (card != 0 && ::OpenChannel(card, channel) == ZAMGRB_OK) {
        lease.card_ = card;
        lease.channel_ = channel;
    }
    return lease;
}

void ChannelLease::reset() {
    if (channel_ != kNoChannel)
        ::CloseChannel(card_, channel_);
    card_ = 0;
    channel_ = kNoChannel;
}

Versions GetVersions(uint64_t card) {
    Versions v;
    v.status = ::GetVersions(card, &v.libraryVersion, &v.libraryBuild, &v.driverVersion, &v.driverBuild,
                             &v.firmware);
    return v;
}

uint32_t GetFirmwareImage(uint64_t card, uint32_t* image) {
    return ::GetFirmwareImage(card, image);
}

bool HasFullAndDecaModes(uint64_t card) {
    return ::QueryCapability(card, ZAMGRB_CAP_FULL_DECA) == ZAMGRB_OK;
}

LinkInfo GetLinkInfo(uint64_t card) {
    LinkInfo l;
    l.status = ::GetLinkInfo(card, &l.lanes, &l.speedCode, &l.maxPayloadRequested, &l.maxPayload);
    return l;
}

namespace {

template <typename Query>
uint32_t readAlias(Query query, std::u16string& alias) {
    alias.clear();
    uint32_t length = 0;
    uint32_t status = query(nullptr, &length);
    if (status != ZAMGRB_OK || length == 0)
        return status;
    std::u16string buffer(length + 1, u'\0');
    uint32_t count = uint32_t(buffer.size());
    status = query(buffer.data(), &count);
    if (status == ZAMGRB_OK)
        alias.assign(buffer.c_str());
    return status;
}

}  // namespace

uint32_t GetCardAlias(uint64_t cardId, std::u16string& alias) {
    return readAlias([cardId](char16_t* b, uint32_t* c) { return ::GetCardAlias(cardId, b, c); }, alias);
}

uint32_t GetOpenCardAlias(uint64_t card, std::u16string& alias) {
    return readAlias([card](char16_t* b, uint32_t* c) { return ::GetOpenCardAlias(card, b, c); }, alias);
}

uint32_t SetCardAlias(uint64_t cardId, const std::u16string& alias) {
    return ::SetCardAlias(cardId, alias.c_str(), 1);
}

uint32_t OpenChannel(uint64_t card, uint8_t channel) {
    return ::OpenChannel(card, channel);
}
uint32_t CloseChannel(uint64_t card, uint8_t channel) {
    return ::CloseChannel(card, channel);
}
uint32_t ConfigureChannel(uint64_t card, uint8_t channel, const CameraConfig& config) {
    return ::ConfigureChannel(card, channel, &config);
}
uint32_t StartGrab(uint64_t card, uint8_t channel, FrameCallbackProc callback, void* context) {
    return ::StartGrab(card, channel, 1, callback, context);
}
uint32_t StopGrab(uint64_t card, uint8_t channel) {
    return ::StopGrab(card, channel);
}
uint32_t GetCameraStatus(uint64_t card, uint8_t channel, bool& online) {
    uint32_t value = 0;
    const uint32_t status = ::GetCameraStatus(card, channel, &value);
    online = status == ZAMGRB_OK && value != 0;
    return status;
}
uint32_t GetStatistics(uint64_t card, uint8_t channel, GrabStatistics& statistics) {
    return ::GetStatistics(card, channel, &statistics);
}
uint32_t MeasureSignal(uint64_t card, uint8_t channel, uint32_t& clocksPerLine, uint32_t& linesPerFrame) {
    return ::MeasureSignal(card, channel, &clocksPerLine, &linesPerFrame);
}

uint32_t ConvertFrame(const CameraDescription& description, const void* raw, void* destination,
                      uint64_t& rowStep, uint8_t flags, uint32_t* bitsPerPixel) {
    return ::ConvertFrame(&description, raw, destination, &rowStep, flags, bitsPerPixel);
}
uint32_t SetTapFormat(uint32_t format, TapConfig& tapConfig) {
    return ::SetTapFormat(format, &tapConfig);
}
uint32_t GetTapFormat(const TapConfig& tapConfig) {
    return ::GetTapFormat(&tapConfig);
}
uint32_t LoadCameraFile(const std::string& path, CameraFileRecord& record) {
    return ::LoadCameraFile(path.c_str(), &record);
}
uint32_t SaveCameraFile(const std::string& path, const CameraFileRecord& record) {
    return ::SaveCameraFile(path.c_str(), &record);
}
uint32_t SaveBmpFile(const CameraDescription& description, const void* pixels, const std::string& path) {
    return ::SaveBmpFile(&description, pixels, path.c_str());
}
uint32_t SaveJpegFile(const CameraDescription& description, const void* pixels, const std::string& path,
                      uint8_t quality) {
    return ::SaveJpegFile(&description, pixels, path.c_str(), quality);
}
uint32_t SaveTiffFile(const CameraDescription& description, const void* pixels, const std::string& path,
                      uint8_t flags) {
    return ::SaveTiffFile(&description, pixels, path.c_str(), flags);
}

uint32_t SetPulseGenerator(uint64_t card, uint8_t channel, const PulseGeneratorSettings& settings) {
    return ::SetPulseGenerator(card, channel, &settings);
}
uint32_t SetCameraControl(uint64_t card, uint8_t channel, const CameraControlSettings& settings) {
    return ::SetCameraControl(card, channel, &settings);
}
uint32_t EnablePulseGenerator(uint64_t card, uint8_t channel, bool on) {
    return ::EnablePulseGenerator(card, channel, on ? 1 : 0);
}
uint32_t OpenSerialPort(uint64_t card, uint8_t channel) {
    return ::OpenSerialPort(card, channel);
}
uint32_t CloseSerialPort(uint64_t card, uint8_t channel) {
    return ::CloseSerialPort(card, channel);
}
uint32_t GetBaudRate(uint64_t card, uint8_t channel, uint32_t& baudRate) {
    return ::GetBaudRate(card, channel, &baudRate);
}
uint32_t SetBaudRate(uint64_t card, uint8_t channel, uint32_t baudRate) {
    return ::SetBaudRate(card, channel, baudRate);
}
uint32_t ReadSerial(uint64_t card, uint8_t channel, void* buffer, uint32_t& count, uint32_t timeoutMs) {
    return ::ReadSerial(card, channel, buffer, &count, timeoutMs);
}
uint32_t WriteSerial(uint64_t card, uint8_t channel, const void* bytes, uint32_t count) {
    return ::WriteSerial(card, channel, bytes, count, 0);
}

CameraDescription DefaultCameraDescription() {
    CameraDescription d{};
    d.config.widthValid = 640;
    d.config.heightValid = 480;
    d.config.bitDepth = 8;
    ::SetTapFormat(1, &d.config.tapConfig);
    return d;
}

PulseGeneratorSettings DefaultPulseGeneratorSettings() {
    PulseGeneratorSettings p{};
    p.mode = 1;
    p.pulseCount = 1;
    p.granularity = 3;
    p.masterWidth = 1;
    p.masterPeriod = 1;
    p.slaveWidth = 1;
    p.slaveDelay = 1;
    return p;
}

}  // namespace grabber
