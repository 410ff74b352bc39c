#!/bin/sh
# Receives the stream of rtp_send.sh and shows it:
#   ./rtp_receive.sh [PORT [SINK...]]       (default port 5000, autovideosink)
# e.g. ./rtp_receive.sh 5000 jpegenc ! multifilesink location=rx_%04d.jpg
# Whole frames arrive in bursts: a socket buffer of 8 MB (the kernel may cap
# it at net.core.rmem_max) keeps them.
port=${1:-5000}
[ $# -gt 0 ] && shift
[ $# -gt 0 ] || set -- autovideosink
exec gst-launch-1.0 udpsrc port="$port" buffer-size=8388608 \
    caps="application/x-rtp,media=video,clock-rate=90000,encoding-name=JPEG,payload=26" ! \
    rtpjitterbuffer ! rtpjpegdepay ! jpegdec ! videoconvert ! "$@"
