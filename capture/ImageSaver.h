// The saving thread's hands for image files: names each frame from the job it
// was taken for, makes its folder and writes it through the image writers.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "capture/CaptureEngine.h"
#include "capture/FileNaming.h"
#include "capture/ImageFileWriter.h"

namespace capture {

class ImageSaver : public FrameSaver {
public:
    // glyphs may be null: then nothing is stamped.
    explicit ImageSaver(std::shared_ptr<const GlyphSet> glyphs);

    Result save(const CapturedFrame& frame, uint32_t passIndex) override;
    void endPass(bool) override {}

private:
    FrameNamer namer_;
    ImageFileWriter writer_;
};

}  // namespace capture
