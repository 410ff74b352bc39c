// The colour stages run on vector lanes of the widest width the processor
// has; the tests check every width this machine can run.
#pragma once

#include <gtest/gtest.h>

#include "colourroad/ZOQDevice_PixelLanes.h"

namespace colourref {

// Calls body() with SSE2 lanes, then with the widest lanes.
template <typename Body>
void ForEachLaneWidth(Body body) {
    for (ZoqLaneWidth width : {ZoqLaneWidth::kSse2, ZoqLaneWidth::kWidest}) {
        ZoqSetLaneWidth(width);
        SCOPED_TRACE(width == ZoqLaneWidth::kSse2 ? "SSE2 lanes" : "widest lanes");
        body();
    }
    ZoqSetLaneWidth(ZoqLaneWidth::kWidest);
}

}  // namespace colourref
