// Saturation stage: scales the HSL saturation of every colour by one factor
// through a colour cube that is allocated on the first non-zero value and
// rebuilt lazily, on the first frame after a change.
#pragma once

#include "colourroad/ZOQDevice_ColourCube.h"

class ZoqSaturation : public ZoqCubeStage {
public:
    static constexpr int kMin = -128;
    static constexpr int kMax = 127;

    // A value equal to the stored one (before clamping) changes nothing;
    // otherwise clamps, stores, allocates the cube for a non-zero value when
    // there is none, and marks the cube for rebuild.
    void Set(int value);
    int Value() const { return m_value; }
    float Factor() const { return m_factor; }

    void BuildCube() override;

private:
    // The stage runs for a non-zero value.
    bool On() const override { return m_value != 0; }

    int m_value = 0;
    float m_factor = 1.0f;
};
