/* CZOQCamIMX178: the 6.4-megapixel IMX178 (3096 x 2080). The Sony scheme
 * with a 10-bit frame count, a wider gain range when register 539 says so,
 * and a 2 x 2 readout (address mode 1) that changes line and frame
 * length. */
#ifndef ZOQCAM_IMP_SENSOR_IMX178_H
#define ZOQCAM_IMP_SENSOR_IMX178_H

#include "sony/ZOQCam_Imp_Sony.h"

class CZOQCamIMX178 : public CZOQCamSony {
public:
    CZOQCamIMX178(IZOQDevice* device, const ZOQCapabilityTable& capability);

    // Mode 0 or 1; line and frame length follow the mode.
    int Sensor_SetAddressMode(ZOQ_ADDRESSMODE mode, bool* written) override;

protected:
    unsigned int MaxGainIndex() const override;
    int SyncHMAX() override;
    int SyncVMAX() override;
    int SetWindowMode(ZOQ_ADDRESSMODE mode) override;

private:
    bool Binning() const;
};

#endif
