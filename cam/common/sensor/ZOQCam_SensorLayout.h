/* What a sensor class declares about its chip, as data: the mirrored
 * registers, the registers and codes of gain, exposure lines, window and
 * address modes, and the bits of flip, mirror and strobe. The shared sensor
 * class (CZOQCamSensor) carries out every operation that these describe, so
 * a chip's own code is only what its formulas add. */
#ifndef ZOQCAM_SENSORLAYOUT_H
#define ZOQCAM_SENSORLAYOUT_H

#include <cstddef>

#include "sensor/ZOQCam_ColorPresets.h"

// Largest register cache of any chip.
constexpr std::size_t kZOQMaxSensorRegisters = 40;

// A list of register addresses (a view of a static array).
struct ZOQRegisterList {
    const unsigned short* regs;
    std::size_t count;

    const unsigned short* begin() const { return regs; }
    const unsigned short* end() const { return regs + count; }
    bool Contains(unsigned int reg) const {
        for (unsigned short item : *this)
            if (item == reg) return true;
        return false;
    }
};

template <std::size_t N>
constexpr ZOQRegisterList ZOQRegisters(const unsigned short (&regs)[N]) {
    return ZOQRegisterList{regs, N};
}

// The mirrored registers; the cache holds at most kZOQMaxSensorRegisters.
template <std::size_t N>
constexpr ZOQRegisterList ZOQCachedRegisters(const unsigned short (&regs)[N]) {
    static_assert(N <= kZOQMaxSensorRegisters, "too many cached sensor registers");
    return ZOQRegisterList{regs, N};
}

// Gain operations address one of four channels; a monochrome model sends
// the colour channels to the global one.
enum ZOQ_GAINCHANNEL { GAIN_RED, GAIN_GREEN, GAIN_BLUE, GAIN_GLOBAL, kZOQGainChannels };

// The registers a gain channel writes, in order, and the one its getter
// reads.
struct ZOQGainRegisters {
    static constexpr std::size_t kMax = 5;
    unsigned short reg[kMax];
    unsigned char count;
    unsigned short read;
};

// How a gain index becomes a register value: a table entry, or the index
// plus an offset. Only the bits of writeMask are replaced (the others keep
// their cached value); the getter reads the bits of readMask back.
struct ZOQGainCode {
    const unsigned short* table;  // null: value = index + offset
    unsigned short tableSize;
    unsigned short minIndex;
    unsigned short maxIndex;
    unsigned short offset;
    unsigned short writeMask;
    unsigned short readMask;
};

// A global gain register whose write the chip copies into its colour gain
// registers (reg 0: the chip has none).
struct ZOQGainMirror {
    unsigned short reg;
    unsigned short copies[4];
};

struct ZOQGainLayout {
    ZOQGainRegisters channel[kZOQGainChannels];  // red, green, blue, global
    ZOQGainCode code;
    ZOQGainMirror mirror;
};

// Gain register values from a table of `entries` values (indices
// 0 .. entries - 1).
constexpr ZOQGainCode ZOQTableGain(const unsigned short* table, unsigned short entries) {
    return ZOQGainCode{table, entries, 0,     static_cast<unsigned short>(entries - 1),
                       0,     0xFFFF,  0xFFFF};
}

// Gain register value = index + offset, for indices minIndex .. maxIndex.
constexpr ZOQGainCode ZOQOffsetGain(unsigned short minIndex, unsigned short maxIndex,
                                    unsigned short offset, unsigned short writeMask,
                                    unsigned short readMask) {
    return ZOQGainCode{nullptr, 0, minIndex, maxIndex, offset, writeMask, readMask};
}

// One register for every channel.
constexpr ZOQGainLayout ZOQSingleGain(unsigned short reg, ZOQGainCode code) {
    return ZOQGainLayout{
        {{{reg}, 1, reg}, {{reg}, 1, reg}, {{reg}, 1, reg}, {{reg}, 1, reg}}, code, {}};
}

// Red, the two greens (written in this order, the first read back), blue
// and a global gain.
constexpr ZOQGainLayout ZOQColourGains(unsigned short red, unsigned short green1,
                                       unsigned short green2, unsigned short blue,
                                       unsigned short global, ZOQGainCode code,
                                       ZOQGainMirror mirror) {
    return ZOQGainLayout{
        {{{red}, 1, red}, {{green1, green2}, 2, green1}, {{blue}, 1, blue}, {{global}, 1, global}},
        code,
        mirror};
}

