#!/usr/bin/env bash
# Build and run the ZOQ camera SDK.
#
#   ./build.sh demo       build the tools only, then list and capture from
#                         simulated cameras into zoq-demo/ (or $ZOQ_DEMO_DIR)
#   ./build.sh test       build and run every test suite, the install, the
#                         out-of-tree examples, the packages and the API reference
#   ./build.sh sanitize   the test suites under AddressSanitizer + UBSan
#   ./build.sh tsan       the threaded tests under ThreadSanitizer
#   ./build.sh fuzz       the fuzz targets (clang, libFuzzer), 30 s each
#   ./build.sh bench      build and run the benchmarks
#   ./build.sh package    the Debian packages into zoq-packages/
#
# On Debian, missing build packages are installed with apt-get (as root).
set -euo pipefail
cd "$(dirname "$0")"

# What the libraries, the tools and the simulator need to build.
build_packages=(cmake g++ make pkg-config libusb-1.0-0-dev libjpeg-dev libtbb-dev
                umockdev libumockdev-dev libpng-dev)
# What the tests add: test frameworks, benchmarks, the packaging tools, the
# API reference, OpenCV for the example that wraps captures in a cv::Mat,
# the Python module (Debian's python3) with pytest, the GStreamer element with
# gst-check, the elements and tools its pipelines are tested with.
packages=("${build_packages[@]}" libgtest-dev libgmock-dev libbenchmark-dev
          dpkg-dev file doxygen groff-base libopencv-imgproc-dev
          python3-dev python3-pybind11 python3-numpy python3-pytest
          libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev gstreamer1.0-tools
          gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad)
# The fuzz targets are built with clang and its sanitizer runtimes.
fuzz_packages=("${build_packages[@]}" clang libclang-rt-dev)

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

# Installs and packages go to /usr, as on a Debian system.
configure_and_build() {
    local dir=$1; shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOQ_WERROR=ON \
        -DCMAKE_INSTALL_PREFIX=/usr "$@"
    cmake --build "$dir" -j "$jobs"
}

# A run that finds no test fails: a tree configured without them is an error.
run_tests() {
    local dir=$1; shift
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" --no-tests=error "$@"
}

# Every option that decides what the tree holds is given, so that a tree
# configured before (by demo, or by hand) is turned back into a test tree.
test_options=(-DZOQ_BUILD_TESTS=ON -DZOQ_BUILD_SIM=ON -DZOQ_BUILD_FUZZ=OFF)

case "${1:-test}" in
test)
    install_missing "${packages[@]}"
    configure_and_build build "${test_options[@]}" -DZOQ_SANITIZE=OFF -DZOQ_BUILD_BENCH=ON
    run_tests build
    ;;
