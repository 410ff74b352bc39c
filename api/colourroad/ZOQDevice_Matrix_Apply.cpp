// The colour-correction product on vector lanes: each lane sums its rows in
// the order of the scalar formula, (m0 R + m1 G) + m2 B, in single precision
// without fused multiply-add, so the bytes equal the scalar formula's.
#include <cstring>

#include "colourroad/ZOQDevice_Matrix.h"
#include "colourroad/ZOQDevice_PixelLanes.h"

namespace {

struct MatrixKernel {
    float m[3][3];

    template <int N>
    ZOQ_LANES_INLINE void Run(ZoqPixelLanes<N>& px) const {
        using F = typename ZoqLanes<N>::F;
        using I = typename ZoqLanes<N>::I;
        const F r = __builtin_convertvector(px.r, F);
        const F g = __builtin_convertvector(px.g, F);
        const F b = __builtin_convertvector(px.b, F);
        px.r = Row<F, I>(m[0], r, g, b);
        px.g = Row<F, I>(m[1], r, g, b);
        px.b = Row<F, I>(m[2], r, g, b);
    }

    template <typename F, typename I>
    static ZOQ_LANES_INLINE I Row(const float* row, F r, F g, F b) {
        const F v = (row[0] * r + row[1] * g) + row[2] * b;
        return zoqlanes::TruncateToByte<I>(v);
    }
};

}  // namespace

int ZoqApplyColourMatrix(const float m[3][3], unsigned char* image, int width, int height,
                         int bitCount) {
    MatrixKernel kernel;
    std::memcpy(kernel.m, m, sizeof kernel.m);
    return ZoqApplyPixelLanes(kernel, image, width, height, bitCount, ZoqRowBlocks::kLightBytes);
}

void ZoqApplyColourMatrixSpan(const float m[3][3], unsigned char* p, std::size_t pixels, int bpp) {
    MatrixKernel kernel;
    std::memcpy(kernel.m, m, sizeof kernel.m);
    ZoqRunPixelLanes(kernel, p, pixels, bpp);
}
