/** @file zoqcam.h
 * @brief The camera plug-in contract (C++).
 *
 * libzoqapi loads `libzoqcam_TYPE.so` for a camera of device type TYPE,
 * calls its ZOQCAM_Create with the device object (IZOQDevice) and from then
 * on drives the camera through the IZOQCam object it gets back. The camera
 * object reaches the hardware only through IZOQDevice.
 *
 * The order of the virtual operations below is the binary contract between
 * libzoqapi and every plug-in: never reorder, insert or remove one. */
#ifndef ZOQCAM_H
#define ZOQCAM_H

#ifndef __cplusplus
#error "zoqcam.h is a C++ header"
#endif

#include "zoq_errors.h"
#include "zoq_export.h"
#include "zoq_types.h"

/** Services of the device object, offered to the plug-in: the only way a
 * camera object reaches the hardware. Each answers a ZOQ return code. */
class IZOQDevice {
public:
    ///@{
    /** Device type, serial number and firmware version (vendor request). */
    virtual int VendorCmd_GetDeviceInformation(unsigned short* deviceType, int* serial,
                                               unsigned short* firmwareVersion) = 0;  // 0
    ///@}
    ///@{
    /** Sensor and FPGA register access (the FPGA read takes the read address,
     * GET_READ_FPGAREG_ADDRESS()). */
    virtual int WrSensor(unsigned int address, unsigned int value) = 0;   // 1
    virtual int RdSensor(unsigned int address, unsigned int* value) = 0;  // 2
    virtual int WrFpga(unsigned int address, unsigned int value) = 0;     // 3
    // The address is the read address (GET_READ_FPGAREG_ADDRESS of the register).
    virtual int RdFpga(unsigned int address, unsigned int* value) = 0;  // 4
    ///@}
    ///@{
    /** Working mode and trigger delay requests. */
    virtual int SetWorkingMode(unsigned short mode) = 0;     // 5
    virtual int GetWorkingMode(unsigned short* mode) = 0;    // 6
    virtual int SetTriggerDelay(unsigned short delay) = 0;   // 7
    virtual int GetTriggerDelay(unsigned short* delay) = 0;  // 8
    ///@}
    ///@{
    /** Look-up table download: @p count entries at @p offset (at most 64 bytes or 32 gamma entries
     * a call). */
    virtual int DownloadLUT(unsigned short offset, unsigned char* data, int count) = 0;  // 9
    virtual int DownloadGammaLUT(unsigned short offset, unsigned short* data,
                                 int count) = 0;  // 10
    ///@}
    /** Destroyed by the library only. */
    virtual ~IZOQDevice() {}  // 11, 12
};

/** Sensor operations of a camera object. Gains are gain indices, exposure
 * time is in milliseconds, windows are in sensor pixels; "range" outputs are
 * minimum then maximum. Each answers a ZOQ return code (#RC_NOT_SUPPORTED
 * for a feature the sensor lacks) unless it returns a value. */
