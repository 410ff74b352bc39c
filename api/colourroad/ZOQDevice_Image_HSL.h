// Hue/saturation/lightness stage: a master setting for every colour plus
// one setting for each of six 60-degree hue sectors, applied through a
// colour cube that is allocated on the first enable and rebuilt lazily.
#pragma once

#include "colourroad/ZOQDevice_ColourCube.h"

// The settings as the cube builder uses them: hue in half turns (hue / 180),
// saturation and lightness as fractions (value / 100), by range; the
// blending width between sectors is always 0.
struct ZOQHueSaturationConfig {
    double hue[7];
    double saturation[7];
    double lightness[7];
    double blendWidth;
};

class ZoqHueSaturation : public ZoqCubeStage {
public:
    static constexpr int kRanges = 7;  // 0 the master, 1-6 the hue sectors

    // Switching on allocates an identity cube when there is none and marks
    // the cube for rebuild; switching off clears the mark.
    void SetEnable(bool on);
    bool Enabled() const { return m_enable; }
    // Clamps hue to -180..180, saturation and lightness to -100..100 and
    // marks the cube for rebuild when anything changed. RC_PARAMETER_ERROR
    // for a range outside 0..6.
    int Set(int range, int hue, int saturation, int lightness);
    int Get(int range, int* hue, int* saturation, int* lightness) const;
    const ZOQHueSaturationConfig& Config() const { return m_config; }

    // Builds only while enabled.
    void BuildCube() override;

private:
    bool On() const override { return m_enable; }

    bool m_enable = false;
    int m_hue[kRanges] = {};
    int m_saturation[kRanges] = {};
    int m_lightness[kRanges] = {};
    ZOQHueSaturationConfig m_config = {};
};

// The adjusted colour of one input colour under a configuration (what each
// cube entry holds).
void ZoqAdjustHueSaturation(const ZOQHueSaturationConfig& config, const COLOR_RGB& in,
                            COLOR_RGB& out);
