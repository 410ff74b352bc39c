/* Colour presets of the sensor classes: white-balance gains per colour
 * temperature (two variants by sensor family) and the colour-correction
 * matrices shared by every plug-in. */
#ifndef ZOQCAM_COLORPRESETS_H
#define ZOQCAM_COLORPRESETS_H

#include "zoqcam.h"

constexpr int kZOQAwbPresets = 3;
constexpr int kZOQCcmPresets = 8;

typedef float ZOQAwbPresetTable[kZOQAwbPresets][3];

// Table A: MT9 sensors, EV76C560, IMX250, IMX264, IMX265, IMX287, IMX290.
extern const ZOQAwbPresetTable g_AWBMatrixA;
// Table B: IMX174, IMX178, IMX249, ISG1307, ISG4006A.
extern const ZOQAwbPresetTable g_AWBMatrixB;
extern const float g_CCMatrix[kZOQCcmPresets][3][3];

namespace zoqplugin {

// Copy one preset row (3 gains) or matrix (9 coefficients, row by row);
// -1 for a null output or a preset the table does not have.
int CopyAwbPreset(const ZOQAwbPresetTable& table, ZOQ_COLOR_TEMPRATURE preset, float* gains3);
int CopyCcmPreset(ZOQ_COLOR_TEMPRATURE preset, float* matrix9);

}  // namespace zoqplugin

#endif
