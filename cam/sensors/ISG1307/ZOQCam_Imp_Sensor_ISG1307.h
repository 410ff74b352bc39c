/* CZOQCamISG1307: the 1.3-megapixel monochrome ISG1307 (1280 x 1024). Its
 * rows are sensor registers; its columns are cut by the FPGA. */
#ifndef ZOQCAM_IMP_SENSOR_ISG1307_H
#define ZOQCAM_IMP_SENSOR_ISG1307_H

#include "isg/ZOQCam_Imp_Isg.h"

class CZOQCamISG1307 : public CZOQCamIsg {
public:
    CZOQCamISG1307(IZOQDevice* device, const ZOQCapabilityTable& capability);

    float Sensor_GetExposureTimeFromExposureLines(unsigned int lines) override;
    unsigned int Sensor_GetExposureLinesFromExposureTime(float ms) override;

    int Sensor_SetFov(unsigned int columnStart, unsigned int rowStart, unsigned int columnSize,
                      unsigned int rowSize, ZOQ_ADDRESSMODE columnMode,
                      ZOQ_ADDRESSMODE rowMode) override;
    int Sensor_GetFov(unsigned int* columnStart, unsigned int* rowStart, unsigned int* columnSize,
                      unsigned int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                      ZOQ_ADDRESSMODE* rowMode) override;

private:
    float LineMicroseconds() const;
};

#endif
