/* The common layer's FPGA register access: capability gating of reads and
 * writes with their special registers, version decoding, the register cache
 * and its write-back, and a camera without a device. */
#include <gtest/gtest.h>

#include "CamTestSupport.h"

using Op = FakeZOQDevice::Op;
using Call = FakeZOQDevice::Call;

TEST(CamFpgaConstruction, ReadsIdentityVersionAndCacheInOrder) {
    CamOnFake fake;
    fake.device.firmwareVersion = 0x0305;
    fake.device.SetFpgaVersion(9, 2);  // through register 241
    ZOQCapabilityTable table = TableWithRecord(kAllFpga, kAllBase);
    CZOQCamMT9P031 cam(&fake.device, table);

    std::vector<Call> fpgaTraffic;
    for (const Call& call : fake.device.calls)
        if (call.op != Op::RdSensor) fpgaTraffic.push_back(call);
    std::vector<Call> expected = {{Op::DeviceInfo, 0, 0}, {Op::RdFpga, 128, 0}, {Op::RdFpga, 241, 0}};
    // The cache fill: register 0 at 0xFF, 1..111 with bit 7 set, 128 and 241 as they are.
    const unsigned readAddresses[] = {128,  241,  0xFF, 0x83, 0x84, 0x88, 0x89, 0x90, 0x91, 0x92, 0x93,
                                      0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9D, 0x9E,
                                      0x9F, 0xA1, 0xA2, 0xA3, 0xA4, 0x81, 0x82, 0xAB, 0xAC};
    for (unsigned address : readAddresses) expected.push_back({Op::RdFpga, address, 0});
    EXPECT_EQ(fpgaTraffic, expected);
    // The sensor is read after the FPGA.
    EXPECT_EQ(fake.device.calls[expected.size()].op, Op::RdSensor);

    unsigned short type = 0, firmware = 0, fpgaVersion = 0;
    int serial = 0;
    EXPECT_EQ(cam.Cam_GetDeviceInformationEx(&type, &serial, &firmware, &fpgaVersion), 0);
    EXPECT_EQ(type, 52);
    EXPECT_EQ(serial, 4711);
    EXPECT_EQ(firmware, 0x0305);
    EXPECT_EQ(fpgaVersion, 0x0902);
    EXPECT_EQ(cam.Cam_GetDeviceInformation(nullptr, nullptr, nullptr), 0);
}

TEST(CamFpgaConstruction, NullDeviceLeavesAnEmptyObjectThatFailsRegisterWork) {
    ZOQCapabilityTable table = TableWithRecord(kAllFpga, kAllBase);
    CZOQCamMT9P031 cam(nullptr, table);
    unsigned short value = 7;
    bool written = false;
    EXPECT_EQ(cam.Cam_GetDeviceInformation(nullptr, nullptr, nullptr), RC_INVALID_HANDLE);
    EXPECT_EQ(cam.Cam_GetDeviceInformationEx(nullptr, nullptr, nullptr, nullptr), RC_INVALID_HANDLE);
    EXPECT_EQ(cam.Fpga_RdReg(9, &value), RC_FAIL);
    EXPECT_EQ(cam.Fpga_WrReg(9, 1), RC_FAIL);
    EXPECT_EQ(cam.Fpga_WrRelatedRegValue(9, 1, &written), RC_FAIL);
    EXPECT_FALSE(written);
    EXPECT_EQ(cam.Fpga_RdRelatedRegValue(), RC_FAIL);
    EXPECT_EQ(cam.Fpga_RecoverRelatedRegValue(), RC_FAIL);
    EXPECT_EQ(cam.Fpga_GetVersion(&value), RC_FAIL);
    EXPECT_EQ(cam.Sensor_RdRelatedRegValue(), RC_FAIL);
    EXPECT_EQ(cam.Sensor_RecoverRelatedRegValue(), RC_FAIL);
    EXPECT_EQ(cam.Sensor_WrRelatedRegValue(0x09, 5, nullptr), RC_FAIL);
    // The record stays empty, so features are simply not offered.
    std::vector<unsigned char> zeros(ZOQCapabilityRecord::kBytes, 0);
    EXPECT_EQ(RecordString(cam), HexString(zeros.data(), zeros.size()));
    EXPECT_EQ(cam.Fpga_SetTriggerMode(ZOQ_TRIGGERMODE_1), RC_NOT_SUPPORTED);
}

