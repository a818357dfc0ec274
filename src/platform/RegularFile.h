#pragma once
// Opening only regular files where a picture or a text file is expected. A FIFO, a device, a
// socket or a folder in such a place is never opened: an open of a FIFO would wait for a
// writer for good, and a device gives no end. Links to regular files count as regular files.

#include <QString>

class QFile;

namespace bw {

// True when `path` names a regular file (a link is followed).
bool IsRegularFile(const QString& path);

// Why the file at `path` is not one to open, in the user's words: "文件不存在", or what it is
// ("不是普通文件，而是管道", …); "" when it is a regular file.
QString NotRegularFileCause(const QString& path);

// Opens `path` for reading when it is a regular file: looked at before the open, opened
// without waiting, and looked at again on the opened file (so that one put in its place
// meanwhile is not taken). False, `file` closed and `why` (when given) holding the cause in
// the user's words, otherwise.
bool OpenRegularFile(QFile& file, const QString& path, QString* why = nullptr);

}  // namespace bw
