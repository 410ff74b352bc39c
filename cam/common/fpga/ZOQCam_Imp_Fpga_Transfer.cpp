/* CZOQCam: frames per capture, 16-bit transfer and the on-board processing
 * switches of the control word. */
#include "fpga/ZOQCam_Imp.h"
#include "ZoqOut.h"

using namespace zoqfpga;

unsigned short zoqplugin::MultiFrameLimit(unsigned int width, unsigned int height, bool is16Bits) {
    unsigned long long bytesPerFrame =
        static_cast<unsigned long long>(width) * height * (is16Bits ? 2u : 1u);
    if (bytesPerFrame == 0) return 0;
    return static_cast<unsigned short>((kMaxCaptureBytes / bytesPerFrame) & 0xFFFFu);
}

int CZOQCam::Fpga_SetMultiFrameNum(unsigned short frames) {
    if (!Cap(CAP_REG8_WRITE)) return RC_NOT_SUPPORTED;
    if (frames == m_FpgaRegs.Get(REG_FRAMES)) return RC_SUCCESS;
    unsigned short limit =
        zoqplugin::MultiFrameLimit(m_uImageWidth, m_uImageHeight, Is16BitsTransfer());
    if (frames > limit) frames = limit;
    if (frames == 0) frames = 1;
    return Fpga_WrRelatedRegValue(REG_FRAMES, frames, nullptr);
}

int CZOQCam::Fpga_GetMultiFrameNum(unsigned short* frames) {
    if (!frames) return RC_PARAMETER_ERROR;
    *frames = static_cast<unsigned short>(FramesPerCapture());
    return RC_SUCCESS;
}

int CZOQCam::Fpga_Set16BitsTransfer(bool on) {
    if (!Cap(CAP_16BITS_TRANSFER)) return RC_NOT_SUPPORTED;
    unsigned long long bytes = static_cast<unsigned long long>(m_uImageWidth) * m_uImageHeight *
                               (on ? 2u : 1u) * FramesPerCapture();
    if (bytes > kMaxCaptureBytes) return RC_NOT_SUPPORTED;
    return UpdateFpgaBits(REG_CONTROL, CTL_16BITS, on ? CTL_16BITS : 0);
}

int CZOQCam::Fpga_Get16BitsTransfer(bool* on) {
    if (!on) return RC_PARAMETER_ERROR;
    *on = Is16BitsTransfer();
    return RC_SUCCESS;
}

int CZOQCam::Fpga_SetLutEnable(bool on) {
    if (!Cap(CAP_LUT_SWITCH)) return RC_NOT_SUPPORTED;
    return UpdateFpgaBits(REG_CONTROL, CTL_LUT, on ? CTL_LUT : 0);
}

int CZOQCam::Fpga_GetLutEnable(bool* on) {
    bool supported = Cap(CAP_LUT_SWITCH);
    zoq::Put(on, supported && (m_FpgaRegs.Get(REG_CONTROL) & CTL_LUT));
    return supported ? RC_SUCCESS : RC_NOT_SUPPORTED;
}

int CZOQCam::Fpga_SetGammaLutEnable(bool on) {
    if (!Cap(CAP_GAMMA_LUT_SWITCH)) return RC_NOT_SUPPORTED;
    return UpdateFpgaBits(REG_GAMMA, GAMMA_LUT_ON, on ? GAMMA_LUT_ON : 0);
}

int CZOQCam::Fpga_GetGammaLutEnable(bool* on) {
    bool supported = Cap(CAP_GAMMA_LUT_SWITCH);
    zoq::Put(on, supported && (m_FpgaRegs.Get(REG_GAMMA) & GAMMA_LUT_ON));
    return supported ? RC_SUCCESS : RC_NOT_SUPPORTED;
}

int CZOQCam::Fpga_SetBadPixelCorrection(bool on, ZOQ_THRESHOLD threshold) {
    if (!Cap(CAP_BAD_PIXEL_CORRECTION)) return RC_NOT_SUPPORTED;
    unsigned short bits = static_cast<unsigned short>(
        (on ? CTL_BAD_PIXEL : 0) | ((threshold & 1) ? CTL_BAD_PIXEL_THRESHOLD : 0));
    return UpdateFpgaBits(REG_CONTROL, CTL_BAD_PIXEL | CTL_BAD_PIXEL_THRESHOLD, bits);
}

int CZOQCam::Fpga_GetBadPixelCorrection(bool* on, ZOQ_THRESHOLD* threshold) {
    if (!Cap(CAP_BAD_PIXEL_CORRECTION)) return RC_NOT_SUPPORTED;
    unsigned short control = m_FpgaRegs.Get(REG_CONTROL);
    zoq::Put(on, control & CTL_BAD_PIXEL);
    zoq::Put(threshold,
                (control & CTL_BAD_PIXEL_THRESHOLD) ? ZOQ_THRESHOLD_HIGH : ZOQ_THRESHOLD_LOW);
    return RC_SUCCESS;
}

int CZOQCam::Fpga_SetSensitivityMode(ZOQ_SENSITIVITYMODE mode) {
    if (!Cap(CAP_SENSITIVITY_MODE)) return RC_NOT_SUPPORTED;
    unsigned short bits = static_cast<unsigned short>((mode & 7) << CTL_SENSITIVITY_SHIFT);
    return UpdateFpgaBits(REG_CONTROL, CTL_SENSITIVITY_MASK, bits);
}

int CZOQCam::Fpga_GetSensitivityMode(ZOQ_SENSITIVITYMODE* mode) {
    bool supported = Cap(CAP_SENSITIVITY_MODE);
    unsigned short control = supported ? m_FpgaRegs.Get(REG_CONTROL) : 0;
    zoq::Put(mode, static_cast<ZOQ_SENSITIVITYMODE>((control & CTL_SENSITIVITY_MASK) >>
                                                       CTL_SENSITIVITY_SHIFT));
    return supported ? RC_SUCCESS : RC_NOT_SUPPORTED;
}
