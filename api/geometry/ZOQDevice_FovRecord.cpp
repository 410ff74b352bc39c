#include "geometry/ZOQDevice_FovRecord.h"

#include "zoqcam.h"

int ZoqSkipStep(ZOQ_ADDRESSMODE mode) {
    int m = mode;
    return m >= 0 && m <= 4 ? g_SkipTable[m] : 1;
}

void ZoqSetFovWindow(ZOQ_FOV_INFO* fov, int columnStart, int rowStart, int columnSize, int rowSize,
                     ZOQ_ADDRESSMODE columnMode, ZOQ_ADDRESSMODE rowMode,
                     unsigned short multiFrameNum) {
    fov->columnStart = columnStart;
    fov->rowStart = rowStart;
    fov->columnSize = columnSize;
    fov->rowSize = rowSize;
    fov->columnAddressMode = columnMode;
    fov->rowAddressMode = rowMode;
    fov->multiFrameNum = multiFrameNum;
}

void ZoqFovGeometry(ZOQ_FOV_INFO* fov, bool is16Bits) {
    fov->width = fov->columnSize / ZoqSkipStep(fov->columnAddressMode);
    fov->height = fov->rowSize / ZoqSkipStep(fov->rowAddressMode) * fov->multiFrameNum;
    fov->pixelCount = fov->width * fov->height;
    fov->byteCount = is16Bits ? fov->pixelCount * 2 : fov->pixelCount;
}

int ZoqCheckFov(IZOQCam* camera, ZOQ_FOV_INFO* fov) {
    // The camera takes the window as unsigned values and corrects any.
    unsigned int columnStart = static_cast<unsigned int>(fov->columnStart);
    unsigned int rowStart = static_cast<unsigned int>(fov->rowStart);
    unsigned int columnSize = static_cast<unsigned int>(fov->columnSize);
    unsigned int rowSize = static_cast<unsigned int>(fov->rowSize);
    int rc =
        camera->Cam_CheckFov(&columnStart, &rowStart, &columnSize, &rowSize,
                             &fov->columnAddressMode, &fov->rowAddressMode, &fov->multiFrameNum);
    fov->columnStart = static_cast<int>(columnStart);
    fov->rowStart = static_cast<int>(rowStart);
    fov->columnSize = static_cast<int>(columnSize);
    fov->rowSize = static_cast<int>(rowSize);
    return rc;
}
