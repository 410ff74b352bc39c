// Simulated cameras named on a command line, for `zoqsim-run --cameras=TYPES`
// (and so `zoqcam --simulate=TYPES`): "52,104" is one camera of each device type,
// "52x2" two of type 52, "all" one of every simulated device type, and the
// forms mix ("52x2,104"). Each item may add how fast its cameras are, as real
// ones on a USB 2.0 link: "52@40MB/s" is a bulk link of 40 000 000 bytes per
// second (also kB/s and B/s), "52@15fps" a frame period of 1/15 s, and
// "52x2@40MB/s@15fps" both. "52@16bit" powers up with 16-bit transfer on.
#pragma once

#include "model/CameraModel.h"

#include <string>
#include <vector>

namespace zoqsim {

class SimCamera;
class Testbed;

// Parses a camera list into configs with serial numbers 1, 2, 3, ... in list
// order. False, with the reason in `error`, for an empty list, a malformed
// item, a device type the model does not have, or more than 255 cameras
// (the serial number is one byte).
bool parseCameraList(const std::string& text, std::vector<CameraConfig>& configs, std::string& error);

// Attaches the cameras so that libusb, and with it the SDK's device index,
// lists them in the order given: configs[0] becomes device 0. Returns them in
// that order.
std::vector<SimCamera*> attachCameras(Testbed& bed, const std::vector<CameraConfig>& configs);

}  // namespace zoqsim
