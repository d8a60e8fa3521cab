// Frames arriving through OnUpdate, converted by the card library's
// ConvertFrame from raw frames in arrival order (one tap, left to right).
#include <gtest/gtest.h>

#include <cstring>

#include "ViewSupport.h"
#include "display/PixelValue.h"
#include "display/ViewHints.h"
#include "grabber/Grabber.h"

namespace {

// A raw frame of `bytesPerSample` bytes per sample; sample(x, y, c) for each of
// `samplesPerPixel` words of a pixel.
void Raw(CurrentImage& image, int width, int height, int bitDepth, int samplesPerPixel, int bytesPerSample,
         const std::function<uint32_t(int, int, int)>& sample) {
    image.description = grabber::DefaultCameraDescription();
    image.description.config.widthValid = uint32_t(width);
    image.description.config.heightValid = uint32_t(height);
    image.description.config.bitDepth = uint32_t(bitDepth);
    const size_t pixelBytes = size_t(samplesPerPixel) * bytesPerSample;
    ASSERT_TRUE(image.rawFrame.allocate(pixelBytes * width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < samplesPerPixel; ++c) {
                const uint32_t v = sample(x, y, c);
                std::memcpy(
                    image.rawFrame.data() + (size_t(y) * width + x) * pixelBytes + size_t(c) * bytesPerSample,
                    &v, size_t(bytesPerSample));
            }
}

}  // namespace

TEST(FrameArrival, MonochromeFramesConvertOnceIntoOneBlock) {
    ViewFixture f;
    Raw(f.image, 64, 48, 8, 1, 1, [](int x, int y, int) { return uint32_t(x + 2 * y); });
    f.view->OnUpdate(nullptr, 0, nullptr);
    const CImageReadyHint ready(&f.image);
    f.view->OnUpdate(nullptr, 0, &ready);
    ASSERT_TRUE(f.image.pixelData);
    EXPECT_EQ(f.image.rowStep, 64u);
    const uint8_t* block = f.image.pixelData.data();
    EXPECT_EQ(f.Render().pixel(5, 7), qRgb(19, 19, 19));

    f.image.rawFrame.data()[7 * 64 + 5] = 200;  // the next frame
    f.view->OnUpdate(nullptr, 0, &ready);
    EXPECT_EQ(f.image.pixelData.data(), block) << "one block per format";
    EXPECT_EQ(f.Render().pixel(5, 7), qRgb(200, 200, 200));

    f.view->OnUpdate(nullptr, 0, nullptr);  // format reset
    EXPECT_FALSE(f.image.pixelData);
}

TEST(FrameArrival, DeepAndColourFramesShowTheirValues) {
    ViewFixture f;
    Raw(f.image, 32, 16, 12, 1, 2, [](int x, int, int) { return uint32_t(x * 100); });
    f.view->OnUpdate(nullptr, 0, nullptr);
    const CImageReadyHint ready(&f.image);
    f.view->OnUpdate(nullptr, 0, &ready);
    EXPECT_EQ(f.view->GetPixelValue(QPoint(31, 3)), 3100u);

    // RGB 24, unpacked: blue, green, red, unused per pixel.
    Raw(f.image, 32, 16, 24, 4, 1, [](int, int, int c) {
        return c == 0 ? 10u : c == 1 ? 20u : c == 2 ? 30u : 0u;
    });
    f.view->OnUpdate(nullptr, 0, nullptr);
    f.view->OnUpdate(nullptr, 0, &ready);
    EXPECT_EQ(f.Render().pixel(3, 3), qRgb(30, 20, 10));
    // Qt's native 32-bit form on any screen: four channels, drawn without conversion.
    EXPECT_EQ(f.image.rowStep, 32u * 4);
    EXPECT_EQ(f.view->converter().displayImage().format(), QImage::Format_RGB32);
}
