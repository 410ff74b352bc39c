/* CZOQCamMT9M001: exposure lines and milliseconds. Skipping shortens the
 * row readout; a long shutter delay lengthens the row. */
#include <algorithm>

#include "ZOQCam_Imp_Sensor_MT9M001.h"
#include "ZOQCam_MT9M001_Registers.h"
#include "util/ZOQCam_Convert.h"

using namespace mt9m001;

namespace {

constexpr int kMinHorizontalBlank = 19;
constexpr int kRowOverhead = 245;
constexpr int kBlankBase = 567;
constexpr unsigned int kShutterOverhead = 180;

// The window width that a skip mode reads: (W / divisor) * 2 + 1.
struct SkipWidth {
    unsigned short reg, bit, divisor;
};
constexpr SkipWidth kSkipWidths[] = {
    {REG_READ_MODE_2, 0x08, 4}, {REG_READ_MODE_1, 0x04, 8}, {REG_READ_MODE_1, 0x10, 16}};

}  // namespace

CZOQCamMT9M001::RowTiming CZOQCamMT9M001::Timing() const {
    unsigned short width = Reg(REG_COLUMN_SIZE) & kWindowMask;
    for (const SkipWidth& skip : kSkipWidths) {
        if (Reg(skip.reg) & skip.bit) {
            width = static_cast<unsigned short>((width / skip.divisor) * 2 + 1);
            break;
        }
    }
    int horizontalBlank = Reg(REG_HORIZONTAL_BLANK) & kWindowMask;
    int shutterDelay = Reg(REG_SHUTTER_DELAY) & kWindowMask;
    int e = std::max(horizontalBlank, kMinHorizontalBlank) + width + kRowOverhead;
    int f = e - kBlankBase;
    int q = f / 4;  // truncated toward zero
    int k = shutterDelay > q ? 4 * shutterDelay - f : e - kMinHorizontalBlank;
    return RowTiming{static_cast<unsigned int>(k), static_cast<unsigned int>(shutterDelay)};
}

float CZOQCamMT9M001::Sensor_GetExposureTimeFromExposureLines(unsigned int lines) {
    RowTiming timing = Timing();
    // The clock count is an unsigned 32-bit value.
    unsigned int clocks = lines * timing.rowFactor - kShutterOverhead - timing.shutterDelay;
    return static_cast<float>(clocks) * m_fPixelClockPeriod;
}

unsigned int CZOQCamMT9M001::Sensor_GetExposureLinesFromExposureTime(float ms) {
    RowTiming timing = Timing();
    float clocks = ms / m_fPixelClockPeriod + timing.shutterDelay + kShutterOverhead;
    return zoqplugin::TruncToUInt(clocks / timing.rowFactor + 0.5f);
}
