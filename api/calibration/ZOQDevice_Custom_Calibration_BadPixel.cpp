#include "calibration/ZOQDevice_Custom_Calibration_BadPixel.h"

#include <cstddef>

void ZoqBadPixels::Set(bool on, ZOQ_THRESHOLD newLevel) {
    enable = on;
    level = newLevel;
    if (newLevel == ZOQ_THRESHOLD_LOW) {
        low = kDefaultLow;
        high = kDefaultHigh;
    }
}

void ZoqBadPixels::Correct(unsigned char* data, int width, int height) const {
    const int lowLimit = low;
    const int highLimit = high;
    for (int y = 0; y < height; ++y) {
        unsigned char* row = data + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = 4; x <= width - 5; ++x) {
            const int p = row[x];
            // The right-hand neighbours go first: they are still as
            // captured, and they rule out almost every sample.
            if (p - row[x + 4] <= highLimit || p - row[x + 2] <= lowLimit) continue;
            if (p - row[x - 4] <= highLimit || p - row[x - 2] <= lowLimit) continue;
            row[x] = row[x - 2] > row[x + 2] ? row[x - 2] : row[x + 2];
        }
    }
}
