#include <cmath>

#include "colourroad/ZOQDevice_HslOfColour.h"
#include "colourroad/ZOQDevice_Image_HSL.h"
#include "colourroad/ZOQDevice_PixelLanes.h"
#include "zoq_errors.h"

namespace {

// The master setting combined with each sector's, worked out once a frame.
struct SectorSettings {
    double turn[ZoqHueSaturation::kRanges] = {};
    double gain[ZoqHueSaturation::kRanges] = {};
    double light[ZoqHueSaturation::kRanges] = {};

    explicit SectorSettings(const ZOQHueSaturationConfig& c) {
        for (int k = 1; k < ZoqHueSaturation::kRanges; ++k) {
            turn[k] = 0.5 * (c.hue[0] + c.hue[k]);
            gain[k] = 1.0 + c.saturation[0] + c.saturation[k];
            light[k] = 0.5 * (c.lightness[0] + c.lightness[k]);
        }
    }
};

// The adjustment on vector lanes, operation for operation as RGBtoHSL2,
// the sector's settings and HSLtoRGB2 do it one colour at a time: the
// channels and every float the scalar code rounds to in single precision
// on all N lanes, the double-precision work on two halves. A branch of the
// scalar code becomes a selection between both results.
using zoqlanes::Select;
using zoqlanes::Splat;

template <int N>
struct HslKernelMath {
    using W = zoqlanes::Wide<N>;
    using F = typename ZoqLanes<N>::F;
    using I = typename ZoqLanes<N>::I;
    using D = typename W::D;
    using Pair = typename W::Pair;

    static ZOQ_LANES_INLINE D Clamp(D v) {
        return Select(v < 0.0, Splat<D>(0.0), Select(v > 1.0, Splat<D>(1.0), v));
    }

    // zoqcolour::HueToChannel2.
    static ZOQ_LANES_INLINE D Channel(D p, D q, D y) {
        y = Select(y > 6.0, y - 6.0, y);
        y = Select(y < 0.0, y + 6.0, y);
        return Select(y < 1.0, p + (q - p) * y,
                      Select(y < 3.0, q, Select(y < 4.0, p + (q - p) * (4.0 - y), p)));
    }

    // The setting of each lane's sector, x = 6 h: below[i] is x < i + 0.5;
    // setting[k] holds the setting of range k in every lane.
    static ZOQ_LANES_INLINE D Pick(const typename ZoqLanes<N / 2>::L* below, const D* setting) {
        D v = setting[1];  // x >= 5.5 wraps to the first sector
        for (int i = 5; i >= 1; --i) v = Select(below[i], setting[i + 1], v);
        return Select(below[0], setting[1], v);
    }
};

// The sector settings in every lane of a vector of `M` doubles, ready to
// be selected from.
template <int M>
struct SectorLanes {
    using D = typename ZoqLanes<M>::D;
    D turn[ZoqHueSaturation::kRanges];
    D gain[ZoqHueSaturation::kRanges];
    D light[ZoqHueSaturation::kRanges];

    explicit SectorLanes(const SectorSettings& s) {
        for (int k = 0; k < ZoqHueSaturation::kRanges; ++k) {
            turn[k] = Splat<D>(s.turn[k]);
            gain[k] = Splat<D>(s.gain[k]);
            light[k] = Splat<D>(s.light[k]);
        }
    }
};

struct HslKernel {
    SectorLanes<2> sse2;  // the halves of four lanes
    SectorLanes<4> avx2;  // the halves of eight lanes

    explicit HslKernel(const SectorSettings& s) : sse2(s), avx2(s) {}

    template <int M>
    const SectorLanes<M>& Sectors() const {
        if constexpr (M == 2)
            return sse2;
        else
            return avx2;
    }

