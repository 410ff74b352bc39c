// The typed items of the camera's EEPROM: where each one lives on a type 1
// (24-bit addresses) and a type 2 (16-bit addresses) EEPROM, the requests
// that carry it, and what a request refused part way leaves behind.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "SimulatedCameraTest.h"

namespace {

using Bytes = std::vector<uint8_t>;
using zoqsim::ControlRecord;

constexpr uint8_t kRdByte16 = 0xC4;
constexpr uint8_t kWrByte16 = 0xC5;
constexpr uint8_t kRdByte24 = 0xD2;
constexpr uint8_t kWrByte24 = 0xD3;
constexpr uint8_t kRdBlock = 0xD4;
constexpr uint8_t kWrBlock = 0xD5;

class EepromItems : public zoqtest::SimulatedCameraTest {
protected:
    // Type 52 has a type 1 EEPROM, type 36 a type 2 one.
    void Start(int deviceType, int expectedEepromType) {
        m_camera = &Attach(deviceType);
        Init();
        ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
        ZOQ_EEPROM_TYPE type = ZOQ_EEPROM_TYPE_16BIT_8K;
        ASSERT_EQ(ZOQ_EEPROMTypeGet(0, &type), RC_SUCCESS);
        ASSERT_EQ(static_cast<int>(type), expectedEepromType);
        m_camera->clearRecords();
    }

    Bytes Stored(uint32_t address, size_t count) const {
        return Model(*m_camera).eeprom(address, count);
    }

    // The EEPROM requests since the last call.
    std::vector<ControlRecord> Traffic() {
        std::vector<ControlRecord> eeprom;
        for (const ControlRecord& r : m_camera->controlRecords())
            if (r.setup.bRequest == kRdByte16 || r.setup.bRequest == kWrByte16 ||
                (r.setup.bRequest >= kRdByte24 && r.setup.bRequest <= kWrBlock))
                eeprom.push_back(r);
        m_camera->clearRecords();
        return eeprom;
    }

    static void ExpectSetup(const ControlRecord& r, uint8_t request, uint16_t value, uint16_t index,
                            uint16_t length) {
        EXPECT_EQ(r.setup.bRequest, request);
        EXPECT_EQ(r.setup.wValue, value) << "request " << int(request);
        EXPECT_EQ(r.setup.wIndex, index) << "request " << int(request);
        EXPECT_EQ(r.setup.wLength, length) << "request " << int(request);
    }

