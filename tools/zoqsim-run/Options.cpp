#include "Options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "CameraList.h"

namespace zoqsimrun {

void PrintUsage() {
    printf(
        "usage: zoqsim-run [--cameras=TYPES] [--fault=FAULT]... [--motion[=PX]] [--] PROGRAM "
        "[ARGS...]\n"
        "\n"
        "Runs PROGRAM, unmodified, with simulated ZOQ cameras attached: the SDK in\n"
        "PROGRAM finds them as it finds real ones. Exits with PROGRAM's status.\n"
        "\n"
        "  --cameras=TYPES   device types in enumeration order, e.g. 52,53 or 52x2, or\n"
        "                    all (one of every type; default 52: one colour MT9P031);\n"
        "                    TYPE@40MB/s, @15fps: the speed of a real link; TYPE@16bit:\n"
        "                    16-bit transfer on from the start\n"
        "  --fault=FAULT     CAMERA:KIND[:ARGS], CAMERA indexing the list above:\n"
        "      N:denied                 the device node cannot be opened (EACCES)\n"
        "      N:control-timeout[:C]    the next C control transfers time out\n"
        "      N:bulk-timeout[:C]       the next C frame reads time out\n"
        "      N:bulk-error[:C]         the next C frame reads fail with a bus error\n"
        "      N:short-frame:BYTES[:C]  the next C frames end after BYTES bytes\n"
        "      N:lost-frame[:C]         the next C triggers bring no frame: reads time out\n"
        "      N:refuse:REQUEST[:C]     the next C vendor requests REQUEST are refused\n"
        "      N:unplug:MS              the camera is unplugged MS ms after the start\n"
        "                               (0: before the program starts)\n"
        "      N:replug:MS              the camera is unplugged and plugged in again\n"
        "                    short-frame and lost-frame take @F: from the camera's F-th\n"
        "                    frame on (from 1), e.g. 0:lost-frame@5\n"
        "  --motion[=PX]     the scene pans PX pixels a frame (default 2), back and\n"
        "                    forth, so that a stream looks live\n"
        "  --help, --version\n");
}

bool ParseOptions(int argc, char** argv, Options* options, std::string* error) {
    std::string cameras = "52";
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg.empty() || arg[0] != '-') break;  // the program
        if (arg == "--help" || arg == "-h") {
            options->help = true;
            return true;
        }
        if (arg == "--version") {
            options->version = true;
            return true;
        }
        if (arg.rfind("--cameras=", 0) == 0) {
            cameras = arg.substr(strlen("--cameras="));
        } else if (arg == "--motion") {
            options->motion = 2.0;
        } else if (arg.rfind("--motion=", 0) == 0) {
            const std::string value = arg.substr(strlen("--motion="));
            char* end = nullptr;
            options->motion = strtod(value.c_str(), &end);
            if (value.empty() || *end != '\0' || !(options->motion >= 0 && options->motion <= 64)) {
                *error = "--motion needs pixels a frame, 0 to 64";
                return false;
            }
        } else if (arg.rfind("--fault=", 0) == 0) {
            zoqsim::FaultOption fault;
            if (!zoqsim::parseFaultOption(arg.substr(strlen("--fault=")), fault, *error))
                return false;
            options->faults.push_back(fault);
        } else {
            *error = "unknown option " + arg;
            return false;
        }
    }
    if (!zoqsim::parseCameraList(cameras, options->cameras, *error)) {
        *error = "--cameras=" + cameras + ": " + *error;
        return false;
    }
    for (zoqsim::CameraConfig& camera : options->cameras) camera.scene.motion = options->motion;
    for (const zoqsim::FaultOption& fault : options->faults) {
        if (fault.camera >= options->cameras.size()) {
            *error = "--fault names camera " + std::to_string(fault.camera) + " of " +
                     std::to_string(options->cameras.size());
            return false;
        }
    }
    for (; i < argc; ++i) options->command.emplace_back(argv[i]);
    if (options->command.empty()) {
        *error = "no program to run";
        return false;
    }
    return true;
}

}  // namespace zoqsimrun
