// What an image sensor chip is, as data plus a few decoding functions: the
// register width, the full array, how its registers describe the window, the
// exposure and the gains, and its power-on register values. One definition
// per chip (sim/model/chips/), shared by every model built on it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "CameraModel.h"

namespace zoqsim {

constexpr unsigned kSensorRegisterCount = 0x10000;
constexpr unsigned kFpgaRegisterCount = 0x100;

// Read-only view of both register files for the decoding functions.
struct RegisterView {
    const uint16_t* sensor;  // kSensorRegisterCount entries
    const uint16_t* fpga;    // kFpgaRegisterCount entries

    uint16_t s(unsigned address) const { return sensor[address & 0xFFFF]; }
    uint16_t f(unsigned reg) const { return fpga[reg & 0xFF]; }
    // A quantity split over consecutive 8-bit registers, low byte first.
    uint32_t bytes(unsigned first, unsigned count) const {
        uint32_t value = 0;
        for (unsigned i = count; i-- > 0;) value = value << 8 | (s(first + i) & 0xFF);
        return value;
    }
};

// The window the sensor reads out, in sensor pixels before skipping.
struct SensorWindow {
    int32_t columnStart;
    int32_t rowStart;
    uint32_t columnSize;
    uint32_t rowSize;
    uint32_t columnStep;
    uint32_t rowStep;
    bool mirror;
    bool flip;
};

// One power-on value. bytes = 0: one register of the chip's width; n > 0:
// the value split over n consecutive 8-bit registers, low byte first.
struct RegisterInit {
    uint16_t address;
    uint32_t value;
    uint8_t bytes;
};

struct RegisterInits {
    const RegisterInit* items;
    std::size_t count;
};

template <std::size_t N>
constexpr RegisterInits inits(const RegisterInit (&items)[N]) {
    return {items, N};
}

template <std::size_t N>
constexpr RegisterInits inits(const std::array<RegisterInit, N>& items) {
    return {items.data(), N};
}

// A global gain register whose write the chip copies into its four colour
// gain registers (0 = the chip has none).
struct GainMirror {
    uint16_t global;
    uint16_t colour[4];
};

struct Chip {
    const char* name;
    uint8_t registerBits;  // 8 or 16: a write keeps this many low bits
    uint32_t fullWidth;
    uint32_t fullHeight;
    bool frameFollowsRegisters;
    SensorWindow (*window)(const RegisterView&);
    double (*exposureMs)(const RegisterView&, double pixelClockMHz);
    SiteGains (*gains)(const RegisterView&);
    RegisterInits sensorPowerOn;
    RegisterInits familyPowerOn = {};  // shared with related chips, applied first
    RegisterInits fpgaPowerOn = {};    // beyond the register map every model shares
    GainMirror gainMirror = {};
};

// Pixel clock period in milliseconds.
inline double clockPeriodMs(double pixelClockMHz) { return 1.0 / (pixelClockMHz * 1000.0); }

extern const Chip kChipMt9p031;
extern const Chip kChipMt9t001;
extern const Chip kChipMt9m001;
extern const Chip kChipMt9m031;
extern const Chip kChipMt9v034;
extern const Chip kChipEv76c560;
extern const Chip kChipImx174;
extern const Chip kChipImx249;
extern const Chip kChipImx178;
extern const Chip kChipImx250;
extern const Chip kChipImx264;
extern const Chip kChipImx265;
extern const Chip kChipImx287;
extern const Chip kChipImx290;
extern const Chip kChipIsg1307;
extern const Chip kChipIsg4006a;

}  // namespace zoqsim
