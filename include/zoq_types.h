/** @file zoq_types.h
 * @brief Enumerations, records and callback types that cross the ZOQ API.
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

/** Every enumeration below spans the whole signed 32-bit range, so any value
 * a caller passes (the library checks ranges itself) is a valid value of the
 * type in C and C++. */
#define ZOQ_ENUM_INT_RANGE(prefix) \
    prefix##_INT_MIN = (-0x7FFFFFFF - 1), prefix##_INT_MAX = 0x7FFFFFFF

/* ---- Control request record (one USB setup packet, 8 bytes) ---- */

/** One USB control request (setup packet, 8 bytes) for ZOQ_VendorCmd(). */
typedef struct _tagUSBCmd {
    unsigned char bmRequestType; /**< 0xC0 device-to-host, 0x40 host-to-device */
    unsigned char bRequest;      /**< vendor request number */
    unsigned short wValue;       /**< request value */
    unsigned short wIndex;       /**< request index */
    unsigned short wLength;      /**< bytes in the data stage */
} __attribute__((packed)) _tagUSBCmd;

/* ---- Geometry ---- */

/** Address mode of a field of view: which pixels of the window are read. */
typedef enum ZOQ_ADDRESSMODE {
    ZOQ_ADDRESSMODE_NORMAL = 0, /**< every pixel */
    ZOQ_ADDRESSMODE_STEP2 = 1,  /**< every 2nd pixel */
    ZOQ_ADDRESSMODE_STEP3 = 2,  /**< every 3rd pixel */
    ZOQ_ADDRESSMODE_STEP4 = 3,  /**< every 4th pixel */
    ZOQ_ADDRESSMODE_STEP8 = 4,  /**< every 8th pixel */
    ZOQ_ENUM_INT_RANGE(ZOQ_ADDRESSMODE)
} ZOQ_ADDRESSMODE;

/** Pixel step of each #ZOQ_ADDRESSMODE value: 1, 2, 3, 4, 8. Exported by
 * libzoqapi and by every camera plug-in (same values). */
#ifdef __cplusplus
extern "C" ZOQ_EXPORT const int g_SkipTable[5];
#else
extern ZOQ_EXPORT const int g_SkipTable[5];
#endif

/** Which field of view: the capture one or the (stored only) preview one. */
typedef enum ZOQ_FOV_MODE {
    ZOQ_FOV_MODE_CAPTURE = 0, /**< the capture field of view */
    ZOQ_FOV_MODE_PREVIEW = 1, /**< the preview field of view */
    ZOQ_ENUM_INT_RANGE(ZOQ_FOV_MODE)
} ZOQ_FOV_MODE;

/** One field of view: the sensor window and the image geometry derived from it. Eleven 32-bit
 * slots; multiFrameNum uses the low half of its slot. */
typedef struct ZOQ_FOV_INFO {
    int columnStart;                   /**< first sensor column of the window */
    int columnSize;                    /**< columns of the window on the sensor */
    int rowStart;                      /**< first sensor row */
    int rowSize;                       /**< rows of the window on the sensor */
    ZOQ_ADDRESSMODE columnAddressMode; /**< address mode across */
    ZOQ_ADDRESSMODE rowAddressMode;    /**< address mode down */
    unsigned short multiFrameNum;      /**< frames stacked into one capture */
    unsigned short reserved;           /**< keeps the record free of padding */
    int width;                         /**< columnSize / step(columnAddressMode) */
    int height;                        /**< rowSize / step(rowAddressMode) * multiFrameNum */
    int pixelCount;                    /**< width * height */
    int byteCount;                     /**< pixelCount, doubled with 16-bit transfer */
} ZOQ_FOV_INFO;

/* ---- Trigger, exposure and sensor settings ---- */

/** How frames are started (ZOQ_TriggerModeSet()). The camera model decides what the two external
 * modes do; each needs its capability (#ZOQ_FUNC_TRIGGERMODE_1 to #ZOQ_FUNC_TRIGGERMODE_3). */
