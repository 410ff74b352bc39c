/** @file zoqapi.h
 * @brief The application interface of libzoqapi: find, configure and capture
 * from ZOQ cameras.
 *
 * Include this one header (C or C++); link with `-lzoqapi`
 * (`pkg-config --cflags --libs zoqapi`, or `ZOQ::zoqapi` in CMake).
 *
 * @par Return codes
 * Every function returns a ZOQ return code (zoq_errors.h): #RC_SUCCESS (0)
 * or a negative code; ZOQ_GetErrorInfo() gives its text. Besides the codes
 * each function names, every per-camera function returns
 * - #RC_NOT_INITIALIZED (-5) before ZOQ_Init() and after ZOQ_UnInit(), and for
 *   a camera that was found but never opened (no plug-in camera object);
 * - #RC_FAIL (-8) for an index outside 0 .. ZOQ_DeviceGetCount() - 1;
 * - #RC_CAMERA_NOT_CREATED (-19) from camera operations while the camera has
 *   never been opened;
 * - the transfer codes of the USB requests it makes: #RC_DEVICE_CLOSED (-17)
 *   after ZOQ_Close(), #RC_FAIL (-8) for a failed or refused device-to-host
 *   request, #RC_NOT_SUPPORTED (-3) for a failed host-to-device request.
 * A setting the camera model lacks answers #RC_NOT_SUPPORTED (-3);
 * ZOQ_QueryFunction() tells beforehand.
 *
 * @par Cameras and indices
 * ZOQ_Init() finds and opens every attached camera; they are numbered from 0
 * in the order the USB bus lists them, and the numbering stays fixed until
 * ZOQ_UnInit(). Cameras plugged in later are found by the next
 * ZOQ_UnInit() / ZOQ_Init() pair.
 *
 * @par Units
 * Exposure times in milliseconds (float), frame rates in frames per second
 * (float), sizes and positions in sensor pixels, colour gains as factors
 * (1.0 = unity), sensor gains as the sensor's gain index.
 *
 * @par Image buffers
 * Raw frames: one byte a sample (two with 16-bit transfer), top row first,
 * rows without padding; the pattern is the camera's Bayer pattern.
 * RGB captures: pixels in B, G, R byte order (a fourth byte in the 32-bit
 * modes, one gray byte in the gray modes), rows without padding, bottom row
 * first unless the Bayer mode is one of the TOPDOWN modes (#ZOQ_BAYERMODE).
 * Buffers belong to the caller; size them with ZOQ_CaptureGetSizeEx().
 *
 * @par Threads
 * Each camera may be called from several threads: its functions
 * take turns on locks of the camera, so a setting changed during another
 * thread's capture waits until that capture is done and applies from the
 * next frame. Different cameras work in parallel. A single-threaded program
 * sees no difference.
 * - ZOQ_Init, ZOQ_UnInit, ZOQ_LogSet and the stopwatch (ZOQ_StartTimeCounter,
 *   ZOQ_CheckTimePassed*) are process-wide: call them while no other thread
 *   calls the library. Close every stream (zoqstream.h) before ZOQ_UnInit.
 * - The auto-exposure, auto-focus and white-balance callbacks run inside the
 *   capture, on the capturing thread, and may call the camera's functions.
 * - A capture uses the geometry (window, Bayer mode, transfer width) of the
 *   moment it runs. Size the buffer from ZOQ_CaptureGetSizeEx in the thread
 *   that captures, or hold off changes of geometry meanwhile: a size read
 *   before another thread changed the geometry is too small for the next
 *   frame. ZOQ_CaptureRgbDataExAfterEmptyFrameBuffer returns the frame with
 *   its size, and zoqstream.h delivers every frame with its geometry.
 * - A split capture (ZOQ_SoftStartCapture, then a read after start) takes
 *   two calls: frames of other threads' captures may come in between.
 *
 * @par Logs
 * Each opened camera writes a log file into `ZOQApiLog/` of the current
 * folder (see ZOQ_LogSet()). Frame transfer problems and camera resets are
 * also printed on standard output. */
#ifndef ZOQAPI_H
#define ZOQAPI_H

#include "zoq_errors.h"
#include "zoq_export.h"
#include "zoq_types.h"
#include "zoq_version.h"

ZOQ_BEGIN_C

/** @name Library, cameras, errors, stopwatch */
///@{

/** Starts the library: finds and opens every attached camera. Finding none is
 * not a failure (ZOQ_DeviceGetCount() then answers 0). A second call while
 * the library runs does nothing. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_Init(void);
/** Closes every camera and ends the library. @return #RC_SUCCESS, also when
 * it was not started. */
ZOQ_EXPORT int ZOQ_UnInit(void);
/** @return the number of cameras found by ZOQ_Init() (0 or more, including
 * cameras found but not opened, e.g. for lack of permission), or
 * #RC_NOT_INITIALIZED (-5) before ZOQ_Init(). */
ZOQ_EXPORT int ZOQ_DeviceGetCount(void);
/** Device type (the number that names the camera's plug-in), serial number
 * and firmware version (major in the high byte, minor in the low byte) as read
 * when the camera was opened. Null pointers are skipped.
 * @return #RC_SUCCESS; #RC_NOT_INITIALIZED (-5) for a camera that could not be
 * opened. */
ZOQ_EXPORT int ZOQ_DeviceGetInformation(int index, unsigned short* deviceType, int* serial,
                                        unsigned short* firmwareVersion);
/** As ZOQ_DeviceGetInformation(), plus the FPGA version. */
ZOQ_EXPORT int ZOQ_DeviceGetInformationEx(int index, unsigned short* deviceType, int* serial,
                                          unsigned short* firmwareVersion,
                                          unsigned short* fpgaVersion);
/** Opens a camera again after ZOQ_Close() (the first free camera on the bus);
 * every camera is already open after ZOQ_Init(). Settings made before are
 * kept. @return #RC_SUCCESS; #RC_FAIL (-8) when no free camera can be opened
 * (also when this one is still open). */
ZOQ_EXPORT int ZOQ_Open(int index);
/** Closes a camera; its settings are kept for ZOQ_Open(). Requests to a
 * closed camera answer #RC_DEVICE_CLOSED (-17); a capture reopens it.
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_Close(int index);
/** Sends one vendor control request as given by @p cmd and receives
 * cmd->wLength bytes into @p data. The request always goes device-to-host,
 * whatever cmd->bmRequestType says.
 * @return #RC_SUCCESS; #RC_FAIL (-8) when the transfer fails or returns no
 * byte; #RC_DEVICE_CLOSED (-17); #RC_PARAMETER_ERROR (-1) for a null @p cmd,
 * or a null @p data with a data stage. */
ZOQ_EXPORT int ZOQ_VendorCmd(int index, _tagUSBCmd* cmd, unsigned char* data);
/** The version of the library actually loaded (compare with the
 * ZOQ_VERSION_* macros of the headers); null pointers are skipped.
 * Works without ZOQ_Init(). @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_GetVersion(int* major, int* minor, int* build, int* revision);
/** Copies the text of a return code into @p text, which must hold
 * #ZOQ_ERROR_TEXT_SIZE (43) bytes. Works without ZOQ_Init().
 * @return #RC_SUCCESS; #RC_NOT_SUPPORTED (-3) for a code that is not a
 * return code (the text is then that of -3). */
