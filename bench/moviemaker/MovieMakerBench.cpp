// Clips of 1024 x 1024 8-bit frames on tmpfs against their references, side by
// side in one loop so that a busy machine weighs on both alike. relative_speed is
// the reference's time over the clip's: 1 means as fast as the reference.
// Last, the whole capture to a clip with the software card at 100 frames per
// second for 10 s, through the headless recorder.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "kvxmoviemaker.h"
#include "zamgrb.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace {

constexpr uint32_t kSide = 1024;
constexpr uint32_t kFramesPerClip = 256;  // then a new clip, so tmpfs does not fill up

std::string ShmPath(const char* name) {
    return "/dev/shm/moviemaker-bench-" + std::to_string(getpid()) + "-" + name;
}

std::vector<uint8_t> Ramp(uint32_t k) {
    std::vector<uint8_t> frame(size_t(kSide) * kSide);
    for (uint32_t y = 0; y < kSide; ++y)
        for (uint32_t x = 0; x < kSide; ++x)
            frame[size_t(y) * kSide + x] = uint8_t(x + 3 * y + k);
    return frame;
}

// A clip of one compressor, started anew every kFramesPerClip frames.
struct BenchClip {
    uint32_t handle = 0;
    KvxMovieRecord record{};
    uint32_t frames = 0;
    explicit BenchClip(const char* compressor, const std::string& path) {
        const uint32_t option = KVX_OPTION_MONOCHROME;
        KvxMovieMakerInitEx(kSide, -int32_t(kSide), 100, &option, &handle);
        std::copy(path.begin(), path.end(), record.FileName);
        const std::string name = compressor;
        std::copy(name.begin(), name.end(), record.CompressorName);
        KvxMovieMakerStartMovieRecord(handle, &record);
    }
    void add(const std::vector<uint8_t>& frame) {
        if (frames != 0 && frames % kFramesPerClip == 0) {
            KvxMovieMakerStopMovieRecord(handle);
            KvxMovieMakerStartMovieRecord(handle, &record);
        }
        KvxMovieMakerAddMovieFrame2(handle, frame.data(), uint32_t(frame.size()), int64_t(frames) * 100000,
                                    frames);
        ++frames;
    }
    ~BenchClip() { KvxMovieMakerRelease(handle); }
};

// The same bytes written one after another into a file, also begun anew.
struct PlainFile {
    std::string path;
    int fd = -1;
    uint32_t frames = 0;
    explicit PlainFile(std::string name) : path(std::move(name)) {}
    void add(const std::vector<uint8_t>& frame) {
        if (frames++ % kFramesPerClip == 0) {
            if (fd >= 0)
                ::close(fd);
            fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        }
        size_t left = frame.size();
        const uint8_t* p = frame.data();
        while (left > 0) {
            const ssize_t n = ::write(fd, p, left);
            if (n <= 0)
                break;
            p += n, left -= size_t(n);
        }
    }
    ~PlainFile() {
        ::close(fd);
        std::filesystem::remove(path);
    }
};

void SideBySide(benchmark::State& state, const std::function<void(uint32_t)>& clip,
                const std::function<void(uint32_t)>& reference) {
    using Clock = std::chrono::steady_clock;
    double clipSeconds = 0, referenceSeconds = 0;
    uint32_t k = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        reference(k);
        const auto t1 = Clock::now();
        clip(k);
        const auto t2 = Clock::now();
        ++k;
        referenceSeconds += std::chrono::duration<double>(t1 - t0).count();
        clipSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = double(state.iterations());
    state.counters["clip_ms"] = clipSeconds * 1e3 / n;
    state.counters["reference_ms"] = referenceSeconds * 1e3 / n;
    state.counters["relative_speed"] = referenceSeconds / clipSeconds;
    state.counters["clip_MBps"] = double(kSide) * kSide * n / clipSeconds / 1e6;
}

std::vector<std::vector<uint8_t>> Ramps() {
    std::vector<std::vector<uint8_t>> ramps;
    for (uint32_t k = 0; k < 8; ++k)
        ramps.push_back(Ramp(k * 17));
    return ramps;
}

