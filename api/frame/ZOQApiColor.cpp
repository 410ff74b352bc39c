// White balance and colour correction.
#include "frame/ZOQApiForward.h"

ZOQ_API int ZOQ_WhiteBalanceSet(int index, ZOQ_WB_MODE mode) {
    return ZOQ_FORWARD(index, SetWhiteBalanceMode, mode);
}

ZOQ_API int ZOQ_WhiteBalanceGet(int index, ZOQ_WB_MODE* mode) {
    return ZOQ_FORWARD(index, GetWhiteBalanceMode, mode);
}

ZOQ_API int ZOQ_WhiteBalanceAutoSet(int index, int phi) {
    return ZOQ_FORWARD(index, SetWhiteBalancePhi, phi);
}

ZOQ_API int ZOQ_WhiteBalanceAutoGet(int index, int* phi) {
    return ZOQ_FORWARD(index, GetWhiteBalancePhi, phi);
}

ZOQ_API int ZOQ_WhiteBalanceMatrixSet(int index, float* gains) {
    return ZOQ_FORWARD(index, SetWhiteBalanceMatrix, gains);
}

ZOQ_API int ZOQ_WhiteBalanceMatrixGet(int index, float* gains) {
    return ZOQ_FORWARD(index, GetWhiteBalanceMatrix, gains);
}

ZOQ_API int ZOQ_WhiteBalancePresettingSet(int index, ZOQ_COLOR_TEMPRATURE preset) {
    return ZOQ_FORWARD(index, SetWhiteBalancePresetting, preset);
}

ZOQ_API int ZOQ_WhiteBalancePresettingGet(int index, ZOQ_COLOR_TEMPRATURE* preset) {
    return ZOQ_FORWARD(index, GetWhiteBalancePresetting, preset);
}

ZOQ_API int ZOQ_WhiteBalanceAutoSetCallBack(int index, ZOQ_WB_CALLBACK callback, void* context) {
    return ZOQ_FORWARD(index, SetWhiteBalanceAutoCallBack, callback, context);
}

ZOQ_API int ZOQ_WhiteBalanceAutoSetCallBackEx(int index, ZOQ_WB_CALLBACK_EX callback,
                                              void* context) {
    return ZOQ_FORWARD(index, SetWhiteBalanceAutoCallBackEx, callback, context);
}

ZOQ_API int ZOQ_ColorCorrectionSet(int index, ZOQ_CCM_MODE mode) {
    return ZOQ_FORWARD(index, SetColorCorrectionMode, mode);
}

ZOQ_API int ZOQ_ColorCorrectionGet(int index, ZOQ_CCM_MODE* mode) {
    return ZOQ_FORWARD(index, GetColorCorrectionMode, mode);
}

ZOQ_API int ZOQ_ColorCorrectionMatrixSet(int index, float (*matrix)[3]) {
    return ZOQ_FORWARD(index, SetColorCorrectionMatrix, matrix);
}

ZOQ_API int ZOQ_ColorCorrectionMatrixGet(int index, float (*matrix)[3]) {
    return ZOQ_FORWARD(index, GetColorCorrectionMatrix, matrix);
}

ZOQ_API int ZOQ_ColorCorrectionPresettingSet(int index, ZOQ_COLOR_TEMPRATURE preset) {
    return ZOQ_FORWARD(index, SetColorCorrectionPresetting, preset);
}

ZOQ_API int ZOQ_ColorCorrectionPresettingGet(int index, ZOQ_COLOR_TEMPRATURE* preset) {
    return ZOQ_FORWARD(index, GetColorCorrectionPresetting, preset);
}

ZOQ_API int ZOQ_AWBSetRegion(int index, int x, int y, int width, int height) {
    return ZOQ_FORWARD(index, SetAWBRegion, x, y, width, height);
}

ZOQ_API int ZOQ_AWBShowRegion(int index, bool show) {
    return ZOQ_FORWARD(index, ShowAWBRegion, show);
}

ZOQ_API int ZOQ_AWBGetRegion(int index, int* x, int* y, int* width, int* height, bool* show) {
    return ZOQ_FORWARD(index, GetAWBRegion, x, y, width, height, show);
}
