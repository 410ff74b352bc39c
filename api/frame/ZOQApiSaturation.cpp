// Saturation and hue/saturation/lightness.
#include "frame/ZOQApiForward.h"

ZOQ_API int ZOQ_ProcessSaturationGetRange(int index, int* min, int* max) {
    return ZOQ_FORWARD(index, GetSaturationRange, min, max);
}

ZOQ_API int ZOQ_ProcessSaturationSet(int index, int value) {
    return ZOQ_FORWARD(index, SetSaturation, value);
}

ZOQ_API int ZOQ_ProcessSaturationGet(int index, int* value) {
    return ZOQ_FORWARD(index, GetSaturation, value);
}

ZOQ_API int ZOQ_HueSaturationSet(int index, ZOQHueRange range, int hue, int saturation,
                                 int lightness) {
    return ZOQ_FORWARD(index, SetHSL, range, hue, saturation, lightness);
}

ZOQ_API int ZOQ_HueSaturationGet(int index, ZOQHueRange range, int* hue, int* saturation,
                                 int* lightness) {
    return ZOQ_FORWARD(index, GetHSL, range, hue, saturation, lightness);
}

ZOQ_API int ZOQ_HueSaturationSetEnable(int index, bool enable) {
    return ZOQ_FORWARD(index, SetHSLEnable, enable);
}

ZOQ_API int ZOQ_HueSaturationGetEnable(int index, bool* enable) {
    return ZOQ_FORWARD(index, GetHSLEnable, enable);
}
