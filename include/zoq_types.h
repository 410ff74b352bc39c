/* Enumerations, records and callback types that cross the ZOQ API.
 *
 * Every enumeration is passed as a signed 32-bit value; the numbers are the
 * ones the cameras and the library use, so values outside the named ones may
 * still be passed where a function says so. */
#ifndef ZOQ_TYPES_H
#define ZOQ_TYPES_H

#ifndef __cplusplus
#include <stdbool.h>
#endif

#include "zoq_export.h"

/* Every enumeration below spans the whole signed 32-bit range, so any value
 * a caller passes (the library checks ranges itself) is a valid value of the
 * type in C and C++. */
#define ZOQ_ENUM_INT_RANGE(prefix) \
    prefix##_INT_MIN = (-0x7FFFFFFF - 1), prefix##_INT_MAX = 0x7FFFFFFF

/* ---- Control request record (one USB setup packet, 8 bytes) ---- */

typedef struct _tagUSBCmd {
    unsigned char bmRequestType; /* 0xC0 device-to-host, 0x40 host-to-device */
    unsigned char bRequest;      /* vendor request number */
    unsigned short wValue;
    unsigned short wIndex;
    unsigned short wLength; /* bytes in the data stage */
} __attribute__((packed)) _tagUSBCmd;

/* ---- Geometry ---- */

/* Pixel step of each address mode: 1, 2, 3, 4 and 8 (see g_SkipTable). */
typedef enum ZOQ_ADDRESSMODE {
    ZOQ_ADDRESSMODE_NORMAL = 0,
    ZOQ_ADDRESSMODE_STEP2 = 1,
    ZOQ_ADDRESSMODE_STEP3 = 2,
    ZOQ_ADDRESSMODE_STEP4 = 3,
    ZOQ_ADDRESSMODE_STEP8 = 4,
    ZOQ_ENUM_INT_RANGE(ZOQ_ADDRESSMODE)
} ZOQ_ADDRESSMODE;

/* Pixel step of each ZOQ_ADDRESSMODE value: 1, 2, 3, 4, 8. Exported by
 * libzoqapi and by every camera plug-in (same values). */
#ifdef __cplusplus
extern "C" ZOQ_EXPORT const int g_SkipTable[5];
#else
extern ZOQ_EXPORT const int g_SkipTable[5];
#endif

typedef enum ZOQ_FOV_MODE {
    ZOQ_FOV_MODE_CAPTURE = 0,
    ZOQ_FOV_MODE_PREVIEW = 1,
    ZOQ_ENUM_INT_RANGE(ZOQ_FOV_MODE)
} ZOQ_FOV_MODE;

/* One field of view: the sensor window and the image geometry derived from
 * it. Eleven 32-bit slots; multiFrameNum uses the low half of its slot. */
typedef struct ZOQ_FOV_INFO {
    int columnStart;
    int columnSize;
    int rowStart;
    int rowSize;
    ZOQ_ADDRESSMODE columnAddressMode;
    ZOQ_ADDRESSMODE rowAddressMode;
    unsigned short multiFrameNum;
    unsigned short reserved; /* keeps the record free of padding */
    int width;      /* columnSize / step(columnAddressMode) */
    int height;     /* rowSize / step(rowAddressMode) * multiFrameNum */
    int pixelCount; /* width * height */
    int byteCount;  /* pixelCount, doubled with 16-bit transfer */
} ZOQ_FOV_INFO;

/* ---- Trigger, exposure and sensor settings ---- */

typedef enum ZOQ_TRIGGERMODE {
    ZOQ_TRIGGERMODE_FREERUN = 0,
    ZOQ_TRIGGERMODE_1 = 1,
    ZOQ_TRIGGERMODE_2 = 2,
    ZOQ_TRIGGERMODE_FIXED_FRAMERATE = 3,
    ZOQ_ENUM_INT_RANGE(ZOQ_TRIGGERMODE)
} ZOQ_TRIGGERMODE;