typedef enum ZOQ_TRIGGERMODE {
    ZOQ_TRIGGERMODE_FREERUN = 0, /**< each capture call triggers its own frame */
    ZOQ_TRIGGERMODE_1 = 1,       /**< external trigger mode 1 */
    ZOQ_TRIGGERMODE_2 = 2,       /**< external trigger mode 2 */
    ZOQ_TRIGGERMODE_FIXED_FRAMERATE =
        3, /**< the camera runs at a fixed frame rate (ZOQ_SetFixedFrameRateEx()) */
    ZOQ_ENUM_INT_RANGE(ZOQ_TRIGGERMODE)
} ZOQ_TRIGGERMODE;

/** Method of the external trigger: a two-bit field of the camera's control register whose meaning
 * the camera model defines; each value needs its capability (#ZOQ_FUNC_TRIGGERMETHOD_0 to
 * #ZOQ_FUNC_TRIGGERMETHOD_3). */
typedef enum ZOQ_TRIGGERMETHOD {
    ZOQ_TRIGGERMETHOD_0 = 0, /**< method 0 */
    ZOQ_TRIGGERMETHOD_1 = 1, /**< method 1 */
    ZOQ_TRIGGERMETHOD_2 = 2, /**< method 2 */
    ZOQ_TRIGGERMETHOD_3 = 3, /**< method 3 */
    ZOQ_ENUM_INT_RANGE(ZOQ_TRIGGERMETHOD)
} ZOQ_TRIGGERMETHOD;

/** Trigger status reported by the camera. */
typedef enum ZOQ_TRIGGERSTATUS {
    ZOQ_TRIGGERSTATUS_IDLE = 0,   /**< no trigger pending */
    ZOQ_TRIGGERSTATUS_ACTIVE = 1, /**< a trigger is pending */
    ZOQ_ENUM_INT_RANGE(ZOQ_TRIGGERSTATUS)
} ZOQ_TRIGGERSTATUS;

/** Sensitivity mode: a three-bit field of the camera's control register whose meaning the camera
 * model defines (#ZOQ_FUNC_SENSITIVITY_MODE). */
typedef enum ZOQ_SENSITIVITYMODE {
    ZOQ_SENSITIVITYMODE_0 = 0, /**< sensitivity mode 0 */
    ZOQ_SENSITIVITYMODE_1,     /**< sensitivity mode 1 */
    ZOQ_SENSITIVITYMODE_2,     /**< sensitivity mode 2 */
    ZOQ_SENSITIVITYMODE_3,     /**< sensitivity mode 3 */
    ZOQ_SENSITIVITYMODE_4,     /**< sensitivity mode 4 */
    ZOQ_SENSITIVITYMODE_5,     /**< sensitivity mode 5 */
    ZOQ_SENSITIVITYMODE_6,     /**< sensitivity mode 6 */
    ZOQ_SENSITIVITYMODE_7,     /**< sensitivity mode 7 */
    ZOQ_ENUM_INT_RANGE(ZOQ_SENSITIVITYMODE)
} ZOQ_SENSITIVITYMODE;

/* ---- Generic parameters and capability query ---- */

/** Numbered parameters of ZOQ_SetParam(), ZOQ_GetParam() and ZOQ_GetParamRange(); other numbers
 * answer #RC_NOT_SUPPORTED. */
typedef enum ZOQ_PARAM {
    ZOQ_PARAM_EXPOSURE_TIME = 0,   /**< exposure time, whole milliseconds */
    ZOQ_PARAM_GAIN_R = 1,          /**< red gain, sensor gain index */
    ZOQ_PARAM_GAIN_G = 2,          /**< green gain, sensor gain index */
    ZOQ_PARAM_GAIN_B = 3,          /**< blue gain, sensor gain index */
    ZOQ_PARAM_FLIP = 11,           /**< flip: 0 off, other values on */
    ZOQ_PARAM_MIRROR = 13,         /**< mirror: 0 off, other values on */
    ZOQ_PARAM_EXPOSURE_LINES = 23, /**< exposure time in sensor lines */
    ZOQ_ENUM_INT_RANGE(ZOQ_PARAM)
} ZOQ_PARAM;

/** Capability query numbers of ZOQ_QueryFunction(); each reports one field of the camera model's
 * capability record: 0 or 1 for a flag, a small number for the others. */
