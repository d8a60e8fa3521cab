// Per-tap histograms of ramp frames built from the documented arrival order.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "TapGeometry.h"
#include "analysis/HistogramWorker.h"
#include "analysis/LineProfile.h"
#include "analysis/TapHistograms.h"
#include "grabber/Grabber.h"
#include "tests/zamgrb_image/RawFrame.h"

namespace {

TapConfig Standard(uint32_t format) {
    TapConfig t{};
    SetTapFormat(format, &t);
    return t;
}

TEST(TapHistograms, EachTapCountsExactlyTheSamplesItDelivered) {
    struct Case {
        TapConfig taps;
        uint32_t depth;
        bool packed;
    };
    std::vector<Case> cases;
    const uint32_t depths[] = {8, 10, 12, 16};
    for (uint32_t f = 1; f <= 18; ++f)
        cases.push_back({Standard(f), depths[f % 4], f % 3 == 0});
    // Two channels of one packed tap (one lane each: the storage form of two
    // lanes), and two channels of three taps (six lanes, not a tap count).
    cases.push_back({{2, 0, 0, 0, 1, 1, 0, 0, 1, 0, 0}, 12, true});
    cases.push_back({{2, 1, 1, 0, 1, 3, 0, 0, 1, 0, 0}, 12, true});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.taps.taps) << " taps, " << int(c.taps.channels)
                                        << " channels, " << c.depth << (c.packed ? " packed" : ""));
        const uint32_t w = 120, h = 6, levels = 1u << c.depth;
        const auto g = zamgrb::TapGeometry::create(c.taps, w, h);
        ASSERT_TRUE(g);
        const CameraDescription d = rawframe::describe(w, h, c.depth, c.packed, c.taps);
        std::vector<rawframe::Sample> samples;
        std::vector<std::vector<uint32_t>> expected(g->samplesPerClock(), std::vector<uint32_t>(levels, 0));
        for (uint32_t p = 0; p < g->linePeriods(); ++p)
            for (uint32_t n = 0; n < g->clocksPerLine(); ++n)
                for (uint32_t ch = 0; ch < g->channels(); ++ch)
                    for (uint32_t t = 0; t < g->taps(); ++t) {
                        const auto at = g->position(p, n, ch, t);
                        const uint32_t v = (at.x * 37 + 3 * at.y) % levels;
                        samples.push_back({v, v, v});
                        ++expected[g->tapIndex(ch, t)][v];
                    }
        const std::vector<uint8_t> raw = rawframe::pack(d.config, samples);
        std::vector<uint8_t> scratch;
        histo::TapHistogramSet set;
        ASSERT_TRUE(histo::ComputeTapHistograms(d, raw.data(), raw.size(), scratch, set));
        ASSERT_EQ(set.taps, int(g->samplesPerClock()));
        EXPECT_EQ(set.levels, int(levels));
        for (int i = 0; i < set.taps; ++i) {
            expected[size_t(i)][levels - 1] = 0;  // the top level falls in no bin
            EXPECT_EQ(set.graphs[size_t(i)].counts, expected[size_t(i)]) << "tap " << i + 1;
        }
        EXPECT_FALSE(histo::ComputeTapHistograms(d, raw.data(), raw.size() - 1, scratch, set))
            << "short frame";
    }
}

