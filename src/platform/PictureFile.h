#pragma once
// Reading a picture file at the size it is shown or printed at. A picture larger than that is
// read reduced: a JPEG or colour PNG file while it is decoded, so that a large scan costs no
// more memory than its place needs and is never refused for its size; a file of another kind
// (BMP, GIF, grey or palette PNG) once decoded whole, which Qt's decoders refuse above 128 MB
// of 32-bit pixels. One no larger than that is read whole, as it is. Only a regular file is read; a
// picture that cannot be read, or whose file stops before its picture does, says why.

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

// The size a picture of `own` pixels (as shown) is read at for `fit`: its own size, or the
// least size of its proportions that still covers `fit` (each side rounded up), and never more
// than kMaxPicturePixels in all (each side then rounded down).
QSize PictureReadSize(QSize own, QSize fit);

// The picture of the file, turned as its EXIF data says, at its own size; or, when it is
// larger than `fit` (device pixels, across and down; an empty size asks for no reduction)
// both ways, reduced keeping its proportions to the least size that still covers `fit`;
// never above kMaxPicturePixels (PictureReadSize). A file that is not a regular one is not
// opened; one cut off is not shown (PictureCutOff).
PictureRead ReadPicture(const QString& path, QSize fit = QSize());

}  // namespace bw