typedef enum ZOQ_TRIGGERMETHOD {
    ZOQ_TRIGGERMETHOD_0 = 0,
    ZOQ_TRIGGERMETHOD_1 = 1,
    ZOQ_TRIGGERMETHOD_2 = 2,
    ZOQ_TRIGGERMETHOD_3 = 3,
    ZOQ_ENUM_INT_RANGE(ZOQ_TRIGGERMETHOD)
} ZOQ_TRIGGERMETHOD;

typedef enum ZOQ_TRIGGERSTATUS {
    ZOQ_TRIGGERSTATUS_IDLE = 0,
    ZOQ_TRIGGERSTATUS_ACTIVE = 1,
    ZOQ_ENUM_INT_RANGE(ZOQ_TRIGGERSTATUS)
} ZOQ_TRIGGERSTATUS;

typedef enum ZOQ_SENSITIVITYMODE {
    ZOQ_SENSITIVITYMODE_0 = 0,
    ZOQ_SENSITIVITYMODE_1,
    ZOQ_SENSITIVITYMODE_2,
    ZOQ_SENSITIVITYMODE_3,
    ZOQ_SENSITIVITYMODE_4,
    ZOQ_SENSITIVITYMODE_5,
    ZOQ_SENSITIVITYMODE_6,
    ZOQ_SENSITIVITYMODE_7,
    ZOQ_ENUM_INT_RANGE(ZOQ_SENSITIVITYMODE)
} ZOQ_SENSITIVITYMODE;

/* ---- Generic parameters and capability query ---- */

typedef enum ZOQ_PARAM {
    ZOQ_PARAM_EXPOSURE_TIME = 0, /* milliseconds, whole numbers */
    ZOQ_PARAM_GAIN_R = 1,        /* sensor gain index */
    ZOQ_PARAM_GAIN_G = 2,
    ZOQ_PARAM_GAIN_B = 3,
    ZOQ_PARAM_FLIP = 11,          /* 0 off, other values on */
    ZOQ_PARAM_MIRROR = 13,        /* 0 off, other values on */
    ZOQ_PARAM_EXPOSURE_LINES = 23 /* sensor lines */,
    ZOQ_ENUM_INT_RANGE(ZOQ_PARAM)
} ZOQ_PARAM;

/* Capability query numbers; each reports one field of the camera model's
 * capability record (a flag as 0/1 or a small number). */
