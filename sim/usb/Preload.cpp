#include "usb/Preload.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>

namespace zoqsim {

bool usbfsEmulationRequested() {
    const char* preload = std::getenv("LD_PRELOAD");
    return preload != nullptr && std::strstr(preload, "libumockdev-preload") != nullptr;
}

bool usbfsEmulationLoaded() {
    if (!usbfsEmulationRequested())
        return false;
    // RTLD_NOLOAD only looks: it finds the library when the loader preloaded it.
    void* handle = dlopen(kUmockdevPreload, RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        return false;
    dlclose(handle);
    return true;
}

}  // namespace zoqsim