typedef enum ZOQ_FUNCTION {
    ZOQ_FUNC_MONOCHROME = 0,          /**< 1 for a monochrome sensor, 0 for colour */
    ZOQ_FUNC_LUT_INPUT_BITS = 1,      /**< look-up table input bits n (tables of 2^n entries) */
    ZOQ_FUNC_MIRROR = 2,              /**< the sensor mirrors */
    ZOQ_FUNC_FLIP = 3,                /**< the sensor flips */
    ZOQ_FUNC_ADDRESSMODE_1 = 4,       /**< address mode 1 (step 2) allowed */
    ZOQ_FUNC_ADDRESSMODE_2 = 5,       /**< address mode 2 (step 3) allowed */
    ZOQ_FUNC_ADDRESSMODE_3 = 6,       /**< address mode 3 (step 4) allowed */
    ZOQ_FUNC_ADDRESSMODE_4 = 7,       /**< address mode 4 (step 8) allowed */
    ZOQ_FUNC_MODEL_FLAG_8 = 8,        /**< a model flag the library does not interpret */
    ZOQ_FUNC_MODEL_FLAG_9 = 9,        /**< a model flag the library does not interpret */
    ZOQ_FUNC_MODEL_FLAG_10 = 10,      /**< a model flag the library does not interpret */
    ZOQ_FUNC_TRIGGERMODE_1 = 11,      /**< trigger mode 1 allowed */
    ZOQ_FUNC_TRIGGERMODE_2 = 12,      /**< trigger mode 2 allowed */
    ZOQ_FUNC_TRIGGERMODE_3 = 13,      /**< trigger mode 3 (fixed frame rate) allowed */
    ZOQ_FUNC_RESERVED_14 = 14,        /**< always 0 */
    ZOQ_FUNC_FIXED_FRAMERATE = 15,    /**< the fixed frame rate can be set */
    ZOQ_FUNC_LUT_SWITCH = 16,         /**< look-up table switch */
    ZOQ_FUNC_TRIGGERMETHOD_0 = 17,    /**< trigger method 0 allowed */
    ZOQ_FUNC_TRIGGERMETHOD_1 = 18,    /**< trigger method 1 allowed */
    ZOQ_FUNC_TRIGGERMETHOD_2 = 19,    /**< trigger method 2 allowed */
    ZOQ_FUNC_TRIGGERMETHOD_3 = 20,    /**< trigger method 3 allowed */
    ZOQ_FUNC_EMPTY_FRAME_BUFFER = 21, /**< the frame buffer can be emptied */
    ZOQ_FUNC_SENSITIVITY_MODE = 22,   /**< sensitivity mode */
    ZOQ_FUNC_16BITS_TRANSFER = 23,    /**< 16-bit transfer */
    ZOQ_FUNC_HW_BAD_PIXEL_CORRECTION = 24, /**< the camera corrects bad pixels itself */
    ZOQ_FUNC_LUT_DOWNLOAD = 25,            /**< look-up table download */
    ZOQ_FUNC_WB_PRESETS = 26,              /**< white-balance colour temperature presets */
    ZOQ_FUNC_MODEL_NUMBER_27 = 27,         /**< a model number the library does not interpret */
    ZOQ_FUNC_AWB_ONCE = 28,                /**< the camera balances once */
    ZOQ_FUNC_AWB_CONTINUOUS = 29,          /**< the camera balances continuously */
    ZOQ_FUNC_CCM_PRESETS = 30,             /**< colour-correction presets */
    ZOQ_FUNC_MODEL_NUMBER_31 = 31,         /**< a model number the library does not interpret */
    ZOQ_FUNC_GAMMA_LUT_SWITCH = 32,        /**< gamma table switch */
    ZOQ_FUNC_GAMMA_LUT_DOWNLOAD = 33,      /**< gamma table download */
    ZOQ_FUNC_TRIGGER_DELAY = 34,           /**< trigger delay */
    ZOQ_FUNC_MULTI_FRAME = 35,             /**< several frames per capture */
    ZOQ_FUNC_WB_GAINS_WRITABLE = 36,       /**< white-balance gains can be written to the camera */
    ZOQ_FUNC_CCM_WRITABLE = 37, /**< the colour-correction matrix can be written to the camera */
    ZOQ_FUNC_MODEL_REGS_29_30 = 38,       /**< model registers 29-30 present */
    ZOQ_FUNC_MODEL_REG_31 = 39,           /**< model register 31 present */
    ZOQ_FUNC_MODEL_REG_34 = 40,           /**< model register 34 present */
    ZOQ_FUNC_TRIGGER_STATUS = 41,         /**< trigger status readable */
    ZOQ_FUNC_MODEL_FLAG_42 = 42,          /**< a model flag the library does not interpret */
    ZOQ_FUNC_MODEL_FLAG_43 = 43,          /**< a model flag the library does not interpret */
    ZOQ_FUNC_MODEL_FLAG_44 = 44,          /**< a model flag the library does not interpret */
    ZOQ_FUNC_MODEL_FLAG_45 = 45,          /**< a model flag the library does not interpret */
    ZOQ_FUNC_EEPROM_WORKING_MODE = 46,    /**< the EEPROM holds the working mode */
    ZOQ_FUNC_EEPROM_SERIALS_DESC = 47,    /**< the EEPROM holds the serial description */
    ZOQ_FUNC_EEPROM_LUT_INFO = 48,        /**< the EEPROM holds the look-up table information */
    ZOQ_FUNC_MODEL_FLAG_49 = 49,          /**< a model flag the library does not interpret */
    ZOQ_FUNC_EEPROM_WORKING_MODE_EX = 50, /**< the EEPROM holds the extended working mode */
    ZOQ_FUNC_EEPROM_COLOR_MODE = 51,      /**< the EEPROM holds the colour mode */
    ZOQ_FUNC_EEPROM_MATRICES =
        52, /**< the EEPROM holds white-balance gains and a colour-correction matrix */
    ZOQ_FUNC_SELECTOR_FLAG = 53,   /**< a flag derived from the model's selector bits */
    ZOQ_FUNC_SELECTOR_NUMBER = 54, /**< a number 0-8 derived from the model's selector bits */
    ZOQ_ENUM_INT_RANGE(ZOQ_FUNCTION)
} ZOQ_FUNCTION;

