// The emulated machine: the cards the software card library presents, their
// channels and the cameras on them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "zamgrb.h"

namespace zamgrb {

enum class ColorKind { Mono, Bayer, TrueSense, Rgb };

// Where the camera's picture comes from.
struct PictureSource {
    enum class Kind { Moving, Ramp, Image } kind = Kind::Moving;
    std::string path;  // Image: a file or a folder of files
};

// One extent of the camera's frame: blanking before, valid, blanking after.
struct Extent {
    uint32_t pre = 0;
    uint32_t valid = 0;
    uint32_t post = 0;
    uint32_t total() const { return pre + valid + post; }
};

struct SimCamera {
    std::string model = "Software camera";
    Extent width{0, 640, 160};  // pixels
    Extent height{0, 480, 45};  // lines
    uint32_t bitDepth = 8;      // per sample; 24, 30, 36 for RGB
    TapConfig tapConfig{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
    ColorKind color = ColorKind::Mono;
    uint8_t patternStart = 0;
    double pixelClockMHz = 20.0;
    uint32_t framePeriodUs = 33333;  // 0: as fast as geometry and pixel clock allow
    bool triggerMode = false;        // one frame per rising edge of CC1
    PictureSource source;
    uint32_t exposure = 100;                    // percent of full brightness
    std::vector<uint64_t> badFrames;            // delivered frame indexes (from StartGrab) with status != 0
    std::optional<uint64_t> unplugAfterFrames;  // camera goes offline after that many frames

    uint32_t clocksPerLine() const { return width.total() / tapConfig.taps; }
    uint32_t linesPerFrame() const { return height.total() / tapConfig.channels; }
    // The time one frame takes on the cable, in microseconds.
    double readoutUs() const { return double(clocksPerLine()) * linesPerFrame() / pixelClockMHz; }
    // Free-running frame period, in microseconds.
    double framePeriod() const { return std::max(readoutUs(), double(framePeriodUs)); }
};

struct SimChannel {
    bool ownedByOtherProgram = false;
    std::optional<SimCamera> camera;  // nothing: no camera connected
};

struct SimCard {
    uint64_t id = 0;
    std::string location;
    uint32_t firmware = 0x00020100;  // 0.2.1.0, four bytes most significant first
    uint32_t firmwareImage = 10;     // application image
    uint32_t lanes = 4;
    uint32_t speedCode = 2;
    uint32_t maxPayloadRequested = 256;
    uint32_t maxPayload = 256;
    double payloadEfficiency = 0.75;  // share of the link's data rate that carries frame bytes
    bool fullDeca = true;             // full and 80-bit Camera Link modes
    bool openable = true;
    bool measuresSignal = true;
    uint64_t bufferMemory = 512ull << 20;  // bytes the card may use for image buffers
    SimChannel channels[2];

    // Frame bytes per second the link carries.
    double linkBytesPerSecond() const {
        return lanes * speedCode * 2.5e9 * 8.0 / 10.0 * payloadEfficiency / 8.0;
    }
};

struct Machine {
    std::vector<SimCard> cards;
};

// The machine in force for this process: built on first use from the file named by
// ZAMGRB_SIM_CONFIG, or the built-in default.
const Machine& machine();
const SimCard* findCard(uint64_t id);

// Forgets the machine and every per-process card state so the next call reads the
// description again (test control only; no card may be open).
void reloadMachine();

Machine builtInMachine();

// Parses a description; on failure answers nothing and sets error to "position: reason".
std::optional<Machine> parseMachine(const std::string& text, std::string& error);

// Library and driver versions reported by GetVersions (first number in the high 16 bits).
inline constexpr uint32_t kLibraryVersion = (3u << 16) | 0u;
inline constexpr uint32_t kLibraryBuild = (0u << 16) | 1u;
inline constexpr uint32_t kDriverVersion = (3u << 16) | 0u;
inline constexpr uint32_t kDriverBuild = (0u << 16) | 1u;

}  // namespace zamgrb
