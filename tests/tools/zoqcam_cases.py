#!/usr/bin/python3
"""zoqcam on simulated cameras: each family of settings changes the saved
image or the reported value as the API says, and the tool keeps its
promises on output, files and exit codes.

Usage: zoqcam_cases.py ZOQCAM GROUP   (GROUP: one of GROUPS below)
"""
import json
import os
import struct
import subprocess
import sys
import tempfile
import time

ZOQCAM = sys.argv[1]
WORK = tempfile.mkdtemp(prefix="zoqcam-")
# Logs of runs that do not choose a folder go to the user's cache folder.
os.environ["XDG_CACHE_HOME"] = os.path.join(WORK, "cache")
SMALL = "0,0,320,240"


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


def run(args, sim="52", status=0, log=False):
    """Runs zoqcam; returns (stdout, stderr) as text after checking the status."""
    command = [ZOQCAM, "--simulate=" + sim] + ([] if log else ["--no-log"]) + args
    done = subprocess.run(command, capture_output=True, text=True, cwd=WORK, timeout=60)
    check(done.returncode == status,
          "%s: status %d, expected %d\n%s" % (" ".join(args), done.returncode, status, done.stderr))
    return done.stdout, done.stderr


def load(path):
    """A PGM or PPM file: (width, height, channels, maxval, samples)."""
    data = open(path, "rb").read()
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    width, height, maxval = int(fields[1]), int(fields[2]), int(fields[3])
    channels = 3 if fields[0] == b"P6" else 1
    return width, height, channels, maxval, data[at + 1:]


def capture(args, sim="52", fmt="ppm", fov=SMALL):
    """Captures one frame into a fresh folder and loads it."""
    out = tempfile.mkdtemp(dir=WORK)
    stdout, stderr = run(["capture", "0", "-o", out, "-f", fmt] +
                         (["--fov", fov] if fov else []) + args, sim)
    paths = stdout.split()
    check(len(paths) == 1 and os.path.exists(paths[0]), "no file named on stdout: " + stdout)
    return load(paths[0]), stderr


def means(image):
    width, height, channels, _, data = image
    return [sum(data[c::channels]) / (width * height) for c in range(channels)]


def spread(image):
    data = image[4]
    mean = sum(data) / len(data)
    return (sum((v - mean) ** 2 for v in data) / len(data)) ** 0.5


def rows(image):
    width, _, channels, _, data = image
    step = width * channels
    return [data[i:i + step] for i in range(0, len(data), step)]


def echoed(stderr, name):
    """The value an applied setting was echoed with."""
    for line in stderr.splitlines():
        if line.startswith("zoqcam: %s = " % name):
            return line.split(" = ", 1)[1]
    raise Failure("%s not echoed in:\n%s" % (name, stderr))


# ---- Groups ----

def cli():
    out, _ = run(["--version"])
    check(out.startswith("zoqcam 8."), "version: " + out)
    for args in (["--bogus", "list"], ["capture"], ["list", "--exposure", "5"],
                 ["capture", "0", "--json"], ["eeprom", "burn", "0"], ["capture", "0", "--gain", "x"],
                 ["stream", "0", "--count", "0"], ["frobnicate"]):
        _, err = run(args, status=2)
        check("zoqcam: " in err, "no reason for %s: %s" % (args, err))
    out, _ = run(["capture", "--help"])
    for setting in ("--exposure MS", "--wb ", "--ffc-load FILE", "--hsl-red H,S,L", "-e, --exposure"):
        check(setting in out, "capture --help lacks " + setting)
    check("--json" not in out, "capture --help offers --json")
    out, _ = run(["help", "list"])
    check("--json" in out and "--exposure" not in out, "help list: " + out)
    # Options before or after the command, =value or a separate value.
    run(["--fov=0,0,64,48", "capture", "0", "-o", "a", "--exposure", "5"])
    # Results alone on stdout: the library's console lines go to stderr.
    out, err = run(["list"])
    check(out.splitlines()[0] == "1 camera" and "ZOQAPI" not in out and "ZOQAPI" in err,
          "list output: %r / %r" % (out, err))
    out, _ = run(["list", "--json"], sim="52,53")
    listing = json.loads(out)
    check(listing["count"] == 2 and listing["cameras"][1]["model"] == "ZOQ-MT9P031-M", out)
    out, _ = run(["list"], sim="all")
    check(out.startswith("24 cameras"), "all: " + out)
    for command in ("info", "params", "query"):
        out, _ = run([command, "0", "--json"])
        json.loads(out)
    # --quiet leaves standard error to errors.
    _, err = run(["capture", "0", "-q", "-o", "q", "--fov", SMALL, "-e", "5"])
    check(err == "", "--quiet printed: " + err)
    # Demonstration faults map onto the simulator's; bad ones are refused
    # before it starts.
    for cameras in ("52:melt", "52:timeout@x", "all:timeout", "52:unplug"):
        _, err = run(["list"], sim=cameras, status=2)
        check("--simulate=" + cameras in err, err)
    out, err = run(["list"], sim="52:denied,53")
    check("permission denied" in err and "53" in out.splitlines()[2], out + err)
    out, _ = run(["--serial", "2", "info"], sim="52,53")
    check("ZOQ-MT9P031-M" in out, "--serial 2: " + out)
    run(["--serial", "9", "info"], status=1)
    run(["info", "3"], status=1)


