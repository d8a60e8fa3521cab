// The C functions: numbered instances, each with its compressor, its settings and
// at most one clip. Calls on one instance are serialised; the options dialog runs
// without holding the instance, so a clip being written is never held up by it.
#include <QApplication>
#include <QString>
#include <atomic>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "Clip.h"
#include "Compressors.h"
#include "OptionsDialog.h"
#include "kvxmoviemaker.h"

extern "C" {
#include <libavutil/error.h>
}

namespace {

struct Instance {
    std::mutex mutex;
    uint32_t width = 0, height = 0;
    double framesPerSecond = 30;
    bool monochrome = false;
    const kvx::Compressor* compressor = nullptr;
    KvxCompressorSettings settings{};
    std::unique_ptr<kvx::Clip> clip;
};

std::mutex instancesLock;
std::map<uint32_t, std::shared_ptr<Instance>> instances;
uint32_t lastInstance = 0;

std::shared_ptr<Instance> Find(uint32_t handle) {
    std::lock_guard lock(instancesLock);
    const auto found = instances.find(handle);
    return found == instances.end() ? nullptr : found->second;
}

std::u16string Text(const uint16_t* text, size_t capacity) {
    size_t length = 0;
    while (length < capacity && text[length] != 0)
        ++length;
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

constexpr int32_t kNoInstance = AVERROR(EBADF);

}  // namespace

extern "C" {

int32_t KvxMovieMakerInitEx(uint32_t width, int32_t height, double framesPerSecond, const uint32_t* option,
                            uint32_t* instance) {
    if (!instance || width == 0 || height >= 0 || height == INT32_MIN || !std::isfinite(framesPerSecond) ||
        framesPerSecond <= 0)
        return AVERROR(EINVAL);
    auto created = std::make_shared<Instance>();
    created->width = width;
    created->height = uint32_t(-height);
    created->framesPerSecond = framesPerSecond;
    created->monochrome = option && (*option & KVX_OPTION_MONOCHROME);
    std::lock_guard lock(instancesLock);
    do
        ++lastInstance;
    while (lastInstance == 0 || instances.count(lastInstance));
    instances[lastInstance] = std::move(created);
    *instance = lastInstance;
    return 0;
}

int32_t KvxMovieMakerGetCompressors(uint32_t instance, uint16_t** names, int32_t* count, int32_t* longest) {
    if (!Find(instance))
        return kNoInstance;
    if (!count || !longest)
        return AVERROR(EINVAL);
    const auto& list = kvx::InstalledCompressors();
    if (!names) {
        *count = int32_t(list.size());
        *longest = 0;
        for (const kvx::Compressor& c : list)
            *longest = std::max(*longest, int32_t(c.name.size() + 1));
        return 0;
    }
    if (*longest <= 0)
        return AVERROR(EINVAL);
    const size_t filled = std::min(size_t(std::max(*count, 0)), list.size());
    for (size_t i = 0; i < filled; ++i) {
        const size_t length = std::min(list[i].name.size(), size_t(*longest - 1));
        std::memcpy(names[i], list[i].name.data(), length * sizeof(char16_t));
        names[i][length] = 0;
    }
    *count = int32_t(filled);
    return 0;
}

int32_t KvxMovieMakerSetCompressor(uint32_t instance, const uint16_t* name, int32_t* hasOptions) {
    const auto found = Find(instance);
    if (!found)
        return kNoInstance;
    if (!name)
        return AVERROR(EINVAL);
    const kvx::Compressor* compressor = kvx::FindCompressor(Text(name, 260));
    if (!compressor)
        return AVERROR_ENCODER_NOT_FOUND;
    std::lock_guard lock(found->mutex);
    found->compressor = compressor;
    if (hasOptions)
        *hasOptions = compressor->hasOptions ? 1 : 0;
    return 0;
}

int32_t KvxMovieMakerShowCompressorDlg(uint32_t instance, void* owner) {
    const auto found = Find(instance);
    if (!found)
        return kNoInstance;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return AVERROR(ENOSYS);
    const kvx::Compressor* compressor = nullptr;
    KvxCompressorSettings settings{};
    {
        std::lock_guard lock(found->mutex);
        compressor = found->compressor;
        settings = found->settings;
    }
    if (!compressor || !compressor->hasOptions)
        return AVERROR(ENOSYS);
    if (!kvx::RunOptionsDialog(static_cast<QWidget*>(owner), compressor->name, compressor->keyFrames,
                               settings))
        return 0;
    std::lock_guard lock(found->mutex);
    found->settings = settings;
    return 1;
}

int32_t KvxMovieMakerGetCompressorSettings(uint32_t instance, KvxCompressorSettings* settings) {
    const auto found = Find(instance);
    if (!found)
        return kNoInstance;
    if (!settings)
        return AVERROR(EINVAL);
    std::lock_guard lock(found->mutex);
    *settings = found->settings;
    return 0;
}

int32_t KvxMovieMakerSetCompressorSettings(uint32_t instance, const KvxCompressorSettings* settings) {
    const auto found = Find(instance);
    if (!found)
        return kNoInstance;
    if (!settings)
        return AVERROR(EINVAL);
    std::lock_guard lock(found->mutex);
    found->settings = *settings;
    return 0;
}

int32_t KvxMovieMakerStartMovieRecord(uint32_t instance, const KvxMovieRecord* record) {
    const auto found = Find(instance);
    if (!found)
        return kNoInstance;
    if (!record)
        return AVERROR(EINVAL);
    std::lock_guard lock(found->mutex);
    if (found->clip) {
        found->clip->Close();
        found->clip.reset();
    }
    kvx::ClipSettings s;
    const std::u16string name = Text(record->CompressorName, 260);
    s.compressor = name.empty() ? found->compressor : kvx::FindCompressor(name);
    if (!s.compressor && name.empty())
        s.compressor = &kvx::InstalledCompressors().front();
    if (!s.compressor)
        return AVERROR_ENCODER_NOT_FOUND;
    s.path = QString::fromStdU16String(Text(record->FileName, 260)).toStdString();
    s.width = found->width;
    s.height = found->height;
    s.framesPerSecond = found->framesPerSecond;
    s.monochrome = found->monochrome;
    s.keyFrame = record->CompressorKeyFrame;
    s.quality = record->CompressorQuality;
    return kvx::Clip::Open(s, found->clip);
}

int32_t KvxMovieMakerAddMovieFrame2(uint32_t instance, const void* pixels, uint32_t size, int64_t time,
                                    int64_t frameNumber) {
    const auto found = Find(instance);
    if (!found)
        return kNoInstance;
    std::lock_guard lock(found->mutex);
    if (!found->clip)
        return kNoInstance;
    return found->clip->Add(static_cast<const uint8_t*>(pixels), size, time, frameNumber);
}

int32_t KvxMovieMakerStopMovieRecord(uint32_t instance) {
    const auto found = Find(instance);
    if (!found)
        return kNoInstance;
    std::lock_guard lock(found->mutex);
    if (!found->clip)
        return 0;
    const int result = found->clip->Close();
    found->clip.reset();
    return result;
}

int32_t KvxMovieMakerRelease(uint32_t instance) {
    std::shared_ptr<Instance> released;
    {
        std::lock_guard lock(instancesLock);
        const auto found = instances.find(instance);
        if (found == instances.end())
            return kNoInstance;
        released = std::move(found->second);
        instances.erase(found);
    }
    // A clip still open is ended, once no call of another thread uses it.
    std::lock_guard lock(released->mutex);
    if (released->clip)
        released->clip->Close();
    released->clip.reset();
    return 0;
}

int32_t KvxMovieMakerErrorText(int32_t result, char* buffer, uint32_t size) {
    if (!buffer || size == 0)
        return AVERROR(EINVAL);
    return av_strerror(result, buffer, size);
}

}  // extern "C"
