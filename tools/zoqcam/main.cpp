// zoqcam: list ZOQ cameras, inspect and set them up, capture and stream
// frames into files, on attached cameras or on simulated ones (--simulate).
#include <cstdio>

#include "Access.h"
#include "Camera.h"
#include "Cli.h"
#include "Commands.h"
#include "Simulation.h"
#include "zoq_version.h"
#include "zoqapi.h"

namespace {

int RunCommand(const zoqcam::Options& options) {
    using zoqcam::Command;
    if (options.command == Command::List) {
        bool complete = true;
        const int status = zoqcam::RunList(options, &complete);
        ZOQ_UnInit();
        // A camera this user may not open is not listed, or listed without
        // its identity: say which device node it is and what grants access.
        if (!complete) zoqcam::ReportInaccessibleCameras();
        return status;
    }
    int index = 0;
    int status = zoqcam::ChooseCamera(options, &index);
    if (status == zoqcam::kOk) {
        switch (options.command) {
            case Command::Info:
                status = zoqcam::RunInfo(options, index);
                break;
            case Command::Params:
                status = zoqcam::RunParams(options, index);
                break;
            case Command::Query:
                status = zoqcam::RunQuery(options, index);
                break;
            case Command::Eeprom:
                status = zoqcam::RunEeprom(options, index);
                break;
            case Command::Settings:
                status = zoqcam::RunSettings(options, index);
                break;
            default:
                status = zoqcam::RunFrames(options, index);
        }
    }
    ZOQ_UnInit();
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    zoqcam::Options options;
    const int parsed = zoqcam::ParseCommandLine(argc, argv, &options);
    if (parsed != zoqcam::kOk) return parsed;
    if (options.command == zoqcam::Command::Help) {
        zoqcam::PrintHelp(options.helpTopic);
        return zoqcam::kOk;
    }
    if (options.command == zoqcam::Command::Version) {
        printf("zoqcam %s\n", ZOQ_VERSION_STRING);
        return zoqcam::kOk;
    }
    if (options.simulate)
        return zoqcam::RunSimulated(argc, argv, options.simulation,
                                    options.command == zoqcam::Command::Stream);
    zoqcam::SetQuiet(options.quiet);
    zoqcam::SeparateOutput(options.quiet);
    if (zoqcam::StartLibrary(options) != zoqcam::kOk) return zoqcam::kFailed;
    const int status = RunCommand(options);
    fflush(zoqcam::Out());
    return status;
}
