/* CZOQCam::Cam_QueryFunction: which capability field answers each
 * ZOQ_FUNCTION query. */
#include "fpga/ZOQCam_Imp.h"

namespace {

// Query f (0..52) reports `width` bits of the record from `first`; a width
// of 0 has its own rule below.
struct QueryField {
    unsigned short first;
    unsigned char width;
};

constexpr QueryField kQueryFields[] = {
    {CAP_MONOCHROME, 1},              // 0
    {CAP_LUT_INPUT_BITS, 4},          // 1
    {CAP_MIRROR, 1},                  // 2
    {CAP_FLIP, 1},                    // 3
    {CAP_ADDRESSMODE_1, 1},           // 4
    {CAP_ADDRESSMODE_2, 1},           // 5
    {CAP_ADDRESSMODE_3, 1},           // 6
    {CAP_ADDRESSMODE_4, 1},           // 7
    {CAP_MODEL_FLAG_8, 1},            // 8
    {CAP_MODEL_FLAG_9, 1},            // 9
    {CAP_MODEL_FLAG_10, 1},           // 10
    {CAP_TRIGGER_MODE_1, 1},          // 11
    {CAP_TRIGGER_MODE_2, 1},          // 12
    {CAP_TRIGGER_MODE_3, 1},          // 13
    {0, 0},                           // 14: always 0
    {CAP_REG28_WRITE, 1},             // 15
    {CAP_LUT_SWITCH, 1},              // 16
    {CAP_TRIGGER_METHOD_0, 1},        // 17
    {CAP_TRIGGER_METHOD_1, 1},        // 18
    {CAP_TRIGGER_METHOD_2, 1},        // 19
    {CAP_TRIGGER_METHOD_3, 1},        // 20
    {CAP_EMPTY_FRAME_BUFFER, 1},      // 21
    {CAP_SENSITIVITY_MODE, 1},        // 22
    {CAP_16BITS_TRANSFER, 1},         // 23
    {CAP_BAD_PIXEL_CORRECTION, 1},    // 24
    {CAP_LUT_DOWNLOAD, 1},            // 25
    {CAP_AWB_PRESETS, 1},             // 26
    {CAP_NUMBER_27, 3},               // 27
    {CAP_AWB_ONCE, 1},                // 28
    {CAP_AWB_CONTINUOUS, 1},          // 29
    {CAP_CCM_PRESETS, 1},             // 30
    {CAP_NUMBER_31, 3},               // 31
    {CAP_GAMMA_LUT_SWITCH, 1},        // 32
    {CAP_GAMMA_LUT_DOWNLOAD, 1},      // 33
    {CAP_TRIGGER_DELAY, 1},           // 34
    {CAP_REG8_WRITE, 1},              // 35
    {CAP_REG16_18_WRITE, 1},          // 36
    {CAP_REG19_27_WRITE, 1},          // 37
    {CAP_REG29_30, 1},                // 38
    {CAP_REG31, 1},                   // 39
    {CAP_REG34, 1},                   // 40
    {0, 0},                           // 41: the FPGA version is not 0
    {CAP_MODEL_FLAG_42 + 0, 1},       // 42
    {CAP_MODEL_FLAG_42 + 1, 1},       // 43
    {CAP_MODEL_FLAG_42 + 2, 1},       // 44
    {CAP_MODEL_FLAG_42 + 3, 1},       // 45
    {CAP_EEPROM_WORKING_MODE, 1},     // 46
    {CAP_EEPROM_SERIAL_DESC, 1},      // 47
    {CAP_EEPROM_LUT_INFO, 1},         // 48
    {CAP_MODEL_FLAG_49, 1},           // 49
    {CAP_EEPROM_WORKING_MODE_EX, 1},  // 50
    {CAP_EEPROM_COLOR_MODE, 1},       // 51
    {CAP_EEPROM_MATRICES, 1},         // 52
};
constexpr int kFieldQueries = sizeof(kQueryFields) / sizeof(kQueryFields[0]);
static_assert(kFieldQueries == 53, "queries 0..52 answer from the record");

constexpr int kQueryTriggerStatus = 41;
constexpr int kQuerySelectorFlag = 53;
constexpr int kQuerySelectorNumber = 54;

// Query 54 when byte 4 bit 7 is clear and byte 12 bit 0 is set: the first
// set bit of byte 12 in this order gives the number (one more when byte 13
// bit 0 is clear).
struct SelectorBit {
    unsigned char bit;
    unsigned char value;
};
constexpr SelectorBit kSelectorOrder[] = {{3, 3}, {1, 7}, {2, 1}, {5, 3}, {6, 5}, {7, 0}, {4, 3}};
constexpr int kSelectorWithRegs29_30 = 2;

}  // namespace

int CZOQCam::Cam_QueryFunction(ZOQ_FUNCTION function, int* value) {
    if (!value) return RC_PARAMETER_ERROR;
    int f = function;
    if (f >= 0 && f < kFieldQueries) {
        const QueryField& field = kQueryFields[f];
        if (f == kQueryTriggerStatus)
            *value = m_wFpgaVersion != 0 ? 1 : 0;
        else
            *value = static_cast<int>(m_Capability.Field(field.first, field.width));
        return RC_SUCCESS;
    }
    if (f == kQuerySelectorFlag) {
        bool selected = m_Capability.Field(CAP_QUERY53_SELECTOR, 3) != 0 ||
                        (Cap(CAP_REG29_30) && (m_FpgaRegs.Get(zoqfpga::REG_SELECTOR) & 3u) == 1u);
        *value = selected ? 1 : 0;
        return RC_SUCCESS;
    }
    if (f == kQuerySelectorNumber) {
        *value = 0;
        if (Cap(CAP_REG29_30)) {
            *value = kSelectorWithRegs29_30;
        } else if (Cap(CAP_QUERY54_SELECTOR)) {
            unsigned int byte12 = m_Capability.Field(CAP_QUERY54_SELECTOR, 8);
            int extra = Cap(CAP_QUERY53_SELECTOR) ? 0 : 1;
            for (const SelectorBit& entry : kSelectorOrder) {
                if ((byte12 >> entry.bit) & 1u) {
                    *value = entry.value + extra;
                    break;
                }
            }
        }
        return RC_SUCCESS;
    }
    *value = 0;
    return RC_PARAMETER_ERROR;
}