    template <int N>
    ZOQ_LANES_INLINE void Run(ZoqPixelLanes<N>& px) const {
        using M = HslKernelMath<N>;
        using W = typename M::W;
        using F = typename M::F;
        using I = typename M::I;
        using D = typename M::D;
        using Pair = typename M::Pair;

        // RGBtoHSL2: channels, their largest and smallest and the hue's
        // numerator in single precision; the branch of the hue as its offset.
        const zoqlanes::UnitChannels<N> u(px);
        const F r = u.r, g = u.g, b = u.b, maxf = u.max, minf = u.min;
        const I isRed = maxf == r;
        const I isGreen = maxf == g;
        const F difference = Select(isRed, g - b, Select(isGreen, b - r, r - g));
        // Adding 0 leaves a red hue as it is: g - b is never -0.
        const F offset =
            Select(isRed, Splat<F>(0.0f), Select(isGreen, Splat<F>(2.0f), Splat<F>(4.0f)));
        const Pair max = W::Widen(maxf), min = W::Widen(minf);
        const Pair numerator = W::Widen(difference), turnOffset = W::Widen(offset);
        Pair h, s, l;
        auto toHsl = [](D max, D min, D numerator, D offset, D & h, D & s, D & l)
            __attribute__((always_inline)) {
            l = 0.5 * (max + min);
            const D d = max - min;
            s = d / Select(l <= 0.5, max + min, 2.0 - max - min);
            h = numerator / d + offset;
            h = h / 6.0;
            h = Select(h < 0.0, h + 1.0, h);
            const auto gray = d == 0.0;  // the largest channel is the smallest
            h = M::Clamp(Select(gray, Splat<D>(0.0), h));
            s = M::Clamp(Select(gray, Splat<D>(0.0), s));
            l = M::Clamp(l);
        };
        toHsl(max.lo, min.lo, numerator.lo, turnOffset.lo, h.lo, s.lo, l.lo);
        toHsl(max.hi, min.hi, numerator.hi, turnOffset.hi, h.hi, s.hi, l.hi);

        Adjust<N>(px, W::Widen(W::Narrow(h)), W::Widen(W::Narrow(s)), W::Widen(W::Narrow(l)));
    }