class IZOQSensor {
public:
    ///@{
    /** Register cache of the sensor: read it, write one register through it (@p written tells
     * whether the value changed), write it back after a reset or recovery. */
    virtual int Sensor_RdRelatedRegValue() = 0;  // 0
    virtual int Sensor_WrRelatedRegValue(unsigned short reg, unsigned short value,
                                         bool* written) = 0;  // 1
    virtual int Sensor_RecoverRelatedRegValue() = 0;          // 2
    ///@}
    ///@{
    /** Black level. */
    virtual int Sensor_GetBlackLevelRange(unsigned int* min, unsigned int* max) = 0;  // 3
    virtual int Sensor_SetBlackLevel(unsigned int level) = 0;                         // 4
    virtual int Sensor_GetBlackLevel(unsigned int* level) = 0;                        // 5
    ///@}
    ///@{
    /** Gains, as gain indices per colour or for all colours. */
    virtual int Sensor_GetGainRange(unsigned int* min, unsigned int* max) = 0;  // 6
    virtual int Sensor_SetGainR(unsigned int gain) = 0;                         // 7
    virtual int Sensor_GetGainR(unsigned int* gain) = 0;                        // 8
    virtual int Sensor_SetGainB(unsigned int gain) = 0;                         // 9
    virtual int Sensor_GetGainB(unsigned int* gain) = 0;                        // 10
    virtual int Sensor_SetGainG(unsigned int gain) = 0;                         // 11
    virtual int Sensor_GetGainG(unsigned int* gain) = 0;                        // 12
    virtual int Sensor_SetGainGlobal(unsigned int gain) = 0;                    // 13
    virtual int Sensor_GetGainGlobal(unsigned int* gain) = 0;                   // 14
    ///@}
    ///@{
    /** Flip (rows) and mirror (columns). */
    virtual int Sensor_SetFlip(bool on) = 0;     // 15
    virtual int Sensor_GetFlip(bool* on) = 0;    // 16
    virtual int Sensor_SetMirror(bool on) = 0;   // 17
    virtual int Sensor_GetMirror(bool* on) = 0;  // 18
    ///@}
    ///@{
    /** Exposure in sensor lines and in milliseconds. */
    virtual int Sensor_GetExposureLinesRange(unsigned int* min, unsigned int* max) = 0;  // 19
    virtual int Sensor_SetExposureLines(unsigned int lines) = 0;                         // 20
    virtual int Sensor_GetExposureLines(unsigned int* lines) = 0;                        // 21
    virtual int Sensor_GetExposureTimeRange(float* min, float* max) = 0;                 // 22
    virtual int Sensor_SetExposureTime(float ms) = 0;                                    // 23
    virtual int Sensor_GetExposureTime(float* ms) = 0;                                   // 24
    ///@}
    ///@{
    /** Window on the sensor: size limits, correction of a request in place, programming, reading
     * back. */
    virtual int Sensor_GetFovRange(unsigned int* minColumnSize, unsigned int* maxColumnSize,
                                   unsigned int* minRowSize, unsigned int* maxRowSize) = 0;  // 25
    // Corrects a requested window in place.
    virtual int Sensor_CheckFov(unsigned int* columnStart, unsigned int* rowStart,
                                unsigned int* columnSize, unsigned int* rowSize,
                                ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode) = 0;  // 26
    virtual int Sensor_SetFov(unsigned int columnStart, unsigned int rowStart,
                              unsigned int columnSize, unsigned int rowSize,
                              ZOQ_ADDRESSMODE columnMode, ZOQ_ADDRESSMODE rowMode) = 0;  // 27
    virtual int Sensor_GetFov(unsigned int* columnStart, unsigned int* rowStart,
                              unsigned int* columnSize, unsigned int* rowSize,
                              ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode) = 0;  // 28
    ///@}
    ///@{
    /** Default Bayer mode (the sensor's pattern) and the preset tables of white balance and colour
     * correction. */
    virtual ZOQ_BAYERMODE Sensor_GetDefaultBayerMode() = 0;  // 29
    virtual int Sensor_GetAwbPresettingMatrix(ZOQ_COLOR_TEMPRATURE preset,
                                              float* gains3) = 0;  // 30
    virtual int Sensor_GetCcmPresettingMatrix(ZOQ_COLOR_TEMPRATURE preset,
                                              float* matrix9) = 0;  // 31
    ///@}
    ///@{
    /** Flash output: on or off, inverted or not. */
    virtual int Sensor_EnableFlash(bool on) = 0;         // 32
    virtual int Sensor_IsFlashEnable(bool* on) = 0;      // 33
    virtual int Sensor_InvertFlash(bool invert) = 0;     // 34
    virtual int Sensor_IsFlashInvert(bool* invert) = 0;  // 35
    ///@}
    ///@{
    /** Conversions between exposure lines and milliseconds. */
    virtual float Sensor_GetExposureTimeFromExposureLines(unsigned int lines) = 0;  // 36
    virtual unsigned int Sensor_GetExposureLinesFromExposureTime(float ms) = 0;     // 37
    ///@}
};

/** FPGA operations of a camera object (register cache, trigger, frame
 * rate, colour controls, transfer options). Each checks the model's
 * capability record and answers #RC_NOT_SUPPORTED for a feature it lacks. */
