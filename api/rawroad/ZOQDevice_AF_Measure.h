// Auto focus: the settings and the focus measure of a region, ten times the
// mean of the four absolute differences between each inner sample and its
// same-colour neighbours two samples away, on a 0 .. 10200 scale. Driving a
// lens is the application's business.
#pragma once

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

private:
    ZoqFittedRegion m_fitted;
};
