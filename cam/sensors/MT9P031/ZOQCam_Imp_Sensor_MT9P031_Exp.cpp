/* CZOQCamMT9P031: exposure lines and milliseconds. The row time depends on
 * the window width, the blanks and the bin and skip modes. */
#include <algorithm>

#include "ZOQCam_Imp_Sensor_MT9P031.h"
#include "ZOQCam_MT9P031_Registers.h"
#include "util/ZOQCam_Convert.h"

using namespace mt9p031;

namespace {

// Constant k of the minimum horizontal blank, by row bin, without and with
// column binning.
struct BlankConstant {
    unsigned rowBin;
    unsigned withoutColumnBin;
    unsigned withColumnBin;
};
constexpr BlankConstant kBlankConstants[] = {{1, 398, 388}, {3, 744, 734}};
constexpr BlankConstant kBlankConstantOtherwise = {0, 225, 215};

}  // namespace

CZOQCamMT9P031::RowTiming CZOQCamMT9P031::Timing() const {
    unsigned rowBin = (Reg(REG_ROW_ADDRESS_MODE) >> ADDRESS_BIN_SHIFT) & ADDRESS_BIN_MASK;
    unsigned columnBin = (Reg(REG_COLUMN_ADDRESS_MODE) >> ADDRESS_BIN_SHIFT) & ADDRESS_BIN_MASK;
    unsigned columnSkip = Reg(REG_COLUMN_ADDRESS_MODE) & ADDRESS_SKIP_MASK;
    unsigned horizontalBlank = Reg(REG_HORIZONTAL_BLANK);
    unsigned shutterDelay = Reg(REG_SHUTTER_DELAY);
    unsigned width = Reg(REG_COLUMN_SIZE);

    BlankConstant blank = kBlankConstantOtherwise;
    for (const BlankConstant& entry : kBlankConstants)
        if (entry.rowBin == rowBin) blank = entry;
    unsigned k = columnBin ? blank.withColumnBin : blank.withoutColumnBin;
    unsigned minHorizontalBlank = k + 346 * (rowBin + 1) + 64;
    unsigned halfWidth = (width + 1) / ((columnSkip + 1) * 2) + 1;
    unsigned rowClocks = std::max(halfWidth + std::max(horizontalBlank + 1, minHorizontalBlank),
                                  346 * (rowBin + 1) + 140);
    unsigned overhead = std::min(shutterDelay + 1, 1504u) + 208 * (rowBin + 1) + 4;
    return RowTiming{static_cast<float>(rowClocks), static_cast<float>(overhead)};
}

float CZOQCamMT9P031::Sensor_GetExposureTimeFromExposureLines(unsigned int lines) {
    RowTiming timing = Timing();
    float t = m_fPixelClockPeriod;
    return static_cast<float>(lines) * 2.0f * t * timing.rowClocks -
           2.0f * t * timing.shutterOverheadClocks;
}

unsigned int CZOQCamMT9P031::Sensor_GetExposureLinesFromExposureTime(float ms) {
    RowTiming timing = Timing();
    float t = m_fPixelClockPeriod;
    return zoqplugin::TruncToUInt(
        (ms + timing.shutterOverheadClocks * 2.0f * t) / (timing.rowClocks * 2.0f * t) + 0.5f);
}