def params():
    out, _ = run(["params", "0", "--json"])
    table = {p["name"]: p for p in json.loads(out)}
    check(table["gain-red"]["max"] == 153 and table["flip"]["max"] == 1, out)
    out, _ = run(["query", "0", "--json"], sim="53")
    answers = {q["name"]: q["value"] for q in json.loads(out)}
    check(len(answers) == 55 and answers["monochrome"] == 1 and answers["lut-input-bits"] == 12, out)
    out, _ = run(["info", "0", "--json"])
    info = json.loads(out)
    check(info["sensor"] == {"width": 2592, "height": 1944} and
          info["settings"]["demosaic"] == "fast-bilinear", out)


def sensor():
    dark, _ = capture(["--exposure", "4"])
    bright, err = capture(["--exposure", "16"])
    check(abs(float(echoed(err, "exposure").split()[0]) - 16) < 0.1, err)
    check(sum(means(bright)) > 3 * sum(means(dark)), "exposure: %s %s" % (means(dark), means(bright)))
    gained, err = capture(["--exposure", "4", "--gain", "40"])
    check(echoed(err, "gain") == "40" and sum(means(gained)) > 2 * sum(means(dark)), "gain")
    red, _ = capture(["--exposure", "4", "--gain-red", "40"])
    check(means(red)[0] > 2 * means(dark)[0] and abs(means(red)[2] - means(dark)[2]) < 1, "gain-red")
    for bad, limit in ((["--exposure", "-5"], "range 0 to"), (["--gain", "9999"], "0 to 153"),
                       (["--fov", "0,0,99999,99999"], "1 to 2592"),
                       (["--fov", "2000,0,1000,100"], "beyond 2592")):
        _, err = run(["capture", "0", "-o", "x"] + bad, status=2)
        check(limit in err, "%s: %s" % (bad, err))
    image, _ = capture([], sim="53", fmt="pgm", fov="100,50,64,48")
    check(image[:2] == (64, 48), "fov size %s" % (image[:2],))
    image, _ = capture(["--address-mode", "skip2"], sim="53", fmt="pgm", fov="0,0,128,96")
    check(image[:2] == (64, 48), "skip2 size %s" % (image[:2],))
    plain, _ = capture([], sim="53", fmt="pgm")
    flipped, _ = capture(["--flip", "on"], sim="53", fmt="pgm")
    mirrored, _ = capture(["--mirror", "on"], sim="53", fmt="pgm")
    check(rows(flipped) == rows(plain)[::-1], "flip")
    check(rows(mirrored) == [r[::-1] for r in rows(plain)], "mirror")


