// IMX174 and IMX249 (one register body): 1936 x 1216, window at 769-776,
// 16-bit VMAX/HMAX/SHS/SVS, gain 1028-1029 in 0.1 dB, a fixed 13.73 us in
// every exposure.
#include "SonyScheme.h"

namespace zoqsim {
namespace {

enum : uint16_t {
    kOrientation = 534,
    kVmax = 535,  // 12 bits: 535 and the low 4 bits of 536
    kHmax = 538,
    kShs = 666,
    kSvs = 668,
    kWindow = 769,
    kGain = 1028,
};

constexpr double kFixedMs = 0.01373;

SensorWindow window(const RegisterView& r) { return sonyWindow(r, kWindow, kOrientation, 1); }

double exposureMs(const RegisterView& r, double clockMHz) {
    const uint32_t vmax = r.bytes(kVmax, 2) & 0xFFF;
    const double n = sonyLines(vmax, r.bytes(kSvs, 2), r.bytes(kShs, 2));
    return sonyExposureMs(n, r.bytes(kHmax, 2), 0.0, clockMHz) + kFixedMs;
}

SiteGains gains(const RegisterView& r) { return uniformGains(sonyGain(r.bytes(kGain, 2), 0.1)); }

// Full window, VMAX = rows + 38, HMAX = columns + 16, about 10 ms.
constexpr RegisterInit kPowerOn[] = {
    {kWindow, 0, 2},  {kWindow + 2, 0, 2}, {kWindow + 4, 1936, 2}, {kWindow + 6, 1216, 2},
    {kVmax, 1254, 2}, {kHmax, 1952, 2},    {kShs, 747, 2},         {kSvs, 0, 2},
};

constexpr Chip body(const char* name) {
    return {.name = name,
            .registerBits = 8,
            .fullWidth = 1936,
            .fullHeight = 1216,
            .frameFollowsRegisters = false,
            .window = window,
            .exposureMs = exposureMs,
            .gains = gains,
            .sensorPowerOn = inits(kPowerOn)};
}

}  // namespace

extern const Chip kChipImx174 = body("IMX174");
extern const Chip kChipImx249 = body("IMX249");

}  // namespace zoqsim
