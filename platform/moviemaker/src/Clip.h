// One clip being written: the AVI muxer on a ClipFile, the encoder of the chosen
// compressor, and the frames' way from the caller's bitmap into it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ClipFile.h"
#include "ClipTiming.h"
#include "Compressors.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace kvx {

struct ClipSettings {
    std::string path;
    const Compressor* compressor = nullptr;
    uint32_t width = 0, height = 0;
    double framesPerSecond = 30;
    bool monochrome = false;
    uint32_t keyFrame = 0;  // 0: about one a second
    uint32_t quality = 0;   // 1..100, 0: the codec's default
};

class Clip {
public:
    // Creates the file; the clip's header follows with the first frame, whose
    // depth (8 or 24 bits) it then keeps.
    static int Open(const ClipSettings& settings, std::unique_ptr<Clip>& clip);
    ~Clip();
    Clip(const Clip&) = delete;
    Clip& operator=(const Clip&) = delete;

    int Add(const uint8_t* pixels, uint32_t size, int64_t time, int64_t frameNumber);
    // Writes what the encoder still holds and the index; the file is closed.
    int Close();

private:
    explicit Clip(const ClipSettings& settings) : settings_(settings), timing_(settings.framesPerSecond) {}
    int Begin(bool grey);
    int Encode(const uint8_t* pixels, int64_t pts);
    int WritePacket(AVPacket* packet);
    int Drain();
    const uint8_t* Converted(const uint8_t* pixels);

    ClipSettings settings_;
    ClipTiming timing_;
    std::unique_ptr<ClipFile> file_;
    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* scaler_ = nullptr;
    AVRational rate_{30, 1};
    AVPixelFormat codecFormat_ = AV_PIX_FMT_NONE;
    bool begun_ = false;
    bool grey_ = false;    // the caller's frames are 8-bit
    uint32_t stride_ = 0;  // of the caller's rows
    bool paletteSent_ = false;
    std::vector<uint8_t> scratch_;  // uncompressed 24-bit rows made from grey ones
    int64_t lastPts_ = -1;
    int error_ = 0;  // the first failure; later frames are refused with it
};

}  // namespace kvx
