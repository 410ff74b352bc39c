#include "geometry/ZOQDevice_LaneWidth.h"

#include <atomic>

namespace {

std::atomic<ZoqLaneWidth> g_width{ZoqLaneWidth::kWidest};

}  // namespace

void ZoqSetLaneWidth(ZoqLaneWidth width) {
    g_width.store(width, std::memory_order_relaxed);
}

bool ZoqUseAvx2() {
    return g_width.load(std::memory_order_relaxed) != ZoqLaneWidth::kSse2 &&
           __builtin_cpu_supports("avx2");
}

bool ZoqUseAvx512() {
    return g_width.load(std::memory_order_relaxed) == ZoqLaneWidth::kWidest &&
           __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
}
