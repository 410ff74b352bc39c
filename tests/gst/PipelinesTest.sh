#!/bin/sh
# zoqsrc in GStreamer's own tools and in the examples, on simulated cameras:
#   PipelinesTest.sh ZOQSIM_RUN EXAMPLES_DIR
# GST_PLUGIN_PATH names the plug-in's folder. Prints "pipelines ok".
set -eu
sim=$1
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }

# The element describes itself.
gst-inspect-1.0 zoqsrc > inspect.txt || fail "gst-inspect-1.0 zoqsrc"
for text in "ZOQ camera source" "GstPushSrc" "video/x-bayer" "GRAY16_LE" "field-of-view" \
            "frame-rate" "trigger-mode" "white-balance" "auto-exposure" "serial"; do
    grep -q -- "$text" inspect.txt || fail "gst-inspect-1.0 zoqsrc does not mention $text"
done

# 30 frames to 30 JPEG files, each decodable.
"$sim" --cameras=52 -- gst-launch-1.0 -q zoqsrc num-buffers=30 ! videoconvert ! jpegenc ! \
    multifilesink location=frame_%05d.jpg || fail "the JPEG pipeline"
count=$(ls frame_*.jpg | wc -l)
[ "$count" -eq 30 ] || fail "$count JPEG files, not 30"
for f in frame_*.jpg; do
    gst-launch-1.0 -q filesrc location="$f" ! jpegdec ! fakesink || fail "$f does not decode"
done

# A recording: every frame in the Matroska file decodes.
"$sim" --cameras=52 -- "$examples/record_mkv.sh" rec.mkv 12 > record.log || fail "record_mkv.sh"
gst-launch-1.0 -q filesrc location=rec.mkv ! matroskademux ! jpegdec ! \
    multifilesink location=decoded_%03d.raw || fail "rec.mkv does not play back"
count=$(ls decoded_*.raw | wc -l)
[ "$count" -eq 12 ] || fail "$count frames in rec.mkv, not 12"

# RTP from the sender to a receiver on 127.0.0.1.
port=$(( 20000 + $$ % 20000 ))
timeout 60 "$examples/rtp_receive.sh" "$port" jpegenc ! multifilesink location=rx_%04d.jpg \
    > receive.log 2>&1 &
receiver=$!
sleep 1
"$sim" --cameras=52 -- "$examples/rtp_send.sh" 127.0.0.1 "$port" 20 > send.log ||
    fail "rtp_send.sh"
sleep 1
kill "$receiver" 2>/dev/null || true
wait "$receiver" || true
count=$(ls rx_*.jpg 2>/dev/null | wc -l)
[ "$count" -ge 10 ] || fail "the receiver got $count of 20 frames"
gst-launch-1.0 -q filesrc location=rx_0000.jpg ! jpegdec ! fakesink || fail "a received frame"
echo "received $count of 20 frames over RTP"
echo "pipelines ok"