    zoqsim::SimDevice* m_camera = nullptr;
};

// The 16-bit items: value in, bytes low first at the address, same value
// out.
struct WordItem {
    const char* name;
    int (*program)(int, unsigned short);
    int (*readout)(int, unsigned short*);
    uint32_t address;  // on a type 1 EEPROM
};

const WordItem kWordItems[] = {
    {"working mode", ZOQ_WorkingModeProgram, ZOQ_WorkingModeReadout, 0x3FFF0},
    {"extended working mode", ZOQ_WorkingModeExProgram, ZOQ_WorkingModeExReadout, 0x3FFF4},
    {"colour mode", ZOQ_ColorModeProgram, ZOQ_ColorModeReadout, 0x3FFF2},
    {"LUT information", ZOQ_LutInfoProgram, ZOQ_LutInfoReadout, 0x2FFF0},
    {"gamma LUT information", ZOQ_GammaLutInfoProgram, ZOQ_GammaLutInfoReadout, 0x2FFF2},
};

TEST_F(EepromItems, EveryItemOfATypeOneEepromComesBackAsProgrammed) {
    Start(52, 1);
    unsigned short value = 0x1000;
    for (const WordItem& item : kWordItems) {
        ++value;
        ASSERT_EQ(item.program(0, value), RC_SUCCESS) << item.name;
        EXPECT_EQ(Stored(item.address, 2), (Bytes{uint8_t(value & 0xFF), uint8_t(value >> 8)}))
            << item.name;
        unsigned short back = 0;
        EXPECT_EQ(item.readout(0, &back), RC_SUCCESS) << item.name;
        EXPECT_EQ(back, value) << item.name;
    }
    // Neighbouring items did not overwrite each other.
    for (const WordItem& item : kWordItems) {
        unsigned short back = 0;
        ASSERT_EQ(item.readout(0, &back), RC_SUCCESS);
        EXPECT_EQ(back, 0x1001 + (&item - kWordItems)) << item.name;
    }

    unsigned char desc[16], descBack[16] = {};
    for (int i = 0; i < 16; ++i) desc[i] = static_cast<unsigned char>('A' + i * 3);
    ASSERT_EQ(ZOQ_SerialsDescProgram(0, desc), RC_SUCCESS);
    EXPECT_EQ(Stored(0x3FFE0, 16), Bytes(desc, desc + 16));
    ASSERT_EQ(ZOQ_SerialsDescReadout(0, descBack), RC_SUCCESS);
    EXPECT_EQ(Bytes(descBack, descBack + 16), Bytes(desc, desc + 16));

    // Fixed point with 12 fractional bits: these values are exact.
    float gains[3] = {1.0f, 0.5f, -0.25f}, gainsBack[3] = {};
    ASSERT_EQ(ZOQ_HWBMatrixProgram(0, gains), RC_SUCCESS);
    EXPECT_EQ(Stored(0x3F000, 6), (Bytes{0x00, 0x10, 0x00, 0x08, 0x00, 0xFC}));
    ASSERT_EQ(ZOQ_HWBMatrixReadout(0, gainsBack), RC_SUCCESS);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(gainsBack[i], gains[i]) << i;

    float matrix[3][3] = {{1.5f, -0.25f, -0.25f},
                          {-0.125f, 1.25f, 0.0f},
                          {32767.0f / 4096, -8.0f, 1.0f / 4096}};  // the extremes
    float matrixBack[3][3] = {};
    ASSERT_EQ(ZOQ_HCCMMatrixProgram(0, matrix), RC_SUCCESS);
    const Bytes stored = Stored(0x3F006, 18);
    EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 2), (Bytes{0x00, 0x18}));
    EXPECT_EQ(Bytes(stored.end() - 6, stored.end()), (Bytes{0xFF, 0x7F, 0x00, 0x80, 0x01, 0x00}));
    ASSERT_EQ(ZOQ_HCCMMatrixReadout(0, matrixBack), RC_SUCCESS);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(matrixBack[r][c], matrix[r][c]) << r << c;
    // The white-balance gains just below the matrix are still there.
    EXPECT_EQ(Stored(0x3F000, 6), (Bytes{0x00, 0x10, 0x00, 0x08, 0x00, 0xFC}));

    unsigned char serial = 0;
    ASSERT_EQ(ZOQ_SetSerials(0, 0xA7), RC_SUCCESS);
    EXPECT_EQ(Stored(0x3FFFF, 1), Bytes{0xA7});
    ASSERT_EQ(ZOQ_GetSerials(0, &serial), RC_SUCCESS);
    EXPECT_EQ(serial, 0xA7);
}