// One register's share of the exposure line count: (value >> shift) & mask.
struct ZOQLinePart {
    unsigned short reg;
    unsigned char shift;
    unsigned short mask;
};

// The line count's registers in write order, and its range.
struct ZOQLineLayout {
    static constexpr std::size_t kMaxParts = 3;
    ZOQLinePart part[kMaxParts];
    unsigned char count;
    unsigned int minLines;
    unsigned int maxLines;
};

// A window register: holds value + offset; read back as
// (register AND readMask) - offset.
struct ZOQWindowRegister {
    unsigned short reg;
    int offset;
    unsigned short readMask;
};

struct ZOQFovLimits {
    unsigned int minColumns, maxColumns, minRows, maxRows;
};

// Bits that the window check clears from the start and the size of each
// direction after fitting (0: none).
struct ZOQFovAlign {
    unsigned int column, row;
};

// Column start, row start, column size and row size, in write order. A chip
// whose window is not four such registers leaves them 0 and programs the
// window itself.
struct ZOQWindowLayout {
    ZOQFovLimits limits;
    ZOQFovAlign align;
    ZOQWindowRegister field[4];
};

// A register that an address mode changes: the bits of `clear` are cleared
// and bits[mode] set; a negative entry means the mode is not offered.
struct ZOQModeRegister {
    unsigned short reg;
    unsigned short clear;
    short bits[5];
};

// The address mode read back: the first probe whose masked register equals
// its value gives its mode; none gives mode 0.
struct ZOQModeProbe {
    unsigned short reg;
    unsigned short mask;
    unsigned short value;
    ZOQ_ADDRESSMODE mode;
};

// No registers: the chip offers no address mode.
struct ZOQAddressModeLayout {
    static constexpr std::size_t kMaxRegisters = 3;
    static constexpr std::size_t kMaxProbes = 4;
    ZOQModeRegister reg[kMaxRegisters];
    unsigned char regCount;
    ZOQModeProbe probe[kMaxProbes];
    unsigned char probeCount;
};

// One bit of a register; activeLow: the feature is on while the bit is
// clear. A mask of 0 means the chip does not have it.
struct ZOQRegisterBit {
    unsigned short reg;
    unsigned short mask;
    bool activeLow;
};

enum class ZOQStrobe : unsigned char {
    Bits,          // enable and invert bits (strobeEnable, strobeInvert)
    NoEffect,      // calls accepted, nothing written, getters leave their output
    NotSupported,  // -3
    Chip,          // the sensor class programs it itself
};

// The values derived from the cache that a register write recomputes.
enum ZOQ_DERIVED : unsigned char {
    DERIVED_EXPOSURE_TIME = 1,  // Sensor_UpdateExposureTime
    DERIVED_WIDTH = 2,          // Sensor_UpdateSensorWidth
    DERIVED_HEIGHT = 4,         // Sensor_UpdateSensorHeight
    DERIVED_ALL = 7,
};

struct ZOQDerivedUpdate {
    unsigned short reg;
    unsigned char values;  // ZOQ_DERIVED bits
};

// Register by register, which derived values a write recomputes; a
// register not listed recomputes none. An empty list means every write
// recomputes them all.
struct ZOQDerivedUpdates {
    const ZOQDerivedUpdate* entries;
    std::size_t count;

    unsigned char Of(unsigned int reg) const {
        if (count == 0) return DERIVED_ALL;
        for (std::size_t i = 0; i < count; ++i)
            if (entries[i].reg == reg) return entries[i].values;
        return 0;
    }
};

template <std::size_t N>
constexpr ZOQDerivedUpdates ZOQDerived(const ZOQDerivedUpdate (&entries)[N]) {
    return ZOQDerivedUpdates{entries, N};
}

struct ZOQSensorLayout {
    ZOQRegisterList cached;  // reading and write-back order
    ZOQRegisterList retime;  // a write changes the line time: keep the exposure in ms
    const ZOQAwbPresetTable* awb;
    ZOQGainLayout gain;
    ZOQLineLayout lines;
    ZOQWindowLayout window;
    ZOQAddressModeLayout addressMode;
    ZOQRegisterBit flip;
    ZOQRegisterBit mirror;
    ZOQStrobe strobe;
    ZOQRegisterBit strobeEnable;
    ZOQRegisterBit strobeInvert;
    ZOQDerivedUpdates derived = {};  // after the re-timing a write sets off
};

#endif
