// Cameras on the USB bus that this user may not open: the API counts them
// but cannot tell who they are, so zoqcam names their device nodes and the
// rules that grant access.
#pragma once

#include <string>
#include <vector>

namespace zoqcam {

// "/dev/bus/usb/BBB/DDD (vvvv:pppp)" of every camera whose node refuses to
// open for lack of permission.
std::vector<std::string> InaccessibleCameras();

// Prints them with what to do to stderr; nothing when there are none.
void ReportInaccessibleCameras();

}  // namespace zoqcam
