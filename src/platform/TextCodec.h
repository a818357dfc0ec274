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

// Decodes many short texts in one Windows code page (936 for GBK, 1252, ...),
// keeping one converter open. A byte sequence the code page cannot decode becomes U+FFFD
// and never swallows the byte after it when that byte is ASCII. An unknown code page
// decodes as Latin-1.
class CodePageDecoder {
public:
    explicit CodePageDecoder(int codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;
    QString decode(const char* data, qsizetype size);
    QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }

private:
    void* cd_ = nullptr;  // iconv handle, null for Latin-1
};

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(const char* data, qsizetype size);

}  // namespace bw
