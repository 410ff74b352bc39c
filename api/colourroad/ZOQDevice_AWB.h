// White-balance state of a device: the mode (who does the work and where
// the gains come from), the gains and their tables, the measurement region
// and the callbacks that hear about new gains.
#pragma once

#include "colourroad/ZOQDevice_AWB_Measure.h"
#include "colourroad/ZOQDevice_AWB_Tables.h"
#include "geometry/ZOQDevice_Region.h"
#include "zoq_types.h"

struct ZoqWhiteBalance {
    ZOQ_WB_MODE mode = ZOQ_WB_OFF;
    ZOQ_COLOR_TEMPRATURE presetting = ZOQ_COLOR_TEMPRATURE_0;
    int phi = 0;
    float gains[3] = {1.0f, 1.0f, 1.0f};  // red, green, blue
    // Set by a change that the next colour-road frame must act on.
    bool update = false;
    ZoqRegion requested;
    ZoqFittedRegion fitted;
    bool showRegion = false;
    ZoqGainTables tables;
    ZoqWhiteBalanceMeter meter;
    ZOQ_WB_CALLBACK callback = nullptr;
    void* callbackContext = nullptr;
    ZOQ_WB_CALLBACK_EX callbackEx = nullptr;
    void* callbackExContext = nullptr;

    // Back to the state before any camera was known; the tables follow the
    // unity gains.
    void Reset() { *this = ZoqWhiteBalance(); }
    void RebuildTables() { tables.Build(gains); }
    // Hands the gains to the callback, or else to the three-value callback.
    void ReportGains() {
        if (callback != nullptr)
            callback(gains, callbackContext);
        else if (callbackEx != nullptr)
            callbackEx(gains[0], gains[1], gains[2], callbackExContext);
    }
};
