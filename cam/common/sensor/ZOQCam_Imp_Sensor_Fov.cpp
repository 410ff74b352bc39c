/* CZOQCamSensor: window, address modes and the image size, from the
 * layout's window and address-mode registers. */
#include "sensor/ZOQCam_Imp_Sensor.h"
#include "ZoqOut.h"


namespace {
constexpr ZOQ_ADDRESSMODE kLastMode = ZOQ_ADDRESSMODE_STEP8;
}

int CZOQCamSensor::Sensor_GetFovRange(unsigned int* minColumnSize, unsigned int* maxColumnSize,
                                      unsigned int* minRowSize, unsigned int* maxRowSize) {
    const ZOQFovLimits& limits = m_Layout.window.limits;
    zoq::Put(minColumnSize, limits.minColumns);
    zoq::Put(maxColumnSize, limits.maxColumns);
    zoq::Put(minRowSize, limits.minRows);
    zoq::Put(maxRowSize, limits.maxRows);
    return RC_SUCCESS;
}

void CZOQCamSensor::FitAligned(unsigned int* start, unsigned int* size, unsigned int minSize,
                               unsigned int maxSize, unsigned int clear) {
    if (*size < minSize) *size = minSize;
    zoqplugin::FitWindow(start, size, maxSize);
    if (!clear) return;
    unsigned int aligned = *size & ~clear;
    // Clearing must not take the size below the smallest window.
    if (aligned < minSize) aligned = (minSize + clear) & ~clear;
    *size = aligned;
    *start &= ~clear;
    if (*start + *size > maxSize) *start = (maxSize - *size) & ~clear;
}

int CZOQCamSensor::Sensor_CheckFov(unsigned int* columnStart, unsigned int* rowStart,
                                   unsigned int* columnSize, unsigned int* rowSize,
                                   ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode) {
    if (!columnStart || !rowStart || !columnSize || !rowSize || !columnMode || !rowMode)
        return RC_PARAMETER_ERROR;
    // Rows and columns are always skipped alike.
    *columnMode = CorrectAddressMode(*columnMode);
    *rowMode = *columnMode;
    const ZOQWindowLayout& window = m_Layout.window;
    FitAligned(columnStart, columnSize, window.limits.minColumns, window.limits.maxColumns,
               window.align.column);
    FitAligned(rowStart, rowSize, window.limits.minRows, window.limits.maxRows, window.align.row);
    return RC_SUCCESS;
}

int CZOQCamSensor::Sensor_SetFov(unsigned int columnStart, unsigned int rowStart,
                                 unsigned int columnSize, unsigned int rowSize,
                                 ZOQ_ADDRESSMODE /*columnMode*/, ZOQ_ADDRESSMODE rowMode) {
    const unsigned int values[4] = {columnStart, rowStart, columnSize, rowSize};
    for (unsigned i = 0; i < 4; ++i) {
        const ZOQWindowRegister& field = m_Layout.window.field[i];
        int rc = WriteReg(field.reg, static_cast<unsigned short>(values[i] + field.offset));
        if (rc != RC_SUCCESS) return rc;
    }
    // One mode serves both directions (the check made them equal).
    return Sensor_SetAddressMode(rowMode, nullptr);
}

int CZOQCamSensor::Sensor_GetFov(unsigned int* columnStart, unsigned int* rowStart,
                                 unsigned int* columnSize, unsigned int* rowSize,
                                 ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode) {
    unsigned int* outputs[4] = {columnStart, rowStart, columnSize, rowSize};
    for (unsigned i = 0; i < 4; ++i) {
        const ZOQWindowRegister& field = m_Layout.window.field[i];
        if (outputs[i]) *outputs[i] = (Reg(field.reg) & field.readMask) - field.offset;
    }
    ZOQ_ADDRESSMODE mode = Sensor_GetAddressMode();
    zoq::Put(columnMode, mode);
    zoq::Put(rowMode, mode);
    return RC_SUCCESS;
}

ZOQ_ADDRESSMODE CZOQCamSensor::Sensor_GetAddressMode() {
    const ZOQAddressModeLayout& modes = m_Layout.addressMode;
    for (unsigned i = 0; i < modes.probeCount; ++i) {
        const ZOQModeProbe& probe = modes.probe[i];
        if ((Reg(probe.reg) & probe.mask) == probe.value) return probe.mode;
    }
    return ZOQ_ADDRESSMODE_NORMAL;
}

int CZOQCamSensor::Sensor_SetAddressMode(ZOQ_ADDRESSMODE mode, bool* written) {
    const ZOQAddressModeLayout& modes = m_Layout.addressMode;
    if (modes.regCount == 0 || mode < ZOQ_ADDRESSMODE_NORMAL || mode > kLastMode)
        return RC_NOT_SUPPORTED;
    for (unsigned i = 0; i < modes.regCount; ++i)
        if (modes.reg[i].bits[mode] < 0) return RC_NOT_SUPPORTED;
    // Every register is written; the first failure is reported.
    int rc = RC_SUCCESS;
    for (unsigned i = 0; i < modes.regCount; ++i) {
        const ZOQModeRegister& target = modes.reg[i];
        unsigned short value =
            static_cast<unsigned short>((Reg(target.reg) & ~target.clear) | target.bits[mode]);
        int one = Sensor_WrRelatedRegValue(target.reg, value, written);
        if (rc == RC_SUCCESS) rc = one;
    }
    return rc;
}

int CZOQCamSensor::Sensor_UpdateSensorWidth() {
    unsigned int size = 0;
    ZOQ_ADDRESSMODE mode = ZOQ_ADDRESSMODE_NORMAL;
    Sensor_GetFov(nullptr, nullptr, &size, nullptr, &mode, nullptr);
    m_uImageWidth = size / zoqplugin::SkipStep(mode);
    return RC_SUCCESS;
}

int CZOQCamSensor::Sensor_UpdateSensorHeight() {
    unsigned int size = 0;
    ZOQ_ADDRESSMODE mode = ZOQ_ADDRESSMODE_NORMAL;
    Sensor_GetFov(nullptr, nullptr, nullptr, &size, nullptr, &mode);
    m_uImageHeight = size / zoqplugin::SkipStep(mode);
    return RC_SUCCESS;
}
