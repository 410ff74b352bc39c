// The colour stages run on vector lanes of the widest width the processor
// has; the tests check every width this machine can run.
#pragma once

#include <gtest/gtest.h>

#include "colourroad/ZOQDevice_PixelLanes.h"

namespace colourref {

// Calls body() with SSE2 lanes, with AVX2 at most where the processor has
// more, then with the widest lanes.
template <typename Body>
void ForEachLaneWidth(Body body) {
    ZoqSetLaneWidth(ZoqLaneWidth::kWidest);
    const bool beyondAvx2 = ZoqUseAvx512();
    for (ZoqLaneWidth width : {ZoqLaneWidth::kSse2, ZoqLaneWidth::kAvx2, ZoqLaneWidth::kWidest}) {
        if (width == ZoqLaneWidth::kAvx2 && !beyondAvx2) continue;
        ZoqSetLaneWidth(width);
        SCOPED_TRACE(width == ZoqLaneWidth::kSse2   ? "SSE2 lanes"
                     : width == ZoqLaneWidth::kAvx2 ? "AVX2 lanes at most"
                                                    : "widest lanes");
        body();
    }
    ZoqSetLaneWidth(ZoqLaneWidth::kWidest);
}

}  // namespace colourref
