// A simulated camera: a SimDevice whose function is the camera model.
#pragma once

#include "model/CameraModel.h"
#include "usb/SimDevice.h"

namespace zoqsim {

class SimCamera : public SimDevice {
public:
    // The model behind the device: registers, EEPROM, frames, camera faults.
    CameraModel& model();

private:
    friend class Testbed;
    using SimDevice::SimDevice;
};

}  // namespace zoqsim
