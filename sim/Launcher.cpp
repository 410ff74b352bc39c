#include "Launcher.h"

#include "usb/Preload.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace zoqsim {

void relaunchUnderPreload(int argc, char** argv) {
    (void)argc;
    if (usbfsEmulationLoaded())
        return;
    if (usbfsEmulationRequested()) {
        // Asked for and still missing: running again would loop.
        std::fprintf(stderr, "zoqsim: %s could not be loaded; is umockdev installed?\n", kUmockdevPreload);
        std::exit(1);
    }
    const char* previous = std::getenv("LD_PRELOAD");
    std::string preload = kUmockdevPreload;
    if (previous != nullptr && *previous != '\0')
        preload += std::string(":") + previous;
    setenv("LD_PRELOAD", preload.c_str(), 1);
    // In AddressSanitizer builds the preloaded library comes before the
    // sanitizer runtime, which the runtime refuses unless told otherwise.
    const char* asan = std::getenv("ASAN_OPTIONS");
    std::string options = asan != nullptr ? asan : "";
    if (options.find("verify_asan_link_order") == std::string::npos) {
        options += options.empty() ? "" : ":";
        options += "verify_asan_link_order=0";
        setenv("ASAN_OPTIONS", options.c_str(), 1);
    }
    execv("/proc/self/exe", argv);
    std::fprintf(stderr, "zoqsim: cannot restart %s under %s: %s\n", argv[0], kUmockdevPreload,
                 std::strerror(errno));
    std::exit(1);
}

}  // namespace zoqsim
