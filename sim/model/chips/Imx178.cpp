// IMX178: 6.4 Mpixel, 3096 x 2080; window at 924-931, VMAX 556-558,
// HMAX 559-560, SHS1 564-566, SVS 577-578, gain 543-544 in 0.1 dB; the
// 2x2 readout (526 low bits = 0x23) halves both sizes.
#include "SonyScheme.h"

namespace zoqsim {
namespace {

enum : uint16_t {
    kReadoutMode = 526,
    kOrientation = 527,
    kGain = 543,
    kVmax = 556,  // 17 bits: 556, 557 and bit 0 of 558
    kHmax = 559,
    kShs1 = 564,
    kSvs = 577,  // 10 bits: 577 and bits 0-1 of 578
    kColumnStart = 924,
    kColumnSize = 926,
    kRowStart = 928,
    kRowSize = 930,
};

SensorWindow window(const RegisterView& r) {
    const uint32_t step = (r.s(kReadoutMode) & 0x3F) == 0x23 ? 2 : 1;
    return {.columnStart = int32_t(r.bytes(kColumnStart, 2)),
            .rowStart = int32_t(r.bytes(kRowStart, 2)),
            .columnSize = r.bytes(kColumnSize, 2),
            .rowSize = r.bytes(kRowSize, 2),
            .columnStep = step,
            .rowStep = step,
            .mirror = (r.s(kOrientation) & 2) != 0,
            .flip = (r.s(kOrientation) & 1) != 0};
}

double exposureMs(const RegisterView& r, double clockMHz) {
    const double n = sonyLines(r.bytes(kVmax, 3) & 0x1FFFF, r.bytes(kSvs, 2) & 0x3FF, r.bytes(kShs1, 3));
    return sonyExposureMs(n, r.bytes(kHmax, 2), 0.15, clockMHz);
}

SiteGains gains(const RegisterView& r) { return uniformGains(sonyGain(r.bytes(kGain, 2), 0.1)); }

// Full window in normal readout, VMAX = rows + 30, HMAX = columns / 4 + 401,
// about 10 ms at 74.25 MHz.
constexpr RegisterInit kPowerOn[] = {
    {kColumnStart, 0, 2}, {kRowStart, 0, 2}, {kColumnSize, 3096, 2}, {kRowSize, 2080, 2}, {525, 1, 0},
    {kReadoutMode, 0, 0}, {528, 0, 0},       {kVmax, 2110, 3},       {kHmax, 1175, 2},    {kShs1, 1478, 3},
    {kSvs, 0, 2},
};

}  // namespace

extern const Chip kChipImx178 = {
    .name = "IMX178",
    .registerBits = 8,
    .fullWidth = 3096,
    .fullHeight = 2080,
    .frameFollowsRegisters = false,
    .window = window,
    .exposureMs = exposureMs,
    .gains = gains,
    .sensorPowerOn = inits(kPowerOn),
};

}  // namespace zoqsim
