// Vendor requests as they cross the wire: fields, data stages, byte orders,
// replies, refusals and closed devices.
#include <gtest/gtest.h>

#include <vector>

#include "SimulatedCameraTest.h"

namespace {

using zoqsim::ControlRecord;

class Protocol : public zoqtest::SimulatedCameraTest {
protected:
    void SetUp() override {
        SimulatedCameraTest::SetUp();
        m_camera = &Attach(52, 5);
        Init();
        ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
        m_camera->clearRecords();
    }

    // The only request recorded since the last clear.
    ControlRecord Only() {
        auto records = m_camera->controlRecords();
        EXPECT_EQ(records.size(), 1u);
        m_camera->clearRecords();
        return records.empty() ? ControlRecord{} : records[0];
    }

    static void ExpectSetup(const ControlRecord& r, uint8_t type, uint8_t request, uint16_t value,
                            uint16_t index, uint16_t length) {
        EXPECT_EQ(r.setup.bmRequestType, type);
        EXPECT_EQ(r.setup.bRequest, request);
        EXPECT_EQ(r.setup.wValue, value);
        EXPECT_EQ(r.setup.wIndex, index);
        EXPECT_EQ(r.setup.wLength, length);
    }

    zoqsim::SimDevice* m_camera = nullptr;
};

TEST_F(Protocol, SixteenBitEepromBytesTravelInTheSetupPacket) {
    EXPECT_EQ(ZOQ_WrEEPROM(0, 0x1234, 0xAB), RC_SUCCESS);
    ExpectSetup(Only(), 0xC0, 0xC5, 0x1234, 0x00AB, 1);
    unsigned char value = 0;
    EXPECT_EQ(ZOQ_RdEEPROM(0, 0x1234, &value), RC_SUCCESS);
    ControlRecord read = Only();
    ExpectSetup(read, 0xC0, 0xC4, 0x1234, 0, 2);
    EXPECT_EQ(value, 0xAB);
    EXPECT_EQ(read.data, (std::vector<uint8_t>{0x00, 0xAB}));
}

TEST_F(Protocol, TwentyFourBitAddressesSplitOverValueAndIndexOrTheDataStage) {
    EXPECT_EQ(ZOQ_WrEEPROMEx(0, 0x03FFFF, 0xAB), RC_SUCCESS);
    ControlRecord write = Only();
    ExpectSetup(write, 0x40, 0xD3, 0, 0x00AB, 4);
    EXPECT_EQ(write.data, (std::vector<uint8_t>{0x00, 0x03, 0xFF, 0xFF}));
    EXPECT_EQ(Model(*m_camera).eeprom(0x3FFFF, 1), std::vector<uint8_t>{0xAB});

    unsigned char value = 0;
    EXPECT_EQ(ZOQ_RdEEPROMEx(0, 0x03FFFF, &value), RC_SUCCESS);
    ExpectSetup(Only(), 0xC0, 0xD2, 0x0003, 0xFFFF, 2);
    EXPECT_EQ(value, 0xAB);

    unsigned char block[16];
    for (int i = 0; i < 16; ++i) block[i] = static_cast<unsigned char>(0xF0 - i);
    EXPECT_EQ(ZOQ_WrEEPROMExEx(0, 0x020010, block, 16), RC_SUCCESS);
    ControlRecord blockWrite = Only();
    ExpectSetup(blockWrite, 0x40, 0xD5, 0x0002, 0x0010, 16);
    EXPECT_EQ(blockWrite.data, std::vector<uint8_t>(block, block + 16));
    unsigned char back[16] = {};
    EXPECT_EQ(ZOQ_RdEEPROMExEx(0, 0x020010, 16, back), RC_SUCCESS);
    ExpectSetup(Only(), 0xC0, 0xD4, 0x0002, 0x0010, 16);
    EXPECT_EQ(std::vector<uint8_t>(back, back + 16), std::vector<uint8_t>(block, block + 16));
}

TEST_F(Protocol, MissingOutputsAreRefusedBeforeAnyTraffic) {
    EXPECT_EQ(ZOQ_RdEEPROM(0, 1, nullptr), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_RdEEPROMEx(0, 1, nullptr), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_RdEEPROMExEx(0, 1, 4, nullptr), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_WrEEPROMExEx(0, 1, nullptr, 4), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_VendorCmd(0, nullptr, nullptr), RC_PARAMETER_ERROR);
    EXPECT_TRUE(m_camera->controlRecords().empty());
}

TEST_F(Protocol, ARefusedStatusIsAFailure) {
    Model(*m_camera).refuseRequests(0xC4, 1);
    unsigned char value = 0x55;
    EXPECT_EQ(ZOQ_RdEEPROM(0, 3, &value), RC_FAIL);
    EXPECT_EQ(value, 0x55);  // untouched
    EXPECT_EQ(ZOQ_RdEEPROM(0, 3, &value), RC_SUCCESS);
    // A host-to-device request that the camera stalls fails as a transfer.
    Model(*m_camera).refuseRequests(0xD3, 1);
    EXPECT_EQ(ZOQ_WrEEPROMEx(0, 3, 1), RC_NOT_SUPPORTED);
}

TEST_F(Protocol, AStatusOnlyReplyLeavesThePresetBytes) {
    ASSERT_EQ(ZOQ_WrEEPROM(0, 9, 0x77), RC_SUCCESS);
    Model(*m_camera).shortReplies(0xC4, 1);
    unsigned char value = 0x55;
    EXPECT_EQ(ZOQ_RdEEPROM(0, 9, &value), RC_SUCCESS);
    EXPECT_EQ(value, 0x00);  // the preset of the reply, not the EEPROM byte
}

TEST_F(Protocol, ThePassThroughAlwaysReadsFromTheDevice) {
    _tagUSBCmd cmd = {0x40, 0xC9, 0, 0, 5};  // the record's direction is ignored
    unsigned char data[5] = {};
    EXPECT_EQ(ZOQ_VendorCmd(0, &cmd, data), RC_SUCCESS);
    ExpectSetup(Only(), 0xC0, 0xC9, 0, 0, 5);
    EXPECT_EQ(data[0], 0);
    EXPECT_EQ(data[1], 52);
    EXPECT_EQ(data[2], 5);

    _tagUSBCmd unknown = {0xC0, 0x77, 1, 2, 4};  // a request the camera does not know
    EXPECT_EQ(ZOQ_VendorCmd(0, &unknown, data), RC_FAIL);
    EXPECT_EQ(Only().outcome, zoqsim::Outcome::Stall);
}

TEST_F(Protocol, AClosedDeviceAnswersWithoutTraffic) {
    ASSERT_EQ(ZOQ_Close(0), RC_SUCCESS);
    m_camera->clearRecords();
    unsigned char value = 0;
    unsigned char buffer[8] = {};
    _tagUSBCmd cmd = {0xC0, 0xC9, 0, 0, 5};
    EXPECT_EQ(ZOQ_WrEEPROM(0, 1, 2), RC_DEVICE_CLOSED);
    EXPECT_EQ(ZOQ_RdEEPROM(0, 1, &value), RC_DEVICE_CLOSED);
    EXPECT_EQ(ZOQ_WrEEPROMEx(0, 1, 2), RC_DEVICE_CLOSED);
    EXPECT_EQ(ZOQ_RdEEPROMExEx(0, 1, 8, buffer), RC_DEVICE_CLOSED);
    EXPECT_EQ(ZOQ_VendorCmd(0, &cmd, buffer), RC_DEVICE_CLOSED);
    EXPECT_EQ(ZOQ_SoftStartCapture(0), RC_INVALID_HANDLE);
    EXPECT_EQ(ZOQ_ReadRawDataAfterStart(0, buffer), RC_INVALID_HANDLE);
    EXPECT_TRUE(m_camera->controlRecords().empty());
    EXPECT_TRUE(m_camera->bulkRecords().empty());
    // The camera object and its cached identity stay.
    int serial = 0;
    EXPECT_EQ(ZOQ_DeviceGetInformation(0, nullptr, &serial, nullptr), RC_SUCCESS);
    EXPECT_EQ(serial, 5);
}

TEST_F(Protocol, TheFrameTriggerPrecedesOneBulkReadOfTheWholeFrame) {
    int width = 0, height = 0;
    ASSERT_EQ(ZOQ_CaptureGetSize(0, &width, &height), RC_SUCCESS);
    std::vector<unsigned char> frame(static_cast<size_t>(width) * height);
    m_camera->clearRecords();
    ASSERT_EQ(ZOQ_CaptureRawData(0, frame.data()), RC_SUCCESS);
    auto triggers = Requests(*m_camera, 0xC8);
    ASSERT_EQ(triggers.size(), 1u);
    ExpectSetup(triggers[0], 0xC0, 0xC8, 0, 0, 1);
    auto bulks = m_camera->bulkRecords();
    ASSERT_EQ(bulks.size(), 1u);
    EXPECT_EQ(bulks[0].endpoint, 0x86);
    EXPECT_EQ(bulks[0].requested, frame.size());
    EXPECT_EQ(bulks[0].actual, frame.size());
    EXPECT_LT(triggers[0].sequence, bulks[0].sequence);
}

// Register values travel high byte first, working mode and trigger delay low
// byte first: a camera whose registers hold known values shows them through
// the API after the plug-in has read them.
class ByteOrder : public zoqtest::SimulatedCameraTest {};

TEST_F(ByteOrder, SensorRegistersArriveHighByteFirst) {
    zoqsim::SimDevice& device = Attach(52, 1);
    Model(device).setSensorRegister(0x08, 0x0000);
    Model(device).setSensorRegister(0x09, 0x1234);
    Init();
    int lines = 0;
    ASSERT_EQ(ZOQ_GetParam(0, ZOQ_PARAM_EXPOSURE_LINES, &lines), RC_SUCCESS);
    EXPECT_EQ(lines, 0x1234);
    auto reads = Requests(device, 0xC2);
    ASSERT_FALSE(reads.empty());
    for (const auto& read : reads) {
        if (read.setup.wValue != 0x09) continue;
        EXPECT_EQ(read.data, (std::vector<uint8_t>{0x00, 0x12, 0x34}));
    }
}

TEST_F(ByteOrder, TheWorkingModeArrivesLowByteFirst) {
    // Type 53 with FPGA 0.0 cannot read register 0 (its control word)
    // through the FPGA and reads it as the working mode instead.
    zoqsim::CameraConfig config;
    config.deviceType = 53;
    config.fpgaVersion = 0x0000;
    zoqsim::SimDevice& device = Attach(config);
    Model(device).setFpgaRegister(0, 0x1001);  // both trigger bits: mode 3
    Init();
    ZOQ_TRIGGERMODE mode = ZOQ_TRIGGERMODE_FREERUN;
    ASSERT_EQ(ZOQ_TriggerModeGet(0, &mode), RC_SUCCESS);
    EXPECT_EQ(mode, ZOQ_TRIGGERMODE_FIXED_FRAMERATE);
    auto reads = Requests(device, 0xCF);
    ASSERT_FALSE(reads.empty());
    EXPECT_EQ(reads[0].data, (std::vector<uint8_t>{0x00, 0x01, 0x10}));
}

}  // namespace