typedef enum ZOQ_FUNCTION {
    ZOQ_FUNC_MONOCHROME = 0,
    ZOQ_FUNC_LUT_INPUT_BITS = 1,
    ZOQ_FUNC_MIRROR = 2,
    ZOQ_FUNC_FLIP = 3,
    ZOQ_FUNC_ADDRESSMODE_1 = 4,
    ZOQ_FUNC_ADDRESSMODE_2 = 5,
    ZOQ_FUNC_ADDRESSMODE_3 = 6,
    ZOQ_FUNC_ADDRESSMODE_4 = 7,
    ZOQ_FUNC_MODEL_FLAG_8 = 8,
    ZOQ_FUNC_MODEL_FLAG_9 = 9,
    ZOQ_FUNC_MODEL_FLAG_10 = 10,
    ZOQ_FUNC_TRIGGERMODE_1 = 11,
    ZOQ_FUNC_TRIGGERMODE_2 = 12,
    ZOQ_FUNC_TRIGGERMODE_3 = 13,
    ZOQ_FUNC_RESERVED_14 = 14,
    ZOQ_FUNC_FIXED_FRAMERATE = 15,
    ZOQ_FUNC_LUT_SWITCH = 16,
    ZOQ_FUNC_TRIGGERMETHOD_0 = 17,
    ZOQ_FUNC_TRIGGERMETHOD_1 = 18,
    ZOQ_FUNC_TRIGGERMETHOD_2 = 19,
    ZOQ_FUNC_TRIGGERMETHOD_3 = 20,
    ZOQ_FUNC_EMPTY_FRAME_BUFFER = 21,
    ZOQ_FUNC_SENSITIVITY_MODE = 22,
    ZOQ_FUNC_16BITS_TRANSFER = 23,
    ZOQ_FUNC_HW_BAD_PIXEL_CORRECTION = 24,
    ZOQ_FUNC_LUT_DOWNLOAD = 25,
    ZOQ_FUNC_WB_PRESETS = 26,
    ZOQ_FUNC_MODEL_NUMBER_27 = 27,
    ZOQ_FUNC_AWB_ONCE = 28,
    ZOQ_FUNC_AWB_CONTINUOUS = 29,
    ZOQ_FUNC_CCM_PRESETS = 30,
    ZOQ_FUNC_MODEL_NUMBER_31 = 31,
    ZOQ_FUNC_GAMMA_LUT_SWITCH = 32,
    ZOQ_FUNC_GAMMA_LUT_DOWNLOAD = 33,
    ZOQ_FUNC_TRIGGER_DELAY = 34,
    ZOQ_FUNC_MULTI_FRAME = 35,
    ZOQ_FUNC_WB_GAINS_WRITABLE = 36,
    ZOQ_FUNC_CCM_WRITABLE = 37,
    ZOQ_FUNC_MODEL_REGS_29_30 = 38,
    ZOQ_FUNC_MODEL_REG_31 = 39,
    ZOQ_FUNC_MODEL_REG_34 = 40,
    ZOQ_FUNC_TRIGGER_STATUS = 41,
    ZOQ_FUNC_MODEL_FLAG_42 = 42,
    ZOQ_FUNC_MODEL_FLAG_43 = 43,
    ZOQ_FUNC_MODEL_FLAG_44 = 44,
    ZOQ_FUNC_MODEL_FLAG_45 = 45,
    ZOQ_FUNC_EEPROM_WORKING_MODE = 46,
    ZOQ_FUNC_EEPROM_SERIALS_DESC = 47,
    ZOQ_FUNC_EEPROM_LUT_INFO = 48,
    ZOQ_FUNC_MODEL_FLAG_49 = 49,
    ZOQ_FUNC_EEPROM_WORKING_MODE_EX = 50,
    ZOQ_FUNC_EEPROM_COLOR_MODE = 51,
    ZOQ_FUNC_EEPROM_MATRICES = 52,
    ZOQ_FUNC_SELECTOR_FLAG = 53,
    ZOQ_FUNC_SELECTOR_NUMBER = 54,
    ZOQ_ENUM_INT_RANGE(ZOQ_FUNCTION)
} ZOQ_FUNCTION;

/* ---- Non-volatile store ---- */

typedef enum ZOQ_EEPROM_TYPE {
    ZOQ_EEPROM_TYPE_16BIT_8K = 0,  /* 16-bit addresses, top 0x1FFF */
    ZOQ_EEPROM_TYPE_24BIT_256K = 1, /* 24-bit addresses, top 0x3FFFF */
    ZOQ_EEPROM_TYPE_16BIT_16K = 2  /* 16-bit addresses, top 0x3FFF */,
    ZOQ_ENUM_INT_RANGE(ZOQ_EEPROM_TYPE)
} ZOQ_EEPROM_TYPE;

/* ---- Image pipeline ---- */

