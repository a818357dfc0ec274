#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>

#include "platform/BiffCodec.h"
#include "platform/CompoundFile.h"
#include "platform/XlsReader.h"
#include "platform/XlsWriter.h"

using namespace bw;

namespace {

QList<QByteArray> SeedFiles() {
    QList<QByteArray> seeds;
    const QString dir = QStringLiteral(BW_TEST_SOURCE_DIR "/fixtures/xls/");
    for (const QString& f :
         QDir(dir).entryList({QStringLiteral("*.xls")}, QDir::Files, QDir::Name)) {
        QFile file(dir + f);
        if (file.open(QIODevice::ReadOnly)) seeds << file.readAll();
    }
    return seeds;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Opens the file and, when it opens, reads every sheet a little: must not crash, and a
// failure must leave nothing behind.
void Exercise(const QString& path, std::mt19937& rng) {
    XlsWorkbook book;
    const int err = book.open(path);
    if (err != 0) {
        EXPECT_TRUE(err == kXlsCannotOpen || err == kXlsWrongType) << err;
        EXPECT_TRUE(book.sheetNames().isEmpty());
        return;
    }
    const QStringList names = book.sheetNames();
    for (const QString& n : names) {
        const int s = book.worksheetIndex(n);
        if (s < 0) continue;
        QString t;
        for (int r = 1; r <= 8; ++r)
            for (int c = 1; c <= 8; ++c) EXPECT_EQ(book.cellText(s, r, c, &t), 0);
        EXPECT_EQ(book.cellText(s, 1 + static_cast<int>(rng() % 65536),
                                1 + static_cast<int>(rng() % 256), &t),
                  0);
    }
}

// Mutations of raw bytes: flipped bytes, planted 32-bit values (sector numbers, lengths,
// counts), cut tails and copied blocks.
QByteArray Mutate(QByteArray b, std::mt19937& rng) {
    static const std::uint32_t kValues[] = {
        0, 1, 2, 3, 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD, 0x7FFFFFFF, 0x10000, 0xFFFF, 8224, 8225};
    const int n = 1 + static_cast<int>(rng() % 4);
    for (int k = 0; k < n && !b.isEmpty(); ++k) {
        const auto at = static_cast<qsizetype>(rng() % b.size());
        switch (rng() % 5) {
            case 0:
                b[at] = static_cast<char>(rng());
                break;
            case 1:
                if (at + 4 <= b.size()) {
                    std::uint32_t v = kValues[rng() % std::size(kValues)];
                    if (rng() % 3 == 0) v = static_cast<std::uint32_t>(at / 512);  // a loop
                    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
                }
                break;
            case 2:
                b.truncate(at);
                break;
            case 3: {
                const auto from = static_cast<qsizetype>(rng() % b.size());
                const qsizetype len =
                    std::min<qsizetype>(1 + rng() % 600, b.size() - std::max(from, at));
                if (len > 0) b.replace(at, len, b.mid(from, len));
                break;
            }
            default:
                b[at] = static_cast<char>(b[at] ^ (1 << (rng() % 8)));
                break;
        }
    }
    return b;
}

}  // namespace

// Damaged containers: the compound-file layer and everything above it.
TEST(XlsFuzz, MutatedFilesFailCleanly) {
    const QList<QByteArray> seeds = SeedFiles();
    ASSERT_FALSE(seeds.isEmpty());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.xls"));
    std::mt19937 rng(20240611);
    for (int i = 0; i < 1500; ++i) {
        WriteFile(path, Mutate(seeds[static_cast<int>(rng() % seeds.size())], rng));
        Exercise(path, rng);
    }
}

// Damaged workbook streams in sound containers: the BIFF records themselves (lengths,
// string counts and lengths, sheet offsets, dimensions).
TEST(XlsFuzz, MutatedWorkbookStreamsFailCleanly) {
    QList<QByteArray> streams;
    const QString dirName = QStringLiteral(BW_TEST_SOURCE_DIR "/fixtures/xls/");
    for (const QString& f :
         QDir(dirName).entryList({QStringLiteral("*.xls")}, QDir::Files, QDir::Name)) {
        QByteArray s;
        if (ReadCompoundStream(dirName + f, {QStringLiteral("Workbook"), QStringLiteral("Book")},
                               &s) == CompoundStatus::Ok)
            streams << s.left(60000);
    }
    ASSERT_FALSE(streams.isEmpty());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.xls"));
    std::mt19937 rng(77);
    for (int i = 0; i < 1500; ++i) {
        const int pick = static_cast<int>(rng() % streams.size());
        const bool biff8 = biff::Get16(streams[pick], 4) == 0x0600;
        WriteCompoundFile(path, biff8 ? QStringLiteral("Workbook") : QStringLiteral("Book"),
                          Mutate(streams[pick], rng));
        Exercise(path, rng);
    }
}