ZOQ_EXPORT int ZOQ_GetErrorInfo(int code, char* text);
/** Starts the process-wide stopwatch (one for all threads).
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_StartTimeCounter(void);
/** Seconds since ZOQ_StartTimeCounter(); also prints
 * "cv Total time : S s,U us" on standard output. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CheckTimePassedSec(float* seconds);
/** Milliseconds since ZOQ_StartTimeCounter(); also prints
 * "cv Total time : S s,U us" on standard output. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CheckTimePassedMilSec(unsigned int* milliseconds);
/** Fetches the frame of an earlier ZOQ_SoftStartCapture() and demosaics it
 * (bilinear, RGGB) into 32-bit BGR pixels, bottom row first:
 * @p image holds width x height x 4 bytes of the capture size. No other
 * processing runs, whatever the camera's settings. Serves one thread at a
 * time (it keeps one process-wide raw buffer).
 * @return #RC_SUCCESS or the result of ZOQ_ReadRawDataAfterStart(). */
ZOQ_EXPORT int ZOQ_ReadRgbDataAfterStart(int index, unsigned char* image);
/** Does nothing and writes nothing; kept for compatibility. Use
 * ZOQ_CaptureRgbData() with ZOQ_CaptureGetSizeEx().
 * @return #RC_SUCCESS after ZOQ_Init(), #RC_NOT_INITIALIZED before. */
ZOQ_EXPORT int ZOQ_CaptureRgbDataEx(int index, unsigned char* buffer, int* width, int* height,
                                    int* bitCount);
///@}

/** @name Parameters and capability query */
///@{

/** Range of a numbered parameter (#ZOQ_PARAM): exposure in whole
 * milliseconds, gains as gain indices (one range for the three colours),
 * 0 and 1 for flip and mirror, exposure lines.
 * @return #RC_SUCCESS; #RC_NOT_SUPPORTED (-3) for another parameter. */
ZOQ_EXPORT int ZOQ_GetParamRange(int index, ZOQ_PARAM param, int* min, int* max);
/** Sets a numbered parameter (#ZOQ_PARAM); exposure takes whole
 * milliseconds, flip and mirror 0 (off) or anything else (on).
 * @return #RC_SUCCESS, the sensor's refusal, or #RC_NOT_SUPPORTED (-3) for
 * another parameter. */
ZOQ_EXPORT int ZOQ_SetParam(int index, ZOQ_PARAM param, int value);
/** Reads a numbered parameter (#ZOQ_PARAM); the exposure is truncated to
 * whole milliseconds. @return as ZOQ_SetParam(). */
ZOQ_EXPORT int ZOQ_GetParam(int index, ZOQ_PARAM param, int* value);
/** Whether the camera model has a feature (#ZOQ_FUNCTION): 0 or 1 for a
 * flag, a small number for the others. Ask before using a feature that may
 * be missing.
 * @return #RC_SUCCESS; #RC_PARAMETER_ERROR (-1) for a null @p value or a
 * number above 54 (which reports 0). */
ZOQ_EXPORT int ZOQ_QueryFunction(int index, ZOQ_FUNCTION function, int* value);
///@}

/** @name Logging (one log file per opened camera) */
///@{

/** Switches the cameras' log files on or off and chooses their folder
 * (created when missing; null keeps the folder, "" means `ZOQApiLog` in the
 * current folder). Applies to every open camera and to cameras opened later.
 * Logs that already run keep their file. Works without ZOQ_Init().
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_LogSet(bool enable, const char* folder);
/** The logging switch and the folder last set or used; @p folder must hold
 * 260 bytes. Null pointers are skipped. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_LogGet(bool* enable, char* folder);
///@}

/** @name Capture */
///@{

/** Triggers one frame and reads it into @p buffer, corrected in place by the
 * enabled raw stages (bad pixels, gamma/contrast/brightness tables, flat
 * field; auto exposure and auto focus look at it). @p buffer holds width x
 * height bytes of ZOQ_CaptureGetSize(), twice that with 16-bit transfer:
 * one sample a byte, top row first, no padding.
 * @return #RC_SUCCESS; after a failed transfer the camera is reset and the
 * transfer's code is returned (#RC_TIMEOUT, #RC_INVALID_FRAME,
 * #RC_ZERO_FRAME, ...), or, when the camera was lost or recovery is on
 * (ZOQ_CaptureSetRecover()), it is found again: #RC_RECOVERY_DONE (-10) or
 * #RC_RECOVERY_FAILED (-11). The frame is lost in every failure case. */
ZOQ_EXPORT int ZOQ_CaptureRawData(int index, unsigned char* buffer);
/** Captures one frame and turns it into an image in @p buffer: demosaic by
 * the Bayer and filter modes, then white balance, colour correction,
 * saturation, hue/saturation/lightness and the calibration map, each when
 * switched on. @p buffer holds width x height x bitCount / 8 bytes of
 * ZOQ_CaptureGetSizeEx() (twice that with 16-bit transfer, which is only
 * demosaiced). Layout: see the Bayer mode (#ZOQ_BAYERMODE).
 * @return as ZOQ_CaptureRawData(); #RC_PARAMETER_ERROR (-1) for a null
 * buffer; #RC_ALLOC_FAILED (-2) when the raw frame buffer cannot be had. */
ZOQ_EXPORT int ZOQ_CaptureRgbData(int index, unsigned char* buffer);
/** Asks the camera to drop the frames waiting in its frame buffer
 * (#ZOQ_FUNC_EMPTY_FRAME_BUFFER). @return #RC_SUCCESS or #RC_NOT_SUPPORTED
 * (-3). */
ZOQ_EXPORT int ZOQ_EmptyFrameBuffer(int index);
/** As ZOQ_CaptureRawData(), with the camera's frame buffer emptied first, so
 * the frame is taken after the call began (cameras without the feature
 * simply deliver the next frame). */
ZOQ_EXPORT int ZOQ_CaptureRawDataAfterEmptyFrameBuffer(int index, unsigned char* buffer);
/** As ZOQ_CaptureRgbData(), with the camera's frame buffer emptied first. */
ZOQ_EXPORT int ZOQ_CaptureRgbDataAfterEmptyFrameBuffer(int index, unsigned char* buffer);
/** Empties the camera's frame buffer and stops there: reads no frame and
 * writes neither the buffer nor the sizes (kept for compatibility; use
 * ZOQ_CaptureRgbDataAfterEmptyFrameBuffer()).
 * @return the result of emptying the frame buffer. */
ZOQ_EXPORT int ZOQ_CaptureRgbDataExAfterEmptyFrameBuffer(int index, unsigned char* buffer,
                                                         int* width, int* height, int* bitCount);
/** Starts one frame without reading it (first half of a split capture; fetch
 * it with ZOQ_ReadRawDataAfterStart()). @return #RC_SUCCESS or the transfer's
 * code; #RC_BUS_NOT_INITIALIZED (-18). */
ZOQ_EXPORT int ZOQ_SoftStartCapture(int index);
/** Reads the frame started by ZOQ_SoftStartCapture() into @p buffer (sized as
 * for ZOQ_CaptureRawData()), as transferred: no raw stage runs.
 * @return #RC_SUCCESS; on failure the camera is reset (or recovered when
 * recovery is on) and that step's result is returned. */