/* Mosaic pattern, output pixel size and row order of an RGB capture. */
typedef enum ZOQ_BAYERMODE {
    ZOQ_BAYER_BGGR_24_BOTTOMUP = 0,
    ZOQ_BAYER_GRBG_24_BOTTOMUP = 1,
    ZOQ_BAYER_RGGB_24_BOTTOMUP = 2,
    ZOQ_BAYER_GBRG_24_BOTTOMUP = 3,
    ZOQ_BAYER_BGGR_24_TOPDOWN = 4,
    ZOQ_BAYER_GRBG_24_TOPDOWN = 5,
    ZOQ_BAYER_RGGB_24_TOPDOWN = 6,
    ZOQ_BAYER_GBRG_24_TOPDOWN = 7,
    ZOQ_BAYER_BGGR_32_BOTTOMUP = 8,
    ZOQ_BAYER_GRBG_32_BOTTOMUP = 9,
    ZOQ_BAYER_RGGB_32_BOTTOMUP = 10,
    ZOQ_BAYER_GBRG_32_BOTTOMUP = 11,
    ZOQ_BAYER_BGGR_32_TOPDOWN = 12,
    ZOQ_BAYER_GRBG_32_TOPDOWN = 13,
    ZOQ_BAYER_RGGB_32_TOPDOWN = 14,
    ZOQ_BAYER_GBRG_32_TOPDOWN = 15,
    ZOQ_BAYER_BGGR_GRAY_BOTTOMUP = 16,
    ZOQ_BAYER_GRBG_GRAY_BOTTOMUP = 17,
    ZOQ_BAYER_RGGB_GRAY_BOTTOMUP = 18,
    ZOQ_BAYER_GBRG_GRAY_BOTTOMUP = 19,
    ZOQ_BAYER_BGGR_GRAY_TOPDOWN = 20,
    ZOQ_BAYER_GRBG_GRAY_TOPDOWN = 21,
    ZOQ_BAYER_RGGB_GRAY_TOPDOWN = 22,
    ZOQ_BAYER_GBRG_GRAY_TOPDOWN = 23,
    ZOQ_ENUM_INT_RANGE(ZOQ_BAYERMODE)
} ZOQ_BAYERMODE;

/* Demosaic algorithm. */
typedef enum ZOQ_FILTERMODE {
    ZOQ_FILTER_NEAREST_NEIGHBOR = 0,
    ZOQ_FILTER_BILINEAR = 1,
    ZOQ_FILTER_SMOOTH_HUE = 2,
    ZOQ_FILTER_EDGE_SENSING = 3,
    ZOQ_FILTER_LAPLACIAN = 4,
    ZOQ_FILTER_FAST_BILINEAR = 5,
    ZOQ_ENUM_INT_RANGE(ZOQ_FILTERMODE)
} ZOQ_FILTERMODE;

/* White balance: who does the work and where the gains come from. */
typedef enum ZOQ_WB_MODE {
    ZOQ_WB_OFF = 0,
    ZOQ_WB_SOFT_PRESET = 1,
    ZOQ_WB_SOFT_AUTO_ONCE = 2,
    ZOQ_WB_SOFT_AUTO_CONTINUOUS = 3,
    ZOQ_WB_SOFT_MANUAL = 4,
    ZOQ_WB_HW_PRESET = 5,
    ZOQ_WB_HW_AUTO_ONCE = 6,
    ZOQ_WB_HW_AUTO_CONTINUOUS = 7,
    ZOQ_WB_HW_MANUAL = 8,
    ZOQ_ENUM_INT_RANGE(ZOQ_WB_MODE)
} ZOQ_WB_MODE;

/* Colour correction: who applies the matrix and where it comes from. */
typedef enum ZOQ_CCM_MODE {
    ZOQ_CCM_OFF = 0,
    ZOQ_CCM_SOFT_PRESET = 1,
    ZOQ_CCM_SOFT_MANUAL = 2,
    ZOQ_CCM_HW_PRESET = 3,
    ZOQ_CCM_HW_MANUAL = 4,
    ZOQ_ENUM_INT_RANGE(ZOQ_CCM_MODE)
} ZOQ_CCM_MODE;

/* Index into the camera model's preset tables. */
typedef enum ZOQ_COLOR_TEMPRATURE {
    ZOQ_COLOR_TEMPRATURE_0 = 0,
    ZOQ_COLOR_TEMPRATURE_1 = 1,
    ZOQ_COLOR_TEMPRATURE_2 = 2,
    ZOQ_COLOR_TEMPRATURE_3 = 3,
    ZOQ_COLOR_TEMPRATURE_4 = 4,
    ZOQ_COLOR_TEMPRATURE_5 = 5,
    ZOQ_COLOR_TEMPRATURE_6 = 6,
    ZOQ_COLOR_TEMPRATURE_7 = 7,
    ZOQ_ENUM_INT_RANGE(ZOQ_COLOR_TEMPRATURE)
} ZOQ_COLOR_TEMPRATURE;

