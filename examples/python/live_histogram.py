#!/usr/bin/python3
"""A live histogram of the first camera's raw frames in the terminal, from
continuous acquisition. Stops after COUNT frames (default: at Ctrl-C).

    ./live_histogram.py [COUNT]         # or: zoqsim-run --motion -- ./live_histogram.py
"""
import sys

import numpy as np

import zoqcam

BINS = 16
WIDTH = 50  # characters of the longest bar


def draw(frame, counts, first: bool) -> None:
    if not first and sys.stdout.isatty():
        print(f"\x1b[{BINS + 1}A", end="")  # back to the top of the last one
    top = max(int(counts.max()), 1)
    step = (256 if frame.bit_count == 8 else 65536) // BINS
    print(f"frame {frame.sequence:6d}  {frame.width} x {frame.height}, "
          f"mean {frame.image.mean():7.1f}     ")
    for i, n in enumerate(counts):
        bar = "#" * int(round(WIDTH * int(n) / top))
        print(f"{i * step:5d} {bar:<{WIDTH}} {int(n):9d}")


def main() -> int:
    count = int(sys.argv[1]) if len(sys.argv) > 1 else None
    with zoqcam.Camera(0) as cam:
        first = True
        try:
            for frame in cam.frames(count=count, raw=True):
                if not frame.ok:
                    print(f"frame {frame.sequence}: {frame.error_text} ({frame.status})")
                    continue
                top = 256 if frame.bit_count == 8 else 65536
                counts, _ = np.histogram(frame.image, bins=BINS, range=(0, top))
                draw(frame, counts, first)
                first = False
        except KeyboardInterrupt:
            pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
