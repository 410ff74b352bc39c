// IMX290: 1944 x 1096 (full HD with margins); exposure without frame
// counting: lines = VMAX - SHS1 - 1; gain 532 in 0.3 dB steps.
#include "SonyScheme.h"

namespace zoqsim {
namespace {

enum : uint16_t {
    kOrientation = 519,
    kGain = 532,
    kVmax = 536,  // 18 bits
    kHmax = 540,
    kShs1 = 544,  // 18 bits
    kWindowMode = 570,
    kRowStart = 572,
    kRowSize = 574,
    kColumnStart = 576,
    kColumnSize = 578,
};

SensorWindow window(const RegisterView& r) {
    return {.columnStart = int32_t(r.bytes(kColumnStart, 2)),
            .rowStart = int32_t(r.bytes(kRowStart, 2)),
            .columnSize = r.bytes(kColumnSize, 2),
            .rowSize = r.bytes(kRowSize, 2),
            .columnStep = 1,
            .rowStep = 1,
            .mirror = (r.s(kOrientation) & 2) != 0,
            .flip = (r.s(kOrientation) & 1) != 0};
}

double exposureMs(const RegisterView& r, double clockMHz) {
    const double n = double(r.bytes(kVmax, 3) & 0x3FFFF) - double(r.bytes(kShs1, 3) & 0x3FFFF) - 1.0;
    return sonyExposureMs(n > 0.0 ? n : 0.0, r.bytes(kHmax, 2), 0.0, clockMHz);
}

SiteGains gains(const RegisterView& r) { return uniformGains(sonyGain(r.s(kGain), 0.3)); }

// Full window, VMAX = rows + 13, HMAX 4400, 338 lines: about 10 ms.
constexpr RegisterInit kPowerOn[] = {
    {kColumnStart, 0, 2}, {kRowStart, 0, 2}, {kColumnSize, 1944, 2}, {kRowSize, 1096, 2}, {kWindowMode, 0, 0},
    {kVmax, 1109, 3},     {kHmax, 4400, 2},  {kShs1, 770, 3},        {kGain, 0, 0},
};

}  // namespace

extern const Chip kChipImx290 = {
    .name = "IMX290",
    .registerBits = 8,
    .fullWidth = 1944,
    .fullHeight = 1096,
    .frameFollowsRegisters = false,
    .window = window,
    .exposureMs = exposureMs,
    .gains = gains,
    .sensorPowerOn = inits(kPowerOn),
};

}  // namespace zoqsim
