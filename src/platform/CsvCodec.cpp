#include "platform/CsvCodec.h"

#include <QFile>
#include <cstdio>
#include <memory>

#include "platform/TextCodec.h"

namespace bw {

namespace {

// Decodes the bytes of fields in the file's encoding.
class FieldDecoder {
public:
    explicit FieldDecoder(bool utf8) : utf8_(utf8) {
        if (!utf8) gbk_ = std::make_unique<CodePageDecoder>(936);
    }
    QString operator()(const char* p, qsizetype n) {
        return utf8_ ? QString::fromUtf8(p, n) : gbk_->decode(p, n);
    }

private:
    bool utf8_;
    std::unique_ptr<CodePageDecoder> gbk_;
};

}  // namespace

QList<QStringList> ParseCsv(const QByteArray& bytes, const QString& lineBreakMark) {
    QList<QStringList> records;
    const char* p = bytes.constData();
    qsizetype n = bytes.size();
    qsizetype i = 0;
    bool utf8 = false;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        utf8 = true;
        i = 3;
    } else {
        utf8 = IsValidUtf8(p, n);
    }
    FieldDecoder decode(utf8);

    QStringList record;
    bool inRecord = false;  // something of the current line has been read
    while (i < n) {
        // One field starting at i.
        QString field;
        const bool quoted = p[i] == '"';
        if (quoted) {
            ++i;
            qsizetype start = i;
            QByteArray raw;  // bytes of the field since the last line break
            bool closed = false;
            while (i < n) {
                char c = p[i];
                if (c == '"') {
                    if (i + 1 < n && p[i + 1] == '"') {
                        raw.append(p + start, i - start + 1);
                        i += 2;
                        start = i;
                        continue;
                    }
                    raw.append(p + start, i - start);
                    ++i;
                    closed = true;
                    break;
                }
                if (c == '\r' || c == '\n') {
                    raw.append(p + start, i - start);
                    field += decode(raw.constData(), raw.size());
                    field += lineBreakMark;
                    raw.clear();
                    i += (c == '\r' && i + 1 < n && p[i + 1] == '\n') ? 2 : 1;
                    start = i;
                    continue;
                }
                ++i;
            }
            if (!closed) raw.append(p + start, i - start);
            field += decode(raw.constData(), raw.size());
            // Data after the closing quote, up to the field's end, is kept.
            start = i;
            while (i < n && p[i] != ',' && p[i] != '\n' &&
                   !(p[i] == '\r' && i + 1 < n && p[i + 1] == '\n'))
                ++i;
            if (i > start) field += decode(p + start, i - start);
        } else {
            qsizetype start = i;
            while (i < n && p[i] != ',' && p[i] != '\n' &&
                   !(p[i] == '\r' && i + 1 < n && p[i + 1] == '\n'))
                ++i;
            field = decode(p + start, i - start);
        }
        // i is at a comma, a line end or the end of the data.
        if (i < n && p[i] == ',') {
            record << field;
            inRecord = true;
            ++i;
            if (i == n) record << QString();  // "a," at the very end: an empty last field
            continue;
        }
        // The empty "field" of an empty line is no field at all.
        if (inRecord || quoted || !field.isEmpty()) record << field;
        records << record;
        record.clear();
        inRecord = false;
        if (i < n) i += (p[i] == '\r') ? 2 : 1;
    }
    if (inRecord) records << record;
    return records;
}

bool ReadCsvFile(const QString& path, const QString& lineBreakMark, QList<QStringList>* records) {
    records->clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return false;
    *records = ParseCsv(bytes, lineBreakMark);
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
