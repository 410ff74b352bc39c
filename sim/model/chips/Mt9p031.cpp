// MT9P031: 5 Mpixel, 2592 x 1944, window offset 16 columns / 54 rows.
#include <algorithm>

#include "Mt9Common.h"

namespace zoqsim {
namespace {

SensorWindow window(const RegisterView& r) { return mt9Window(r, {16, 54, 0xFFFF, 0xFFFF, 0xFFFF}); }

// The row time depends on width, binning, blanking and shutter delay; one
// exposure line lasts two row clocks' worth of the pixel clock.
double exposureMs(const RegisterView& r, double clockMHz) {
    const int rowBin = (r.s(0x22) >> 4) & 3;
    const int colBin = (r.s(0x23) >> 4) & 3;
    const int colSkip = r.s(0x23) & 7;
    const int k = rowBin == 1   ? (colBin ? 388 : 398)
                  : rowBin == 3 ? (colBin ? 734 : 744)
                                : (colBin ? 215 : 225);
    const int hbMin = k + 346 * (rowBin + 1) + 64;
    const int halfWidth = (r.s(0x04) + 1) / ((colSkip + 1) * 2) + 1;
    const int rowClocks = std::max(halfWidth + std::max(r.s(0x05) + 1, hbMin), 346 * (rowBin + 1) + 140);
    const int overhead = std::min(r.s(0x0C) + 1, 1504) + 208 * (rowBin + 1) + 4;
    const double lines = mt9ShutterLines(r);
    const double t2 = 2.0 * clockPeriodMs(clockMHz);
    return std::max(0.0, lines * t2 * rowClocks - t2 * overhead);
}

constexpr RegisterInit kPowerOn[] = {
    {0x00, 0x1801, 0},  // chip version
    {0x01, 54, 0},     {0x02, 16, 0},     {0x03, 1943, 0}, {0x04, 2591, 0},
    {0x05, 0, 0},      {0x06, 25, 0},     {0x08, 0, 0},    {0x09, 249, 0},  // about 10 ms at 96 MHz
    {0x1E, 0x4006, 0}, {0x20, 0x0040, 0}, {0x22, 0, 0},    {0x23, 0, 0},
};

}  // namespace

extern const Chip kChipMt9p031 = mt9Chip("MT9P031", 2592, 1944, true, window, exposureMs, inits(kPowerOn));

}  // namespace zoqsim
