#include "colourroad/ZOQDevice_Image_HSL.h"
#include "colourroad/ZOQDevice_PixelLanes.h"
#include "zoq_errors.h"

namespace {

// The master setting combined with each sector's, worked out once a frame.
struct SectorSettings {
    double turn[ZoqHueSaturation::kRanges] = {};
    double gain[ZoqHueSaturation::kRanges] = {};
    double light[ZoqHueSaturation::kRanges] = {};
    double lightScale[ZoqHueSaturation::kRanges] = {};  // 1 + light

    explicit SectorSettings(const ZOQHueSaturationConfig& c) {
        for (int k = 1; k < ZoqHueSaturation::kRanges; ++k) {
            turn[k] = 0.5 * (c.hue[0] + c.hue[k]);
            gain[k] = 1.0 + c.saturation[0] + c.saturation[k];
            light[k] = 0.5 * (c.lightness[0] + c.lightness[k]);
            lightScale[k] = 1.0 + light[k];
        }
    }
};

// The adjustment on vector lanes, operation for operation as RGBtoHSL2,
// the sector's settings and HSLtoRGB2 do it one colour at a time: the
// channels in single precision, everything else in double precision; a
// branch of the scalar code becomes a selection between both results. The
// sector of a hue in turns: x = 6 h in [0.5, 1.5) is range 2, ... [4.5,
// 5.5) range 6, the rest range 1.
using zoqlanes::Select;
using zoqlanes::Splat;

template <int N>
struct HslMath {
    using F = typename ZoqLanes<N>::F;
    using I = typename ZoqLanes<N>::I;
    using D = typename ZoqLanes<N>::D;
    using L = typename ZoqLanes<N>::L;

    static ZOQ_LANES_INLINE F Max(F a, F b) { return Select(a < b, b, a); }
    static ZOQ_LANES_INLINE F Min(F a, F b) { return Select(b < a, b, a); }
    static ZOQ_LANES_INLINE D Clamp(D v) {
        return Select(v < 0.0, Splat<D>(0.0), Select(v > 1.0, Splat<D>(1.0), v));
    }
    static ZOQ_LANES_INLINE D Widen(F v) { return __builtin_convertvector(v, D); }
    static ZOQ_LANES_INLINE F Narrow(D v) { return __builtin_convertvector(v, F); }
    static ZOQ_LANES_INLINE L WideMask(I m) { return __builtin_convertvector(m, L); }

    // zoqcolour::HueToChannel2, then the rounding of HSLtoRGB2.
    static ZOQ_LANES_INLINE I Channel(D p, D q, D y) {
        y = Select(y > 6.0, y - 6.0, y);
        y = Select(y < 0.0, y + 6.0, y);
        const D v = Select(y < 1.0, p + (q - p) * y,
                           Select(y < 3.0, q, Select(y < 4.0, p + (q - p) * (4.0 - y), p)));
        return zoqlanes::TruncateToByte<I>(v * 255.0 + 0.5);
    }
};

struct HslKernel {
    const SectorSettings& sectors;

    // The setting of each lane's sector (HueSector of the hue in turns).
    template <int N>
    struct Sector {
        using D = typename ZoqLanes<N>::D;
        using L = typename ZoqLanes<N>::L;
        L below[6];  // x < 0.5, x < 1.5, ... x < 5.5

        ZOQ_LANES_INLINE explicit Sector(D x) {
            for (int i = 0; i < 6; ++i) below[i] = x < (i + 0.5);
        }
        ZOQ_LANES_INLINE D Pick(const double* setting) const {
            D v = Splat<D>(setting[1]);  // x >= 5.5 wraps to the first sector
            for (int i = 5; i >= 1; --i) v = Select(below[i], Splat<D>(setting[i + 1]), v);
            return Select(below[0], Splat<D>(setting[1]), v);
        }
    };

    template <int N>
    ZOQ_LANES_INLINE void Run(ZoqPixelLanes<N>& px) const {
        using M = HslMath<N>;
        using F = typename M::F;
        using I = typename M::I;
        using D = typename M::D;
        using L = typename M::L;
        // RGBtoHSL2.
        const F r = __builtin_convertvector(px.r, F) / 255.0f;
        const F g = __builtin_convertvector(px.g, F) / 255.0f;
        const F b = __builtin_convertvector(px.b, F) / 255.0f;
        const F maxf = M::Max(r, M::Max(g, b));
        const F minf = M::Min(r, M::Min(g, b));
        const D max = M::Widen(maxf);
        const D min = M::Widen(minf);
        D l = 0.5 * (max + min);
        const D d = max - min;
        D s = Select(l <= 0.5, d / (max + min), d / (2.0 - max - min));
        const I isRed = maxf == r;
        const I isGreen = maxf == g;
        const F difference = Select(isRed, g - b, Select(isGreen, b - r, r - g));
        // Adding 0 leaves a red hue as it is: g - b is never -0.
        const D offset = Select(M::WideMask(isRed), Splat<D>(0.0),
                                Select(M::WideMask(isGreen), Splat<D>(2.0), Splat<D>(4.0)));
        D h = M::Widen(difference) / d + offset;
        h = h / 6.0;
        h = Select(h < 0.0, h + 1.0, h);
        const L gray = M::WideMask(maxf == minf);
        h = Select(gray, Splat<D>(0.0), h);
        s = Select(gray, Splat<D>(0.0), s);
        const F hue = M::Narrow(M::Clamp(h));
        const F saturation = M::Narrow(M::Clamp(s));
        const F lightness = M::Narrow(M::Clamp(l));

        // The sector's settings.
        const Sector<N> sector(6.0 * M::Widen(hue));
        D h2 = M::Widen(hue) + sector.Pick(sectors.turn);
        h2 = Select(h2 < 0.0, h2 + 1.0, Select(h2 > 1.0, h2 - 1.0, h2));
        const D s2 = M::Clamp(M::Widen(saturation) * sector.Pick(sectors.gain));
        const D light = sector.Pick(sectors.light);
        const D l1 = M::Widen(lightness);
        const D l2 =
            Select(light < 0.0, l1 * sector.Pick(sectors.lightScale), l1 + light * (1.0 - l1));

        // HSLtoRGB2 of the settings' result, as floats.
        const D hh = M::Widen(M::Narrow(h2));
        const D ss = M::Widen(M::Narrow(s2));
        const D ll = M::Widen(M::Narrow(l2));
        const D q = Select(ll <= 0.5, (1.0 + ss) * ll, ss + ll - ss * ll);
        const D p = 2.0 * ll - q;
        const D x = 6.0 * hh;
        const I flat = __builtin_convertvector(ss == 0.0, I);
        const I grayByte = zoqlanes::TruncateToByte<I>(ll * 255.0 + 0.5);
        px.r = Select(flat, grayByte, M::Channel(p, q, x + 2.0));
        px.g = Select(flat, grayByte, M::Channel(p, q, x));
        px.b = Select(flat, grayByte, M::Channel(p, q, x - 2.0));
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
    const SectorSettings sectors(m_config);
    return ZoqApplyPixelLanes(HslKernel{sectors}, image, width, height, bitCount,
                              ZoqRowBlocks::kHeavyBytes);
}
