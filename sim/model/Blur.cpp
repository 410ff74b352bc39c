#include "Blur.h"

#include <algorithm>
#include <cstddef>

namespace zoqsim {
namespace {

// Box average of n samples `stride` apart, edges repeated.
void boxBlur(const float* src, float* dst, size_t n, size_t stride, int radius) {
    if (n == 0) return;
    const auto at = [&](ptrdiff_t i) {
        return src[size_t(std::clamp<ptrdiff_t>(i, 0, ptrdiff_t(n) - 1)) * stride];
    };
    double sum = 0.0;
    for (ptrdiff_t k = -radius; k <= radius; ++k) sum += at(k);
    const double scale = 1.0 / (2 * radius + 1);
    for (ptrdiff_t i = 0; i < ptrdiff_t(n); ++i) {
        dst[size_t(i) * stride] = float(sum * scale);
        sum += at(i + radius + 1) - at(i - radius);
    }
}

void horizontal(const float* src, float* dst, uint32_t width, uint32_t height, int radius) {
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t p = 0; p < 2 && p < width; ++p) {
            const size_t offset = size_t(y) * width + p;
            boxBlur(src + offset, dst + offset, (width - p + 1) / 2, 2, radius);
        }
}

void vertical(const float* src, float* dst, uint32_t width, uint32_t height, int radius) {
    for (uint32_t q = 0; q < 2 && q < height; ++q)
        for (uint32_t x = 0; x < width; ++x) {
            const size_t offset = size_t(q) * width + x;
            boxBlur(src + offset, dst + offset, (height - q + 1) / 2, size_t(2) * width, radius);
        }
}

}  // namespace

void blurBayerPlanes(float* plane, float* scratch, uint32_t width, uint32_t height, int radius) {
    for (int pass = 0; pass < 2; ++pass) {
        horizontal(plane, scratch, width, height, radius);
        vertical(scratch, plane, width, height, radius);
    }
}

}  // namespace zoqsim
