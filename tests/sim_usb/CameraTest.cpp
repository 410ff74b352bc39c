// Camera models on the simulated bus, driven through plain libusb calls, and
// the launcher's camera lists.
#include "SimUsbTest.h"

#include <initializer_list>

using namespace simusb;
using zoqsim::CameraConfig;
using zoqsim::SimCamera;

namespace {

class Camera : public SimUsbTest {
protected:
    SimCamera& attachCamera(int type, uint8_t serial) {
        CameraConfig config;
        config.deviceType = type;
        config.serial = serial;
        return bed.attach(config);
    }
};

// Device information request 0xC9: [status, type, serial, fw low, fw high].
std::vector<uint8_t> deviceInformation(libusb_device_handle* h) {
    std::vector<uint8_t> reply(5, 0xFF);
    EXPECT_EQ(vendorIn(h, 0xC9, reply), 5);
    return reply;
}

TEST_F(Camera, AnswersTheVendorProtocolAndDeliversTriggeredFrames) {
    SimCamera& cam = attachCamera(52, 7);
    const std::vector<Listed> listed = list();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].idVendor, cam.model().config().idVendor);
    EXPECT_EQ(listed[0].idProduct, cam.model().config().idProduct);

    libusb_device_handle* h = openClaimed(cam);
    ASSERT_NE(h, nullptr);
    const int firmware = cam.model().config().firmwareVersion;
    EXPECT_EQ(deviceInformation(h), (std::vector<uint8_t>{0, 52, 7, static_cast<uint8_t>(firmware & 0xFF),
                                                          static_cast<uint8_t>(firmware >> 8)}));

    const std::size_t bytes = cam.model().geometry().bytes();
    std::vector<uint8_t> frame(bytes);
    int got = 0;
    EXPECT_EQ(readFrame(h, frame, got, 30), LIBUSB_ERROR_TIMEOUT);  // nothing triggered
    std::vector<uint8_t> status(1, 0xFF);
    ASSERT_EQ(vendorIn(h, 0xC8, status), 1);
    EXPECT_EQ(status[0], 0);
    ASSERT_EQ(readFrame(h, frame, got, 2000), 0);
    EXPECT_EQ(got, static_cast<int>(bytes));
    EXPECT_TRUE(frame == cam.model().lastDeliveredFrame());
    EXPECT_EQ(cam.model().framesDelivered(), 1u);
}

TEST_F(Camera, FramesComeNoFasterThanTheFramePeriodAndTheLink) {
    CameraConfig config;
    config.framePeriodMs = 40.0;
    config.bandwidth = 50e6;
    SimCamera& cam = bed.attach(config);
    EXPECT_EQ(cam.bulkBandwidth(), 50e6);
    libusb_device_handle* h = openClaimed(cam);
    ASSERT_NE(h, nullptr);
    const auto start = Clock::now();
    std::vector<uint8_t> status(1, 0xFF);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(vendorIn(h, 0xC8, status), 1);  // all at once
    std::vector<uint8_t> frame(cam.model().geometry().bytes());
    int got = 0;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(readFrame(h, frame, got, 2000), 0);
        EXPECT_EQ(got, static_cast<int>(frame.size()));
    }
    // The third frame is read out two periods after the first, then crosses.
    const double transferMs = 1000.0 * double(frame.size()) / 50e6;
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
    EXPECT_GE(elapsed.count(), 80.0 + transferMs);
    EXPECT_TRUE(frame == cam.model().lastDeliveredFrame());
}

