#include "platform/TextCodec.h"

#include <iconv.h>
#include <QList>

#include <cerrno>
#include <vector>

namespace bw {

namespace {

// Converts with iconv; on an unconvertible input sequence of `inStep` bytes writes
// `replacement` and goes on.
QByteArray convert(const char* to, const char* from, const QByteArray& in, int inStep,
                   const QByteArray& replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    QByteArray out;
    std::vector<char> buf(4096);
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = static_cast<size_t>(in.size());
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
    iconv_close(cd);
    return out;
}

}  // namespace

QByteArray ToAnsi(const QString& text) {
    // UTF-32 input lets an unconvertible character be skipped as one unit of 4 bytes.
    QList<uint> ucs = text.toUcs4();
    QByteArray in(reinterpret_cast<const char*>(ucs.constData()),
                  static_cast<qsizetype>(ucs.size() * sizeof(uint)));
    return convert("CP936", "UTF-32LE", in, 4, "?");
}

QString FromAnsi(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    QByteArray u8 = convert("UTF-8", "GB18030", bytes, 1, "\xEF\xBF\xBD");
    return QString::fromUtf8(u8);
}

}  // namespace bw
