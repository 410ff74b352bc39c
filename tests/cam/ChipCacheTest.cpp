/* Every sensor class against its register list: construction reads the
 * mirrored registers in the listed order and stops at a failed read; the
 * write rule leaves an unchanged register alone; recovery writes every
 * shadow back in that order (but a global gain the chip copies into the
 * colour gains) and stops at a failed write. */
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ChipTestSupport.h"
#include "ZOQCam_Imp_Sensor_EV76C560.h"
#include "ZOQCam_Imp_Sensor_IMX174.h"
#include "ZOQCam_Imp_Sensor_IMX178.h"
#include "ZOQCam_Imp_Sensor_IMX250.h"
#include "ZOQCam_Imp_Sensor_IMX264.h"
#include "ZOQCam_Imp_Sensor_IMX265.h"
#include "ZOQCam_Imp_Sensor_IMX287.h"
#include "ZOQCam_Imp_Sensor_IMX290.h"
#include "ZOQCam_Imp_Sensor_ISG1307.h"
#include "ZOQCam_Imp_Sensor_ISG4006A.h"
#include "ZOQCam_Imp_Sensor_MT9M001.h"
#include "ZOQCam_Imp_Sensor_MT9M031.h"
#include "ZOQCam_Imp_Sensor_MT9T001.h"
#include "ZOQCam_Imp_Sensor_MT9V034.h"

using Op = FakeZOQDevice::Op;

