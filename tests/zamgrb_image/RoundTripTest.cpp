// The software card's ramp camera -> grab -> ConvertFrame -> the ramp formula.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "Convert.h"
#include "SampleStorage.h"
#include "TempFolder.h"
#include "zamgrb.h"
#include "zamgrb_sim.h"

namespace {

constexpr uint32_t kWidth = 64, kHeight = 32;

struct FirstGoodFrame {
    std::mutex mutex;
    std::condition_variable arrived;
    bool done = false;
    uint32_t number = 0;
    std::vector<uint8_t> bytes;
    static void callback(void* context, const FrameInfo* f) {
        auto* self = static_cast<FirstGoodFrame*>(context);
        std::lock_guard lock(self->mutex);
        if (self->done || f->status != 0)
            return;
        const auto* p = static_cast<const uint8_t*>(f->data);
        self->bytes.assign(p, p + f->size);
        self->number = f->frameNumber;
        self->done = true;
        self->arrived.notify_all();
    }
};

struct Case {
    const char* name;
    std::string camera;  // JSON members of the camera besides geometry and source
    uint32_t depth, packed, tapFormat;
    TapConfig custom;  // used when tapFormat is 0
    uint8_t colorFormat, patternStart;
};

// The true scene of the ramp source in frame k.
struct Scene {
    uint32_t bits;
    uint64_t k;
    uint32_t grey(uint32_t x, uint32_t y) const { return uint32_t((x + 3 * y + k) % (1u << bits)); }
    uint32_t red(uint32_t x, uint32_t) const { return uint32_t((x + k) % (1u << bits)); }
    uint32_t green(uint32_t, uint32_t y) const { return uint32_t((y + k) % (1u << bits)); }
    uint32_t blue(uint32_t x, uint32_t y) const { return uint32_t((x + y + k) % (1u << bits)); }
};

}  // namespace

