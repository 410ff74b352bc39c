#include "Options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace zoqcam {

namespace {

bool ParseInt(const std::string& text, int* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    long v = strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < -2147483647L || v > 2147483647L) return false;
    *value = static_cast<int>(v);
    return true;
}

bool ParseFloat(const std::string& text, float* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    *value = strtof(text.c_str(), &end);
    return *end == '\0';
}

// x,y,w,h[,mode]
bool ParseFov(const std::string& text, FieldOfView* fov) {
    std::vector<int> parts;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ',')) {
        int v = 0;
        if (!ParseInt(item, &v)) return false;
        parts.push_back(v);
    }
    if (parts.size() != 4 && parts.size() != 5) return false;
    fov->columnStart = parts[0];
    fov->rowStart = parts[1];
    fov->columnSize = parts[2];
    fov->rowSize = parts[3];
    fov->addressMode = parts.size() == 5 ? parts[4] : 0;
    return true;
}

bool Fail(const char* message, const std::string& detail = "") {
    fprintf(stderr, "zoqcam: %s%s\n", message, detail.c_str());
    return false;
}

}  // namespace

void PrintUsage() {
    printf(
        "usage: zoqcam [--simulate[=TYPES]] COMMAND\n"
        "\n"
        "commands:\n"
        "  list                      index, device type, model, serial and firmware of\n"
        "                            every camera\n"
        "  info INDEX                sizes, capabilities and current settings\n"
        "  capture INDEX [options]   capture frames into files\n"
        "      --count N             number of frames (default 1)\n"
        "      --out DIR             folder for the files (default .)\n"
        "      --format bmp|jpg|raw  file format (default bmp)\n"
        "      --quality Q           JPEG quality 1-100 (default 90)\n"
        "      --fov x,y,w,h[,mode]  sensor window and address mode (0-4)\n"
        "      --exposure MS         exposure time in milliseconds\n"
        "      --gain N              sensor gain index for all colours\n"
        "\n"
        "--simulate[=TYPES] runs against simulated cameras instead of the attached\n"
        "ones; TYPES lists device types, e.g. 52,53 or 52x2 (default 52).\n");
}

bool ParseOptions(int argc, char** argv, Options* options) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](const char* name, std::string* out) {
            if (i + 1 >= argc) return Fail("missing value of ", name);
            *out = argv[++i];
            return true;
        };
        std::string v;
        if (arg == "--simulate") {
            options->simulate = true;
        } else if (arg.rfind("--simulate=", 0) == 0) {
            options->simulate = true;
            options->simulatedCameras = arg.substr(strlen("--simulate="));
        } else if (arg == "--count") {
            if (!value("--count", &v)) return false;
            if (!ParseInt(v, &options->count) || options->count < 1)
                return Fail("--count needs a positive number");
        } else if (arg == "--out") {
            if (!value("--out", &options->outDir)) return false;
        } else if (arg == "--format") {
            if (!value("--format", &v)) return false;
            if (v == "bmp")
                options->format = Format::Bmp;
            else if (v == "jpg" || v == "jpeg")
                options->format = Format::Jpg;
            else if (v == "raw")
                options->format = Format::Raw;
            else
                return Fail("unknown format ", v);
        } else if (arg == "--quality") {
            if (!value("--quality", &v)) return false;
            if (!ParseInt(v, &options->jpegQuality) || options->jpegQuality < 1 ||
                options->jpegQuality > 100)
                return Fail("--quality needs 1 to 100");
        } else if (arg == "--fov") {
            if (!value("--fov", &v)) return false;
            FieldOfView fov;
            if (!ParseFov(v, &fov)) return Fail("--fov needs x,y,w,h or x,y,w,h,mode");
            options->fov = fov;
        } else if (arg == "--exposure") {
            if (!value("--exposure", &v)) return false;
            float ms = 0;
            if (!ParseFloat(v, &ms)) return Fail("--exposure needs milliseconds");
            options->exposureMs = ms;
        } else if (arg == "--gain") {
            if (!value("--gain", &v)) return false;
            int gain = 0;
            if (!ParseInt(v, &gain)) return Fail("--gain needs a number");
            options->gain = gain;
        } else if (arg == "-h" || arg == "--help") {
            options->command = "help";
            return true;
        } else if (!arg.empty() && arg[0] == '-') {
            return Fail("unknown option ", arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.empty()) return Fail("missing command (list, info or capture)");
    options->command = positional[0];
    if (options->command == "list") return positional.size() == 1 || Fail("list takes no index");
    if (options->command != "info" && options->command != "capture")
        return Fail("unknown command ", options->command);
    if (positional.size() != 2 || !ParseInt(positional[1], &options->index))
        return Fail(options->command.c_str(), " needs a camera index");
    return true;
}

}  // namespace zoqcam
