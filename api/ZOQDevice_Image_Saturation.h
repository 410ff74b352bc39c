// Saturation stage: scales the HSL saturation of every colour by one factor
// through a colour cube that is allocated on the first non-zero value and
// rebuilt lazily, on the first frame after a change.
#pragma once

#include "ZOQDevice_ColourCube.h"

class ZoqSaturation {
public:
    static constexpr int kMin = -128;
    static constexpr int kMax = 127;

    // A value equal to the stored one (before clamping) changes nothing;
    // otherwise clamps, stores, allocates the cube for a non-zero value when
    // there is none, and marks the cube for rebuild.
    void Set(int value);
    int Value() const { return m_value; }
    float Factor() const { return m_factor; }
    bool RebuildPending() const { return m_rebuild; }

    // Rebuilds a marked cube that exists and clears the mark.
    void BuildCube();
    // RC_SUCCESS when applied or when the value is 0; the image checks'
    // codes; RC_ALLOC_FAILED when the cube could not be allocated.
    int Apply(unsigned char* image, int width, int height, int bitCount);

    const ZoqColourCube& Cube() const { return m_cube; }
    void Release() { m_cube.Release(); }

private:
    int m_value = 0;
    float m_factor = 1.0f;
    bool m_rebuild = false;
    ZoqColourCube m_cube;
};
