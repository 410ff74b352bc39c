/* Every built plug-in, loaded the way the main library loads it, on the
 * simulated camera of its device type (the chip's power-on registers and
 * its own reading of them): identification, window and gain ranges of the
 * plug-in table, and agreement with the camera on image size, window,
 * exposure time, gain and flip. */
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "CameraModel.h"
#include "FakeZOQDevice.h"

namespace {

typedef int (*DeleteFn)(IZOQCam**);
typedef int (*GetTypeFn)(int*, char*);
const char* kGetTypeSymbol = ZOQCAM_GETTYPE_SYMBOL;

struct PluginCase {
    const char* file;
    int type;
    zoqsim::Variant variant;
    int firmware;  // -1: the simulated camera's default
    unsigned minColumns, maxColumns, minRows, maxRows;
    unsigned minGain, maxGain;
};

void PrintTo(const PluginCase& c, std::ostream* os) { *os << c.file; }

using zoqsim::Variant;
// The plug-in table. Type 36 runs at 48 MHz with firmware 6.x (its default
// here) and at 27 MHz otherwise: both are checked.
const PluginCase kPlugins[] = {
    {"libzoqcam_3.so", 3, Variant::kDefault, -1, 1, 2048, 1, 1536, 0, 160},
    {"libzoqcam_36.so", 36, Variant::kDefault, -1, 1, 752, 1, 480, 0, 48},
    {"libzoqcam_36.so", 36, Variant::kDefault, 0x0500, 1, 752, 1, 480, 0, 48},
    {"libzoqcam_52.so", 52, Variant::kDefault, -1, 1, 2592, 1, 1944, 0, 153},
    {"libzoqcam_53.so", 53, Variant::kDefault, -1, 1, 2592, 1, 1944, 0, 153},
    {"libzoqcam_58.so", 58, Variant::kDefault, -1, 16, 1280, 1, 1024, 0, 255},
    {"libzoqcam_59.so", 59, Variant::kDefault, -1, 16, 1280, 1, 1024, 0, 255},
    {"libzoqcam_61.so", 61, Variant::kDefault, -1, 1, 752, 1, 480, 0, 48},
    {"libzoqcam_62.so", 62, Variant::kDefault, -1, 1, 1280, 1, 960, 1, 255},
    {"libzoqcam_63.so", 63, Variant::kDefault, -1, 1, 1280, 1, 960, 1, 255},
    {"libzoqcam_67.so", 67, Variant::kDefault, -1, 1, 1280, 1, 1024, 0, 47},
    {"libzoqcam_86.so", 86, Variant::kDefault, -1, 96, 1936, 2, 1216, 0, 480},
    {"libzoqcam_87.so", 87, Variant::kDefault, -1, 96, 1936, 2, 1216, 0, 480},
    {"libzoqcam_88.so", 88, Variant::kDefault, -1, 640, 3096, 480, 2080, 0, 480},
    {"libzoqcam_89.so", 89, Variant::kDefault, -1, 640, 3096, 480, 2080, 0, 480},
    {"libzoqcam_92.so", 92, Variant::kDefault, -1, 96, 1936, 2, 1216, 0, 480},
    {"libzoqcam_93.so", 93, Variant::kDefault, -1, 96, 1936, 2, 1216, 0, 480},
    {"libzoqcam_95.so", 95, Variant::kDefault, -1, 4, 2464, 4, 2056, 0, 480},
    {"libzoqcam_104.so", 104, Variant::kDefault, -1, 4, 2464, 4, 2056, 0, 480},
    {"libzoqcam_106.so", 106, Variant::kDefault, -1, 96, 1936, 2, 1216, 0, 480},
    {"libzoqcam_107.so", 107, Variant::kDefault, -1, 96, 1936, 2, 1216, 0, 480},
    {"libzoqcam_111.so", 111, Variant::kDefault, -1, 2048, 2048, 1, 2048, 0, 15},
    {"libzoqcam_114.so", 114, Variant::kDefault, -1, 260, 728, 4, 544, 0, 480},
    {"libzoqcam_115.so", 115, Variant::kDefault, -1, 368, 1944, 304, 1096, 0, 210},
    {"libzoqcam_115_isg1307.so", 115, Variant::kIsg1307, -1, 160, 1280, 1, 1024, 0, 31},
    {"libzoqcam_120.so", 120, Variant::kDefault, -1, 260, 2064, 4, 1544, 0, 480},
};

// The device object's services carried out on the simulated camera's
// register files, as its vendor requests would.
class SimulatedDevice : public IZOQDevice {
public:
    explicit SimulatedDevice(zoqsim::CameraModel& camera) : m_Camera(camera) {}
    int VendorCmd_GetDeviceInformation(unsigned short* type, int* serial, unsigned short* firmware) override {
        *type = static_cast<unsigned short>(m_Camera.config().deviceType);
        *serial = m_Camera.config().serial;
        *firmware = static_cast<unsigned short>(m_Camera.config().firmwareVersion);
        return 0;
    }
    int WrSensor(unsigned int address, unsigned int value) override {
        m_Camera.setSensorRegister(address, static_cast<uint16_t>(value));
        return 0;
    }
    int RdSensor(unsigned int address, unsigned int* value) override {
        *value = m_Camera.sensorRegister(address);
        return 0;
    }
    int WrFpga(unsigned int address, unsigned int value) override {
        m_Camera.setFpgaRegister(address, static_cast<uint16_t>(value));
        return 0;
    }
    int RdFpga(unsigned int address, unsigned int* value) override {
        *value = m_Camera.fpgaRegister(FakeZOQDevice::RegisterOfReadAddress(address));
        return 0;
    }
    int SetWorkingMode(unsigned short mode) override { return WrFpga(0, mode); }
    int GetWorkingMode(unsigned short* mode) override {
        *mode = m_Camera.fpgaRegister(0);
        return 0;
    }
    int SetTriggerDelay(unsigned short delay) override { return WrFpga(3, delay); }
    int GetTriggerDelay(unsigned short* delay) override {
        *delay = m_Camera.fpgaRegister(3);
        return 0;
    }
    int DownloadLUT(unsigned short, unsigned char*, int) override { return 0; }
    int DownloadGammaLUT(unsigned short, unsigned short*, int) override { return 0; }

private:
    zoqsim::CameraModel& m_Camera;
};

class PluginTest : public ::testing::TestWithParam<PluginCase> {
protected:
    void SetUp() override {
        std::string path = std::string(ZOQCAM_TEST_PLUGIN_DIR) + "/" + GetParam().file;
        m_pHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_pHandle, nullptr) << dlerror();
    }
    void TearDown() override {
        if (m_Camera) reinterpret_cast<DeleteFn>(dlsym(m_pHandle, "ZOQCAM_Delete"))(&m_Camera);
        if (m_pHandle) dlclose(m_pHandle);
    }
    // The plug-in's camera object on the device type's simulated camera.
    IZOQCam& Create() {
        zoqsim::CameraConfig config;
        config.deviceType = GetParam().type;
        config.variant = GetParam().variant;
        config.firmwareVersion = GetParam().firmware;
        m_Sim = zoqsim::makeCamera(config);
        EXPECT_NE(m_Sim, nullptr);
        m_Device.reset(new SimulatedDevice(*m_Sim));
        auto create = reinterpret_cast<ZOQCAM_CREATE_FN>(dlsym(m_pHandle, ZOQCAM_CREATE_SYMBOL));
        EXPECT_EQ(create(m_Device.get(), &m_Camera), 0);
        return *m_Camera;
    }
    // The camera's exposure and the plug-in's agree to a thousandth.
    void ExpectSameExposure(IZOQCam& cam) {
        float ms = 0;
        cam.Sensor_GetExposureTime(&ms);
        EXPECT_NEAR(ms, m_Sim->exposureMs(), 1e-3 * std::max(1.0, m_Sim->exposureMs()));
    }

