/* CZOQCamISG4006A: its layout and construction. */
#include "ZOQCam_Imp_Sensor_ISG4006A.h"

#include "ZOQCam_ISG4006A_Registers.h"

using namespace isg4006a;

namespace {

constexpr unsigned short kCachedRegisters[] = {
    REG_ROW_START_LOW, REG_ROW_START_HIGH,  REG_ROW_SIZE_LOW,  REG_ROW_SIZE_HIGH, REG_GAIN,
    REG_EXPOSURE_LOW,  REG_EXPOSURE_MIDDLE, REG_EXPOSURE_HIGH, REG_ORIENTATION};

constexpr ZOQGainRegisters kGain = {.reg = {REG_GAIN}, .count = 1, .read = REG_GAIN};

const ZOQSensorLayout kLayout = {
    .cached = ZOQCachedRegisters(kCachedRegisters),
    .retime = {},
    .awb = &g_AWBMatrixB,
    .gain = {.channel = {kGain, kGain, kGain, kGain},
             .code = {.table = nullptr,
                      .tableSize = 0,
                      .minIndex = 0,
                      .maxIndex = 15,
                      .offset = 0,
                      .writeMask = GAIN_FIELD,
                      .readMask = GAIN_FIELD},
             .mirror = {}},
    // Bits 24-25 of the line count are not written.
    .lines = {.part = {{REG_EXPOSURE_LOW, 0, 0xFF}, {REG_EXPOSURE_MIDDLE, 8, 0xFF}, {REG_EXPOSURE_HIGH, 16, 0xFF}},
              .count = 3,
              .minLines = 1,
              .maxLines = kMaxExposureLines},
    .window = {.limits = {.minColumns = kColumns, .maxColumns = kColumns, .minRows = 1, .maxRows = kMaxRows},
               .align = {0, 0},
               .field = {}},
    .addressMode = {},
    .flip = {REG_ORIENTATION, ORIENTATION_NOT_FLIPPED, true},
    .mirror = {},
    .strobe = ZOQStrobe::NoEffect,
    .strobeEnable = {},
    .strobeInvert = {},
};

constexpr ZOQIsgRowWindow kRows = {REG_ROW_START_LOW, REG_ROW_START_HIGH, REG_ROW_SIZE_LOW,
                                   REG_ROW_SIZE_HIGH};

}  // namespace

CZOQCamISG4006A::CZOQCamISG4006A(IZOQDevice* device, const ZOQCapabilityTable& capability)
    : CZOQCamIsg(device, capability, kLayout, kRows) {
    Sensor_RdRelatedRegValue();
}
