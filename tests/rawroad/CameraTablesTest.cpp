// The camera's look-up tables on a simulated MT9P031: downloads on the wire,
// table files and the switches.
#include <gtest/gtest.h>

#include <vector>

#include "SimulatedCameraTest.h"
#include "TempFile.h"

namespace {

using rawroadtest::TableFile;
using rawroadtest::TempFile;

constexpr uint8_t kDownloadLut = 0xDD;
constexpr uint8_t kDownloadGammaLut = 0xE9;

class CameraTables : public zoqtest::SimulatedCameraTest {
protected:
    void Open(int fpgaVersion = -1, int deviceType = 52) {
        zoqsim::CameraConfig config;
        config.deviceType = deviceType;
        config.fpgaVersion = fpgaVersion;
        m_camera = &Attach(config);
        Init();
        ASSERT_EQ(ZOQ_DeviceGetCount(), 1);
        m_camera->clearRecords();
    }

    size_t Sent(uint8_t request) { return Requests(*m_camera, request).size(); }

    zoqsim::SimDevice* m_camera = nullptr;
};

std::vector<unsigned char> InvertedLut() {
    std::vector<unsigned char> lut(4096);
    for (int i = 0; i < 4096; ++i) lut[i] = static_cast<unsigned char>(255 - i / 16);
    return lut;
}

std::vector<unsigned short> GammaRamp() {
    std::vector<unsigned short> table(4096);
    for (int i = 0; i < 4096; ++i) table[i] = static_cast<unsigned short>(i * 16 + 3);
    return table;
}

TEST_F(CameraTables, AWholeLutTravelsInSixtyFourByteChunks) {
    Open();
    std::vector<unsigned char> lut = InvertedLut();
    ASSERT_EQ(ZOQ_LutDataDownload(0, lut.data(), 4096), RC_SUCCESS);
    std::vector<zoqsim::ControlRecord> chunks = Requests(*m_camera, kDownloadLut);
    ASSERT_EQ(chunks.size(), 64u);
    for (size_t i = 0; i < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].setup.wValue, i * 64) << i;
        EXPECT_EQ(chunks[i].setup.wLength, 64) << i;
        EXPECT_TRUE(std::equal(chunks[i].data.begin(), chunks[i].data.end(), lut.begin() + 64 * i));
    }
    EXPECT_EQ(Model(*m_camera).lut(), lut);
}

TEST_F(CameraTables, AWholeGammaLutTravelsInThirtyTwoEntryChunks) {
    Open();
    std::vector<unsigned short> table = GammaRamp();
    ASSERT_EQ(ZOQ_GammaLutDataDownload(0, table.data(), 4096), RC_SUCCESS);
    std::vector<zoqsim::ControlRecord> chunks = Requests(*m_camera, kDownloadGammaLut);
    ASSERT_EQ(chunks.size(), 128u);
    for (size_t i = 0; i < chunks.size(); ++i) {
        EXPECT_EQ(chunks[i].setup.wValue, i * 32) << i;
        EXPECT_EQ(chunks[i].setup.wLength, 64) << i;
    }
    EXPECT_EQ(Model(*m_camera).gammaLut(), table);
}

TEST_F(CameraTables, ALengthOtherThanTheCamerasIsRefusedBeforeSending) {
    Open();
    int bits = 0;
    ASSERT_EQ(ZOQ_QueryFunction(0, ZOQ_FUNC_LUT_INPUT_BITS, &bits), RC_SUCCESS);
    ASSERT_EQ(bits, 12);
    std::vector<unsigned char> lut(8192, 1);
    EXPECT_EQ(ZOQ_LutDataDownload(0, lut.data(), 2048), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_LutDataDownload(0, lut.data(), 8192), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_LutDataDownload(0, nullptr, 4096), RC_PARAMETER_ERROR);
    std::vector<unsigned short> gamma(4096, 1);
    EXPECT_EQ(ZOQ_GammaLutDataDownload(0, gamma.data(), 4095), RC_PARAMETER_ERROR);
    EXPECT_EQ(Sent(kDownloadLut) + Sent(kDownloadGammaLut), 0u);
}

