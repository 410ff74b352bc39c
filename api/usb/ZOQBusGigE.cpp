#include "usb/ZOQBusGigE.h"

int CZOQBusGigE::AddAllDevice() {
    for (int i = 0; i < GetDeviceNumOnBus(); ++i) AddDevice(new CZOQDeviceOnBusGigE(this));
    return m_nDeviceCount;
}