    // The settings of each lane's sector on its hue, saturation and
    // lightness (floats, widened), then HSLtoRGB2 into px.
    template <int N>
    ZOQ_LANES_INLINE void Adjust(ZoqPixelLanes<N>& px, const typename HslKernelMath<N>::Pair& hue,
                                 const typename HslKernelMath<N>::Pair& saturation,
                                 const typename HslKernelMath<N>::Pair& lightness) const {
        using M = HslKernelMath<N>;
        using W = typename M::W;
        using I = typename M::I;
        using D = typename M::D;
        using Pair = typename M::Pair;
        using HalfI = typename W::HalfI;
        const SectorLanes<N / 2>& sectors = Sectors<N / 2>();
        auto adjust = [&sectors](D h, D s, D l, D & h2, D & s2, D & l2)
            __attribute__((always_inline)) {
            const D x = 6.0 * h;
            typename ZoqLanes<N / 2>::L below[6];
            for (int i = 0; i < 6; ++i) below[i] = x < (i + 0.5);
            h2 = h + M::Pick(below, sectors.turn);
            h2 = Select(h2 < 0.0, h2 + 1.0, Select(h2 > 1.0, h2 - 1.0, h2));
            s2 = M::Clamp(s * M::Pick(below, sectors.gain));
            const D light = M::Pick(below, sectors.light);
            l2 = Select(light < 0.0, l * (1.0 + light), l + light * (1.0 - l));
        };
        Pair h2, s2, l2;
        adjust(hue.lo, saturation.lo, lightness.lo, h2.lo, s2.lo, l2.lo);
        adjust(hue.hi, saturation.hi, lightness.hi, h2.hi, s2.hi, l2.hi);

        // HSLtoRGB2 of the adjusted colour, as floats.
        const Pair hh = W::Widen(W::Narrow(h2));
        const Pair ss = W::Widen(W::Narrow(s2));
        const Pair ll = W::Widen(W::Narrow(l2));
        auto toRgb = [](D h, D s, D l, HalfI & red, HalfI & green, HalfI & blue)
            __attribute__((always_inline)) {
            const D q = Select(l <= 0.5, (1.0 + s) * l, s + l - s * l);
            const D p = 2.0 * l - q;
            const D x = 6.0 * h;
            const auto flat = s == 0.0;  // gray: every channel is l
            auto byte = [&](D y) __attribute__((always_inline)) {
                const D v = Select(flat, l, M::Channel(p, q, y));
                return zoqlanes::TruncateToByte<HalfI>(v * 255.0 + 0.5);
            };
            red = byte(x + 2.0);
            green = byte(x);
            blue = byte(x - 2.0);
        };
        HalfI red[2], green[2], blue[2];
        toRgb(hh.lo, ss.lo, ll.lo, red[0], green[0], blue[0]);
        toRgb(hh.hi, ss.hi, ll.hi, red[1], green[1], blue[1]);
        px.r = W::template Join<I>(red[0], red[1]);
        px.g = W::template Join<I>(green[0], green[1]);
        px.b = W::template Join<I>(blue[0], blue[1]);
    }
};

// The adjustment in single precision, from hue, saturation and lightness
// of zoqlanes::HslOfLanes. The sector is picked exactly: x = 6 h < i + 0.5
// in double precision is h < the least float whose x reaches i + 0.5. From
// there the channels are continuous in hue, saturation and lightness (the
// wraps of the hue are whole turns, the branches meet), so the single
// precision values differ from the double precision ones by the roundings
// alone: about a thousandth of a level at worst, summing every rounding's
// bound over the steps. A byte is truncated from channel x 255 + 0.5,
// which changes only at whole levels; a lane within 1/256 of one is done
// again by HslKernel, and so is a lane whose hue HslOfLanes flagged.
struct HslFloatKernel {
    HslKernel exact;
    const ZoqHslPairTable* pairs;
    float below[6];  // sector thresholds on the hue
    // By the number of thresholds a hue reaches (0-6; 6 wraps to the first
    // sector), so that a lane's setting is one look-up in a register.
    alignas(32) float turn[8];
    alignas(32) float gain[8];
    alignas(32) float light[8];

    HslFloatKernel(const SectorSettings& s, const ZoqHslPairTable* table) : exact(s), pairs(table) {
        for (int i = 0; i < 6; ++i) {
            const double edge = i + 0.5;
            float f = static_cast<float>(edge / 6.0);
            while (6.0 * f < edge) f = std::nextafter(f, 2.0f);
            while (6.0 * std::nextafter(f, -1.0f) >= edge) f = std::nextafter(f, -1.0f);
            below[i] = f;
        }
        for (int reached = 0; reached < 8; ++reached) {
            const int k = reached < 6 ? reached + 1 : 1;
            turn[reached] = static_cast<float>(s.turn[k]);
            gain[reached] = static_cast<float>(s.gain[k]);
            light[reached] = static_cast<float>(s.light[k]);
        }
    }

    const HslKernel& Slow() const { return exact; }

