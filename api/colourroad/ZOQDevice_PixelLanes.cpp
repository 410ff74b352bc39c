#include "colourroad/ZOQDevice_PixelLanes.h"

#include <atomic>

namespace {

std::atomic<bool> g_sse2Only{false};

}  // namespace

void ZoqSetLaneWidth(ZoqLaneWidth width) {
    g_sse2Only.store(width == ZoqLaneWidth::kSse2, std::memory_order_relaxed);
}

bool ZoqUseAvx2() {
    return !g_sse2Only.load(std::memory_order_relaxed) && __builtin_cpu_supports("avx2");
}