TEST(CamFpgaRdReg, GuardsAndSpecialRegisters) {
    CamOnFake fake;
    unsigned short value = 0;

    {  // FPGA unreadable: every read fails with -8 and the output is 0.
        CZOQCam& cam = fake.Create(kAllFpga, Record().Set(CAP_FPGA_UNREADABLE, true).high);
        value = 5;
        EXPECT_EQ(cam.Fpga_RdReg(9, &value), RC_FAIL);
        EXPECT_EQ(value, 0);
        EXPECT_EQ(cam.Fpga_RdReg(9, nullptr), RC_PARAMETER_ERROR);
        EXPECT_TRUE(fake.device.CallsOf(Op::RdFpga).empty());
    }
    {  // Version registers need their own bits.
        Record record;
        record.Set(CAP_REG128_READ, false).Set(CAP_REG241_READ, false);
        CZOQCam& cam = fake.Create(record.low, record.high);
        EXPECT_EQ(cam.Fpga_RdReg(128, &value), RC_NOT_SUPPORTED);
        EXPECT_EQ(cam.Fpga_RdReg(241, &value), RC_NOT_SUPPORTED);
        EXPECT_TRUE(fake.device.CallsOf(Op::RdFpga).empty());
    }
    {  // Register 0: through the FPGA at 0xFF, or the working-mode word, or not at all.
        fake.device.fpga[0] = 0x1001;
        fake.device.workingMode = 0x0211;
        CZOQCam& readable = fake.Create(kAllFpga, kAllBase);
        EXPECT_EQ(readable.Fpga_RdReg(0, &value), 0);
        EXPECT_EQ(value, 0x1001);
        EXPECT_EQ(fake.device.calls.back(), (Call{Op::RdFpga, 0xFF, 0}));

        Record viaMode;
        viaMode.Set(CAP_REG0_READ, false);
        CZOQCam& throughMode = fake.Create(viaMode.low, viaMode.high);
        EXPECT_EQ(throughMode.Fpga_RdReg(0, &value), 0);
        EXPECT_EQ(value, 0x0211);

        viaMode.Set(CAP_REG0_WORKING_MODE, false);
        CZOQCam& neither = fake.Create(viaMode.low, viaMode.high);
        EXPECT_EQ(neither.Fpga_RdReg(0, &value), RC_NOT_SUPPORTED);
        EXPECT_TRUE(fake.device.calls.empty());
    }
    {  // Register 3 unreadable: the trigger-delay service answers first.
        fake.device.fpga[3] = 0x0033;
        Record record;
        record.Set(CAP_REG3_READ, false);
        CZOQCam& cam = fake.Create(record.low, record.high);
        fake.device.triggerDelay = 0x0022;
        EXPECT_EQ(cam.Fpga_RdReg(3, &value), 0);
        EXPECT_EQ(value, 0x0022);  // the service's value is kept
        fake.device.triggerDelay = 0;
        EXPECT_EQ(cam.Fpga_RdReg(3, &value), 0);
        EXPECT_EQ(value, 0x0033);  // nothing from the service: the FPGA's value
        fake.device.Fail(Op::GetTriggerDelay, RC_TIMEOUT);
        fake.device.calls.clear();
        EXPECT_EQ(cam.Fpga_RdReg(3, &value), RC_NOT_SUPPORTED);
        EXPECT_TRUE(fake.device.CallsOf(Op::RdFpga).empty());
        fake.device.ClearFailures();
    }
    {  // Register 8: unreadable counts as 1 frame; a read of 0 also.
        fake.device.fpga[8] = 0;
        Record record;
        record.Set(CAP_REG8_READ, false);
        CZOQCam& unreadable = fake.Create(record.low, record.high);
        EXPECT_EQ(unreadable.Fpga_RdReg(8, &value), RC_NOT_SUPPORTED);
        EXPECT_EQ(value, 1);
        CZOQCam& readable = fake.Create(kAllFpga, kAllBase);
        EXPECT_EQ(readable.Fpga_RdReg(8, &value), 0);
        EXPECT_EQ(value, 1);
        fake.device.fpga[8] = 4;
        EXPECT_EQ(readable.Fpga_RdReg(8, &value), 0);
        EXPECT_EQ(value, 4);
    }
    {  // Register 28 unreadable: the default period 666 is written and reported.
        Record record;
        record.Set(CAP_REG28_READ, false);
        CZOQCam& cam = fake.Create(record.low, record.high);
        EXPECT_EQ(cam.Fpga_RdReg(28, &value), 0);
        EXPECT_EQ(value, 666);
        EXPECT_EQ(fake.device.calls, (std::vector<Call>{{Op::WrFpga, 28, 666}}));
        record.Set(CAP_REG28_WRITE, false);
        CZOQCam& neither = fake.Create(record.low, record.high);
        value = 9;
        EXPECT_EQ(neither.Fpga_RdReg(28, &value), RC_NOT_SUPPORTED);
        EXPECT_EQ(value, 0);
        EXPECT_TRUE(fake.device.calls.empty());
    }
    {  // Guarded and unguarded registers.
        fake.device.fpga[9] = 0x0101;
        fake.device.fpga[43] = 0x4343;
        Record record;
        record.Set(CAP_REG9_READ, false).Set(CAP_REG35_36, false);
        CZOQCam& cam = fake.Create(record.low, record.high);
        EXPECT_EQ(cam.Fpga_RdReg(9, &value), RC_NOT_SUPPORTED);
        EXPECT_EQ(cam.Fpga_RdReg(36, &value), RC_NOT_SUPPORTED);
        EXPECT_TRUE(fake.device.calls.empty());
        EXPECT_EQ(cam.Fpga_RdReg(43, &value), 0);
        EXPECT_EQ(value, 0x4343);
        EXPECT_EQ(fake.device.calls.back(), (Call{Op::RdFpga, 0xAB, 0}));
        fake.device.Fail(Op::RdFpga, RC_TIMEOUT);
        EXPECT_EQ(cam.Fpga_RdReg(43, &value), RC_TIMEOUT);
        fake.device.ClearFailures();
    }
}