/* ---- Non-volatile store ---- */

/** EEPROM of the camera: its addressing and size. */
typedef enum ZOQ_EEPROM_TYPE {
    ZOQ_EEPROM_TYPE_16BIT_8K = 0,   /**< 16-bit addresses, top 0x1FFF */
    ZOQ_EEPROM_TYPE_24BIT_256K = 1, /**< 24-bit addresses, top 0x3FFFF */
    ZOQ_EEPROM_TYPE_16BIT_16K = 2,  /**< 16-bit addresses, top 0x3FFF */
    ZOQ_ENUM_INT_RANGE(ZOQ_EEPROM_TYPE)
} ZOQ_EEPROM_TYPE;

/* ---- Image pipeline ---- */

/** Mosaic pattern, output pixel and row order of an RGB capture (ZOQ_BayerSetMode()).
 *
 * The pattern (the low two bits: 0 BGGR, 1 GRBG, 2 RGGB, 3 GBRG) names the
 * colours of the top-left 2 x 2 block of the raw frame; use the camera's own
 * (ZOQ_BayerGetDefaultMode()). The output is, for width x height pixels with
 * no row padding:
 * - 0-7: 24 bits a pixel, bytes B, G, R;
 * - 8-15: 32 bits a pixel, bytes B, G, R and a fourth byte;
 * - 16-23: 8 bits a pixel, gray (the pattern does not matter).
 *
 * Rows run bottom-up (the last image row first, as BMP files and the file
 * helpers take them) in the BOTTOMUP modes and top-down in the TOPDOWN ones,
 * which suit image libraries such as OpenCV. With 16-bit transfer every
 * byte becomes an unsigned 16-bit word. */
