// Frames: geometry from the registers, scene, levels, transfer and faults.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "Wire.h"

namespace zoqsim::test {
namespace {

void writeSensor(CameraModel& cam, uint16_t address, uint16_t value) { in(cam, 0xC3, address, value, 3); }
void writeFpga(CameraModel& cam, uint16_t reg, uint16_t value) { in(cam, 0x2B, reg, value, 3); }

uint8_t at(const Bytes& frame, uint32_t width, uint32_t x, uint32_t y) {
    return frame[size_t(y) * width + x];
}

// MT9P031 window in sensor terms.
void setMt9p031Window(CameraModel& cam, int column, int row, int width, int height) {
    writeSensor(cam, 0x02, uint16_t(column + 16));
    writeSensor(cam, 0x01, uint16_t(row + 54));
    writeSensor(cam, 0x04, uint16_t(width - 1));
    writeSensor(cam, 0x03, uint16_t(height - 1));
}

TEST(Frames, ReadWithoutTriggerWaits) {
    auto cam = camera(52);
    uint8_t buffer[16];
    EXPECT_FALSE(cam->bulkReady());
    EXPECT_EQ(cam->bulkIn(buffer, sizeof buffer), UsbFunction::kBulkNotReady);
    in(*cam, 0xC8, 0, 0, 1);
    EXPECT_TRUE(cam->bulkReady());
}

TEST(Frames, Mt9p031PowerOnFrameIsTheFullSensor) {
    auto cam = camera(52);
    const FrameGeometry g = cam->geometry();
    EXPECT_EQ(g.width, 2592u);
    EXPECT_EQ(g.height, 1944u);
    EXPECT_EQ(g.bytes(), 5038848u);
    const Bytes frame = capture(*cam);
    ASSERT_EQ(frame.size(), 5038848u);
    EXPECT_EQ(frame, cam->renderFrame());
    EXPECT_EQ(frame, cam->lastDeliveredFrame());
    EXPECT_EQ(cam->framesTriggered(), 1u);
    EXPECT_EQ(cam->framesDelivered(), 1u);
}

TEST(Frames, ExactFramesEndShortWhenTheReaderAsksForMore) {
    auto cam = camera(52);
    setMt9p031Window(*cam, 0, 0, 64, 32);
    EXPECT_EQ(capture(*cam, 100000).size(), 64u * 32u);
    // Read in pieces, the frame continues where the last read stopped.
    in(*cam, 0xC8, 0, 0, 1);
    Bytes first = readFrame(*cam, 1000), rest = readFrame(*cam, 64 * 32);
    first.insert(first.end(), rest.begin(), rest.end());
    EXPECT_EQ(first, cam->renderFrame());
    EXPECT_EQ(cam->framesDelivered(), 2u);
}

// On the MT9P031 the row time, and with it the exposure, follows the width
// and the skip mode; 16-bit frames compare the scene across such a change.
struct Mt9p031Frame {
    std::vector<uint16_t> samples;
    double exposureMs;
};

Mt9p031Frame capture16(CameraModel& cam) {
    in(cam, 0xCE, 0x0010, 0, 1);
    return {words(capture(cam)), cam.exposureMs()};
}

// A clipped reference sample (hot pixels too) says nothing about the level.
void expectSample(const Mt9p031Frame& frame, std::size_t i, const Mt9p031Frame& reference, std::size_t j) {
    if (reference.samples[j] == 65535) return;
    const double ratio = frame.exposureMs / reference.exposureMs;
    ASSERT_NEAR(frame.samples[i], std::min(65535.0, reference.samples[j] * ratio), ratio / 2 + 1) << i;
}

TEST(Frames, WindowCropsTheSceneWithThePatternAtItsTopLeft) {
    auto cam = camera(52);
    const Mt9p031Frame full = capture16(*cam);
    setMt9p031Window(*cam, 100, 50, 640, 480);
    const FrameGeometry g = cam->geometry();
    EXPECT_EQ(g.columnStart, 100);
    EXPECT_EQ(g.rowStart, 50);
    ASSERT_EQ(g.width, 640u);
    ASSERT_EQ(g.height, 480u);
    const Mt9p031Frame crop = capture16(*cam);
    ASSERT_EQ(crop.samples.size(), 640u * 480u);
    for (uint32_t y = 0; y < 480; ++y)
        for (uint32_t x = 0; x < 640; ++x) expectSample(crop, y * 640 + x, full, (y + 50) * 2592 + x + 100);
}

TEST(Frames, SkippingSamplesEveryNthPixel) {
    auto cam = camera(52);
    const Mt9p031Frame full = capture16(*cam);
    writeSensor(*cam, 0x22, 0x11);
    writeSensor(*cam, 0x23, 0x11);
    const FrameGeometry g = cam->geometry();
    EXPECT_EQ(g.columnStep, 2u);
    ASSERT_EQ(g.width, 1296u);
    ASSERT_EQ(g.height, 972u);
    const Mt9p031Frame skipped = capture16(*cam);
    ASSERT_EQ(skipped.samples.size(), 1296u * 972u);
    // Sites of the same colour in both frames: even positions.
    for (uint32_t y = 0; y < 972; y += 2)
        for (uint32_t x = 0; x < 1296; x += 2)
            expectSample(skipped, y * 1296 + x, full, 2 * y * 2592 + 2 * x);
    writeSensor(*cam, 0x22, 0x07);
    writeSensor(*cam, 0x23, 0x07);
    EXPECT_EQ(cam->geometry().width, 324u);
}

TEST(Frames, MultiFrameStacksFramesVertically) {
    auto cam = camera(52);
    setMt9p031Window(*cam, 0, 0, 256, 128);
    const Bytes single = capture(*cam);
    writeFpga(*cam, 8, 3);
    const Bytes stacked = capture(*cam);
    ASSERT_EQ(stacked.size(), 3 * single.size());
    for (int f = 0; f < 3; ++f)
        EXPECT_TRUE(std::equal(single.begin(), single.end(), stacked.begin() + f * single.size()));
}

TEST(Frames, SixteenBitTransferSendsTwoBytesPerSampleLittleEndian) {
    auto cam = camera(104);
    const Bytes eight = capture(*cam);
    in(*cam, 0xCE, 0x0010, 0, 1);
    EXPECT_EQ(cam->geometry().bytesPerSample, 2u);
    const std::vector<uint16_t> sixteen = words(capture(*cam));
    ASSERT_EQ(sixteen.size(), eight.size());
    for (std::size_t i = 0; i < eight.size(); i += 997)
        ASSERT_EQ(eight[i], (sixteen[i] * 255 + 32767) / 65535) << i;
}

TEST(Frames, Imx250WindowFollowsItsRegisters) {
    auto cam = camera(104);
    EXPECT_EQ(cam->geometry().width, 2464u);
    EXPECT_EQ(cam->geometry().height, 2056u);
    const Bytes full = cam->renderFrame();
    const uint16_t window[] = {200, 100, 1024, 768};  // column start, row start, columns, rows
    for (int i = 0; i < 4; ++i) {
        writeSensor(*cam, uint16_t(1296 + 2 * i), window[i] & 0xFF);
        writeSensor(*cam, uint16_t(1297 + 2 * i), window[i] >> 8);
    }
    const Bytes crop = capture(*cam);
    ASSERT_EQ(crop.size(), 1024u * 768u);
    for (uint32_t y = 0; y < 768; y += 7)
        for (uint32_t x = 0; x < 1024; x += 5)
            ASSERT_EQ(at(crop, 1024, x, y), at(full, 2464, x + 200, y + 100));
}

// Exposure and gain scale every pixel until it clips at full scale.
void expectScaled(const std::vector<uint16_t>& before, const std::vector<uint16_t>& after, double ratio) {
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        const double expected = std::min(65535.0, before[i] * ratio);
        ASSERT_NEAR(after[i], expected, ratio / 2 + 1) << i;
    }
}

TEST(Frames, LevelDoublesWithExposureUntilWhiteClips) {
    auto cam = camera(52);
    in(*cam, 0xCE, 0x0010, 0, 1);
    setMt9p031Window(*cam, 0, 0, 2592, 1944);
    const double e1 = cam->exposureMs();
    const std::vector<uint16_t> v1 = words(capture(*cam));
    writeSensor(*cam, 0x09, 2 * 249);
    const double e2 = cam->exposureMs();
    EXPECT_NEAR(e2 / e1, 2.0, 0.01);
    const std::vector<uint16_t> v2 = words(capture(*cam));
    expectScaled(v1, v2, e2 / e1);
    // Long enough, the brightest chart patch clips at 255 in 8-bit frames.
    in(*cam, 0xCE, 0, 0, 1);
    writeSensor(*cam, 0x09, 8 * 249);
    const Bytes bright = capture(*cam);
    EXPECT_EQ(*std::max_element(bright.begin(), bright.end()), 255);
    EXPECT_GT(std::count(bright.begin(), bright.end(), 255), 100000);
}

TEST(Frames, GainRaisesTheLevelPerColourSite) {
    auto cam = camera(104);  // RGGB
    in(*cam, 0xCE, 0x0010, 0, 1);
    const std::vector<uint16_t> v1 = words(capture(*cam));
    writeSensor(*cam, 1028, 60);  // 6 dB
    EXPECT_NEAR(cam->gains().r, 1.9953, 1e-3);
    expectScaled(v1, words(capture(*cam)), std::pow(10.0, 0.3));

    auto mt = camera(52, {});
    CameraConfig config;
    config.fpgaVersion = 0x0502;  // RGGB on this FPGA
    mt = makeCamera(config);
    in(*mt, 0xCE, 0x0010, 0, 1);
    setMt9p031Window(*mt, 0, 0, 512, 256);
    const std::vector<uint16_t> base = words(capture(*mt));
    writeSensor(*mt, 0x2D, 16);  // red only, 2x
    const std::vector<uint16_t> red = words(capture(*mt));
    for (std::size_t i = 0; i < base.size(); ++i) {
        const bool redSite = (i % 512) % 2 == 0 && (i / 512) % 2 == 0;
        ASSERT_NEAR(red[i], std::min(65535.0, base[i] * (redSite ? 2.0 : 1.0)), 2) << i;
    }
}

// A red chart patch: its brightest site shows where red sits in the pattern.
int redSite(CameraModel& cam) {
    const FrameGeometry g = cam.geometry();
    const Bytes frame = cam.renderFrame();
    const uint32_t x = uint32_t(g.width * (0.05 + 0.9 * 2.5 / 6)) & ~1u;
    const uint32_t y = uint32_t(g.height * (0.05 + 0.53 * 2.5 / 4)) & ~1u;
    int best = 0;
    for (int site = 1; site < 4; ++site)
        if (at(frame, g.width, x + site % 2, y + site / 2) > at(frame, g.width, x + best % 2, y + best / 2))
            best = site;
    return best;
}

TEST(Frames, MosaicFollowsTheModelsDefaultBayerMode) {
    // Red at the top-left site index of each mode: BGGR 3, GRBG 1, RGGB 0, GBRG 2.
    const int redAt[4] = {3, 1, 0, 2};
    struct Case {
        int type;
        int fpga;
        int mode;
    };
    for (const Case c : {Case{52, -1, 1}, Case{52, 0x0502, 2}, Case{104, -1, 2}, Case{58, -1, 0},
                         Case{36, 0x0100, 3}, Case{62, -1, 1}}) {
        CameraConfig config;
        config.deviceType = c.type;
        config.fpgaVersion = c.fpga;
        auto cam = makeCamera(config);
        ASSERT_TRUE(cam);
        EXPECT_EQ(cam->facts().bayerPattern, c.mode) << c.type;
        EXPECT_EQ(redSite(*cam), redAt[c.mode]) << c.type;
    }
}

TEST(Frames, MonoModelsSeePlainGray) {
    auto cam = camera(53);
    ASSERT_TRUE(cam->facts().mono);
    const Bytes frame = cam->renderFrame();
    const uint32_t x = uint32_t(2592 * (0.05 + 0.9 * 2.5 / 6)) & ~1u;
    const uint32_t y = uint32_t(1944 * (0.05 + 0.53 * 2.5 / 4)) & ~1u;
    EXPECT_EQ(at(frame, 2592, x, y), at(frame, 2592, x + 1, y));
    EXPECT_EQ(at(frame, 2592, x, y), at(frame, 2592, x, y + 1));
    EXPECT_EQ(at(frame, 2592, x, y), at(frame, 2592, x + 1, y + 1));
}

TEST(Frames, MirrorReversesEachRow) {
    auto cam = camera(53);
    setMt9p031Window(*cam, 300, 1400, 800, 200);
    const Bytes plain = capture(*cam);
    writeSensor(*cam, 0x20, 0x4040);
    EXPECT_TRUE(cam->geometry().mirror);
    const Bytes mirrored = capture(*cam);
    for (uint32_t y = 0; y < 200; y += 3)
        for (uint32_t x = 0; x < 800; ++x) ASSERT_EQ(at(mirrored, 800, x, y), at(plain, 800, 799 - x, y));
}

TEST(Frames, OtherChipsSendWhatTheFirstReadAsks) {
    auto cam = camera(36);
    EXPECT_FALSE(cam->facts().frameFollowsRegisters);
    EXPECT_EQ(capture(*cam, 1000).size(), 1000u);
    const Bytes frame = capture(*cam, cam->geometry().bytes());
    EXPECT_EQ(frame.size(), 752u * 480u);
    EXPECT_EQ(frame, cam->renderFrame());
    // A longer read still gets scene rows, not padding.
    const Bytes longer = capture(*cam, 752u * 500u);
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), longer.begin()));
}

