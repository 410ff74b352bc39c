// White-balance measurement: the red and blue gains that make the average
// of the near-white pixels of a region gray, from sums of Y, Cb and Cr.
#pragma once

#include "geometry/ZOQDevice_Region.h"

// Measures over the fitted region of a 24- or 32-bit image of width x
// height pixels. A pixel counts when none of its bytes is 255 and
// Y - |Cb| - |Cr| exceeds phi. With showRegion the region's border (rows
// rowOrigin and rowOrigin + height - 2, columns x and x + width - 2) is
// inverted in the image and not counted.
// RC_SUCCESS with gains (red, green, blue; green 1.0, then normalised to the
// channel with the largest sum); RC_NOT_SUPPORTED for other bit counts and
// RC_PARAMETER_ERROR for a null image, both without touching anything;
// RC_FAIL when the region does not lie inside the image, no pixel counts or
// the gains come out infinite or NaN, with gains untouched.
class ZoqWhiteBalanceMeter {
public:
    int Measure(unsigned char* image, int width, int height, int bitCount,
                const ZoqFittedRegion& region, int phi, bool showRegion, float gains[3]);
};

// One measurement.
int ZoqMeasureWhiteBalance(unsigned char* image, int width, int height, int bitCount,
                           const ZoqFittedRegion& region, int phi, bool showRegion, float gains[3]);
