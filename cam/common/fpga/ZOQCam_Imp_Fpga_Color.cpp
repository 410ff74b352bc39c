/* CZOQCam: the FPGA's white balance and colour correction (register 9, the
 * gains 16-18 and the matrix 19-27). */
#include "fpga/ZOQCam_Imp.h"
#include "util/ZOQCam_Convert.h"

using namespace zoqfpga;

namespace {

constexpr unsigned kAwbGainCount = 3;
constexpr unsigned kCcmCount = 9;

// White balance and colour correction modes in register 9.
enum : unsigned short {
    AWB_AUTO_ONCE = 1,
    AWB_CONTINUOUS = 2,
    AWB_MATRIX = 3,
    CCM_PRESET = 0,
    CCM_MATRIX = 3,
};

unsigned short AwbFields(unsigned short mode) {
    return static_cast<unsigned short>(COLOR_AWB_ON | (mode << COLOR_AWB_MODE_SHIFT));
}

unsigned short CcmFields(unsigned short mode) {
    return static_cast<unsigned short>(COLOR_CCM_ON | (mode << COLOR_CCM_MODE_SHIFT));
}

bool StopsRead(int rc) {
    return rc != RC_SUCCESS && rc != RC_NOT_SUPPORTED;
}

}  // namespace

int CZOQCam::WriteMatrixRegisters(unsigned short first, const float* values, unsigned count) {
    for (unsigned i = 0; i < count; ++i) {
        int rc = Fpga_WrRelatedRegValue(static_cast<unsigned short>(first + i),
                                        zoqplugin::TruncToU16(values[i] * kMatrixScale), nullptr);
        if (rc != RC_SUCCESS) return rc;
    }
    return RC_SUCCESS;
}

int CZOQCam::ReadMatrixRegisters(unsigned short first, unsigned count) {
    for (unsigned i = 0; i < count; ++i) {
        unsigned short reg = static_cast<unsigned short>(first + i);
        unsigned short value = 0;
        int rc = Fpga_RdReg(reg, &value);
        if (StopsRead(rc)) return rc;
        // An unreadable register keeps what was last written to it.
        if (rc == RC_SUCCESS) *m_FpgaRegs.Find(reg) = value;
    }
    return RC_SUCCESS;
}

int CZOQCam::Fpga_SetAwbEnable(bool on) {
    if (!Cap(CAP_REG9_WRITE)) return RC_NOT_SUPPORTED;
    return UpdateFpgaBits(REG_COLOR, COLOR_AWB_ON, on ? COLOR_AWB_ON : 0);
}

int CZOQCam::Fpga_GetAwbEnable(bool* on) {
    if (!on) return RC_PARAMETER_ERROR;
    *on = m_FpgaRegs.Get(REG_COLOR) & COLOR_AWB_ON;
    return Cap(CAP_REG9_WRITE) ? RC_SUCCESS : RC_NOT_SUPPORTED;
}

int CZOQCam::Fpga_SetAwbPresetting(ZOQ_COLOR_TEMPRATURE preset) {
    if (!Cap(CAP_REG9_WRITE) || !Cap(CAP_AWB_PRESETS)) return RC_NOT_SUPPORTED;
    // Enable, mode 0 (preset), preset number in bits 3-7.
    unsigned short low =
        static_cast<unsigned short>((static_cast<unsigned>(preset) * 8u + 1u) & COLOR_LOW_BYTE);
    return UpdateFpgaBits(REG_COLOR, COLOR_LOW_BYTE, low);
}

int CZOQCam::Fpga_GetAwbPresetting(ZOQ_COLOR_TEMPRATURE* preset) {
    if (!preset) return RC_PARAMETER_ERROR;
    *preset = static_cast<ZOQ_COLOR_TEMPRATURE>((m_FpgaRegs.Get(REG_COLOR) & COLOR_LOW_BYTE) >>
                                                COLOR_AWB_PRESET_SHIFT);
    return Cap(CAP_AWB_PRESETS) ? RC_SUCCESS : RC_NOT_SUPPORTED;
}

int CZOQCam::Fpga_SetAwbModeAutoOnce() {
    if (!Cap(CAP_REG9_WRITE) || !Cap(CAP_AWB_ONCE)) return RC_NOT_SUPPORTED;
    return UpdateFpgaBits(REG_COLOR, COLOR_AWB_FIELDS, AwbFields(AWB_AUTO_ONCE));
}

int CZOQCam::Fpga_SetAwbModeContinue() {
    if (!Cap(CAP_REG9_WRITE) || !Cap(CAP_AWB_CONTINUOUS)) return RC_NOT_SUPPORTED;
    return UpdateFpgaBits(REG_COLOR, COLOR_AWB_FIELDS, AwbFields(AWB_CONTINUOUS));
}

int CZOQCam::Fpga_SetAwbMatrix(float* gains3) {
    if (!Cap(CAP_REG9_WRITE) || !Cap(CAP_REG16_18_WRITE)) return RC_NOT_SUPPORTED;
    if (!gains3) return RC_PARAMETER_ERROR;
    int rc = UpdateFpgaBits(REG_COLOR, COLOR_AWB_FIELDS, AwbFields(AWB_MATRIX));
    if (rc != RC_SUCCESS) return rc;
    return WriteMatrixRegisters(REG_AWB_GAIN_FIRST, gains3, kAwbGainCount);
}

