// Flat field, dark frame, bad pixels and calibration map.
#include "frame/ZOQApiForward.h"

ZOQ_API int ZOQ_SetFlatFieldCorrectionFieldOfView(int index, int columnStart, int rowStart,
                                                  int columnSize, int rowSize,
                                                  ZOQ_ADDRESSMODE columnMode,
                                                  ZOQ_ADDRESSMODE rowMode,
                                                  unsigned short multiFrameNum) {
    return ZOQ_FORWARD(index, SetFlatFieldCorrectionFieldOfView, columnStart, rowStart, columnSize,
                       rowSize, columnMode, rowMode, multiFrameNum);
}

ZOQ_API int ZOQ_GetFlatFieldCorrectionFieldOfView(int index, int* columnStart, int* rowStart,
                                                  int* columnSize, int* rowSize,
                                                  ZOQ_ADDRESSMODE* columnMode,
                                                  ZOQ_ADDRESSMODE* rowMode,
                                                  unsigned short* multiFrameNum) {
    return ZOQ_FORWARD(index, GetFlatFieldCorrectionFieldOfView, columnStart, rowStart, columnSize,
                       rowSize, columnMode, rowMode, multiFrameNum);
}

ZOQ_API int ZOQ_MakeDarkFrame(int index, int count) {
    return ZOQ_FORWARD(index, MakeDarkFrame, count);
}

ZOQ_API int ZOQ_MakeFlatFieldFrame(int index, int count) {
    return ZOQ_FORWARD(index, MakeFlatFieldFrame, count);
}

ZOQ_API int ZOQ_PreviewSetFlatFieldCorrection(int index, bool enable) {
    return ZOQ_FORWARD(index, SetPreviewFlatFieldCorrectionEnable, enable);
}

ZOQ_API int ZOQ_PreviewGetFlatFieldCorrection(int index, bool* enable) {
    return ZOQ_FORWARD(index, GetPreviewFlatFieldCorrectionEnable, enable);
}

ZOQ_API int ZOQ_CaptureSetFlatFieldCorrection(int index, bool enable) {
    return ZOQ_FORWARD(index, SetCaptureFlatFieldCorrectionEnable, enable);
}

ZOQ_API int ZOQ_CaptureGetFlatFieldCorrection(int index, bool* enable) {
    return ZOQ_FORWARD(index, GetCaptureFlatFieldCorrectionEnable, enable);
}

ZOQ_API int ZOQ_SaveFlatFieldCorrection(int index, char* path) {
    return ZOQ_FORWARD(index, SaveFlatFieldCorrection, path);
}

ZOQ_API int ZOQ_LoadFlatFieldCorrection(int index, char* path) {
    return ZOQ_FORWARD(index, LoadFlatFieldCorrection, path);
}

ZOQ_API int ZOQ_PreviewSetCalibration(int index, bool enable) {
    return ZOQ_FORWARD(index, SetPreviewCalibration, enable);
}

ZOQ_API int ZOQ_PreviewGetCalibration(int index, bool* enable) {
    return ZOQ_FORWARD(index, GetPreviewCalibration, enable);
}

ZOQ_API int ZOQ_CaptureSetCalibration(int index, bool enable) {
    return ZOQ_FORWARD(index, SetCaptureCalibration, enable);
}

ZOQ_API int ZOQ_CaptureGetCalibration(int index, bool* enable) {
    return ZOQ_FORWARD(index, GetCaptureCalibration, enable);
}

ZOQ_API int ZOQ_LoadCalibrationMapFile(int index, const char* path) {
    return ZOQ_FORWARD(index, LoadCalibrationMapFile, path);
}

ZOQ_API int ZOQ_SetCalibrationMapMode(int index, ZOQ_MAPMODE mode) {
    return ZOQ_FORWARD(index, SetCalibrationMapMode, mode);
}

ZOQ_API int ZOQ_GetCalibrationMapMode(int index, ZOQ_MAPMODE* mode) {
    return ZOQ_FORWARD(index, GetCalibrationMapMode, mode);
}

ZOQ_API int ZOQ_BadPixelCorrectionSetThreshold(int index, unsigned char low, unsigned char high) {
    return ZOQ_FORWARD(index, SetBadPixelCorrectionThreshold, low, high);
}

ZOQ_API int ZOQ_BadPixelCorrectionGetThreshold(int index, unsigned char* low, unsigned char* high) {
    return ZOQ_FORWARD(index, GetBadPixelCorrectionThreshold, low, high);
}

ZOQ_API int ZOQ_BadPixelCorrectionSet(int index, bool enable, ZOQ_THRESHOLD level) {
    return ZOQ_FORWARD(index, SetBadPixelCorrection, enable, level);
}

ZOQ_API int ZOQ_BadPixelCorrectionGet(int index, bool* enable, ZOQ_THRESHOLD* level) {
    return ZOQ_FORWARD(index, GetBadPixelCorrection, enable, level);
}