    template <int N>
    ZOQ_LANES_INLINE typename ZoqLanes<N>::I Run(ZoqPixelLanes<N>& px) const {
        using F = typename ZoqLanes<N>::F;
        using I = typename ZoqLanes<N>::I;
        zoqlanes::HslOfLanes<N> hsl;
        I again = hsl.From(px, *pairs);
        const F h = zoqlanes::Wide<N>::Narrow(hsl.hue);

        I reached = {};
        for (int i = 0; i < 6; ++i) reached -= h >= below[i];
        auto pick = [&reached](const float* setting) __attribute__((always_inline)) {
            if constexpr (N == 8) {
                F table;
                std::memcpy(&table, setting, sizeof table);
                return __builtin_ia32_permvarsf256(table, reached);
            } else {
                F v;
                for (int i = 0; i < N; ++i) v[i] = setting[reached[i]];
                return v;
            }
        };
        F h2 = h + pick(turn);
        h2 = Select(h2 < 0.0f, h2 + 1.0f, Select(h2 > 1.0f, h2 - 1.0f, h2));
        F s2 = hsl.saturation * pick(gain);
        s2 = Select(s2 < 0.0f, Splat<F>(0.0f), Select(s2 > 1.0f, Splat<F>(1.0f), s2));
        const F l = hsl.lightness;
        const F d = pick(light);
        const F l2 = Select(d < 0.0f, l * (1.0f + d), l + d * (1.0f - l));

        const F q = Select(l2 <= 0.5f, (1.0f + s2) * l2, s2 + l2 - s2 * l2);
        const F p = 2.0f * l2 - q;
        const F x = 6.0f * h2;
        // HueToChannel2 as p + (q - p) w, w the weight of q: y rising over
        // 0..1, 1 up to 3, falling over 3..4, 0 beyond; within a rounding of
        // the branches' values.
        const F rise = q - p;
        auto level = [&](F y) __attribute__((always_inline)) {
            using zoqlanes::Max;
            using zoqlanes::Min;
            const F w = Max(Min(Min(y, 4.0f - y), Splat<F>(1.0f)), Splat<F>(0.0f));
            const F v = (p + rise * w) * 255.0f + 0.5f;
            // 1/256 of a level from a whole one: the low byte of v x 256 is
            // 255 or 0.
            const I steps = __builtin_convertvector(v * 256.0f, I);
            again |= ((steps + 1) & 0xFF) <= 1;
            return zoqlanes::TruncateToByte<I>(v);
        };
        // x is 0..6: red's y = x + 2 can only pass 6, blue's x - 2 only 0.
        const F red = x + 2.0f, blue = x - 2.0f;
        px.r = level(Select(red > 6.0f, red - 6.0f, red));
        px.g = level(x);
        px.b = level(Select(blue < 0.0f, blue + 6.0f, blue));
        return again;
    }
};

bool ValidRange(int range) {
    return range >= 0 && range < ZoqHueSaturation::kRanges;
}

}  // namespace

int ZoqHueSaturation::Set(int range, int hue, int saturation, int lightness) {
    if (!ValidRange(range)) return RC_PARAMETER_ERROR;
    hue = zoqcolour::Clamp(hue, -180, 180);
    saturation = zoqcolour::Clamp(saturation, -100, 100);
    lightness = zoqcolour::Clamp(lightness, -100, 100);
    m_hue[range] = hue;
    m_saturation[range] = saturation;
    m_lightness[range] = lightness;
    m_config.hue[range] = hue / 180.0;
    m_config.saturation[range] = saturation / 100.0;
    m_config.lightness[range] = lightness / 100.0;
    return RC_SUCCESS;
}

int ZoqHueSaturation::Get(int range, int* hue, int* saturation, int* lightness) const {
    if (!ValidRange(range)) return RC_PARAMETER_ERROR;
    if (hue != nullptr) *hue = m_hue[range];
    if (saturation != nullptr) *saturation = m_saturation[range];
    if (lightness != nullptr) *lightness = m_lightness[range];
    return RC_SUCCESS;
}

int ZoqHueSaturation::Apply(unsigned char* image, int width, int height, int bitCount) const {
    if (!m_enable) return RC_SUCCESS;
    const HslFloatKernel kernel(SectorSettings(m_config), &ZoqHslPairs());
    return ZoqApplyPixelLanes(kernel, image, width, height, bitCount, ZoqRowBlocks::kHeavyBytes);
}

void ZoqHueSaturation::ApplySpan(unsigned char* p, std::size_t pixels, int bpp) const {
    if (!m_enable) return;
    const HslFloatKernel kernel(SectorSettings(m_config), &ZoqHslPairs());
    ZoqRunPixelLanes(kernel, p, pixels, bpp);
}
