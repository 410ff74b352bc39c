#include "frames/ImageFiles.h"

#include <dirent.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#ifdef ZOQCAM_HAVE_PNG
#include <png.h>
#endif

#include "Console.h"
#include "Report.h"
#include "zoqapi.h"

namespace zoqcam {

namespace {

struct FormatName {
    FileFormat format;
    const char* name;
};

constexpr FormatName kFormats[] = {
    {FileFormat::Bmp, "bmp"}, {FileFormat::Jpg, "jpg"}, {FileFormat::Png, "png"},
    {FileFormat::Pgm, "pgm"}, {FileFormat::Ppm, "ppm"}, {FileFormat::Raw, "raw"},
};

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

File Create(const std::string& path) {
    File file(fopen(path.c_str(), "wb"));
    if (!file) Error("cannot write %s: %s", path.c_str(), strerror(errno));
    return file;
}

// Closes the file and reports a failed write.
bool Finish(File file, const std::string& path) {
    const bool ok = !ferror(file.get());
    if (fclose(file.release()) != 0 || !ok) {
        Error("cannot write %s: %s", path.c_str(), strerror(errno));
        return false;
    }
    return true;
}

size_t RowBytes(const Frame& frame) {
    return static_cast<size_t>(frame.width) * (frame.bitsPerPixel / 8);
}

}  // namespace

bool ParseFileFormat(const std::string& name, FileFormat* format) {
    for (const FormatName& f : kFormats) {
        if (name == f.name || (name == "jpeg" && f.format == FileFormat::Jpg)) {
            *format = f.format;
            return true;
        }
    }
    return false;
}

const char* Extension(FileFormat format) {
    for (const FormatName& f : kFormats)
        if (f.format == format) return f.name;
    return "";
}

bool Available(FileFormat format) {
#ifdef ZOQCAM_HAVE_PNG
    (void)format;
    return true;
#else
    return format != FileFormat::Png;
#endif
}

std::string Fits(FileFormat format, bool raw, int bitsPerPixel) {
    const bool colour = bitsPerPixel >= 24;
    switch (format) {
        case FileFormat::Raw:
        case FileFormat::Png:
            return "";
        case FileFormat::Pgm:
            return colour ? "PGM holds gray or raw frames: use --output gray or raw, or ppm" : "";
        case FileFormat::Ppm:
            return colour ? "" : "PPM holds colour frames: use --output bgr24, or pgm";
        case FileFormat::Bmp:
        case FileFormat::Jpg:
            return bitsPerPixel == 16 || (raw && bitsPerPixel != 8)
                       ? "BMP and JPEG hold 8-bit frames: use pgm or png for 16-bit ones"
                       : "";
    }
    return "";
}

const unsigned char* ImageWriter::Row(const Frame& frame, int y) const {
    const int stored = frame.topDown ? y : frame.height - 1 - y;
    return frame.data + static_cast<size_t>(stored) * RowBytes(frame);
}

bool ImageWriter::Write(const Frame& frame, FileFormat format, const std::string& path,
                        int quality) {
    switch (format) {
        case FileFormat::Raw: {
            File file = Create(path);
            if (!file) return false;
            fwrite(frame.data, 1, frame.bytes, file.get());
            return Finish(std::move(file), path);
        }
        case FileFormat::Pgm:
        case FileFormat::Ppm:
            return WritePnm(frame, format == FileFormat::Ppm, path);
        case FileFormat::Png:
            return WritePng(frame, path);
        case FileFormat::Bmp:
        case FileFormat::Jpg:
            return WriteWithHelper(frame, format, path, quality);
    }
    return false;
}

// Binary PGM (gray, 8 or 16 bits, 16-bit samples big-endian) and PPM (RGB).
bool ImageWriter::WritePnm(const Frame& frame, bool colour, const std::string& path) {
    File file = Create(path);
    if (!file) return false;
    const bool wide = frame.bitsPerPixel == 16;
    fprintf(file.get(), "P%d\n%d %d\n%d\n", colour ? 6 : 5, frame.width, frame.height,
            wide ? 65535 : 255);
    const size_t pixelBytes = static_cast<size_t>(frame.bitsPerPixel / 8);
    const size_t outRow = static_cast<size_t>(frame.width) * (colour ? 3 : pixelBytes);
    m_scratch.resize(outRow);
    for (int y = 0; y < frame.height; ++y) {
        const unsigned char* in = Row(frame, y);
        const unsigned char* row = in;
        if (colour) {
            for (int x = 0; x < frame.width; ++x) {
                const unsigned char* bgr = in + x * pixelBytes;
                m_scratch[3 * x] = bgr[2];
                m_scratch[3 * x + 1] = bgr[1];
                m_scratch[3 * x + 2] = bgr[0];
            }
            row = m_scratch.data();
        } else if (wide) {
            for (size_t i = 0; i < outRow; i += 2) {
                m_scratch[i] = in[i + 1];
                m_scratch[i + 1] = in[i];
            }
            row = m_scratch.data();
        }
        fwrite(row, 1, outRow, file.get());
    }
    return Finish(std::move(file), path);
}

#ifdef ZOQCAM_HAVE_PNG
bool ImageWriter::WritePng(const Frame& frame, const std::string& path) {
    File file = Create(path);
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        Error("cannot write %s as PNG", path.c_str());
        return false;
    }
    const bool colour = frame.bitsPerPixel >= 24;
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(frame.width),
                 static_cast<png_uint_32>(frame.height), frame.bitsPerPixel == 16 ? 16 : 8,
                 colour ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Fast compression: a stream saves while it runs.
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    if (colour) png_set_bgr(png);
    if (frame.bitsPerPixel == 32) png_set_filler(png, 0, PNG_FILLER_AFTER);
    if (frame.bitsPerPixel == 16) png_set_swap(png);  // our samples are little-endian
    for (int y = 0; y < frame.height; ++y) png_write_row(png, Row(frame, y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return Finish(std::move(file), path);
}
#else
bool ImageWriter::WritePng(const Frame&, const std::string& path) {
    Error("cannot write %s: this zoqcam was built without libpng", path.c_str());
    return false;
}
#endif

// The helpers take unpadded rows, bottom row first.
bool ImageWriter::WriteWithHelper(const Frame& frame, FileFormat format, const std::string& path,
                                  int quality) {
    const size_t row = RowBytes(frame);
    const unsigned char* data = frame.data;
    if (frame.topDown) {
        m_scratch.resize(row * frame.height);
        for (int y = 0; y < frame.height; ++y)
            memcpy(&m_scratch[static_cast<size_t>(frame.height - 1 - y) * row], Row(frame, y), row);
        data = m_scratch.data();
    }
    const int rc =
        format == FileFormat::Bmp
            ? ZOQ_HelperSaveToBmp(data, frame.width, frame.height, frame.bitsPerPixel, path.c_str())
            : ZOQ_HelperSaveToJpg(const_cast<unsigned char*>(data), frame.width, frame.height,
                                  frame.bitsPerPixel, quality, path.c_str());
    return Check(rc, path.c_str());
}

FileNamer::FileNamer(std::string folder, int index, bool overwrite)
    : m_folder(std::move(folder)), m_index(index) {
    if (overwrite) return;
    DIR* dir = opendir(m_folder.c_str());
    if (dir == nullptr) return;
    const std::string prefix = "cam" + std::to_string(index) + "_";
    while (const dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (strncmp(name, prefix.c_str(), prefix.size()) != 0) continue;
        char* end = nullptr;
        const long number = strtol(name + prefix.size(), &end, 10);
        if (end != name + prefix.size() && *end == '.' && number >= m_next)
            m_next = static_cast<int>(number) + 1;
    }
    closedir(dir);
}

std::string FileNamer::Next(FileFormat format) {
    char name[64];
    snprintf(name, sizeof name, "/cam%d_%04d.%s", m_index, m_next++, Extension(format));
    return m_folder + name;
}

}  // namespace zoqcam