typedef enum ZOQ_BAYERMODE {
    ZOQ_BAYER_BGGR_24_BOTTOMUP = 0, /**< BGGR mosaic, 24-bit B, G, R, bottom row first */
    ZOQ_BAYER_GRBG_24_BOTTOMUP = 1, /**< GRBG mosaic, 24-bit B, G, R, bottom row first */
    ZOQ_BAYER_RGGB_24_BOTTOMUP = 2, /**< RGGB mosaic, 24-bit B, G, R, bottom row first */
    ZOQ_BAYER_GBRG_24_BOTTOMUP = 3, /**< GBRG mosaic, 24-bit B, G, R, bottom row first */
    ZOQ_BAYER_BGGR_24_TOPDOWN = 4,  /**< BGGR mosaic, 24-bit B, G, R, top row first */
    ZOQ_BAYER_GRBG_24_TOPDOWN = 5,  /**< GRBG mosaic, 24-bit B, G, R, top row first */
    ZOQ_BAYER_RGGB_24_TOPDOWN = 6,  /**< RGGB mosaic, 24-bit B, G, R, top row first */
    ZOQ_BAYER_GBRG_24_TOPDOWN = 7,  /**< GBRG mosaic, 24-bit B, G, R, top row first */
    ZOQ_BAYER_BGGR_32_BOTTOMUP =
        8, /**< BGGR mosaic, 32-bit B, G, R, fourth byte, bottom row first */
    ZOQ_BAYER_GRBG_32_BOTTOMUP =
        9, /**< GRBG mosaic, 32-bit B, G, R, fourth byte, bottom row first */
    ZOQ_BAYER_RGGB_32_BOTTOMUP =
        10, /**< RGGB mosaic, 32-bit B, G, R, fourth byte, bottom row first */
    ZOQ_BAYER_GBRG_32_BOTTOMUP =
        11, /**< GBRG mosaic, 32-bit B, G, R, fourth byte, bottom row first */
    ZOQ_BAYER_BGGR_32_TOPDOWN = 12, /**< BGGR mosaic, 32-bit B, G, R, fourth byte, top row first */
    ZOQ_BAYER_GRBG_32_TOPDOWN = 13, /**< GRBG mosaic, 32-bit B, G, R, fourth byte, top row first */
    ZOQ_BAYER_RGGB_32_TOPDOWN = 14, /**< RGGB mosaic, 32-bit B, G, R, fourth byte, top row first */
    ZOQ_BAYER_GBRG_32_TOPDOWN = 15, /**< GBRG mosaic, 32-bit B, G, R, fourth byte, top row first */
    ZOQ_BAYER_BGGR_GRAY_BOTTOMUP = 16, /**< 8-bit gray, bottom row first */
    ZOQ_BAYER_GRBG_GRAY_BOTTOMUP = 17, /**< 8-bit gray, bottom row first */
    ZOQ_BAYER_RGGB_GRAY_BOTTOMUP = 18, /**< 8-bit gray, bottom row first */
    ZOQ_BAYER_GBRG_GRAY_BOTTOMUP = 19, /**< 8-bit gray, bottom row first */
    ZOQ_BAYER_BGGR_GRAY_TOPDOWN = 20,  /**< 8-bit gray, top row first */
    ZOQ_BAYER_GRBG_GRAY_TOPDOWN = 21,  /**< 8-bit gray, top row first */
    ZOQ_BAYER_RGGB_GRAY_TOPDOWN = 22,  /**< 8-bit gray, top row first */
    ZOQ_BAYER_GBRG_GRAY_TOPDOWN = 23,  /**< 8-bit gray, top row first */
    ZOQ_ENUM_INT_RANGE(ZOQ_BAYERMODE)
} ZOQ_BAYERMODE;

/** Demosaic algorithm of RGB captures (ZOQ_FilterSetMode()). */
typedef enum ZOQ_FILTERMODE {
    ZOQ_FILTER_NEAREST_NEIGHBOR = 0, /**< nearest neighbour */
    ZOQ_FILTER_BILINEAR = 1,         /**< bilinear */
    ZOQ_FILTER_SMOOTH_HUE = 2,       /**< smooth hue transition */
    ZOQ_FILTER_EDGE_SENSING = 3,     /**< edge sensing */
    ZOQ_FILTER_LAPLACIAN = 4,        /**< gradient-directed with Laplacian correction */
    ZOQ_FILTER_FAST_BILINEAR = 5,    /**< fast bilinear (the default) */
    ZOQ_ENUM_INT_RANGE(ZOQ_FILTERMODE)
} ZOQ_FILTERMODE;