class IZOQFpga {
public:
    ///@{
    /** FPGA registers, the FPGA version and the FPGA register cache (@p written tells whether the
     * value changed). */
    virtual int Fpga_RdReg(unsigned int reg, unsigned short* value) = 0;  // 0
    virtual int Fpga_WrReg(unsigned int reg, unsigned short value) = 0;   // 1
    virtual int Fpga_GetVersion(unsigned short* version) = 0;             // 2
    virtual int Fpga_RdRelatedRegValue() = 0;                             // 3
    virtual int Fpga_WrRelatedRegValue(unsigned short reg, unsigned short value,
                                       bool* written) = 0;  // 4
    virtual int Fpga_RecoverRelatedRegValue() = 0;          // 5
    ///@}
    ///@{
    /** Trigger mode, look-up table switch, bad pixel correction, trigger status and the frame
     * buffer. */
    virtual int Fpga_SetTriggerMode(ZOQ_TRIGGERMODE mode) = 0;                       // 6
    virtual int Fpga_GetTriggerMode(ZOQ_TRIGGERMODE* mode) = 0;                      // 7
    virtual int Fpga_SetLutEnable(bool on) = 0;                                      // 8
    virtual int Fpga_GetLutEnable(bool* on) = 0;                                     // 9
    virtual int Fpga_SetBadPixelCorrection(bool on, ZOQ_THRESHOLD threshold) = 0;    // 10
    virtual int Fpga_GetBadPixelCorrection(bool* on, ZOQ_THRESHOLD* threshold) = 0;  // 11
    virtual int Fpga_GetTriggerStatus(ZOQ_TRIGGERSTATUS* status) = 0;                // 12
    virtual int Fpga_EmptyFrameBuffer() = 0;                                         // 13
    ///@}
    ///@{
    /** Fixed frame rate (frames per second), trigger method, sensitivity mode and trigger delay. */
    virtual int Fpga_SetFixedFrameRateEx(float fps) = 0;                                  // 14
    virtual int Fpga_GetFixedFrameRateEx(float* fps) = 0;                                 // 15
    virtual int Fpga_SetTriggerMethod(ZOQ_TRIGGERMETHOD method) = 0;                      // 16
    virtual int Fpga_GetTriggerMethod(ZOQ_TRIGGERMETHOD* method) = 0;                     // 17
    virtual int Fpga_SetSensitivityMode(ZOQ_SENSITIVITYMODE mode) = 0;                    // 18
    virtual int Fpga_GetSensitivityMode(ZOQ_SENSITIVITYMODE* mode) = 0;                   // 19
    virtual int Fpga_GetTriggerDelayRange(unsigned short* min, unsigned short* max) = 0;  // 20
    virtual int Fpga_SetTriggerDelay(unsigned short delay) = 0;                           // 21
    virtual int Fpga_GetTriggerDelay(unsigned short* delay) = 0;                          // 22
    ///@}
    ///@{
    /** Frames per capture and 16-bit transfer. */
    virtual int Fpga_SetMultiFrameNum(unsigned short frames) = 0;   // 23
    virtual int Fpga_GetMultiFrameNum(unsigned short* frames) = 0;  // 24
    virtual int Fpga_Set16BitsTransfer(bool on) = 0;                // 25
    virtual int Fpga_Get16BitsTransfer(bool* on) = 0;               // 26
    ///@}
    ///@{
    /** The camera's own white balance and colour correction: modes, switches, presets, gains (red,
     * green, blue) and matrix. */
    virtual int Fpga_GetAwbMode(ZOQ_WB_MODE* mode) = 0;                   // 27
    virtual int Fpga_GetCcmMode(ZOQ_CCM_MODE* mode) = 0;                  // 28
    virtual int Fpga_SetAwbEnable(bool on) = 0;                           // 29
    virtual int Fpga_GetAwbEnable(bool* on) = 0;                          // 30
    virtual int Fpga_SetAwbPresetting(ZOQ_COLOR_TEMPRATURE preset) = 0;   // 31
    virtual int Fpga_GetAwbPresetting(ZOQ_COLOR_TEMPRATURE* preset) = 0;  // 32
    virtual int Fpga_SetAwbModeAutoOnce() = 0;                            // 33
    virtual int Fpga_SetAwbModeContinue() = 0;                            // 34
    virtual int Fpga_SetAwbMatrix(float* gains3) = 0;                     // 35
    virtual int Fpga_GetAwbMatrix(float* gains3) = 0;                     // 36
    virtual int Fpga_SetCcmEnable(bool on) = 0;                           // 37
    virtual int Fpga_GetCcmEnable(bool* on) = 0;                          // 38
    virtual int Fpga_SetCcmPresetting(ZOQ_COLOR_TEMPRATURE preset) = 0;   // 39
    virtual int Fpga_GetCcmPresetting(ZOQ_COLOR_TEMPRATURE* preset) = 0;  // 40
    virtual int Fpga_SetCcmMatrix(float matrix[3][3]) = 0;                // 41
    virtual int Fpga_GetCcmMatrix(float matrix[3][3]) = 0;                // 42
    ///@}
    ///@{
    /** Gamma table switch. */
    virtual int Fpga_SetGammaLutEnable(bool on) = 0;   // 43
    virtual int Fpga_GetGammaLutEnable(bool* on) = 0;  // 44
    ///@}
};

