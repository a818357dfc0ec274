#pragma once
// Text exchanged with Windows users (format interchange files, CSV) is in the GBK code page.

#include <QByteArray>
#include <QString>

namespace bw {

// Encodes as GBK (code page 936). Characters GBK cannot hold become "?".
QByteArray ToAnsi(const QString& text);

// Decodes bytes of a text file: UTF-8 when they start with its byte-order mark, otherwise
// GB18030 (a superset of GBK, so every GBK file reads).
QString FromAnsi(const QByteArray& bytes);

}  // namespace bw
