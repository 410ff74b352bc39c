/* CZOQCam: FPGA register access, gated by the capability record, and the
 * register cache (fill, write-on-change, write-back). */
#include "fpga/ZOQCam_Imp.h"
#include "ZoqOut.h"

using namespace zoqfpga;

namespace {

const RegisterGuard* FindGuard(unsigned int reg) {
    for (const RegisterGuard& guard : kGuards)
        if (reg >= guard.first && reg <= guard.last) return &guard;
    return nullptr;
}

// -3 is a register the model lacks: not an error while the whole cache is
// read or written back.
bool StopsSequence(int rc) {
    return rc != RC_SUCCESS && rc != RC_NOT_SUPPORTED;
}

// The bus address of a register read: the low 8 bits of the read address.
unsigned int ReadAddress(unsigned int reg) {
    return static_cast<unsigned int>(GET_READ_FPGAREG_ADDRESS(static_cast<unsigned char>(reg))) &
           0xFFu;
}

}  // namespace

int CZOQCam::ReadThroughFpga(unsigned int reg, unsigned short* value) {
    unsigned int raw = 0;
    int rc = m_pDevice->RdFpga(ReadAddress(reg), &raw);
    // A value already placed by the trigger-delay service takes precedence.
    if (*value == 0) {
        *value = static_cast<unsigned short>(raw);
        if (reg == REG_FRAMES && *value == 0) *value = 1;
    }
    return rc;
}

int CZOQCam::Fpga_RdReg(unsigned int reg, unsigned short* value) {
    if (!m_pDevice) return RC_FAIL;
    if (!value) return RC_PARAMETER_ERROR;
    *value = 0;
    if (Cap(CAP_FPGA_UNREADABLE)) return RC_FAIL;
    if ((reg == REG_STATUS && !Cap(CAP_REG128_READ)) ||
        (reg == REG_VERSION_EX && !Cap(CAP_REG241_READ)))
        return RC_NOT_SUPPORTED;

    switch (reg) {
        case REG_CONTROL:
            if (!Cap(CAP_REG0_READ))
                return Cap(CAP_REG0_WORKING_MODE) ? m_pDevice->GetWorkingMode(value)
                                                  : RC_NOT_SUPPORTED;
            break;
        case REG_TRIGGER_DELAY:
            if (!Cap(CAP_REG3_READ) && m_pDevice->GetTriggerDelay(value) != RC_SUCCESS)
                return RC_NOT_SUPPORTED;
            break;
        case REG_FRAMES:
            if (!Cap(CAP_REG8_READ)) {
                *value = 1;
                return RC_NOT_SUPPORTED;
            }
            break;
        case REG_FRAME_PERIOD:
            // A model that cannot read the period back is given the default
            // period, so the cache holds what the FPGA runs with.
            if (!Cap(CAP_REG28_READ)) {
                int rc = Fpga_WrReg(REG_FRAME_PERIOD, kDefaultFramePeriod);
                *value = rc == RC_SUCCESS ? kDefaultFramePeriod : 0;
                return rc;
            }
            break;
        default: {
            const RegisterGuard* guard = FindGuard(reg);
            if (guard && guard->read != kNoGuard && !Cap(static_cast<ZOQ_CAPBIT>(guard->read)))
                return RC_NOT_SUPPORTED;
            break;
        }
    }
    return ReadThroughFpga(reg, value);
}

int CZOQCam::Fpga_WrReg(unsigned int reg, unsigned short value) {
    if (!m_pDevice) return RC_FAIL;
    if (reg == REG_CONTROL)
        return Cap(CAP_REG0_WORKING_MODE) ? m_pDevice->SetWorkingMode(value) : RC_NOT_SUPPORTED;
    if (reg == REG_TRIGGER_DELAY) {
        if (!Cap(CAP_TRIGGER_DELAY) && m_pDevice->SetTriggerDelay(value) != RC_SUCCESS)
            return RC_NOT_SUPPORTED;
    } else {
        const RegisterGuard* guard = FindGuard(reg);
        if (guard && guard->write != kNoGuard && !Cap(static_cast<ZOQ_CAPBIT>(guard->write)))
            return RC_NOT_SUPPORTED;
    }
    return m_pDevice->WrFpga(reg, value);
}

int CZOQCam::Fpga_GetVersion(unsigned short* version) {
    if (!version) return RC_SUCCESS;
    if (!m_pDevice) return RC_FAIL;

    // Register 128 is read directly: the version decides the capabilities,
    // so it cannot wait for them.
    auto readDirect = [this](unsigned short reg, int* rc) -> unsigned short {
        unsigned int raw = 0;
        unsigned short* cached = m_FpgaRegs.Find(reg);
        *rc = m_pDevice->RdFpga(ReadAddress(reg), &raw);
        *cached = StopsSequence(*rc) ? 0 : static_cast<unsigned short>(raw);
        return *cached;
    };
    int rc = RC_SUCCESS;
    unsigned short status = readDirect(REG_STATUS, &rc);
    if (StopsSequence(rc)) return rc;
    unsigned int high = status >> 8;
    if ((high & 0xE0u) == 0xE0u) {
        // Versions from 7 on do not fit the three bits of register 128.
        unsigned short extended = readDirect(REG_VERSION_EX, &rc);
        if (StopsSequence(rc)) return rc;
        *version = extended;
    } else {
        *version = static_cast<unsigned short>(((high >> 5) << 8) | ((high >> 2) & 7u));
    }
    return rc;
}

int CZOQCam::Fpga_RdRelatedRegValue() {
    m_FpgaRegs.Clear();
    *m_FpgaRegs.Find(REG_FRAMES) = 1;
    int rc = RC_SUCCESS;
    for (unsigned short reg : kCachedRegisters) {
        rc = Fpga_RdReg(reg, m_FpgaRegs.Find(reg));
        if (StopsSequence(rc)) return rc;
    }
    return rc;
}

int CZOQCam::Fpga_WrRelatedRegValue(unsigned short reg, unsigned short value, bool* written) {
    unsigned short* cached = m_FpgaRegs.Find(reg);
    if (cached && *cached == value) return RC_SUCCESS;
    int rc = Fpga_WrReg(reg, value);
    if (rc != RC_SUCCESS) return rc;
    zoq::Put(written, true);
    if (cached)
        *cached = reg == REG_CONTROL ? static_cast<unsigned short>(value & ~CTL_EMPTY_FRAME_BUFFER)
                                     : value;
    return RC_SUCCESS;
}

int CZOQCam::Fpga_RecoverRelatedRegValue() {
    if (!m_pDevice) return RC_FAIL;
    // Register 0 goes first and does not stop the others; a real failure
    // of it is still reported once everything else has been written.
    int control = Fpga_WrReg(REG_CONTROL, m_FpgaRegs.Get(REG_CONTROL));
    for (unsigned short reg : kRecoverOrder) {
        int rc = Fpga_WrReg(reg, m_FpgaRegs.Get(reg));
        if (StopsSequence(rc)) return rc;
    }
    return StopsSequence(control) ? control : RC_SUCCESS;
}

int CZOQCam::UpdateFpgaBits(unsigned short reg, unsigned short mask, unsigned short bits) {
    unsigned short value =
        static_cast<unsigned short>((m_FpgaRegs.Get(reg) & ~mask) | (bits & mask));
    return Fpga_WrRelatedRegValue(reg, value, nullptr);
}
