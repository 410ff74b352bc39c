// CBusManager: the one process-wide owner of the buses (slot 0 the USB bus;
// slot 1 is reserved for a second bus kind and stays empty). It turns a
// caller's device index into a bus and a bus-local index.
#pragma once

#include "usb/IZOQBus.h"
#include "zoqapi.h"

class CBusManager {
public:
    static constexpr int kBusSlots = 2;

    CBusManager();
    ~CBusManager();
    CBusManager(const CBusManager&) = delete;
    CBusManager& operator=(const CBusManager&) = delete;

    int GetDeviceCount() const { return m_nDeviceCount[0] + m_nDeviceCount[1]; }

    // Runs op on the device that index names. -8 when no device has that
    // index, -18 when its bus slot is empty, emptySlotCode for an empty
    // device slot.
    template <typename Op>
    int WithDevice(int index, int emptySlotCode, Op&& op) const {
        int slot = 0;
        int local = 0;
        int rc = Resolve(index, &slot, &local);
        if (rc != RC_SUCCESS) return rc;
        return m_pBus[slot]->WithDevice(local, emptySlotCode, op);
    }

    int LogSet(bool enable, const char* folder);
    // Starts or stops the process-wide platform log.
    ZOQ_EXPORT int LogSetLocal(bool enable, const char* folder);

private:
    int Resolve(int index, int* slot, int* local) const;

    IZOQBus* m_pBus[kBusSlots] = {};
    int m_nDeviceCount[kBusSlots] = {};
};

// The manager of the process; null before ZOQ_Init and after ZOQ_UnInit.
extern CBusManager* g_pBusManager;
