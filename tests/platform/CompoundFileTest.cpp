#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "platform/CompoundFile.h"

using namespace bw;

namespace {

QByteArray Pattern(qsizetype n) {
    QByteArray b(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i) b[i] = static_cast<char>(i * 7 + i / 251);
    return b;
}

quint32 Get32(const QByteArray& b, qsizetype at) {
    const auto* u = reinterpret_cast<const unsigned char*>(b.constData() + at);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}

void Put32(QByteArray& b, qsizetype at, quint32 v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
}

// Where things are in the files written here (512-byte sectors, one FAT sector, one
// directory sector: the root entry is 0 and the stream 1).
qsizetype SectorAt(quint32 s) {
    return (qsizetype(s) + 1) * 512;
}
qsizetype FatEntry(const QByteArray& b, quint32 s) {
    return SectorAt(Get32(b, 0x4C)) + 4 * s;
}
qsizetype MiniFatEntry(const QByteArray& b, quint32 s) {
    return SectorAt(Get32(b, 0x3C)) + 4 * s;
}
qsizetype DirEntry(const QByteArray& b, int id) {
    return SectorAt(Get32(b, 0x30)) + 128 * id;
}

constexpr quint32 kEnd = 0xFFFFFFFE;

}  // namespace

// Small streams live in the mini stream, large ones in whole sectors; past 109 FAT sectors
// (about 7 MB) the FAT is listed in DIFAT sectors.
TEST(CompoundFile, WrittenStreamsReadBackWhateverTheirSize) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.xls"));
    for (qsizetype size : {0, 1, 64, 1000, 4095, 4096, 4097, 100000, 8 << 20}) {
        SCOPED_TRACE(size);
        const QByteArray data = Pattern(size);
        ASSERT_TRUE(WriteCompoundFile(path, QStringLiteral("Workbook"), data));
        QByteArray got;
        QString found;
        ASSERT_EQ(ReadCompoundStream(path, {QStringLiteral("Book"), QStringLiteral("WORKBOOK")},
                                     &got, &found),
                  CompoundStatus::Ok);
        EXPECT_TRUE(got == data);
        EXPECT_EQ(found, QStringLiteral("Workbook"));
        EXPECT_EQ(ReadCompoundStream(path, {QStringLiteral("Book")}, &got),
                  CompoundStatus::NoStream);
    }
}

TEST(CompoundFile, DamagedStructuresAreReportedNotFollowed) {
    // A stream of 5000 bytes takes sectors 0 to 9; one of 1000 bytes takes mini sectors 0 to
    // 15 of a mini stream of 1024 bytes.
    const struct {
        const char* what;
        qsizetype size;
        std::function<void(QByteArray&)> damage;
        CompoundStatus want;
    } cases[] = {
        {"FAT chain loops", 5000, [](QByteArray& b) { Put32(b, FatEntry(b, 3), 1); },
         CompoundStatus::Damaged},
        {"FAT chain ends early", 5000, [](QByteArray& b) { Put32(b, FatEntry(b, 3), kEnd); },
         CompoundStatus::Damaged},
        {"FAT chain leaves the file", 5000, [](QByteArray& b) { Put32(b, FatEntry(b, 3), 100000); },
         CompoundStatus::Damaged},
        {"stream starts beyond the file", 5000,
         [](QByteArray& b) { Put32(b, DirEntry(b, 1) + 0x74, 0x7FFFFFF0); },
         CompoundStatus::Damaged},
        {"stream larger than the file", 5000,
         [](QByteArray& b) { Put32(b, DirEntry(b, 1) + 0x78, 1u << 30); }, CompoundStatus::Damaged},
        {"directory chain loops", 5000,
         [](QByteArray& b) { Put32(b, FatEntry(b, Get32(b, 0x30)), Get32(b, 0x30)); },
         CompoundStatus::Damaged},
        {"directory tree loops", 5000, [](QByteArray& b) { Put32(b, DirEntry(b, 1) + 0x44, 1); },
         CompoundStatus::Damaged},
        {"sibling beyond the directory", 5000,
         [](QByteArray& b) { Put32(b, DirEntry(b, 1) + 0x48, 9); }, CompoundStatus::Damaged},
        {"more FAT sectors than the file has", 5000, [](QByteArray& b) { Put32(b, 0x2C, 1000); },
         CompoundStatus::Damaged},
        {"unknown sector size", 5000, [](QByteArray& b) { b[0x1E] = 10; }, CompoundStatus::Damaged},
        {"header cut short", 5000, [](QByteArray& b) { b.truncate(300); }, CompoundStatus::Damaged},
        {"no signature", 5000, [](QByteArray& b) { b[0] = 'P'; }, CompoundStatus::NotCompound},
        {"mini chain loops", 1000, [](QByteArray& b) { Put32(b, MiniFatEntry(b, 5), 2); },
         CompoundStatus::Damaged},
        {"mini chain leaves the mini stream", 1000,
         [](QByteArray& b) { Put32(b, MiniFatEntry(b, 5), 40); }, CompoundStatus::Damaged},
        {"mini stream shorter than its stream", 1000,
         [](QByteArray& b) { Put32(b, DirEntry(b, 0) + 0x78, 512); }, CompoundStatus::Damaged},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.xls"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteCompoundFile(path, QStringLiteral("Workbook"), Pattern(c.size)));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        c.damage(bytes);
        ASSERT_TRUE(f.resize(0) && f.seek(0) && f.write(bytes) == bytes.size());
        f.close();
        QByteArray got("stale");
        EXPECT_EQ(ReadCompoundStream(path, {QStringLiteral("Workbook")}, &got), c.want);
        EXPECT_TRUE(got.isEmpty());
    }
}

// A stream handed over in pieces makes the same file; a producer that fails leaves the old
// file and no temporary one.
TEST(CompoundFile, StreamInPiecesAndFailingProducer) {
    QTemporaryDir dir;
    const QString whole = dir.filePath(QStringLiteral("whole.xls"));
    const QString pieces = dir.filePath(QStringLiteral("pieces.xls"));
    const QByteArray data = Pattern(300000);
    ASSERT_TRUE(WriteCompoundFile(whole, QStringLiteral("Workbook"), data));
    ASSERT_TRUE(WriteCompoundFile(pieces, QStringLiteral("Workbook"), [&](const auto& write) {
        for (qsizetype at = 0; at < data.size(); at += 70000)
            if (!write(
                    QByteArrayView(data).sliced(at, std::min<qsizetype>(70000, data.size() - at))))
                return false;
        return true;
    }));
    QFile a(whole), b(pieces);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_TRUE(a.readAll() == b.readAll());
    b.close();

    EXPECT_FALSE(WriteCompoundFile(pieces, QStringLiteral("Workbook"), [&](const auto& write) {
        return write(QByteArrayView(data).first(5000)) && false;
    }));
    QByteArray got;
    EXPECT_EQ(ReadCompoundStream(pieces, {QStringLiteral("Workbook")}, &got), CompoundStatus::Ok);
    EXPECT_TRUE(got == data);
    EXPECT_FALSE(QFile::exists(pieces + QStringLiteral(".TMP")));
}