TEST(Frames, LookUpTableMapsEightBitFramesWhenSwitchedOn) {
    auto cam = camera(52);
    setMt9p031Window(*cam, 0, 0, 128, 64);
    for (int offset = 0; offset < 4096; offset += 64) out(*cam, 0xDD, uint16_t(offset), 0, Bytes(64, 77));
    EXPECT_NE(capture(*cam), Bytes(128 * 64, 77));  // stored, not applied
    in(*cam, 0xCE, 0x0800, 0, 1);
    EXPECT_EQ(capture(*cam), Bytes(128 * 64, 77));
    // A new download counts from the next frame on.
    for (int offset = 0; offset < 4096; offset += 64) out(*cam, 0xDD, uint16_t(offset), 0, Bytes(64, 5));
    EXPECT_EQ(capture(*cam), Bytes(128 * 64, 5));
}

TEST(Frames, NoiseIsSeededAndCycles) {
    SceneOptions noisy;
    noisy.noise = 3.0;
    noisy.seed = 42;
    auto a = camera(104, noisy), b = camera(104, noisy), clean = camera(104);
    const Bytes a1 = capture(*a), a2 = capture(*a), b1 = capture(*b), reference = capture(*clean);
    EXPECT_EQ(a1, b1);
    EXPECT_NE(a1, a2);
    double sum = 0.0, squares = 0.0;
    for (std::size_t i = 0; i < a1.size(); ++i) {
        const double d = double(a1[i]) - reference[i];
        sum += d;
        squares += d * d;
    }
    EXPECT_NEAR(sum / a1.size(), 0.0, 0.2);
    EXPECT_GT(std::sqrt(squares / a1.size()), 2.0);
}