/* Hue sectors of the hue/saturation/lightness adjustment; 0 acts on all. */
typedef enum ZOQHueRange {
    ZOQ_HUE_MASTER = 0,
    ZOQ_HUE_RED = 1,     /* [0, 30) and [330, 360] degrees */
    ZOQ_HUE_YELLOW = 2,  /* [30, 90) */
    ZOQ_HUE_GREEN = 3,   /* [90, 150) */
    ZOQ_HUE_CYAN = 4,    /* [150, 210) */
    ZOQ_HUE_BLUE = 5,    /* [210, 270) */
    ZOQ_HUE_MAGENTA = 6  /* [270, 330) */,
    ZOQ_ENUM_INT_RANGE(ZOQHueRange)
} ZOQHueRange;

/* Result of one auto-exposure evaluation. */
typedef enum ZOQ_AE_STATUS {
    ZOQ_AE_CONVERGED = 0,
    ZOQ_AE_MAX_COUNT = 1,
    ZOQ_AE_OSCILLATION = 2,
    ZOQ_AE_LIMIT = 3,
    ZOQ_AE_CHANGED = 4,
    ZOQ_AE_CONTINUOUS_CONVERGED = 5,
    ZOQ_AE_CONTINUOUS_OSCILLATION = 6,
    ZOQ_AE_CONTINUOUS_LIMIT = 7,
    ZOQ_ENUM_INT_RANGE(ZOQ_AE_STATUS)
} ZOQ_AE_STATUS;

/* Bad pixel threshold level. */
typedef enum ZOQ_THRESHOLD {
    ZOQ_THRESHOLD_LOW = 0,
    ZOQ_THRESHOLD_HIGH = 1,
    ZOQ_ENUM_INT_RANGE(ZOQ_THRESHOLD)
} ZOQ_THRESHOLD;

/* Sampling of the calibration map remap. */
typedef enum ZOQ_MAPMODE {
    ZOQ_MAPMODE_NEAREST = 0,
    ZOQ_MAPMODE_BILINEAR = 1,
    ZOQ_ENUM_INT_RANGE(ZOQ_MAPMODE)
} ZOQ_MAPMODE;

/* Preview (not available on this platform; every preview call answers
 * RC_NOT_SUPPORTED). */
typedef enum ZOQ_PREVIEWMODE {
    ZOQ_PREVIEWMODE_NORMAL = 0,
    ZOQ_PREVIEWMODE_FULL = 1,
    ZOQ_ENUM_INT_RANGE(ZOQ_PREVIEWMODE)
} ZOQ_PREVIEWMODE;

typedef enum ZOQ_PREVIEWSTATUS {
    ZOQ_PREVIEWSTATUS_STOPPED = 0,
    ZOQ_PREVIEWSTATUS_RUNNING = 1,
    ZOQ_PREVIEWSTATUS_PAUSED = 2,
    ZOQ_ENUM_INT_RANGE(ZOQ_PREVIEWSTATUS)
} ZOQ_PREVIEWSTATUS;

/* ---- Callbacks (called on the capturing thread, inside the capture) ---- */

/* White balance gains red, green, blue. */
typedef void (*ZOQ_WB_CALLBACK)(float* gains, void* context);
typedef void (*ZOQ_WB_CALLBACK_EX)(float red, float green, float blue, void* context);
/* Auto exposure: done is true when converged; exposure time in ms. */
typedef void (*ZOQ_AE_CALLBACK)(bool done, int exposureTime, void* context);
typedef void (*ZOQ_AE_CALLBACK_EX)(ZOQ_AE_STATUS status, int exposureTime, void* context);
/* Auto focus: sharpness figure of the focus region. */
typedef void (*ZOQ_AF_CALLBACK)(int value, void* context);
/* Preview frame (never called on this platform). */
typedef void (*ZOQ_PREVIEW_CALLBACK)(unsigned char* image, int width, int height, int bitCount,
                                     void* context);

#endif
