/* CZOQCamMT9T001: the 3-megapixel MT9T001 (2048 x 1536). Its layout
 * carries registers, gain table, window and skip codes; the class adds the
 * row timing of its exposure conversions. */
#ifndef ZOQCAM_IMP_SENSOR_MT9T001_H
#define ZOQCAM_IMP_SENSOR_MT9T001_H

#include "sensor/ZOQCam_Imp_Sensor.h"

class CZOQCamMT9T001 : public CZOQCamSensor {
public:
    CZOQCamMT9T001(IZOQDevice* device, const ZOQCapabilityTable& capability);

    float Sensor_GetExposureTimeFromExposureLines(unsigned int lines) override;
    unsigned int Sensor_GetExposureLinesFromExposureTime(float ms) override;

private:
    // Row time R, the row-bin constant B and the shutter delay SD, in
    // pixel clocks, from the cached registers.
    struct RowTiming {
        unsigned int rowClocks;
        unsigned int binConstant;
        unsigned int shutterDelay;
    };
    RowTiming Timing() const;
};

#endif
