#include "frame/BusManager.h"

#include <cstdio>

#include "platform/ZOQLogControl.h"
#include "platform/ZOQ_UTIL_linux.h"
#include "platform/winfunction_linux.h"
#include "usb/ZOQBusUsb.h"

CBusManager* g_pBusManager = nullptr;

CBusManager::CBusManager() {
    ZOQLOG_OUTPUT(g_hLog, 10, "ZOQAPI:: __FUNCTION__ = %s line = %d func = %s ", "CBusManager",
                  __LINE__, "CBusManager");
    m_pBus[0] = new CZOQBusUsb(this);
    m_nDeviceCount[0] = m_pBus[0]->GetDeviceNumOnBus();
    if (m_nDeviceCount[0] < 1) {
        delete m_pBus[0];
        m_pBus[0] = nullptr;
        m_nDeviceCount[0] = 0;
    }
}

CBusManager::~CBusManager() {
    for (IZOQBus*& bus : m_pBus) {
        delete bus;
        bus = nullptr;
    }
}

int CBusManager::Resolve(int index, int* slot, int* local) const {
    if (index >= 0 && index < m_nDeviceCount[0]) {
        *slot = 0;
        *local = index;
    } else if (index >= m_nDeviceCount[0] && index < m_nDeviceCount[0] + m_nDeviceCount[1]) {
        *slot = 1;
        *local = index - m_nDeviceCount[0];
    } else {
        return RC_FAIL;
    }
    return m_pBus[*slot] == nullptr ? RC_BUS_NOT_INITIALIZED : RC_SUCCESS;
}

int CBusManager::LogSet(bool enable, const char* folder) {
    for (IZOQBus* bus : m_pBus)
        if (bus != nullptr) bus->LogSet(enable, folder);
    return RC_SUCCESS;
}

int CBusManager::LogSetLocal(bool enable, const char* folder) {
    g_platform_log_enable = enable ? 1 : 0;
    if (!enable) {
        StopLogFile(&g_hLog);
        return RC_SUCCESS;
    }
    if (g_hLog != nullptr) return RC_SUCCESS;
    ZOQ_SYSTEMTIME now{};
    GetLocalTime(&now);
    char name[64];
    snprintf(name, sizeof name, "ZOQLOG_PLATFORM_%02d%02d%02d%02d%02d%04d.log", now.wMonth,
             now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    return StartLogFile(&g_hLog, folder, name);
}