TEST(CamFpgaWrReg, Register0And3AndGuards) {
    CamOnFake fake;
    {  // Register 0 only through the working-mode service.
        CZOQCam& cam = fake.Create(kAllFpga, kAllBase);
        EXPECT_EQ(cam.Fpga_WrReg(0, 0x1001), 0);
        EXPECT_EQ(fake.device.calls, (std::vector<Call>{{Op::SetWorkingMode, 0, 0x1001}}));
        fake.device.Fail(Op::SetWorkingMode, RC_TIMEOUT);
        EXPECT_EQ(cam.Fpga_WrReg(0, 0x1000), RC_TIMEOUT);
        fake.device.ClearFailures();

        Record record;
        record.Set(CAP_REG0_WORKING_MODE, false);
        CZOQCam& other = fake.Create(record.low, record.high);
        EXPECT_EQ(other.Fpga_WrReg(0, 0x1001), RC_NOT_SUPPORTED);
        EXPECT_TRUE(fake.device.calls.empty());
    }
    {  // Register 3 without the FPGA path: the service first, then the FPGA.
        Record record;
        record.Set(CAP_TRIGGER_DELAY, false);
        CZOQCam& cam = fake.Create(record.low, record.high);
        EXPECT_EQ(cam.Fpga_WrReg(3, 77), 0);
        EXPECT_EQ(fake.device.calls,
                  (std::vector<Call>{{Op::SetTriggerDelay, 0, 77}, {Op::WrFpga, 3, 77}}));
        fake.device.calls.clear();
        fake.device.Fail(Op::SetTriggerDelay, RC_TIMEOUT);
        EXPECT_EQ(cam.Fpga_WrReg(3, 78), RC_NOT_SUPPORTED);
        EXPECT_TRUE(fake.device.CallsOf(Op::WrFpga).empty());
        fake.device.ClearFailures();

        CZOQCam& direct = fake.Create(kAllFpga, kAllBase);
        EXPECT_EQ(direct.Fpga_WrReg(3, 79), 0);
        EXPECT_EQ(fake.device.calls, (std::vector<Call>{{Op::WrFpga, 3, 79}}));
    }
    {  // A guarded register without its bit: -3 and no traffic.
        const struct {
            ZOQ_CAPBIT bit;
            unsigned reg;
        } guarded[] = {{CAP_REG4, 4},           {CAP_REG8_WRITE, 8},      {CAP_REG9_WRITE, 9},
                       {CAP_REG16_18_WRITE, 17}, {CAP_REG19_27_WRITE, 27}, {CAP_REG28_WRITE, 28},
                       {CAP_REG29_30, 30},      {CAP_REG31, 31},          {CAP_REG33, 33},
                       {CAP_REG34, 34},         {CAP_REG35_36, 35}};
        for (const auto& entry : guarded) {
            Record record;
            record.Set(entry.bit, false);
            CZOQCam& cam = fake.Create(record.low, record.high);
            EXPECT_EQ(cam.Fpga_WrReg(entry.reg, 1), RC_NOT_SUPPORTED) << "register " << entry.reg;
            EXPECT_TRUE(fake.device.calls.empty()) << "register " << entry.reg;
            CZOQCam& allowed = fake.Create(kAllFpga, kAllBase);
            EXPECT_EQ(allowed.Fpga_WrReg(entry.reg, 1), 0) << "register " << entry.reg;
        }
    }
}

