#include "colourroad/ZOQDevice_Image_Saturation.h"

void ZoqSaturation::Set(int value) {
    if (value == m_value) return;
    m_value = zoqcolour::Clamp(value, kMin, kMax);
    if (m_value != 0 && !m_cube.Exists()) m_cube.AllocateZeroed();
    m_rebuild = true;
    m_factor = static_cast<float>((m_value + 128) * 0.0078125);
}

void ZoqSaturation::BuildCube() {
    if (!m_rebuild || !m_cube.Exists()) return;
    const float factor = m_factor;
    m_cube.Build([factor](const COLOR_RGB& in, COLOR_RGB& out) {
        COLOR_HSL hsl;
        RGBtoHSL1(in, hsl);
        hsl.s *= factor;
        HSLtoRGB1(hsl, out);
    });
    m_rebuild = false;
}