// The two sensor families whose frames follow their window registers, side by
// side: replies, frames shaped by register writes, and faults.
TEST_F(Camera, AColourMt9p031AndAnImx250ThroughPlainLibusb) {
    SimCamera& mt9 = attachCamera(52, 1);
    SimCamera& imx = attachCamera(104, 2);
    libusb_device_handle* a = openClaimed(mt9);
    libusb_device_handle* b = openClaimed(imx);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(deviceInformation(a)[1], 52);
    EXPECT_EQ(deviceInformation(b)[1], 104);

    // Power-on windows: the full sensors. Register values come high byte first.
    std::vector<uint8_t> reply(3, 0xEE);
    ASSERT_EQ(vendorIn(a, 0xC2, reply, 0x04), 3);  // MT9P031 column size - 1
    EXPECT_EQ(reply, (std::vector<uint8_t>{0x00, 0x0A, 0x1F}));
    ASSERT_EQ(vendorIn(b, 0xC2, reply, 1300), 3);  // IMX250 column size, low byte
    EXPECT_EQ(reply, (std::vector<uint8_t>{0x00, 0x00, 0xA0}));
    ASSERT_EQ(vendorIn(b, 0xC2, reply, 1301), 3);  // and high byte: 2464
    EXPECT_EQ(reply, (std::vector<uint8_t>{0x00, 0x00, 0x09}));

    // Windows written through the sensor registers shape the frames.
    auto write = [&](libusb_device_handle* h, uint16_t address, uint16_t value) {
        std::vector<uint8_t> status(3, 0xEE);
        ASSERT_EQ(vendorIn(h, 0xC3, status, address, value), 3);
        EXPECT_EQ(status[0], 0);
    };
    write(a, 0x04, 639);
    write(a, 0x03, 479);
    write(b, 1300, 640 & 0xFF);
    write(b, 1301, 640 >> 8);
    write(b, 1302, 480 & 0xFF);
    write(b, 1303, 480 >> 8);
    for (auto [h, cam] : {std::pair{a, &mt9}, std::pair{b, &imx}}) {
        EXPECT_EQ(cam->model().geometry().bytes(), 640u * 480u);
        std::vector<uint8_t> status(1, 0xFF);
        ASSERT_EQ(vendorIn(h, 0xC8, status), 1);
        std::vector<uint8_t> frame(2592 * 1944);
        int got = 0;
        ASSERT_EQ(readFrame(h, frame, got, 2000), 0);
        EXPECT_EQ(got, 640 * 480);  // a short packet ends the frame
        frame.resize(static_cast<size_t>(got));
        EXPECT_TRUE(frame == cam->model().lastDeliveredFrame());
    }

    // Faults: a refused request, a bus error, a time-out.
    imx.model().refuseRequests(0xC2, 1);
    ASSERT_EQ(vendorIn(b, 0xC2, reply, 1300), 3);
    EXPECT_NE(reply[0], 0);
    mt9.failBulkReads(1);
    std::vector<uint8_t> status(1, 0xFF);
    ASSERT_EQ(vendorIn(a, 0xC8, status), 1);
    std::vector<uint8_t> frame(640 * 480);
    int got = 0;
    EXPECT_EQ(readFrame(a, frame, got, 2000), LIBUSB_ERROR_IO);
    EXPECT_EQ(readFrame(a, frame, got, 2000), 0);  // the frame is still there
    EXPECT_EQ(got, 640 * 480);
    imx.timeOutControlTransfers(1);
    EXPECT_EQ(vendorIn(b, 0xC2, reply, 1300, 0, 50), LIBUSB_ERROR_TIMEOUT);
}

TEST_F(Camera, ReplugPowersOnWithRegistersResetAndEepromKept) {
    SimCamera& cam = attachCamera(104, 3);
    libusb_device_handle* h = openClaimed(cam);
    ASSERT_NE(h, nullptr);
    const uint16_t powerOn = cam.model().fpgaRegister(10);
    std::vector<uint8_t> status(3, 0xFF);
    ASSERT_EQ(vendorIn(h, 0x2B, status, 10, static_cast<uint16_t>(powerOn ^ 0x5)), 3);  // FPGA write
    ASSERT_EQ(status[0], 0);
    ASSERT_EQ(cam.model().fpgaRegister(10), powerOn ^ 0x5);
    std::vector<uint8_t> eeprom(1, 0xFF);
    ASSERT_EQ(vendorIn(h, 0xC5, eeprom, 0x20, 0xAB), 1);  // EEPROM write
    ASSERT_EQ(eeprom[0], 0);

    bed.replug(cam, true);
    EXPECT_EQ(cam.model().fpgaRegister(10), powerOn);
    EXPECT_EQ(cam.model().eeprom(0x20, 1), std::vector<uint8_t>{0xAB});
    h = openClaimed(cam);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(deviceInformation(h)[2], 3);
}

TEST_F(Camera, ReplaceWithAnotherSerialNumber) {
    SimCamera& cam = attachCamera(52, 1);
    CameraConfig other;
    other.deviceType = 52;
    other.serial = 9;
    bed.replace(cam, other);
    ASSERT_EQ(list().size(), 1u);
    libusb_device_handle* h = openClaimed(cam);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(deviceInformation(h)[2], 9);
    EXPECT_EQ(cam.model().config().serial, 9);
}