// Sum of squared differences of same-colour neighbours: high for sharp frames.
double sharpness(const Bytes& frame, uint32_t width) {
    double s = 0.0;
    for (std::size_t i = 2; i < frame.size(); ++i)
        if (i % width >= 2) s += std::pow(double(frame[i]) - frame[i - 2], 2);
    return s;
}

TEST(Frames, BlurLowersSharpness) {
    SceneOptions soft;
    soft.blur = 4.0;
    auto sharp = camera(104), blurred = camera(104, soft);
    EXPECT_LT(sharpness(blurred->renderFrame(), 2464), 0.5 * sharpness(sharp->renderFrame(), 2464));
}

TEST(Frames, VignettingDarkensTheCorners) {
    SceneOptions vignette;
    vignette.vignetting = 0.3;
    auto flat = camera(104), shaded = camera(104, vignette);
    in(*flat, 0xCE, 0x0010, 0, 1);
    in(*shaded, 0xCE, 0x0010, 0, 1);
    const std::vector<uint16_t> a = words(capture(*flat)), b = words(capture(*shaded));
    const std::size_t corner = 2 * 2464 + 2, centre = 1028u * 2464 + 1232;
    EXPECT_NEAR(double(b[corner]) / a[corner], 0.7, 0.01);
    EXPECT_NEAR(double(b[centre]) / a[centre], 1.0, 0.01);
}

