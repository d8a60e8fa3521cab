#include "SimMachine.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <thread>

namespace simtest {

SimMachine::SimMachine(const std::string& json) {
    char name[] = "/tmp/zamgrb-machine-XXXXXX";
    const int fd = mkstemp(name);
    EXPECT_GE(fd, 0);
    close(fd);
    path_ = name;
    std::ofstream(path_) << json;
    setenv("ZAMGRB_SIM_CONFIG", path_.c_str(), 1);
    ZamgrbSimReload();
}

SimMachine::~SimMachine() {
    unsetenv("ZAMGRB_SIM_CONFIG");
    ZamgrbSimReload();
    std::remove(path_.c_str());
}

std::string oneCamera(const std::string& cameraMembers, const std::string& cardMembers) {
    return R"({"cards": [{)" + cardMembers + (cardMembers.empty() ? "" : ",") +
           R"("channels": [{"camera": {)" + cameraMembers + "}}, {}]}]}";
}

OwnedChannel::OwnedChannel(uint8_t ch) : card(OpenDefaultCard()), channel(ch) {
    openStatus = card ? OpenChannel(card, channel) : uint32_t(ZAMGRB_NO_CARD);
}

OwnedChannel::~OwnedChannel() {
    CloseCard(card);
}

void FrameLog::callback(void* context, const FrameInfo* frame) {
    auto* log = static_cast<FrameLog*>(context);
    {
        std::lock_guard lock(log->mutex);
        Frame f{frame->frameNumber, frame->timeStamp, frame->status, {}};
        if (log->keepBytes) {
            const auto* data = static_cast<const uint8_t*>(frame->data);
            f.bytes.assign(data, data + frame->size);
        } else {
            f.bytes.resize(frame->size);
        }
        log->frames.push_back(std::move(f));
    }
    log->count.fetch_add(1);
}

uint64_t FrameLog::waitFor(uint64_t n, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (count.load() < n && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return count.load();
}

CameraConfig configFor(uint32_t width, uint32_t height, uint32_t bitDepth, uint32_t tapFormat,
                       uint32_t packed) {
    CameraConfig c{};
    c.widthValid = width;
    c.heightValid = height;
    c.bitDepth = bitDepth;
    c.packed = packed;
    SetTapFormat(tapFormat, &c.tapConfig);
    return c;
}

}  // namespace simtest
