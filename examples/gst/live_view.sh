#!/bin/sh
# Live view of the first camera in a window. Properties of zoqsrc go after
# the script's name, e.g.  ./live_view.sh exposure=20 field-of-view=0,0,1280,960
# (gst-inspect-1.0 zoqsrc lists them).
exec gst-launch-1.0 zoqsrc "$@" ! videoconvert ! autovideosink
