// Frame reads that fail: the retry of a bus error, short and empty frames,
// time-outs, a camera that is unplugged and comes back, or another camera in
// its place; the reset and recovery that follow and the codes they report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimulatedCameraTest.h"

namespace {

int Count(const std::string& text, const std::string& what) {
    int count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

class Recovery : public zoqtest::SimulatedCameraTest {
protected:
    void SetUp() override {
        SimulatedCameraTest::SetUp();
        m_camera = &Attach(52, 6);
        Init();
        ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
        int width = 0, height = 0;
        ASSERT_EQ(ZOQ_CaptureGetSize(0, &width, &height), RC_SUCCESS);
        m_frame.resize(static_cast<size_t>(width) * height);
        m_camera->clearRecords();
    }

    int Capture() { return ZOQ_CaptureRawData(0, m_frame.data()); }

    // Runs a capture and returns its result and what it printed.
    int CaptureAndWatch(std::string* printed) {
        testing::internal::CaptureStdout();
        int rc = Capture();
        *printed = testing::internal::GetCapturedStdout();
        return rc;
    }

    zoqsim::CameraModel& Camera() { return Model(*m_camera); }
    size_t Resets() { return Requests(*m_camera, 0xDB).size(); }

    zoqsim::SimDevice* m_camera = nullptr;
    std::vector<unsigned char> m_frame;
};

TEST_F(Recovery, ABusErrorIsRetriedOnce) {
    m_camera->failBulkReads(1);
    std::string printed;
    EXPECT_EQ(CaptureAndWatch(&printed), RC_SUCCESS);
    EXPECT_EQ(Count(printed, "libusb_bulk_transfer nRetryTimes = 2, ret = -1,"), 1) << printed;
    EXPECT_EQ(Count(printed, "nRetryTimes"), 1);
    EXPECT_EQ(m_frame, Camera().lastDeliveredFrame());
    EXPECT_EQ(Resets(), 0u);
}

TEST_F(Recovery, TwoBusErrorsLoseTheFrameAndResetTheCamera) {
    m_camera->failBulkReads(2);
    std::string printed;
    EXPECT_EQ(CaptureAndWatch(&printed), RC_ZERO_FRAME);
    EXPECT_EQ(Count(printed, "nRetryTimes = 2, ret = -1"), 1) << printed;
    EXPECT_EQ(Count(printed, "nRetryTimes = 1, ret = -1"), 1) << printed;
    EXPECT_EQ(Count(printed, "ReadRawDataAfterStart error \n"), 1);
    EXPECT_EQ(Resets(), 1u);
    EXPECT_EQ(Capture(), RC_SUCCESS);
}

TEST_F(Recovery, AShortFrameIsInvalidAndAnEmptyOneIsZero) {
    Camera().shortFrames(1000);
    EXPECT_EQ(Capture(), RC_INVALID_FRAME);
    EXPECT_EQ(Resets(), 1u);
    Camera().shortFrames(0);
    EXPECT_EQ(Capture(), RC_ZERO_FRAME);
    EXPECT_EQ(Resets(), 2u);
    EXPECT_EQ(Capture(), RC_SUCCESS);
}

TEST_F(Recovery, WithCaptureRecoveryOnAShortFrameRecoversTheCamera) {
    bool recover = false;
    ASSERT_EQ(ZOQ_CaptureSetRecover(0, true), RC_SUCCESS);
    ASSERT_EQ(ZOQ_CaptureGetRecover(0, &recover), RC_SUCCESS);
    EXPECT_TRUE(recover);
    Camera().shortFrames(1000);
    EXPECT_EQ(Capture(), RC_RECOVERY_DONE);
    // Recovery reopened the camera: it asked who it is again.
    EXPECT_FALSE(Requests(*m_camera, 0xC9).empty());
    EXPECT_EQ(Capture(), RC_SUCCESS);
}

TEST_F(Recovery, ATimeOutRecoversTheCamera) {
    m_camera->timeOutBulkTransfers(1);
    std::string printed;
    EXPECT_EQ(CaptureAndWatch(&printed), RC_RECOVERY_DONE);
    EXPECT_EQ(Count(printed, "ret = -7"), 1) << printed;
    EXPECT_EQ(Capture(), RC_SUCCESS);
}

TEST_F(Recovery, ATimeOutAfterPartOfTheFrameIsAFailureNotAShortFrame) {
    m_camera->timeOutBulkTransfersAfter(1000);
    std::string printed;
    EXPECT_EQ(CaptureAndWatch(&printed), RC_RECOVERY_DONE);
    EXPECT_EQ(Count(printed, "ret = -7"), 1) << printed;
    EXPECT_EQ(Count(printed, "nNumberOfBytesRead = 1000 "), 1) << printed;
    EXPECT_EQ(Capture(), RC_SUCCESS);
    EXPECT_EQ(m_frame, Camera().lastDeliveredFrame());
}

TEST_F(Recovery, ARefusedTriggerIsReportedAndRecovered) {
    Camera().refuseRequests(0xC8, 1);
    std::string printed;
    EXPECT_EQ(CaptureAndWatch(&printed), RC_RECOVERY_DONE);
    EXPECT_EQ(Count(printed, "VendorCmd_TriggerOneFrame error \n"), 1) << printed;
    EXPECT_TRUE(m_camera->bulkRecords().empty());
}

TEST_F(Recovery, AnUnpluggedCameraIsFoundAgainWithItsSettings) {
    // A setting that lives in the camera's registers.
    ASSERT_EQ(ZOQ_ExposureTimeSet(0, 31.5f), RC_SUCCESS);
    uint16_t high = Camera().sensorRegister(0x08);
    uint16_t low = Camera().sensorRegister(0x09);
    m_bed.unplug(*m_camera);
    EXPECT_EQ(Capture(), RC_RECOVERY_FAILED);      // nothing to find
    EXPECT_EQ(ZOQ_WrEEPROM(0, 0, 0), RC_DEVICE_CLOSED);
    m_bed.replug(*m_camera, true);                 // back, at a new address
    ASSERT_NE(Camera().sensorRegister(0x09), low);  // power-on values
    EXPECT_EQ(Capture(), RC_SUCCESS);              // closed: recovered first
    EXPECT_EQ(Camera().sensorRegister(0x08), high);
    EXPECT_EQ(Camera().sensorRegister(0x09), low);
    EXPECT_EQ(m_frame, Camera().lastDeliveredFrame());
    float ms = 0;
    EXPECT_EQ(ZOQ_ExposureTimeGet(0, &ms), RC_SUCCESS);
    EXPECT_NEAR(ms, 31.5f, 0.1f);
}

TEST_F(Recovery, ADifferentCameraInItsPlaceIsNotTaken) {
    zoqsim::CameraConfig other;
    other.serial = 99;
    m_bed.replace(*m_camera, zoqsim::makeCamera(other),
                  zoqsim::cameraLayout(Camera().config().idVendor, Camera().config().idProduct));
    EXPECT_EQ(Capture(), RC_RECOVERY_FAILED);
    EXPECT_EQ(ZOQ_WrEEPROM(0, 0, 0), RC_DEVICE_CLOSED);  // it stays closed
    int serial = 0;
    EXPECT_EQ(ZOQ_DeviceGetInformation(0, nullptr, &serial, nullptr), RC_SUCCESS);
    EXPECT_EQ(serial, 6);
}

TEST_F(Recovery, TheSplitCaptureReadsTheFrameItStarted) {
    ASSERT_EQ(ZOQ_SoftStartCapture(0), RC_SUCCESS);
    ASSERT_EQ(ZOQ_ReadRawDataAfterStart(0, m_frame.data()), RC_SUCCESS);
    EXPECT_EQ(m_frame, Camera().lastDeliveredFrame());
    // Without a start the read waits for the time-out, then resets.
    EXPECT_EQ(ZOQ_ReadRawDataAfterStart(0, m_frame.data()), RC_FAIL);
    EXPECT_EQ(Resets(), 1u);
}

}  // namespace
