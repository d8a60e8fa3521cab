#include "scene.h"

#include <cmath>

#include "storage.h"

namespace zamgrb {

namespace {

enum Cell : uint8_t { R, G, B, P };

// The 2 x 2 Bayer cell G R / B G and the 4 x 4 TRUESENSE cell; the pattern start
// names the cell that lands on pixel (0, 0).
constexpr Cell kBayer[2][2] = {{G, R}, {B, G}};
constexpr Cell kTrueSense[4][4] = {{P, B, P, G}, {B, P, G, P}, {P, G, P, R}, {G, P, R, P}};

}  // namespace

Scene::Scene(const SimCamera& camera, uint32_t ringFrames)
    : camera_(camera),
      ringFrames_(ringFrames ? ringFrames : 1),
      bits_(bitsPerColour(camera.bitDepth)),
      mask_((1ull << bits_) - 1) {
    if (camera_.source.kind == PictureSource::Kind::Image)
        pictures_ = loadPictures(camera_.source.path);
}

Scene::Rgb Scene::colourAt(uint32_t x, uint32_t y, uint64_t k, const Motion& motion) const {
    const uint32_t W = camera_.width.valid, H = camera_.height.valid;
    if (camera_.source.kind == PictureSource::Kind::Ramp) {
        if (camera_.color == ColorKind::Mono) {
            const uint32_t v = uint32_t((x + 3ull * y + k) & mask_);
            return {v, v, v};
        }
        return {uint32_t((x + k) & mask_), uint32_t((y + k) & mask_), uint32_t((x + y + k) & mask_)};
    }
    const uint32_t shift = bits_ >= 8 ? bits_ - 8 : 0;
    const uint32_t down = bits_ < 8 ? 8 - bits_ : 0;
    auto scale = [&](uint32_t v8) { return (v8 << shift) >> down; };
    if (camera_.source.kind == PictureSource::Kind::Image && pictures_ && !pictures_->empty()) {
        const Picture& pic = pictures_->at(k % pictures_->size());
        const size_t px = size_t(x) * pic.width / W, py = size_t(y) * pic.height / H;
        const uint8_t* rgb = &pic.rgb[(py * pic.width + px) * 3];
        return {scale(rgb[0]), scale(rgb[1]), scale(rgb[2])};
    }
    // Moving: diagonal colour bands that scroll one full period per ring, and a white
    // square circling the centre.
    const Motion& m = motion;
    if (std::abs(int(x) - m.cx) < m.side / 2 && std::abs(int(y) - m.cy) < m.side / 2)
        return {scale(255), scale(255), scale(255)};
    const uint32_t scroll = m.scroll;
    const uint32_t grey = (x + y + scroll) & 255;
    if (camera_.color == ColorKind::Mono)
        return {scale(grey), scale(grey), scale(grey)};
    return {scale((x + scroll) & 255), scale((y + 2 * scroll) & 255), scale(grey)};
}

uint64_t Scene::portWord(uint32_t x, uint32_t y, const Rgb& c) const {
    const uint32_t exposure = camera_.exposure;
    auto lit = [&](uint32_t v) { return uint64_t(v) * exposure / 100; };
    switch (camera_.color) {
        case ColorKind::Mono:
            return lit(c.r);
        case ColorKind::Rgb:
            return lit(c.b) | lit(c.g) << bits_ | lit(c.r) << (2 * bits_);
        case ColorKind::Bayer:
        case ColorKind::TrueSense: {
            Cell cell;
            if (camera_.color == ColorKind::Bayer) {
                const uint32_t s = camera_.patternStart;
                cell = kBayer[(y + s / 2) % 2][(x + s % 2) % 2];
            } else {
                const uint32_t s = camera_.patternStart;
                cell = kTrueSense[(y + s / 4) % 4][(x + s % 4) % 4];
            }
            switch (cell) {
                case R:
                    return lit(c.r);
                case G:
                    return lit(c.g);
                case B:
                    return lit(c.b);
                case P:
                    return lit((c.r + c.g + c.b) / 3);  // panchromatic: the mean of the three
            }
        }
    }
    return 0;
}

void Scene::render(uint64_t k, std::vector<uint64_t>& out) const {
    const uint32_t W = camera_.width.valid, H = camera_.height.valid;
    const uint32_t phase = uint32_t(k % ringFrames_);
    const double angle = 2.0 * M_PI * phase / ringFrames_;
    const Motion motion{phase * 256 / ringFrames_, int(W / 2 + W / 4 * std::cos(angle)),
                        int(H / 2 + H / 4 * std::sin(angle)), int(std::min(W, H) / 6)};
    out.resize(size_t(W) * H);
    for (uint32_t y = 0; y < H; ++y)
        for (uint32_t x = 0; x < W; ++x)
            out[size_t(y) * W + x] = portWord(x, y, colourAt(x, y, k, motion));
}

}  // namespace zamgrb
