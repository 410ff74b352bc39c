// Register conventions that the Aptina MT9 chips with the 0x2B-0x35 gain
// block share (MT9P031, MT9T001, MT9M001).
#pragma once

#include "../Chip.h"

namespace zoqsim {

// Bits 0-5: analog gain in eighths; bit 6 doubles it; bits 8-14: digital
// gain 1 + n/8. The power-on value 8 is unity.
inline double mt9Gain(uint16_t value) {
    const double analog = (value & 0x3F) / 8.0 * ((value & 0x40) ? 2.0 : 1.0);
    const double digital = 1.0 + ((value >> 8) & 0x7F) / 8.0;
    return analog * digital;
}

// 0x2B green on red rows, 0x2C blue, 0x2D red, 0x2E green on blue rows.
inline SiteGains mt9SiteGains(const RegisterView& r) {
    return {mt9Gain(r.s(0x2D)), mt9Gain(r.s(0x2B)), mt9Gain(r.s(0x2E)), mt9Gain(r.s(0x2C))};
}

// Writing the global gain sets the four colour gains.
constexpr GainMirror kMt9GainMirror = {0x35, {0x2B, 0x2C, 0x2D, 0x2E}};

// Skip field n (bits 2:0 of the address-mode registers) reads every n+1-th pixel.
inline uint32_t mt9SkipStep(uint16_t addressMode) { return (addressMode & 7u) + 1u; }

// Where the MT9P031 register set puts the window: start registers 0x02
// (column) and 0x01 (row) count from an offset; 0x04 and 0x03 hold size - 1;
// 0x23 and 0x22 skip; 0x20 bit 14 mirrors, bit 15 flips.
struct Mt9WindowLayout {
    int32_t columnOffset;
    int32_t rowOffset;
    uint16_t columnStartMask;
    uint16_t rowStartMask;
    uint16_t sizeMask;
};

inline SensorWindow mt9Window(const RegisterView& r, const Mt9WindowLayout& l) {
    return {.columnStart = int32_t(r.s(0x02) & l.columnStartMask) - l.columnOffset,
            .rowStart = int32_t(r.s(0x01) & l.rowStartMask) - l.rowOffset,
            .columnSize = (r.s(0x04) & l.sizeMask) + 1u,
            .rowSize = (r.s(0x03) & l.sizeMask) + 1u,
            .columnStep = mt9SkipStep(r.s(0x23)),
            .rowStep = mt9SkipStep(r.s(0x22)),
            .mirror = (r.s(0x20) & 0x4000) != 0,
            .flip = (r.s(0x20) & 0x8000) != 0};
}

// Shutter delay and the gain block, as every chip of the family starts.
inline constexpr RegisterInit kMt9FamilyPowerOn[] = {
    {0x0C, 0, 0}, {0x2B, 8, 0}, {0x2C, 8, 0}, {0x2D, 8, 0}, {0x2E, 8, 0}, {0x35, 8, 0},
};

constexpr Chip mt9Chip(const char* name, uint32_t width, uint32_t height, bool frameFollowsRegisters,
                       SensorWindow (*window)(const RegisterView&),
                       double (*exposureMs)(const RegisterView&, double), RegisterInits powerOn) {
    return {.name = name,
            .registerBits = 16,
            .fullWidth = width,
            .fullHeight = height,
            .frameFollowsRegisters = frameFollowsRegisters,
            .window = window,
            .exposureMs = exposureMs,
            .gains = mt9SiteGains,
            .sensorPowerOn = powerOn,
            .familyPowerOn = inits(kMt9FamilyPowerOn),
            .fpgaPowerOn = {},
            .gainMirror = kMt9GainMirror};
}

// Exposure lines: 0x08 holds the high half, 0x09 the low half.
inline double mt9ShutterLines(const RegisterView& r) { return double(uint32_t(r.s(0x08)) << 16 | r.s(0x09)); }

}  // namespace zoqsim
