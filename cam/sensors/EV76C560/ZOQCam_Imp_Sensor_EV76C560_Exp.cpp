/* CZOQCamEV76C560: the two exposure forms and the clock they are timed
 * with. */
#include <algorithm>

#include "ZOQCam_EV76C560_Registers.h"
#include "ZOQCam_Imp_Sensor_EV76C560.h"
#include "util/ZOQCam_Convert.h"
#include "ZoqOut.h"

using namespace ev76c560;

namespace {

// Line-length form: a short exposure is the shortest line (0x70 units)
// with the oscillator trimmed by the inverted line count; from 112 units on
// the line length is the count, with a fixed trim of 0x40.
constexpr unsigned int kShortestLine = 0x70;
constexpr unsigned short kFixedTrim = 0x40;
constexpr unsigned int kLongestLine = LINE_LENGTH_FIELD;

constexpr double kBaseClockHz = 96000000.0;

}  // namespace

bool CZOQCamEV76C560::LineLengthExposure() const {
    return Reg(REG_EXPOSURE_MODE) & EXPOSURE_MODE_LINE;
}

float CZOQCamEV76C560::LineMs() const {
    return static_cast<float>(Reg(REG_LINE_LENGTH) & LINE_LENGTH_FIELD) * kClocksPerLineUnit *
           m_fClockPeriod;
}

int CZOQCamEV76C560::Sensor_SetExposureLines(unsigned int lines) {
    if (!LineLengthExposure()) return CZOQCamSensor::Sensor_SetExposureLines(lines);
    lines = ClampLines(lines);
    unsigned short trim =
        lines < kShortestLine ? static_cast<unsigned short>(~lines & OSCILLATOR_FIELD) : kFixedTrim;
    unsigned int length = lines < kShortestLine ? kShortestLine : std::min(lines, kLongestLine);
    int rc = WriteMasked(REG_OSCILLATOR, OSCILLATOR_FIELD, trim);
    if (rc != RC_SUCCESS) return rc;
    return WriteMasked(REG_LINE_LENGTH, LINE_LENGTH_FIELD, static_cast<unsigned short>(length));
}

int CZOQCamEV76C560::Sensor_GetExposureLines(unsigned int* lines) {
    if (!LineLengthExposure()) return CZOQCamSensor::Sensor_GetExposureLines(lines);
    zoq::Put(lines, Reg(REG_LINE_LENGTH) & LINE_LENGTH_FIELD);
    return RC_SUCCESS;
}

float CZOQCamEV76C560::Sensor_GetExposureTimeFromExposureLines(unsigned int lines) {
    // In the line-length form the registers alone set the time.
    return LineLengthExposure() ? LineMs() : LineMs() * static_cast<float>(lines);
}

unsigned int CZOQCamEV76C560::Sensor_GetExposureLinesFromExposureTime(float ms) {
    // The line-length form counts line-length units of 8 clocks.
    float unitMs = LineLengthExposure() ? kClocksPerLineUnit * m_fClockPeriod : LineMs();
    return zoqplugin::TruncToUInt(ms / unitMs + 0.5f);
}

double CZOQCamEV76C560::ClockHz() const {
    double oscillator = static_cast<float>(
        1.0 / (5.3404e-7 / ((Reg(REG_OSCILLATOR) & OSCILLATOR_FIELD) + 36) + 3.4e-9));
    unsigned pll = Reg(REG_PLL);
    double pllHz = ((pll & 0xFF) + 1) * 2.0 /
                   ((((pll >> 8) & 0x1F) + 1) * 2.0 * (((pll >> 13) & 3) + 1)) * kBaseClockHz;
    const double sources[4] = {0.0, kBaseClockHz, oscillator, pllHz};
    unsigned select = Reg(REG_CLOCK_SELECT);
    double source = (select & 0x1000) ? sources[(select >> 10) & 3] : sources[(select >> 8) & 3];
    unsigned divider = (select >> 4) & 0xF;
    return source / (divider ? divider : 1);
}

void CZOQCamEV76C560::UpdateClkCtrl() {
    double hz = ClockHz();
    // A clock selection of "none" leaves the last period in place.
    if (hz > 0.0) m_fClockPeriod = static_cast<float>(1000.0 / hz);
}

int CZOQCamEV76C560::RunFollowUp(unsigned short reg, unsigned short value) {
    if (reg == REG_OSCILLATOR) UpdateClkCtrl();
    return CZOQCamSensor::RunFollowUp(reg, value);
}
