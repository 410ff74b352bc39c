// Started without umockdev's preload library by LauncherTest: restarts itself
// under it, then prints whether it is loaded and the arguments it got.
#include "Launcher.h"
#include "usb/Preload.h"

#include <cstdio>

int main(int argc, char** argv) {
    zoqsim::relaunchUnderPreload(argc, argv);
    std::printf("%s", zoqsim::usbfsEmulationLoaded() ? "loaded" : "missing");
    for (int i = 1; i < argc; ++i)
        std::printf(" [%s]", argv[i]);
    std::printf("\n");
    return 0;
}
