// The synthetic scene every simulated sensor looks at, defined over the
// sensor's full array: a 6 x 4 colour chart, a gray ramp, a band of sharp
// bars and a checkerboard, on a mid-gray background, plus a few hot pixels
// of the sensor itself. Values are reflectances 0..1 per colour channel.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace zoqsim {

enum Channel : int { kRed = 0, kGreen = 1, kBlue = 2, kLuma = 3 };

struct SensorPixel {
    int32_t x;
    int32_t y;
};

class Scene {
public:
    Scene(uint32_t width, uint32_t height);

    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }

    // Reflectance at one sensor pixel; coordinates outside the array see the
    // background.
    float reflectance(int32_t x, int32_t y, Channel channel) const;

    // Pixels that always read full scale.
    const std::array<SensorPixel, 8>& hotPixels() const { return hot_; }

    // Samples rows of the scene at a fixed set of sensor columns; built once
    // per rendered frame so that a row costs a table look-up per pixel.
    class RowSampler {
    public:
        RowSampler(const Scene& scene, const std::vector<int32_t>& columns);
        // out[i] = reflectance(columns[i], y, i even ? even : odd).
        void fill(int32_t y, Channel even, Channel odd, float* out) const;

    private:
        const Scene& scene_;
        std::vector<uint8_t> chartIndex_;    // 0 outside, 1 gap, 2 + chart column
        std::vector<uint8_t> edgeIndex_[2];  // per checker row parity
        std::vector<float> ramp_;
    };

private:
    struct Band {
        int32_t begin;
        int32_t end;
    };
    int chartRow(int32_t y) const;     // -2 outside, -1 gap, 0..3
    int chartColumn(int32_t x) const;  // -2 outside, -1 gap, 0..5
    float patch(int row, int column, Channel channel) const;

    uint32_t width_;
    uint32_t height_;
    Band chartX_, chartY_, rampY_, edgeY_, edgeX_;
    int32_t barPeriod_;
    int32_t checkerSize_;
    std::array<SensorPixel, 8> hot_;
};

}  // namespace zoqsim
