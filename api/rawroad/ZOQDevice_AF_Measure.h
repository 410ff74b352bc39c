// Auto focus: the settings and the focus measure of a region, ten times the
// mean of the four absolute differences between each inner sample and its
// same-colour neighbours two samples away, on a 0 .. 10200 scale. Driving a
// lens is the application's business.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/ZOQDevice_Region.h"
#include "zoq_types.h"

class ZoqAutoFocus {
public:
    ZoqRegion region;
    bool showRegion = false;
    bool running = false;
    ZOQ_AF_CALLBACK callback = nullptr;
    void* callbackContext = nullptr;

    // The focus value of the fitted region; 0 for a frame smaller than
    // 5 x 5, which has no inner samples.
    int Measure(const unsigned char* data, int width, int height);
    const ZoqFittedRegion& FittedRegion() const { return m_fitted; }

    // The sum the value is made of: D / 1020.0 over `rows` rows of
    // `columns` samples from `first` (whose neighbours two rows and columns
    // away must lie in the frame), exactly as added one sample after the
    // other, row by row.
    double Sum(const unsigned char* first, std::ptrdiff_t stride, int rows, int columns);

private:
    ZoqFittedRegion m_fitted;
    // Per-row working space, kept from frame to frame: the sums of D (of
    // the last region, of m_shapeRows x m_shapeColumns samples), the binade
    // each row is predicted to start in (-1: none) and its ulps there.
    std::vector<uint32_t> m_rowSums;
    std::vector<uint64_t> m_rowUnits;
    std::vector<int8_t> m_rowBinades;
    int m_shapeRows = 0;
    int m_shapeColumns = 0;
};