int CZOQCam::Fpga_GetAwbMatrix(float* gains3) {
    if (!Cap(CAP_REG16_18_WRITE)) return RC_NOT_SUPPORTED;
    if (!gains3) return RC_PARAMETER_ERROR;
    int rc = ReadMatrixRegisters(REG_AWB_GAIN_FIRST, kAwbGainCount);
    if (rc != RC_SUCCESS) return rc;
    for (unsigned i = 0; i < kAwbGainCount; ++i)
        gains3[i] = static_cast<float>(m_FpgaRegs.Get(REG_AWB_GAIN_FIRST + i)) / kMatrixScale;
    return RC_SUCCESS;
}

int CZOQCam::Fpga_GetAwbMode(ZOQ_WB_MODE* mode) {
    if (!mode) return RC_PARAMETER_ERROR;
    unsigned short color = m_FpgaRegs.Get(REG_COLOR);
    unsigned awbMode = (color & COLOR_AWB_MODE_MASK) >> COLOR_AWB_MODE_SHIFT;
    if ((color & COLOR_AWB_ON) && awbMode >= AWB_AUTO_ONCE) {
        // Modes 1, 2, 3 are the hardware once, continuous and manual modes.
        *mode = static_cast<ZOQ_WB_MODE>(ZOQ_WB_HW_AUTO_ONCE + (awbMode - AWB_AUTO_ONCE));
        return RC_SUCCESS;
    }
    *mode = ZOQ_WB_OFF;
    return RC_NOT_SUPPORTED;
}

int CZOQCam::Fpga_SetCcmEnable(bool on) {
    if (!Cap(CAP_REG9_WRITE)) return RC_NOT_SUPPORTED;
    return UpdateFpgaBits(REG_COLOR, COLOR_CCM_ON, on ? COLOR_CCM_ON : 0);
}

int CZOQCam::Fpga_GetCcmEnable(bool* on) {
    if (!on) return RC_PARAMETER_ERROR;
    *on = m_FpgaRegs.Get(REG_COLOR) & COLOR_CCM_ON;
    return Cap(CAP_REG9_WRITE) ? RC_SUCCESS : RC_NOT_SUPPORTED;
}

int CZOQCam::Fpga_SetCcmPresetting(ZOQ_COLOR_TEMPRATURE preset) {
    if (!Cap(CAP_REG9_WRITE) || !Cap(CAP_CCM_PRESETS)) return RC_NOT_SUPPORTED;
    // Enable, mode 0 (preset), preset number in bits 11-15.
    unsigned short high = static_cast<unsigned short>(
        (((static_cast<unsigned>(preset) & 31u) << 3 | 1u) << 8) & COLOR_HIGH_BYTE);
    return UpdateFpgaBits(REG_COLOR, COLOR_HIGH_BYTE, high);
}

int CZOQCam::Fpga_GetCcmPresetting(ZOQ_COLOR_TEMPRATURE* preset) {
    if (!preset) return RC_PARAMETER_ERROR;
    *preset =
        static_cast<ZOQ_COLOR_TEMPRATURE>(m_FpgaRegs.Get(REG_COLOR) >> COLOR_CCM_PRESET_SHIFT);
    return Cap(CAP_CCM_PRESETS) ? RC_SUCCESS : RC_NOT_SUPPORTED;
}

int CZOQCam::Fpga_SetCcmMatrix(float matrix[3][3]) {
    if (!Cap(CAP_REG9_WRITE) || !Cap(CAP_REG19_27_WRITE)) return RC_NOT_SUPPORTED;
    if (!matrix) return RC_PARAMETER_ERROR;
    int rc = UpdateFpgaBits(REG_COLOR, COLOR_CCM_FIELDS, CcmFields(CCM_MATRIX));
    if (rc != RC_SUCCESS) return rc;
    return WriteMatrixRegisters(REG_CCM_FIRST, &matrix[0][0], kCcmCount);
}

int CZOQCam::Fpga_GetCcmMatrix(float matrix[3][3]) {
    if (!Cap(CAP_REG16_18_WRITE)) return RC_NOT_SUPPORTED;
    if (!matrix) return RC_PARAMETER_ERROR;
    int rc = ReadMatrixRegisters(REG_CCM_FIRST, kCcmCount);
    if (rc != RC_SUCCESS) return rc;
    for (unsigned i = 0; i < kCcmCount; ++i) {
        short coefficient = static_cast<short>(m_FpgaRegs.Get(REG_CCM_FIRST + i));
        matrix[i / 3][i % 3] = static_cast<float>(coefficient) / kMatrixScale;
    }
    return RC_SUCCESS;
}

int CZOQCam::Fpga_GetCcmMode(ZOQ_CCM_MODE* mode) {
    if (!mode) return RC_NOT_SUPPORTED;
    unsigned short color = m_FpgaRegs.Get(REG_COLOR);
    unsigned ccmMode = (color & COLOR_CCM_MODE_MASK) >> COLOR_CCM_MODE_SHIFT;
    if (color & COLOR_CCM_ON) {
        if (ccmMode == CCM_PRESET) {
            *mode = ZOQ_CCM_HW_PRESET;
            return RC_SUCCESS;
        }
        if (ccmMode == CCM_MATRIX) {
            *mode = ZOQ_CCM_HW_MANUAL;
            return RC_SUCCESS;
        }
    }
    *mode = ZOQ_CCM_OFF;
    return RC_NOT_SUPPORTED;
}
