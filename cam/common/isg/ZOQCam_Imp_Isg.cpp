/* CZOQCamIsg: the 12-bit row window registers. */
#include "isg/ZOQCam_Imp_Isg.h"

namespace {
constexpr unsigned int kRowField = 0x0FFF;
constexpr unsigned int kOtherBits = 0xF000;
}  // namespace

unsigned int CZOQCamIsg::Row12(unsigned short low, unsigned short high) const {
    return ((static_cast<unsigned int>(Reg(high)) << 8) | (Reg(low) & 0xFFu)) & kRowField;
}

int CZOQCamIsg::WriteRow12(unsigned short low, unsigned short high, unsigned int value) {
    unsigned int cached = (static_cast<unsigned int>(Reg(high)) << 8) | (Reg(low) & 0xFFu);
    unsigned int word = (cached & kOtherBits) | (value & kRowField);
    int rc = WriteReg(low, static_cast<unsigned short>(word & 0xFF));
    if (rc != RC_SUCCESS) return rc;
    return WriteReg(high, static_cast<unsigned short>(word >> 8));
}

int CZOQCamIsg::WriteRows(unsigned int rowStart, unsigned int rowSize) {
    int rc = WriteRow12(m_Rows.startLow, m_Rows.startHigh, rowStart);
    if (rc != RC_SUCCESS) return rc;
    return WriteRow12(m_Rows.sizeLow, m_Rows.sizeHigh, rowSize);
}