/** The camera object: sensor first (primary base), FPGA second, then the
 * whole-camera operations. */
class IZOQCam : public IZOQSensor, public IZOQFpga {
public:
    ///@{
    /** Whole-camera operations: register write-back, identity, field of view with frames per
     * capture, capture size and bytes, capability query, EEPROM type. */
    virtual int Cam_RecoverRelatedRegValue() = 0;  // 38
    virtual int Cam_GetDeviceInformation(unsigned short* deviceType, int* serial,
                                         unsigned short* firmwareVersion) = 0;  // 39
    virtual int Cam_GetDeviceInformationEx(unsigned short* deviceType, int* serial,
                                           unsigned short* firmwareVersion,
                                           unsigned short* fpgaVersion) = 0;  // 40
    virtual int Cam_CheckFov(unsigned int* columnStart, unsigned int* rowStart,
                             unsigned int* columnSize, unsigned int* rowSize,
                             ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode,
                             unsigned short* multiFrameNum) = 0;  // 41
    virtual int Cam_SetFov(unsigned int columnStart, unsigned int rowStart, unsigned int columnSize,
                           unsigned int rowSize, ZOQ_ADDRESSMODE columnMode,
                           ZOQ_ADDRESSMODE rowMode,
                           unsigned short multiFrameNum) = 0;  // 42
    virtual int Cam_GetFov(unsigned int* columnStart, unsigned int* rowStart,
                           unsigned int* columnSize, unsigned int* rowSize,
                           ZOQ_ADDRESSMODE* columnMode, ZOQ_ADDRESSMODE* rowMode,
                           unsigned short* multiFrameNum) = 0;             // 43
    virtual int Cam_GetCaptureBytes() = 0;                                 // 44
    virtual int Cam_GetCaptureSize(int* width, int* height) = 0;           // 45
    virtual int Cam_QueryFunction(ZOQ_FUNCTION function, int* value) = 0;  // 46
    virtual int Cam_GetEEPROMType(ZOQ_EEPROM_TYPE* type) = 0;              // 47
    ///@}
    /** Destroyed through ZOQCAM_Delete() or by the library. */
    virtual ~IZOQCam() {}  // 48, 49
};

/** @name Exports of every plug-in */
///@{
/** Creates the camera object for @p device into @p camera; it reads what it
 * needs from the camera through the device's services. @return #RC_SUCCESS. */
ZOQ_API int ZOQCAM_Create(IZOQDevice* device, IZOQCam** camera);
/** Destroys a camera object and sets the pointer to null. */
ZOQ_API int ZOQCAM_Delete(IZOQCam** camera);
/** The plug-in's device type and model name; @p modelName must hold 16
 * bytes. Exported under its C++ symbol (#ZOQCAM_GETTYPE_SYMBOL). */
ZOQ_EXPORT int ZOQCAM_GetType(int* deviceType, char* modelName);
/** Bus address that reads FPGA register reg: reg | 0x80 for 1..111, reg for
 * 112 and above, -1 (0xFF on the wire) for register 0. */
ZOQ_EXPORT int GET_READ_FPGAREG_ADDRESS(unsigned char reg);
///@}

/** Name of the factory that libzoqapi looks up. */
#define ZOQCAM_CREATE_SYMBOL "ZOQCAM_Create"
/** ZOQCAM_GetType is exported under its C++ symbol (the contract predates
 * extern "C" for it): the name to give dlsym. */
#define ZOQCAM_GETTYPE_SYMBOL "_Z14ZOQCAM_GetTypePiPc"
/** File name pattern of a plug-in, with the device type in decimal. */
#define ZOQCAM_FILE_PATTERN "libzoqcam_%d.so"

/** Type of ZOQCAM_Create(). */
typedef int (*ZOQCAM_CREATE_FN)(IZOQDevice* device, IZOQCam** camera);

#endif
