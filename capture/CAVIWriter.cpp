#include "capture/CAVIWriter.h"

#include <vector>

#include "kvxmoviemaker.h"

namespace capture {

static_assert(sizeof(KvxMovieRecord) == sizeof(CaptureOptionsRecord));
static_assert(offsetof(KvxMovieRecord, CompressorKeyFrame) ==
              offsetof(CaptureOptionsRecord, CompressorKeyFrame));
static_assert(offsetof(KvxMovieRecord, CompressorQuality) ==
              offsetof(CaptureOptionsRecord, CompressorQuality));
static_assert(offsetof(KvxMovieRecord, CompressorName) == offsetof(CaptureOptionsRecord, CompressorName));

ClipClock::Tick ClipClock::Next(uint32_t timeStamp, uint32_t frameNumber) {
    Tick tick;
    if (frameNumber < lastFrameNumber_ && lastFrameNumber_ - frameNumber > 32767) {
        tick.numberWrapped = true;
        ++frameNumberWraps_;
    }
    if (timeStamp < lastTimeStamp_ && lastTimeStamp_ - timeStamp > 0x7FFFFFFFu) {
        tick.timeWrapped = true;
        ++timeStampWraps_;
    }
    lastFrameNumber_ = frameNumber;
    lastTimeStamp_ = timeStamp;
    tick.time = int64_t((timeStampWraps_ << 32) + timeStamp) * 10;
    tick.number = int64_t(frameNumberWraps_ * 65536 + frameNumber);
    return tick;
}

QString AviErrorText(int32_t result) {
    if (result == KVX_WRITER_TIMEOUT)
        return QStringLiteral("AVI Writer timeout");
    char text[161] = {};
    if (KvxMovieMakerErrorText(result, text, sizeof text) < 0)
        return QString::asprintf("Unknown Error: 0x%08X", uint32_t(result));
    return QString::asprintf("0x%08X: %s", uint32_t(result), text);
}

CAVIWriter::CAVIWriter(Hooks hooks) : hooks_(std::move(hooks)) {}

CAVIWriter::~CAVIWriter() {
    for (const uint32_t instance : {instance_, clipInstance_ != instance_ ? clipInstance_ : 0u})
        if (instance != 0)
            KvxMovieMakerRelease(instance);
}

uint32_t CAVIWriter::instance() const {
    std::lock_guard lock(mutex_);
    return instance_;
}

int32_t CAVIWriter::Init(uint32_t width, int32_t height, double framesPerSecond, uint32_t option) {
    uint32_t created = 0;
    const int32_t result = KvxMovieMakerInitEx(width, height, framesPerSecond, &option, &created);
    std::lock_guard lock(mutex_);
    if (instance_ != 0 && instance_ != clipInstance_)
        KvxMovieMakerRelease(instance_);
    instance_ = result < 0 ? 0 : created;
    return result;
}

int32_t CAVIWriter::GetCompressors(QStringList& names) const {
    names.clear();
    int32_t count = 0, longest = 0;
    int32_t result = KvxMovieMakerGetCompressors(instance(), nullptr, &count, &longest);
    if (result < 0 || count <= 0 || longest <= 0)
        return result;
    std::vector<uint16_t> text(size_t(count) * size_t(longest), 0);
    std::vector<uint16_t*> buffers;
    for (int32_t i = 0; i < count; ++i)
        buffers.push_back(text.data() + size_t(i) * size_t(longest));
    result = KvxMovieMakerGetCompressors(instance(), buffers.data(), &count, &longest);
    if (result < 0)
        return result;
    for (int32_t i = 0; i < count; ++i)
        names << QString::fromUtf16(reinterpret_cast<const char16_t*>(buffers[size_t(i)]));
    return result;
}

int32_t CAVIWriter::SetCompressor(const QString& name, bool& hasOptions) const {
    int32_t flag = 0;
    const int32_t result =
        KvxMovieMakerSetCompressor(instance(), reinterpret_cast<const uint16_t*>(name.utf16()), &flag);
    hasOptions = result >= 0 && flag != 0;
    return result;
}

int32_t CAVIWriter::ShowCompressorDlg(void* owner, CaptureOptionsRecord& record) const {
    KvxCompressorSettings settings{record.CompressorKeyFrame, record.CompressorQuality};
    const uint32_t current = instance();
    KvxMovieMakerSetCompressorSettings(current, &settings);
    const int32_t result = KvxMovieMakerShowCompressorDlg(current, owner);
    if (result > 0 && KvxMovieMakerGetCompressorSettings(current, &settings) >= 0) {
        record.CompressorKeyFrame = settings.keyFrame;
        record.CompressorQuality = settings.quality;
    }
    return result;
}

int32_t CAVIWriter::Start(const CaptureOptionsRecord& record) {
    clock_.Reset();
    uint32_t clip = 0;
    {
        std::lock_guard lock(mutex_);
        // An instance replaced while its last clip was written goes now.
        if (clipInstance_ != 0 && clipInstance_ != instance_)
            KvxMovieMakerRelease(clipInstance_);
        clip = clipInstance_ = instance_;
    }
    return KvxMovieMakerStartMovieRecord(clip, reinterpret_cast<const KvxMovieRecord*>(&record));
}

int32_t CAVIWriter::AddFrame(const void* pixels, uint32_t size, uint32_t timeStamp, uint32_t frameNumber) {
    const uint32_t lastNumber = clock_.lastFrameNumber(), lastTime = clock_.lastTimeStamp();
    const ClipClock::Tick tick = clock_.Next(timeStamp, frameNumber);
    if (tick.numberWrapped && hooks_.frameNumberOverlap)
        hooks_.frameNumberOverlap(int(lastNumber), int(frameNumber));
    if (tick.timeWrapped && hooks_.timeStampOverlap)
        hooks_.timeStampOverlap(int(lastTime), int(timeStamp));
    std::unique_lock lock(mutex_);
    const uint32_t clip = clipInstance_;
    lock.unlock();
    return KvxMovieMakerAddMovieFrame2(clip, pixels, size, tick.time, tick.number);
}

int32_t CAVIWriter::Stop() {
    clock_.Reset();
    std::unique_lock lock(mutex_);
    const uint32_t clip = clipInstance_;
    lock.unlock();
    const int32_t result = KvxMovieMakerStopMovieRecord(clip);
    lock.lock();
    if (clip != 0 && clipInstance_ == clip && clip != instance_) {
        KvxMovieMakerRelease(clip);
        clipInstance_ = 0;
    }
    return result;
}

}  // namespace capture