TEST(CamFpgaVersion, DecodesRegister128OrTheExtendedRegister) {
    CamOnFake fake;
    CZOQCam& cam = fake.Create(kAllFpga, kAllBase);
    unsigned short version = 0;

    fake.device.fpga[128] = (5u << 13) | (2u << 10) | 0x030C;  // low bits do not count
    EXPECT_EQ(cam.Fpga_GetVersion(&version), 0);
    EXPECT_EQ(version, 0x0502);
    EXPECT_EQ(fake.device.Addresses(Op::RdFpga), (std::vector<unsigned>{128}));

    fake.device.fpga[128] = 0xDC00;  // high byte 0xDC: major 6, minor 7
    EXPECT_EQ(cam.Fpga_GetVersion(&version), 0);
    EXPECT_EQ(version, 0x0607);

    fake.device.calls.clear();
    fake.device.fpga[128] = 0xE000;
    fake.device.fpga[241] = 0x0803;
    EXPECT_EQ(cam.Fpga_GetVersion(&version), 0);
    EXPECT_EQ(version, 0x0803);
    EXPECT_EQ(fake.device.Addresses(Op::RdFpga), (std::vector<unsigned>{128, 241}));

    // A failed read is returned; a null output reads nothing.
    fake.device.Fail(Op::RdFpga, RC_TIMEOUT, 241);
    EXPECT_EQ(cam.Fpga_GetVersion(&version), RC_TIMEOUT);
    fake.device.calls.clear();
    EXPECT_EQ(cam.Fpga_GetVersion(nullptr), 0);
    EXPECT_TRUE(fake.device.calls.empty());

    // The version is read even when the record hides the version registers.
    fake.device.ClearFailures();
    fake.device.SetFpgaVersion(6, 4);
    Record record;
    record.Set(CAP_REG128_READ, false).Set(CAP_REG241_READ, false);
    CZOQCam& hidden = fake.Create(record.low, record.high);
    unsigned short fpgaVersion = 0;
    hidden.Cam_GetDeviceInformationEx(nullptr, nullptr, nullptr, &fpgaVersion);
    EXPECT_EQ(fpgaVersion, 0x0604);
}