TEST_F(EepromItems, ATypeTwoEepromHoldsWhatItsCameraReportsAndRefusesTheRestUnasked) {
    // Type 36 with a type 2 EEPROM reports the working mode only.
    Start(36, 2);
    ASSERT_EQ(ZOQ_WorkingModeProgram(0, 0x2468), RC_SUCCESS);
    EXPECT_EQ(Stored(0x3FF0, 2), (Bytes{0x68, 0x24}));
    unsigned short mode = 0;
    ASSERT_EQ(ZOQ_WorkingModeReadout(0, &mode), RC_SUCCESS);
    EXPECT_EQ(mode, 0x2468);

    unsigned char serial = 0;
    ASSERT_EQ(ZOQ_SetSerials(0, 0x3C), RC_SUCCESS);
    EXPECT_EQ(Stored(0x3FFF, 1), Bytes{0x3C});
    ASSERT_EQ(ZOQ_GetSerials(0, &serial), RC_SUCCESS);
    EXPECT_EQ(serial, 0x3C);
    Traffic();

    for (const WordItem& item : kWordItems) {
        if (item.program == ZOQ_WorkingModeProgram) continue;
        unsigned short back = 0x5555;
        EXPECT_EQ(item.program(0, 0x1234), RC_NOT_SUPPORTED) << item.name;
        EXPECT_EQ(item.readout(0, &back), RC_NOT_SUPPORTED) << item.name;
    }
    // The LUT information reads report 0 where they cannot read.
    unsigned short info = 0x5555;
    EXPECT_EQ(ZOQ_LutInfoReadout(0, &info), RC_NOT_SUPPORTED);
    EXPECT_EQ(info, 0);
    info = 0x5555;
    EXPECT_EQ(ZOQ_GammaLutInfoReadout(0, &info), RC_NOT_SUPPORTED);
    EXPECT_EQ(info, 0);
    unsigned char desc[16] = {1, 2, 3};
    float gains[3] = {1, 1, 1};
    float matrix[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    EXPECT_EQ(ZOQ_SerialsDescProgram(0, desc), RC_NOT_SUPPORTED);
    EXPECT_EQ(ZOQ_SerialsDescReadout(0, desc), RC_NOT_SUPPORTED);
    EXPECT_EQ(ZOQ_HWBMatrixProgram(0, gains), RC_NOT_SUPPORTED);
    EXPECT_EQ(ZOQ_HWBMatrixReadout(0, gains), RC_NOT_SUPPORTED);
    EXPECT_EQ(ZOQ_HCCMMatrixProgram(0, matrix), RC_NOT_SUPPORTED);
    EXPECT_EQ(ZOQ_HCCMMatrixReadout(0, matrix), RC_NOT_SUPPORTED);
    EXPECT_TRUE(Traffic().empty());
}

TEST_F(EepromItems, TypeOneItemsTravelAsBlocksOrOneByteAtATime) {
    Start(52, 1);
    // A 16-bit block item: one block write, the address split over value and
    // index, the bytes low first in the data stage.
    ASSERT_EQ(ZOQ_WorkingModeProgram(0, 0x1234), RC_SUCCESS);
    auto t = Traffic();
    ASSERT_EQ(t.size(), 1u);
    ExpectSetup(t[0], kWrBlock, 0x0003, 0xFFF0, 2);
    EXPECT_EQ(t[0].data, (Bytes{0x34, 0x12}));
    unsigned short mode = 0;
    ASSERT_EQ(ZOQ_WorkingModeReadout(0, &mode), RC_SUCCESS);
    t = Traffic();
    ASSERT_EQ(t.size(), 1u);
    ExpectSetup(t[0], kRdBlock, 0x0003, 0xFFF0, 2);

    // The serial description: one block of 16 bytes.
    unsigned char desc[16];
    for (int i = 0; i < 16; ++i) desc[i] = static_cast<unsigned char>(0x30 + i);
    ASSERT_EQ(ZOQ_SerialsDescProgram(0, desc), RC_SUCCESS);
    t = Traffic();
    ASSERT_EQ(t.size(), 1u);
    ExpectSetup(t[0], kWrBlock, 0x0003, 0xFFE0, 16);
    EXPECT_EQ(t[0].data, Bytes(desc, desc + 16));

    // A 16-bit byte item: two byte requests with 24-bit addresses in the data
    // stage, ascending.
    ASSERT_EQ(ZOQ_LutInfoProgram(0, 0xBEEF), RC_SUCCESS);
    t = Traffic();
    ASSERT_EQ(t.size(), 2u);
    ExpectSetup(t[0], kWrByte24, 0, 0xEF, 4);
    EXPECT_EQ(t[0].data, (Bytes{0x00, 0x02, 0xFF, 0xF0}));
    ExpectSetup(t[1], kWrByte24, 0, 0xBE, 4);
    EXPECT_EQ(t[1].data, (Bytes{0x00, 0x02, 0xFF, 0xF1}));
    unsigned short info = 0;
    ASSERT_EQ(ZOQ_LutInfoReadout(0, &info), RC_SUCCESS);
    t = Traffic();
    ASSERT_EQ(t.size(), 2u);
    ExpectSetup(t[0], kRdByte24, 0x0002, 0xFFF0, 2);
    ExpectSetup(t[1], kRdByte24, 0x0002, 0xFFF1, 2);

    // A matrix: one byte request per byte, two per value, low byte first.
    float gains[3] = {1.0f, 0.5f, -0.25f};
    ASSERT_EQ(ZOQ_HWBMatrixProgram(0, gains), RC_SUCCESS);
    t = Traffic();
    ASSERT_EQ(t.size(), 6u);
    const uint8_t bytes[6] = {0x00, 0x10, 0x00, 0x08, 0x00, 0xFC};
    for (int i = 0; i < 6; ++i) {
        ExpectSetup(t[i], kWrByte24, 0, bytes[i], 4);
        EXPECT_EQ(t[i].data, (Bytes{0x00, 0x03, 0xF0, uint8_t(i)})) << i;
    }

    // The serial number byte: one byte request.
    ASSERT_EQ(ZOQ_SetSerials(0, 7), RC_SUCCESS);
    t = Traffic();
    ASSERT_EQ(t.size(), 1u);
    ExpectSetup(t[0], kWrByte24, 0, 7, 4);
    EXPECT_EQ(t[0].data, (Bytes{0x00, 0x03, 0xFF, 0xFF}));
}

TEST_F(EepromItems, TypeTwoItemsUseSixteenBitAddresses) {
    Start(36, 2);
    // A block with the high address word 0.
    ASSERT_EQ(ZOQ_WorkingModeProgram(0, 0x0A0B), RC_SUCCESS);
    auto t = Traffic();
    ASSERT_EQ(t.size(), 1u);
    ExpectSetup(t[0], kWrBlock, 0, 0x3FF0, 2);
    EXPECT_EQ(t[0].data, (Bytes{0x0B, 0x0A}));
    unsigned short mode = 0;
    ASSERT_EQ(ZOQ_WorkingModeReadout(0, &mode), RC_SUCCESS);
    t = Traffic();
    ASSERT_EQ(t.size(), 1u);
    ExpectSetup(t[0], kRdBlock, 0, 0x3FF0, 2);
    // A byte request with the address in the value and the byte in the index.
    ASSERT_EQ(ZOQ_SetSerials(0, 0x42), RC_SUCCESS);
    t = Traffic();
    ASSERT_EQ(t.size(), 1u);
    ExpectSetup(t[0], kWrByte16, 0x3FFF, 0x42, 1);
    unsigned char serial = 0;
    ASSERT_EQ(ZOQ_GetSerials(0, &serial), RC_SUCCESS);
    t = Traffic();
    ASSERT_EQ(t.size(), 1u);
    ExpectSetup(t[0], kRdByte16, 0x3FFF, 0, 2);
}

TEST_F(EepromItems, ARequestRefusedPartWayStopsTheItemThere) {
    Start(52, 1);
    float matrix[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    ASSERT_EQ(ZOQ_HCCMMatrixProgram(0, matrix), RC_SUCCESS);
    const Bytes identity = Stored(0x3F006, 18);
    Traffic();

    // The sixth byte request stalls: five bytes are written, nothing after.
    float next[3][3] = {{2, 2, 2}, {2, 2, 2}, {2, 2, 2}};
    Model(*m_camera).refuseRequests(kWrByte24, 1, 5);
    EXPECT_EQ(ZOQ_HCCMMatrixProgram(0, next), RC_NOT_SUPPORTED);
    EXPECT_EQ(Traffic().size(), 6u);
    Bytes expected = identity;
    const uint8_t two[2] = {0x00, 0x20};
    for (int i = 0; i < 5; ++i) expected[i] = two[i % 2];
    EXPECT_EQ(Stored(0x3F006, 18), expected);

    // A read refused on the fourth byte: the first value is in, the rest
    // of the caller's matrix is untouched.
    float back[3][3] = {{9, 9, 9}, {9, 9, 9}, {9, 9, 9}};
    Model(*m_camera).refuseRequests(kRdByte24, 1, 3);
    EXPECT_EQ(ZOQ_HCCMMatrixReadout(0, back), RC_FAIL);
    EXPECT_EQ(Traffic().size(), 4u);
    EXPECT_EQ(back[0][0], 2.0f);
    EXPECT_EQ(back[0][1], 9.0f);
    EXPECT_EQ(back[2][2], 9.0f);

    // A 16-bit value is written to the caller only when both bytes are in.
    ASSERT_EQ(ZOQ_LutInfoProgram(0, 0x4321), RC_SUCCESS);
    unsigned short info = 0x5555;
    Model(*m_camera).refuseRequests(kRdByte24, 1, 1);
    EXPECT_EQ(ZOQ_LutInfoReadout(0, &info), RC_FAIL);
    EXPECT_EQ(info, 0x5555);
    // A refused block leaves the item as it was.
    ASSERT_EQ(ZOQ_WorkingModeProgram(0, 0x1111), RC_SUCCESS);
    Model(*m_camera).refuseRequests(kWrBlock, 1);
    EXPECT_NE(ZOQ_WorkingModeProgram(0, 0x2222), RC_SUCCESS);
    EXPECT_EQ(Stored(0x3FFF0, 2), (Bytes{0x11, 0x11}));
    unsigned short mode = 0;
    EXPECT_EQ(ZOQ_WorkingModeReadout(0, &mode), RC_SUCCESS);
    EXPECT_EQ(mode, 0x1111);
}

}  // namespace