def trigger():
    # Type 52 reports the fixed rate but takes no trigger mode.
    _, err = run(["settings", "show", "0", "--trigger", "fixed-rate"], status=1)
    check("(-3)" in err, err)
    _, err = run(["settings", "show", "0", "--frame-rate", "20"], sim="86", status=2)
    check("needs --trigger fixed-rate" in err, err)
    out, err = run(["settings", "show", "0", "--trigger", "fixed-rate", "--frame-rate", "20",
                    "--trigger-method", "2", "--trigger-delay", "100"], sim="86")
    check("trigger = fixed-rate" in out and "trigger-method = 2" in out and
          "trigger-delay = 100" in out, out)
    check(abs(float(echoed(err, "frame-rate").split()[0]) - 20) < 0.1, err)
    _, err = run(["settings", "show", "0", "--trigger-delay", "5"], sim="3", status=2)
    check("has no trigger-delay" in err, err)
    # A frame that never comes times out after --timeout; recovery finds
    # the camera again.
    start = time.monotonic()
    _, err = run(["capture", "0", "-o", "t", "--timeout", "200", "--recover", "on"],
                 sim="52:timeout", status=1)
    check("frame 1:" in err and echoed(err, "timeout") == "200 ms" and
          echoed(err, "recover") == "on", err)
    check(time.monotonic() - start < 10, "the time-out took %.1f s" % (time.monotonic() - start))


def output():
    width, height = 64, 48
    fov = "0,0,%d,%d" % (width, height)
    sizes = {"raw": width * height, "gray": width * height, "bgr24": 3 * width * height,
             "bgr32": 4 * width * height}
    for kind, size in sizes.items():
        out, _ = run(["capture", "0", "-o", kind, "-f", "raw", "--fov", fov, "--output", kind])
        check(os.path.getsize(os.path.join(WORK, out.strip())) == size, "%s raw file size" % kind)
    up, _ = run(["capture", "0", "-o", "up", "-f", "raw", "--fov", fov, "--output", "gray"])
    down, _ = run(["capture", "0", "-o", "down", "-f", "raw", "--fov", fov, "--output", "gray",
                   "--row-order", "top-down"])
    up = open(os.path.join(WORK, up.strip()), "rb").read()
    down = open(os.path.join(WORK, down.strip()), "rb").read()
    check([up[i:i + width] for i in range(0, len(up), width)][::-1] ==
          [down[i:i + width] for i in range(0, len(down), width)], "row order")
    # Files show the image upright whatever the order in memory.
    a, _ = capture(["--output", "bgr24"])
    b, _ = capture(["--output", "bgr32", "--row-order", "top-down"])
    check(a == b, "PPM of bgr32 top-down differs from bgr24 bottom-up")
    nearest, _ = capture(["--demosaic", "nearest"])
    laplacian, err = capture(["--demosaic", "laplacian"])
    check(echoed(err, "demosaic") == "laplacian" and nearest[4] != laplacian[4], "demosaic")
    _, err = run(["capture", "0", "-o", "x", "-f", "ppm", "--output", "gray"], status=2)
    check("PPM holds colour" in err, err)


def files():
    out = os.path.join(WORK, "runs")
    first, _ = run(["capture", "0", "-o", out, "--fov", SMALL, "-n", "2", "-f", "pgm"], log=True)
    second, _ = run(["capture", "0", "-o", out, "--fov", SMALL, "-f", "bmp"], log=True)
    again, _ = run(["capture", "0", "-o", out, "--fov", SMALL, "-f", "pgm", "--overwrite"])
    names = [os.path.basename(p) for p in (first + second + again).split()]
    check(names == ["cam0_0000.pgm", "cam0_0001.pgm", "cam0_0002.bmp", "cam0_0000.pgm"], names)
    check(load(os.path.join(out, "cam0_0001.pgm"))[:4] == (320, 240, 1, 255), "raw PGM header")
    png, _ = run(["capture", "0", "-o", out, "--fov", SMALL, "-f", "png"])
    check(open(png.strip(), "rb").read(8) == b"\x89PNG\r\n\x1a\n", "PNG signature")
    check(os.listdir(os.path.join(WORK, "cache", "zoq")), "no log in the cache folder")
    run(["--log-dir", "logs", "list"], log=True)
    check(os.listdir(os.path.join(WORK, "logs")), "no log in --log-dir")
    check(not os.path.exists(os.path.join(WORK, "ZOQApiLog")), "logs in the current folder")


