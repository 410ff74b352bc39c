// What the fuzz targets share: the input as a file on disk (the loaders
// take paths) and a simulated camera for the loaders that belong to one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zoqfuzz {

// Window of the simulated camera's captures: small, so that a capture per
// input keeps the fuzzer fast.
constexpr int kWidth = 64;
constexpr int kHeight = 48;

// Writes the input to the target's scratch file (the same path every time,
// in a folder removed at exit) and returns its path.
const char* WriteInput(const uint8_t* data, size_t size);

// A second scratch path, for files the target writes.
const char* OutputPath();

// Plugs in a simulated camera of `deviceType` with a kWidth x kHeight
// capture window and opens it as camera 0. Call once, from
// LLVMFuzzerInitialize; relaunches the program under umockdev's preload
// library first when needed.
void OpenSimulatedCamera(int* argc, char*** argv, int deviceType);

// The camera of the loaders: it takes look-up tables and gamma tables too.
constexpr int kCameraType = 52;

// Bytes of a raw capture (one or two per pixel) and of an RGB capture of
// `bitCount` bits per pixel, as the camera reports its window.
size_t RawBytes();
size_t RgbBytes(int bitCount);

}  // namespace zoqfuzz
