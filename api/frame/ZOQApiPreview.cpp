// Preview: not available on this platform; every call answers RC_NOT_SUPPORTED
// after the usual index checks.
#include "frame/ZOQApiForward.h"

ZOQ_API int ZOQ_PreviewSetPos(int index, int x, int y, int width, int height) {
    return ZOQ_FORWARD(index, SetPreviewPos, x, y, width, height);
}

ZOQ_API int ZOQ_PreviewGetPos(int index, int* x, int* y, int* width, int* height) {
    return ZOQ_FORWARD(index, GetPreviewPos, x, y, width, height);
}

ZOQ_API int ZOQ_PreviewSetMode(int index, ZOQ_PREVIEWMODE mode) {
    return ZOQ_FORWARD(index, SetPreviewMode, mode);
}

ZOQ_API int ZOQ_PreviewGetMode(int index, ZOQ_PREVIEWMODE* mode) {
    return ZOQ_FORWARD(index, GetPreviewMode, mode);
}

ZOQ_API int ZOQ_PreviewGetDefaultMode(int index, ZOQ_PREVIEWMODE* mode) {
    return ZOQ_FORWARD(index, GetDefaultPreviewMode, mode);
}

ZOQ_API int ZOQ_PreviewStart(int index, void* window, bool start) {
    return ZOQ_FORWARD(index, StartPreview, window, start);
}

ZOQ_API int ZOQ_PreviewPause(int index, bool pause) {
    return ZOQ_FORWARD(index, PausePreview, pause);
}

ZOQ_API int ZOQ_PreviewGetStatus(int index, ZOQ_PREVIEWSTATUS* status) {
    return ZOQ_FORWARD(index, GetPreviewStatus, status);
}

ZOQ_API int ZOQ_PreviewGetFrameRate(int index, float* fps) {
    return ZOQ_FORWARD(index, GetPreviewFrameRate, fps);
}

ZOQ_API int ZOQ_PreviewGetPausedData(int index, unsigned char* buffer) {
    return ZOQ_FORWARD(index, GetPreviewPausedData, buffer);
}

ZOQ_API int ZOQ_PreviewGetPausedDataEx(int index, unsigned char* buffer, int* width, int* height,
                                       int* bitCount) {
    return ZOQ_FORWARD(index, GetPreviewPausedDataEx, buffer, width, height, bitCount);
}

ZOQ_API int ZOQ_PreviewStartEx(int index, void* window, bool start, ZOQ_PREVIEW_CALLBACK callback,
                               void* context) {
    return ZOQ_FORWARD(index, StartPreviewEx, window, start, callback, context);
}

ZOQ_API int ZOQ_PreviewGetStatusEx(int index, ZOQ_PREVIEWSTATUS* status, bool* paused) {
    return ZOQ_FORWARD(index, GetPreviewStatusEx, status, paused);
}

ZOQ_API int ZOQ_PreviewGetFrameRateEx(int index, float* fps, unsigned int* frames) {
    return ZOQ_FORWARD(index, GetPreviewFrameRateEx, fps, frames);
}