TEST(LineProfile, ClickedLineColumnAndAverages) {
    // 4 x 3, value x + 10 y; 16-bit: 1000 more.
    const uint8_t bytes[] = {0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23};
    uint16_t words[12];
    for (int i = 0; i < 12; ++i)
        words[i] = uint16_t(bytes[i] + 1000);
    struct Case {
        int line, column;
        std::vector<uint32_t> horizontal, vertical;
    };
    const Case cases[] = {
        {2, 1, {20, 21, 22, 23}, {1, 11, 21}},    // a click at (1, 2)
        {-1, -1, {10, 11, 12, 13}, {1, 11, 21}},  // Ctrl+click: averages
        {3, 4, {10, 11, 12, 13}, {1, 11, 21}},    // beyond the image after a format change
        {0, 3, {0, 1, 2, 3}, {3, 13, 23}},        // the first line and last column
    };
    for (const Case& c : cases)
        for (int deep = 0; deep < 2; ++deep) {
            const histo::PixelImage image{deep ? reinterpret_cast<const uint8_t*>(words) : bytes,
                                          uint64_t(deep ? 8 : 4),
                                          4,
                                          3,
                                          1,
                                          deep ? 2 : 1};
            histo::Profiles p;
            ASSERT_TRUE(histo::ComputeProfiles(image, c.line, c.column, p));
            const uint32_t offset = deep ? 1000 : 0;
            for (size_t i = 0; i < 4; ++i)
                EXPECT_EQ(p.horizontal[i], c.horizontal[i] + offset) << c.line << " " << i;
            for (size_t i = 0; i < 3; ++i)
                EXPECT_EQ(p.vertical[i], c.vertical[i] + offset) << c.column << " " << i;
            EXPECT_EQ(p.tap1Average, int(10 + offset));
            EXPECT_EQ(p.tap2Average, int(12 + offset));
        }
    histo::Profiles p;
    EXPECT_FALSE(histo::ComputeProfiles({}, -1, -1, p));
}

// Frames outrun the thread: it computes the newest one, and the last result
// taken is the last frame offered. The frame is read under its lock while the
// test writes it.
TEST(HistogramWorker, ShowsTheNewestFrameAndNeverQueues) {
    std::mutex frameLock, m;
    uint8_t frame = 0;
    std::condition_variable announced;
    int announcements = 0;
    histo::HistogramWorker worker(
        [&](histo::HistogramJob& job) {
            std::lock_guard lock(frameLock);
            job.pixels.assign(1, frame);
            job.image = {nullptr, 1, 1, 1, 1, 1};
        },
        [&] {
            std::lock_guard lock(m);
            ++announcements;
            announced.notify_one();
        });
    constexpr uint8_t kFrames = 200;
    for (uint8_t k = 0; k < kFrames; ++k) {
        {
            std::lock_guard lock(frameLock);
            frame = k;
        }
        worker.Offer();
        EXPECT_LE(worker.replaced(), worker.offered());
    }
    histo::HistogramResult r;
    uint32_t last = 0;
    int taken = 0;
    while (last != kFrames - 1u) {
        std::unique_lock lock(m);
        announced.wait(lock, [&] { return announcements > taken; });
        lock.unlock();
        ASSERT_TRUE(worker.Take(r));
        EXPECT_FALSE(r.histograms) << "no raw frame";
        ++taken;
        last = r.lines.horizontal.at(0);
    }
    EXPECT_EQ(worker.offered(), uint64_t(kFrames));
    EXPECT_FALSE(worker.Take(r)) << "one result per announcement";
}

// RGB: three graphs per tap, red, green and blue, of bitDepth / 3 bits.
TEST(TapHistograms, RgbTapsShowRedGreenAndBlue) {
    for (uint32_t depth : {24u, 30u}) {
        const CameraDescription d = rawframe::describe(8, 2, depth, false, Standard(1));
        std::vector<rawframe::Sample> samples;
        for (uint32_t i = 0; i < 16; ++i)
            samples.push_back({i, 100 + i, 200 + i});
        const std::vector<uint8_t> raw = rawframe::pack(d.config, samples);
        std::vector<uint8_t> scratch;
        histo::TapHistogramSet set;
        ASSERT_TRUE(histo::ComputeTapHistograms(d, raw.data(), raw.size(), scratch, set));
        ASSERT_EQ(set.taps, 3);
        EXPECT_EQ(set.levels, int(1u << depth / 3));
        const std::pair<uint32_t, uint32_t> graphs[] = {{205, 0x0000FF}, {105, 0x00FF00}, {5, 0xFF0000}};
        for (size_t g = 0; g < 3; ++g) {
            EXPECT_EQ(set.graphs[g].counts[graphs[g].first], 1u) << depth << " graph " << g;
            EXPECT_EQ(set.graphs[g].colour, graphs[g].second);
        }
    }
}

}  // namespace