TEST(CamFpgaCache, WritesOnlyOnChangeAndOnlySuccessesReachTheCache) {
    CamOnFake fake;
    fake.device.fpga[9] = 0x0011;
    CZOQCam& cam = fake.Create(kAllFpga, kAllBase);
    bool written = false;

    EXPECT_EQ(cam.Fpga_WrRelatedRegValue(9, 0x0011, &written), 0);
    EXPECT_FALSE(written);
    EXPECT_TRUE(fake.device.calls.empty());

    EXPECT_EQ(cam.Fpga_WrRelatedRegValue(9, 0x0013, &written), 0);
    EXPECT_TRUE(written);
    EXPECT_EQ(fake.device.calls, (std::vector<Call>{{Op::WrFpga, 9, 0x0013}}));
    bool on = false;
    cam.Fpga_GetCcmEnable(&on);
    EXPECT_FALSE(on);

    // A failed write keeps the old value visible.
    written = false;
    fake.device.Fail(Op::WrFpga, RC_TIMEOUT);
    EXPECT_EQ(cam.Fpga_WrRelatedRegValue(9, 0x0113, &written), RC_TIMEOUT);
    EXPECT_FALSE(written);
    cam.Fpga_GetCcmEnable(&on);
    EXPECT_FALSE(on);
    fake.device.ClearFailures();
    EXPECT_EQ(cam.Fpga_WrRelatedRegValue(9, 0x0113, nullptr), 0);
    cam.Fpga_GetCcmEnable(&on);
    EXPECT_TRUE(on);

    // Registers outside the cache are always written.
    fake.device.calls.clear();
    EXPECT_EQ(cam.Fpga_WrRelatedRegValue(50, 1, nullptr), 0);
    EXPECT_EQ(cam.Fpga_WrRelatedRegValue(50, 1, nullptr), 0);
    EXPECT_EQ(fake.device.Addresses(Op::WrFpga), (std::vector<unsigned>{50, 50}));

    // Bit 8 of register 0 is written but never cached.
    fake.device.calls.clear();
    EXPECT_EQ(cam.Fpga_WrRelatedRegValue(0, 0x0110, nullptr), 0);
    EXPECT_EQ(cam.Fpga_WrRelatedRegValue(0, 0x0010, nullptr), 0);
    EXPECT_EQ(fake.device.CallsOf(Op::SetWorkingMode).size(), 1u);
}

TEST(CamFpgaCache, FillStopsAtARealErrorAndSkipsMissingRegisters) {
    CamOnFake fake;
    fake.device.fpga[9] = 0x0101;
    fake.device.fpga[33] = 1;
    CZOQCam& cam = fake.Create(Record().Set(CAP_REG4, false).low, kAllBase);
    EXPECT_EQ(cam.Fpga_RdRelatedRegValue(), 0);
    // Register 4 is missing on this model: no read, and the fill goes on.
    std::vector<unsigned> addresses = fake.device.Addresses(Op::RdFpga);
    EXPECT_EQ(std::count(addresses.begin(), addresses.end(), 0x84u), 0);
    EXPECT_EQ(addresses.size(), 30u);

    fake.device.calls.clear();
    fake.device.Fail(Op::RdFpga, RC_TIMEOUT, 0x89);
    EXPECT_EQ(cam.Fpga_RdRelatedRegValue(), RC_TIMEOUT);
    EXPECT_EQ(fake.device.Addresses(Op::RdFpga).back(), 0x89u);
    bool on = true;
    cam.Fpga_GetAwbEnable(&on);
    EXPECT_FALSE(on);  // cleared, not read
    bool gamma = true;
    cam.Fpga_GetGammaLutEnable(&gamma);
    EXPECT_FALSE(gamma);  // after the failure: left at zero
    unsigned short frames = 0;
    cam.Fpga_GetMultiFrameNum(&frames);
    EXPECT_EQ(frames, 1);
}

