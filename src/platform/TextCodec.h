#pragma once
// Text exchanged with Windows users (format interchange files, CSV) is in the GBK code page.

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace bw {

// Encodes as GBK (code page 936). Characters GBK cannot hold become "?".
QByteArray ToAnsi(const QString& text);

// Encodes many texts as GBK into one byte array, keeping one converter open and the bytes
// of every character met once: the writer of large exports. The bytes are those ToAnsi
// gives for the same text.
class AnsiEncoder {
public:
    AnsiEncoder();
    ~AnsiEncoder();
    AnsiEncoder(const AnsiEncoder&) = delete;
    AnsiEncoder& operator=(const AnsiEncoder&) = delete;
    // Appends the GBK bytes of the text to `out`.
    void Append(QStringView text, QByteArray& out);

private:
    // The bytes of one character (a surrogate pair as one), "?" when GBK has none.
    QByteArray convert(char32_t code);
    void* cd_ = nullptr;                // iconv handle
    std::vector<std::uint32_t> known_;  // by UTF-16 unit: 0 unknown, else length << 24 | bytes
};

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
