#include "sensor/ZOQCam_ColorPresets.h"

const ZOQAwbPresetTable g_AWBMatrixA = {
    {1.1640625f, 1.0f, 1.46875f},
    {1.31958f, 1.0f, 1.24854f},
    {1.0f, 1.25024f, 2.18701f},
};

const ZOQAwbPresetTable g_AWBMatrixB = {
    {1.813f, 1.0f, 2.016f},
    {1.925f, 1.0f, 1.698f},
    {1.183f, 1.0f, 3.23f},
};

const float g_CCMatrix[kZOQCcmPresets][3][3] = {
    {{1.9375f, -0.9375f, 0.0f}, {-0.34375f, 1.90625f, -0.5625f}, {-0.21875f, -1.21875f, 2.4375f}},
    {{1.90625f, -1.0f, 0.0625f}, {-0.3125f, 1.96875f, -0.65625f}, {-0.125f, -0.96875f, 2.09375f}},
    {{2.09375f, -0.875f, -0.21875f},
     {-0.5625f, 2.03125f, -0.46875f},
     {-1.03125f, -2.71875f, 4.75f}},
    {{1.35f, -0.32f, -0.02f}, {-0.48f, 1.79f, -0.19f}, {-0.016f, -0.85f, 1.92f}},
    {{1.33f, -0.32f, -0.02f}, {-0.48f, 1.65f, -0.19f}, {-0.016f, -0.85f, 1.95f}},
    {{1.25f, -0.32f, -0.02f}, {-0.48f, 1.63f, -0.19f}, {-0.016f, -0.85f, 1.83f}},
    {{1.71f, -0.66f, -0.05f}, {-0.14f, 1.38f, -0.24f}, {-0.07f, -0.36f, 1.43f}},
    {{1.42f, -0.32f, -0.1f}, {-0.15f, 1.4f, -0.25f}, {-0.14f, -0.32f, 1.36f}},
};

int zoqplugin::CopyAwbPreset(const ZOQAwbPresetTable& table, ZOQ_COLOR_TEMPRATURE preset,
                             float* gains3) {
    if (!gains3 || preset < 0 || preset >= kZOQAwbPresets) return RC_PARAMETER_ERROR;
    for (int i = 0; i < 3; ++i) gains3[i] = table[preset][i];
    return RC_SUCCESS;
}

int zoqplugin::CopyCcmPreset(ZOQ_COLOR_TEMPRATURE preset, float* matrix9) {
    if (!matrix9 || preset < 0 || preset >= kZOQCcmPresets) return RC_PARAMETER_ERROR;
    for (int i = 0; i < 9; ++i) matrix9[i] = g_CCMatrix[preset][i / 3][i % 3];
    return RC_SUCCESS;
}
