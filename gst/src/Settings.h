// zoqsrc's properties as plain values, applied to a camera when it starts.
#pragma once

#include <string>

namespace zoqgst {

struct Settings {
    int camera = 0;        // index, when serial is -1
    int serial = -1;       // serial number, or -1
    double exposure = -1;  // milliseconds; < 0 leaves the camera's
    int gain = -1;         // sensor gain index; < 0 leaves the camera's
    bool autoExposure = false;
    int whiteBalance = -1;           // ZOQ_WB_MODE; < 0 leaves the camera's
    std::string fieldOfView;         // "x,y,width,height[,column mode,row mode]"; "" leaves it
    double frameRate = 0;            // > 0: fixed frame rate (trigger mode 3)
    int triggerMode = 0;             // ZOQ_TRIGGERMODE, when frameRate is 0
    int buffers = 4;                 // frames in the stream's pool
    bool drop = true;                // drop the oldest frame when downstream falls behind
    unsigned int timeoutMs = 10000;  // without a good frame: an error
};

// Parses a field-of-view text; false for a malformed one.
bool ParseFieldOfView(const std::string& text, int window[6]);

}  // namespace zoqgst
