/* CZOQCamISG4006A: the 4-megapixel ISG4006A (2048 x 2048). Every window
 * is the full 2048 columns wide; only the rows are programmed. */
#ifndef ZOQCAM_IMP_SENSOR_ISG4006A_H
#define ZOQCAM_IMP_SENSOR_ISG4006A_H

#include "isg/ZOQCam_Imp_Isg.h"

class CZOQCamISG4006A : public CZOQCamIsg {
public:
    CZOQCamISG4006A(IZOQDevice* device, const ZOQCapabilityTable& capability);

    float Sensor_GetExposureTimeFromExposureLines(unsigned int lines) override;
    unsigned int Sensor_GetExposureLinesFromExposureTime(float ms) override;

    int Sensor_CheckFov(unsigned int* columnStart, unsigned int* rowStart, unsigned int* columnSize,
                        unsigned int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                        ZOQ_ADDRESSMODE* rowMode) override;
    int Sensor_SetFov(unsigned int columnStart, unsigned int rowStart, unsigned int columnSize,
                      unsigned int rowSize, ZOQ_ADDRESSMODE columnMode,
                      ZOQ_ADDRESSMODE rowMode) override;
    int Sensor_GetFov(unsigned int* columnStart, unsigned int* rowStart, unsigned int* columnSize,
                      unsigned int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                      ZOQ_ADDRESSMODE* rowMode) override;
};

#endif
