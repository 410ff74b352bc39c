/* MT9P031 register map as the sensor class uses it. */
#ifndef ZOQCAM_MT9P031_REGISTERS_H
#define ZOQCAM_MT9P031_REGISTERS_H

#include <cstddef>

namespace mt9p031 {

enum : unsigned short {
    REG_ROW_START = 0x01,
    REG_COLUMN_START = 0x02,
    REG_ROW_SIZE = 0x03,
    REG_COLUMN_SIZE = 0x04,
    REG_HORIZONTAL_BLANK = 0x05,
    REG_VERTICAL_BLANK = 0x06,
    REG_SHUTTER_UPPER = 0x08,
    REG_SHUTTER_LOWER = 0x09,
    REG_SHUTTER_DELAY = 0x0C,
    REG_READ_MODE_1 = 0x1E,
    REG_READ_MODE_2 = 0x20,
    REG_ROW_ADDRESS_MODE = 0x22,
    REG_COLUMN_ADDRESS_MODE = 0x23,
    REG_GAIN_GREEN1 = 0x2B,
    REG_GAIN_BLUE = 0x2C,
    REG_GAIN_RED = 0x2D,
    REG_GAIN_GREEN2 = 0x2E,
    REG_GAIN_GLOBAL = 0x35,
};

enum : unsigned short {
    READ_MODE_1_STROBE_ENABLE = 1u << 4,
    READ_MODE_1_STROBE_INVERT = 1u << 5,
    READ_MODE_2_MIRROR = 1u << 14,
    READ_MODE_2_FLIP = 1u << 15,
    ADDRESS_MODE_MASK = 0x37,  // bin bits 5:4 and skip bits 2:0
    ADDRESS_SKIP_MASK = 0x07,
    ADDRESS_BIN_SHIFT = 4,
    ADDRESS_BIN_MASK = 3,
};

// Window origin of the active array and the sensor's size.
constexpr unsigned kColumnOffset = 16;
constexpr unsigned kRowOffset = 54;
constexpr unsigned kMaxColumns = 2592;
constexpr unsigned kMaxRows = 1944;

constexpr unsigned kMaxExposureLines = 0x7FFFFFFF;

// The mirrored registers, in the order they are read at construction.
constexpr unsigned short kCachedRegisters[] = {
    REG_COLUMN_START,  REG_ROW_START,      REG_COLUMN_SIZE,      REG_ROW_SIZE,
    REG_ROW_ADDRESS_MODE, REG_COLUMN_ADDRESS_MODE, REG_HORIZONTAL_BLANK, REG_VERTICAL_BLANK,
    REG_SHUTTER_DELAY, REG_SHUTTER_LOWER,  REG_SHUTTER_UPPER,    REG_GAIN_RED,
    REG_GAIN_BLUE,     REG_GAIN_GREEN1,    REG_GAIN_GREEN2,      REG_READ_MODE_1,
    REG_READ_MODE_2,   REG_GAIN_GLOBAL};
constexpr std::size_t kCachedCount = sizeof(kCachedRegisters) / sizeof(kCachedRegisters[0]);

// The order of the write-back after a recovery (the global gain is not
// rewritten: the colour gains carry it).
constexpr unsigned short kRecoverOrder[] = {
    REG_COLUMN_START,  REG_ROW_START,      REG_COLUMN_SIZE,      REG_ROW_SIZE,
    REG_ROW_ADDRESS_MODE, REG_COLUMN_ADDRESS_MODE, REG_HORIZONTAL_BLANK, REG_VERTICAL_BLANK,
    REG_SHUTTER_DELAY, REG_SHUTTER_LOWER,  REG_SHUTTER_UPPER,    REG_GAIN_RED,
    REG_GAIN_BLUE,     REG_GAIN_GREEN1,    REG_GAIN_GREEN2,      REG_READ_MODE_1,
    REG_READ_MODE_2};

// What a successful write of a cached register changes beyond its shadow.
enum class FollowUp {
    None,
    Height,
    SyncThenWidth,
    SyncThenSizes,
    Sync,
    Exposure,
    SyncThenHeight,
    GlobalGain
};
struct RegisterFollowUp {
    unsigned short reg;
    FollowUp followUp;
};
constexpr RegisterFollowUp kFollowUps[] = {
    {REG_ROW_SIZE, FollowUp::Height},
    {REG_COLUMN_SIZE, FollowUp::SyncThenWidth},
    {REG_HORIZONTAL_BLANK, FollowUp::Sync},
    {REG_SHUTTER_DELAY, FollowUp::Sync},
    {REG_SHUTTER_UPPER, FollowUp::Exposure},
    {REG_SHUTTER_LOWER, FollowUp::Exposure},
    {REG_ROW_ADDRESS_MODE, FollowUp::SyncThenHeight},
    // The address mode of both sizes is read from the column skip bits, so
    // the height follows this register too.
    {REG_COLUMN_ADDRESS_MODE, FollowUp::SyncThenSizes},
    {REG_GAIN_GLOBAL, FollowUp::GlobalGain},
};

// A global gain write sets every colour gain of the sensor.
constexpr unsigned short kGainShadowsOfGlobal[] = {REG_GAIN_GREEN1, REG_GAIN_BLUE, REG_GAIN_RED,
                                                   REG_GAIN_GREEN2, REG_GAIN_GLOBAL};

// Skip and bin bits written to both address-mode registers, by address mode.
constexpr unsigned short kAddressModeBits[] = {0x00, 0x11, 0x22, 0x33, 0x07};
// Address mode read back from the column skip field (bits 2:0).
constexpr unsigned char kAddressModeOfSkip[] = {0, 1, 2, 3, 0, 0, 0, 4};

// Row timing constant k of the minimum horizontal blank, by row bin.
struct BlankConstant {
    unsigned rowBin;
    unsigned withoutColumnBin;
    unsigned withColumnBin;
};
constexpr BlankConstant kBlankConstants[] = {{1, 398, 388}, {3, 744, 734}};
constexpr BlankConstant kBlankConstantOtherwise = {0, 225, 215};

constexpr unsigned kGainEntries = 154;
extern const unsigned short g_MT9P031_GainTable[kGainEntries];

}  // namespace mt9p031

#endif
