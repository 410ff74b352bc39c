// Finding the cameras: which USB devices count, in which order they take the
// device slots, where frames are read from, and the limits of the table.
#include <gtest/gtest.h>

#include <string>

#include "SimulatedCameraTest.h"

namespace {

using zoqtest::SimulatedCameraTest;

class Enumeration : public SimulatedCameraTest {};

TEST_F(Enumeration, CountsTheAttachedCameras) {
    Attach(52, 1);
    Attach(53, 2);
    Init();
    EXPECT_EQ(ZOQ_DeviceGetCount(), 2);
    for (int i = 0; i < 2; ++i) {
        unsigned short type = 0;
        EXPECT_EQ(ZOQ_DeviceGetInformation(i, &type, nullptr, nullptr), RC_SUCCESS);
        EXPECT_TRUE(type == 52 || type == 53);
    }
    EXPECT_EQ(ZOQ_DeviceGetInformation(2, nullptr, nullptr, nullptr), RC_FAIL);
}

TEST_F(Enumeration, OnlyDevicesOfTheIdTableAreCameras) {
    m_bed.attachForeign(0x0916, 0x0555);  // only 0x0552 is listed for this vendor
    zoqsim::CameraConfig cypress;
    cypress.idVendor = 0x04B4;
    cypress.idProduct = 0x8613;
    cypress.serial = 7;
    Attach(cypress);
    m_bed.attachForeign(0x0816, 0x0514);  // a gap in the product ranges
    zoqsim::CameraConfig other;
    other.idVendor = 0x0916;
    other.idProduct = 0x0552;
    other.serial = 8;
    Attach(other);
    m_bed.attachForeign(0x1d6b, 0x0002);
    Init();
    ASSERT_EQ(ZOQ_DeviceGetCount(), 2);
    EXPECT_EQ(Serial(0), 8);  // the newest device comes first in libusb's list
    EXPECT_EQ(Serial(1), 7);
}

TEST_F(Enumeration, WithoutCamerasTheBusIsEmpty) {
    m_bed.attachForeign(0x046d, 0xc52b);
    Init();
    EXPECT_EQ(ZOQ_DeviceGetCount(), 0);
    EXPECT_EQ(ZOQ_Open(0), RC_FAIL);
    EXPECT_EQ(ZOQ_CaptureRawData(0, nullptr), RC_FAIL);
}

TEST_F(Enumeration, SlotsFollowTheListOrderOfLibusb) {
    for (int serial = 1; serial <= 4; ++serial) Attach(52, serial);
    Init();
    std::vector<zoqsim::SimDevice*> listed = m_bed.devices();
    ASSERT_EQ(ZOQ_DeviceGetCount(), static_cast<int>(listed.size()));
    for (size_t i = 0; i < listed.size(); ++i)
        EXPECT_EQ(Serial(static_cast<int>(i)), Model(*listed[i]).config().serial) << "slot " << i;
}

TEST_F(Enumeration, FramesComeFromTheLastEndpointOfTheLastAlternateSetting) {
    auto camera = zoqsim::makeCamera(zoqsim::CameraConfig{});
    zoqsim::DeviceLayout layout =
        zoqsim::cameraLayout(camera->config().idVendor, camera->config().idProduct);
    auto& interfaces = layout.configs[0].interfaces;
    interfaces[0].altSettings[0].endpoints = {{0x02, zoqsim::kEpBulk, 512, 0},
                                              {0x81, zoqsim::kEpBulk, 512, 0}};
    zoqsim::InterfaceLayout second;
    second.altSettings.resize(2);
    second.altSettings[0].endpoints = {{0x84, zoqsim::kEpBulk, 512, 0},
                                       {0x83, zoqsim::kEpBulk, 512, 0}};
    // An alternate setting without endpoints gives no candidate.
    interfaces.push_back(second);
    layout.frameEndpoint = 0x83;
    zoqsim::SimDevice& device = m_bed.attachDevice(std::move(camera), layout);
    Init();
    ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
    int width = 0, height = 0;
    ASSERT_EQ(ZOQ_CaptureGetSize(0, &width, &height), RC_SUCCESS);
    std::vector<unsigned char> frame(static_cast<size_t>(width) * height);
    EXPECT_EQ(ZOQ_CaptureRawData(0, frame.data()), RC_SUCCESS);
    auto bulks = device.bulkRecords();
    ASSERT_FALSE(bulks.empty());
    EXPECT_EQ(bulks.back().endpoint, 0x83);
}

TEST_F(Enumeration, AnUnreadableConfigurationIsSkippedWithAMessage) {
    auto camera = zoqsim::makeCamera(zoqsim::CameraConfig{});
    zoqsim::DeviceLayout layout =
        zoqsim::cameraLayout(camera->config().idVendor, camera->config().idProduct);
    layout.configs.push_back(layout.configs[0]);
    layout.configs[1].value = 2;
    layout.configs[1].malformed = true;
    m_bed.attachDevice(std::move(camera), layout);
    testing::internal::CaptureStdout();
    Init();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("  Couldn't retrieve descriptors"), std::string::npos) << out;
    ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
    // The first configuration still gave the frame endpoint.
    int width = 0, height = 0;
    ZOQ_CaptureGetSize(0, &width, &height);
    std::vector<unsigned char> frame(static_cast<size_t>(width) * height);
    EXPECT_EQ(ZOQ_CaptureRawData(0, frame.data()), RC_SUCCESS);
}

TEST_F(Enumeration, AnUnreadableDeviceDescriptorEndsTheWalk) {
    Attach(52, 1);
    zoqsim::SimDevice& broken = Attach(52, 2);
    Attach(52, 3);
    // libusb lists serials 3, 2, 1: only the camera before the broken one counts.
    ASSERT_TRUE(broken.failDeviceDescriptor());
    Init();
    ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
    EXPECT_EQ(Serial(0), 3);
}

TEST_F(Enumeration, TheDeviceTableHoldsSixtyFourCameras) {
    for (int i = 0; i < 70; ++i) Attach(52, i);
    Init();
    ASSERT_EQ(ZOQ_DeviceGetCount(), 64);
    // 32 cameras can be held open at a time by one bus.
    int opened = 0;
    for (int i = 0; i < 64; ++i) {
        int rc = ZOQ_DeviceGetInformation(i, nullptr, nullptr, nullptr);
        if (rc == RC_SUCCESS) ++opened;
        else EXPECT_EQ(rc, RC_NOT_INITIALIZED) << i;
    }
    EXPECT_EQ(opened, 32);
    EXPECT_EQ(ZOQ_DeviceGetInformation(64, nullptr, nullptr, nullptr), RC_FAIL);
    EXPECT_EQ(ZOQ_Open(63), RC_FAIL);  // no free entry in the opened-address table
}

}  // namespace