TEST(RoundTrip, RampCameraThroughGrabAndConvertFrame) {
    TempFolder folder;
    const TapConfig none{};
    const Case cases[] = {
        {"mono 8, 1 tap", R"("bitDepth": 8, "tapFormat": 1)", 8, 0, 1, none, 0, 0},
        {"mono 8, 4 taps", R"("bitDepth": 8, "tapFormat": 10)", 8, 0, 10, none, 0, 0},
        {"mono 10", R"("bitDepth": 10, "tapFormat": 1)", 10, 0, 1, none, 0, 0},
        {"mono 12 packed, 1 tap", R"("bitDepth": 12, "tapFormat": 1)", 12, 1, 1, none, 0, 0},
        {"mono 16", R"("bitDepth": 16, "tapFormat": 1)", 16, 0, 1, none, 0, 0},
        {"mono 10 packed, 4 taps", R"("bitDepth": 10, "tapFormat": 10)", 10, 1, 10, none, 0, 0},
        {"mono 12 packed, converge", R"("bitDepth": 12, "tapFormat": 7)", 12, 1, 7, none, 0, 0},
        {"mono 12, 2 seg converge interleaved", R"("bitDepth": 12, "tapFormat": 13)", 12, 0, 13, none, 0, 0},
        {"mono 8, two channels interlaced reverse",
         R"("bitDepth": 8, "tapConfig": {"channels": 2, "channelOrder": 1, "channelOutput": 1, "taps": 2, "tapOutput": 2})",
         8, 0, 0, TapConfig{2, 1, 1, 0, 0, 2, 2, 0, 0, 0, 0}, 0, 0},
        {"rgb24 packed", R"("bitDepth": 24, "color": "rgb", "tapFormat": 1)", 24, 1, 1, none, 0, 0},
        {"rgb30", R"("bitDepth": 30, "color": "rgb", "tapFormat": 1)", 30, 0, 1, none, 0, 0},
        {"rgb24", R"("bitDepth": 24, "color": "rgb", "tapFormat": 1)", 24, 0, 1, none, 0, 0},
        {"bayer 8, B G / G R", R"("bitDepth": 8, "color": "bayer", "patternStart": 2, "tapFormat": 3)", 8, 0,
         3, none, ZAMGRB_COLOR_BAYER, 2},
        {"bayer 8, R G / G B", R"("bitDepth": 8, "color": "bayer", "patternStart": 1, "tapFormat": 1)", 8, 0,
         1, none, ZAMGRB_COLOR_BAYER, 1},
        {"truesense 10, cell 5", R"("bitDepth": 10, "color": "truesense", "patternStart": 5, "tapFormat": 1)",
         10, 0, 1, none, ZAMGRB_COLOR_TRUESENSE, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string machine = folder.path / "machine.json";
        std::ofstream(machine)
            << R"({"cards": [{"channels": [{"camera": {"source": "ramp", "framePeriodUs": 10000, )"
            << R"("width": {"pre": 8, "valid": 64, "post": 16}, )"
            << R"("height": {"pre": 2, "valid": 32, "post": 4}, )" << c.camera << "}}, {}]}]}";
        setenv("ZAMGRB_SIM_CONFIG", machine.c_str(), 1);
        ASSERT_EQ(ZamgrbSimReload(), 0u);

        CameraDescription d{};
        d.config = {8, kWidth, 16, 2, kHeight, 4, c.depth, c.packed, c.custom, 0, 0, 0, 0, 0, 0, 0};
        if (c.tapFormat) {
            ASSERT_EQ(SetTapFormat(c.tapFormat, &d.config.tapConfig), 0u);
        }
        d.colorFormat = c.colorFormat;
        d.patternStart = c.patternStart;

        const uint64_t card = OpenDefaultCard();
        ASSERT_NE(card, 0u);
        ASSERT_EQ(OpenChannel(card, 0), 0u);
        ASSERT_EQ(ConfigureChannel(card, 0, &d.config), 0u);
        FirstGoodFrame frame;
        ASSERT_EQ(StartGrab(card, 0, 1, FirstGoodFrame::callback, &frame), 0u);
        {
            std::unique_lock lock(frame.mutex);
            frame.arrived.wait_for(lock, std::chrono::seconds(10), [&] { return frame.done; });
        }
        StopGrab(card, 0);
        CloseCard(card);
        ASSERT_TRUE(frame.done);
        EXPECT_EQ(frame.bytes.size(), zamgrb::frameStorageBytes(d.config).value_or(0));

        const bool colour = c.depth >= 24 || c.colorFormat != 0;
        const uint8_t flags = colour ? 5 : 1;
        const Converted out = convert(d, frame.bytes, flags);
        ASSERT_EQ(out.status, 0u);
        const Scene scene{c.depth >= 24 ? c.depth / 3 : c.depth, frame.number};
        const uint32_t bytes = scene.bits > 8 ? 2 : 1;
        for (uint32_t y = 0; y < kHeight; ++y)
            for (uint32_t x = 0; x < kWidth; ++x) {
                if (!colour) {
                    ASSERT_EQ(out.at(x, y, 1, bytes), scene.grey(x, y)) << x << "," << y;
                    continue;
                }
                const uint32_t rgb[3] = {scene.red(x, y), scene.green(x, y), scene.blue(x, y)};
                const bool interior = x > 0 && y > 0 && x + 1 < kWidth && y + 1 < kHeight;
                for (uint32_t k = 0; k < 3; ++k) {
                    // Exact everywhere for RGB; for a Bayer camera (a linear scene) inside the
                    // border; for TRUESENSE at the native colour sites only.
                    const uint32_t channel = 2 - k;
                    bool check = c.colorFormat == 0 || (c.colorFormat == ZAMGRB_COLOR_BAYER && interior);
                    if (c.colorFormat == ZAMGRB_COLOR_TRUESENSE) {
                        static const char cells[] = "PBPGBPGPPGPRGPRP";
                        const char cell = cells[((y + 5 / 4) % 4) * 4 + (x + 5 % 4) % 4];
                        check = cell == "RGB"[k];
                    }
                    if (check) {
                        ASSERT_EQ(out.at(x, y, 4, bytes, channel), rgb[k])
                            << x << "," << y << " colour " << k;
                    }
                }
            }
    }
    unsetenv("ZAMGRB_SIM_CONFIG");
    ZamgrbSimReload();
}
