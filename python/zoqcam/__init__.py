"""ZOQ industrial USB cameras from Python: frames as numpy arrays.

    import zoqcam
    for info in zoqcam.cameras():
        print(info.index, info.model, info.serial)
    with zoqcam.Camera(0) as cam:          # or zoqcam.Camera(serial=5)
        cam.exposure = 10.0                # milliseconds; cam.exposure_range
        image = cam.capture_rgb()          # height x width x 3, BGR, top row first
        for frame in cam.frames(count=100):
            if frame.ok:
                use(frame.image, frame.sequence, frame.timestamp)

Failed calls raise zoqcam.Error with the API's code and text.
"""

import atexit as _atexit

from ._errors import Error
from ._zoqcam import (
    Camera,
    CameraInfo,
    Frame,
    FrameIterator,
    StreamStats,
    cameras,
    error_text,
    set_log,
    _shutdown_at_exit,
    shutdown,
    version,
)

# Return codes worth testing for by name.
SUCCESS = 0
PARAMETER_ERROR = -1
NOT_SUPPORTED = -3
ILLEGAL_OPERATION = -6
FAIL = -8
RECOVERY_DONE = -10
BAD_FRAME = -12
TIMEOUT = -16

# Streams end and the library closes its cameras at exit.
_atexit.register(_shutdown_at_exit)

__all__ = [
    "Camera", "CameraInfo", "Error", "Frame", "FrameIterator", "StreamStats", "cameras",
    "error_text", "set_log", "shutdown", "version",
]
