/* CZOQCamSensor: gain by index. Each operation addresses a channel; on a
 * monochrome model the colour operations act on the global gain, so that
 * the pixel positions of the unused colour pattern keep one gain. */
#include "sensor/ZOQCam_Imp_Sensor.h"
#include "ZoqOut.h"


ZOQ_GAINCHANNEL CZOQCamSensor::ColourChannel(ZOQ_GAINCHANNEL channel) const {
    return Cap(CAP_MONOCHROME) ? GAIN_GLOBAL : channel;
}

unsigned int CZOQCamSensor::ClampGainIndex(unsigned int index) const {
    unsigned int low = m_Layout.gain.code.minIndex, high = MaxGainIndex();
    return index < low ? low : (index > high ? high : index);
}

int CZOQCamSensor::SetGain(ZOQ_GAINCHANNEL channel, unsigned int index) {
    const ZOQGainCode& code = m_Layout.gain.code;
    index = ClampGainIndex(index);
    unsigned short value =
        code.table ? code.table[index] : static_cast<unsigned short>(index + code.offset);
    // Every register of the channel is written; the first failure is
    // reported.
    int rc = RC_SUCCESS;
    const ZOQGainRegisters& target = m_Layout.gain.channel[channel];
    for (unsigned i = 0; i < target.count; ++i) {
        int one = WriteMasked(target.reg[i], code.writeMask, value);
        if (rc == RC_SUCCESS) rc = one;
    }
    return rc;
}

int CZOQCamSensor::GetGain(ZOQ_GAINCHANNEL channel, unsigned int* index) {
    if (!index) return RC_SUCCESS;
    const ZOQGainCode& code = m_Layout.gain.code;
    unsigned short value = Reg(m_Layout.gain.channel[channel].read) & code.readMask;
    *index = 0;
    if (code.table) {
        // The first index whose entry matches; a value outside the table
        // reads as index 0.
        for (unsigned i = 0; i < code.tableSize; ++i) {
            if (code.table[i] == value) {
                *index = i;
                break;
            }
        }
    } else if (value >= code.offset) {
        *index = value - code.offset;
    }
    return RC_SUCCESS;
}

int CZOQCamSensor::Sensor_GetGainRange(unsigned int* min, unsigned int* max) {
    zoq::Put(min, m_Layout.gain.code.minIndex);
    zoq::Put(max, MaxGainIndex());
    return RC_SUCCESS;
}

int CZOQCamSensor::Sensor_SetGainR(unsigned int gain) {
    return SetGain(ColourChannel(GAIN_RED), gain);
}

int CZOQCamSensor::Sensor_GetGainR(unsigned int* gain) {
    return GetGain(ColourChannel(GAIN_RED), gain);
}

int CZOQCamSensor::Sensor_SetGainB(unsigned int gain) {
    return SetGain(ColourChannel(GAIN_BLUE), gain);
}

int CZOQCamSensor::Sensor_GetGainB(unsigned int* gain) {
    return GetGain(ColourChannel(GAIN_BLUE), gain);
}

int CZOQCamSensor::Sensor_SetGainG(unsigned int gain) {
    return SetGain(ColourChannel(GAIN_GREEN), gain);
}

int CZOQCamSensor::Sensor_GetGainG(unsigned int* gain) {
    return GetGain(ColourChannel(GAIN_GREEN), gain);
}

int CZOQCamSensor::Sensor_SetGainGlobal(unsigned int gain) {
    return SetGain(GAIN_GLOBAL, gain);
}

int CZOQCamSensor::Sensor_GetGainGlobal(unsigned int* gain) {
    return GetGain(GAIN_GLOBAL, gain);
}
