// The vendor requests on endpoint 0, byte for byte.
#include <gtest/gtest.h>

#include "Wire.h"

namespace zoqsim::test {
namespace {

class Protocol : public ::testing::Test {
protected:
    std::unique_ptr<CameraModel> cam = camera(52);
};

TEST_F(Protocol, DeviceInformationCarriesTypeSerialAndFirmwareLowByteFirst) {
    CameraConfig config;
    config.deviceType = 104;
    config.serial = 5;
    config.firmwareVersion = 0x0102;
    auto imx = makeCamera(config);
    ASSERT_TRUE(imx);
    EXPECT_EQ(in(*imx, 0xC9, 0, 0, 5), (Bytes{0x00, 0x68, 0x05, 0x02, 0x01}));
}

TEST_F(Protocol, SensorRegistersTravelHighByteFirst) {
    EXPECT_EQ(in(*cam, 0xC3, 0x09, 0x1234, 3), (Bytes{0x00, 0x12, 0x34}));
    EXPECT_EQ(in(*cam, 0xC2, 0x09, 0, 3), (Bytes{0x00, 0x12, 0x34}));
    EXPECT_EQ(cam->sensorRegister(0x09), 0x1234);
    // A register outside the chip's map keeps what was written.
    EXPECT_EQ(in(*cam, 0xC2, 0x7777, 0, 3), (Bytes{0x00, 0x00, 0x00}));
    in(*cam, 0xC3, 0x7777, 0xBEEF, 3);
    EXPECT_EQ(in(*cam, 0xC2, 0x7777, 0, 3), (Bytes{0x00, 0xBE, 0xEF}));
}

TEST_F(Protocol, EightBitSensorRegistersKeepTheLowByte) {
    auto imx = camera(104);
    EXPECT_EQ(in(*imx, 0xC3, 1028, 0x01A5, 3), (Bytes{0x00, 0x00, 0xA5}));
    EXPECT_EQ(imx->sensorRegister(1028), 0xA5);
}

TEST_F(Protocol, GlobalGainSetsTheFourColourGains) {
    in(*cam, 0xC3, 0x35, 0x7860, 3);
    for (uint16_t reg : {0x2B, 0x2C, 0x2D, 0x2E}) EXPECT_EQ(cam->sensorRegister(reg), 0x7860) << reg;
}

TEST_F(Protocol, FpgaReadAddressesMapToRegisters) {
    cam->setFpgaRegister(0, 0x0801);
    cam->setFpgaRegister(111, 0x1111);
    cam->setFpgaRegister(112, 0x2222);
    cam->setFpgaRegister(9, 0x0903);
    EXPECT_EQ(in(*cam, 0x2A, 0xFF, 0, 3), (Bytes{0x00, 0x08, 0x01}));
    EXPECT_EQ(in(*cam, 0x2A, 0x89, 0, 3), (Bytes{0x00, 0x09, 0x03}));
    EXPECT_EQ(in(*cam, 0x2A, 0xEF, 0, 3), (Bytes{0x00, 0x11, 0x11}));
    EXPECT_EQ(in(*cam, 0x2A, 0x70, 0, 3), (Bytes{0x00, 0x22, 0x22}));
    // FPGA 9.0 does not fit register 128: its high byte says 0xE0.
    EXPECT_EQ(in(*cam, 0x2A, 0x80, 0, 3), (Bytes{0x00, 0xE0, 0x00}));
    // A plain register number is not a read address.
    EXPECT_EQ(in(*cam, 0x2A, 0x09, 0, 3), (Bytes{0x01, 0x00, 0x00}));
}

TEST_F(Protocol, FpgaWritesUseThePlainNumber) {
    EXPECT_EQ(in(*cam, 0x2B, 16, 0x2000, 3), (Bytes{0x00, 0x20, 0x00}));
    EXPECT_EQ(cam->fpgaRegister(16), 0x2000);
    EXPECT_EQ(in(*cam, 0x2A, 0x90, 0, 3), (Bytes{0x00, 0x20, 0x00}));
    // The version registers are read-only; numbers past 255 are refused.
    in(*cam, 0x2B, 128, 0, 3);
    EXPECT_NE(cam->fpgaRegister(128), 0);
    EXPECT_EQ(in(*cam, 0x2B, 256, 1, 3), (Bytes{0x01, 0x00, 0x00}));
}

TEST_F(Protocol, WorkingModeIsRegisterZeroLowByteFirst) {
    EXPECT_EQ(in(*cam, 0xCE, 0x1234, 0, 1), (Bytes{0x00}));
    EXPECT_EQ(cam->fpgaRegister(0), 0x1234);
    EXPECT_EQ(in(*cam, 0xCF, 0, 0, 3), (Bytes{0x00, 0x34, 0x12}));
    cam->setFpgaRegister(0, 0x0011);
    EXPECT_EQ(in(*cam, 0x2A, 0xFF, 0, 3), (Bytes{0x00, 0x00, 0x11}));
}

TEST_F(Protocol, EmptyFrameBufferBitActsOnceAndDropsWaitingFrames) {
    in(*cam, 0xC8, 0, 0, 1);
    ASSERT_TRUE(cam->bulkReady());
    in(*cam, 0xCE, 0x0101, 0, 1);
    EXPECT_FALSE(cam->bulkReady());
    EXPECT_EQ(cam->fpgaRegister(0), 0x0001);
}

TEST_F(Protocol, TriggerDelayIsRegisterThreeLowByteFirst) {
    EXPECT_EQ(in(*cam, 0xD6, 0xABCD, 0, 1), (Bytes{0x00}));
    EXPECT_EQ(cam->fpgaRegister(3), 0xABCD);
    EXPECT_EQ(in(*cam, 0xD8, 0, 0, 3), (Bytes{0x00, 0xCD, 0xAB}));
    EXPECT_EQ(in(*cam, 0x2A, 0x83, 0, 3), (Bytes{0x00, 0xAB, 0xCD}));
}

TEST_F(Protocol, SixteenBitEepromAddressesUseWValue) {
    EXPECT_EQ(in(*cam, 0xC5, 0x1FF0, 0x34, 1), (Bytes{0x00}));
    EXPECT_EQ(in(*cam, 0xC4, 0x1FF0, 0, 2), (Bytes{0x00, 0x34}));
    EXPECT_EQ(cam->eeprom(0x1FF0, 1), (Bytes{0x34}));
}

TEST_F(Protocol, Request0xD3CarriesItsAddressMostSignificantByteFirst) {
    EXPECT_EQ(out(*cam, 0xD3, 0, 0x00AB, {0x00, 0x03, 0xFF, 0xFF}), 4);
    EXPECT_EQ(cam->eeprom(0x3FFFF, 1), (Bytes{0xAB}));
    EXPECT_EQ(in(*cam, 0xD2, 0x0003, 0xFFFF, 2), (Bytes{0x00, 0xAB}));
    // Too short an address stalls.
    EXPECT_LT(out(*cam, 0xD3, 0, 1, {0x00, 0x03, 0xFF}), 0);
}

TEST_F(Protocol, BlockRequestsSplitTheAddressOverWValueAndWIndex) {
    EXPECT_EQ(out(*cam, 0xD5, 0x0003, 0xFFF0, {0x34, 0x12}), 2);
    EXPECT_EQ(cam->eeprom(0x3FFF0, 2), (Bytes{0x34, 0x12}));
    EXPECT_EQ(in(*cam, 0xD4, 0x0003, 0xFFF0, 2), (Bytes{0x34, 0x12}));
    EXPECT_EQ(in(*cam, 0xD4, 0x0000, 0x0000, 0), Bytes{});
}

TEST_F(Protocol, EepromAddressesBeyondTheChipAreRefused) {
    // Type 1: 256 KiB.
    EXPECT_EQ(in(*cam, 0xD2, 0x0004, 0x0000, 2), (Bytes{0x01, 0x00}));
    EXPECT_LT(out(*cam, 0xD3, 0, 1, {0x00, 0x04, 0x00, 0x00}), 0);
    EXPECT_FALSE(in(*cam, 0xD4, 0x0003, 0xFFFF, 2));
    EXPECT_LT(out(*cam, 0xD5, 0x0004, 0, {1}), 0);
    // Type 0: 8 KiB, 16-bit addresses.
    auto small = camera(3);
    EXPECT_EQ(small->facts().eepromBytes, 8192u);
    EXPECT_EQ(in(*small, 0xC4, 0x1FFF, 0, 2)->at(0), 0x00);
    EXPECT_EQ(in(*small, 0xC4, 0x2000, 0, 2), (Bytes{0x01, 0x00}));
    EXPECT_EQ(in(*small, 0xC5, 0x2000, 7, 1), (Bytes{0x01}));
}

TEST_F(Protocol, SerialNumberByteSitsAtTheTopOfTheEeprom) {
    CameraConfig config;
    config.deviceType = 67;  // EEPROM type 2
    config.serial = 9;
    auto mono = makeCamera(config);
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->facts().eepromType, 2);
    EXPECT_EQ(in(*mono, 0xC4, 0x3FFF, 0, 2), (Bytes{0x00, 0x09}));
}

TEST_F(Protocol, LutDownloadsByteOffsetUpTo64Bytes) {
    Bytes chunk(64);
    for (int i = 0; i < 64; ++i) chunk[i] = uint8_t(200 + i % 50);
    EXPECT_EQ(out(*cam, 0xDD, 4032, 0, chunk), 64);
    const Bytes lut = cam->lut();
    EXPECT_EQ(Bytes(lut.begin() + 4032, lut.end()), chunk);
    EXPECT_EQ(lut[4031], 4031 >> 4);  // untouched: power-on identity
    EXPECT_LT(out(*cam, 0xDD, 0, 0, Bytes(65)), 0);
    EXPECT_LT(out(*cam, 0xDD, 4064, 0, Bytes(64)), 0);
}

TEST_F(Protocol, GammaLutDownloadsEntriesLowByteFirst) {
    EXPECT_EQ(out(*cam, 0xE9, 10, 0, {0x34, 0x12, 0xFF, 0x00}), 4);
    const std::vector<uint16_t> gamma = cam->gammaLut();
    EXPECT_EQ(gamma[10], 0x1234);
    EXPECT_EQ(gamma[11], 0x00FF);
    EXPECT_EQ(out(*cam, 0xE9, 4064, 0, Bytes(64)), 64);
    EXPECT_LT(out(*cam, 0xE9, 4065, 0, Bytes(64)), 0);
    EXPECT_LT(out(*cam, 0xE9, 0, 0, Bytes(66)), 0);
    EXPECT_LT(out(*cam, 0xE9, 0, 0, Bytes(3)), 0);
}

TEST_F(Protocol, StatusOnlyRequestsAnswerOneByte) {
    for (uint8_t request : {0xC8, 0xDB, 0xE2, 0xCE, 0xD6})
        EXPECT_EQ(in(*cam, request, 0, 0, 1), (Bytes{0x00})) << int(request);
}

TEST_F(Protocol, UnknownRequestsAndWrongDirectionsStall) {
    EXPECT_FALSE(in(*cam, 0x55, 0, 0, 1));
    EXPECT_LT(out(*cam, 0xC2, 0, 0, {0, 0, 0}), 0);
    EXPECT_FALSE(in(*cam, 0xDD, 0, 0, 4));
}

TEST_F(Protocol, ShorterDataStagesGetThePrefixOfTheReply) {
    EXPECT_EQ(in(*cam, 0xC9, 0, 0, 2), (Bytes{0x00, 52}));
    EXPECT_EQ(in(*cam, 0xC9, 0, 0, 64)->size(), 5u);
}

TEST_F(Protocol, RefusalsSetTheStatusByteOrStall) {
    cam->refuseRequests(0xC2, 2);
    EXPECT_EQ(in(*cam, 0xC2, 0x01, 0, 3), (Bytes{0x01, 0x00, 0x00}));
    EXPECT_EQ(in(*cam, 0xC2, 0x01, 0, 3), (Bytes{0x01, 0x00, 0x00}));
    EXPECT_EQ(in(*cam, 0xC2, 0x01, 0, 3), (Bytes{0x00, 0x00, 54}));
    // A refused write changes nothing.
    cam->refuseRequests(0xC3, 1);
    EXPECT_EQ(in(*cam, 0xC3, 0x01, 99, 3)->at(0), 0x01);
    EXPECT_EQ(cam->sensorRegister(0x01), 54);
    // Requests without a status byte stall instead.
    cam->refuseRequests(0xD5, 1);
    EXPECT_LT(out(*cam, 0xD5, 0, 0, {1}), 0);
    EXPECT_EQ(out(*cam, 0xD5, 0, 0, {1}), 1);
    cam->refuseRequests(0xC8, 1);
    EXPECT_EQ(in(*cam, 0xC8, 0, 0, 1), (Bytes{0x01}));
    EXPECT_FALSE(cam->bulkReady());
}

TEST_F(Protocol, ShortRepliesCarryTheStatusByteOnly) {
    cam->shortReplies(0xCF, 1);
    cam->setFpgaRegister(0, 0x1234);
    EXPECT_EQ(in(*cam, 0xCF, 0, 0, 3), (Bytes{0x00}));
    EXPECT_EQ(in(*cam, 0xCF, 0, 0, 3), (Bytes{0x00, 0x34, 0x12}));
    // The request still acts.
    cam->shortReplies(0xC3, 1);
    EXPECT_EQ(in(*cam, 0xC3, 0x05, 77, 3), (Bytes{0x00}));
    EXPECT_EQ(cam->sensorRegister(0x05), 77);
}

TEST_F(Protocol, ResetDropsWaitingFramesAndKeepsRegisters) {
    in(*cam, 0xC3, 0x04, 1023, 3);
    in(*cam, 0xC8, 0, 0, 1);
    in(*cam, 0xC8, 0, 0, 1);
    EXPECT_EQ(cam->framesQueued(), 2);
    EXPECT_EQ(in(*cam, 0xDB, 0, 0, 1), (Bytes{0x00}));
    EXPECT_EQ(cam->framesQueued(), 0);
    EXPECT_EQ(cam->sensorRegister(0x04), 1023);
    uint8_t byte;
    EXPECT_EQ(cam->bulkIn(&byte, 1), UsbFunction::kBulkNotReady);
}

TEST_F(Protocol, PowerOnRestoresVolatileStateAndKeepsTheEeprom) {
    in(*cam, 0xC3, 0x04, 1023, 3);
    in(*cam, 0x2B, 8, 3, 3);
    in(*cam, 0xC5, 0x10, 0x5A, 1);
    out(*cam, 0xDD, 0, 0, {9, 9});
    in(*cam, 0xC8, 0, 0, 1);
    cam->powerOn();
    EXPECT_EQ(cam->sensorRegister(0x04), 2591);
    EXPECT_EQ(cam->fpgaRegister(8), 1);
    EXPECT_EQ(cam->lut()[1], 0);
    EXPECT_FALSE(cam->bulkReady());
    EXPECT_EQ(cam->eeprom(0x10, 1), (Bytes{0x5A}));
}

}  // namespace
}  // namespace zoqsim::test
