// Trigger, frame rate, sensitivity and exposure.
#include "frame/ZOQApiForward.h"

ZOQ_API int ZOQ_ExposureTimeSet(int index, float milliseconds) {
    return ZOQ_FORWARD(index, SetExposureTime, milliseconds);
}

ZOQ_API int ZOQ_ExposureTimeGet(int index, float* milliseconds) {
    return ZOQ_FORWARD(index, GetExposureTime, milliseconds);
}

ZOQ_API int ZOQ_TriggerModeSet(int index, ZOQ_TRIGGERMODE mode) {
    return ZOQ_FORWARD(index, SetTriggerMode, mode);
}

ZOQ_API int ZOQ_TriggerModeGet(int index, ZOQ_TRIGGERMODE* mode) {
    return ZOQ_FORWARD(index, GetTriggerMode, mode);
}

ZOQ_API int ZOQ_TriggerStatusGet(int index, ZOQ_TRIGGERSTATUS* status) {
    return ZOQ_FORWARD(index, GetTriggerStatus, status);
}

ZOQ_API int ZOQ_TriggerMethodSet(int index, ZOQ_TRIGGERMETHOD method) {
    return ZOQ_FORWARD(index, SetTriggerMethod, method);
}

ZOQ_API int ZOQ_TriggerMethodGet(int index, ZOQ_TRIGGERMETHOD* method) {
    return ZOQ_FORWARD(index, GetTriggerMethod, method);
}

ZOQ_API int ZOQ_TriggerDelayGetRange(int index, unsigned short* min, unsigned short* max) {
    return ZOQ_FORWARD(index, GetTriggerDelayRange, min, max);
}

ZOQ_API int ZOQ_TriggerDelaySet(int index, unsigned short delay) {
    return ZOQ_FORWARD(index, SetTriggerDelay, delay);
}

ZOQ_API int ZOQ_TriggerDelayGet(int index, unsigned short* delay) {
    return ZOQ_FORWARD(index, GetTriggerDelay, delay);
}

ZOQ_API int ZOQ_SetFixedFrameRateEx(int index, float fps) {
    return ZOQ_FORWARD(index, SetFixedFrameRateEx, fps);
}

ZOQ_API int ZOQ_GetFixedFrameRateEx(int index, float* fps) {
    return ZOQ_FORWARD(index, GetFixedFrameRateEx, fps);
}

ZOQ_API int ZOQ_SensitivitySetMode(int index, ZOQ_SENSITIVITYMODE mode) {
    return ZOQ_FORWARD(index, SetSensitivityMode, mode);
}

ZOQ_API int ZOQ_SensitivityGetMode(int index, ZOQ_SENSITIVITYMODE* mode) {
    return ZOQ_FORWARD(index, GetSensitivityMode, mode);
}
