// Command line of the zoqcam tool.
#pragma once

#include <optional>
#include <string>

namespace zoqcam {

enum class Format { Bmp, Jpg, Raw };

struct FieldOfView {
    int columnStart = 0;
    int rowStart = 0;
    int columnSize = 0;
    int rowSize = 0;
    int addressMode = 0;
};

struct Options {
    bool simulate = false;
    std::string simulatedCameras = "52";  // camera list of --simulate=TYPES
    std::string command;                  // list, info, capture
    int index = 0;
    int count = 1;
    std::string outDir = ".";
    Format format = Format::Bmp;
    int jpegQuality = 90;
    std::optional<FieldOfView> fov;
    std::optional<float> exposureMs;
    std::optional<int> gain;
};

// Parses argv; on a usage error prints the reason and returns false.
bool ParseOptions(int argc, char** argv, Options* options);
void PrintUsage();

}  // namespace zoqcam
