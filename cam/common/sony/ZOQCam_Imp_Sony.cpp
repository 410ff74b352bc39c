/* CZOQCamSony: construction, the wide register quantities and the gain. */
#include "sony/ZOQCam_Imp_Sony.h"
#include "ZoqOut.h"


namespace {
constexpr unsigned kByteBits = 8;
constexpr unsigned kByteMask = 0xFF;
}  // namespace

CZOQCamSony::CZOQCamSony(IZOQDevice* device, const ZOQCapabilityTable& capability,
                         const ZOQSonyChip& chip)
    : CZOQCamSensor(device, capability, chip.sensor), m_Sony(chip.sony) {}

unsigned int CZOQCamSony::ReadField(const ZOQWideField& field) const {
    unsigned int value = 0;
    for (unsigned i = field.bytes; i-- > 0;) {
        unsigned int byte = Reg(field.first + i) & kByteMask;
        if (i + 1u == field.bytes) byte &= field.topMask;
        value = (value << kByteBits) | byte;
    }
    return value;
}

int CZOQCamSony::WriteField(const ZOQWideField& field, unsigned int value) {
    for (unsigned i = 0; i < field.bytes; ++i) {
        unsigned short reg = static_cast<unsigned short>(field.first + i);
        unsigned int byte = (value >> (kByteBits * i)) & kByteMask;
        if (i + 1u == field.bytes && field.topMask != kByteMask)
            byte = (Reg(reg) & kByteMask & ~field.topMask) | (byte & field.topMask);
        if (i == 0 && field.wholeFirst) byte = value;
        int rc = WriteReg(reg, static_cast<unsigned short>(byte));
        if (rc != RC_SUCCESS) return rc;
    }
    return RC_SUCCESS;
}

int CZOQCamSony::SetGain(ZOQ_GAINCHANNEL /*channel*/, unsigned int index) {
    return WriteField(m_Sony.gain, ClampGainIndex(index));
}

int CZOQCamSony::GetGain(ZOQ_GAINCHANNEL /*channel*/, unsigned int* index) {
    zoq::Put(index, ReadField(m_Sony.gain));
    return RC_SUCCESS;
}
