#include "Renderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Blur.h"
#include "Random.h"

namespace zoqsim {
namespace {

constexpr int kNoiseVariants = 4;
constexpr size_t kGaussianSamples = 4096;
constexpr uint32_t kFullScale = 65535;

// Sensor coordinates read by each frame column (or row).
void sampleGrid(int32_t start, uint32_t step, uint32_t count, bool reverse, std::vector<int32_t>& out) {
    out.resize(count);
    for (uint32_t i = 0; i < count; ++i) out[i] = start + int32_t((reverse ? count - 1 - i : i) * step);
}

}  // namespace

bool RenderKey::operator==(const RenderKey& o) const {
    const FrameGeometry &a = geometry, &b = o.geometry;
    return a.columnStart == b.columnStart && a.rowStart == b.rowStart && a.columnStep == b.columnStep &&
           a.rowStep == b.rowStep && a.width == b.width && a.height == b.height && a.frames == b.frames &&
           a.bytesPerSample == b.bytesPerSample && a.mirror == b.mirror && a.flip == b.flip &&
           std::equal(std::begin(scale), std::end(scale), std::begin(o.scale)) && lut == o.lut &&
           lutGeneration == o.lutGeneration && pan == o.pan;
}

Renderer::Renderer(const Scene& scene, const SceneOptions& options, const std::array<Channel, 4>& channels)
    : scene_(scene), options_(options), channels_(channels) {
    if (options_.noise > 0.0) {
        Random random(options_.seed);
        gaussian_.resize(kGaussianSamples);
        for (float& g : gaussian_) g = float(random.gaussian());
        // Read noise at black growing to twice as much at white, like shot noise.
        sigma_.resize(4096);
        for (size_t i = 0; i < sigma_.size(); ++i)
            sigma_[i] = float(options_.noise * 257.0 * std::sqrt(1.0 + 3.0 * double(i) / 4095.0));
    }
}

std::shared_ptr<const RenderedFrame> Renderer::render(const RenderKey& key, const uint8_t* lut) {
    auto frame = std::make_shared<RenderedFrame>();
    frame->key = key;
    frame->bytes = key.geometry.bytes();
    const FrameGeometry& g = key.geometry;
    const int variants = gaussian_.empty() ? 1 : kNoiseVariants;
    frame->variants.resize(variants);
    if (frame->bytes == 0) return frame;

    sampleScene(g, key.pan);
    if (options_.blur > 0.0) blurPlanes(g.width, g.height);
    quantise(key);
    markHotPixels(g);
    buildOutputMap(key, lut);
    const size_t single = size_t(g.width) * g.height * g.bytesPerSample;
    for (int v = 0; v < variants; ++v) {
        std::vector<uint8_t>& out = frame->variants[v];
        out.resize(frame->bytes);
        writeVariant(g, v, out.data());
        for (uint32_t f = 1; f < g.frames; ++f) std::memcpy(out.data() + f * single, out.data(), single);
    }
    return frame;
}

void Renderer::sampleScene(const FrameGeometry& g, int32_t pan) {
    sampleGrid(g.columnStart, g.columnStep, g.width, g.mirror, columns_);
    sampleGrid(g.rowStart, g.rowStep, g.height, g.flip, rows_);
    // The scene moves; the sensor, its hot pixels and the lens fall-off stay.
    sampleGrid(g.columnStart - pan, g.columnStep, g.width, g.mirror, sceneColumns_);
    plane_.resize(size_t(g.width) * g.height);
    const Scene::RowSampler sampler(scene_, sceneColumns_);
    for (uint32_t y = 0; y < g.height; ++y) {
        const int parity = 2 * (y & 1);
        sampler.fill(rows_[y], channels_[parity], channels_[parity + 1], &plane_[size_t(y) * g.width]);
    }
}

void Renderer::blurPlanes(uint32_t width, uint32_t height) {
    const int radius = std::max(1, int(std::lround(options_.blur / 2.0)));
    blurred_.resize(plane_.size());
    blurBayerPlanes(plane_.data(), blurred_.data(), width, height, radius);
}

// Vignetting, exposure and gain, clipped at full scale.
void Renderer::quantise(const RenderKey& key) {
    const FrameGeometry& g = key.geometry;
    const double cx = scene_.width() / 2.0, cy = scene_.height() / 2.0;
    const double fallOff = options_.vignetting / std::max(1.0, cx * cx + cy * cy);
    std::vector<float>& columnLoss = blurred_;  // free again after the blur
    columnLoss.resize(g.width);
    for (uint32_t x = 0; x < g.width; ++x)
        columnLoss[x] = float(fallOff * (columns_[x] - cx) * (columns_[x] - cx));
    codes_.resize(plane_.size());
    for (uint32_t y = 0; y < g.height; ++y) {
        const float rowLoss = float(fallOff * (rows_[y] - cy) * (rows_[y] - cy));
        const float k[2] = {float(key.scale[2 * (y & 1)]), float(key.scale[2 * (y & 1) + 1])};
        const float* in = &plane_[size_t(y) * g.width];
        uint16_t* out = &codes_[size_t(y) * g.width];
        for (uint32_t x = 0; x < g.width; ++x) {
            const float v = in[x] * (1.0f - columnLoss[x] - rowLoss) * k[x & 1] + 0.5f;
            out[x] = uint16_t(std::clamp(v, 0.0f, float(kFullScale)));
        }
    }
}

void Renderer::markHotPixels(const FrameGeometry& g) {
    const auto index = [](int32_t at, int32_t start, uint32_t step, uint32_t count, bool reverse) -> int64_t {
        const int64_t offset = int64_t(at) - start;
        if (offset < 0 || offset % step != 0 || offset / step >= count) return -1;
        const int64_t i = offset / step;
        return reverse ? int64_t(count) - 1 - i : i;
    };
    for (const SensorPixel& hot : scene_.hotPixels()) {
        const int64_t x = index(hot.x, g.columnStart, g.columnStep, g.width, g.mirror);
        const int64_t y = index(hot.y, g.rowStart, g.rowStep, g.height, g.flip);
        if (x >= 0 && y >= 0) codes_[size_t(y) * g.width + size_t(x)] = kFullScale;
    }
}

void Renderer::buildOutputMap(const RenderKey& key, const uint8_t* lut) {
    if (key.geometry.bytesPerSample != 1) return;
    map8_.resize(kFullScale + 1);
    for (uint32_t c = 0; c <= kFullScale; ++c)
        map8_[c] = key.lut ? lut[c >> 4] : uint8_t((c * 255 + kFullScale / 2) / kFullScale);
}

namespace {

// One pass over the codes; Noisy and Wide are fixed per call so the loop has
// no per-pixel mode tests.
template <bool Noisy, bool Wide>
void convert(const uint16_t* codes, size_t count, const uint8_t* map8, const float* sigma,
             const float* gaussian, Random random, uint8_t* out) {
    for (size_t i = 0; i < count; ++i) {
        uint32_t c = codes[i];
        if constexpr (Noisy) {
            const float v = float(c) + sigma[c >> 4] * gaussian[random.next() & (kGaussianSamples - 1)];
            c = uint32_t(std::clamp(v + 0.5f, 0.0f, float(kFullScale)));
        }
        if constexpr (Wide) {
            out[2 * i] = uint8_t(c);
            out[2 * i + 1] = uint8_t(c >> 8);
        } else {
            out[i] = map8[c];
        }
    }
}

}  // namespace

void Renderer::writeVariant(const FrameGeometry& g, int variant, uint8_t* out) {
    const size_t count = codes_.size();
    const Random random(options_.seed * 0x9E3779B9u + uint32_t(variant) + 1);
    const bool wide = g.bytesPerSample == 2;
    if (gaussian_.empty()) {
        if (wide)
            convert<false, true>(codes_.data(), count, nullptr, nullptr, nullptr, random, out);
        else
            convert<false, false>(codes_.data(), count, map8_.data(), nullptr, nullptr, random, out);
    } else if (wide) {
        convert<true, true>(codes_.data(), count, nullptr, sigma_.data(), gaussian_.data(), random, out);
    } else {
        convert<true, false>(codes_.data(), count, map8_.data(), sigma_.data(), gaussian_.data(), random,
                             out);
    }
}

}  // namespace zoqsim
