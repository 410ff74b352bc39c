// MT9M031: 1.2 Mpixel, 1280 x 960, registers at 0x3000 and above; the window
// is given by its first and last column and row.
#include <algorithm>

#include "../Chip.h"

namespace zoqsim {
namespace {

enum : uint16_t {
    kYStart = 0x3002,
    kXStart = 0x3004,
    kYEnd = 0x3006,
    kXEnd = 0x3008,
    kFrameLength = 0x300A,
    kLineLength = 0x300C,
    kCoarseTime = 0x3012,
    kFineTime = 0x3014,
    kDigitalBinning = 0x3032,
    kReadMode = 0x3040,
    kGreen1Gain = 0x3056,
    kBlueGain = 0x3058,
    kRedGain = 0x305A,
    kGreen2Gain = 0x305C,
    kGlobalGain = 0x305E,
};

SensorWindow window(const RegisterView& r) {
    const uint32_t step = (r.s(kDigitalBinning) & 3) == 2 ? 2 : 1;
    return {.columnStart = int32_t(r.s(kXStart)) - 2,
            .rowStart = int32_t(r.s(kYStart)) - 4,
            .columnSize = uint32_t(std::max(0, r.s(kXEnd) - r.s(kXStart) + 1)),
            .rowSize = uint32_t(std::max(0, r.s(kYEnd) - r.s(kYStart) + 1)),
            .columnStep = step,
            .rowStep = step,
            .mirror = (r.s(kReadMode) & 0x4000) != 0,
            .flip = (r.s(kReadMode) & 0x8000) != 0};
}

double exposureMs(const RegisterView& r, double clockMHz) {
    return (double(r.s(kCoarseTime)) * r.s(kLineLength) + r.s(kFineTime)) * clockPeriodMs(clockMHz);
}

// Gains in 1/32 steps: 32 is unity.
SiteGains gains(const RegisterView& r) {
    return {r.s(kRedGain) / 32.0, r.s(kGreen1Gain) / 32.0, r.s(kGreen2Gain) / 32.0, r.s(kBlueGain) / 32.0};
}

constexpr RegisterInit kPowerOn[] = {
    {0x3000, 0x2400, 0},  // chip version
    {kYStart, 4, 0},        {kXStart, 2, 0},        {kYEnd, 963, 0},         {kXEnd, 1281, 0},
    {kFrameLength, 990, 0}, {kLineLength, 1650, 0}, {kCoarseTime, 600, 0},  // 10 ms at 99 MHz
    {kFineTime, 0, 0},      {0x30A6, 1, 0},         {kDigitalBinning, 0, 0}, {kGreen1Gain, 32, 0},
    {kBlueGain, 32, 0},     {kRedGain, 32, 0},      {kGreen2Gain, 32, 0},    {kGlobalGain, 32, 0},
};

}  // namespace

extern const Chip kChipMt9m031 = {
    .name = "MT9M031",
    .registerBits = 16,
    .fullWidth = 1280,
    .fullHeight = 960,
    .frameFollowsRegisters = false,
    .window = window,
    .exposureMs = exposureMs,
    .gains = gains,
    .sensorPowerOn = inits(kPowerOn),
    .gainMirror = {kGlobalGain, {kGreen1Gain, kBlueGain, kRedGain, kGreen2Gain}},
};

}  // namespace zoqsim