namespace {

typedef IZOQCam* (*MakeFn)(IZOQDevice*, const ZOQCapabilityTable&);

template <class Cam>
IZOQCam* Make(IZOQDevice* device, const ZOQCapabilityTable& table) {
    return new Cam(device, table);
}

struct ChipCase {
    const char* name;
    MakeFn make;
    const ZOQCapabilityTable* table;
    std::vector<unsigned> cache;  // the register list, in reading order
    unsigned notRecovered;        // 0: every register is written back
};

void PrintTo(const ChipCase& c, std::ostream* os) { *os << c.name; }

// first, first + 1, ..., last
std::vector<unsigned> Span(unsigned first, unsigned last) {
    std::vector<unsigned> regs;
    for (unsigned reg = first; reg <= last; ++reg) regs.push_back(reg);
    return regs;
}

std::vector<unsigned> Join(std::initializer_list<std::vector<unsigned>> parts) {
    std::vector<unsigned> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const std::vector<unsigned> kImx250Family =
    Join({{532, 533}, Span(528, 530), Span(653, 657), {1028, 1029, 1108, 1109}, Span(1296, 1303),
          {550, 553, 621}, Span(624, 626), Span(628, 630), {526}});
const std::vector<unsigned> kImx174 = Join({{538, 539, 535, 536}, Span(666, 669), {1028, 1029, 1112, 1113},
                                            Span(769, 776), {559, 562}, Span(630, 632), {634, 635, 534}});

const ChipCase kChips[] = {
    {"MT9T001", Make<CZOQCamMT9T001>, &g_ZOQCapability_3,
     {2, 1, 4, 3, 34, 35, 5, 6, 12, 9, 8, 45, 44, 43, 46, 30, 32, 53}, 53},
    {"MT9M001", Make<CZOQCamMT9M001>, &g_ZOQCapability_67,
     {2, 1, 4, 3, 5, 6, 12, 9, 45, 44, 43, 46, 53, 30, 32, 98, 95}, 53},
    {"MT9M031", Make<CZOQCamMT9M031>, &g_ZOQCapability_62,
     {12292, 12290, 12296, 12294, 12298, 12300, 12306, 12308, 12454, 12338, 12374, 12376, 12378, 12380,
      12382, 12352, 12358, 12464},
     12382},
    {"MT9V034", Make<CZOQCamMT9V034>, &g_ZOQCapability_36,
     {1, 2, 4, 3, 11, 53, 5, 6, 175, 173, 171, 27, 13, 28, 213, 194}, 0},
    {"EV76C560", Make<CZOQCamEV76C560>, &g_ZOQCapability_58,
     {4, 6, 7, 14, 17, 18, 19, 20, 21, 26, 10, 54, 55, 73, 11, 8, 9, 118, 58}, 0},
    {"IMX250", Make<CZOQCamIMX250>, &g_ZOQCapability_104, kImx250Family, 0},
    {"IMX264", Make<CZOQCamIMX264>, &g_ZOQCapability_95, kImx250Family, 0},
    {"IMX265", Make<CZOQCamIMX265>, &g_ZOQCapability_120, kImx250Family, 0},
    {"IMX287", Make<CZOQCamIMX287>, &g_ZOQCapability_114, kImx250Family, 0},
    {"IMX174", Make<CZOQCamIMX174>, &g_ZOQCapability_86, kImx174, 0},
    {"IMX249", Make<CZOQCamIMX249>, &g_ZOQCapability_93, kImx174, 0},
    {"IMX178", Make<CZOQCamIMX178>, &g_ZOQCapability_88,
     Join({{539, 543, 544}, Span(556, 560), Span(564, 566), {577, 578}, Span(924, 931),
           {527, 533, 534, 526, 528, 525}}),
     0},
    {"IMX290", Make<CZOQCamIMX290>, &g_ZOQCapability_115_IMX290,
     Join({{540, 541, 536, 537, 538, 544, 545, 546, 532, 522, 523, 570}, Span(576, 579), Span(572, 575),
           {1560, 1561, 1650, 1651, 519}}),
     0},
    {"ISG1307", Make<CZOQCamISG1307>, &g_ZOQCapability_115_ISG1307,
     {347, 346, 345, 344, 30, 404, 403, 402, 389, 406}, 0},
    {"ISG4006A", Make<CZOQCamISG4006A>, &g_ZOQCapability_111, {270, 269, 268, 267, 23, 326, 325, 324, 312}, 0},
};

class ChipCache : public ::testing::TestWithParam<ChipCase> {
protected:
    // A distinct, non-zero 8-bit value per register.
    static unsigned short ValueOf(std::size_t i) { return static_cast<unsigned short>(0x11 + 7 * i); }

    IZOQCam& Create() {
        const ChipCase& chip = GetParam();
        for (std::size_t i = 0; i < chip.cache.size(); ++i) device.sensor[chip.cache[i]] = ValueOf(i);
        device.deviceType = chip.table->deviceType;
        device.SetFpgaVersion(8, 0);
        cam.reset(chip.make(&device, *chip.table));
        return *cam;
    }

    FakeZOQDevice device;
    std::unique_ptr<IZOQCam> cam;
};

}  // namespace

TEST_P(ChipCache, ConstructionReadsTheListInOrder) {
    Create();
    EXPECT_EQ(device.Addresses(Op::RdSensor), GetParam().cache);
    EXPECT_TRUE(device.CallsOf(Op::WrSensor).empty());

    // A failed read stops the fill.
    device.calls.clear();
    device.Fail(Op::RdSensor, RC_TIMEOUT, static_cast<int>(GetParam().cache[2]));
    EXPECT_EQ(cam->Sensor_RdRelatedRegValue(), RC_TIMEOUT);
    EXPECT_EQ(device.Addresses(Op::RdSensor),
              std::vector<unsigned>(GetParam().cache.begin(), GetParam().cache.begin() + 3));
}

TEST_P(ChipCache, UnchangedValuesAreNotWritten) {
    Create();
    device.calls.clear();
    bool written = false;
    for (std::size_t i = 0; i < GetParam().cache.size(); ++i)
        EXPECT_EQ(cam->Sensor_WrRelatedRegValue(static_cast<unsigned short>(GetParam().cache[i]), ValueOf(i),
                                                &written),
                  0);
    EXPECT_FALSE(written);
    EXPECT_TRUE(device.calls.empty());
}

TEST_P(ChipCache, RecoveryWritesTheShadowsBack) {
    Create();
    device.calls.clear();
    EXPECT_EQ(cam->Sensor_RecoverRelatedRegValue(), 0);
    std::vector<RegValue> expected;
    for (std::size_t i = 0; i < GetParam().cache.size(); ++i)
        if (GetParam().cache[i] != GetParam().notRecovered) expected.emplace_back(GetParam().cache[i], ValueOf(i));
    EXPECT_EQ(SensorWrites(device), expected);

    device.calls.clear();
    device.Fail(Op::WrSensor, RC_TIMEOUT, static_cast<int>(GetParam().cache[1]));
    EXPECT_EQ(cam->Sensor_RecoverRelatedRegValue(), RC_TIMEOUT);
    EXPECT_EQ(device.Addresses(Op::WrSensor).size(), 2u);

    // Without a device there is nothing to read or write.
    std::unique_ptr<IZOQCam> empty(GetParam().make(nullptr, *GetParam().table));
    EXPECT_EQ(empty->Sensor_RdRelatedRegValue(), RC_FAIL);
    EXPECT_EQ(empty->Sensor_RecoverRelatedRegValue(), RC_FAIL);
    EXPECT_EQ(empty->Sensor_SetGainGlobal(1), RC_FAIL);
}

INSTANTIATE_TEST_SUITE_P(EverySensorClass, ChipCache, ::testing::ValuesIn(kChips),
                         [](const ::testing::TestParamInfo<ChipCase>& info) { return std::string(info.param.name); });