TEST(Frames, FaultsTruncateOrEmptyTheNextFrames) {
    auto cam = camera(52);
    setMt9p031Window(*cam, 0, 0, 100, 100);
    cam->shortFrames(1000, 2);
    EXPECT_EQ(capture(*cam).size(), 1000u);
    EXPECT_EQ(capture(*cam).size(), 1000u);
    EXPECT_EQ(capture(*cam).size(), 10000u);
    cam->shortFrames(0);
    in(*cam, 0xC8, 0, 0, 1);
    uint8_t buffer[10000];
    EXPECT_EQ(cam->bulkIn(buffer, sizeof buffer), 0);
    EXPECT_FALSE(cam->bulkReady());
    EXPECT_EQ(cam->framesDelivered(), 4u);
}

TEST(Frames, FaultsCanStartAtALaterFrame) {
    auto cam = camera(52);
    setMt9p031Window(*cam, 0, 0, 100, 100);
    cam->shortFrames(1000, 1, 2);
    EXPECT_EQ(capture(*cam).size(), 10000u);
    EXPECT_EQ(capture(*cam).size(), 10000u);
    EXPECT_EQ(capture(*cam).size(), 1000u);
    EXPECT_EQ(capture(*cam).size(), 10000u);
    // The second trigger is taken but brings no frame: the read waits.
    cam->loseFrames(1, 1);
    EXPECT_EQ(capture(*cam).size(), 10000u);
    in(*cam, 0xC8, 0, 0, 1);
    EXPECT_FALSE(cam->bulkReady());
    EXPECT_EQ(capture(*cam).size(), 10000u);
    EXPECT_EQ(cam->framesTriggered(), 7u);
}

