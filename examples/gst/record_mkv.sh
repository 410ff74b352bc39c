#!/bin/sh
# Records the first camera into a Matroska file of JPEG frames, each with
# its capture time:  ./record_mkv.sh [FILE [FRAMES]]
# (default recording.mkv, until Ctrl-C; -e closes the file properly then).
file=${1:-recording.mkv}
frames=${2:--1}
exec gst-launch-1.0 -e zoqsrc num-buffers="$frames" ! videoconvert ! jpegenc ! \
    matroskamux ! filesink location="$file"
