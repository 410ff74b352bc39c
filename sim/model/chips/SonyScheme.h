// The Sony IMX register scheme: 8-bit registers with wide quantities split
// low byte first, exposure as frame length VMAX, line length HMAX, shutter
// start SHS and frame count SVS, gain in fixed decibel steps.
#pragma once

#include <cmath>

#include "../Chip.h"

namespace zoqsim {

// Gain register in steps of dbPerStep decibels (0.1 dB on most chips).
inline double sonyGain(uint32_t index, double dbPerStep) { return std::pow(10.0, index * dbPerStep / 20.0); }

inline SiteGains uniformGains(double g) { return {g, g, g, g}; }

// Exposure lines: the shutter opens SHS lines into the first of SVS + 1 frames.
inline double sonyLines(uint32_t vmax, uint32_t svs, uint32_t shs) {
    const double lines = double(vmax) * (double(svs) + 1.0) - double(shs);
    return lines > 0.0 ? lines : 0.0;
}

// Exposure time: lines of HMAX clocks, plus a fixed part of offsetLines lines.
inline double sonyExposureMs(double lines, uint32_t hmax, double offsetLines, double clockMHz) {
    return (lines + offsetLines) * hmax * clockPeriodMs(clockMHz);
}

// Window as four 16-bit values from `first` on: column start, row start,
// column size, row size. Bit 0 of the orientation register flips rows,
// bit 1 mirrors columns.
inline SensorWindow sonyWindow(const RegisterView& r, unsigned first, unsigned orientation, uint32_t step) {
    return {.columnStart = int32_t(r.bytes(first, 2)),
            .rowStart = int32_t(r.bytes(first + 2, 2)),
            .columnSize = r.bytes(first + 4, 2),
            .rowSize = r.bytes(first + 6, 2),
            .columnStep = step,
            .rowStep = step,
            .mirror = (r.s(orientation) & 2) != 0,
            .flip = (r.s(orientation) & 1) != 0};
}

}  // namespace zoqsim
