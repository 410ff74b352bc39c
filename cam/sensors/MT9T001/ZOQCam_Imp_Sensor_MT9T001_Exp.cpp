/* CZOQCamMT9T001: exposure lines and milliseconds. The row time depends
 * on the window width, horizontal blank, shutter delay and the bin and
 * skip modes. */
#include <algorithm>

#include "ZOQCam_Imp_Sensor_MT9T001.h"
#include "ZOQCam_MT9T001_Registers.h"
#include "util/ZOQCam_Convert.h"

using namespace mt9t001;

namespace {

// Row constants K and B by row bin (1, 2, other), and what column binning
// takes off K (1, 2).
struct RowBinConstants {
    unsigned int rowBin, k, b;
};
constexpr RowBinConstants kRowBinConstants[] = {{1, 711, 673}, {2, 1037, 999}};
constexpr RowBinConstants kRowBinOtherwise = {0, 369, 331};
constexpr unsigned int kColumnBinReduction[] = {0, 16, 24, 0};

constexpr unsigned int kMinHorizontalBlank = 21;
constexpr unsigned int kBinClocks = 316;
constexpr unsigned int kShutterOverhead = 132;

}  // namespace

CZOQCamMT9T001::RowTiming CZOQCamMT9T001::Timing() const {
    unsigned rowBin = (Reg(REG_ROW_ADDRESS_MODE) >> ADDRESS_BIN_SHIFT) & ADDRESS_BIN_MASK;
    unsigned columnBin = (Reg(REG_COLUMN_ADDRESS_MODE) >> ADDRESS_BIN_SHIFT) & ADDRESS_BIN_MASK;
    unsigned columnSkip = Reg(REG_COLUMN_ADDRESS_MODE) & ADDRESS_SKIP_MASK;
    unsigned horizontalBlank = Reg(REG_HORIZONTAL_BLANK);
    unsigned shutterDelay = Reg(REG_SHUTTER_DELAY) & kWindowMask;
    unsigned width = Reg(REG_COLUMN_SIZE) & kWindowMask;

    RowBinConstants constants = kRowBinOtherwise;
    for (const RowBinConstants& entry : kRowBinConstants)
        if (entry.rowBin == rowBin) constants = entry;
    unsigned k = constants.k - kColumnBinReduction[columnBin];
    unsigned readout = k + std::max(horizontalBlank, kMinHorizontalBlank) +
                       (((width + 1) / (columnSkip + 1)) & ~1u);
    unsigned binned = constants.b + kBinClocks * columnBin + shutterDelay + kBinClocks;
    return RowTiming{std::max(readout, binned), constants.b, shutterDelay};
}

float CZOQCamMT9T001::Sensor_GetExposureTimeFromExposureLines(unsigned int lines) {
    RowTiming timing = Timing();
    double clocks = static_cast<double>(lines) * timing.rowClocks -
                    (static_cast<double>(timing.binConstant) - kShutterOverhead) -
                    timing.shutterDelay;
    return static_cast<float>(clocks * m_fPixelClockPeriod);
}

unsigned int CZOQCamMT9T001::Sensor_GetExposureLinesFromExposureTime(float ms) {
    RowTiming timing = Timing();
    float clocks =
        ms / m_fPixelClockPeriod - kShutterOverhead + timing.binConstant + timing.shutterDelay;
    return zoqplugin::TruncToUInt(clocks / timing.rowClocks + 0.5f);
}
