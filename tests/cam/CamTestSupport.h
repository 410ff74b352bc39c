/* Helpers shared by the plug-in tests: capability records written as the
 * hexadecimal byte strings of the model tables, and a camera built on the
 * fake device. */
#ifndef CAMTESTSUPPORT_H
#define CAMTESTSUPPORT_H

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "FakeZOQDevice.h"
#include "ZOQCam_Imp_Sensor_MT9P031.h"

// "f6 cf 00" -> {0xf6, 0xcf, 0x00}
inline std::vector<unsigned char> HexBytes(const std::string& text) {
    std::vector<unsigned char> bytes;
    unsigned value = 0;
    int offset = 0, used = 0;
    while (std::sscanf(text.c_str() + offset, "%x%n", &value, &used) == 1) {
        bytes.push_back(static_cast<unsigned char>(value));
        offset += used;
    }
    return bytes;
}

inline std::string HexString(const unsigned char* bytes, std::size_t count) {
    std::string text;
    char cell[4];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(cell, sizeof(cell), i ? " %02x" : "%02x", bytes[i]);
        text += cell;
    }
    return text;
}

// The whole record as "b0 b1 ... b18".
inline std::string RecordString(const CZOQCam& cam) {
    return HexString(cam.Capability().byte, ZOQCapabilityRecord::kBytes);
}

// A table giving bytes 0-6 for every FPGA version and bytes 8-18 as base.
inline ZOQCapabilityTable TableWithRecord(const std::string& bytes0to6,
                                          const std::string& bytes8to18,
                                          float pixelClockMHz = 96.0f) {
    ZOQCapabilityTable table{};
    std::vector<unsigned char> low = HexBytes(bytes0to6), high = HexBytes(bytes8to18);
    for (std::size_t i = 0; i < low.size() && i < 7; ++i) table.fpga[0].bytes[i] = low[i];
    table.fpga[0].versions[0] = EveryVersion();
    for (std::size_t i = 0; i < high.size() && i < ZOQCapabilityTable::kBaseBytes; ++i)
        table.base[i] = high[i];
    table.pixelClockMHz = pixelClockMHz;
    return table;
}

// Every FPGA feature and register allowed, register 0 through the
// working-mode service.
constexpr const char* kAllFpga = "ff ff ff ff ff ff ff";
constexpr const char* kAllBase = "ff df ff ff ff ff ff ff fc ff ff";  // byte 9 bit 5 clear

// A camera (MT9P031 sensor class) on a fake device; the sensor reports a
// full 2592 x 1944 window.
struct CamOnFake {
    FakeZOQDevice device;
    // Every camera created stays alive (with its table) until the end of
    // the test, so earlier references remain usable.
    std::vector<std::unique_ptr<ZOQCapabilityTable>> tables;
    std::vector<std::unique_ptr<CZOQCamMT9P031>> cams;

    CamOnFake() {
        device.sensor[0x04] = 2591;
        device.sensor[0x03] = 1943;
        device.sensor[0x02] = 16;
        device.sensor[0x01] = 54;
        device.SetFpgaVersion(6, 5);
    }
    CZOQCamMT9P031& Create(const ZOQCapabilityTable& capability) {
        tables.emplace_back(new ZOQCapabilityTable(capability));
        cams.emplace_back(new CZOQCamMT9P031(&device, *tables.back()));
        device.calls.clear();
        return *cams.back();
    }
    CZOQCamMT9P031& Create(const std::string& bytes0to6, const std::string& bytes8to18) {
        return Create(TableWithRecord(bytes0to6, bytes8to18));
    }
    std::size_t Writes() const {
        return device.CallsOf(FakeZOQDevice::Op::WrFpga).size() +
               device.CallsOf(FakeZOQDevice::Op::SetWorkingMode).size() +
               device.CallsOf(FakeZOQDevice::Op::SetTriggerDelay).size() +
               device.CallsOf(FakeZOQDevice::Op::WrSensor).size();
    }
};

// Record string with one bit (byte * 8 + bit) cleared or set.
inline std::string WithBit(std::string record, unsigned bit, bool on) {
    std::vector<unsigned char> bytes = HexBytes(record);
    unsigned char mask = static_cast<unsigned char>(1u << (bit & 7));
    if (on)
        bytes[bit >> 3] |= mask;
    else
        bytes[bit >> 3] &= static_cast<unsigned char>(~mask);
    return HexString(bytes.data(), bytes.size());
}

// The all-allowed record as low bytes (0-6) and high bytes (8-18), with
// capability bits changed one by one.
struct Record {
    std::string low = kAllFpga;
    std::string high = kAllBase;
    Record& Set(ZOQ_CAPBIT bit, bool on) {
        if (bit < 56)
            low = WithBit(low, bit, on);
        else
            high = WithBit(high, bit - 64, on);
        return *this;
    }
};

#endif