/** White balance (ZOQ_WhiteBalanceSet()): who does the work and where the gains come from. Software
 * modes act on 24- and 32-bit RGB captures; camera modes need the camera's capabilities. */
typedef enum ZOQ_WB_MODE {
    ZOQ_WB_OFF = 0,         /**< no white balance */
    ZOQ_WB_SOFT_PRESET = 1, /**< software, gains of the preset (ZOQ_WhiteBalancePresettingSet()) */
    ZOQ_WB_SOFT_AUTO_ONCE = 2,       /**< software, measured on the next RGB capture */
    ZOQ_WB_SOFT_AUTO_CONTINUOUS = 3, /**< software, measured on every RGB capture */
    ZOQ_WB_SOFT_MANUAL = 4,  /**< software, the application's gains (ZOQ_WhiteBalanceMatrixSet()) */
    ZOQ_WB_HW_PRESET = 5,    /**< camera, preset */
    ZOQ_WB_HW_AUTO_ONCE = 6, /**< camera, measured once */
    ZOQ_WB_HW_AUTO_CONTINUOUS = 7, /**< camera, measured continuously */
    ZOQ_WB_HW_MANUAL = 8,          /**< camera, the application's gains */
    ZOQ_ENUM_INT_RANGE(ZOQ_WB_MODE)
} ZOQ_WB_MODE;

/** Colour correction (ZOQ_ColorCorrectionSet()): who applies the matrix and where it comes from. */
typedef enum ZOQ_CCM_MODE {
    ZOQ_CCM_OFF = 0,         /**< no colour correction */
    ZOQ_CCM_SOFT_PRESET = 1, /**< software, matrix of the preset */
    ZOQ_CCM_SOFT_MANUAL = 2, /**< software, the application's matrix */
    ZOQ_CCM_HW_PRESET = 3,   /**< camera, preset */
    ZOQ_CCM_HW_MANUAL = 4,   /**< camera, the application's matrix */
    ZOQ_ENUM_INT_RANGE(ZOQ_CCM_MODE)
} ZOQ_CCM_MODE;

/** Index into the camera model's preset tables of white-balance gains and colour-correction
 * matrices; how many presets there are and which colour temperature each stands for is the model's.
 */
typedef enum ZOQ_COLOR_TEMPRATURE {
    ZOQ_COLOR_TEMPRATURE_0 = 0, /**< preset 0 */
    ZOQ_COLOR_TEMPRATURE_1 = 1, /**< preset 1 */
    ZOQ_COLOR_TEMPRATURE_2 = 2, /**< preset 2 */
    ZOQ_COLOR_TEMPRATURE_3 = 3, /**< preset 3 */
    ZOQ_COLOR_TEMPRATURE_4 = 4, /**< preset 4 */
    ZOQ_COLOR_TEMPRATURE_5 = 5, /**< preset 5 */
    ZOQ_COLOR_TEMPRATURE_6 = 6, /**< preset 6 */
    ZOQ_COLOR_TEMPRATURE_7 = 7, /**< preset 7 */
    ZOQ_ENUM_INT_RANGE(ZOQ_COLOR_TEMPRATURE)
} ZOQ_COLOR_TEMPRATURE;

/** Hue sectors of the hue/saturation/lightness adjustment (ZOQ_HueSaturationSet()); each sector is
 * 60 degrees wide. */
typedef enum ZOQHueRange {
    ZOQ_HUE_MASTER = 0,  /**< every colour */
    ZOQ_HUE_RED = 1,     /**< [0, 30) and [330, 360] degrees */
    ZOQ_HUE_YELLOW = 2,  /**< [30, 90) */
    ZOQ_HUE_GREEN = 3,   /**< [90, 150) */
    ZOQ_HUE_CYAN = 4,    /**< [150, 210) */
    ZOQ_HUE_BLUE = 5,    /**< [210, 270) */
    ZOQ_HUE_MAGENTA = 6, /**< [270, 330) */
    ZOQ_ENUM_INT_RANGE(ZOQHueRange)
} ZOQHueRange;

