#!/usr/bin/env bash
# Build and run the ZOQ camera SDK.
#
#   ./build.sh demo       build, then list and capture from simulated cameras
#   ./build.sh test       build and run every test suite
#   ./build.sh sanitize   the test suites under AddressSanitizer + UBSan
#   ./build.sh tsan       the threaded tests under ThreadSanitizer
#   ./build.sh bench      build and run the benchmarks
#
# On Debian, missing build packages are installed with apt-get (as root).
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake g++ make pkg-config libusb-1.0-0-dev libjpeg-dev libtbb-dev
          libgtest-dev libgmock-dev libbenchmark-dev umockdev libumockdev-dev)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
        echo "missing packages: ${missing[*]} (install them, or run as root on Debian)" >&2
        exit 1
    fi
    echo "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

jobs=$(nproc 2>/dev/null || echo 2)

configure_and_build() {
    local dir=$1; shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOQ_WERROR=ON "$@"
    cmake --build "$dir" -j "$jobs"
}

run_tests() {
    local dir=$1
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

case "${1:-test}" in
test)
    install_missing "${packages[@]}"
    configure_and_build build
    run_tests build
    ;;
sanitize)
    install_missing "${packages[@]}"
    configure_and_build build-sanitize -DZOQ_SANITIZE=ON -DZOQ_BUILD_BENCH=OFF
    run_tests build-sanitize
    ;;
tsan)
    # Only the tests that call from several threads (those of the threads and
    # the streams), in a tree of their own.
    # TSan's runtime has to be loaded before umockdev's preload library; TBB,
    # libusb and umockdev are not instrumented (tests/tsan.supp).
    install_missing "${packages[@]}"
    tsan_flags="-fsanitize=thread -fno-omit-frame-pointer"
    cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOQ_WERROR=ON \
        -DZOQ_BUILD_BENCH=OFF -DCMAKE_C_FLAGS="$tsan_flags" -DCMAKE_CXX_FLAGS="$tsan_flags" \
        -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread \
        -DZOQ_SIM_PRELOAD="libtsan.so.2 libumockdev-preload.so.0"
    cmake --build build-tsan -j "$jobs" --target zoqthread_tests zoqstream_tests
    TSAN_OPTIONS="suppressions=$PWD/tests/tsan.supp halt_on_error=1 second_deadlock_stack=1" \
        ctest --test-dir build-tsan --output-on-failure -j "$jobs" --no-tests=error \
        -R '^(ThreadedCalls|Stream|StreamFaults|StreamThreads)\.'
    ;;
demo)
    install_missing "${packages[@]}"
    configure_and_build build -DZOQ_BUILD_TESTS=OFF
    out=${ZOQ_DEMO_DIR:-zoq-demo}
    ./build/bin/zoqcam --simulate=52,53 list
    ./build/bin/zoqcam --simulate capture 0 --count 3 --out "$out" --format jpg --exposure 16
    ./build/bin/zoqcam --simulate capture 0 --count 1 --out "$out" --format bmp --exposure 16
    echo "images saved in $out/"
    ;;
bench)
    install_missing "${packages[@]}"
    configure_and_build build -DZOQ_BUILD_TESTS=OFF
    for b in build/bin/bench_*; do "$b"; done
    ;;
*)
    echo "usage: $0 demo|test|sanitize|tsan|bench" >&2
    exit 2
    ;;
esac
