// The raw road: corrections of the 8-bit raw frame, in place, in a fixed
// order. Each stage decides for itself whether it runs.
#include "ZOQDevice.h"

void CZOQDevice::InitRawRoad() {}

void CZOQDevice::InitRawRoadFromCamera(int, int) {}

void CZOQDevice::ReleaseRawRoad() {}

int CZOQDevice::RawData8_Process(unsigned char*, int, int) { return RC_SUCCESS; }
