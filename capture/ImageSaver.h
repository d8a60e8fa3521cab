// The saving thread's hands: names each frame from the job it was taken for,
// makes its folder and writes it through the image writers, or into the clip
// of the writing pass.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "capture/CAVIWriter.h"
#include "capture/CaptureEngine.h"
#include "capture/ClipFrames.h"
#include "capture/FileNaming.h"
#include "capture/ImageFileWriter.h"

namespace capture {

class ImageSaver : public FrameSaver {
public:
    // glyphs may be null: then nothing is stamped. clips may be null: then clip
    // frames fail.
    explicit ImageSaver(std::shared_ptr<const GlyphSet> glyphs, CAVIWriter* clips = nullptr,
                        ClipHooks clipHooks = {});

    Result save(const CapturedFrame& frame, uint32_t passIndex) override;
    void endPass(bool) override;
    uint32_t queueLimit() const override;

private:
    FrameNamer namer_;
    ImageFileWriter writer_;
    std::unique_ptr<ClipFrames> clip_;
};

}  // namespace capture
