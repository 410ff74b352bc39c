/* CZOQCamMT9P031: the 5-megapixel MT9P031 (2592 x 1944). Its layout
 * carries registers, gain table, window, skip and bin codes, flip, mirror
 * and strobe bits and which derived values each register write updates;
 * the class adds the row timing of its exposure conversions. */
#ifndef ZOQCAM_IMP_SENSOR_MT9P031_H
#define ZOQCAM_IMP_SENSOR_MT9P031_H

#include "sensor/ZOQCam_Imp_Sensor.h"

class CZOQCamMT9P031 : public CZOQCamSensor {
public:
    // After the common construction, reads the sensor registers into the
    // cache.
    CZOQCamMT9P031(IZOQDevice* device, const ZOQCapabilityTable& capability);

    float Sensor_GetExposureTimeFromExposureLines(unsigned int lines) override;
    unsigned int Sensor_GetExposureLinesFromExposureTime(float ms) override;

private:
    // Row time and shutter overhead in pixel clocks, from the cached
    // registers.
    struct RowTiming {
        float rowClocks;
        float shutterOverheadClocks;
    };
    RowTiming Timing() const;
};

#endif