TEST_F(Camera, CameraListAttachesInTheOrderGiven) {
    std::vector<CameraConfig> configs;
    std::string error;
    ASSERT_TRUE(zoqsim::parseCameraList("52x2,104", configs, error)) << error;
    const std::vector<SimCamera*> cams = zoqsim::attachCameras(bed, configs);
    ASSERT_EQ(cams.size(), 3u);
    const std::vector<Listed> listed = list();
    ASSERT_EQ(listed.size(), 3u);
    const int types[] = {52, 52, 104};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(listed[i].address, cams[i]->deviceAddress()) << i;
        libusb_device_handle* h = openClaimed(*cams[i]);
        ASSERT_NE(h, nullptr);
        const std::vector<uint8_t> info = deviceInformation(h);
        EXPECT_EQ(info[1], types[i]) << i;
        EXPECT_EQ(info[2], i + 1) << i;  // distinct serials in list order
    }
}

// Each list is refused with a reason and leaves no cameras.
void ExpectRefused(std::initializer_list<const char*> lists) {
    for (const char* bad : lists) {
        std::vector<CameraConfig> configs;
        std::string error;
        EXPECT_FALSE(zoqsim::parseCameraList(bad, configs, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
        EXPECT_TRUE(configs.empty()) << bad;
    }
}

TEST(CameraList, ParsesTypesAndCounts) {
    std::vector<CameraConfig> configs;
    std::string error;
    ASSERT_TRUE(zoqsim::parseCameraList(" 52 , 104x2 ", configs, error)) << error;
    ASSERT_EQ(configs.size(), 3u);
    EXPECT_EQ(configs[0].deviceType, 52);
    EXPECT_EQ(configs[2].deviceType, 104);
    EXPECT_EQ(configs[0].serial, 1);
    EXPECT_EQ(configs[1].serial, 2);
    EXPECT_EQ(configs[2].serial, 3);
    ASSERT_TRUE(zoqsim::parseCameraList("36", configs, error));
    EXPECT_EQ(configs.size(), 1u);

    ExpectRefused({"", "52,", "x2", "52x0", "52y2", "52x", "-52", "52x256", "7"});
    EXPECT_FALSE(zoqsim::parseCameraList("52x200,104x56", configs, error));  // 256 serials
}

TEST(CameraList, ParsesSpeeds) {
    std::vector<CameraConfig> configs;
    std::string error;
    ASSERT_TRUE(zoqsim::parseCameraList("52x2@40MB/s@25fps,104@500kB/s,53", configs, error))
        << error;
    ASSERT_EQ(configs.size(), 4u);
    EXPECT_DOUBLE_EQ(configs[0].bandwidth, 40e6);
    EXPECT_DOUBLE_EQ(configs[1].bandwidth, 40e6);
    EXPECT_DOUBLE_EQ(configs[1].framePeriodMs, 40.0);
    EXPECT_EQ(configs[2].deviceType, 104);
    EXPECT_DOUBLE_EQ(configs[2].bandwidth, 5e5);
    EXPECT_DOUBLE_EQ(configs[2].framePeriodMs, 0.0);
    EXPECT_DOUBLE_EQ(configs[3].bandwidth, 0.0);  // unlimited
    ASSERT_TRUE(zoqsim::parseCameraList("52@35.5MB/s", configs, error)) << error;
    EXPECT_DOUBLE_EQ(configs[0].bandwidth, 35.5e6);
    ExpectRefused({"52@", "52@40", "52@40MB", "52@0MB/s", "52@-1MB/s", "52@fps", "52@40Mb/s",
                   "@40MB/s", "52@.5fps", "52@16", "52@8bit"});
}

TEST(CameraList, SixteenBitTransferFromTheStart) {
    std::vector<CameraConfig> configs;
    std::string error;
    ASSERT_TRUE(zoqsim::parseCameraList("52@16bit@40MB/s,53,all@16bit", configs, error)) << error;
    EXPECT_TRUE(configs[0].wideSamples);
    EXPECT_DOUBLE_EQ(configs[0].bandwidth, 40e6);
    EXPECT_FALSE(configs[1].wideSamples);
    for (size_t i = 2; i < configs.size(); ++i) EXPECT_TRUE(configs[i].wideSamples);
}

}  // namespace
