// Once a frame has passed every stage of both roads, the next frame of the
// same size allocates nothing: the stages keep their working space. Every
// operator new of this program is counted.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "calibration/ZOQDevice_Custom_Calibration_BadPixel.h"
#include "calibration/ZOQDevice_Custom_Calibration_FlatField.h"
#include "calibration/ZOQDevice_Custom_Calibration_Map.h"
#include "colourroad/ZOQDevice_AWB_Measure.h"
#include "colourroad/ZOQDevice_AWB_Tables.h"
#include "colourroad/ZOQDevice_Image_HSL.h"
#include "colourroad/ZOQDevice_Image_Saturation.h"
#include "colourroad/ZOQDevice_Matrix.h"
#include "rawroad/ZOQDevice_AE_Control.h"
#include "rawroad/ZOQDevice_AF_Measure.h"
#include "rawroad/ZOQDevice_Image_Tone.h"
#include "zoq_errors.h"

namespace {
std::atomic<long> g_allocations{0};
}  // namespace

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size > 0 ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

constexpr int kW = 640;
constexpr int kH = 480;

struct Lines {
    int Get(unsigned int* lines) {
        *lines = 1000;
        return RC_SUCCESS;
    }
    int Set(unsigned int) { return RC_SUCCESS; }
};

// An identity calibration map file of the frame's size.
std::string MapFile() {
    std::vector<unsigned char> file;
    auto le = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) file.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    le(0x4D43, 2);
    le(0x0100, 2);
    le(kW, 4);
    le(kH, 4);
    le(0, 4);
    le(2 * kW * kH, 4);
    le(2 * kW * kH, 4);
    for (int array = 0; array < 4; ++array)
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) le(array == 0 ? x : array == 2 ? y : 300, 2);
    char path[] = "/tmp/zoq_allocation_map_XXXXXX";
    const int fd = mkstemp(path);
    FILE* out = fdopen(fd, "wb");
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
    return path;
}

struct Stages {
    ZoqBadPixels badPixels;
    ZoqToneTables tone;
    ZoqAutoExposure exposure;
    ZoqFlatField flatField;
    ZoqAutoFocus focus;
    ZoqGainTables gains;
    ZoqWhiteBalanceMeter meter;
    ZoqSaturation saturation;
    ZoqHueSaturation hsl;
    ZoqCalibrationMap map;
    std::vector<unsigned char> raw = std::vector<unsigned char>(kW * kH);
    std::vector<unsigned char> image = std::vector<unsigned char>(kW * kH * 3);

    Stages() {
        badPixels.enable = true;
        tone.SetGamma(2);
        tone.SetContrast(10);
        exposure.region = ZoqRegion{0, 0, kW, kH};
        exposure.maxCount = -1;
        exposure.Start(true);
        flatField.fov.columnSize = kW;
        flatField.fov.rowSize = kH;
        flatField.fov.multiFrameNum = 1;
        ZoqFovGeometry(&flatField.fov, false);
        std::vector<uint32_t> dark(kW * kH, 2), flat(kW * kH, 180);
        flatField.NewFrame(ZoqFlatField::kDark);
        flatField.SetFrameFromSums(ZoqFlatField::kDark, dark.data(), 1);
        flatField.NewFrame(ZoqFlatField::kFlat);
        flatField.SetFrameFromSums(ZoqFlatField::kFlat, flat.data(), 1);
        flatField.MakeGain();
        focus.region = ZoqRegion{0, 0, kW, kH};
        const float g[3] = {1.2f, 1.0f, 0.8f};
        gains.Build(g);
        saturation.Set(30);
        hsl.SetEnable(true);
        hsl.Set(ZOQ_HUE_MASTER, 30, 10, 10);
        const std::string path = MapFile();
        map.Load(path.c_str());
        std::remove(path.c_str());
        map.captureEnable = true;
        for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<unsigned char>(i * 13);
        for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<unsigned char>(i * 7);
    }

    void Frame() {
        badPixels.Correct(raw.data(), kW, kH);
        tone.Apply(raw.data(), raw.size());
        Lines lines;
        exposure.Start(true);
        exposure.Evaluate(raw.data(), kW, kH, lines);
        flatField.Apply(raw.data(), raw.size());
        focus.Measure(raw.data(), kW, kH);
        gains.Apply(image.data(), kW, kH, 24);
        float measured[3];
        const ZoqFittedRegion all{0, 0, kW, kH};
        meter.Measure(image.data(), kW, kH, 24, all, 0, true, measured);
        const float m[3][3] = {{1.1f, -0.1f, 0}, {0, 1, 0}, {0, -0.2f, 1.2f}};
        ZoqApplyColourMatrix(m, image.data(), kW, kH, 24);
        saturation.Apply(image.data(), kW, kH, 24);
        hsl.Apply(image.data(), kW, kH, 24);
        map.Remap(image.data(), kW, kH, 3);
    }
};

// Saturation and hue/saturation/lightness work without tables: switching
// them on and their first frame allocate nothing.
TEST(Stages, SaturationAndHueSaturationNeverAllocate) {
    Stages warm;  // TBB's threads started
    warm.Frame();
    const long before = g_allocations.load();
    ZoqSaturation saturation;
    saturation.Set(-20);
    ZoqHueSaturation hsl;
    hsl.SetEnable(true);
    hsl.Set(ZOQ_HUE_CYAN, -40, 20, 10);
    saturation.Apply(warm.image.data(), kW, kH, 24);
    hsl.Apply(warm.image.data(), kW, kH, 24);
    EXPECT_EQ(g_allocations.load() - before, 0);
}

TEST(Stages, ASecondFrameAllocatesNothing) {
    Stages stages;
    stages.Frame();
    const long before = g_allocations.load();
    stages.Frame();
    EXPECT_EQ(g_allocations.load() - before, 0);
}

}  // namespace
