#include "ZoqOut.h"
#include "colourroad/ZOQDevice_Image_HSL.h"
#include "zoq_errors.h"

namespace {

// Range of the sector a hue (in turns) falls in: six 60-degree sectors
// centred on 0, 60, ... 300 degrees; range 1 wraps around 0.
int HueSector(float hue) {
    const double x = 6.0 * hue;
    if (x >= 0.5 && x < 1.5) return 2;
    if (x >= 1.5 && x < 2.5) return 3;
    if (x >= 2.5 && x < 3.5) return 4;
    if (x >= 3.5 && x < 4.5) return 5;
    if (x >= 4.5 && x < 5.5) return 6;
    return 1;
}

// The master setting combined with each sector's, worked out once a build.
class Adjuster {
public:
    explicit Adjuster(const ZOQHueSaturationConfig& c) {
        for (int k = 1; k < ZoqHueSaturation::kRanges; ++k) {
            m_turn[k] = 0.5 * (c.hue[0] + c.hue[k]);
            m_gain[k] = 1.0 + c.saturation[0] + c.saturation[k];
            m_light[k] = 0.5 * (c.lightness[0] + c.lightness[k]);
        }
    }

    void operator()(const COLOR_RGB& in, COLOR_RGB& out) const {
        COLOR_HSL hsl;
        RGBtoHSL2(in, hsl);
        const int k = HueSector(hsl.h);
        double h = hsl.h + m_turn[k];
        if (h < 0.0)
            h += 1.0;
        else if (h > 1.0)
            h -= 1.0;
        const double s = zoqcolour::Clamp(hsl.s * m_gain[k], 0.0, 1.0);
        const double d = m_light[k];
        const double l = d < 0.0 ? hsl.l * (1.0 + d) : hsl.l + d * (1.0 - hsl.l);
        hsl.h = static_cast<float>(h);
        hsl.s = static_cast<float>(s);
        hsl.l = static_cast<float>(l);
        HSLtoRGB2(hsl, out);
    }

private:
    double m_turn[ZoqHueSaturation::kRanges] = {};
    double m_gain[ZoqHueSaturation::kRanges] = {};
    double m_light[ZoqHueSaturation::kRanges] = {};
};

bool ValidRange(int range) {
    return range >= 0 && range < ZoqHueSaturation::kRanges;
}

}  // namespace

void ZoqAdjustHueSaturation(const ZOQHueSaturationConfig& config, const COLOR_RGB& in,
                            COLOR_RGB& out) {
    const Adjuster adjust(config);
    adjust(in, out);
}

void ZoqHueSaturation::SetEnable(bool on) {
    if (on == m_enable) return;
    if (on && !m_cube.Exists()) m_cube.AllocateIdentity();
    m_enable = on;
    m_rebuild = on;
}

int ZoqHueSaturation::Set(int range, int hue, int saturation, int lightness) {
    if (!ValidRange(range)) return RC_PARAMETER_ERROR;
    hue = zoqcolour::Clamp(hue, -180, 180);
    saturation = zoqcolour::Clamp(saturation, -100, 100);
    lightness = zoqcolour::Clamp(lightness, -100, 100);
    if (hue == m_hue[range] && saturation == m_saturation[range] && lightness == m_lightness[range])
        return RC_SUCCESS;
    m_hue[range] = hue;
    m_saturation[range] = saturation;
    m_lightness[range] = lightness;
    m_config.hue[range] = hue / 180.0;
    m_config.saturation[range] = saturation / 100.0;
    m_config.lightness[range] = lightness / 100.0;
    m_rebuild = true;
    return RC_SUCCESS;
}

int ZoqHueSaturation::Get(int range, int* hue, int* saturation, int* lightness) const {
    if (!ValidRange(range)) return RC_PARAMETER_ERROR;
    zoq::Put(hue, m_hue[range]);
    zoq::Put(saturation, m_saturation[range]);
    zoq::Put(lightness, m_lightness[range]);
    return RC_SUCCESS;
}

void ZoqHueSaturation::BuildCube() {
    if (!m_rebuild || !m_enable || !m_cube.Exists()) return;
    m_cube.Build(Adjuster(m_config));
    m_rebuild = false;
}
