// MT9V034: WVGA, 752 x 480; binning in bits 2-3 of the read mode register,
// one analog gain for all sites.
#include "../Chip.h"

namespace zoqsim {
namespace {

enum : uint16_t {
    kColumnStart = 1,
    kRowStart = 2,
    kWindowHeight = 3,
    kWindowWidth = 4,
    kHorizontalBlank = 5,
    kShutterWidth = 11,
    kReadMode = 13,
    kAnalogGain = 53,
};

SensorWindow window(const RegisterView& r) {
    const unsigned bin = (r.s(kReadMode) >> 2) & 3;
    const uint32_t step = bin == 1 ? 2 : bin == 2 ? 4 : 1;
    return {.columnStart = int32_t(r.s(kColumnStart)) - 1,
            .rowStart = int32_t(r.s(kRowStart)) - 4,
            .columnSize = r.s(kWindowWidth),
            .rowSize = r.s(kWindowHeight),
            .columnStep = step,
            .rowStep = step,
            .mirror = (r.s(kReadMode) & 0x20) != 0,
            .flip = (r.s(kReadMode) & 0x10) != 0};
}

double exposureMs(const RegisterView& r, double clockMHz) {
    const unsigned rowClocks = (r.s(kWindowWidth) & 0x3FF) + (r.s(kHorizontalBlank) & 0x3FF);
    return double(rowClocks) * clockPeriodMs(clockMHz) * r.s(kShutterWidth);
}

// Gain in sixteenths: 16 is unity.
SiteGains gains(const RegisterView& r) {
    const double g = (r.s(kAnalogGain) & 0x7F) / 16.0;
    return {g, g, g, g};
}

constexpr RegisterInit kPowerOn[] = {
    {0, 0x1324, 0},  // chip version
    {kColumnStart, 1, 0},    {kRowStart, 4, 0},         {kWindowHeight, 480, 0},
    {kWindowWidth, 752, 0},  {kHorizontalBlank, 94, 0}, {6, 45, 0},
    {kShutterWidth, 319, 0},  // about 10 ms at 27 MHz
    {kReadMode, 0x0300, 0},  {kAnalogGain, 16, 0},
};

}  // namespace

extern const Chip kChipMt9v034 = {
    .name = "MT9V034",
    .registerBits = 16,
    .fullWidth = 752,
    .fullHeight = 480,
    .frameFollowsRegisters = false,
    .window = window,
    .exposureMs = exposureMs,
    .gains = gains,
    .sensorPowerOn = inits(kPowerOn),
};

}  // namespace zoqsim
