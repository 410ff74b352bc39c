/* CZOQCamIMX178: the gain range that register 539 selects. */
#include "ZOQCam_IMX178_Registers.h"
#include "ZOQCam_Imp_Sensor_IMX178.h"

unsigned int CZOQCamIMX178::MaxGainIndex() const {
    return Reg(imx178::REG_GAIN_RANGE) ? imx178::kMaxGainIndexWide : imx178::kMaxGainIndex;
}
