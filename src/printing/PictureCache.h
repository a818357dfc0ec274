#pragma once
// The pictures printed in picture boxes and labels, each read at the size its box takes on
// the target and kept for the next label or bill that prints it. What is kept is bounded by
// the pictures' bytes, so a sheet of many large pictures holds no more than the bound.

#include <QImage>
#include <QSize>
#include <QString>

namespace bw {

// The bytes of pictures kept at most; the pictures used longest ago go first.
inline constexpr qint64 kPictureCacheBytes = 128LL * 1024 * 1024;

// The picture of the file as a box of `pixels` device pixels shows it (ReadPicture: reduced
// when the file's own size is larger, whole otherwise), made opaque when `opaque`; read once
// while the file stays unchanged. Null when the file is missing or cannot be read.
QImage CachedPicture(const QString& path, QSize pixels, bool opaque);

}  // namespace bw
