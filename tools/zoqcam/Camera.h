// Starting the library and finding the camera a command names.
#pragma once

#include <string>

#include "Cli.h"

namespace zoqcam {

// Chooses the cameras' log folder (or none) and starts the library.
// kOk, or kFailed after a message.
int StartLibrary(const Options& options);

// The index of the camera named by INDEX or --serial. kOk, or kFailed after
// a message when there is no such camera.
int ChooseCamera(const Options& options, int* index);

// "camera 0 (ZOQ-MT9P031-C, serial 1)", for headings.
std::string CameraTitle(int index);

// Creates a folder and its parents. False after a message.
bool MakeFolder(const std::string& path);

}  // namespace zoqcam
