// Per-model facts, power-on state and the FPGA version registers.
#include <gtest/gtest.h>

#include <set>

#include "UsbIds.h"
#include "Wire.h"

namespace zoqsim::test {
namespace {

struct Expected {
    int type;
    Variant variant;
    const char* chip;
    bool mono;
    int bayer;
    int eepromType;
    uint32_t width;
    uint32_t height;
};

// The plug-in table with the versions each model defaults to.
constexpr Expected kModels[] = {
    {3, Variant::kDefault, "MT9T001", false, 2, 0, 2048, 1536},
    {36, Variant::kDefault, "MT9V034", false, 0, 2, 752, 480},
    {52, Variant::kDefault, "MT9P031", false, 1, 1, 2592, 1944},
    {53, Variant::kDefault, "MT9P031", true, 2, 1, 2592, 1944},
    {58, Variant::kDefault, "EV76C560", false, 0, 1, 1280, 1024},
    {59, Variant::kDefault, "EV76C560", true, 2, 1, 1280, 1024},
    {61, Variant::kDefault, "MT9V034", true, 2, 0, 752, 480},
    {62, Variant::kDefault, "MT9M031", false, 1, 1, 1280, 960},
    {63, Variant::kDefault, "MT9M031", true, 2, 1, 1280, 960},
    {67, Variant::kDefault, "MT9M001", true, 2, 2, 1280, 1024},
    {86, Variant::kDefault, "IMX174", false, 2, 1, 1936, 1216},
    {87, Variant::kDefault, "IMX174", true, 2, 1, 1936, 1216},
    {88, Variant::kDefault, "IMX178", false, 2, 1, 3096, 2080},
    {89, Variant::kDefault, "IMX178", true, 2, 1, 3096, 2080},
    {92, Variant::kDefault, "IMX249", false, 2, 1, 1936, 1216},
    {93, Variant::kDefault, "IMX249", true, 2, 1, 1936, 1216},
    {95, Variant::kDefault, "IMX264", true, 2, 1, 2464, 2056},
    {104, Variant::kDefault, "IMX250", false, 2, 1, 2464, 2056},
    {106, Variant::kDefault, "IMX174", false, 2, 1, 1936, 1216},
    {107, Variant::kDefault, "IMX174", true, 2, 1, 1936, 1216},
    {111, Variant::kDefault, "ISG4006A", false, 2, 1, 2048, 2048},
    {114, Variant::kDefault, "IMX287", true, 2, 1, 728, 544},
    {115, Variant::kDefault, "IMX290", false, 2, 1, 1944, 1096},
    {115, Variant::kIsg1307, "ISG1307", true, 0, 1, 1280, 1024},
    {120, Variant::kDefault, "IMX265", true, 2, 1, 2064, 1544},
};

std::unique_ptr<CameraModel> build(const Expected& e) {
    CameraConfig config;
    config.deviceType = e.type;
    config.variant = e.variant;
    return makeCamera(config);
}

TEST(Models, EveryPlugInTypeHasAModelWithItsFacts) {
    std::set<std::pair<int, int>> ids;
    for (const Expected& e : kModels) {
        SCOPED_TRACE(e.chip);
        auto cam = build(e);
        ASSERT_TRUE(cam) << e.type;
        const ModelFacts f = cam->facts();
        EXPECT_EQ(f.deviceType, e.type);
        EXPECT_STREQ(f.chip, e.chip);
        EXPECT_EQ(f.mono, e.mono);
        EXPECT_EQ(f.bayerPattern, e.bayer);
        EXPECT_EQ(f.eepromType, e.eepromType);
        EXPECT_EQ(f.eepromBytes, e.eepromType == 0 ? 8192u : e.eepromType == 1 ? 262144u : 16384u);
        EXPECT_EQ(f.sensorWidth, e.width);
        EXPECT_EQ(f.sensorHeight, e.height);
        EXPECT_TRUE(isCameraUsbId(cam->config().idVendor, cam->config().idProduct));
        ids.insert({cam->config().idVendor, cam->config().idProduct});
        EXPECT_EQ(in(*cam, 0xC9, 0, 0, 5)->at(1), uint8_t(e.type));
    }
    EXPECT_EQ(ids.size(), std::size(kModels));
    EXPECT_EQ(supportedDeviceTypes(),
              (std::vector<int>{3,  36, 52, 53, 58, 59,  61,  62,  63,  67,  86,  87,
                                88, 89, 92, 93, 95, 104, 106, 107, 111, 114, 115, 120}));
}

// What a plug-in finds when it reads the camera after power-on.
TEST(Models, PowerOnRegistersDescribeTheFullSensorAndASensibleExposure) {
    for (const Expected& e : kModels) {
        SCOPED_TRACE(e.chip);
        auto cam = build(e);
        const FrameGeometry g = cam->geometry();
        EXPECT_EQ(g.columnStart, 0);
        EXPECT_EQ(g.rowStart, 0);
        EXPECT_EQ(g.width, e.width);
        EXPECT_EQ(g.height, e.height);
        EXPECT_EQ(g.frames, 1u);
        EXPECT_EQ(g.bytesPerSample, 1u);
        // 10 ms, except on the type 36 firmware whose sensor clock is 48 MHz
        // instead of the 27 MHz the power-on shutter was set for.
        const double expectedMs = cam->facts().pixelClockMHz == 48.0 && e.type == 36 ? 10.0 * 27 / 48 : 10.0;
        EXPECT_NEAR(cam->exposureMs(), expectedMs, 0.05);
        const SiteGains gains = cam->gains();
        EXPECT_DOUBLE_EQ(gains.r, 1.0);
        EXPECT_DOUBLE_EQ(gains.gr, 1.0);
        EXPECT_DOUBLE_EQ(gains.gb, 1.0);
        EXPECT_DOUBLE_EQ(gains.b, 1.0);
        EXPECT_EQ(cam->fpgaRegister(8), 1);
        for (unsigned reg : {16u, 17u, 18u, 19u, 23u, 27u}) EXPECT_EQ(cam->fpgaRegister(reg), 4096) << reg;
        for (unsigned reg : {0u, 3u, 9u, 20u, 28u}) EXPECT_EQ(cam->fpgaRegister(reg), 0) << reg;
    }
}

TEST(Models, ChipRegistersAtPowerOn) {
    auto mt = camera(52);
    const std::pair<uint16_t, uint16_t> mt9p031[] = {{0x01, 54}, {0x02, 16}, {0x03, 1943}, {0x04, 2591},
                                                     {0x22, 0},  {0x23, 0},  {0x35, 8},    {0x2D, 8}};
    for (const auto& [address, value] : mt9p031)
        EXPECT_EQ(in(*mt, 0xC2, address, 0, 3), (Bytes{0, uint8_t(value >> 8), uint8_t(value)}));

    auto imx = camera(104);
    const uint8_t window[] = {0, 0, 0, 0, 0xA0, 0x09, 0x08, 0x08};  // 0, 0, 2464, 2056
    for (int i = 0; i < 8; ++i) EXPECT_EQ(imx->sensorRegister(1296 + i), window[i]) << i;
    const auto wide = [&](unsigned first, int bytes) {
        uint32_t v = 0;
        for (int i = bytes - 1; i >= 0; --i) v = v << 8 | imx->sensorRegister(first + i);
        return v;
    };
    const uint32_t vmax = wide(528, 3), shs = wide(653, 3), svs = wide(656, 2);
    EXPECT_EQ(vmax, 2056u + 38u);
    EXPECT_EQ(wide(532, 2), 2464u / 4 + 16);
    EXPECT_EQ(vmax * (svs + 1) - shs, 1566u);
}

// The version as the SDK decodes it from registers 128 and 241.
uint16_t decodeVersion(CameraModel& cam) {
    const Bytes r128 = *in(cam, 0x2A, 0x80, 0, 3);
    const uint8_t high = r128[1];
    if ((high & 0xE0) == 0xE0) {
        const Bytes r241 = *in(cam, 0x2A, 0xF1, 0, 3);
        return uint16_t(r241[1] << 8 | r241[2]);
    }
    return uint16_t((high >> 5) << 8 | ((high >> 2) & 7));
}

TEST(Models, FpgaVersionUsesRegister241OnlyWhenRegister128CannotHoldIt) {
    for (int version : {0x0000, 0x0100, 0x0502, 0x0605, 0x0607, 0x0608, 0x0700, 0x0800, 0x0901, 0x0A03}) {
        CameraConfig config;
        config.fpgaVersion = version;
        auto cam = makeCamera(config);
        const bool extended = (version >> 8) >= 7 || (version & 0xFF) >= 8;
        EXPECT_EQ(cam->fpgaRegister(128) >= 0xE000, extended) << version;
        EXPECT_EQ(cam->fpgaRegister(241), extended ? version : 0) << version;
        EXPECT_EQ(decodeVersion(*cam), version);
    }
    CameraConfig config;
    config.fpgaVersion = 0x0503;
    EXPECT_EQ(makeCamera(config)->fpgaRegister(128), 0xAC00);
}

TEST(Models, TriggerStatusBitsOfRegister128) {
    auto cam = camera(52);
    EXPECT_EQ(cam->fpgaRegister(128) & 0x0C, 0);
    in(*cam, 0xC8, 0, 0, 1);
    EXPECT_EQ(in(*cam, 0x2A, 0x80, 0, 3)->at(2) & 0x0C, 0x04);
    in(*cam, 0xDB, 0, 0, 1);
    cam->setFpgaRegister(128, 0x08);
    EXPECT_EQ(cam->fpgaRegister(128), 0xE008);
}

TEST(Models, VersionsChangeTheModelsTraits) {
    CameraConfig config;
    config.deviceType = 3;
    config.firmwareVersion = 0x0105;
    EXPECT_EQ(makeCamera(config)->facts().bayerPattern, 1);
    config.firmwareVersion = 0x0206;
    EXPECT_EQ(makeCamera(config)->facts().bayerPattern, 2);
    config.deviceType = 36;
    config.firmwareVersion = 0x0400;
    EXPECT_EQ(makeCamera(config)->facts().eepromBytes, 8192u);
    config.firmwareVersion = 0x0501;
    EXPECT_EQ(makeCamera(config)->facts().eepromBytes, 16384u);
    config.deviceType = 62;
    config.firmwareVersion = -1;
    config.fpgaVersion = 0x0601;
    EXPECT_EQ(makeCamera(config)->facts().bayerPattern, 2);
    config.fpgaVersion = 0x0602;
    EXPECT_EQ(makeCamera(config)->facts().bayerPattern, 1);
}

TEST(Models, SpecsTheSdkWouldNotMeetAreRefused) {
    CameraConfig config;
    config.deviceType = 54;
    EXPECT_FALSE(makeCamera(config));
    config.deviceType = 52;
    config.variant = Variant::kIsg1307;
    EXPECT_FALSE(makeCamera(config));
    config.variant = Variant::kDefault;
    config.idVendor = 0x0916;
    config.idProduct = 0x0555;
    EXPECT_FALSE(makeCamera(config));
    config.idProduct = 0x0552;
    EXPECT_TRUE(makeCamera(config));
    config.idVendor = 0x04B4;
    config.idProduct = 0x8613;
    EXPECT_TRUE(makeCamera(config));
    config.firmwareVersion = 0x10000;
    EXPECT_FALSE(makeCamera(config));
    config.firmwareVersion = -1;
    config.scene.fullScaleMs = 0.0;
    EXPECT_FALSE(makeCamera(config));
}

TEST(Models, Isg1307TakesItsColumnsFromTheFpga) {
    CameraConfig config;
    config.deviceType = 115;
    config.variant = Variant::kIsg1307;
    auto cam = makeCamera(config);
    in(*cam, 0x2B, 43, 100, 3);
    in(*cam, 0x2B, 1, 640, 3);
    const FrameGeometry g = cam->geometry();
    EXPECT_EQ(g.columnStart, 100);
    EXPECT_EQ(g.width, 640u);
    EXPECT_EQ(g.height, 1024u);
}

}  // namespace
}  // namespace zoqsim::test
