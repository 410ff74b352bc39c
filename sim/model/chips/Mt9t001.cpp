// MT9T001: 3 Mpixel, 2048 x 1536; the MT9P031 register set with 11-bit
// sizes, a 32-column / 20-row window offset and its own row timing.
#include <algorithm>

#include "Mt9Common.h"

namespace zoqsim {
namespace {

SensorWindow window(const RegisterView& r) { return mt9Window(r, {32, 20, 0xFFF, 0x7FF, 0x7FF}); }

double exposureMs(const RegisterView& r, double clockMHz) {
    const int rowBin = (r.s(0x22) >> 4) & 3;
    const int colBin = (r.s(0x23) >> 4) & 3;
    const int colSkip = r.s(0x23) & 7;
    const int width = r.s(0x04) & 0x7FF;
    const int delay = r.s(0x0C) & 0x7FF;
    const int k = rowBin == 1 ? 711 : rowBin == 2 ? 1037 : 369;
    const int b = rowBin == 1 ? 673 : rowBin == 2 ? 999 : 331;
    const int kBinned = colBin == 1 ? k - 16 : colBin == 2 ? k - 24 : k;
    const int a = kBinned + std::max<int>(r.s(0x05), 21) + (((width + 1) / (colSkip + 1)) & ~1);
    const int rowClocks = std::max(a, b + 316 * colBin + delay + 316);
    const double lines = mt9ShutterLines(r);
    return std::max(0.0, (lines * rowClocks - (b - 132) - delay) * clockPeriodMs(clockMHz));
}

constexpr RegisterInit kPowerOn[] = {
    {0x00, 0x1621, 0},  // chip version
    {0x01, 20, 0},     {0x02, 32, 0},     {0x03, 1535, 0}, {0x04, 2047, 0},
    {0x05, 142, 0},    {0x06, 25, 0},     {0x08, 0, 0},    {0x09, 188, 0},  // about 10 ms at 48 MHz
    {0x1E, 0x4006, 0}, {0x20, 0x0040, 0}, {0x22, 0, 0},    {0x23, 0, 0},
};

}  // namespace

extern const Chip kChipMt9t001 = mt9Chip("MT9T001", 2048, 1536, true, window, exposureMs, inits(kPowerOn));

}  // namespace zoqsim
