/* CZOQCamSensor: the sensor operations that every chip carries out the same
 * way, driven by the chip's ZOQSensorLayout: the register cache and its
 * write rule, gain by channel, exposure lines in registers, the requested
 * and current exposure time, window and address modes, flip, mirror,
 * strobe, black level and the colour presets. A chip class derives from it,
 * supplies its layout and its two exposure conversions, and overrides what
 * its chip does differently. The split over files follows the concerns:
 * ZOQCam_Imp_Sensor_<concern>.cpp. */
#ifndef ZOQCAM_IMP_SENSOR_H
#define ZOQCAM_IMP_SENSOR_H

#include "fpga/ZOQCam_Imp.h"
#include "sensor/ZOQCam_SensorCache.h"
#include "sensor/ZOQCam_SensorLayout.h"

class CZOQCamSensor : public CZOQCam {
public:
    // The chip class runs Sensor_RdRelatedRegValue() once it is constructed
    // (its conversions are not available before).
    CZOQCamSensor(IZOQDevice* device, const ZOQCapabilityTable& capability,
                  const ZOQSensorLayout& layout);

    // Register cache
    int Sensor_RdRelatedRegValue() override;
    int Sensor_WrRelatedRegValue(unsigned short reg, unsigned short value, bool* written) override;
    int Sensor_RecoverRelatedRegValue() override;

    // Black level (no chip offers it)
    int Sensor_GetBlackLevelRange(unsigned int* min, unsigned int* max) override;
    int Sensor_SetBlackLevel(unsigned int level) override;
    int Sensor_GetBlackLevel(unsigned int* level) override;

    // Gain, as an index
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
    int Sensor_UpdateExposureTime() override;
    int Sensor_SyncExposureLines() override;

    // Window and address mode
    int Sensor_GetFovRange(unsigned int* minColumnSize, unsigned int* maxColumnSize,
                           unsigned int* minRowSize, unsigned int* maxRowSize) override;
    int Sensor_CheckFov(unsigned int* columnStart, unsigned int* rowStart, unsigned int* columnSize,
                        unsigned int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                        ZOQ_ADDRESSMODE* rowMode) override;
    int Sensor_SetFov(unsigned int columnStart, unsigned int rowStart, unsigned int columnSize,
                      unsigned int rowSize, ZOQ_ADDRESSMODE columnMode,
                      ZOQ_ADDRESSMODE rowMode) override;
    int Sensor_GetFov(unsigned int* columnStart, unsigned int* rowStart, unsigned int* columnSize,
                      unsigned int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                      ZOQ_ADDRESSMODE* rowMode) override;
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

protected:
    unsigned short Reg(unsigned int reg) const { return m_SensorRegs.Get(reg); }
    // Write one register through the write rule.
    int WriteReg(unsigned short reg, unsigned short value) {
        return Sensor_WrRelatedRegValue(reg, value, nullptr);
    }
    // Read a cached register from the sensor into its shadow (a value the
    // sensor chose itself); the shadow keeps its value when the read fails.
    int ReadIntoCache(unsigned short reg);
    // Set or clear `mask` in a cached register through the write rule.
    int WriteBits(unsigned short reg, unsigned short mask, bool on);
    // Replace the bits of `mask` in a cached register with those of `value`.
    int WriteMasked(unsigned short reg, unsigned short mask, unsigned short value);

    // What a successful write of a cached register changes beyond its
    // shadow: the colour gains a global gain sets, the line count of the
    // requested time after a line-time change, and the derived exposure
    // time and image size. Returns the re-timing's result.
    virtual int RunFollowUp(unsigned short reg, unsigned short value);

    // Gain of one channel by the layout's registers and code.
    virtual int SetGain(ZOQ_GAINCHANNEL channel, unsigned int index);
    virtual int GetGain(ZOQ_GAINCHANNEL channel, unsigned int* index);
    virtual unsigned int MaxGainIndex() const { return m_Layout.gain.code.maxIndex; }
    unsigned int ClampGainIndex(unsigned int index) const;

    // A line count clamped into Sensor_GetExposureLinesRange.
    unsigned int ClampLines(unsigned int lines);

private:
    // Fit one direction of a window into [minSize, maxSize] and clear the
    // alignment bits, as the window check does.
    static void FitAligned(unsigned int* start, unsigned int* size, unsigned int minSize,
                           unsigned int maxSize, unsigned int clear);
    ZOQ_GAINCHANNEL ColourChannel(ZOQ_GAINCHANNEL channel) const;
    int SetRegisterBit(const ZOQRegisterBit& bit, bool on);
    bool RegisterBitIsOn(const ZOQRegisterBit& bit) const;
    int SetOrientation(const ZOQRegisterBit& bit, ZOQ_CAPBIT capability, bool on);
    int GetOrientation(const ZOQRegisterBit& bit, ZOQ_CAPBIT capability, bool* on) const;

    const ZOQSensorLayout& m_Layout;
    CZOQSensorCache m_SensorRegs;
    float m_fRequestedExposureTime;  // ms, the last value asked for
    float m_fExposureTime;           // ms, what the cached registers give
};

#endif