def tone():
    plain, _ = capture([], fmt="pgm")
    black, _ = capture(["--brightness", "-128"], fmt="pgm")
    check(max(black[4]) == 0, "brightness -128 leaves light")
    flat, _ = capture(["--contrast", "-128"], fmt="pgm")
    check(set(flat[4]) == {128}, "contrast -128 is not all 128")
    brighter, err = capture(["--gamma", "5"], fmt="pgm")
    check(echoed(err, "gamma") == "5" and means(brighter)[0] > means(plain)[0] + 10, "gamma")
    _, err = run(["capture", "0", "-o", "x", "--gamma", "12"], status=2)
    check("range -9 to 9" in err, err)
    # Software bad-pixel correction (type 3 corrects none itself) removes
    # the sensor's hot pixels.
    hot, _ = capture(["--exposure", "5"], sim="3", fmt="pgm", fov=None)
    cured, _ = capture(["--exposure", "5", "--bad-pixels", "low"], sim="3", fmt="pgm", fov=None)
    check(hot[4].count(255) == 8 and cured[4].count(255) == 0, "bad pixels")
    # A look-up table file that inverts, downloaded into the camera (type 52
    # cannot switch its table on).
    table = os.path.join(WORK, "invert.lut")
    header = struct.pack("<H8sBB8sII", 0x0100, b"", ord("A"), 12, b"", 0, 4096)
    open(table, "wb").write(header + bytes(255 - (i >> 4) for i in range(4096)))
    straight, _ = capture([], sim="53", fmt="pgm")
    inverted, err = capture(["--lut-file", table, "--lut", "on"], sim="53", fmt="pgm")
    check(echoed(err, "lut") == "on" and
          abs(means(inverted)[0] - (255 - means(straight)[0])) < 2,
          "LUT: %s %s" % (means(straight), means(inverted)))


def colour():
    plain, _ = capture([])
    gray, _ = capture(["--saturation", "-128"])
    check(all(gray[4][i] == gray[4][i + 1] == gray[4][i + 2] for i in range(0, len(gray[4]), 3)),
          "saturation -128 left colour")
    white, _ = capture(["--hsl", "on"] + sum((["--hsl-" + r, "0,0,100"] for r in
                                             ("master", "red", "yellow", "green", "cyan", "blue",
                                              "magenta")), []))
    check(set(white[4]) == {255}, "lightness +100 everywhere is not white")
    _, err = run(["capture", "0", "-o", "x", "--hsl-red", "200,0,0"], status=2)
    check("hue 200 is outside" in err, err)
    doubled, err = capture(["--wb", "manual", "--wb-gains", "2,1,1"])
    check(echoed(err, "wb-gains") == "2,1,1", err)
    check(abs(means(doubled)[0] - 2 * means(plain)[0]) < 2 and means(doubled)[1] == means(plain)[1],
          "wb gains 2,1,1: %s %s" % (means(plain), means(doubled)))
    _, err = run(["capture", "0", "-o", "x", "--wb-gains", "2,1,1"], status=2)
    check("needs --wb manual" in err, err)
    # Once: measured on the frame itself, it pulls a red cast back.
    cast, _ = capture(["--gain-red", "40"])
    balanced, err = capture(["--gain-red", "40", "--wb", "once"])
    check("white balance gains = " in err, err)
    ratio = lambda m: max(m) / min(m)
    check(ratio(means(balanced)) < ratio(means(cast)) / 2, "wb once: %s" % means(balanced))
    _, err = run(["capture", "0", "-o", "x", "--wb", "once"], sim="53", status=2)
    check("monochrome" in err, err)
    # Presets are the camera model's: type 52 has three.
    preset, err = capture(["--wb", "preset", "--wb-preset", "2", "--ccm", "preset", "--ccm-preset",
                           "1"])
    check(echoed(err, "wb") == "preset" and echoed(err, "ccm-preset") == "1" and
          means(preset) != means(plain), "presets: %s" % err)
    _, err = run(["capture", "0", "-o", "x", "--wb", "preset", "--wb-preset", "3"], status=2)
    check("does not take that value" in err, err)
    swapped, _ = capture(["--ccm", "manual", "--ccm-matrix", "0,0,1,0,1,0,1,0,0"])
    m, s = means(plain), means(swapped)
    check(abs(m[0] - s[2]) < 0.01 and abs(m[2] - s[0]) < 0.01, "ccm swap: %s %s" % (m, s))


