#!/usr/bin/env bash
# Builds the Debian packages of the build tree and checks what each holds,
# what it depends on, and that apt accepts them together.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
if [ "$prefix" != /usr ]; then
    echo "packages need a tree configured with CMAKE_INSTALL_PREFIX=/usr (this one: $prefix)"
    exit 77
fi
(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail cpack; }
cd "$work"
v=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
runtime=libzoq${v%%.*}_${v}_amd64.deb dev=libzoq-dev_${v}_amd64.deb tools=zoq-tools_${v}_amd64.deb
for deb in $runtime $dev $tools; do [ -f "$deb" ] || fail "$deb not built"; done

# Listings go through files: grep -q would end a pipe early.
for deb in $runtime $dev $tools; do dpkg-deb -c "$deb" | awk '{print $6}' >"$deb.list"; done
holds() {  # package, path pattern
    grep -Eq "$2" "$1.list" || fail "$1 lacks $2"
}
lacks() {
    ! grep -Eq "$2" "$1.list" || fail "$1 holds $2"
}
holds $runtime '^\./usr/lib/x86_64-linux-gnu/libzoqapi\.so\.8$'
holds $runtime '/zoq/plugins/libzoqcam_104\.so$'
holds $runtime '/zoq/plugins/isg1307/libzoqcam_115\.so$'
holds $runtime '^\./usr/lib/udev/rules\.d/60-zoq-cameras\.rules$'
lacks $runtime '/include/|\.pc$|/bin/|libzoqapi\.so$'
holds $dev '^\./usr/include/zoq/zoqapi\.h$'
holds $dev '/pkgconfig/zoqapi\.pc$'
holds $dev '/cmake/ZOQ/ZOQConfigVersion\.cmake$'
holds $dev 'libzoqapi\.so$'
lacks $dev '\.so\.8'
holds $tools '^\./usr/bin/zoqcam$'
holds $tools '^\./usr/bin/zoqsim-run$'
holds $tools '/man1/zoqsim-run\.1'

depends=$(dpkg-deb -f $runtime Depends)
[[ $depends == *libusb-1.0-0* ]] || fail "runtime does not depend on libusb: $depends"
[[ $depends != *umockdev* && $depends != *glib* ]] || fail "runtime depends on umockdev: $depends"
[[ $(dpkg-deb -f $tools Depends) == *umockdev* ]] || fail "tools do not depend on umockdev"
[[ $(dpkg-deb -I $runtime postinst) == *ldconfig* ]] || fail "runtime does not run ldconfig"
[[ $(dpkg-deb -I $runtime shlibs) == *"libzoqapi 8 libzoq8"* ]] || fail "runtime has no shlibs"
[[ $(dpkg-deb -f $dev Depends) == *"libzoq${v%%.*} (= $v)"* ]] || fail "dev does not pin the runtime"
pc=$(dpkg-deb --fsys-tarfile $dev | tar -xO ./usr/lib/x86_64-linux-gnu/pkgconfig/zoqapi.pc)
[[ $pc == *$'\nprefix=/usr\n'* || $pc == prefix=/usr$'\n'* ]] || fail "zoqapi.pc does not name /usr"

# The bindings, when the tree built them.
extra=()
python=python3-zoqcam_${v}_amd64.deb gst=gstreamer1.0-zoq_${v}_amd64.deb
if grep -q '^ZOQ_BUILD_PYTHON:BOOL=ON' "$build/CMakeCache.txt"; then
    [ -f "$python" ] || fail "$python not built"
    dpkg-deb -c "$python" | awk '{print $6}' >"$python.list"
    holds $python '^\./usr/lib/python3/dist-packages/zoqcam/__init__\.py$'
    holds $python '^\./usr/lib/python3/dist-packages/zoqcam/_zoqcam\.cpython-[0-9]+-x86_64-linux-gnu\.so$'
    holds $python '/zoqcam/py\.typed$'
    holds $python '/zoqcam/__init__\.pyi$'
    depends=$(dpkg-deb -f $python Depends)
    [[ $depends == *"libzoq${v%%.*} (= $v)"* && $depends == *python3-numpy* ]] ||
        fail "python3-zoqcam depends on: $depends"
    extra+=("./$python")
fi
if grep -q '^ZOQ_BUILD_GST:BOOL=ON' "$build/CMakeCache.txt"; then
    [ -f "$gst" ] || fail "$gst not built"
    dpkg-deb -c "$gst" | awk '{print $6}' >"$gst.list"
    holds $gst '^\./usr/lib/x86_64-linux-gnu/gstreamer-1\.0/libgstzoq\.so$'
    depends=$(dpkg-deb -f $gst Depends)
    [[ $depends == *libgstreamer1.0-0* && $depends == *"libzoq${v%%.*} (= $v)"* ]] ||
        fail "gstreamer1.0-zoq depends on: $depends"
    extra+=("./$gst")
fi

# apt resolves them against this system without installing them.
apt-get install -s "./$runtime" "./$dev" "./$tools" "${extra[@]}" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get refuses the packages"; }
echo "packages ok"
