// Auto exposure and the focus measure.
#include "frame/ZOQApiForward.h"

ZOQ_API int ZOQ_AESetRegion(int index, int x, int y, int width, int height) {
    return ZOQ_FORWARD(index, SetAERegion, x, y, width, height);
}

ZOQ_API int ZOQ_AEShowRegion(int index, bool show) {
    return ZOQ_FORWARD(index, ShowAERegion, show);
}

ZOQ_API int ZOQ_AEGetRegion(int index, int* x, int* y, int* width, int* height, bool* show) {
    return ZOQ_FORWARD(index, GetAERegion, x, y, width, height, show);
}

ZOQ_API int ZOQ_AESetPeakAveRatio(int index, float ratio) {
    return ZOQ_FORWARD(index, SetAEPeakAveRatio, ratio);
}

ZOQ_API int ZOQ_AEGetPeakAveRatio(int index, float* ratio) {
    return ZOQ_FORWARD(index, GetAEPeakAveRatio, ratio);
}

ZOQ_API int ZOQ_AESetExposureTimeRange(int index, float min, float max) {
    return ZOQ_FORWARD(index, SetAEExposureTimeRange, min, max);
}

ZOQ_API int ZOQ_AEGetExposureTimeRange(int index, float* min, float* max) {
    return ZOQ_FORWARD(index, GetAEExposureTimeRange, min, max);
}

ZOQ_API int ZOQ_AESetCallbackEx(int index, ZOQ_AE_CALLBACK_EX callback, void* context) {
    return ZOQ_FORWARD(index, SetAECallbackEx, callback, context);
}

ZOQ_API int ZOQ_AESetMaxCount(int index, int maxCount) {
    return ZOQ_FORWARD(index, SetAEMaxCount, maxCount);
}

ZOQ_API int ZOQ_AESetTarget(int index, int target) {
    return ZOQ_FORWARD(index, SetAETarget, target);
}

ZOQ_API int ZOQ_AEStartEx(int index, bool start) {
    return ZOQ_FORWARD(index, StartAEEx, start);
}

ZOQ_API int ZOQ_AEGetStatusEx(int index, bool* running, int* maxCount, int* target) {
    return ZOQ_FORWARD(index, GetAEStatusEx, running, maxCount, target);
}

ZOQ_API int ZOQ_AESetCallback(int index, ZOQ_AE_CALLBACK callback, void* context) {
    return ZOQ_FORWARD(index, SetAECallback, callback, context);
}

ZOQ_API int ZOQ_AEStart(int index, bool start, int maxCount, int target) {
    return ZOQ_FORWARD(index, StartAE, start, maxCount, target);
}

ZOQ_API int ZOQ_AFSetRegion(int index, int x, int y, int width, int height) {
    return ZOQ_FORWARD(index, SetAFRegion, x, y, width, height);
}

ZOQ_API int ZOQ_AFGetRegion(int index, int* x, int* y, int* width, int* height, bool* show) {
    return ZOQ_FORWARD(index, GetAFRegion, x, y, width, height, show);
}

ZOQ_API int ZOQ_AFShowRegion(int index, bool show) {
    return ZOQ_FORWARD(index, ShowAFRegion, show);
}

ZOQ_API int ZOQ_AFSetCallback(int index, ZOQ_AF_CALLBACK callback, void* context) {
    return ZOQ_FORWARD(index, SetAFCallback, callback, context);
}

ZOQ_API int ZOQ_AFStart(int index, bool start) {
    return ZOQ_FORWARD(index, StartAF, start);
}
