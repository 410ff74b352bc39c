#!/usr/bin/env bash
# Installs the SDK into a fresh prefix, checks the layout and the run-time
# dependencies, builds the examples out of the tree with pkg-config and with
# CMake, and runs them and the installed zoqcam on simulated cameras.
set -euo pipefail
build=$1 examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name libzoqapi.so)")

# Layout: versioned libraries with their sonames, plug-ins on libzoqapi's run
# path, headers, udev rules, tools.
for lib in zoqapi zoqbayer zoqbayer_serial zoqlog; do
    soname=$(readelf -d "$libdir/lib$lib.so" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
    [ "$soname" = "lib$lib.so.8" ] || fail "lib$lib.so has soname '$soname'"
    [ -e "$libdir/$soname" ] || fail "$soname missing"
done
[[ $(readelf -d "$libdir/libzoqapi.so") == *'RUNPATH'*'$ORIGIN/zoq/plugins'* ]] ||
    fail "libzoqapi has no run path to its plug-ins"
plugins=$(ls "$libdir"/zoq/plugins/libzoqcam_*.so | wc -l)
[ "$plugins" -eq 24 ] || fail "$plugins plug-ins installed, expected 24"
[ -e "$libdir/zoq/plugins/isg1307/libzoqcam_115.so" ] || fail "ISG1307 plug-in missing"
for f in include/zoq/zoqapi.h include/zoq/zoq_version.h include/zoq/zoqbayer.h \
         include/zoq/zoqlog.h lib/udev/rules.d/60-zoq-cameras.rules bin/zoqcam bin/zoqsim-run; do
    [ -e "$prefix/$f" ] || fail "$f missing"
done

# Nothing the user runs depends on the simulator's umockdev or GLib.
for file in "$libdir"/libzoq*.so.8 "$libdir"/zoq/plugins/*.so "$libdir"/zoq/plugins/*/*.so \
            "$prefix/bin/zoqcam"; do
    needed=$(readelf -d "$file" | grep NEEDED || true)
    [[ $needed != *umockdev* && $needed != *glib* && $needed != *gobject* ]] ||
        fail "$file needs umockdev or GLib: $needed"
    resolved=$(ldd "$file")
    [[ $resolved != *umockdev* && $resolved != *glib* && $resolved != *"not found"* ]] ||
        fail "$file: $resolved"
done

# Out of the tree, with pkg-config.
cp -r "$examples" "$work/pc"
PKG_CONFIG_PATH="$libdir/pkgconfig" make -s -C "$work/pc" list_cameras capture_jpeg >/dev/null
# And with find_package(ZOQ).
cp -r "$examples" "$work/cm-src"
cmake -S "$work/cm-src" -B "$work/cm" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
    >/dev/null
cmake --build "$work/cm" -j 2 --target several_cameras capture_raw >/dev/null

# Both kinds of program run on simulated cameras under the installed runner.
cd "$work"
run=$prefix/bin/zoqsim-run
expect() {  # what, expected text, command...
    local what=$1 text=$2 out
    shift 2
    out=$("$@") || fail "$what exited with $?: $out"
    [[ $out == *"$text"* ]] || fail "$what: no '$text' in: $out"
}
expect "list_cameras (pkg-config build)" "device type 53, serial 2" \
    "$run" --cameras=52,53 -- "$work/pc/list_cameras"
expect "capture_jpeg (pkg-config build)" "frame_0.jpg: 1024 x 768" \
    "$run" -- "$work/pc/capture_jpeg" 1
expect "several_cameras (CMake build)" "camera 1 (type 104, serial 2)" \
    "$run" --cameras=52,104 -- "$work/cm/several_cameras"
expect "capture_raw (CMake build)" "raw_0.raw: 640 x 480" "$run" -- "$work/cm/capture_raw" 1
expect "installed zoqcam --simulate" "ZOQ-MT9P031-M" "$prefix/bin/zoqcam" --simulate=53 list

# The bindings, when the tree built them: the Python package in the prefix's
# Debian dist-packages, finding the prefix's libzoqapi by its run path.
packages=$(dirname "$(find "$prefix" -path '*/dist-packages/zoqcam' -type d | head -1)")
if [ -d "$packages/zoqcam" ]; then
    for f in __init__.py __init__.pyi _errors.py py.typed; do
        [ -e "$packages/zoqcam/$f" ] || fail "zoqcam/$f missing"
    done
    expect "import zoqcam (installed)" "$libdir (1944, 2592, 3) uint8" \
        env PYTHONPATH="$packages" "$run" -- /usr/bin/python3 -c "
import os, zoqcam
with zoqcam.Camera(0) as cam:
    image = cam.capture_rgb()
maps = open('/proc/self/maps').read().split()
api = [m for m in maps if '/libzoqapi.so' in m][0]
print(os.path.dirname(api), image.shape, image.dtype)"
fi
plugin=$libdir/gstreamer-1.0/libgstzoq.so
if [ -e "$plugin" ]; then
    expect "gst-inspect-1.0 (installed plug-in)" "$plugin" \
        env GST_PLUGIN_PATH="$libdir/gstreamer-1.0" GST_REGISTRY="$work/registry.bin" \
        gst-inspect-1.0 zoqsrc
    api=$(ldd "$plugin" | awk '/libzoqapi/ {print $3}')
    [ "$(realpath "$api")" = "$(realpath "$libdir/libzoqapi.so.8")" ] ||
        fail "libgstzoq finds another libzoqapi: $api"
    env GST_PLUGIN_PATH="$libdir/gstreamer-1.0" GST_REGISTRY="$work/registry.bin" "$run" -- \
        gst-launch-1.0 -q zoqsrc num-buffers=3 ! fakesink || fail "zoqsrc (installed plug-in)"
fi
echo "install ok"
