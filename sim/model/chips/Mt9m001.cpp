// MT9M001: 1.3 Mpixel monochrome, 1280 x 1024; skipping lives in the read
// mode registers 0x1E and 0x20.
#include <algorithm>

#include "Mt9Common.h"

namespace zoqsim {
namespace {

// Address mode from the read-mode bits, then its pixel step.
uint32_t skipStep(const RegisterView& r) {
    if (r.s(0x20) & 0x10) return 2;
    if (r.s(0x1E) & 0x08) return 4;
    if (r.s(0x1E) & 0x20) return 8;
    return 1;
}

SensorWindow window(const RegisterView& r) {
    const uint32_t step = skipStep(r);
    return {.columnStart = int32_t(r.s(0x02) & 0x7FF) - 20,
            .rowStart = int32_t(r.s(0x01) & 0x7FF) - 12,
            .columnSize = (r.s(0x04) & 0x7FFu) + 1u,
            .rowSize = (r.s(0x03) & 0x7FFu) + 1u,
            .columnStep = step,
            .rowStep = step,
            .mirror = (r.s(0x20) & 0x4000) != 0,
            .flip = (r.s(0x20) & 0x8000) != 0};
}

double exposureMs(const RegisterView& r, double clockMHz) {
    int width = r.s(0x04) & 0x7FF;
    if (r.s(0x20) & 0x08)
        width = (width / 4) * 2 + 1;
    else if (r.s(0x1E) & 0x04)
        width = (width / 8) * 2 + 1;
    else if (r.s(0x1E) & 0x10)
        width = (width / 16) * 2 + 1;
    const int blank = r.s(0x05) & 0x7FF;
    const int delay = r.s(0x0C) & 0x7FF;
    const int e = std::max(blank, 19) + width + 245;
    const int f = e - 567;
    const int rowClocks = delay > f / 4 ? 4 * delay - f : e - 19;
    const double clocks = double(r.s(0x09)) * rowClocks - 180.0 - delay;
    return std::max(0.0, clocks * clockPeriodMs(clockMHz));
}

constexpr RegisterInit kPowerOn[] = {
    {0x00, 0x8431, 0},  // chip version
    {0x01, 12, 0},     {0x02, 20, 0},     {0x03, 1023, 0}, {0x04, 1279, 0},
    {0x05, 19, 0},     {0x06, 25, 0},     {0x09, 315, 0},  // about 10 ms at 48 MHz
    {0x1E, 0, 0},      {0x20, 0x1104, 0},
};

}  // namespace

extern const Chip kChipMt9m001 = mt9Chip("MT9M001", 1280, 1024, false, window, exposureMs, inits(kPowerOn));

}  // namespace zoqsim