ZOQ_EXPORT int ZOQ_ReadRawDataAfterStart(int index, unsigned char* buffer);
/** How long a frame read may wait, in milliseconds (default 8000; 0 is
 * passed on as is). Needs no open camera. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CaptureSetTimeOut(int index, unsigned int milliseconds);
/** The frame read time-out in milliseconds. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CaptureGetTimeOut(int index, unsigned int* milliseconds);
/** Whether a failed frame read finds the camera again (close, reopen the same
 * camera, write its registers back) instead of only resetting it. Off by
 * default; a read that fails with #RC_FAIL (-8), as for an unplugged camera,
 * always recovers. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CaptureSetRecover(int index, bool recover);
/** The recovery switch of ZOQ_CaptureSetRecover(). @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CaptureGetRecover(int index, bool* recover);
/** ZOQ_CaptureSetTimeOut() and ZOQ_CaptureSetRecover() in one call.
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CaptureSetTimeOutEx(int index, unsigned int milliseconds, bool recover);
/** ZOQ_CaptureGetTimeOut() and ZOQ_CaptureGetRecover() in one call.
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CaptureGetTimeOutEx(int index, unsigned int* milliseconds, bool* recover);
///@}

/** @name Field of view
 * A field of view is a window on the sensor (start and size in sensor
 * pixels) read with an address mode per direction (#ZOQ_ADDRESSMODE: every
 * pixel, or every 2nd, 3rd, 4th or 8th). The image is columnSize / step wide
 * and rowSize / step high. Requests are never refused for their values: the
 * camera corrects them to what the sensor can do (sizes at least 1 and at
 * most the sensor, starts moved so the window fits, unsupported address modes
 * to 0); read the result back with the getters. The preview field of view
 * is stored only (there is no preview on this platform). */
///@{

/** The whole sensor: starts 0, the largest sizes, address modes 0. Null
 * pointers are skipped. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CaptureGetDefaultFieldOfView(int index, int* columnStart, int* rowStart,
                                                int* columnSize, int* rowSize,
                                                ZOQ_ADDRESSMODE* columnMode,
                                                ZOQ_ADDRESSMODE* rowMode);
/** Sets the capture window and address modes (corrected by the camera, see
 * above) and programs it into the camera. Capture buffers change size: ask
 * ZOQ_CaptureGetSizeEx() again. @return #RC_SUCCESS or the camera's error
 * (the stored window is then unchanged). */
ZOQ_EXPORT int ZOQ_CaptureSetFieldOfView(int index, int columnStart, int rowStart, int columnSize,
                                         int rowSize, ZOQ_ADDRESSMODE columnMode,
                                         ZOQ_ADDRESSMODE rowMode);
/** The capture window as stored (after correction). Null pointers are
 * skipped. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CaptureGetFieldOfView(int index, int* columnStart, int* rowStart,
                                         int* columnSize, int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                                         ZOQ_ADDRESSMODE* rowMode);
/** Width and height in pixels of a capture (window size / address step,
 * times the frames per capture in the height). @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CaptureGetSize(int index, int* width, int* height);
/** As ZOQ_CaptureGetSize(), plus the bits per pixel of an RGB capture
 * under the current Bayer mode: 24, 32 or 8 (gray). A raw frame has one
 * byte a pixel (two with 16-bit transfer). @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CaptureGetSizeEx(int index, int* width, int* height, int* bitCount);
/** The whole sensor, as ZOQ_CaptureGetDefaultFieldOfView(). */
ZOQ_EXPORT int ZOQ_PreviewGetDefaultFieldOfView(int index, int* columnStart, int* rowStart,
                                                int* columnSize, int* rowSize,
                                                ZOQ_ADDRESSMODE* columnMode,
                                                ZOQ_ADDRESSMODE* rowMode);
/** Stores the preview window (corrected by the camera) without programming
 * it: captures always use the capture window. @return #RC_SUCCESS or the
 * camera's error. */
ZOQ_EXPORT int ZOQ_PreviewSetFieldOfView(int index, int columnStart, int rowStart, int columnSize,
                                         int rowSize, ZOQ_ADDRESSMODE columnMode,
                                         ZOQ_ADDRESSMODE rowMode);
/** The stored preview window. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_PreviewGetFieldOfView(int index, int* columnStart, int* rowStart,
                                         int* columnSize, int* rowSize, ZOQ_ADDRESSMODE* columnMode,
                                         ZOQ_ADDRESSMODE* rowMode);
/** Width and height of the preview window's image. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_PreviewGetSize(int index, int* width, int* height);
/** As ZOQ_PreviewGetSize(), plus the bits per pixel of the Bayer mode.
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_PreviewGetSizeEx(int index, int* width, int* height, int* bitCount);
///@}

/** @name Trigger, frame rate, exposure, sensitivity
 * These settings live in the camera. A model that lacks one answers
 * #RC_NOT_SUPPORTED (-3); see the ZOQ_FUNC_TRIGGER... capability numbers. */
///@{

/** Exposure time in milliseconds; the sensor keeps the nearest time it can
 * (whole sensor lines), so read it back. Range: #ZOQ_PARAM_EXPOSURE_TIME
 * with ZOQ_GetParamRange(). @return #RC_SUCCESS or the sensor's error. */
ZOQ_EXPORT int ZOQ_ExposureTimeSet(int index, float milliseconds);
/** Exposure time in milliseconds as the sensor keeps it. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_ExposureTimeGet(int index, float* milliseconds);
/** How frames are started (#ZOQ_TRIGGERMODE): 0 each capture call triggers
 * its frame, 1 and 2 the camera's external trigger modes, 3 a fixed frame
 * rate (ZOQ_SetFixedFrameRateEx()). Modes 1-3 need their capability
 * (#ZOQ_FUNC_TRIGGERMODE_1 to #ZOQ_FUNC_TRIGGERMODE_3). @return #RC_SUCCESS or #RC_NOT_SUPPORTED
 * (-3). */
ZOQ_EXPORT int ZOQ_TriggerModeSet(int index, ZOQ_TRIGGERMODE mode);
/** The trigger mode. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_TriggerModeGet(int index, ZOQ_TRIGGERMODE* mode);
/** The trigger status the camera reports (#ZOQ_TRIGGERSTATUS; needs
 * #ZOQ_FUNC_TRIGGER_STATUS). @return #RC_SUCCESS or #RC_NOT_SUPPORTED (-3). */
ZOQ_EXPORT int ZOQ_TriggerStatusGet(int index, ZOQ_TRIGGERSTATUS* status);
/** The external trigger's method (#ZOQ_TRIGGERMETHOD 0-3, a field of the
 * camera's control register; each value needs one of
 * #ZOQ_FUNC_TRIGGERMETHOD_0 to #ZOQ_FUNC_TRIGGERMETHOD_3). @return #RC_SUCCESS or #RC_NOT_SUPPORTED
 * (-3). */
ZOQ_EXPORT int ZOQ_TriggerMethodSet(int index, ZOQ_TRIGGERMETHOD method);
/** The trigger method. @return #RC_SUCCESS or #RC_NOT_SUPPORTED (-3). */
ZOQ_EXPORT int ZOQ_TriggerMethodGet(int index, ZOQ_TRIGGERMETHOD* method);
/** Smallest and largest trigger delay, in the camera's delay units.
 * @return #RC_SUCCESS or #RC_NOT_SUPPORTED (-3). */
ZOQ_EXPORT int ZOQ_TriggerDelayGetRange(int index, unsigned short* min, unsigned short* max);
/** Delay between the external trigger and the exposure, 0-65535 in the
 * camera's delay units. On a model without #ZOQ_FUNC_TRIGGER_DELAY it changes
 * nothing and still answers #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_TriggerDelaySet(int index, unsigned short delay);
/** The trigger delay; on a model without the feature @p delay is left as it
 * was. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_TriggerDelayGet(int index, unsigned short* delay);
/** Frame rate of trigger mode 3, in frames per second. The camera keeps a
 * whole frame period in 50 us units (slowest rate about 0.31 fps) or, on some
 * models, 1 us units (slowest about 15.3 fps); read the rate it keeps back.
 * @return #RC_SUCCESS; #RC_ILLEGAL_OPERATION (-6) outside trigger mode 3;
 * #RC_PARAMETER_ERROR (-1) for a rate slower than the slowest (or below
 * 0.000001). */
