// Capture of raw and RGB frames, capture time-out and recovery settings.
#include "frame/ZOQApiForward.h"

ZOQ_API int ZOQ_CaptureRawData(int index, unsigned char* buffer) {
    return ZOQ_FORWARD_CAPTURE(index, CaptureRawData, buffer);
}

ZOQ_API int ZOQ_CaptureRgbData(int index, unsigned char* buffer) {
    return ZOQ_FORWARD_CAPTURE(index, CaptureRgbData, buffer);
}

ZOQ_API int ZOQ_EmptyFrameBuffer(int index) {
    return ZOQ_FORWARD(index, EmptyFrameBuffer);
}

ZOQ_API int ZOQ_CaptureRawDataAfterEmptyFrameBuffer(int index, unsigned char* buffer) {
    return ZOQ_FORWARD_CAPTURE(index, CaptureRawDataAfterEmptyFrameBuffer, buffer);
}

ZOQ_API int ZOQ_CaptureRgbDataAfterEmptyFrameBuffer(int index, unsigned char* buffer) {
    return ZOQ_FORWARD_CAPTURE(index, CaptureRgbDataAfterEmptyFrameBuffer, buffer);
}

ZOQ_API int ZOQ_CaptureRgbDataExAfterEmptyFrameBuffer(int index, unsigned char* buffer, int* width,
                                                      int* height, int* bitCount) {
    return ZOQ_FORWARD_CAPTURE(index, CaptureRgbDataExAfterEmptyFrameBuffer, buffer, width,
                               height, bitCount);
}

ZOQ_API int ZOQ_SoftStartCapture(int index) {
    return ZOQ_FORWARD(index, SoftStartCapture);
}

ZOQ_API int ZOQ_ReadRawDataAfterStart(int index, unsigned char* buffer) {
    return ZOQ_FORWARD(index, ReadRawDataAfterStart, buffer);
}

ZOQ_API int ZOQ_CaptureSetTimeOut(int index, unsigned int milliseconds) {
    return ZOQ_FORWARD(index, SetCaptureTimeOut, milliseconds);
}

ZOQ_API int ZOQ_CaptureGetTimeOut(int index, unsigned int* milliseconds) {
    return ZOQ_FORWARD(index, GetCaptureTimeOut, milliseconds);
}

ZOQ_API int ZOQ_CaptureSetRecover(int index, bool recover) {
    return ZOQ_FORWARD(index, SetCaptureRecover, recover);
}

ZOQ_API int ZOQ_CaptureGetRecover(int index, bool* recover) {
    return ZOQ_FORWARD(index, GetCaptureRecover, recover);
}

ZOQ_API int ZOQ_CaptureSetTimeOutEx(int index, unsigned int milliseconds, bool recover) {
    return ZOQ_FORWARD(index, SetCaptureTimeOutEx, milliseconds, recover);
}

ZOQ_API int ZOQ_CaptureGetTimeOutEx(int index, unsigned int* milliseconds, bool* recover) {
    return ZOQ_FORWARD(index, GetCaptureTimeOutEx, milliseconds, recover);
}
