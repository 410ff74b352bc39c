#!/usr/bin/env bash
# zoqsim-run: unmodified programs see the simulated cameras, get the faults
# named on the command line and hand their exit status back.
set -euo pipefail
run=$1 zoqcam=$2 libzoqapi=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }

# Another language through the C API: Python's ctypes.
out=$("$run" --cameras=52x2,104 -- /usr/bin/python3 -c "
import ctypes, sys
api = ctypes.CDLL('$libzoqapi')
if api.ZOQ_Init() != 0: sys.exit(3)
t = ctypes.c_ushort(); s = ctypes.c_int(); f = ctypes.c_ushort()
for i in range(api.ZOQ_DeviceGetCount()):
    api.ZOQ_DeviceGetInformation(i, ctypes.byref(t), ctypes.byref(s), ctypes.byref(f))
    print('camera', i, t.value, s.value)
api.ZOQ_UnInit()" | grep '^camera')
[ "$out" = "$(printf 'camera 0 52 1\ncamera 1 52 2\ncamera 2 104 3')" ] || fail "python saw: $out"

# The program's exit status and signals pass through.
set +e
"$run" -- /bin/sh -c 'exit 7'; [ $? -eq 7 ] || fail "exit status not passed on"
"$run" -- /bin/sh -c 'kill -TERM $$'; [ $? -eq 143 ] || fail "signal status not passed on"
"$run" -- /nonexistent/program 2>/dev/null; [ $? -eq 127 ] || fail "missing program not 127"
"$run" --fault=1:denied -- /bin/true 2>/dev/null; [ $? -eq 2 ] || fail "fault on a missing camera accepted"
set -e

# Permission denied on the first camera: the API opens the second one in its
# place, the device log names the refused node, zoqcam points to the rules.
"$run" --cameras=52,53 --fault=0:denied -- "$zoqcam" --log-dir logs list >list.txt 2>err.txt
grep -q '^0 *53 ' list.txt || fail "the second camera did not take index 0: $(cat list.txt)"
grep -q "camera /dev/bus/usb/001/00[0-9] (0816:[0-9a-f]*): permission denied" err.txt ||
    fail "zoqcam did not name the node: $(cat err.txt)"
grep -q "60-zoq-cameras.rules" err.txt || fail "zoqcam did not point to the rules"
grep -lq "permission denied: the camera needs the udev rules" logs/*.log ||
    fail "no device log says permission denied"

# A camera fault reaches the program: empty frames end the capture with
# the API's zero-frame code.
if "$run" --fault=0:short-frame:0:2 -- "$zoqcam" capture 0 --out f >/dev/null 2>err.txt; then
    fail "capture of empty frames succeeded"
fi
grep -q "(-14)" err.txt || fail "empty frame not reported: $(cat err.txt)"
# Unplugged before the program enumerates: no camera.
out=$("$run" --cameras=52,53 --fault=1:unplug:0 -- "$zoqcam" list 2>/dev/null)
grep -qx "1 camera" <<<"$out" || fail "unplugged camera still listed: $out"
echo "zoqsim-run ok"
