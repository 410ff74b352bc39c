#!/bin/sh
# Streams the first camera over RTP (JPEG, UDP) to a receiver:
#   ./rtp_send.sh HOST [PORT [FRAMES]]      (default port 5000, until Ctrl-C)
# RTP/JPEG carries at most 2040 x 2040 pixels: larger frames are scaled down.
host=${1:?usage: rtp_send.sh HOST [PORT [FRAMES]]}
port=${2:-5000}
frames=${3:--1}
exec gst-launch-1.0 zoqsrc num-buffers="$frames" ! videoconvert ! videoscale ! \
    "video/x-raw,format=I420,width=[16,2040],height=[16,2040],pixel-aspect-ratio=1/1" ! \
    jpegenc ! rtpjpegpay ! udpsink host="$host" port="$port"
