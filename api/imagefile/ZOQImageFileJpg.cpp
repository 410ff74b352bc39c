// ZOQ_HelperSaveToJpg: baseline JPEG files through libjpeg.
#include <csetjmp>
#include <cstdio>  // before jpeglib.h, which uses FILE
#include <cstring>
#include <new>

#include <jpeglib.h>

#include "imagefile/ZOQImageFile.h"
#include "zoqapi.h"

namespace {

// libjpeg's own manager ends the process on a fatal error; this one jumps
// back to Compress, which then reports the failure.
struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf fatal;
};

[[noreturn]] void OnFatalError(j_common_ptr info) {
    longjmp(reinterpret_cast<ErrorManager*>(info->err)->fatal, 1);
}

// The library prints nothing on its own.
void OnMessage(j_common_ptr) {}

// Compresses top-down rows of `components` bytes per pixel into file.
// Only trivially destructible objects live here: errors leave by longjmp.
bool Compress(FILE* file, const unsigned char* rows, int width, int height, int components,
              int quality) {
    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnFatalError;
    errors.base.output_message = OnMessage;
    if (setjmp(errors.fatal) != 0) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);  // baseline tables forced
    jpeg_start_compress(&info, TRUE);        // write all tables
    const size_t stride = static_cast<size_t>(width) * static_cast<size_t>(components);
    while (info.next_scanline < info.image_height) {
        // libjpeg reads the rows only; its interface is not const-correct.
        JSAMPROW row = const_cast<JSAMPROW>(rows + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

// The caller's bottom-up BGR (or gray) rows as top-down RGB (or gray) rows
// in copy, which holds width * height * components bytes. The caller's
// buffer stays unchanged.
void ToTopDownRgb(unsigned char* data, int width, int height, int bitCount, unsigned char* copy) {
    if (bitCount == 32) {
        Helper_Rgb32ToRgb24(data, width, height, copy);
    } else {
        memcpy(copy, data, zoq::imagefile::RowBytes(width, bitCount) * static_cast<size_t>(height));
    }
    const int copyBits = bitCount == 8 ? 8 : 24;
    Helper_FlipBmp(copy, width, height, copyBits);
    if (copyBits == 24) Helper_BGR24ToRGB24(copy, width, height);
}

}  // namespace

ZOQ_API int ZOQ_HelperSaveToJpg(unsigned char* data, int width, int height, int bitCount,
                                int quality, const char* path) {
    namespace img = zoq::imagefile;
    if (!img::ValidImage(data, width, height, bitCount, path)) return RC_PARAMETER_ERROR;
    img::File file = img::Open(path, "wb");
    if (!file) return RC_FAIL;

    const int components = bitCount == 8 ? 1 : 3;
    const size_t copyBytes = img::RowBytes(width, components * 8) * static_cast<size_t>(height);
    std::unique_ptr<unsigned char[]> copy(new (std::nothrow) unsigned char[copyBytes]);
    if (!copy) return RC_ALLOC_FAILED;
    ToTopDownRgb(data, width, height, bitCount, copy.get());

    const bool compressed = Compress(file.get(), copy.get(), width, height, components, quality);
    return img::Close(file) && compressed ? RC_SUCCESS : RC_FAIL;
}
