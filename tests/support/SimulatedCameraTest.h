// Test fixture: simulated cameras on an emulated USB bus, driven by the SDK
// through the real libusb. The testbed outlives the library (ZOQ_UnInit runs
// in TearDown), as the emulation requires.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "model/CameraModel.h"
#include "zoqapi.h"
#include "zoqsim.h"

namespace zoqtest {

class SimulatedCameraTest : public ::testing::Test {
protected:
    void SetUp() override { ZOQ_LogSet(false, nullptr); }
    void TearDown() override { ZOQ_UnInit(); }

    // Plugs in a camera; libusb lists the newest first.
    zoqsim::SimDevice& Attach(zoqsim::CameraConfig config) {
        std::unique_ptr<zoqsim::CameraModel> camera = zoqsim::makeCamera(config);
        EXPECT_NE(camera, nullptr) << "no model for device type " << config.deviceType;
        uint16_t vendor = camera->config().idVendor;
        uint16_t product = camera->config().idProduct;
        zoqsim::SimDevice& device = m_bed.attachDevice(std::move(camera), vendor, product);
        device.setBulkBandwidth(config.bandwidth);
        return device;
    }

    zoqsim::SimDevice& Attach(int deviceType, int serial = 1) {
        zoqsim::CameraConfig config;
        config.deviceType = deviceType;
        config.serial = static_cast<uint8_t>(serial);
        return Attach(config);
    }

    static zoqsim::CameraModel& Model(zoqsim::SimDevice& device) {
        return static_cast<zoqsim::CameraModel&>(device.function());
    }

    // Starts the library and keeps time-outs short, since the emulated bus
    // busy-polls while libusb waits.
    void Init(unsigned int captureTimeOutMs = 300) {
        ASSERT_EQ(ZOQ_Init(), RC_SUCCESS);
        for (int i = 0; i < ZOQ_DeviceGetCount(); ++i)
            ZOQ_CaptureSetTimeOut(i, captureTimeOutMs);
    }

    // Control records of a device whose request number is bRequest.
    static std::vector<zoqsim::ControlRecord> Requests(zoqsim::SimDevice& device,
                                                       uint8_t bRequest) {
        std::vector<zoqsim::ControlRecord> matching;
        for (const auto& record : device.controlRecords())
            if (record.setup.bRequest == bRequest) matching.push_back(record);
        return matching;
    }

    static int Serial(int index) {
        int serial = -1;
        ZOQ_DeviceGetInformation(index, nullptr, &serial, nullptr);
        return serial;
    }

    zoqsim::Testbed m_bed;
};

}  // namespace zoqtest
