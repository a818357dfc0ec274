#include <gtest/gtest.h>

#include <random>

#include "platform/CsvCodec.h"

using namespace bw;

namespace {

// Bytes that matter to the parser, a GBK lead byte, a UTF-8 lead byte and plain letters.
QByteArray RandomCsv(std::mt19937& rng, bool asciiOnly) {
    static const char kAscii[] = {',', '"', '\r', '\n', 'a', 'b', ' ', '\t'};
    static const char kBytes[] = {',',    '"',    '\r',   '\n',   'a',   '\x81',
                                  '\xFF', '\xE4', '\xB8', '\xAD', '\xEF'};
    QByteArray b;
    const int n = static_cast<int>(rng() % 80);
    for (int i = 0; i < n; ++i)
        b += asciiOnly ? kAscii[rng() % std::size(kAscii)] : kBytes[rng() % std::size(kBytes)];
    return b;
}

}  // namespace

// Any bytes: no line feed survives inside a field (each is a line end or the mark), and no
// more records come out than there are lines.
TEST(CsvFuzz, AnyBytesGiveWellFormedRecords) {
    std::mt19937 rng(4180);
    for (int i = 0; i < 3000; ++i) {
        const QByteArray bytes = RandomCsv(rng, false);
        const QList<QStringList> records = ParseCsv(bytes, QStringLiteral("//"));
        EXPECT_LE(records.size(), bytes.count('\n') + 1) << bytes.toHex().constData();
        for (const QStringList& r : records)
            for (const QString& f : r) EXPECT_FALSE(f.contains(u'\n')) << bytes.toHex().constData();
    }
}

// What the parser reads, the export writes back so that it reads the same again (each cell
// with the export's TAB, and line breaks inside cells as the mark).
TEST(CsvFuzz, ExportOfAParsedTableParsesBack) {
    std::mt19937 rng(1180);
    const QString mark = QStringLiteral("\n");
    for (int i = 0; i < 3000; ++i) {
        const QByteArray bytes = RandomCsv(rng, true);
        QList<QStringList> table = ParseCsv(bytes, mark);
        QList<QStringList> want = table;
        for (QStringList& r : want)
            for (QString& f : r) {
                f += u'\t';
                f.replace(QStringLiteral("\r\n"), mark).replace(u'\r', mark);
            }
        // An empty record writes an empty line, which reads back as an empty record.
        EXPECT_EQ(ParseCsv(CsvExportBytes(table), mark), want) << bytes.toHex().constData();
    }
}
