// The ISG sensors: 8-bit registers at 16-bit addresses, 12-bit row windows,
// 24-bit exposure line counts, a 5-bit gain index (gain 1 + index/4).
//   ISG1307: 1280 x 1024; the column window lives in FPGA registers 43
//            (start) and 1 (size); a line lasts 321 clocks of a tenth of the
//            pixel clock.
//   ISG4006A: 2048 x 2048, always 2048 columns wide; a line lasts 2580 clocks.
#include "../Chip.h"

namespace zoqsim {
namespace {

double isgGain(uint16_t reg) { return 1.0 + (reg & 0x1F) / 4.0; }

SensorWindow isg1307Window(const RegisterView& r) {
    return {.columnStart = r.f(43),
            .rowStart = int32_t(r.s(347) | (r.s(346) & 0xF) << 8),
            .columnSize = r.f(1),
            .rowSize = uint32_t(r.s(345) | (r.s(344) & 0xF) << 8),
            .columnStep = 1,
            .rowStep = 1,
            .mirror = false,
            .flip = (r.s(389) & 0x40) != 0};
}

// 24-bit line count, high byte first from `first` on.
uint32_t lines24(const RegisterView& r, unsigned first) {
    return uint32_t(r.s(first) & 0xFF) << 16 | (r.s(first + 1) & 0xFF) << 8 | (r.s(first + 2) & 0xFF);
}

double isg1307ExposureMs(const RegisterView& r, double clockMHz) {
    const double lineUs = 321.0 / (clockMHz / 10.0);
    return lineUs * lines24(r, 402) / 1000.0;
}

SiteGains isg1307Gains(const RegisterView& r) {
    const double g = isgGain(r.s(30));
    return {g, g, g, g};
}

SensorWindow isg4006aWindow(const RegisterView& r) {
    return {.columnStart = 0,
            .rowStart = int32_t((r.s(269) << 8 | (r.s(270) & 0xFF)) & 0xFFF),
            .columnSize = 2048,
            .rowSize = uint32_t((r.s(267) << 8 | (r.s(268) & 0xFF)) & 0xFFF),
            .columnStep = 1,
            .rowStep = 1,
            .mirror = false,
            .flip = (r.s(312) & 0x40) == 0};  // the bit is set while not flipped
}

double isg4006aExposureMs(const RegisterView& r, double clockMHz) {
    return double(lines24(r, 324)) * 2580.0 * clockPeriodMs(clockMHz);
}

SiteGains isg4006aGains(const RegisterView& r) {
    const double g = isgGain(r.s(23));
    return {g, g, g, g};
}

// Rows 0-1023, 1869 lines of 5.35 us (10 ms); columns from the FPGA.
constexpr RegisterInit kIsg1307[] = {
    {347, 0, 0},    {346, 0, 0}, {345, 0x00, 0}, {344, 0x04, 0}, {404, 0x4D, 0},
    {403, 0x07, 0}, {402, 0, 0}, {30, 0, 0},     {389, 0, 0},
};
constexpr RegisterInit kIsg1307Fpga[] = {{43, 0, 0}, {1, 1280, 0}};

// Rows 0-2047, 1550 lines of 6.45 us (10 ms), not flipped.
constexpr RegisterInit kIsg4006a[] = {
    {270, 0, 0},    {269, 0, 0}, {268, 0x00, 0}, {267, 0x08, 0}, {326, 0x0E, 0},
    {325, 0x06, 0}, {324, 0, 0}, {23, 0, 0},     {312, 0x40, 0},
};

}  // namespace

extern const Chip kChipIsg1307 = {
    .name = "ISG1307",
    .registerBits = 8,
    .fullWidth = 1280,
    .fullHeight = 1024,
    .frameFollowsRegisters = false,
    .window = isg1307Window,
    .exposureMs = isg1307ExposureMs,
    .gains = isg1307Gains,
    .sensorPowerOn = inits(kIsg1307),
    .fpgaPowerOn = inits(kIsg1307Fpga),
};

extern const Chip kChipIsg4006a = {
    .name = "ISG4006A",
    .registerBits = 8,
    .fullWidth = 2048,
    .fullHeight = 2048,
    .frameFollowsRegisters = false,
    .window = isg4006aWindow,
    .exposureMs = isg4006aExposureMs,
    .gains = isg4006aGains,
    .sensorPowerOn = inits(kIsg4006a),
};

}  // namespace zoqsim