def calibration():
    # Dark and flat frames of the same view leave nothing to see:
    # (sample - dark) x gain is 0 everywhere.
    plain, _ = capture([], fmt="pgm")
    corrected, err = capture(["--make-dark", "2", "--make-flat", "2", "--ffc", "on"], fmt="pgm")
    check(echoed(err, "ffc") == "on" and max(corrected[4]) == 0 and max(plain[4]) > 0, "ffc")
    # Frames made for another window do not apply.
    other, _ = capture(["--ffc-window", "0,0,64,48", "--make-dark", "1", "--make-flat", "1",
                        "--ffc", "on"], fmt="pgm")
    check(other == plain, "ffc applied to another window")
    _, err = run(["capture", "0", "-o", "x", "--ffc", "on"], status=1)
    check("Illegal" in err or "(-6)" in err, err)
    # A calibration map that mirrors the image.
    width, height = 320, 240
    columns = b"".join(struct.pack("<H", width - 1 - x) for y in range(height) for x in range(width))
    lines = b"".join(struct.pack("<H", y) for y in range(height) for x in range(width))
    zero = bytes(2 * width * height)
    path = os.path.join(WORK, "mirror.map")
    open(path, "wb").write(b"CM" + struct.pack("<HiiiII", 0x0100, width, height, 0, 2 * width * height,
                                               2 * width * height) + columns + zero + lines + zero)
    colour, _ = capture([])
    remapped, err = capture(["--calib-map", path, "--calib", "on", "--calib-mode", "nearest"])
    check(echoed(err, "calib-map") == path, err)
    check(rows(remapped) == [b"".join(r[i:i + 3] for i in range(len(r) - 3, -3, -3))
                             for r in rows(colour)], "calibration map did not mirror")


def flatfield_files():
    """Flat-field data saved in one run corrects frames of another."""
    five, _ = capture(["--exposure", "5"], fmt="pgm")
    ten, _ = capture(["--exposure", "10"], fmt="pgm")
    path = os.path.join(WORK, "ffc.bin")
    command = [ZOQCAM, "--simulate", "--no-log", "capture", "0", "-o", "ffc", "-f", "pgm", "--fov",
               SMALL, "--exposure", "5", "--make-dark", "2", "--make-flat", "2", "--ffc", "on",
               "--ffc-save", path]
    done = subprocess.run(command, capture_output=True, text=True, cwd=WORK)
    check(done.returncode == 0, done.stderr)
    pixels = 320 * 240
    check(os.path.getsize(path) == 44 + 5 * pixels, "flat-field file of %d bytes" % os.path.getsize(path))
    # Dark and flat frames alike give gains of 1: what is left is the
    # difference from the dark frame.
    corrected, _ = capture(["--exposure", "10", "--ffc-load", path, "--ffc", "on"], fmt="pgm")
    check(corrected[4] == bytes(max(0, a - b) for a, b in zip(ten[4], five[4])),
          "the loaded correction is not (sample - dark) x 1")


def autoexposure():
    _, err = run(["capture", "0", "-o", "a", "--fov", SMALL, "--exposure", "2", "--ae", "once",
                  "--ae-target", "100", "--ae-range", "1,100", "--output", "gray", "-f", "pgm"])
    check("auto exposure reached the target" in err, err)
    exposure = float(err.split("auto exposure reached the target")[1].split("= ")[1].split()[0])
    check(exposure > 20, "auto exposure ended at %g ms" % exposure)
    _, err = run(["capture", "0", "-o", "a", "--ae-target", "300"], status=2)
    check("range 0 to 255" in err, err)
    _, err = run(["capture", "0", "-o", "a", "--ae-range", "5,1"], status=2)
    check("minimum is above" in err, err)
    out, _ = run(["settings", "show", "0", "--ae", "continuous", "--ae-region", "0,0,100,100"])
    check("ae = continuous" in out and "ae-region = 0,0,100,100" in out, out)


