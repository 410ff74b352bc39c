// Frames into files: BMP and JPEG through the library's helpers, PGM, PPM
// and headerless raw written here, PNG through libpng (8- and 16-bit); and
// file names that never replace an earlier run's files.
#pragma once

#include <string>
#include <vector>

#include "frames/FrameSource.h"

namespace zoqcam {

enum class FileFormat { Bmp, Jpg, Png, Pgm, Ppm, Raw };

// "bmp", "jpg", ...; false for a name that is none of them.
bool ParseFileFormat(const std::string& name, FileFormat* format);
const char* Extension(FileFormat format);
// Whether this build writes the format (PNG needs libpng).
bool Available(FileFormat format);
// "" when the format holds such frames, else why not.
std::string Fits(FileFormat format, bool raw, int bitsPerPixel);

class ImageWriter {
public:
    // False after a message.
    bool Write(const Frame& frame, FileFormat format, const std::string& path, int quality);

private:
    bool WritePnm(const Frame& frame, bool colour, const std::string& path);
    bool WritePng(const Frame& frame, const std::string& path);
    bool WriteWithHelper(const Frame& frame, FileFormat format, const std::string& path,
                         int quality);
    // Rows of the frame top row first, whatever its order in memory.
    const unsigned char* Row(const Frame& frame, int y) const;

    std::vector<unsigned char> m_scratch;  // reused from frame to frame
};

// Names DIR/cam<INDEX>_<NNNN>.<ext>, numbered on from the highest number
// the folder already has for that camera (from 0 with `overwrite`).
class FileNamer {
public:
    FileNamer(std::string folder, int index, bool overwrite);
    std::string Next(FileFormat format);

private:
    std::string m_folder;
    int m_index;
    int m_next = 0;
};

}  // namespace zoqcam
