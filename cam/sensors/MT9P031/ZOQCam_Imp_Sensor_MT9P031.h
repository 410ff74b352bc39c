/* CZOQCamMT9P031: the 5-megapixel MT9P031 sensor (2592 x 1944) behind the
 * common FPGA layer. The class is split by concern over the
 * ZOQCam_Imp_Sensor_MT9P031_*.cpp files. */
#ifndef ZOQCAM_IMP_SENSOR_MT9P031_H
#define ZOQCAM_IMP_SENSOR_MT9P031_H

#include "ZOQCam_Imp.h"
#include "ZOQCam_MT9P031_Registers.h"

class CZOQCamMT9P031 : public CZOQCam {
public:
    // After the common construction, reads the sensor registers into the
    // cache.
    CZOQCamMT9P031(IZOQDevice* device, const ZOQCapabilityTable& capability);

    // Register cache
    int Sensor_RdRelatedRegValue() override;
    int Sensor_WrRelatedRegValue(unsigned short reg, unsigned short value, bool* written) override;
    int Sensor_RecoverRelatedRegValue() override;

    // Black level (not offered)
    int Sensor_GetBlackLevelRange(unsigned int* min, unsigned int* max) override;
    int Sensor_SetBlackLevel(unsigned int level) override;
    int Sensor_GetBlackLevel(unsigned int* level) override;

    // Gain, as an index into the gain table
    int Sensor_GetGainRange(unsigned int* min, unsigned int* max) override;
    int Sensor_SetGainR(unsigned int gain) override;
    int Sensor_GetGainR(unsigned int* gain) override;
    int Sensor_SetGainB(unsigned int gain) override;
    int Sensor_GetGainB(unsigned int* gain) override;
    int Sensor_SetGainG(unsigned int gain) override;
    int Sensor_GetGainG(unsigned int* gain) override;
    int Sensor_SetGainGlobal(unsigned int gain) override;
    int Sensor_GetGainGlobal(unsigned int* gain) override;

    // Flip and mirror
    int Sensor_SetFlip(bool on) override;
    int Sensor_GetFlip(bool* on) override;
    int Sensor_SetMirror(bool on) override;
    int Sensor_GetMirror(bool* on) override;

    // Exposure
    int Sensor_GetExposureLinesRange(unsigned int* min, unsigned int* max) override;
    int Sensor_SetExposureLines(unsigned int lines) override;
    int Sensor_GetExposureLines(unsigned int* lines) override;
    int Sensor_GetExposureTimeRange(float* min, float* max) override;
    int Sensor_SetExposureTime(float ms) override;
    int Sensor_GetExposureTime(float* ms) override;
    float Sensor_GetExposureTime() override;
    float Sensor_GetExposureTimeFromExposureLines(unsigned int lines) override;
    unsigned int Sensor_GetExposureLinesFromExposureTime(float ms) override;
    int Sensor_UpdateExposureTime() override;
    int Sensor_SyncExposureLines() override;

    // Window and address mode
    int Sensor_GetFovRange(unsigned int* minColumnSize, unsigned int* maxColumnSize,
                           unsigned int* minRowSize, unsigned int* maxRowSize) override;
    int Sensor_CheckFov(unsigned int* columnStart, unsigned int* rowStart,
                        unsigned int* columnSize, unsigned int* rowSize,
                        ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode) override;
    int Sensor_SetFov(unsigned int columnStart, unsigned int rowStart, unsigned int columnSize,
                      unsigned int rowSize, ZOQ_ADDRESSMODE columnMode,
                      ZOQ_ADDRESSMODE rowMode) override;
    int Sensor_GetFov(unsigned int* columnStart, unsigned int* rowStart,
                      unsigned int* columnSize, unsigned int* rowSize,
                      ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode) override;
    ZOQ_ADDRESSMODE Sensor_GetAddressMode() override;
    int Sensor_SetAddressMode(ZOQ_ADDRESSMODE mode, bool* written) override;
    int Sensor_UpdateSensorWidth() override;
    int Sensor_UpdateSensorHeight() override;

    // Colour presets
    int Sensor_GetAwbPresettingMatrix(ZOQ_COLOR_TEMPRATURE preset, float* gains3) override;
    int Sensor_GetCcmPresettingMatrix(ZOQ_COLOR_TEMPRATURE preset, float* matrix9) override;

    // Strobe
    int Sensor_EnableFlash(bool on) override;
    int Sensor_IsFlashEnable(bool* on) override;
    int Sensor_InvertFlash(bool invert) override;
    int Sensor_IsFlashInvert(bool* invert) override;

private:
    // Row time and shutter overhead in pixel clocks, from the cached
    // registers.
    struct RowTiming {
        float rowClocks;
        float shutterOverheadClocks;
    };
    RowTiming Timing() const;

    unsigned short Reg(unsigned short reg) const { return m_SensorRegs.Get(reg); }
    int RunFollowUp(unsigned short reg, unsigned short value);
    // Set or clear `mask` in a cached register through the write rule.
    int WriteBits(unsigned short reg, unsigned short mask, bool on);
    int SetGain(unsigned short reg, unsigned int index);
    int GetGain(unsigned short reg, unsigned int* index) const;

    CZOQRegisterCache<mt9p031::kCachedCount> m_SensorRegs;
    float m_fRequestedExposureTime;  // ms, the last value asked for
    float m_fExposureTime;           // ms, what the cached registers give
};

#endif
