// Field-of-view records (ZOQ_FOV_INFO): the window, its correction by the
// camera, and the image geometry derived from it.
#pragma once

#include "zoq_types.h"

class IZOQCam;

// Pixel step of an address mode (1 for a mode outside 0..4).
int ZoqSkipStep(ZOQ_ADDRESSMODE mode);

// Sets the seven window fields of a record.
void ZoqSetFovWindow(ZOQ_FOV_INFO* fov, int columnStart, int rowStart, int columnSize, int rowSize,
                     ZOQ_ADDRESSMODE columnMode, ZOQ_ADDRESSMODE rowMode,
                     unsigned short multiFrameNum);

// Fills width, height, pixelCount and byteCount from the window, the address
// modes and the frame count.
void ZoqFovGeometry(ZOQ_FOV_INFO* fov, bool is16Bits);

// Lets the camera correct the window fields of a record in place
// (Cam_CheckFov); its result.
int ZoqCheckFov(IZOQCam* camera, ZOQ_FOV_INFO* fov);
