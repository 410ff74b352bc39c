/* The FPGA register map as the common layer uses it: register numbers (the
 * write addresses), control-word bits, the cached set with its read and
 * write-back orders, and which capability guards each register. */
#ifndef ZOQCAM_FPGAREGISTERS_H
#define ZOQCAM_FPGAREGISTERS_H

#include "fpga/ZOQCam_Capability.h"

namespace zoqfpga {

enum : unsigned short {
    REG_CONTROL = 0,
    REG_TRIGGER_DELAY = 3,
    REG_MODEL_4 = 4,
    REG_FRAMES = 8,  // frames per capture
    REG_COLOR = 9,
    REG_AWB_GAIN_FIRST = 16,  // 16..18
    REG_CCM_FIRST = 19,       // 19..27
    REG_FRAME_PERIOD = 28,
    REG_SELECTOR = 29,
    REG_GAMMA = 33,
    REG_STATUS = 128,
    REG_VERSION_EX = 241,
};

// Register 0, the control word.
enum : unsigned short {
    CTL_TRIGGER_A = 1u << 0,
    CTL_BAD_PIXEL = 1u << 2,
    CTL_BAD_PIXEL_THRESHOLD = 1u << 3,
    CTL_16BITS = 1u << 4,
    CTL_SENSITIVITY_SHIFT = 5,
    CTL_SENSITIVITY_MASK = 7u << 5,
    CTL_EMPTY_FRAME_BUFFER = 1u << 8,  // acts when written; never cached
    CTL_METHOD_SHIFT = 9,
    CTL_METHOD_MASK = 3u << 9,
    CTL_LUT = 1u << 11,
    CTL_TRIGGER_B = 1u << 12,
    CTL_TRIGGER_MASK = CTL_TRIGGER_A | CTL_TRIGGER_B,
};

// Register 9, the colour control word.
enum : unsigned short {
    COLOR_AWB_ON = 1u << 0,
    COLOR_AWB_MODE_SHIFT = 1,
    COLOR_AWB_MODE_MASK = 3u << 1,
    COLOR_AWB_FIELDS = COLOR_AWB_ON | COLOR_AWB_MODE_MASK,
    COLOR_AWB_PRESET_SHIFT = 3,
    COLOR_LOW_BYTE = 0x00FF,
    COLOR_CCM_ON = 1u << 8,
    COLOR_CCM_MODE_SHIFT = 9,
    COLOR_CCM_MODE_MASK = 3u << 9,
    COLOR_CCM_FIELDS = COLOR_CCM_ON | COLOR_CCM_MODE_MASK,
    COLOR_CCM_PRESET_SHIFT = 11,
    COLOR_HIGH_BYTE = 0xFF00,
};

enum : unsigned short {
    STATUS_TRIGGER_MASK = (1u << 2) | (1u << 3),  // register 128
    GAMMA_LUT_ON = 1u << 0,                       // register 33
};

constexpr float kMatrixScale = 4096.0f;           // gains and coefficients in 1/4096
constexpr unsigned kMaxCaptureBytes = 16777216u;  // 16 MiB per capture
constexpr unsigned short kDefaultFramePeriod = 666;

// The cached registers, in the order in which they are filled at
// construction.
constexpr unsigned short kCachedRegisters[] = {128, 241, 0,  3,  4,  8,  9,  16, 17, 18, 19,
                                               20,  21,  22, 23, 24, 25, 26, 27, 28, 29, 30,
                                               31,  33,  34, 35, 36, 1,  2,  43, 44};
constexpr std::size_t kCachedCount = sizeof(kCachedRegisters) / sizeof(kCachedRegisters[0]);

// The order in which the cache is written back after register 0.
constexpr unsigned short kRecoverOrder[] = {3,  4,  8,  9,  16, 17, 18, 19, 20, 21, 22, 23, 24, 25,
                                            26, 27, 28, 29, 30, 31, 33, 34, 35, 36, 43, 1,  44, 2};

// Capability that guards reading or writing a register range; kNoGuard
// where the register is handled by a rule of its own or not guarded.
constexpr int kNoGuard = -1;
struct RegisterGuard {
    unsigned short first, last;
    int read, write;
};
constexpr RegisterGuard kGuards[] = {
    {4, 4, CAP_REG4, CAP_REG4},
    {8, 8, kNoGuard, CAP_REG8_WRITE},
    {9, 9, CAP_REG9_READ, CAP_REG9_WRITE},
    {16, 18, CAP_REG16_18_READ, CAP_REG16_18_WRITE},
    {19, 27, CAP_REG19_27_READ, CAP_REG19_27_WRITE},
    {28, 28, kNoGuard, CAP_REG28_WRITE},
    {29, 30, CAP_REG29_30, CAP_REG29_30},
    {31, 31, CAP_REG31, CAP_REG31},
    {33, 33, CAP_REG33, CAP_REG33},
    {34, 34, CAP_REG34, CAP_REG34},
    {35, 36, CAP_REG35_36, CAP_REG35_36},
    {128, 128, CAP_REG128_READ, kNoGuard},
    {241, 241, CAP_REG241_READ, kNoGuard},
};

}  // namespace zoqfpga

#endif
