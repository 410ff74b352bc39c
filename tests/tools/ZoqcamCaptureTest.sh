#!/usr/bin/env bash
# zoqcam captures simulated frames into files that are what they claim to be.
set -euo pipefail
zoqcam=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$zoqcam" --simulate=52,53 capture 0 --count 2 --out "$out/jpg" --format jpg \
    --fov 0,0,640,480 --exposure 15 --gain 8
"$zoqcam" --simulate=52,53 capture 1 --out "$out/bmp" --format bmp --fov 0,0,642,482
"$zoqcam" --simulate=52 capture 0 --out "$out/raw" --format raw --fov 0,0,2592,1944,1

check() {  # file, expected size or "", expected leading bytes in hex
    [ -f "$1" ] || { echo "missing $1"; exit 1; }
    if [ -n "$2" ]; then
        size=$(stat -c %s "$1")
        [ "$size" -eq "$2" ] || { echo "$1: $size bytes, expected $2"; exit 1; }
    fi
    head=$(head -c $((${#3} / 2)) "$1" | od -An -tx1 | tr -d ' \n')
    [ "$head" = "$3" ] || { echo "$1 starts with $head, expected $3"; exit 1; }
}
check "$out/jpg/cam0_0000.jpg" "" ffd8ff
check "$out/jpg/cam0_0001.jpg" "" ffd8ff
# The monochrome camera gives an 8-bit gray BMP; 642-byte rows are padded to 644.
check "$out/bmp/cam1_0000.bmp" $((1078 + 644 * 482)) 424d
check "$out/raw/cam0_0000.raw" $((1296 * 972)) ""
echo "zoqcam files ok"
