// EV76C560: 1.3 Mpixel, 1280 x 1024; the pixel clock comes from the chip's
// own clock registers (8, 9, 58), green and red/blue have separate gains.
#include "../Chip.h"

namespace zoqsim {
namespace {

enum : uint16_t {
    kLineLength = 4,  // low 11 bits, in units of 8 clocks
    kClockSelect = 8,
    kPll = 9,
    kExposureLines = 14,
    kRowStart = 18,
    kRowSize = 19,
    kColumnStart = 20,
    kColumnSize = 21,
    kSubsampling = 26,
    kGreenGain = 54,
    kRedBlueGain = 55,
    kOscillator = 58,
    kExposureMode = 118,  // bit 11: exposure is one line length
};

// Clock in Hz from the oscillator, the PLL and the two source selections.
double clockHz(const RegisterView& r) {
    const double oscillator = 1.0 / (5.3404e-7 / ((r.s(kOscillator) & 0x7F) + 36) + 3.4e-9);
    const uint16_t pll = r.s(kPll);
    const double pllHz =
        ((pll & 0xFF) + 1) * 2.0 / ((((pll >> 8) & 0x1F) + 1) * 2.0 * (((pll >> 13) & 3) + 1)) * 96e6;
    const double sources[4] = {0.0, 96e6, oscillator, pllHz};
    const uint16_t select = r.s(kClockSelect);
    const double source = (select & 0x1000) ? sources[(select >> 10) & 3] : sources[(select >> 8) & 3];
    const unsigned divider = (select >> 4) & 0xF;
    return source / (divider ? divider : 1);
}

SensorWindow window(const RegisterView& r) {
    static constexpr uint32_t kSteps[8] = {1, 2, 3, 4, 8, 1, 1, 1};
    const uint32_t step = kSteps[r.s(kSubsampling) & 7];
    return {.columnStart = r.s(kColumnStart),
            .rowStart = r.s(kRowStart),
            .columnSize = r.s(kColumnSize),
            .rowSize = r.s(kRowSize),
            .columnStep = step,
            .rowStep = step,
            .mirror = (r.s(7) & 1) != 0,
            .flip = (r.s(7) & 2) != 0};
}

double exposureMs(const RegisterView& r, double) {
    const double hz = clockHz(r);
    if (hz <= 0.0) return 0.0;
    const double lineMs = (r.s(kLineLength) & 0x7FF) * 8 * 1000.0 / hz;
    return (r.s(kExposureMode) & 0x800) ? lineMs : lineMs * r.s(kExposureLines);
}

// Gain 1 + n/32 per register.
SiteGains gains(const RegisterView& r) {
    const double green = 1.0 + r.s(kGreenGain) / 32.0;
    const double redBlue = 1.0 + r.s(kRedBlueGain) / 32.0;
    return {redBlue, green, green, redBlue};
}

constexpr RegisterInit kPowerOn[] = {
    {kLineLength, 180, 0},      // 1440 clocks a line
    {kClockSelect, 0x0310, 0},  // PLL, divided by 1
    {kPll, 0x1F12, 0},          // 96 MHz * 38 / 64 = 57 MHz
    {kExposureLines, 396, 0},   // about 10 ms
    {kRowStart, 0, 0},         {kRowSize, 1024, 0},    {kColumnStart, 0, 0},
    {kColumnSize, 1280, 0},    {kSubsampling, 0, 0},   {kGreenGain, 0, 0},
    {kRedBlueGain, 0, 0},      {kOscillator, 0x40, 0}, {kExposureMode, 0, 0},
};

}  // namespace

extern const Chip kChipEv76c560 = {
    .name = "EV76C560",
    .registerBits = 16,
    .fullWidth = 1280,
    .fullHeight = 1024,
    .frameFollowsRegisters = false,
    .window = window,
    .exposureMs = exposureMs,
    .gains = gains,
    .sensorPowerOn = inits(kPowerOn),
};

}  // namespace zoqsim
