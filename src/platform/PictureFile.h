#pragma once
// Reading a picture file at the size it is shown or printed at. A picture larger than that is
// read reduced while it is decoded (a JPEG file by its own scaled decoding), so that a large
// scan costs no more memory than its place needs and is never refused for its size; one no
// larger than that is read whole, as it is. A picture that cannot be read says why.

#include <QImage>
#include <QSize>
#include <QString>

namespace bw {

// The most pixels a picture is held with, whatever it is read for (96 MB of 32-bit pixels,
// under the decoder's own limit): an A4 scan of 600 dpi is held at about 500 dpi.
inline constexpr qint64 kMaxPicturePixels = 24'000'000;

struct PictureRead {
    QImage image;          // null when the file could not be read
    bool reduced = false;  // read smaller than the file's own size
    QString cause;         // why it could not be read, in the user's words; "" when read
};

// The picture of the file, turned as its EXIF data says, at its own size; or, when it is
// larger than `fit` (device pixels, across and down; an empty size asks for no reduction)
// both ways, reduced keeping its proportions to the least size that still covers `fit`;
// never above kMaxPicturePixels.
PictureRead ReadPicture(const QString& path, QSize fit = QSize());

}  // namespace bw