ZOQ_EXPORT int ZOQ_SetFixedFrameRateEx(int index, float fps);
/** The frame rate of trigger mode 3 as kept (1000000 / period in us).
 * @return #RC_SUCCESS; #RC_ILLEGAL_OPERATION (-6) outside trigger mode 3;
 * #RC_FAIL (-8) when a rate too fast for one period unit was set. */
ZOQ_EXPORT int ZOQ_GetFixedFrameRateEx(int index, float* fps);
/** Sensitivity mode 0-7 (#ZOQ_SENSITIVITYMODE, a field of the camera's
 * control register; needs #ZOQ_FUNC_SENSITIVITY_MODE).
 * @return #RC_SUCCESS or #RC_NOT_SUPPORTED (-3). */
ZOQ_EXPORT int ZOQ_SensitivitySetMode(int index, ZOQ_SENSITIVITYMODE mode);
/** The sensitivity mode. @return #RC_SUCCESS or #RC_NOT_SUPPORTED (-3). */
ZOQ_EXPORT int ZOQ_SensitivityGetMode(int index, ZOQ_SENSITIVITYMODE* mode);
///@}

/** @name Non-volatile store (camera EEPROM)
 * Raw byte access, and typed items kept near the top of the EEPROM. Which
 * items exist and where depend on the EEPROM type (#ZOQ_EEPROM_TYPE) and on
 * the camera's capabilities (ZOQ_FUNC_EEPROM_...); a missing item answers
 * #RC_NOT_SUPPORTED (-3). Writes take effect at once and survive power
 * cycles; the library itself does not apply the items. A multi-byte item
 * stops at the first failing request, leaving the bytes before it written. */
///@{

/** The EEPROM type (#ZOQ_EEPROM_TYPE). @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_EEPROMTypeGet(int index, ZOQ_EEPROM_TYPE* type);
/** Writes one byte at a 16-bit address (EEPROM types 0 and 2).
 * @return #RC_SUCCESS; #RC_FAIL (-8) when refused; #RC_BUS_NOT_INITIALIZED
 * (-18). */
ZOQ_EXPORT int ZOQ_WrEEPROM(int index, unsigned short address, unsigned char value);
/** Reads one byte at a 16-bit address (EEPROM types 0 and 2).
 * @return #RC_SUCCESS; #RC_PARAMETER_ERROR (-1) for a null @p value;
 * #RC_FAIL (-8) when refused. */
ZOQ_EXPORT int ZOQ_RdEEPROM(int index, unsigned short address, unsigned char* value);
/** Writes one byte at a 24-bit address (EEPROM type 1).
 * @return #RC_SUCCESS or #RC_NOT_SUPPORTED (-3) when the transfer fails. */
ZOQ_EXPORT int ZOQ_WrEEPROMEx(int index, unsigned int address, unsigned char value);
/** Reads one byte at a 24-bit address (EEPROM type 1).
 * @return #RC_SUCCESS; #RC_PARAMETER_ERROR (-1); #RC_FAIL (-8). */
ZOQ_EXPORT int ZOQ_RdEEPROMEx(int index, unsigned int address, unsigned char* value);
/** Writes @p count bytes from @p buffer from @p address on, in one request
 * (EEPROM types 1 and 2). @return #RC_SUCCESS; #RC_PARAMETER_ERROR (-1) for
 * a null buffer; #RC_NOT_SUPPORTED (-3) when the transfer fails. */
ZOQ_EXPORT int ZOQ_WrEEPROMExEx(int index, unsigned int address, unsigned char* buffer, int count);
/** Reads @p count bytes from @p address on into @p buffer, in one request
 * (EEPROM types 1 and 2). Note the count-before-buffer order.
 * @return #RC_SUCCESS; #RC_PARAMETER_ERROR (-1); #RC_FAIL (-8). */
ZOQ_EXPORT int ZOQ_RdEEPROMExEx(int index, unsigned int address, int count, unsigned char* buffer);
/** Stores the serial number byte kept at the top of the EEPROM (its last
 * address for the EEPROM type). @return #RC_SUCCESS or a transfer code. */
ZOQ_EXPORT int ZOQ_SetSerials(int index, unsigned char serial);
/** Reads the serial number byte. @return #RC_SUCCESS; #RC_PARAMETER_ERROR
 * (-1) for a null pointer. */
ZOQ_EXPORT int ZOQ_GetSerials(int index, unsigned char* serial);
/** Stores the 16-bit working mode item (#ZOQ_FUNC_EEPROM_WORKING_MODE). */
ZOQ_EXPORT int ZOQ_WorkingModeProgram(int index, unsigned short mode);
/** Reads the working mode item; @p mode is written only when every byte was
 * read. @return #RC_SUCCESS; #RC_PARAMETER_ERROR (-1) for a null pointer. */
ZOQ_EXPORT int ZOQ_WorkingModeReadout(int index, unsigned short* mode);
/** Stores the 16-bit extended working mode item (EEPROM type 1,
 * #ZOQ_FUNC_EEPROM_WORKING_MODE_EX). */
ZOQ_EXPORT int ZOQ_WorkingModeExProgram(int index, unsigned short mode);
/** Reads the extended working mode item. */
ZOQ_EXPORT int ZOQ_WorkingModeExReadout(int index, unsigned short* mode);
/** Stores the 16-bit colour mode item (#ZOQ_FUNC_EEPROM_COLOR_MODE). */
ZOQ_EXPORT int ZOQ_ColorModeProgram(int index, unsigned short mode);
/** Reads the colour mode item. */
ZOQ_EXPORT int ZOQ_ColorModeReadout(int index, unsigned short* mode);
/** Stores the 16-byte serial description (EEPROM type 1,
 * #ZOQ_FUNC_EEPROM_SERIALS_DESC). */
ZOQ_EXPORT int ZOQ_SerialsDescProgram(int index, unsigned char desc[16]);
/** Reads the 16-byte serial description. */
ZOQ_EXPORT int ZOQ_SerialsDescReadout(int index, unsigned char desc[16]);
/** Stores the 16-bit look-up-table information word
 * (#ZOQ_FUNC_EEPROM_LUT_INFO; EEPROM types 1 and 2). */
ZOQ_EXPORT int ZOQ_LutInfoProgram(int index, unsigned short info);
/** Reads the look-up-table information word; set to 0 with
 * #RC_NOT_SUPPORTED (-3) where the EEPROM type has none. */
ZOQ_EXPORT int ZOQ_LutInfoReadout(int index, unsigned short* info);
/** Stores the 16-bit gamma look-up-table information word (EEPROM type 1). */
ZOQ_EXPORT int ZOQ_GammaLutInfoProgram(int index, unsigned short info);
/** Reads the gamma look-up-table information word; set to 0 with
 * #RC_NOT_SUPPORTED (-3) where the EEPROM type has none. */
ZOQ_EXPORT int ZOQ_GammaLutInfoReadout(int index, unsigned short* info);
/** Stores white-balance gains red, green, blue for the camera's own white
 * balance (EEPROM type 1, #ZOQ_FUNC_EEPROM_MATRICES and
 * #ZOQ_FUNC_WB_GAINS_WRITABLE). Each value is kept in 1/4096 steps from -8.0
 * to just below 8.0. */
