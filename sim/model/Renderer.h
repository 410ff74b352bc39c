// Turns the sensor's state (window, skip, orientation, exposure, gains) and
// the FPGA's transfer settings into the bytes of a frame: the scene sampled
// on the window's grid, mosaiced in the model's Bayer pattern, blurred,
// vignetted, scaled by exposure and gain, clipped at white, optionally made
// noisy, mapped through the look-up table and stacked for multi-frame.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "CameraModel.h"
#include "Scene.h"

namespace zoqsim {

// Everything a frame's bytes depend on; equal keys give equal frames.
struct RenderKey {
    FrameGeometry geometry;
    double scale[4];  // full-scale codes per unit reflectance at frame sites (x & 1) + 2 * (y & 1)
    bool lut;         // 8-bit output through the downloaded look-up table
    uint64_t lutGeneration;
    int32_t pan;  // the scene moved this many sensor columns to the right

    bool operator==(const RenderKey& o) const;
    bool operator!=(const RenderKey& o) const { return !(*this == o); }
};

struct RenderedFrame {
    RenderKey key;
    std::size_t bytes;  // of each variant
    // One variant without noise; with noise a few, cycled frame by frame.
    std::vector<std::vector<uint8_t>> variants;
};

class Renderer {
public:
    // channels: the scene channel at frame sites (x & 1) + 2 * (y & 1).
    Renderer(const Scene& scene, const SceneOptions& options, const std::array<Channel, 4>& channels);

    // lut: kLutEntries bytes, used when key.lut is set.
    std::shared_ptr<const RenderedFrame> render(const RenderKey& key, const uint8_t* lut);

private:
    void sampleScene(const FrameGeometry& g, int32_t pan);
    void blurPlanes(uint32_t width, uint32_t height);
    void quantise(const RenderKey& key);
    void markHotPixels(const FrameGeometry& g);
    void buildOutputMap(const RenderKey& key, const uint8_t* lut);
    void writeVariant(const FrameGeometry& g, int variant, uint8_t* out);

    const Scene& scene_;
    SceneOptions options_;
    std::array<Channel, 4> channels_;
    std::vector<float> gaussian_;  // standard normal samples for the noise
    // Scratch reused across renders.
    std::vector<int32_t> columns_, rows_, sceneColumns_;
    std::vector<float> plane_, blurred_;
    std::vector<uint16_t> codes_;
    std::vector<uint8_t> map8_;
    std::vector<float> sigma_;
};

}  // namespace zoqsim
