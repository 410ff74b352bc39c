// Software gamma, contrast and brightness; camera look-up tables.
#include "frame/ZOQApiForward.h"

ZOQ_API int ZOQ_LutFileDownload(int index, const char* path) {
    return ZOQ_FORWARD(index, DownloadLutFile, path);
}

ZOQ_API int ZOQ_LutDataDownload(int index, unsigned char* data, int length) {
    return ZOQ_FORWARD(index, DownloadLutData, data, length);
}

ZOQ_API int ZOQ_LutSetEnable(int index, bool enable) {
    return ZOQ_FORWARD(index, SetLutEnable, enable);
}

ZOQ_API int ZOQ_LutGetEnable(int index, bool* enable) {
    return ZOQ_FORWARD(index, GetLutEnable, enable);
}

ZOQ_API int ZOQ_GammaLutFileDownload(int index, const char* path) {
    return ZOQ_FORWARD(index, DownloadGammaLutFile, path);
}

ZOQ_API int ZOQ_GammaLutDataDownload(int index, unsigned short* data, int count) {
    return ZOQ_FORWARD(index, DownloadGammaLutData, data, count);
}

ZOQ_API int ZOQ_GammaLutSetEnable(int index, bool enable) {
    return ZOQ_FORWARD(index, SetGammaLutEnable, enable);
}

ZOQ_API int ZOQ_GammaLutGetEnable(int index, bool* enable) {
    return ZOQ_FORWARD(index, GetGammaLutEnable, enable);
}

ZOQ_API int ZOQ_GammaGetRange(int index, int* min, int* max) {
    return ZOQ_FORWARD(index, GetGammaRange, min, max);
}

ZOQ_API int ZOQ_GammaSetValue(int index, int value) {
    return ZOQ_FORWARD(index, SetGamma, value);
}

ZOQ_API int ZOQ_GammaGetValue(int index, int* value) {
    return ZOQ_FORWARD(index, GetGamma, value);
}

ZOQ_API int ZOQ_ProcessContrastGetRange(int index, int* min, int* max) {
    return ZOQ_FORWARD(index, GetContrastRange, min, max);
}

ZOQ_API int ZOQ_ProcessContrastSet(int index, int value) {
    return ZOQ_FORWARD(index, SetContrast, value);
}

ZOQ_API int ZOQ_ProcessContrastGet(int index, int* value) {
    return ZOQ_FORWARD(index, GetContrast, value);
}

ZOQ_API int ZOQ_ProcessBrightnessGetRange(int index, int* min, int* max) {
    return ZOQ_FORWARD(index, GetBrightnessRange, min, max);
}

ZOQ_API int ZOQ_ProcessBrightnessSet(int index, int value) {
    return ZOQ_FORWARD(index, SetBrightness, value);
}

ZOQ_API int ZOQ_ProcessBrightnessGet(int index, int* value) {
    return ZOQ_FORWARD(index, GetBrightness, value);
}
