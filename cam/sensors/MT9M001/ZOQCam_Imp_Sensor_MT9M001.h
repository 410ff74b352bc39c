/* CZOQCamMT9M001: the 1.3-megapixel monochrome MT9M001 (1280 x 1024). Its
 * layout carries registers, gain table, window (even values) and skip bits;
 * the class adds the row timing of its exposure conversions. */
#ifndef ZOQCAM_IMP_SENSOR_MT9M001_H
#define ZOQCAM_IMP_SENSOR_MT9M001_H

#include "sensor/ZOQCam_Imp_Sensor.h"

class CZOQCamMT9M001 : public CZOQCamSensor {
public:
    CZOQCamMT9M001(IZOQDevice* device, const ZOQCapabilityTable& capability);

    float Sensor_GetExposureTimeFromExposureLines(unsigned int lines) override;
    unsigned int Sensor_GetExposureLinesFromExposureTime(float ms) override;

private:
    // Row factor K and shutter delay SD, in pixel clocks, from the cached
    // registers.
    struct RowTiming {
        unsigned int rowFactor;
        unsigned int shutterDelay;
    };
    RowTiming Timing() const;
};

#endif
