/* CZOQCamIMX178: the 2 x 2 readout and the line and frame length of each
 * readout (IMX178_SyncHMAX, IMX178_SyncVMAX). */
#include "ZOQCam_IMX178_Registers.h"
#include "ZOQCam_Imp_Sensor_IMX178.h"

using namespace imx178;

bool CZOQCamIMX178::Binning() const {
    return (Reg(REG_READOUT) & kReadoutField) == kBinnedReadout;
}

int CZOQCamIMX178::SetWindowMode(ZOQ_ADDRESSMODE mode) {
    return CZOQCamSensor::Sensor_SetAddressMode(mode, nullptr);
}

int CZOQCamIMX178::Sensor_SetAddressMode(ZOQ_ADDRESSMODE mode, bool* written) {
    int rc = CZOQCamSensor::Sensor_SetAddressMode(mode, written);
    if (rc != RC_SUCCESS) return rc;
    return SyncTiming();
}

int CZOQCamIMX178::SyncHMAX() { return WriteHmax(Binning() ? kBinnedHmax : ColumnSize() / 4 + kHmaxBase); }

int CZOQCamIMX178::SyncVMAX() {
    return WriteVmax(RowSize() + (Binning() ? kBinnedVmaxMargin : kVmaxMargin));
}
