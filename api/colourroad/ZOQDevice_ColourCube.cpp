#include "colourroad/ZOQDevice_ColourCube.h"

#include "colourroad/ZOQDevice_ColourImage.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <thread>

namespace {

constexpr int kMaxHelpers = 15;

void FillIdentity(void* data, int blue) {
    unsigned char* entry = static_cast<unsigned char*>(data) + std::size_t(blue) * 65536 * 3;
    for (int g = 0; g < 256; ++g)
        for (int r = 0; r < 256; ++r, entry += 3) {
            entry[0] = static_cast<unsigned char>(blue);
            entry[1] = static_cast<unsigned char>(g);
            entry[2] = static_cast<unsigned char>(r);
        }
}

template <int BytesPerPixel>
void ApplyCube(const unsigned char* cube, unsigned char* p, std::size_t pixels) {
    for (std::size_t i = 0; i < pixels; ++i, p += BytesPerPixel) {
        const unsigned char* e = cube + ((std::size_t(p[0]) << 16) | (p[1] << 8) | p[2]) * 3;
        p[0] = e[0];
        p[1] = e[1];
        p[2] = e[2];
    }
}

}  // namespace

void ZoqRunSlices(int count, void (*work)(void* context, int slice), void* context) {
    std::atomic<int> next{0};
    auto run = [&] {
        for (int slice; (slice = next.fetch_add(1, std::memory_order_relaxed)) < count;)
            work(context, slice);
    };
    const unsigned cores = std::thread::hardware_concurrency();
    const int helpers = cores > 1 ? std::min<int>(int(cores) - 1, kMaxHelpers) : 0;
    std::thread threads[kMaxHelpers];
    int started = 0;
    for (; started < helpers; ++started) {
        try {
            threads[started] = std::thread(run);
        } catch (...) {
            break;  // the threads already running and this one do the rest
        }
    }
    run();
    for (int i = 0; i < started; ++i) threads[i].join();
}

bool ZoqColourCube::AllocateZeroed() {
    m_data.reset(new (std::nothrow) unsigned char[kBytes]);
    if (!m_data) return false;
    std::memset(m_data.get(), 0, kBytes);
    return true;
}

bool ZoqColourCube::AllocateIdentity() {
    m_data.reset(new (std::nothrow) unsigned char[kBytes]);
    if (!m_data) return false;
    ZoqRunSlices(256, FillIdentity, m_data.get());
    return true;
}

int ZoqColourCube::Apply(unsigned char* image, int width, int height, int bitCount) const {
    if (!m_data) return RC_ALLOC_FAILED;
    const std::size_t pixels = ZoqPixelCount(width, height);
    if (bitCount == 24)
        ApplyCube<3>(m_data.get(), image, pixels);
    else
        ApplyCube<4>(m_data.get(), image, pixels);
    return RC_SUCCESS;
}

int ZoqCubeStage::Apply(unsigned char* image, int width, int height, int bitCount) {
    if (!On()) return RC_SUCCESS;
    int rc = ZoqColourImageCheck(image, width, height, bitCount);
    if (rc != RC_SUCCESS) return rc;
    BuildCube();
    return m_cube.Apply(image, width, height, bitCount);
}
