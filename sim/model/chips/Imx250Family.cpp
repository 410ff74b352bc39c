// IMX250, IMX264, IMX265 and IMX287: one register map (window at 1296-1303,
// VMAX 528-530, HMAX 532-533, SHS 653-655, SVS 656-657, gain 1028-1029 in
// 0.1 dB); the members differ in array size, line length and, for the
// IMX287, in having no fixed part in the exposure time.
#include "SonyScheme.h"

namespace zoqsim {
namespace {

enum : uint16_t {
    kOrientation = 526,
    kVmax = 528,
    kHmax = 532,
    kShs = 653,
    kSvs = 656,
    kGain = 1028,
    kWindow = 1296,
};

SensorWindow window(const RegisterView& r) { return sonyWindow(r, kWindow, kOrientation, 1); }

double lines(const RegisterView& r) {
    return sonyLines(r.bytes(kVmax, 3), r.bytes(kSvs, 2), r.bytes(kShs, 3));
}

double exposureMs(const RegisterView& r, double clockMHz) {
    return sonyExposureMs(lines(r), r.bytes(kHmax, 2), 0.15, clockMHz);
}

double exposureMsImx287(const RegisterView& r, double clockMHz) {
    return sonyExposureMs(lines(r), r.bytes(kHmax, 2), 0.0, clockMHz);
}

SiteGains gains(const RegisterView& r) { return uniformGains(sonyGain(r.bytes(kGain, 2), 0.1)); }

// Full window, frame and line length, and the shutter of about 10 ms.
constexpr std::array<RegisterInit, 8> powerOn(uint32_t columns, uint32_t rows, uint32_t vmax, uint32_t hmax,
                                              uint32_t shs, uint32_t svs) {
    return {{{kWindow, 0, 2},
             {kWindow + 2, 0, 2},
             {kWindow + 4, columns, 2},
             {kWindow + 6, rows, 2},
             {kVmax, vmax, 3},
             {kHmax, hmax, 2},
             {kShs, shs, 3},
             {kSvs, svs, 2}}};
}

// VMAX = rows + 38 (IMX287: + 42), HMAX by width as the plug-ins program it.
constexpr auto kImx250 = powerOn(2464, 2056, 2094, 632, 528, 0);
constexpr auto kImx264 = powerOn(2464, 2056, 2094, 1248, 1301, 0);
constexpr auto kImx265 = powerOn(2064, 1544, 1582, 1064, 652, 0);
constexpr auto kImx287 = powerOn(728, 544, 586, 512, 410, 3);

constexpr Chip member(const char* name, uint32_t width, uint32_t height,
                      double (*exposure)(const RegisterView&, double), RegisterInits registers) {
    return {.name = name,
            .registerBits = 8,
            .fullWidth = width,
            .fullHeight = height,
            .frameFollowsRegisters = true,
            .window = window,
            .exposureMs = exposure,
            .gains = gains,
            .sensorPowerOn = registers};
}

}  // namespace

extern const Chip kChipImx250 = member("IMX250", 2464, 2056, exposureMs, inits(kImx250));
extern const Chip kChipImx264 = member("IMX264", 2464, 2056, exposureMs, inits(kImx264));
extern const Chip kChipImx265 = member("IMX265", 2064, 1544, exposureMs, inits(kImx265));
extern const Chip kChipImx287 = member("IMX287", 728, 544, exposureMsImx287, inits(kImx287));

}  // namespace zoqsim
