// Bad pixel correction of the 8-bit raw frame: a sample clearly brighter
// than its same-colour neighbours in the row (2 and 4 samples away) takes
// the larger of its two nearest same-colour neighbours. Dark samples are
// left alone.
#pragma once

#include "zoq_types.h"

struct ZoqBadPixels {
    static constexpr unsigned char kDefaultLow = 12;
    static constexpr unsigned char kDefaultHigh = 24;

    bool enable = false;
    ZOQ_THRESHOLD level = ZOQ_THRESHOLD_LOW;
    unsigned char low = kDefaultLow;    // against the neighbours 2 away
    unsigned char high = kDefaultHigh;  // against the neighbours 4 away

    // Stores the switch and level; level 0 also restores the thresholds.
    void Set(bool on, ZOQ_THRESHOLD newLevel);

    // Corrects every row of a width x height frame in place, left to right:
    // a corrected sample is what the samples after it see.
    void Correct(unsigned char* data, int width, int height) const;
};
