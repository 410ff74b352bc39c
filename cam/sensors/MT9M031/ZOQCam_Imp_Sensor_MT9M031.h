/* CZOQCamMT9M031: the 1.2-megapixel MT9M031 (1280 x 960). The window is
 * given by its first and last column and row; the exposure is a coarse
 * line count and a fine clock count over the line length. */
#ifndef ZOQCAM_IMP_SENSOR_MT9M031_H
#define ZOQCAM_IMP_SENSOR_MT9M031_H

#include "sensor/ZOQCam_Imp_Sensor.h"

class CZOQCamMT9M031 : public CZOQCamSensor {
public:
    CZOQCamMT9M031(IZOQDevice* device, const ZOQCapabilityTable& capability);

    float Sensor_GetExposureTimeFromExposureLines(unsigned int lines) override;
    unsigned int Sensor_GetExposureLinesFromExposureTime(float ms) override;

    int Sensor_SetFov(unsigned int columnStart, unsigned int rowStart, unsigned int columnSize,
                      unsigned int rowSize, ZOQ_ADDRESSMODE columnMode,
                      ZOQ_ADDRESSMODE rowMode) override;
    int Sensor_GetFov(unsigned int* columnStart, unsigned int* rowStart, unsigned int* columnSize,
                      unsigned int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                      ZOQ_ADDRESSMODE* rowMode) override;

private:
    // The sensor sets its frame length for the new window; read it back
    // into the cache (MT9M031_SyncFrameLengthLines).
    int SyncFrameLengthLines();
};

#endif
