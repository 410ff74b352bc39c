// Table files for the camera's look-up tables: header checks, skipped
// records and the table itself.
#include <gtest/gtest.h>

#include <vector>

#include "TempFile.h"
#include "rawroad/ZOQDevice_Image_LutFile.h"
#include "zoq_errors.h"

namespace {

using rawroadtest::TableFile;
using rawroadtest::TempFile;

std::vector<unsigned> Ramp(unsigned count, unsigned step) {
    std::vector<unsigned> entries;
    for (unsigned i = 0; i < count; ++i) entries.push_back(i * step);
    return entries;
}

TEST(TableFile, TheTableFollowsTheSkippedRecords) {
    TempFile file(TableFile(0x0100, 'A', 8, 3, 256, Ramp(256, 1), 1));
    ZoqLutShadows shadow;
    int bits = 0;
    ASSERT_EQ(ZoqReadTableFile(file.path(), kZoqTableLut, shadow.lut, &bits), RC_SUCCESS);
    EXPECT_EQ(bits, 8);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(shadow.lut[i], i);
}

TEST(TableFile, GammaEntriesAreLittleEndianWords) {
    TempFile file(TableFile(0x0100, 'C', 12, 0, 4096, Ramp(4096, 16), 2));
    ZoqLutShadows shadow;
    int bits = 0;
    ASSERT_EQ(ZoqReadTableFile(file.path(), kZoqTableGammaLut, shadow.gammaLut, &bits),
              RC_SUCCESS);
    EXPECT_EQ(bits, 12);
    EXPECT_EQ(shadow.gammaLut[1], 16);
    EXPECT_EQ(shadow.gammaLut[4095], 4095 * 16);
}

TEST(TableFile, RefusalsByHeader) {
    ZoqLutShadows shadow;
    int bits = -1;
    TempFile gammaFile(TableFile(0x0100, 'C', 8, 0, 256, Ramp(256, 1), 2));
    EXPECT_EQ(ZoqReadTableFile(gammaFile.path(), kZoqTableLut, shadow.lut, &bits),
              RC_ILLEGAL_OPERATION);
    TempFile lutFile(TableFile(0x0100, 'A', 8, 0, 256, Ramp(256, 1), 1));
    EXPECT_EQ(ZoqReadTableFile(lutFile.path(), kZoqTableGammaLut, shadow.gammaLut, &bits),
              RC_ILLEGAL_OPERATION);
    TempFile version(TableFile(0x0200, 'A', 8, 0, 256, Ramp(256, 1), 1));
    EXPECT_EQ(ZoqReadTableFile(version.path(), kZoqTableLut, shadow.lut, &bits),
              RC_VERSION_ERROR);
    TempFile tooLong(TableFile(0x0100, 'A', 12, 0, 5000, Ramp(5000, 0), 1));
    EXPECT_EQ(ZoqReadTableFile(tooLong.path(), kZoqTableLut, shadow.lut, &bits), RC_FAIL);
    EXPECT_EQ(bits, -1);
}

TEST(TableFile, ShortFilesFail) {
    ZoqLutShadows shadow;
    std::vector<unsigned char> bytes = TableFile(0x0100, 'A', 8, 0, 256, Ramp(256, 1), 1);
    bytes.pop_back();
    TempFile shortTable(bytes);
    EXPECT_EQ(ZoqReadTableFile(shortTable.path(), kZoqTableLut, shadow.lut, nullptr), RC_FAIL);
    // More skipped records than the file holds.
    bytes = TableFile(0x0100, 'A', 8, 0, 0, {}, 1);
    bytes[20] = bytes[21] = bytes[22] = bytes[23] = 0xFF;
    TempFile records(bytes);
    EXPECT_EQ(ZoqReadTableFile(records.path(), kZoqTableLut, shadow.lut, nullptr), RC_FAIL);
    TempFile header(std::vector<unsigned char>(27, 0));
    EXPECT_EQ(ZoqReadTableFile(header.path(), kZoqTableLut, shadow.lut, nullptr), RC_FAIL);
    EXPECT_EQ(ZoqReadTableFile("/nonexistent/zoq_lut", kZoqTableLut, shadow.lut, nullptr),
              RC_FAIL);
    EXPECT_EQ(ZoqReadTableFile(nullptr, kZoqTableLut, shadow.lut, nullptr), RC_PARAMETER_ERROR);
}

TEST(TableFile, LengthsAreTwoToTheInputBits) {
    EXPECT_EQ(ZoqTableLength(0), 1);
    EXPECT_EQ(ZoqTableLength(12), 4096);
    EXPECT_EQ(ZoqTableLength(30), 1 << 30);
    EXPECT_EQ(ZoqTableLength(31), -1);
    EXPECT_EQ(ZoqTableLength(-1), -1);
}

}  // namespace
