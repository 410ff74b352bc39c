/* CZOQCamEV76C560: the 1.3-megapixel EV76C560 (1280 x 1024). Its pixel
 * clock comes from its own clock registers, and its exposure has two
 * forms: a line count, or (register 118 bit 11) a single line whose length
 * and oscillator trim set the time. */
#ifndef ZOQCAM_IMP_SENSOR_EV76C560_H
#define ZOQCAM_IMP_SENSOR_EV76C560_H

#include "sensor/ZOQCam_Imp_Sensor.h"

class CZOQCamEV76C560 : public CZOQCamSensor {
public:
    CZOQCamEV76C560(IZOQDevice* device, const ZOQCapabilityTable& capability);

    int Sensor_SetExposureLines(unsigned int lines) override;
    int Sensor_GetExposureLines(unsigned int* lines) override;
    float Sensor_GetExposureTimeFromExposureLines(unsigned int lines) override;
    unsigned int Sensor_GetExposureLinesFromExposureTime(float ms) override;

protected:
    // A write of the oscillator trim changes the clock.
    int RunFollowUp(unsigned short reg, unsigned short value) override;

private:
    bool LineLengthExposure() const;
    float LineMs() const;
    // The clock from the clock registers, in Hz (EV76C560_P30_GetClk).
    double ClockHz() const;
    // Take the clock period from the clock registers (EV76C560_UpdateClkCtrl).
    void UpdateClkCtrl();

    float m_fClockPeriod;  // ms; starts as the capability record's
};

#endif