TEST(CamFpgaCache, UnreadableFpgaKeepsAnEmptyCache) {
    CamOnFake fake;
    fake.device.fpga[0] = 0x1001;
    fake.device.fpga[8] = 3;
    CZOQCam& cam = fake.Create(kAllFpga, Record().Set(CAP_FPGA_UNREADABLE, true).high);
    EXPECT_EQ(cam.Fpga_RdRelatedRegValue(), RC_FAIL);
    EXPECT_TRUE(fake.device.CallsOf(Op::RdFpga).empty());
    ZOQ_TRIGGERMODE mode = ZOQ_TRIGGERMODE_2;
    cam.Fpga_GetTriggerMode(&mode);
    EXPECT_EQ(mode, ZOQ_TRIGGERMODE_FREERUN);
    unsigned short frames = 0;
    cam.Fpga_GetMultiFrameNum(&frames);
    EXPECT_EQ(frames, 1);
}

TEST(CamFpgaRecovery, WritesTheCacheBackInOrder) {
    CamOnFake fake;
    for (unsigned reg = 1; reg <= 44; ++reg) fake.device.fpga[reg] = static_cast<unsigned short>(0x100 + reg);
    fake.device.workingMode = 0x1001;
    CZOQCam& cam = fake.Create(Record().Set(CAP_REG0_READ, false).low, kAllBase);

    EXPECT_EQ(cam.Fpga_RecoverRelatedRegValue(), 0);
    std::vector<Call> expected = {{Op::SetWorkingMode, 0, 0x1001}};
    const unsigned order[] = {3,  4,  8,  9,  16, 17, 18, 19, 20, 21, 22, 23, 24, 25,
                              26, 27, 28, 29, 30, 31, 33, 34, 35, 36, 43, 1,  44, 2};
    for (unsigned reg : order) expected.push_back({Op::WrFpga, reg, 0x100 + reg});
    EXPECT_EQ(fake.device.calls, expected);

    // Missing registers are passed over; a real failure stops the sequence.
    CZOQCam& partial = fake.Create(Record().Set(CAP_REG4, false).low,
                                   Record().Set(CAP_REG0_WORKING_MODE, false).high);
    fake.device.Fail(Op::WrFpga, RC_TIMEOUT, 17);
    EXPECT_EQ(partial.Fpga_RecoverRelatedRegValue(), RC_TIMEOUT);
    EXPECT_EQ(fake.device.Addresses(Op::WrFpga), (std::vector<unsigned>{3, 8, 9, 16, 17}));
    EXPECT_TRUE(fake.device.CallsOf(Op::SetWorkingMode).empty());
    fake.device.ClearFailures();

    // A failed register 0 does not stop the others but is reported.
    fake.device.calls.clear();
    fake.device.Fail(Op::SetWorkingMode, RC_TIMEOUT);
    EXPECT_EQ(cam.Fpga_RecoverRelatedRegValue(), RC_TIMEOUT);
    EXPECT_EQ(fake.device.CallsOf(Op::WrFpga).size(), 28u);
}

TEST(CamFpgaRecovery, CameraRecoveryRestoresFpgaThenSensor) {
    CamOnFake fake;
    CZOQCamMT9P031& cam = fake.Create(kAllFpga, kAllBase);
    EXPECT_EQ(cam.Cam_RecoverRelatedRegValue(), 0);
    ASSERT_FALSE(fake.device.calls.empty());
    EXPECT_EQ(fake.device.calls.front().op, Op::SetWorkingMode);
    EXPECT_EQ(fake.device.calls.back().op, Op::WrSensor);

    // The sensor is restored even after an FPGA failure, which is reported.
    fake.device.calls.clear();
    fake.device.Fail(Op::WrFpga, RC_TIMEOUT, 9);
    EXPECT_EQ(cam.Cam_RecoverRelatedRegValue(), RC_TIMEOUT);
    EXPECT_EQ(fake.device.CallsOf(Op::WrSensor).size(), 17u);
    fake.device.ClearFailures();
    fake.device.Fail(Op::WrSensor, RC_NO_DEVICE);
    EXPECT_EQ(cam.Cam_RecoverRelatedRegValue(), RC_NO_DEVICE);
}