ZOQ_EXPORT int ZOQ_HWBMatrixProgram(int index, float gains[3]);
/** Reads the stored white-balance gains. */
ZOQ_EXPORT int ZOQ_HWBMatrixReadout(int index, float gains[3]);
/** Reads the white-balance gains the camera applies now (not the EEPROM).
 * @return #RC_SUCCESS or #RC_NOT_SUPPORTED (-3) without
 * #ZOQ_FUNC_WB_GAINS_WRITABLE. */
ZOQ_EXPORT int ZOQ_HWBMatrixUpload(int index, float gains[3]);
/** Stores a colour-correction matrix (row by row; rows give red, green,
 * blue) for the camera's own correction (EEPROM type 1,
 * #ZOQ_FUNC_EEPROM_MATRICES and #ZOQ_FUNC_CCM_WRITABLE); 1/4096 steps. */
ZOQ_EXPORT int ZOQ_HCCMMatrixProgram(int index, float matrix[3][3]);
/** Reads the stored colour-correction matrix. */
ZOQ_EXPORT int ZOQ_HCCMMatrixReadout(int index, float matrix[3][3]);
/** Reads the colour-correction matrix the camera applies now (not the
 * EEPROM). @return #RC_SUCCESS or #RC_NOT_SUPPORTED (-3) without
 * #ZOQ_FUNC_CCM_WRITABLE. */
ZOQ_EXPORT int ZOQ_HCCMMatrixUpload(int index, float matrix[3][3]);
/** Does nothing on this platform (tables are not stored in the EEPROM);
 * @return #RC_SUCCESS for an opened camera. */
ZOQ_EXPORT int ZOQ_LutFileProgram(int index, char* path);
/** Does nothing on this platform; @return #RC_SUCCESS for an opened camera. */
ZOQ_EXPORT int ZOQ_LutDataProgram(int index, unsigned char* data, int length);
/** Does nothing and writes nothing on this platform; @return #RC_SUCCESS
 * for an opened camera. */
ZOQ_EXPORT int ZOQ_LutDataReadout(int index, unsigned char* data, int* length);
/** Does nothing on this platform; @return #RC_SUCCESS for an opened camera. */
ZOQ_EXPORT int ZOQ_GammaLutFileProgram(int index, char* path);
/** Does nothing on this platform; @return #RC_SUCCESS for an opened camera. */
ZOQ_EXPORT int ZOQ_GammaLutDataProgram(int index, unsigned short* data, int count);
/** Does nothing and writes nothing on this platform; @return #RC_SUCCESS
 * for an opened camera. */
ZOQ_EXPORT int ZOQ_GammaLutDataReadout(int index, unsigned short* data, int* count);
///@}

/** @name Demosaic selection
 * The Bayer mode (#ZOQ_BAYERMODE) chooses the mosaic pattern the demosaic
 * assumes, the output pixel (24-bit BGR, 32-bit BGR plus a fourth byte, or
 * 8-bit gray) and the row order (bottom-up, as BMP files and the file
 * helpers take them, or top-down); the filter mode (#ZOQ_FILTERMODE) the
 * algorithm. Both apply to the next RGB capture. */
///@{

/** The Bayer mode that suits the camera's sensor (its own pattern, 24-bit,
 * bottom-up), set when the camera was opened. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_BayerGetDefaultMode(int index, ZOQ_BAYERMODE* mode);
/** Stores the Bayer mode (not range checked) for the next RGB capture.
 * @return #RC_NOT_SUPPORTED (-3) even though the mode was stored and is
 * used: the call also updates a preview picture, which this platform does
 * not have. Treat -3 as success here (other codes are real failures). */
ZOQ_EXPORT int ZOQ_BayerSetMode(int index, ZOQ_BAYERMODE mode);
/** The Bayer mode in use. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_BayerGetMode(int index, ZOQ_BAYERMODE* mode);
/** Stores the demosaic algorithm (#ZOQ_FILTERMODE, default
 * #ZOQ_FILTER_FAST_BILINEAR; not range checked). Gray Bayer modes ignore it.
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_FilterSetMode(int index, ZOQ_FILTERMODE mode);
/** The demosaic algorithm. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_FilterGetMode(int index, ZOQ_FILTERMODE* mode);
///@}

/** @name Tone: software gamma, contrast, brightness; the camera's tables
 * The software values change the 8-bit raw samples of every capture, in the
 * order gamma, contrast, brightness; 0 leaves a stage out. The look-up
 * tables live in the camera. */
///@{

/** Loads a look-up-table file (version 0x0100, kind 'A') into the camera.
 * @return as ZOQ_LutDataDownload(); #RC_PARAMETER_ERROR (-1) for a null
 * path; #RC_FAIL (-8) when the file cannot be read or is too short;
 * #RC_VERSION_ERROR (-15); #RC_ILLEGAL_OPERATION (-6) for a gamma table
 * file. */
ZOQ_EXPORT int ZOQ_LutFileDownload(int index, const char* path);
/** Sends a look-up table of 8-bit entries to the camera; @p length must be
 * 2^n entries for the camera's table input bits n (#ZOQ_FUNC_LUT_INPUT_BITS).
 * @return #RC_SUCCESS; #RC_PARAMETER_ERROR (-1) for a null table or another
 * length; #RC_NOT_SUPPORTED (-3) without #ZOQ_FUNC_LUT_DOWNLOAD. */
ZOQ_EXPORT int ZOQ_LutDataDownload(int index, unsigned char* data, int length);
/** Switches the camera's look-up table on or off (#ZOQ_FUNC_LUT_SWITCH).
 * @return #RC_SUCCESS or #RC_NOT_SUPPORTED (-3). */
ZOQ_EXPORT int ZOQ_LutSetEnable(int index, bool enable);
/** Whether the camera's look-up table is on. @return #RC_SUCCESS or the
 * camera's answer. */
ZOQ_EXPORT int ZOQ_LutGetEnable(int index, bool* enable);
/** Loads a gamma table file (version 0x0100, kind 'C') into the camera.
 * @return as ZOQ_LutFileDownload(). */
ZOQ_EXPORT int ZOQ_GammaLutFileDownload(int index, const char* path);
/** Sends a gamma table of 16-bit entries (2^n entries, as for
 * ZOQ_LutDataDownload()) to the camera (#ZOQ_FUNC_GAMMA_LUT_DOWNLOAD).
 * @return as ZOQ_LutDataDownload(). */
ZOQ_EXPORT int ZOQ_GammaLutDataDownload(int index, unsigned short* data, int count);
/** Switches the camera's gamma table on or off. @return #RC_SUCCESS or the
 * camera's answer (#RC_NOT_SUPPORTED (-3) on models without it). */
