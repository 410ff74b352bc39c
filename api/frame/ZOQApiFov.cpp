// Capture and preview fields of view and image sizes.
#include "frame/ZOQApiForward.h"

ZOQ_API int ZOQ_CaptureGetDefaultFieldOfView(int index, int* columnStart, int* rowStart,
                                             int* columnSize, int* rowSize,
                                             ZOQ_ADDRESSMODE* columnMode,
                                             ZOQ_ADDRESSMODE* rowMode) {
    return ZOQ_FORWARD(index, GetDefaultFieldOfView, columnStart, rowStart, columnSize, rowSize,
                       columnMode, rowMode);
}

ZOQ_API int ZOQ_CaptureSetFieldOfView(int index, int columnStart, int rowStart, int columnSize,
                                      int rowSize, ZOQ_ADDRESSMODE columnMode,
                                      ZOQ_ADDRESSMODE rowMode) {
    return ZOQ_FORWARD(index, SetCaptureFieldOfView, columnStart, rowStart, columnSize, rowSize,
                       columnMode, rowMode);
}

ZOQ_API int ZOQ_CaptureGetFieldOfView(int index, int* columnStart, int* rowStart, int* columnSize,
                                      int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                                      ZOQ_ADDRESSMODE* rowMode) {
    return ZOQ_FORWARD(index, GetCaptureFieldOfView, columnStart, rowStart, columnSize, rowSize,
                       columnMode, rowMode);
}

ZOQ_API int ZOQ_CaptureGetSize(int index, int* width, int* height) {
    return ZOQ_FORWARD(index, GetCaptureSize, width, height);
}

ZOQ_API int ZOQ_CaptureGetSizeEx(int index, int* width, int* height, int* bitCount) {
    return ZOQ_FORWARD(index, GetCaptureSizeEx, width, height, bitCount);
}

ZOQ_API int ZOQ_PreviewGetDefaultFieldOfView(int index, int* columnStart, int* rowStart,
                                             int* columnSize, int* rowSize,
                                             ZOQ_ADDRESSMODE* columnMode,
                                             ZOQ_ADDRESSMODE* rowMode) {
    return ZOQ_FORWARD(index, GetDefaultFieldOfView, columnStart, rowStart, columnSize, rowSize,
                       columnMode, rowMode);
}

ZOQ_API int ZOQ_PreviewSetFieldOfView(int index, int columnStart, int rowStart, int columnSize,
                                      int rowSize, ZOQ_ADDRESSMODE columnMode,
                                      ZOQ_ADDRESSMODE rowMode) {
    return ZOQ_FORWARD(index, SetPreviewFieldOfView, columnStart, rowStart, columnSize, rowSize,
                       columnMode, rowMode);
}

ZOQ_API int ZOQ_PreviewGetFieldOfView(int index, int* columnStart, int* rowStart, int* columnSize,
                                      int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                                      ZOQ_ADDRESSMODE* rowMode) {
    return ZOQ_FORWARD(index, GetPreviewFieldOfView, columnStart, rowStart, columnSize, rowSize,
                       columnMode, rowMode);
}

ZOQ_API int ZOQ_PreviewGetSize(int index, int* width, int* height) {
    return ZOQ_FORWARD(index, GetPreviewSize, width, height);
}

ZOQ_API int ZOQ_PreviewGetSizeEx(int index, int* width, int* height, int* bitCount) {
    return ZOQ_FORWARD(index, GetPreviewSizeEx, width, height, bitCount);
}