sanitize)
    install_missing "${packages[@]}"
    # UBSan halts at the first error (-fno-sanitize-recover, CMakeLists.txt).
    configure_and_build build-sanitize "${test_options[@]}" -DZOQ_SANITIZE=ON -DZOQ_BUILD_BENCH=OFF
    # Not the install test: ASan's dlopen hides libzoqapi's run path, so the
    # installed library cannot find its plug-ins (the test build covers it).
    UBSAN_OPTIONS="print_stacktrace=1 halt_on_error=1" run_tests build-sanitize \
        -E '^InstallAndBuildOutOfTree$'
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
fuzz)
    # Each target in tests/fuzz runs for $ZOQ_FUZZ_SECONDS (30) from its seed
    # corpus plus what earlier runs found (build-fuzz/corpus); a crash, a
    # sanitizer report or a leak fails, and leaves the input in
    # build-fuzz/crashes/ to replay with: build-fuzz/bin/fuzz_NAME FILE
    install_missing "${fuzz_packages[@]}"
    fuzz_flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined"
    fuzz_flags+=" -fno-omit-frame-pointer"
    # clang refuses AVX vectors returned into code built without AVX, even
    # where the pixel lanes inline the call whole. The library picks its AVX2
    # lanes on a processor that has them, so building for AVX2 fuzzes the
    # same code.
    grep -qw avx2 /proc/cpuinfo && fuzz_flags+=" -mavx2"
    # Warnings are g++'s to gate (the test build); clang's are shown only.
    cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOQ_WERROR=OFF \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DZOQ_BUILD_TESTS=OFF -DZOQ_BUILD_BENCH=OFF -DZOQ_BUILD_FUZZ=ON \
        -DCMAKE_C_FLAGS="$fuzz_flags" -DCMAKE_CXX_FLAGS="$fuzz_flags" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
    cmake --build build-fuzz -j "$jobs" --target zoq_fuzz_targets
    mkdir -p build-fuzz/crashes
    # The simulated cameras' emulation is preloaded ahead of the runtime.
    export ASAN_OPTIONS="verify_asan_link_order=0 detect_leaks=1 suppressions=$PWD/tests/fuzz/asan.supp"
    export UBSAN_OPTIONS="print_stacktrace=1 halt_on_error=1"
    failed=()
    for target in build-fuzz/bin/fuzz_*; do
        name=${target##*/fuzz_}
        mkdir -p "build-fuzz/corpus/$name"
        log=build-fuzz/$name.log
        if "$target" -max_total_time="${ZOQ_FUZZ_SECONDS:-30}" -print_final_stats=1 \
            -artifact_prefix="build-fuzz/crashes/$name-" \
            "build-fuzz/corpus/$name" "tests/fuzz/$name/corpus" >"$log" 2>&1; then
            echo "fuzz_$name: $(grep -o 'number_of_executed_units: *[0-9]*' "$log" |
                grep -o '[0-9]*$') inputs, no crash"
        else
            tail -60 "$log"
            echo "fuzz_$name: FAILED (log: $log)"
            failed+=("$name")
        fi
    done
    [ ${#failed[@]} -eq 0 ] || { echo "fuzz targets failed: ${failed[*]}" >&2; exit 1; }
    ;;
demo)
    install_missing "${build_packages[@]}"
    out=$(mkdir -p "${ZOQ_DEMO_DIR:-zoq-demo}" && cd "${ZOQ_DEMO_DIR:-zoq-demo}" && pwd)
    echo "building zoqcam, zoqsim-run and the camera plug-ins (log: $out/build.log)"
    {
        cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
            -DZOQ_BUILD_TESTS=OFF -DZOQ_BUILD_BENCH=OFF
        cmake --build build -j "$jobs" --target zoqcam zoqsim-run
    } >"$out/build.log" 2>&1 || { tail -20 "$out/build.log"; exit 1; }
    bin=$PWD/build/bin
    # Images, then the cameras' log files, go to the output folder.
    zoqcam() { "$bin/zoqcam" --log-dir "$out/logs" "$@"; }
    echo; echo "\$ zoqcam --simulate=52,53 list"
    zoqcam --simulate=52,53 list
    echo; echo "\$ zoqcam --simulate capture 0 --count 3 --format jpg --exposure 16 -o $out"
    zoqcam --simulate capture 0 --count 3 --format jpg --exposure 16 -o "$out"
    echo; echo "\$ zoqcam --simulate capture 0 --format bmp --exposure 16 -o $out"
    zoqcam --simulate capture 0 --format bmp --exposure 16 -o "$out"
    # A 5-megapixel camera on a link as fast as USB 2.0 really is.
    echo; echo "\$ zoqcam --simulate=52@40MB/s stream 0 --seconds 3"
    zoqcam --simulate=52@40MB/s stream 0 --seconds 3
    cat <<EOT

The images are the files named above; camera logs are in $out/logs/.

Try next:
  ./build/bin/zoqcam --simulate=all list              one camera of every model
  ./build/bin/zoqcam --simulate info 0                sizes, capabilities, settings
  ./build/bin/zoqcam --simulate params 0              numbered parameters and ranges
  ./build/bin/zoqsim-run --cameras=52,53 -- PROGRAM   any program on simulated cameras
  ./build.sh test                                     everything, with the tests
  examples/README.md                                  programs to copy from
  (run from $PWD)
EOT
    ;;
package)
    install_missing "${packages[@]}"
    configure_and_build build
    cmake --build build --target zoq_docs
    (cd build && cpack -G DEB -B "$PWD/../zoq-packages")
    rm -rf zoq-packages/_CPack_Packages
    echo "packages in zoq-packages/: install them with apt-get install ./zoq-packages/*.deb"
    ;;
bench)
    install_missing "${packages[@]}"
    configure_and_build build -DZOQ_BUILD_TESTS=OFF
    for b in build/bin/bench_*; do "$b"; done
    ;;
*)
    echo "usage: $0 demo|test|sanitize|tsan|fuzz|bench|package" >&2
    exit 2
    ;;
esac