ZOQ_EXPORT int ZOQ_GammaLutSetEnable(int index, bool enable);
/** Whether the camera's gamma table is on. */
ZOQ_EXPORT int ZOQ_GammaLutGetEnable(int index, bool* enable);
/** Software gamma range: -9 and 9. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_GammaGetRange(int index, int* min, int* max);
/** Software gamma step, -9 .. 9 (clamped; 0 off): each step is one exponent
 * of a fixed gamma curve applied to the raw samples. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_GammaSetValue(int index, int value);
/** The software gamma step. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_GammaGetValue(int index, int* value);
/** Software contrast range: -128 and 127. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_ProcessContrastGetRange(int index, int* min, int* max);
/** Software contrast, -128 .. 127 (clamped; 0 off): samples spread around
 * 128 by (value + 128) / 128; -128 makes every sample 128.
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_ProcessContrastSet(int index, int value);
/** The software contrast. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_ProcessContrastGet(int index, int* value);
/** Software brightness range: -128 and 127. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_ProcessBrightnessGetRange(int index, int* min, int* max);
/** Software brightness, -128 .. 127 (clamped; 0 off): a gain of
 * (value + 128) / 128 on every sample, limited to 255; -128 gives black.
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_ProcessBrightnessSet(int index, int value);
/** The software brightness. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_ProcessBrightnessGet(int index, int* value);
///@}

/** @name White balance and colour correction
 * Done in software on 24- and 32-bit RGB captures, or by the camera, as the
 * mode says (#ZOQ_WB_MODE, #ZOQ_CCM_MODE). Monochrome cameras answer
 * #RC_NOT_SUPPORTED (-3) to the white-balance calls. */
///@{

/** Chooses who balances and where the gains come from (#ZOQ_WB_MODE).
 * Measuring modes measure on the next RGB capture (the once modes on that
 * capture only).
 * @return #RC_SUCCESS; #RC_PARAMETER_ERROR (-1) for a value outside 0-8;
 * #RC_NOT_SUPPORTED (-3) on a monochrome camera (nothing changes).
 * The software modes 0-4 switch the camera's own white balance off first:
 * on a camera without one they answer #RC_NOT_SUPPORTED (-3) although the
 * mode is set and works, so treat -3 there as success. A camera mode (5-8)
 * the camera refuses returns its error and leaves the mode as it was. */
ZOQ_EXPORT int ZOQ_WhiteBalanceSet(int index, ZOQ_WB_MODE mode);
/** The white-balance mode. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_WhiteBalanceGet(int index, ZOQ_WB_MODE* mode);
/** Near-white threshold of the software measurement (which pixels count as
 * white). @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_WhiteBalanceAutoSet(int index, int phi);
/** The near-white threshold. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_WhiteBalanceAutoGet(int index, int* phi);
/** Sets the gains red, green, blue (factors, 1.0 = unity) in the manual
 * modes (#ZOQ_WB_SOFT_MANUAL, #ZOQ_WB_HW_MANUAL).
 * @return #RC_SUCCESS; #RC_ILLEGAL_OPERATION (-6) in any other mode. */
ZOQ_EXPORT int ZOQ_WhiteBalanceMatrixSet(int index, float* gains);
/** The gains red, green, blue in use (measured, preset or set).
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_WhiteBalanceMatrixGet(int index, float* gains);
/** Colour temperature preset (#ZOQ_COLOR_TEMPRATURE) of the preset modes.
 * @return #RC_SUCCESS or the camera's refusal. */
ZOQ_EXPORT int ZOQ_WhiteBalancePresettingSet(int index, ZOQ_COLOR_TEMPRATURE preset);
/** The white-balance preset. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_WhiteBalancePresettingGet(int index, ZOQ_COLOR_TEMPRATURE* preset);
/** Called with the gains red, green, blue whenever they are measured or
 * read back, on the capturing thread inside the capture; null removes it.
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_WhiteBalanceAutoSetCallBack(int index, ZOQ_WB_CALLBACK callback, void* context);
/** As ZOQ_WhiteBalanceAutoSetCallBack(), with the three gains as values. */
ZOQ_EXPORT int ZOQ_WhiteBalanceAutoSetCallBackEx(int index, ZOQ_WB_CALLBACK_EX callback,
                                                 void* context);
/** Chooses who applies the colour-correction matrix and where it comes from
 * (#ZOQ_CCM_MODE).
 * @return #RC_SUCCESS. The software modes 0-2 switch the camera's own
 * correction off first: on a camera without one they answer
 * #RC_NOT_SUPPORTED (-3) although the mode is set and works. A camera mode
 * (3, 4) the camera refuses returns its error and leaves the mode as it was;
 * another value changes nothing and answers #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_ColorCorrectionSet(int index, ZOQ_CCM_MODE mode);
/** The colour-correction mode. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_ColorCorrectionGet(int index, ZOQ_CCM_MODE* mode);
/** Sets the 3 x 3 matrix (row by row: rows give red, green, blue, columns
 * multiply red, green, blue) of the manual modes. @return #RC_SUCCESS or the
 * camera's refusal. */
ZOQ_EXPORT int ZOQ_ColorCorrectionMatrixSet(int index, float (*matrix)[3]);
/** The colour-correction matrix in use. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_ColorCorrectionMatrixGet(int index, float (*matrix)[3]);
/** Colour temperature preset of the preset modes. @return #RC_SUCCESS or the
 * camera's refusal. */
ZOQ_EXPORT int ZOQ_ColorCorrectionPresettingSet(int index, ZOQ_COLOR_TEMPRATURE preset);
/** The colour-correction preset. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_ColorCorrectionPresettingGet(int index, ZOQ_COLOR_TEMPRATURE* preset);
/** Region of the image (pixels of the capture) that the software white
 * balance measures; fitted to the frame at each measurement. Default: the
 * whole capture. @return #RC_SUCCESS; #RC_NOT_SUPPORTED (-3) on a
 * monochrome camera. */
ZOQ_EXPORT int ZOQ_AWBSetRegion(int index, int x, int y, int width, int height);
/** Stores a flag to mark the region; nothing is drawn on this platform.
 * @return #RC_SUCCESS; #RC_NOT_SUPPORTED (-3) on a monochrome camera. */
ZOQ_EXPORT int ZOQ_AWBShowRegion(int index, bool show);
/** The white-balance region as set and the show flag.
 * @return #RC_SUCCESS; #RC_NOT_SUPPORTED (-3) on a monochrome camera. */
ZOQ_EXPORT int ZOQ_AWBGetRegion(int index, int* x, int* y, int* width, int* height, bool* show);
///@}

/** @name Saturation and hue/saturation/lightness
 * Software stages on 24- and 32-bit RGB captures. */
///@{

/** Saturation range: -128 and 127; 0 and 0 with #RC_NOT_SUPPORTED (-3) on a
 * monochrome camera. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_ProcessSaturationGetRange(int index, int* min, int* max);
/** Saturation, -128 .. 127 (clamped; 0 off; -128 gives gray).
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_ProcessSaturationSet(int index, int value);
/** The saturation. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_ProcessSaturationGet(int index, int* value);
/** Hue turn in degrees (-180 .. 180), saturation and lightness in percent
 * (-100 .. 100), all clamped, for one hue sector (#ZOQHueRange; 0 acts on
 * every colour and adds to the sector's own setting). Takes effect while
 * ZOQ_HueSaturationSetEnable() is on. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_HueSaturationSet(int index, ZOQHueRange range, int hue, int saturation,
                                    int lightness);
/** The hue, saturation and lightness of one sector. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_HueSaturationGet(int index, ZOQHueRange range, int* hue, int* saturation,
                                    int* lightness);
/** Switches the hue/saturation/lightness stage on or off.
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_HueSaturationSetEnable(int index, bool enable);
/** Whether the hue/saturation/lightness stage is on. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_HueSaturationGetEnable(int index, bool* enable);
///@}

/** @name Auto exposure and auto focus
 * Both look at the 8-bit raw frames of the captures, after bad pixels and
 * tone. Auto exposure evaluates every third frame (the two between let a new
 * exposure settle) and changes the exposure lines until the mean level of
 * its region is within 10 of the target, reporting each evaluation
 * (#ZOQ_AE_STATUS) through its callbacks. Auto focus only measures: it hands
 * a sharpness figure of its region to its callback on every frame. Regions
 * are in pixels of the capture, fitted to the frame when used; by default
 * the whole capture. Callbacks run on the capturing thread, inside the
 * capture call. Setters store and answer #RC_SUCCESS unless noted. */
