#include "calibration/ZOQDevice_Custom_Calibration_BadPixel.h"

#include <cstddef>

#include "geometry/ZOQDevice_RowBlocks.h"

void ZoqBadPixels::Set(bool on, ZOQ_THRESHOLD newLevel) {
    enable = on;
    level = newLevel;
    if (newLevel == ZOQ_THRESHOLD_LOW) {
        low = kDefaultLow;
        high = kDefaultHigh;
    }
}

namespace {

// Samples of one 32-sample stretch that could be corrected at all. A sample
// is corrected only when it stands out against its right-hand neighbours,
// which are still as captured when its turn comes, so a stretch where none
// does stays as it is; the rest of the test needs the left-hand neighbours
// as corrected, one sample after the other.
constexpr int kStretch = 32;

bool AnyCandidate(const unsigned char* p, int lowLimit, int highLimit) {
    int any = 0;
    for (int k = 0; k < kStretch; ++k)
        any |= (p[k] - p[k + 4] > highLimit) & (p[k] - p[k + 2] > lowLimit);
    return any != 0;
}

void CorrectRow(unsigned char* row, int width, int lowLimit, int highLimit) {
    const int last = width - 5;
    for (int x = 4; x <= last;) {
        const int end = x + kStretch - 1 <= last ? x + kStretch : last + 1;
        if (end - x == kStretch && !AnyCandidate(row + x, lowLimit, highLimit)) {
            x = end;
            continue;
        }
        for (; x < end; ++x) {
            const int p = row[x];
            if (p - row[x + 4] <= highLimit || p - row[x + 2] <= lowLimit) continue;
            if (p - row[x - 4] <= highLimit || p - row[x - 2] <= lowLimit) continue;
            row[x] = row[x - 2] > row[x + 2] ? row[x - 2] : row[x + 2];
        }
    }
}

}  // namespace

void ZoqBadPixels::Correct(unsigned char* data, int width, int height) const {
    if (width < 9) return;
    const int lowLimit = low;
    const int highLimit = high;
    const ZoqRowBlocks blocks(height, static_cast<size_t>(width), ZoqRowBlocks::kLightBytes);
    blocks.Run([=](int, int begin, int end) {
        for (int y = begin; y < end; ++y)
            CorrectRow(data + static_cast<size_t>(y) * static_cast<size_t>(width), width, lowLimit,
                       highLimit);
    });
}
