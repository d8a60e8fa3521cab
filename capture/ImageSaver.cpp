#include "capture/ImageSaver.h"

#include <QFileInfo>
#include <filesystem>
#include <system_error>

#include "capture/CaptureJob.h"

namespace capture {

ImageSaver::ImageSaver(std::shared_ptr<const GlyphSet> glyphs, CAVIWriter* clips, ClipHooks clipHooks)
    : writer_(std::move(glyphs)),
      clip_(clips ? std::make_unique<ClipFrames>(*clips, std::move(clipHooks)) : nullptr) {}

void ImageSaver::endPass(bool) {
    if (clip_)
        clip_->End();
}

uint32_t ImageSaver::queueLimit() const {
    return clip_ ? clip_->queueLimit() : 0;
}

FrameSaver::Result ImageSaver::save(const CapturedFrame& frame, uint32_t passIndex) {
    Result result;
    if (!frame.job) {
        result.ok = false;
        result.reason = "The frame was taken without a capture job";
        return result;
    }
    const CaptureJob& job = *frame.job;
    const QString name = namer_.Name(job.record, job.saveType, passIndex, frame.localTime);
    result.path = name.toStdString();
    if (name.isEmpty()) {
        result.ok = false;
        result.reason = "Incorrect SaveType, " + std::to_string(job.saveType);
        return result;
    }
    if (job.saveType == kSaveAvi && !clip_) {
        result.ok = false;
        result.reason = "No clip writer";
        return result;
    }
    const std::filesystem::path folder = QFileInfo(name).path().toStdString();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        result.ok = false;
        result.reason = "Cannot create the folder " + folder.string() + ": " + error.message();
        return result;
    }
    FrameToWrite toWrite;
    toWrite.data = frame.data.data();
    toWrite.size = frame.size;
    toWrite.timeStamp = frame.timeStamp;
    toWrite.description = frame.description;
    toWrite.localTime = frame.localTime;
    ImageWriteOptions options;
    options.imageType = job.imageType;
    options.normalize = job.normalize;
    options.jpgQuality = job.jpgQuality;
    options.stamp.insertDate = job.record.InsertDate != 0;
    options.stamp.insertMessage = job.record.InsertMessage != 0;
    options.stamp.insertTimestamp = job.record.InsertTimestamp != 0;
    options.stamp.position = job.record.Position;
    options.stamp.message = GetText(job.record.Message).toStdU16String();
    if (job.saveType == kSaveAvi) {
        PreparedImage image;
        if (const WriteResult prepared = writer_.Prepare(toWrite, options, true, image); !prepared.ok) {
            result.ok = false;
            result.reason = prepared.error;
            return result;
        }
        CaptureOptionsRecord record = job.record;
        SetText(record.FileName, name);
        return clip_->Add(image, frame, record);
    }
    const WriteResult written = writer_.Write(toWrite, options, result.path);
    result.ok = written.ok;
    result.reason = written.error;
    return result;
}

}  // namespace capture
