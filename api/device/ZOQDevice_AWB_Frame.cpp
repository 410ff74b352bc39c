// White balance on each colour-road frame, the measurement of the software
// modes, and the state read from the camera when it opens.
#include "colourroad/ZOQDevice_AWB_Measure.h"
#include "colourroad/ZOQDevice_ColourImage.h"
#include "device/ZOQDevice.h"

int CZOQDevice::RgbData8_MakeTable_AWB(unsigned char* out, int width, int height, int bitCount) {
    m_awb.fitted = FitRegionEven(m_awb.requested, width, height);
    int rc = m_awb.meter.Measure(out, width, height, bitCount, m_awb.fitted, m_awb.phi,
                                 m_awb.showRegion, m_awb.gains);
    if (rc == RC_SUCCESS) m_awb.RebuildTables();
    return rc;
}

int CZOQDevice::RgbData8_Do_Matrix_AWB(unsigned char* out, int width, int height, int bitCount) {
    bool apply = false;
    const int rc = RgbData8_Prepare_AWB(out, width, height, bitCount, &apply);
    if (!apply) return rc;
    int applied = m_awb.tables.Apply(out, width, height, bitCount);
    return rc != RC_SUCCESS ? rc : applied;
}

int CZOQDevice::RgbData8_Prepare_AWB(unsigned char* out, int width, int height, int bitCount,
                                     bool* applyTables) {
    *applyTables = false;
    int rc = ZoqColourImageCheck(out, width, height, bitCount);
    if (rc != RC_SUCCESS) return rc;
    const bool first = m_awb.update;
    switch (m_awb.mode) {
        case ZOQ_WB_SOFT_PRESET:
            if (first) {
                m_awb.RebuildTables();
                m_awb.ReportGains();
            }
            break;
        case ZOQ_WB_SOFT_AUTO_ONCE:
            // A failed measurement keeps the gains, and they are reported all
            // the same.
            if (first) {
                RgbData8_MakeTable_AWB(out, width, height, bitCount);
                m_awb.ReportGains();
            }
            break;
        case ZOQ_WB_SOFT_AUTO_CONTINUOUS:
            rc = RgbData8_MakeTable_AWB(out, width, height, bitCount);
            m_awb.ReportGains();
            break;
        case ZOQ_WB_SOFT_MANUAL:
            if (first) m_awb.RebuildTables();
            break;
        case ZOQ_WB_HW_PRESET:
        case ZOQ_WB_HW_AUTO_ONCE:
        case ZOQ_WB_HW_AUTO_CONTINUOUS:
            DEVICE_NEEDS_CAMERA(RC_NOT_INITIALIZED);
            if (first || m_awb.mode == ZOQ_WB_HW_AUTO_CONTINUOUS) {
                rc = m_pCam->Fpga_GetAwbMatrix(m_awb.gains);
                m_awb.ReportGains();
            }
            m_awb.update = false;
            return rc;
        default:  // off, or the camera works with the application's gains
            return RC_SUCCESS;
    }
    m_awb.update = false;
    *applyTables = true;
    return rc;
}

int CZOQDevice::InitialMatrixAWB() {
    m_awb.Reset();
    DEVICE_NEEDS_CAMERA(RC_SUCCESS);
    ZOQ_WB_MODE mode = ZOQ_WB_OFF;
    int rc = m_pCam->Fpga_GetAwbMode(&mode);
    if (rc != RC_SUCCESS) {
        m_awb.presetting = ZOQ_COLOR_TEMPRATURE_0;
        rc = m_pCam->Sensor_GetAwbPresettingMatrix(ZOQ_COLOR_TEMPRATURE_0, m_awb.gains);
    } else {
        m_awb.mode = mode;
        if (mode == ZOQ_WB_HW_PRESET) m_pCam->Fpga_GetAwbPresetting(&m_awb.presetting);
        rc = m_pCam->Fpga_GetAwbMatrix(m_awb.gains);
    }
    m_awb.RebuildTables();
    return rc;
}
