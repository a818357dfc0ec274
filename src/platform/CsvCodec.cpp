#include "platform/CsvCodec.h"

#include <QFile>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/TextCodec.h"

namespace bw {

namespace {

// The encoding is decided on this many bytes from the first byte outside ASCII.
constexpr qsizetype kEncodingWindow = 1 << 20;
// The file is read in pieces of this size.
constexpr qsizetype kPiece = 1 << 20;

// The number of bytes at the end of `p[0..n)` that begin a UTF-8 sequence the bytes do not
// complete (0 to 3).
qsizetype unfinishedUtf8(const char* p, qsizetype n) {
    for (qsizetype k = 1; k <= 3 && k <= n; ++k) {
        const auto c = static_cast<unsigned char>(p[n - k]);
        if ((c & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        const qsizetype length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return length > k ? k : 0;
    }
    return 0;
}

// The position of the first byte outside ASCII in p[from..n), or n.
qsizetype firstNonAscii(const char* p, qsizetype from, qsizetype n) {
    while (from < n && static_cast<unsigned char>(p[from]) < 0x80) ++from;
    return from;
}

// Whether the bytes from the first byte outside ASCII (at `at`) are UTF-8: those up to the
// encoding window, or to `n`; a sequence cut off at `n` counts only when the data ends there.
bool utf8From(const char* p, qsizetype at, qsizetype n, bool dataEnds) {
    qsizetype length = std::min(n - at, kEncodingWindow);
    if (!dataEnds || length < n - at) length -= unfinishedUtf8(p + at, length);
    return IsValidUtf8(p + at, length);
}

}  // namespace

// Decodes the bytes of fields in the file's encoding (UTF-8 until told otherwise).
class CsvFieldDecoder {
public:
    bool utf8 = true;
    QString operator()(const char* p, qsizetype n) {
        if (utf8) return QString::fromUtf8(p, n);
        if (!gbk) gbk = std::make_unique<CodePageDecoder>(936);
        return gbk->decode(p, n);
    }

private:
    std::unique_ptr<CodePageDecoder> gbk;
};

namespace {

// True at a line end: LF, or CR LF (which needs the byte after the CR).
inline bool lineEndAt(const char* p, qsizetype i, qsizetype n) {
    return p[i] == '\n' || (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n');
}

enum class Parsed { Record, None, Overlong };

// Parses the record that starts at p[i], taking the data to end at n. With `more` (the data
// may go on past n) a record that reaches the end of the data is not taken: its end may
// still change. Record: i is past its line end, and `out` (when given, decoded with
// `decode`) holds its fields. None: no record yet, i as it was. Overlong: a field runs past
// kMaxCsvFieldBytes, *overlong is where it begins, i as it was.
Parsed parseRecord(const char* p, qsizetype n, qsizetype& i, bool more, const QString& mark,
                   CsvFieldDecoder* decode, QStringList* out, qsizetype* overlong) {
    if (i >= n) return Parsed::None;
    const qsizetype begin = i;
    QStringList record;
    qsizetype fields = 0;
    for (;;) {
        // One field starting at i, scanned no further than a byte past the longest field.
        const qsizetype fieldBegin = i;
        const qsizetype scanEnd = std::min(n, fieldBegin + kMaxCsvFieldBytes + 1);
        const auto tooLong = [&] {
            if (i - fieldBegin <= kMaxCsvFieldBytes) return false;
            *overlong = fieldBegin;
            i = begin;
            return true;
        };
        QString field;
        bool empty = true;
        const bool quoted = p[i] == '"';
        qsizetype start = i;
        if (quoted) {
            ++i;
            start = i;
            QByteArray raw;  // bytes of the field since the last line break
            bool closed = false;
            while (i < scanEnd) {
                const char c = p[i];
                if (c == '"') {
                    if (i + 1 < n && p[i + 1] == '"') {
                        if (out) raw.append(p + start, i - start + 1);
                        i += 2;
                        start = i;
                        continue;
                    }
                    if (out) raw.append(p + start, i - start);
                    ++i;
                    closed = true;
                    break;
                }
                if (c == '\r' || c == '\n') {
                    if (out) {
                        raw.append(p + start, i - start);
                        field += (*decode)(raw.constData(), raw.size());
                        field += mark;
                        raw.clear();
                    }
                    i += (c == '\r' && i + 1 < n && p[i + 1] == '\n') ? 2 : 1;
                    start = i;
                    continue;
                }
                ++i;
            }
            if (tooLong()) return Parsed::Overlong;
            if (out) {
                if (!closed) raw.append(p + start, i - start);
                field += (*decode)(raw.constData(), raw.size());
            }
            // Data after the closing quote, up to the field's end, is kept.
            start = i;
            while (i < scanEnd && p[i] != ',' && !lineEndAt(p, i, n)) ++i;
            if (tooLong()) return Parsed::Overlong;
            if (out && i > start) field += (*decode)(p + start, i - start);
        } else {
            while (i < scanEnd && p[i] != ',' && !lineEndAt(p, i, n)) ++i;
            if (tooLong()) return Parsed::Overlong;
            empty = i == start;
            if (out && !empty) field = (*decode)(p + start, i - start);
        }
        // i is at a comma, a line end or the end of the data.
        if (i < n && p[i] == ',') {
            if (out) record << field;
            ++fields;
            ++i;
            if (i == n) {  // "a," at the very end: an empty last field
                if (out) record << QString();
                break;
            }
            continue;
        }
        // The empty "field" of an empty line is no field at all.
        if (out && (fields > 0 || quoted || !empty)) record << field;
        if (i < n) i += (p[i] == '\r') ? 2 : 1;
        break;
    }
    if (more && i >= n) {
        i = begin;
        return Parsed::None;
    }
    if (out) *out = std::move(record);
    return Parsed::Record;
}

}  // namespace

QList<QStringList> ParseCsv(const QByteArray& bytes, const QString& lineBreakMark) {
    QList<QStringList> records;
    const char* p = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    CsvFieldDecoder decode;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        i = 3;
    } else {
        const qsizetype at = firstNonAscii(p, 0, n);
        decode.utf8 = at == n || utf8From(p, at, n, true);
    }
    QStringList record;
    qsizetype overlong = 0;
    while (parseRecord(p, n, i, false, lineBreakMark, &decode, &record, &overlong) ==
           Parsed::Record)
        records << record;
    return records;
}

CsvReader::CsvReader(const QString& path, const QString& lineBreakMark)
    : file_(path), mark_(lineBreakMark), decode_(std::make_unique<CsvFieldDecoder>()) {}

CsvReader::~CsvReader() = default;

bool CsvReader::Open() {
    if (!file_.open(QIODevice::ReadOnly) || !fill(kPiece)) return false;
    if (buf_.startsWith("\xEF\xBB\xBF")) {
        pos_ = ascii_ = 3;
        decided_ = true;
    }
    return decideEncoding();
}

bool CsvReader::fill(qsizetype atLeast) {
    // What was read is dropped: only the record being read and what follows stay.
    if (pos_ > 0) {
        buf_.remove(0, pos_);
        ascii_ = std::max<qsizetype>(0, ascii_ - pos_);
        pos_ = 0;
    }
    const qsizetype wanted = buf_.size() + atLeast;
    while (!eof_ && buf_.size() < wanted) {
        const qsizetype had = buf_.size();
        buf_.resize(wanted);
        const qint64 got = file_.read(buf_.data() + had, wanted - had);
        if (got < 0) {
            buf_.resize(had);
            failed_ = true;
            return false;
        }
        buf_.resize(had + got);
        eof_ = got == 0;
    }
    return true;
}

bool CsvReader::decideEncoding() {
    if (decided_) return true;
    ascii_ = firstNonAscii(buf_.constData(), ascii_, buf_.size());
    if (ascii_ == buf_.size()) return true;  // all ASCII so far: read as UTF-8 for now
    // The bytes of the encoding window are read before anything is decoded with them, and
    // one more: a file that ends right at the window's end is known to end there, as the
    // whole-file parse knows it.
    const qsizetype have = buf_.size() - ascii_;
    if (have <= kEncodingWindow && !eof_ && !fill(kEncodingWindow + 1 - have)) return false;
    decode_->utf8 = utf8From(buf_.constData(), ascii_, buf_.size(), eof_);
    decided_ = true;
    return true;
}

bool CsvReader::Next(QStringList* fields) {
    if (overlong_.line > 0) return false;
    for (qsizetype more = kPiece;; more *= 2) {
        qsizetype i = pos_, overlong = 0;
        const char* p = buf_.constData();
        const Parsed parsed =
            parseRecord(p, buf_.size(), i, !eof_, mark_, decode_.get(), fields, &overlong);
        if (parsed == Parsed::Record) {
            line_ += std::count(p + pos_, p + i, '\n');
            pos_ = i;
            return true;
        }
        if (parsed == Parsed::Overlong) {
            overlong_.line = line_ + std::count(p + pos_, p + overlong, '\n');
            overlong_.quoted = p[overlong] == '"';
            return false;
        }
        if (eof_) return false;
        // The record runs past what was read: read on, twice as much each time a record
        // is longer still, and decide the encoding when the new bytes call for it.
        if (!fill(std::max(more, buf_.size() - pos_)) || !decideEncoding()) return false;
    }
}

bool ReadCsvFile(const QString& path, const QString& lineBreakMark, QList<QStringList>* records) {
    records->clear();
    CsvReader reader(path, lineBreakMark);
    if (!reader.Open()) return false;
    QStringList fields;
    while (reader.Next(&fields)) records->append(fields);
    if (reader.Failed() || reader.Overlong().line > 0) {
        records->clear();
        return false;
    }
    return true;
}

QByteArray CsvExportBytes(const QList<QStringList>& table) {
    AnsiEncoder gbk;
    QByteArray out;
    for (const QStringList& row : table) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0) out += ',';
            const QStringView cell = row[c];
            bool quoted = false;
            for (QChar ch : cell)
                if (ch == u',' || ch == u'"' || ch == u'\r' || ch == u'\n') {
                    quoted = true;
                    break;
                }
            if (quoted) out += '"';
            qsizetype from = 0;
            for (qsizetype q = cell.indexOf(u'"'); q >= 0; q = cell.indexOf(u'"', q + 1)) {
                gbk.Append(cell.sliced(from, q + 1 - from), out);
                out += '"';  // a quote is doubled
                from = q + 1;
            }
            gbk.Append(cell.sliced(from), out);
            out += quoted ? QByteArrayView("\t\"") : QByteArrayView("\t");
        }
        out += "\r\n";
    }
    return out;
}

bool WriteCsvFile(const QString& path, const QList<QStringList>& table) {
    const QString tmp = path + QStringLiteral(".TMP");
    QFile f(tmp);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QByteArray bytes = CsvExportBytes(table);
    bool ok = f.write(bytes) == bytes.size();
    f.close();
    ok = ok && f.error() == QFileDevice::NoError;
    if (ok)
        ok = std::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(path).constData()) ==
             0;
    if (!ok) QFile::remove(tmp);
    return ok;
}

}  // namespace bw
