// zoqcam: list ZOQ cameras, show their settings and capture frames to files,
// on attached cameras or on simulated ones (--simulate).
#include <cstdio>

#include "Access.h"
#include "Commands.h"
#include "Options.h"
#include "Report.h"
#include "Simulation.h"
#include "zoqapi.h"

int main(int argc, char** argv) {
    zoqcam::Options options;
    if (!zoqcam::ParseOptions(argc, argv, &options)) {
        fprintf(stderr, "run 'zoqcam --help' for the usage\n");
        return 2;
    }
    if (options.command == "help") {
        zoqcam::PrintUsage();
        return 0;
    }
    if (options.simulate) {
        zoqcam::RunSimulated(argc, argv, options.simulatedCameras);
        return 1;
    }
    if (!zoqcam::Check(ZOQ_Init(), "starting the library")) return 1;
    int status = 0;
    bool complete = true;
    if (options.command == "list")
        status = zoqcam::RunList(&complete);
    else if (options.command == "info")
        status = zoqcam::RunInfo(options.index);
    else
        status = zoqcam::RunCapture(options);
    ZOQ_UnInit();
    // A camera this user may not open is not listed, or listed without its
    // identity: say which device node it is and what grants access.
    if (!complete) zoqcam::ReportInaccessibleCameras();
    return status;
}