///@{

/** Region whose mean level auto exposure measures. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AESetRegion(int index, int x, int y, int width, int height);
/** Stores a flag to mark the region; nothing is drawn on this platform.
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AEShowRegion(int index, bool show);
/** The auto-exposure region as set, and the show flag. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AEGetRegion(int index, int* x, int* y, int* width, int* height, bool* show);
/** Weight of saturated (255) samples in the measured level, 0.0 .. 1.0
 * (larger values are stored as 1.0; default 0). @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AESetPeakAveRatio(int index, float ratio);
/** The peak/average weight. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AEGetPeakAveRatio(int index, float* ratio);
/** Exposure times in milliseconds that auto exposure may use, fitted to
 * what the sensor can do (default 0 .. 40 ms).
 * @return #RC_SUCCESS or the sensor's error (nothing changes then). */
ZOQ_EXPORT int ZOQ_AESetExposureTimeRange(int index, float min, float max);
/** The fitted auto-exposure time range in milliseconds. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AEGetExposureTimeRange(int index, float* min, float* max);
/** Called after every evaluation with its status (#ZOQ_AE_STATUS) and the
 * exposure time in whole milliseconds; null removes it.
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AESetCallbackEx(int index, ZOQ_AE_CALLBACK_EX callback, void* context);
/** Most exposure changes of one run (default 10); a negative value runs
 * auto exposure continuously (it never stops by itself).
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AESetMaxCount(int index, int maxCount);
/** Wanted mean level, 0 .. 255 (default 128). @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AESetTarget(int index, int target);
/** Starts (true) or stops auto exposure with the stored maximum count and
 * target; a start forgets the previous run. A single run stops by itself
 * when it converges, oscillates, reaches an exposure limit or the maximum
 * count. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AEStartEx(int index, bool start);
/** Whether auto exposure runs, with its maximum count and target. Poll it
 * between captures to see a single run end. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AEGetStatusEx(int index, bool* running, int* maxCount, int* target);
/** Called after every evaluation with true when the level converged and
 * the exposure in whole milliseconds; null removes it. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AESetCallback(int index, ZOQ_AE_CALLBACK callback, void* context);
/** ZOQ_AESetMaxCount(), ZOQ_AESetTarget() and ZOQ_AEStartEx() in one call.
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AEStart(int index, bool start, int maxCount, int target);
/** Region whose sharpness auto focus measures. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AFSetRegion(int index, int x, int y, int width, int height);
/** The auto-focus region as set, and the show flag. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AFGetRegion(int index, int* x, int* y, int* width, int* height, bool* show);
/** Stores a flag to mark the region; nothing is drawn on this platform.
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AFShowRegion(int index, bool show);
/** Called on every frame while auto focus runs with the sharpness figure:
 * ten times the mean absolute difference between each sample and its four
 * same-colour neighbours two pixels away, in 1/1020 of full scale (larger is
 * sharper). @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AFSetCallback(int index, ZOQ_AF_CALLBACK callback, void* context);
/** Starts or stops the focus measurement. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_AFStart(int index, bool start);
///@}

/** @name Flat field, dark frame, bad pixels, calibration map
 * Flat-field correction evens out the response of every pixel from a dark
 * frame and a flat (evenly lit) frame taken with the flat-field window;
 * it applies to 8-bit captures whose window equals that window. The
 * calibration map moves every output pixel of an RGB capture to a position
 * read from a map file (lens distortion). */
///@{

/** Window of the flat-field frames (corrected like a capture window, see
 * ZOQ_CaptureSetFieldOfView()). The frames and gains already made are kept.
 * @return #RC_SUCCESS or the camera's error (nothing stored then). */
ZOQ_EXPORT int ZOQ_SetFlatFieldCorrectionFieldOfView(int index, int columnStart, int rowStart,
                                                     int columnSize, int rowSize,
                                                     ZOQ_ADDRESSMODE columnMode,
                                                     ZOQ_ADDRESSMODE rowMode,
                                                     unsigned short multiFrameNum);
/** The flat-field window as stored. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_GetFlatFieldCorrectionFieldOfView(int index, int* columnStart, int* rowStart,
                                                     int* columnSize, int* rowSize,
                                                     ZOQ_ADDRESSMODE* columnMode,
                                                     ZOQ_ADDRESSMODE* rowMode,
                                                     unsigned short* multiFrameNum);
/** Captures @p count raw frames (at least 1) in the flat-field window with
 * the lens covered, and keeps their average as the dark frame. The capture
 * window is restored afterwards. @return the result of restoring the
 * capture window. */
ZOQ_EXPORT int ZOQ_MakeDarkFrame(int index, int count);
/** Captures @p count raw frames of an evenly lit surface in the flat-field
 * window and keeps their average as the flat frame.
 * @return as ZOQ_MakeDarkFrame(); #RC_PARAMETER_ERROR (-1) for a count
 * below 1. */
ZOQ_EXPORT int ZOQ_MakeFlatFieldFrame(int index, int count);
/** Stores the flat-field switch of the preview (no effect on captures).
 * @return as ZOQ_CaptureSetFlatFieldCorrection(). */
ZOQ_EXPORT int ZOQ_PreviewSetFlatFieldCorrection(int index, bool enable);
/** The flat-field switch of the preview. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_PreviewGetFlatFieldCorrection(int index, bool* enable);
/** Switches flat-field correction of captures on or off; switching on
 * computes the per-pixel gains from the two frames, or uses those loaded
 * with ZOQ_LoadFlatFieldCorrection().
 * @return #RC_SUCCESS; #RC_ILLEGAL_OPERATION (-6) while the dark frame, or
 * both the flat frame and loaded gains, are missing. */
ZOQ_EXPORT int ZOQ_CaptureSetFlatFieldCorrection(int index, bool enable);
/** The flat-field switch of captures. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CaptureGetFlatFieldCorrection(int index, bool* enable);
/** Saves the flat-field correction in the file ZOQ_LoadFlatFieldCorrection()
 * reads: the flat-field window record, the dark frame and the per-pixel
 * gains (computed from the two frames when the correction has not been
 * switched on yet; saving does not switch it on).
 * @return #RC_SUCCESS; #RC_PARAMETER_ERROR (-1) for a null path;
 * #RC_ILLEGAL_OPERATION (-6) without a dark frame and gains or a flat frame
 * of the flat-field window's size; #RC_FAIL (-8) when the file cannot be
 * written. */
ZOQ_EXPORT int ZOQ_SaveFlatFieldCorrection(int index, char* path);
/** Loads a flat-field file: the window record, the dark frame and the
 * per-pixel gains (the flat frame and the switches are kept).
 * @return #RC_SUCCESS; #RC_FAIL (-8) when the file cannot be opened. */
ZOQ_EXPORT int ZOQ_LoadFlatFieldCorrection(int index, char* path);
/** Stores the calibration switch of the preview (no effect on captures).
 * @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_PreviewSetCalibration(int index, bool enable);
/** The calibration switch of the preview. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_PreviewGetCalibration(int index, bool* enable);
/** Switches the calibration-map remap of RGB captures on or off; it runs
 * when a map of the capture's size is loaded. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CaptureSetCalibration(int index, bool enable);
/** The calibration switch of captures. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_CaptureGetCalibration(int index, bool* enable);
/** Loads a calibration-map file; null unloads the map.
 * @return #RC_SUCCESS; #RC_FAIL (-8) when the file cannot be opened;
 * #RC_VERSION_ERROR (-15) for a file of another kind or version. */