TEST_F(CameraTables, TableFilesAreDownloadedWithTheLengthTheirHeaderGives) {
    Open();
    std::vector<unsigned> entries;
    for (unsigned char v : InvertedLut()) entries.push_back(v);
    TempFile lutFile(TableFile(0x0100, 'A', 12, 2, 4096, entries, 1));
    ASSERT_EQ(ZOQ_LutFileDownload(0, lutFile.path()), RC_SUCCESS);
    EXPECT_EQ(Model(*m_camera).lut(), InvertedLut());

    std::vector<unsigned> gammaEntries;
    for (unsigned short v : GammaRamp()) gammaEntries.push_back(v);
    TempFile gammaFile(TableFile(0x0100, 'C', 12, 0, 4096, gammaEntries, 2));
    ASSERT_EQ(ZOQ_GammaLutFileDownload(0, gammaFile.path()), RC_SUCCESS);
    EXPECT_EQ(Model(*m_camera).gammaLut(), GammaRamp());
}

TEST_F(CameraTables, RefusedTableFilesSendNothing) {
    Open();
    std::vector<unsigned> entries(4096, 7);
    TempFile gammaKind(TableFile(0x0100, 'C', 12, 0, 4096, entries, 1));
    EXPECT_EQ(ZOQ_LutFileDownload(0, gammaKind.path()), RC_ILLEGAL_OPERATION);
    TempFile version(TableFile(0x0200, 'A', 12, 0, 4096, entries, 1));
    EXPECT_EQ(ZOQ_LutFileDownload(0, version.path()), RC_VERSION_ERROR);
    TempFile tooLong(TableFile(0x0100, 'A', 12, 0, 5000, std::vector<unsigned>(5000, 7), 1));
    EXPECT_EQ(ZOQ_LutFileDownload(0, tooLong.path()), RC_FAIL);
    // A header that promises a longer table than the camera takes.
    TempFile wideInput(TableFile(0x0100, 'A', 13, 0, 4096, entries, 1));
    EXPECT_EQ(ZOQ_LutFileDownload(0, wideInput.path()), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_LutFileDownload(0, "/nonexistent/zoq.lut"), RC_FAIL);
    EXPECT_EQ(ZOQ_LutFileDownload(0, nullptr), RC_PARAMETER_ERROR);
    EXPECT_EQ(ZOQ_GammaLutFileDownload(0, nullptr), RC_PARAMETER_ERROR);
    EXPECT_EQ(Sent(kDownloadLut) + Sent(kDownloadGammaLut), 0u);
}

TEST_F(CameraTables, TheLutSwitchesReachTheCamera) {
    Open(-1, 53);  // its FPGA control register is writable
    bool on = false;
    ASSERT_EQ(ZOQ_LutSetEnable(0, true), RC_SUCCESS);
    ASSERT_EQ(ZOQ_LutGetEnable(0, &on), RC_SUCCESS);
    EXPECT_TRUE(on);
    ASSERT_EQ(ZOQ_GammaLutSetEnable(0, true), RC_SUCCESS);
    ASSERT_EQ(ZOQ_GammaLutGetEnable(0, &on), RC_SUCCESS);
    EXPECT_TRUE(on);
    ASSERT_EQ(ZOQ_LutSetEnable(0, false), RC_SUCCESS);
    ASSERT_EQ(ZOQ_LutGetEnable(0, &on), RC_SUCCESS);
    EXPECT_FALSE(on);
}

TEST_F(CameraTables, ACameraWithoutTablesRefusesThem) {
    Open(0x0200);  // an FPGA version without look-up tables
    std::vector<unsigned char> lut(4096, 0);
    EXPECT_EQ(ZOQ_LutDataDownload(0, lut.data(), 4096), RC_NOT_SUPPORTED);
    std::vector<unsigned short> gamma(4096, 0);
    EXPECT_EQ(ZOQ_GammaLutDataDownload(0, gamma.data(), 4096), RC_NOT_SUPPORTED);
    EXPECT_EQ(ZOQ_LutSetEnable(0, true), RC_NOT_SUPPORTED);
    EXPECT_EQ(Sent(kDownloadLut) + Sent(kDownloadGammaLut), 0u);
}

}  // namespace