    void* m_pHandle = nullptr;
    std::unique_ptr<zoqsim::CameraModel> m_Sim;
    std::unique_ptr<SimulatedDevice> m_Device;
    IZOQCam* m_Camera = nullptr;
};

}  // namespace

TEST_P(PluginTest, ReportsItsTypeAndModel) {
    auto getType = reinterpret_cast<GetTypeFn>(dlsym(m_pHandle, kGetTypeSymbol));
    ASSERT_NE(getType, nullptr);
    int type = 0;
    char name[16];
    std::memset(name, 'x', sizeof(name));
    EXPECT_EQ(getType(&type, name), 0);
    EXPECT_EQ(type, GetParam().type);
    std::size_t length = strnlen(name, sizeof(name));
    EXPECT_GE(length, 11u);
    EXPECT_LE(length, 15u);
    auto skip = reinterpret_cast<const int*>(dlsym(m_pHandle, "g_SkipTable"));
    ASSERT_NE(skip, nullptr);
    EXPECT_EQ(skip[4], 8);
}

TEST_P(PluginTest, RangesOfThePlugInTable) {
    IZOQCam& cam = Create();
    unsigned minC = 0, maxC = 0, minR = 0, maxR = 0, minGain = 9, maxGain = 0;
    EXPECT_EQ(cam.Sensor_GetFovRange(&minC, &maxC, &minR, &maxR), 0);
    EXPECT_EQ(minC, GetParam().minColumns);
    EXPECT_EQ(maxC, GetParam().maxColumns);
    EXPECT_EQ(minR, GetParam().minRows);
    EXPECT_EQ(maxR, GetParam().maxRows);
    EXPECT_EQ(cam.Sensor_GetGainRange(&minGain, &maxGain), 0);
    EXPECT_EQ(minGain, GetParam().minGain);
    EXPECT_EQ(maxGain, GetParam().maxGain);
    unsigned short type = 0;
    cam.Cam_GetDeviceInformation(&type, nullptr, nullptr);
    EXPECT_EQ(type, GetParam().type);
}

TEST_P(PluginTest, AgreesWithTheCameraOnWindowAndExposure) {
    IZOQCam& cam = Create();
    int width = 0, height = 0;
    cam.Cam_GetCaptureSize(&width, &height);
    EXPECT_EQ(static_cast<unsigned>(width), m_Sim->geometry().width);
    EXPECT_EQ(static_cast<unsigned>(height), m_Sim->geometry().height);
    ExpectSameExposure(cam);

    // A window of about half the sensor, as the check corrects it.
    unsigned columnStart = 8, rowStart = 8, columnSize = GetParam().maxColumns / 2,
             rowSize = GetParam().maxRows / 2;
    ZOQ_ADDRESSMODE columnMode = ZOQ_ADDRESSMODE_NORMAL, rowMode = ZOQ_ADDRESSMODE_NORMAL;
    unsigned short frames = 1;
    ASSERT_EQ(cam.Cam_CheckFov(&columnStart, &rowStart, &columnSize, &rowSize, &columnMode, &rowMode, &frames), 0);
    ASSERT_EQ(cam.Cam_SetFov(columnStart, rowStart, columnSize, rowSize, columnMode, rowMode, frames), 0);
    const zoqsim::FrameGeometry geometry = m_Sim->geometry();
    EXPECT_EQ(static_cast<unsigned>(geometry.columnStart), columnStart);
    EXPECT_EQ(static_cast<unsigned>(geometry.rowStart), rowStart);
    EXPECT_EQ(geometry.width, columnSize);
    EXPECT_EQ(geometry.height, rowSize);
    cam.Cam_GetCaptureSize(&width, &height);
    EXPECT_EQ(static_cast<unsigned>(width), geometry.width);
    EXPECT_EQ(static_cast<unsigned>(height), geometry.height);

    for (float ms : {2.0f, 20.0f}) {
        EXPECT_EQ(cam.Sensor_SetExposureTime(ms), 0);
        ExpectSameExposure(cam);
        EXPECT_NEAR(m_Sim->exposureMs(), ms, 0.02 * ms + 0.05) << ms;
    }
}

TEST_P(PluginTest, GainAndFlipReachTheCamera) {
    IZOQCam& cam = Create();
    ASSERT_EQ(cam.Sensor_SetGainGlobal(GetParam().minGain), 0);
    const zoqsim::SiteGains low = m_Sim->gains();
    ASSERT_EQ(cam.Sensor_SetGainGlobal(GetParam().maxGain), 0);
    const zoqsim::SiteGains high = m_Sim->gains();
    EXPECT_GT(high.r, low.r);
    EXPECT_GT(high.b, low.b);
    EXPECT_GT(high.gr, low.gr);

    // Where the model offers them, flip and mirror change the camera's image.
    bool flip = cam.Sensor_SetFlip(true) == 0;
    EXPECT_EQ(m_Sim->geometry().flip, flip);
    bool mirror = cam.Sensor_SetMirror(true) == 0;
    EXPECT_EQ(m_Sim->geometry().mirror, mirror);
    cam.Sensor_SetFlip(false);
    EXPECT_FALSE(m_Sim->geometry().flip);
}

TEST(AllPlugins, ModelNamesAreUnique) {
    std::set<std::string> names;
    std::set<std::string> files;
    for (const PluginCase& plugin : kPlugins) {
        if (!files.insert(plugin.file).second) continue;  // a second firmware of one plug-in
        void* handle = dlopen((std::string(ZOQCAM_TEST_PLUGIN_DIR) + "/" + plugin.file).c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        char name[16] = {};
        reinterpret_cast<GetTypeFn>(dlsym(handle, kGetTypeSymbol))(nullptr, name);
        EXPECT_TRUE(names.insert(name).second) << name;
        dlclose(handle);
    }
    EXPECT_EQ(names.size(), files.size());
}

INSTANTIATE_TEST_SUITE_P(EveryPlugIn, PluginTest, ::testing::ValuesIn(kPlugins),
                         [](const ::testing::TestParamInfo<PluginCase>& info) {
                             std::string name = info.param.file + std::strlen("libzoqcam_");
                             name = name.substr(0, name.size() - 3);
                             if (info.param.firmware >= 0)
                                 name += "_firmware" + std::to_string(info.param.firmware);
                             return name;
                         });
