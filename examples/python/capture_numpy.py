#!/usr/bin/python3
"""Captures colour frames from the first camera as numpy arrays and saves
them as PNG files with OpenCV when it is installed (python3-opencv).

    ./capture_numpy.py [COUNT]          # or: zoqsim-run -- ./capture_numpy.py
"""
import sys

import zoqcam

try:
    import cv2
except ImportError:
    cv2 = None


def main() -> int:
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 3
    found = zoqcam.cameras()
    if not found:
        print("no camera found", file=sys.stderr)
        return 1
    saved = 0
    with zoqcam.Camera(0) as cam:
        print(f"camera 0: {cam.model}, serial {cam.serial}, exposure {cam.exposure:.2f} ms "
              f"(range {cam.exposure_range[0]} .. {cam.exposure_range[1]} ms)")
        for i in range(count):
            try:
                image = cam.capture_rgb()  # height x width x 3, B G R, top row first
            except zoqcam.Error as error:
                print(f"frame {i}: {error.text} ({error.code})", file=sys.stderr)
                continue
            means = image.reshape(-1, image.shape[-1]).mean(axis=0) if image.ndim == 3 else [image.mean()]
            print(f"frame {i}: {image.shape[1]} x {image.shape[0]} {image.dtype}, mean "
                  + " ".join(f"{m:.1f}" for m in means))
            if cv2 is not None:
                # OpenCV takes the B, G, R order as it comes.
                if cv2.imwrite(f"frame_{i}.png", image):
                    saved += 1
    if cv2 is None:
        print("OpenCV not installed (apt-get install python3-opencv): no images saved")
    else:
        print(f"saved {saved} PNG files (frame_0.png ...)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