void BM_UncompressedClipOverPlainWrite(benchmark::State& state) {
    const auto ramps = Ramps();
    const std::string clipPath = ShmPath("raw.avi");
    BenchClip clip("Uncompressed", clipPath);
    PlainFile plain(ShmPath("plain"));
    SideBySide(
        state, [&](uint32_t k) { clip.add(ramps[k % 8]); }, [&](uint32_t k) { plain.add(ramps[k % 8]); });
    KvxMovieMakerStopMovieRecord(clip.handle);
    std::filesystem::remove(clipPath);
}
BENCHMARK(BM_UncompressedClipOverPlainWrite)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// FFmpeg's own encoder on the same frames as grey luma with neutral chroma, at the
// quantiser the clip's default quality uses; its packets are dropped.
void BM_MjpegClipOverEncoder(benchmark::State& state) {
    const auto ramps = Ramps();
    const std::string clipPath = ShmPath("mjpeg.avi");
    BenchClip clip("Motion JPEG", clipPath);
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
    AVCodecContext* encoder = avcodec_alloc_context3(codec);
    encoder->width = encoder->height = int(kSide);
    encoder->pix_fmt = AV_PIX_FMT_YUVJ420P;
    encoder->time_base = {1, 100};
    encoder->flags |= AV_CODEC_FLAG_QSCALE;
    encoder->global_quality = FF_QP2LAMBDA * 4;
    avcodec_open2(encoder, codec, nullptr);
    AVFrame* frame = av_frame_alloc();
    frame->format = AV_PIX_FMT_YUVJ420P;
    frame->width = frame->height = int(kSide);
    av_frame_get_buffer(frame, 0);
    AVPacket* packet = av_packet_alloc();
    const auto encode = [&](uint32_t k) {
        av_frame_make_writable(frame);
        for (uint32_t y = 0; y < kSide; ++y)
            std::memcpy(frame->data[0] + size_t(y) * frame->linesize[0],
                        ramps[k % 8].data() + size_t(y) * kSide, kSide);
        for (int plane = 1; plane < 3; ++plane)
            std::memset(frame->data[plane], 128, size_t(frame->linesize[plane]) * kSide / 2);
        frame->pts = k;
        avcodec_send_frame(encoder, frame);
        while (avcodec_receive_packet(encoder, packet) >= 0)
            av_packet_unref(packet);
    };
    SideBySide(
        state, [&](uint32_t k) { clip.add(ramps[k % 8]); }, encode);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&encoder);
    KvxMovieMakerStopMovieRecord(clip.handle);
    std::filesystem::remove(clipPath);
}
BENCHMARK(BM_MjpegClipOverEncoder)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

// The software card's 1024 x 1024 8-bit camera at 100 frames per second, captured
// for 10 s by glintrail-capture on tmpfs: into an uncompressed clip, and as the
// reference into a series of RAW files (the bytes as delivered).
void CaptureFor10s(benchmark::State& state, const std::string& output) {
    const std::string machine = ShmPath("machine.json"), cameraFile = ShmPath("camera.cxf");
    std::ofstream(machine)
        << R"({"cards": [{"channels": [{"camera": {"source": "ramp", "framePeriodUs": 10000,
        "pixelClockMHz": 400, "width": {"valid": 1024, "post": 0}, "height": {"valid": 1024, "post": 0}}}, {}]}]})";
    CameraFileRecord record{};
    record.camera.config.widthValid = record.camera.config.heightValid = kSide;
    record.camera.config.bitDepth = 8;
    SetTapFormat(1, &record.camera.config.tapConfig);
    SaveCameraFile(cameraFile.c_str(), &record);
    for (auto _ : state) {
        const std::string command = "ZAMGRB_SIM_CONFIG=" + machine + " " + GLINTRAIL_CAPTURE +
                                    " --duration 10 --json " + output + " --camera-file " + cameraFile +
                                    " 2>/dev/null";
        FILE* pipe = popen(command.c_str(), "r");
        char summary[1024] = {};
        const size_t n = fread(summary, 1, sizeof summary - 1, pipe);
        const int status = pclose(pipe);
        const std::string text(summary, n);
        const auto number = [&text](const std::string& key) {
            const size_t at = text.find("\"" + key + "\":");
            return at == std::string::npos ? -1.0 : std::atof(text.c_str() + at + key.size() + 3);
        };
        state.counters["grabbed"] = number("grabbed");
        state.counters["written"] = number("written");
        state.counters["lost_card"] = number("card");
        state.counters["lost_delivery"] = number("delivery");
        state.counters["lost_queue"] = number("queue");
        state.counters["lost_disk"] = number("disk");
        state.counters["MBps"] = number("megabytesPerSecond");
        state.counters["exit_status"] = WEXITSTATUS(status);
    }
    std::filesystem::remove(machine);
    std::filesystem::remove(cameraFile);
}

void BM_CaptureToClipAt100Fps(benchmark::State& state) {
    const std::string clip = ShmPath("capture.avi");
    CaptureFor10s(state, "--mode avi --compressor Uncompressed --fps 100 --output " + clip);
    std::filesystem::remove(clip);
}
BENCHMARK(BM_CaptureToClipAt100Fps)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

void BM_CaptureToRawSeriesAt100Fps(benchmark::State& state) {
    const std::string folder = ShmPath("series");
    CaptureFor10s(state, "--mode series --format raw --numbering 6 --output " + folder);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_CaptureToRawSeriesAt100Fps)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace
