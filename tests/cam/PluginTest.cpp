/* The built plug-ins libzoqcam_52.so and libzoqcam_53.so, loaded the way the
 * main library loads them: exports, identification, creation and deletion,
 * and the camera object driven through IZOQCam only. */
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FakeZOQDevice.h"

using Op = FakeZOQDevice::Op;
using Call = FakeZOQDevice::Call;

namespace {

typedef int (*DeleteFn)(IZOQCam**);
typedef int (*GetTypeFn)(int*, char*);
typedef int (*ReadAddressFn)(unsigned char);

// C++ names of the two type-encoded exports.
const char* kGetTypeSymbol = ZOQCAM_GETTYPE_SYMBOL;
const char* kReadAddressSymbol = "_Z24GET_READ_FPGAREG_ADDRESSh";

class Plugin {
public:
    explicit Plugin(int type) {
        std::string path = std::string(ZOQCAM_TEST_PLUGIN_DIR) + "/libzoqcam_" + std::to_string(type) + ".so";
        m_pHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        EXPECT_NE(m_pHandle, nullptr) << dlerror();
    }
    ~Plugin() {
        if (m_pHandle) dlclose(m_pHandle);
    }
    template <class Fn>
    Fn Symbol(const char* name) const {
        return m_pHandle ? reinterpret_cast<Fn>(dlsym(m_pHandle, name)) : nullptr;
    }
    IZOQCam* Create(IZOQDevice* device) const {
        IZOQCam* camera = nullptr;
        auto create = Symbol<ZOQCAM_CREATE_FN>(ZOQCAM_CREATE_SYMBOL);
        EXPECT_NE(create, nullptr);
        if (create) {
            EXPECT_EQ(create(device, &camera), 0);
        }
        return camera;
    }
    void Delete(IZOQCam** camera) const {
        auto remove = Symbol<DeleteFn>("ZOQCAM_Delete");
        ASSERT_NE(remove, nullptr);
        EXPECT_EQ(remove(camera), 0);
    }

private:
    void* m_pHandle = nullptr;
};

// A type-52/53 camera at firmware 3.5 and FPGA 6.5 with a full window.
void SetUpDevice(FakeZOQDevice& device, unsigned short type) {
    device.deviceType = type;
    device.firmwareVersion = 0x0305;
    device.SetFpgaVersion(6, 5);
    device.sensor[0x04] = 2591;
    device.sensor[0x03] = 1943;
}

}  // namespace

TEST(CamPlugin, ExportsAndIdentification) {
    for (int type : {52, 53}) {
        Plugin plugin(type);
        EXPECT_NE(plugin.Symbol<void*>(ZOQCAM_CREATE_SYMBOL), nullptr);
        EXPECT_NE(plugin.Symbol<void*>("ZOQCAM_Delete"), nullptr);
        auto skip = plugin.Symbol<const int*>("g_SkipTable");
        ASSERT_NE(skip, nullptr);
        EXPECT_EQ(std::vector<int>(skip, skip + 5), (std::vector<int>{1, 2, 3, 4, 8}));

        auto getType = plugin.Symbol<GetTypeFn>(kGetTypeSymbol);
        ASSERT_NE(getType, nullptr);
        int reported = 0;
        char name[16];
        std::memset(name, 'x', sizeof(name));
        EXPECT_EQ(getType(&reported, name), 0);
        EXPECT_EQ(reported, type);
        std::size_t length = strnlen(name, sizeof(name));
        EXPECT_GE(length, 11u);
        EXPECT_LE(length, 15u);
        char again[16] = {};
        EXPECT_EQ(getType(nullptr, again), 0);  // the name is written without a type pointer
        EXPECT_STREQ(again, name);

        auto readAddress = plugin.Symbol<ReadAddressFn>(kReadAddressSymbol);
        ASSERT_NE(readAddress, nullptr);
        EXPECT_EQ(readAddress(0) & 0xFF, 0xFF);
        EXPECT_EQ(readAddress(1), 0x81);
        EXPECT_EQ(readAddress(111), 0xEF);
        EXPECT_EQ(readAddress(112), 0x70);
        EXPECT_EQ(readAddress(128), 0x80);
        EXPECT_EQ(readAddress(241), 0xF1);
    }
    char name52[16] = {}, name53[16] = {};
    Plugin(52).Symbol<GetTypeFn>(kGetTypeSymbol)(nullptr, name52);
    Plugin(53).Symbol<GetTypeFn>(kGetTypeSymbol)(nullptr, name53);
    EXPECT_STRNE(name52, name53);
}

TEST(CamPlugin, CreateReadsTheCameraAndDeleteWritesNothing) {
    Plugin plugin(52);
    FakeZOQDevice device;
    SetUpDevice(device, 52);
    IZOQCam* camera = plugin.Create(&device);
    ASSERT_NE(camera, nullptr);

    // Identity, version, FPGA cache (35 and 36 are missing on this model),
    // then the sensor.
    ASSERT_GE(device.calls.size(), 3u);
    EXPECT_EQ(device.calls[0], (Call{Op::DeviceInfo, 0, 0}));
    EXPECT_EQ(device.calls[1], (Call{Op::RdFpga, 128, 0}));
    std::vector<unsigned> fpgaReads = device.Addresses(Op::RdFpga);
    EXPECT_EQ(fpgaReads, (std::vector<unsigned>{128, 128, 241, 0xFF, 0x83, 0x88, 0x89, 0x90, 0x91, 0x92,
                                                0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0x9B,
                                                0x9C, 0x9D, 0x9E, 0x9F, 0xA1, 0xA2, 0x81, 0x82, 0xAB,
                                                0xAC}));
    EXPECT_EQ(device.Addresses(Op::RdSensor).size(), 18u);
    EXPECT_EQ(device.calls.back().op, Op::RdSensor);
    EXPECT_TRUE(device.CallsOf(Op::WrFpga).empty());

    unsigned short type = 0, firmware = 0, fpga = 0;
    int serial = 0;
    EXPECT_EQ(camera->Cam_GetDeviceInformationEx(&type, &serial, &firmware, &fpga), 0);
    EXPECT_EQ(type, 52);
    EXPECT_EQ(fpga, 0x0605);
    int width = 0, height = 0;
    camera->Cam_GetCaptureSize(&width, &height);
    EXPECT_EQ(width, 2592);
    EXPECT_EQ(height, 1944);
    EXPECT_EQ(camera->Sensor_GetDefaultBayerMode(), ZOQ_BAYER_GRBG_24_BOTTOMUP);

    device.calls.clear();
    plugin.Delete(&camera);
    EXPECT_EQ(camera, nullptr);
    EXPECT_TRUE(device.calls.empty());
    plugin.Delete(&camera);  // already null: nothing to do
    EXPECT_EQ(camera, nullptr);
}

TEST(CamPlugin, QueryAndTriggerModeThroughTheInterface) {
    Plugin colour(52), mono(53);
    FakeZOQDevice device52, device53;
    SetUpDevice(device52, 52);
    SetUpDevice(device53, 53);
    IZOQCam* cam52 = colour.Create(&device52);
    IZOQCam* cam53 = mono.Create(&device53);
    ASSERT_TRUE(cam52 && cam53);

    int value = 7;
    EXPECT_EQ(cam52->Cam_QueryFunction(ZOQ_FUNC_RESERVED_14, &value), 0);
    EXPECT_EQ(value, 0);
    value = 7;
    EXPECT_EQ(cam52->Cam_QueryFunction(static_cast<ZOQ_FUNCTION>(55), &value), RC_PARAMETER_ERROR);
    EXPECT_EQ(value, 0);
    cam52->Cam_QueryFunction(ZOQ_FUNC_MONOCHROME, &value);
    EXPECT_EQ(value, 0);
    cam53->Cam_QueryFunction(ZOQ_FUNC_MONOCHROME, &value);
    EXPECT_EQ(value, 1);

    // Type 52 cannot write register 0 at all: the mode change is refused
    // and nothing reaches the camera. Type 53 carries it in the working mode.
    device52.calls.clear();
    EXPECT_EQ(cam52->Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_1), RC_NOT_SUPPORTED);
    EXPECT_TRUE(device52.calls.empty());
    ZOQ_TRIGGERMODE mode = ZOQ_TRIGGERMODE_2;
    cam52->Fpga_GetTriggerMode(&mode);
    EXPECT_EQ(mode, ZOQ_TRIGGERMODE_FREERUN);

    device53.calls.clear();
    EXPECT_EQ(cam53->Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_FIXED_FRAMERATE), 0);
    EXPECT_EQ(device53.calls, (std::vector<Call>{{Op::SetWorkingMode, 0, 0x1001}}));
    EXPECT_EQ(cam53->Fpga_SetFixedFrameRateEx(30.0f), 0);
    float fps = 0;
    EXPECT_EQ(cam53->Fpga_GetFixedFrameRateEx(&fps), 0);
    EXPECT_NEAR(fps, 30.03f, 0.005f);

    // The window and frames through the camera interface.
    EXPECT_EQ(cam53->Cam_SetFov(0, 0, 2592, 1944, ZOQ_ADDRESSMODE_NORMAL, ZOQ_ADDRESSMODE_NORMAL, 9), 0);
    unsigned short frames = 0;
    cam53->Fpga_GetMultiFrameNum(&frames);
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(cam53->Cam_GetCaptureBytes(), 2592 * 1944 * 3);

    colour.Delete(&cam52);
    mono.Delete(&cam53);
}

TEST(CamPlugin, NullDevice) {
    Plugin plugin(53);
    IZOQCam* camera = plugin.Create(nullptr);
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->Cam_GetDeviceInformation(nullptr, nullptr, nullptr), RC_INVALID_HANDLE);
    unsigned short value = 0;
    EXPECT_EQ(camera->Fpga_RdReg(9, &value), RC_FAIL);
    EXPECT_EQ(camera->Fpga_WrReg(9, 1), RC_FAIL);
    EXPECT_EQ(camera->Sensor_RecoverRelatedRegValue(), RC_FAIL);
    EXPECT_EQ(camera->Cam_RecoverRelatedRegValue(), RC_FAIL);
    plugin.Delete(&camera);
}
