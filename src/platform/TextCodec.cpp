#include "platform/TextCodec.h"

#include <iconv.h>
#include <QList>

#include <cerrno>
#include <vector>

namespace bw {

namespace {

// Converts with iconv; on an unconvertible input sequence of `inStep` bytes writes
// `replacement` and goes on.
QByteArray convertWith(iconv_t cd, const char* data, qsizetype size, int inStep,
                       const QByteArray& replacement) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // fresh shift state
    QByteArray out;
    std::vector<char> buf(4096);
    char* src = const_cast<char*>(data);
    size_t srcLeft = static_cast<size_t>(size);
    while (srcLeft > 0) {
        char* dst = buf.data();
        size_t dstLeft = buf.size();
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf.data(), static_cast<qsizetype>(buf.size() - dstLeft));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: skip one unit of input.
            size_t skip = std::min<size_t>(static_cast<size_t>(inStep), srcLeft);
            src += skip;
            srcLeft -= skip;
            out.append(replacement);
        }
    }
    char* dst = buf.data();
    size_t dstLeft = buf.size();
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buf.data(), static_cast<qsizetype>(buf.size() - dstLeft));
    return out;
}

QByteArray convert(const char* to, const char* from, const QByteArray& in, int inStep,
                   const QByteArray& replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    QByteArray out = convertWith(cd, in.constData(), in.size(), inStep, replacement);
    iconv_close(cd);
    return out;
}

QByteArray iconvName(int codePage) {
    switch (codePage) {
        case 367:
            return "ASCII";
        case 10000:
        case 32768:
            return "MACINTOSH";
        case 32769:
            return "CP1252";
        default:
            return "CP" + QByteArray::number(codePage);
    }
}

}  // namespace

CodePageDecoder::CodePageDecoder(int codePage) {
    iconv_t cd = iconv_open("UTF-16LE", iconvName(codePage).constData());
    if (cd != reinterpret_cast<iconv_t>(-1)) cd_ = cd;
}

CodePageDecoder::~CodePageDecoder() {
    if (cd_) iconv_close(static_cast<iconv_t>(cd_));
}

QString CodePageDecoder::decode(const char* data, qsizetype size) {
    bool ascii = true;
    for (qsizetype i = 0; i < size && ascii; ++i)
        ascii = static_cast<unsigned char>(data[i]) < 0x80;
    if (ascii || !cd_) return QString::fromLatin1(data, size);
    // Every input byte gives at most one UTF-16 unit (double-byte code pages), but leave
    // room for code pages that map a byte to a surrogate pair.
    QString out(size * 2, Qt::Uninitialized);
    auto cd = static_cast<iconv_t>(cd_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(data);
    size_t srcLeft = static_cast<size_t>(size);
    char* dst = reinterpret_cast<char*>(out.data());
    size_t dstLeft = static_cast<size_t>(out.size()) * 2;
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) break;
        if (errno == E2BIG || dstLeft < 2) break;  // cannot happen with the room above
        // EILSEQ or EINVAL: one byte becomes U+FFFD and decoding goes on after it.
        ++src;
        --srcLeft;
        dst[0] = static_cast<char>(0xFD);
        dst[1] = static_cast<char>(0xFF);
        dst += 2;
        dstLeft -= 2;
    }
    out.resize(static_cast<qsizetype>((dst - reinterpret_cast<char*>(out.data())) / 2));
    return out;
}

bool IsValidUtf8(const char* data, qsizetype size) {
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    qsizetype i = 0;
    while (i < size) {
        unsigned c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int n;
        unsigned min;
        unsigned cp;
        if ((c & 0xE0) == 0xC0) {
            n = 1, min = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2, min = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3, min = 0x10000, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + n >= size) return false;
        for (int k = 1; k <= n; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += n + 1;
    }
    return true;
}

AnsiEncoder::AnsiEncoder() {
    iconv_t cd = iconv_open("CP936", "UTF-32LE");
    if (cd != reinterpret_cast<iconv_t>(-1)) cd_ = cd;
}

AnsiEncoder::~AnsiEncoder() {
    if (cd_) iconv_close(static_cast<iconv_t>(cd_));
}

QByteArray AnsiEncoder::convert(char32_t code) {
    if (!cd_) return {};
    char in[4];
    for (int i = 0; i < 4; ++i) in[i] = static_cast<char>((code >> (8 * i)) & 0xFF);
    return convertWith(static_cast<iconv_t>(cd_), in, 4, 4, "?");
}

void AnsiEncoder::Append(QStringView text, QByteArray& out) {
    const qsizetype n = text.size();
    const qsizetype start = out.size();
    out.resize(start + n * 3);  // GBK takes at most two bytes for a character
    char* dst = out.data() + start;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            *dst++ = static_cast<char>(c);
            continue;
        }
        if (QChar::isSurrogate(c)) {
            // A pair is one character (none of them is in GBK); a lone half counts as U+FFFD.
            char32_t code = 0xFFFD;
            if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate())
                code = QChar::surrogateToUcs4(c, text[++i].unicode());
            const QByteArray bytes = convert(code);
            const qsizetype at = dst - out.data();
            out.resize(out.size() + bytes.size());
            dst = out.data() + at;
            for (char b : bytes) *dst++ = b;
            continue;
        }
        if (known_.empty()) known_.assign(0x10000, 0);
        std::uint32_t& k = known_[c];
        if (k == 0) {
            const QByteArray bytes = convert(c);
            if (bytes.isEmpty() || bytes.size() > 2) {
                // No converter, or more than GBK has: written as it comes, never remembered.
                const qsizetype at = dst - out.data();
                out.resize(out.size() + bytes.size());
                dst = out.data() + at;
                for (char b : bytes) *dst++ = b;
                continue;
            }
            k = static_cast<std::uint32_t>(bytes.size()) << 24;
            for (qsizetype b = 0; b < bytes.size(); ++b)
                k |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[b])) << (8 * b);
        }
        *dst++ = static_cast<char>(k & 0xFF);
        if ((k >> 24) > 1) *dst++ = static_cast<char>((k >> 8) & 0xFF);
    }
    out.resize(dst - out.data());
}

QByteArray ToAnsi(const QString& text) {
    QByteArray out;
    AnsiEncoder().Append(text, out);
    return out;
}

QString FromAnsi(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    QByteArray u8 = convert("UTF-8", "GB18030", bytes, 1, "\xEF\xBF\xBD");
    return QString::fromUtf8(u8);
}

}  // namespace bw