/** Result of one auto-exposure evaluation, passed to #ZOQ_AE_CALLBACK_EX. */
typedef enum ZOQ_AE_STATUS {
    ZOQ_AE_CONVERGED = 0,              /**< level within 10 of the target; the run stops */
    ZOQ_AE_MAX_COUNT = 1,              /**< maximum count of changes reached; the run stops */
    ZOQ_AE_OSCILLATION = 2,            /**< the exposure went back and forth; the run stops */
    ZOQ_AE_LIMIT = 3,                  /**< the exposure cannot move further; the run stops */
    ZOQ_AE_CHANGED = 4,                /**< the exposure was changed; running */
    ZOQ_AE_CONTINUOUS_CONVERGED = 5,   /**< continuous run: level within tolerance */
    ZOQ_AE_CONTINUOUS_OSCILLATION = 6, /**< continuous run: oscillation */
    ZOQ_AE_CONTINUOUS_LIMIT = 7,       /**< continuous run: limit reached */
    ZOQ_ENUM_INT_RANGE(ZOQ_AE_STATUS)
} ZOQ_AE_STATUS;

/** Bad-pixel correction level (ZOQ_BadPixelCorrectionSet()). */
typedef enum ZOQ_THRESHOLD {
    ZOQ_THRESHOLD_LOW = 0,  /**< low level (resets the software thresholds to 12 and 24) */
    ZOQ_THRESHOLD_HIGH = 1, /**< high level */
    ZOQ_ENUM_INT_RANGE(ZOQ_THRESHOLD)
} ZOQ_THRESHOLD;

/** Sampling of the calibration-map remap. */
typedef enum ZOQ_MAPMODE {
    ZOQ_MAPMODE_NEAREST = 0,  /**< nearest pixel */
    ZOQ_MAPMODE_BILINEAR = 1, /**< bilinear */
    ZOQ_ENUM_INT_RANGE(ZOQ_MAPMODE)
} ZOQ_MAPMODE;

/** Preview mode (not available on this platform; every preview call answers #RC_NOT_SUPPORTED). */
typedef enum ZOQ_PREVIEWMODE {
    ZOQ_PREVIEWMODE_NORMAL = 0, /**< normal */
    ZOQ_PREVIEWMODE_FULL = 1,   /**< full */
    ZOQ_ENUM_INT_RANGE(ZOQ_PREVIEWMODE)
} ZOQ_PREVIEWMODE;

/** Preview status (not available on this platform). */
typedef enum ZOQ_PREVIEWSTATUS {
    ZOQ_PREVIEWSTATUS_STOPPED = 0, /**< stopped */
    ZOQ_PREVIEWSTATUS_RUNNING = 1, /**< running */
    ZOQ_PREVIEWSTATUS_PAUSED = 2,  /**< paused */
    ZOQ_ENUM_INT_RANGE(ZOQ_PREVIEWSTATUS)
} ZOQ_PREVIEWSTATUS;

/* ---- Callbacks (called on the capturing thread, inside the capture) ---- */

/** White-balance gains red, green, blue (an array of three), called on the capturing thread inside
 * the capture. */
typedef void (*ZOQ_WB_CALLBACK)(float* gains, void* context);
/** White-balance gains as three values, called on the capturing thread inside the capture. */
typedef void (*ZOQ_WB_CALLBACK_EX)(float red, float green, float blue, void* context);
/** Auto exposure: @p done is true when the level converged; exposure time in whole milliseconds. */
typedef void (*ZOQ_AE_CALLBACK)(bool done, int exposureTime, void* context);
/** Auto exposure: the evaluation's status and the exposure time in whole milliseconds. */
typedef void (*ZOQ_AE_CALLBACK_EX)(ZOQ_AE_STATUS status, int exposureTime, void* context);
/** Auto focus: the sharpness figure of the focus region (larger is sharper). */
typedef void (*ZOQ_AF_CALLBACK)(int value, void* context);
/** Preview frame (never called on this platform). */
typedef void (*ZOQ_PREVIEW_CALLBACK)(unsigned char* image, int width, int height, int bitCount,
                                     void* context);

#endif
