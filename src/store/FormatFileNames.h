#pragma once
// The files a format's name names on the disk: its background picture, the default PDF file
// of its bills, the pair an export or a download writes (the format file and its picture
// beside it), and the temporaries each of them is written through. A file name holds at most
// kMaxFileNameBytes bytes as the file system is given them (UTF-8); a format name is taken
// only when all of them fit.

#include <QString>

namespace bw {

// The most a file name holds on the disks the program writes to (NAME_MAX), in bytes.
inline constexpr int kMaxFileNameBytes = 255;

// Bytes of the longest file name the format's name gives.
int LongestFormatFileName(const QString& format);

// True when every file name the format's name gives fits.
bool FormatFileNamesFit(const QString& format);

}  // namespace bw
