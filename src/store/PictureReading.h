#pragma once
// Reading the pictures the canvas shows (a format's background picture, a picture box's
// file) with the user told when one cannot be read.

#include <QImage>
#include <QSize>
#include <QString>

namespace bw {

// The picture of the file at the size `fit` needs (ReadPicture); `reduced` (when given) says
// whether it was read smaller than its own size. A file that exists but cannot be read (a
// damaged or cut-off picture, or no regular file: a FIFO, a folder) gives a null picture and
// the message "无法读取图片“<file>”：<cause>", once for each state of the file (a canvas zoom
// or a redraw of the same damaged file does not ask again; the file changed, it does). A missing
// file gives a null picture and no message.
QImage ReadShownPicture(const QString& path, QSize fit, bool* reduced = nullptr);

}  // namespace bw
