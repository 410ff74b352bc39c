/* CZOQCamMT9V034: the WVGA MT9V034 (752 x 480): one analog gain for all
 * channels that the chip's automatic gain may own, binning by 2 or 4 in
 * the read mode, and a row time of window width plus horizontal blank. */
#ifndef ZOQCAM_IMP_SENSOR_MT9V034_H
#define ZOQCAM_IMP_SENSOR_MT9V034_H

#include "sensor/ZOQCam_Imp_Sensor.h"

class CZOQCamMT9V034 : public CZOQCamSensor {
public:
    CZOQCamMT9V034(IZOQDevice* device, const ZOQCapabilityTable& capability);

    float Sensor_GetExposureTimeFromExposureLines(unsigned int lines) override;
    unsigned int Sensor_GetExposureLinesFromExposureTime(float ms) override;

    // Refuses modes above 4 (-1) and modes the model lacks (-3); sizes
    // become multiples of the mode's pixel step.
    int Sensor_CheckFov(unsigned int* columnStart, unsigned int* rowStart, unsigned int* columnSize,
                        unsigned int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                        ZOQ_ADDRESSMODE* rowMode) override;

protected:
    // -6 while the chip's automatic gain is on.
    int SetGain(ZOQ_GAINCHANNEL channel, unsigned int index) override;

private:
    float RowClocks() const;
};

#endif