TEST(Frames, MotionPansTheSceneButNotTheSensor) {
    SceneOptions moving;
    moving.motion = 2.0;
    auto still = camera(53), panning = camera(53, moving);
    for (CameraModel* cam : {still.get(), panning.get()}) setMt9p031Window(*cam, 0, 0, 2592, 480);
    const Bytes reference = capture(*still);
    EXPECT_EQ(capture(*panning), reference);  // the first frame has not moved yet
    const Bytes moved = capture(*panning);
    EXPECT_NE(moved, reference);
    // Two columns to the right across a row of the colour chart.
    const uint32_t y = 400;
    for (uint32_t x = 200; x < 2400; ++x)
        ASSERT_EQ(at(moved, 2592, x, y), at(reference, 2592, x - 2, y)) << x;
    // After 32 frames one way it comes back the same way.
    for (int i = 2; i < 64; ++i) capture(*panning);
    EXPECT_EQ(capture(*panning), reference);
}

TEST(Frames, TriggersAreRefusedWhenTheFrameBufferCannotTakeThem) {
    auto cam = camera(52);
    for (int i = 0; i < CameraModel::kFrameQueueDepth; ++i) EXPECT_EQ(in(*cam, 0xC8, 0, 0, 1), (Bytes{0}));
    EXPECT_EQ(in(*cam, 0xC8, 0, 0, 1), (Bytes{1}));
    in(*cam, 0xDB, 0, 0, 1);
    // 2592 x 1944 x 2 bytes x 2 frames is beyond 16 MiB.
    in(*cam, 0xCE, 0x0010, 0, 1);
    writeFpga(*cam, 8, 2);
    EXPECT_EQ(in(*cam, 0xC8, 0, 0, 1), (Bytes{1}));
    EXPECT_EQ(cam->framesTriggered(), uint64_t(CameraModel::kFrameQueueDepth));
}

TEST(Frames, FrameReflectsTheRegistersAtItsTrigger) {
    auto cam = camera(52);
    setMt9p031Window(*cam, 0, 0, 64, 64);
    in(*cam, 0xC8, 0, 0, 1);
    const Bytes expected = cam->renderFrame();
    writeSensor(*cam, 0x09, 20);
    EXPECT_EQ(readFrame(*cam, 64 * 64), expected);
    EXPECT_NE(cam->renderFrame(), expected);
}

}  // namespace
}  // namespace zoqsim::test

namespace zoqsim::test {
namespace {

// A test thread changes the exposure while the front end's thread reads
// frames: every frame is whole and belongs to one of the two settings.
TEST(Frames, ObserversAndTheFrontEndShareTheCameraSafely) {
    auto cam = camera(52);
    setMt9p031Window(*cam, 0, 800, 64, 64);
    const Bytes dark = cam->renderFrame();
    cam->setSensorRegister(0x09, 400);
    const Bytes bright = cam->renderFrame();
    ASSERT_NE(dark, bright);
    std::atomic<bool> done{false};
    std::thread observer([&] {
        for (int i = 0; !done; ++i) {
            cam->setSensorRegister(0x09, i % 2 ? 249 : 400);
            (void)cam->renderFrame();
            (void)cam->fpgaRegister(128);
        }
    });
    int frames = 0;
    for (; frames < 300; ++frames) {
        const Bytes frame = capture(*cam, 64 * 64);
        if (frame != dark && frame != bright) break;
    }
    done = true;
    observer.join();
    EXPECT_EQ(frames, 300);
}

}  // namespace
}  // namespace zoqsim::test