def settings():
    path = os.path.join(WORK, "setup.txt")
    given = ["--fov", SMALL, "--exposure", "12", "--gamma", "3", "--wb", "manual", "--wb-gains",
             "1.5,1,0.75", "--saturation", "40", "--hsl-red", "10,5,0", "--hsl", "on",
             "--demosaic", "bilinear"]
    out, _ = run(["settings", "save", "0", path] + given)
    check(out.strip() == path, out)
    text = open(path).read()
    for line in ("gamma = 3", "wb = manual", "wb-gains = 1.5,1,0.75", "hsl-red = 10,5,0",
                 "fov = 0,0,320,240,0"):
        check(line + "\n" in text, "settings file lacks " + line)
    to_stdout, _ = run(["settings", "save", "0", "-"] + given)
    check(to_stdout.splitlines()[1:] == text.splitlines()[1:], "save to - differs")
    shown, _ = run(["settings", "load", "0", path])
    check(shown.splitlines()[1:] == text.splitlines()[1:], "load shows another setup")
    direct, _ = capture(given[2:])
    from_file, _ = capture(["--settings", path])
    check(direct == from_file, "a saved setup captures differently")
    # The command line comes after the file.
    overridden, err = capture(["--settings", path, "--gamma", "-3"])
    check(echoed(err, "gamma") == "-3", err)
    open(path, "a").write("exposur = 3\n")
    _, err = run(["settings", "load", "0", path], status=2)
    check("%s:%d" % (path, len(text.splitlines()) + 1) in err, err)


def eeprom():
    _, err = run(["eeprom", "set", "0", "working-mode", "0x1234"], status=2)
    check("--yes" in err, err)
    out, _ = run(["eeprom", "set", "0", "working-mode", "0x1234", "--yes"])
    check(out.strip() == "0x1234", out)
    out, _ = run(["eeprom", "set", "0", "hw-wb-gains", "1,0.5,-0.25", "--yes"])
    check(out.strip() == "1,0.5,-0.25", out)
    out, _ = run(["eeprom", "set", "0", "0x100", "12,0x34", "--yes"])
    check(out.strip() == "000100: 0c 34", out)
    out, _ = run(["eeprom", "get", "0", "0x3ffff"])
    check(out.strip() == "03ffff: 01", "serial byte: " + out)
    _, err = run(["eeprom", "get", "0", "0x40000"], status=2)
    check("0x3ffff" in err, err)
    out, _ = run(["eeprom", "dump", "0", "--json"], sim="53")
    dump = json.loads(out)
    check(dump["items"]["serial"] == "1" and len(dump["bytes"]) == 2 * 0x40000, out[:200])
    _, err = run(["eeprom", "set", "0", "hw-ccm", "1,0,0,0,1,0,0,0,1", "--yes"], sim="3", status=1)
    check("(-3)" in err, err)


def stream():
    out = os.path.join(WORK, "stream")
    saved, err = run(["stream", "0", "-n", "20", "--save-every", "5", "-o", out, "-f", "pgm",
                      "--fov", SMALL])
    paths = saved.split()
    check(len(paths) == 4, "every 5th of 20 frames: %s" % paths)
    check("20 frames, 0 failed" in err and " fps, " in err and " MB/s" in err, err)
    frames = [load(p) for p in paths]
    check(len(set(f[4] for f in frames)) == 4, "the simulated scene does not move")
    start = time.monotonic()
    _, err = run(["stream", "0", "-t", "0.5", "--fov", SMALL])
    check(time.monotonic() - start < 8 and " failed, " in err, err)
    _, err = run(["stream", "0", "-n", "8", "--fov", SMALL, "--timeout", "200"],
                 sim="52:timeout@3")
    check("frame 3:" in err and "7 frames, 1 failed" in err, err)
    _, err = run(["stream", "0", "-n", "6", "--fov", SMALL], sim="52:short@2x2")
    check("frame 2:" in err and "frame 3:" in err and "4 frames, 2 failed" in err, err)
    # A stream where no frame comes fails.
    run(["stream", "0", "-n", "2", "--fov", SMALL, "--timeout", "100"], sim="52:timeoutx9",
        status=1)


GROUPS = {f.__name__: f for f in (cli, params, sensor, trigger, output, files, tone, colour,
                                  calibration, flatfield_files, autoexposure, settings, eeprom,
                                  stream)}

if __name__ == "__main__":
    group = sys.argv[2]
    try:
        GROUPS[group]()
    except Failure as failure:
        print("FAIL (%s): %s" % (group, failure))
        sys.exit(1)
    print("zoqcam %s ok" % group)
