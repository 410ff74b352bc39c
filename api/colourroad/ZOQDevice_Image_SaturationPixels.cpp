// The saturation arithmetic on vector lanes. Every line follows RGBtoHSL1
// and HSLtoRGB1 operation for operation; a branch of theirs becomes a
// selection between both results.
#include "colourroad/ZOQDevice_Image_Saturation.h"
#include "colourroad/ZOQDevice_PixelLanes.h"

namespace {

using zoqlanes::Select;
using zoqlanes::Splat;

template <int N>
struct SatMath {
    using F = typename ZoqLanes<N>::F;
    using I = typename ZoqLanes<N>::I;

    static ZOQ_LANES_INLINE F Clamp(F v, float low, float high) {
        return Select(v < low, Splat<F>(low), Select(v > high, Splat<F>(high), v));
    }

    // zoqcolour::HueToChannel1, then the rounding of HSLtoRGB1.
    static ZOQ_LANES_INLINE I Channel(F p, F q, F t) {
        t = Select(t < 0.0f, t + 1.0f, t);
        t = Select(t > 1.0f, t - 1.0f, t);
        const F rising = p + (q - p) * 6.0f * t;
        const F falling = p + (q - p) * (0.6666667f - t) * 6.0f;
        const F v = Select(6.0f * t < 1.0f, rising,
                           Select(2.0f * t < 1.0f, q, Select(3.0f * t < 2.0f, falling, p)));
        return zoqlanes::TruncateToByte<I>(v * 255.0f + 0.5f);
    }
};

struct SaturationKernel {
    float factor;

    template <int N>
    ZOQ_LANES_INLINE void Run(ZoqPixelLanes<N>& px) const {
        using M = SatMath<N>;
        using F = typename M::F;
        using I = typename M::I;
        // RGBtoHSL1.
        const zoqlanes::UnitChannels<N> u(px);
        const F r = u.r, g = u.g, b = u.b, max = u.max, min = u.min;
        F l = (max + min) / 2.0f;
        const F d = max - min;
        const I isRed = max == r;
        const I isGreen = max == g;
        const F difference = Select(isRed, g - b, Select(isGreen, b - r, r - g));
        // Adding 0 leaves a red hue as it is: g - b is never -0.
        const F offset = Select(isRed, Select(g < b, Splat<F>(360.0f), Splat<F>(0.0f)),
                                Select(isGreen, Splat<F>(120.0f), Splat<F>(240.0f)));
        F h = 60.0f * difference / d + offset;
        F s = d / Select(l <= 0.5f, max + min, 2.0f - (max + min));
        s = Select(l > 0.0f, s, Splat<F>(0.0f));
        const I gray = max == min;
        h = Select(gray, Splat<F>(0.0f), h);
        s = Select(gray, Splat<F>(0.0f), s);
        h = M::Clamp(h, 0.0f, 360.0f);
        s = M::Clamp(s, 0.0f, 1.0f);
        l = M::Clamp(l, 0.0f, 1.0f);

        s *= factor;

        // HSLtoRGB1.
        const F q = Select(l < 0.5f, l * (1.0f + s), l + s - l * s);
        const F p = 2.0f * l - q;
        const F hue = h / 360.0f;
        const I flat = s == 0.0f;
        const I grayByte = zoqlanes::TruncateToByte<I>(l * 255.0f);
        px.r = Select(flat, grayByte, M::Channel(p, q, hue + 0.3333333f));
        px.g = Select(flat, grayByte, M::Channel(p, q, hue));
        px.b = Select(flat, grayByte, M::Channel(p, q, hue - 0.3333333f));
    }
};

// Factor 0 makes every colour gray: the lightness of RGBtoHSL1 through the
// gray branch of HSLtoRGB1.
struct GrayKernel {
    template <int N>
    ZOQ_LANES_INLINE void Run(ZoqPixelLanes<N>& px) const {
        using F = typename ZoqLanes<N>::F;
        using I = typename ZoqLanes<N>::I;
        const I max = zoqlanes::Max(px.r, zoqlanes::Max(px.g, px.b));
        const I min = zoqlanes::Min(px.r, zoqlanes::Min(px.g, px.b));
        const F l = (zoqlanes::UnitScale<N>(max) + zoqlanes::UnitScale<N>(min)) / 2.0f;
        px.r = px.g = px.b = zoqlanes::TruncateToByte<I>(l * 255.0f);
    }
};

// Any other factor k / 128 in exact arithmetic leaves hue and lightness and
// moves every channel C (a byte) to L + k / 128 (C - L), L = (max + min) / 2,
// a multiple of 1/256: X = 128 (max + min) + k (2 C - max - min) in 1/256.
// The conversions' roundings and their constants 0.3333333 and 0.6666667
// move a channel by less than 1/1000 of a level, so the byte is X + 1/2
// truncated and clipped, unless X + 1/2 is a whole level: those pixels are
// done by the conversions themselves. A gray pixel keeps its lightness,
// truncated. Every colour is checked against the conversions.
struct AffineKernel {
    int k;  // the factor in 1/128
    SaturationKernel conversions;