ZOQ_EXPORT int ZOQ_LoadCalibrationMapFile(int index, const char* path);
/** Sampling of the remap (#ZOQ_MAPMODE: nearest or bilinear; stored as
 * given). @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_SetCalibrationMapMode(int index, ZOQ_MAPMODE mode);
/** The remap sampling. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_GetCalibrationMapMode(int index, ZOQ_MAPMODE* mode);
/** Thresholds of the software bad-pixel correction, in 8-bit levels: a
 * sample brighter than its same-colour neighbours two pixels away by more
 * than @p low and than those four away by more than @p high is replaced.
 * Defaults 12 and 24. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_BadPixelCorrectionSetThreshold(int index, unsigned char low, unsigned char high);
/** The bad-pixel thresholds. @return #RC_SUCCESS. */
ZOQ_EXPORT int ZOQ_BadPixelCorrectionGetThreshold(int index, unsigned char* low,
                                                  unsigned char* high);
/** Switches bad-pixel correction on or off; the camera corrects when it can
 * (#ZOQ_FUNC_HW_BAD_PIXEL_CORRECTION), the library otherwise.
 * #ZOQ_THRESHOLD_LOW also resets the software thresholds to 12 and 24.
 * @return #RC_SUCCESS or the camera's error. */
ZOQ_EXPORT int ZOQ_BadPixelCorrectionSet(int index, bool enable, ZOQ_THRESHOLD level);
/** The bad-pixel switch and level (the camera's, or the stored ones).
 * @return #RC_SUCCESS, or the camera's answer when it has no correction of
 * its own (the stored values are written then). */
ZOQ_EXPORT int ZOQ_BadPixelCorrectionGet(int index, bool* enable, ZOQ_THRESHOLD* level);
///@}

/** @name Image files (no camera index; work without ZOQ_Init())
 * Both take 8-bit gray, 24-bit or 32-bit BGR pixels, bottom row first, as an
 * RGB capture in a bottom-up Bayer mode delivers them. */
///@{

/** Writes a BMP file from rows without padding, as a capture delivers them
 * (width x height x bitCount / 8 bytes); the file pads each row with zeros
 * to a multiple of 4 bytes. 8-bit data gets a gray palette.
 * @return #RC_SUCCESS; #RC_PARAMETER_ERROR (-1) for a null pointer, a size
 * below 1, a bitCount other than 8, 24 or 32, or an image too large for a
 * BMP file (4 GiB of padded rows); #RC_FAIL (-8) when the file cannot be
 * written. */
ZOQ_EXPORT int ZOQ_HelperSaveToBmp(const void* data, int width, int height, int bitCount,
                                   const char* path);
/** Writes a JPEG file of quality 0 .. 100 (as libjpeg takes it) from rows
 * without padding. @return as ZOQ_HelperSaveToBmp(). */
ZOQ_EXPORT int ZOQ_HelperSaveToJpg(unsigned char* data, int width, int height, int bitCount,
                                   int quality, const char* path);
///@}

/** @name Preview
 * Not available on this platform: after the usual index checks every call
 * answers #RC_NOT_SUPPORTED (-3), writes nothing and starts nothing. */
///@{

/** @return #RC_NOT_SUPPORTED (-3). */
ZOQ_EXPORT int ZOQ_PreviewSetPos(int index, int x, int y, int width, int height);
ZOQ_EXPORT int ZOQ_PreviewGetPos(int index, int* x, int* y, int* width, int* height);
ZOQ_EXPORT int ZOQ_PreviewSetMode(int index, ZOQ_PREVIEWMODE mode);
ZOQ_EXPORT int ZOQ_PreviewGetMode(int index, ZOQ_PREVIEWMODE* mode);
ZOQ_EXPORT int ZOQ_PreviewGetDefaultMode(int index, ZOQ_PREVIEWMODE* mode);
ZOQ_EXPORT int ZOQ_PreviewStart(int index, void* window, bool start);
ZOQ_EXPORT int ZOQ_PreviewPause(int index, bool pause);
ZOQ_EXPORT int ZOQ_PreviewGetStatus(int index, ZOQ_PREVIEWSTATUS* status);
ZOQ_EXPORT int ZOQ_PreviewGetFrameRate(int index, float* fps);
ZOQ_EXPORT int ZOQ_PreviewGetPausedData(int index, unsigned char* buffer);
ZOQ_EXPORT int ZOQ_PreviewGetPausedDataEx(int index, unsigned char* buffer, int* width, int* height,
                                          int* bitCount);
ZOQ_EXPORT int ZOQ_PreviewStartEx(int index, void* window, bool start,
                                  ZOQ_PREVIEW_CALLBACK callback, void* context);
ZOQ_EXPORT int ZOQ_PreviewGetStatusEx(int index, ZOQ_PREVIEWSTATUS* status, bool* paused);
ZOQ_EXPORT int ZOQ_PreviewGetFrameRateEx(int index, float* fps, unsigned int* frames);
///@}

ZOQ_END_C

#ifdef __cplusplus
/** @name Calibration-map helpers (C++ signatures, no camera index) */
///@{

/** Reads a map file into two arrays of width x height floats (source column
 * and source row of every pixel), allocated with new[]: the caller frees
 * both with delete[]. @p width and @p height are written as soon as they are
 * read. @return true; false for a file that cannot be read, is too short,
 * of another kind, or whose size does not match (nothing is allocated). */
ZOQ_EXPORT bool ZOQ_ReadMapfromFile(const char* path, int& width, int& height, float*& mapX,
                                    float*& mapY);
/** Resamples @p src into @p dst (both width x height pixels of
 * @p bytesPerPixel bytes, no padding) bilinearly at the positions of the
 * maps; the map's rows count from the bottom. Pixels that map outside the
 * image become 0. */
ZOQ_EXPORT void ZOQ_Remap(unsigned char* src, int bytesPerPixel, int width, int height,
                          unsigned char* dst, float* mapX, float* mapY);
///@}
#endif

/** @name Pixel helpers of the image file writers
 * In place unless noted, rows without padding. Each returns #RC_SUCCESS, or
 * #RC_PARAMETER_ERROR (-1) for a null buffer or a size or depth it cannot
 * step through. */
///@{
ZOQ_BEGIN_C
/** Reverses the row order (a row is width x bitCount / 8 bytes): turns a
 * bottom-up image top-down and back. */
ZOQ_EXPORT int Helper_FlipBmp(unsigned char* data, int width, int height, int bitCount);
/** Swaps the first and third byte of every 3-byte pixel (BGR to RGB). */
ZOQ_EXPORT int Helper_BGR24ToRGB24(unsigned char* data, int width, int height);
/** The same for 24- or 32-bit pixels (@p bitCount 24 or 32). */
ZOQ_EXPORT int Helper_BGRToRGB(unsigned char* data, int width, int height, int bitCount);
/** Copies 4-byte pixels of @p src to 3-byte pixels of @p dst, dropping the
 * fourth byte. */
ZOQ_EXPORT int Helper_Rgb32ToRgb24(unsigned char* src, int width, int height, unsigned char* dst);
ZOQ_END_C
///@}

#endif
