// Faults named on a command line (zoqsim-run --fault=CAMERA:KIND[:ARGS]),
// for programs that cannot arm them through the test API themselves.
//
//   0:denied                 opening camera 0's device node fails (EACCES)
//   0:control-timeout[:N]    the next N control transfers time out
//   0:bulk-timeout[:N]       the next N frame reads time out
//   0:bulk-error[:N]         the next N frame reads fail with a bus error
//   0:short-frame:BYTES[:N]  the next N frames end after BYTES bytes
//   0:lost-frame[:N]         the camera takes the next N triggers but sends
//                            no frame: the reads time out
//   0:refuse:REQUEST[:N]     the next N vendor requests REQUEST are refused
//   0:unplug:MS              the camera is unplugged MS ms after the start
//   0:replug:MS              the camera is unplugged and plugged in again
//
// N defaults to 1; REQUEST is decimal or 0x-hexadecimal. The frame faults
// (short-frame, lost-frame) take a suffix @F: they start at the camera's
// F-th frame (counted from 1) instead of the next one, e.g. 0:lost-frame@5.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zoqsim {

class SimCamera;

enum class FaultKind {
    Denied,
    ControlTimeout,
    BulkTimeout,
    BulkError,
    ShortFrame,
    LostFrame,
    Refuse,
    Unplug,
    Replug,
};

struct FaultOption {
    std::size_t camera = 0;  // index in the camera list
    FaultKind kind = FaultKind::Denied;
    unsigned count = 1;
    unsigned long value = 0;  // BYTES, REQUEST or MS
    unsigned after = 0;       // frames that pass before it (@F: F - 1)
};

// False, with the reason in `error`, for text that does not follow the
// grammar above. The camera index is not checked against any list.
bool parseFaultOption(const std::string& text, FaultOption& fault, std::string& error);

// True for the faults that armFault arms; Denied, Unplug and Replug are the
// runner's to carry out.
bool armsOnTransfers(FaultKind kind);
// Arms a fault on the camera's transfers or its firmware.
void armFault(SimCamera& camera, const FaultOption& fault);

// "/dev/bus/usb/BBB/DDD" of the camera's current address.
std::string deviceNode(const SimCamera& camera);

}  // namespace zoqsim