    SaturationKernel Slow() const { return conversions; }

    template <int N>
    ZOQ_LANES_INLINE typename ZoqLanes<N>::I Run(ZoqPixelLanes<N>& px) const {
        using I = typename ZoqLanes<N>::I;
        const I max = zoqlanes::Max(px.r, zoqlanes::Max(px.g, px.b));
        const I min = zoqlanes::Min(px.r, zoqlanes::Min(px.g, px.b));
        const I sum = max + min;
        const I base = sum << 7;
        const I xb = base + k * ((px.b << 1) - sum);
        const I xg = base + k * ((px.g << 1) - sum);
        const I xr = base + k * ((px.r << 1) - sum);
        const I whole = ((xb & 0xFF) == 0x80) | ((xg & 0xFF) == 0x80) | ((xr & 0xFF) == 0x80);
        auto level = [](I x) __attribute__((always_inline)) {
            const I v = (x + 0x80) >> 8;
            return Select(v < 0, Splat<I>(0), Select(v > 255, Splat<I>(255), v));
        };
        // Gray: the byte as a fraction of 255 and back, truncated.
        const I gray = max == min;
        const I grayByte = zoqlanes::TruncateToByte<I>(zoqlanes::UnitScale<N>(px.b) * 255.0f);
        px.b = Select(gray, grayByte, level(xb));
        px.g = Select(gray, grayByte, level(xg));
        px.r = Select(gray, grayByte, level(xr));
        return whole & ~gray;
    }
};

}  // namespace

void ZoqSaturation::Set(int value) {
    if (value == m_value) return;
    m_value = zoqcolour::Clamp(value, kMin, kMax);
    m_factor = static_cast<float>((m_value + 128) * 0.0078125);
}

int ZoqSaturation::Apply(unsigned char* image, int width, int height, int bitCount) const {
    if (m_value == 0) return RC_SUCCESS;
    const int k = m_value + 128;
    if (k == 0)
        return ZoqApplyPixelLanes(GrayKernel{}, image, width, height, bitCount,
                                  ZoqRowBlocks::kLightBytes);
    return ZoqApplyPixelLanes(AffineKernel{k, SaturationKernel{m_factor}}, image, width, height,
                              bitCount, ZoqRowBlocks::kLightBytes);
}

void ZoqSaturation::ApplySpan(unsigned char* p, std::size_t pixels, int bpp) const {
    if (m_value == 0) return;
    const int k = m_value + 128;
    if (k == 0)
        ZoqRunPixelLanes(GrayKernel{}, p, pixels, bpp);
    else
        ZoqRunPixelLanes(AffineKernel{k, SaturationKernel{m_factor}}, p, pixels, bpp);
}
