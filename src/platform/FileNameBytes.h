#pragma once
// File names that are no UTF-8. The system keeps a file's name as bytes; Qt hands a name whose
// bytes are no UTF-8 over with U+FFFD in place of each byte it could not read, and cannot
// open the file by that name. A message then names the file by its bytes.

#include <QByteArray>
#include <QString>

namespace bw {

// The name's bytes as text: what is UTF-8 as it reads, every other byte as "\xHH".
QString NameWithBytesShown(const QByteArray& name);

// True when `path` stands for a file whose name is no UTF-8: its name holds U+FFFD and no
// file of that name is there.
bool NameNotDecodable(const QString& path);

// `path` as a message names it (native separators). When its file name is no UTF-8, the file
// of its folder it stands for, by its bytes (NameWithBytesShown); the first such file when
// several stand for it.
QString PathForMessage(const QString& path);

}  // namespace bw
