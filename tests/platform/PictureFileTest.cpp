// Picture files are read only when they are regular files that hold their whole picture: a
// FIFO, a folder or a file cut off is named with its cause and nothing waits on it; the size a
// picture is read at never passes the bound.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "platform/FileNameBytes.h"
#include "platform/PictureFile.h"
#include "platform/RegularFile.h"
#include "platform/SafeFiles.h"

namespace bw {
namespace {

// A picture with detail everywhere, so that its compressed data runs through the whole file.
QImage busyPicture(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x ^ y) % 256));
    return img;
}

QByteArray encoded(const QImage& img, const char* format, bool progressive = false) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(img)) << writer.errorString().toStdString();
    return buffer.data();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A GIF of one pixel: header, colour table, a control extension, the image, the trailer.
const QByteArray kGif = QByteArray(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00"
    "\x21\xf9\x04\x01\x00\x00\x00\x00"
    "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b",
    43);

TEST(PictureFile, OnlyARegularFileIsOpenedAndNothingWaitsForAFifo) {
    QTemporaryDir dir;
    const QString picture = dir.filePath("whole.jpg"), fifo = dir.filePath("fifo.jpg");
    writeBytes(picture, encoded(busyPicture(40, 30), "JPG"));
    test::FifoInTheWay inTheWay(fifo);
    ASSERT_TRUE(inTheWay.made());

    const PictureRead fromFifo = ReadPicture(fifo);
    EXPECT_TRUE(fromFifo.image.isNull());
    EXPECT_EQ(fromFifo.cause, "不是普通文件，而是管道");
    QFile f;
    EXPECT_FALSE(OpenRegularFile(f, fifo));
    EXPECT_FALSE(f.isOpen());
    QString why;
    EXPECT_FALSE(CopyFileSafely(fifo, dir.filePath("copy.jpg"), &why));
    EXPECT_EQ(why, "无法读取“" + QDir::toNativeSeparators(fifo) + "”：不是普通文件，而是管道");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("copy.jpg")));
    EXPECT_FALSE(inTheWay.released()) << "a read waited for a writer on the FIFO";

    EXPECT_EQ(ReadPicture(dir.path()).cause, "不是文件，而是文件夹");
    // A link to a regular file is read as the file.
    ASSERT_TRUE(QFile::link(picture, dir.filePath("link.jpg")));
    EXPECT_EQ(ReadPicture(dir.filePath("link.jpg")).image.size(), QSize(40, 30));
    ASSERT_TRUE(OpenRegularFile(f, picture));
    EXPECT_EQ(f.readAll().size(), QFileInfo(picture).size());
}

TEST(PictureFile, AFileCutOffIsNamedWhateverItsKind) {
    QTemporaryDir dir;
    const QImage img = busyPicture(300, 200);
    struct Kind {
        const char* name;
        QByteArray whole;
        QList<qsizetype> cuts;  // lengths the file is cut to
    };
    const QByteArray jpeg = encoded(img, "JPG"), progressive = encoded(img, "JPG", true);
    const QByteArray bmp = encoded(img, "BMP");
    const Kind kinds[] = {
        {"jpeg", jpeg, {jpeg.size() / 2, jpeg.size() - 2}},  // the second loses the end marker
        {"progressive jpeg", progressive, {progressive.size() / 3, progressive.size() * 9 / 10}},
        {"bmp", bmp, {bmp.size() / 2, bmp.size() - 1}},
        {"gif", kGif, {30, kGif.size() - 2}},
    };
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.name);
        const QString path = dir.filePath(QStringLiteral("p.") + k.name);
        writeBytes(path, k.whole);
        const PictureRead whole = ReadPicture(path);
        EXPECT_FALSE(whole.image.isNull()) << whole.cause.toStdString();
        for (qsizetype cut : k.cuts) {
            SCOPED_TRACE(cut);
            writeBytes(path, k.whole.left(cut));
            const PictureRead read = ReadPicture(path);
            EXPECT_TRUE(read.image.isNull());
            EXPECT_EQ(read.cause, "图片文件不完整");
        }
    }
    // A GIF without its trailer still holds its whole picture.
    writeBytes(dir.filePath("t.gif"), kGif.left(kGif.size() - 1));
    EXPECT_FALSE(ReadPicture(dir.filePath("t.gif")).image.isNull());

    // A JPEG zeroed from its middle on, as a file whose last blocks never reached the disk.
    QByteArray zeroed = jpeg;
    zeroed.replace(zeroed.size() / 2, zeroed.size() - zeroed.size() / 2,
                   QByteArray(zeroed.size() - zeroed.size() / 2, '\0'));
    writeBytes(dir.filePath("zeroed.jpg"), zeroed);
    EXPECT_EQ(ReadPicture(dir.filePath("zeroed.jpg")).cause, "图片文件不完整");
    // Bytes after the end marker are no damage.
    writeBytes(dir.filePath("tail.jpg"), jpeg + QByteArray(100, 'x'));
    EXPECT_FALSE(ReadPicture(dir.filePath("tail.jpg")).image.isNull());

    // The headers of a JPEG claiming 20000×20000 pixels, and the first bytes of its scan.
    const qsizetype scan = jpeg.indexOf("\xff\xda");
    ASSERT_GT(scan, 0);
    QByteArray header = jpeg.left(scan + 2 + 12 + 20);
    const qsizetype frame = header.indexOf("\xff\xc0");
    ASSERT_GT(frame, 0);
    for (int i : {5, 7}) {  // height, then width, big-endian
        header[frame + i] = char(20000 >> 8);
        header[frame + i + 1] = char(20000 & 0xff);
    }
    writeBytes(dir.filePath("header.jpg"), header);
    const PictureRead claimed = ReadPicture(dir.filePath("header.jpg"));
    EXPECT_TRUE(claimed.image.isNull());
    EXPECT_EQ(claimed.cause, "图片文件不完整");
}

TEST(PictureFile, TheSizeReadAtCoversItsPlaceAndNeverPassesTheBound) {
    auto pixels = [](QSize s) { return qint64(s.width()) * s.height(); };
    // A square scan of 400 million pixels: each side rounded up would pass the bound.
    EXPECT_LE(pixels(PictureReadSize(QSize(20000, 20000), QSize())), kMaxPicturePixels);
    EXPECT_EQ(PictureReadSize(QSize(640, 480), QSize(320, 100)), QSize(320, 240));
    EXPECT_LE(pixels(PictureReadSize(QSize(1, 100'000'000), QSize())), kMaxPicturePixels);
    QRandomGenerator random(7);
    for (int i = 0; i < 20000; ++i) {
        const QSize own(random.bounded(1, 60000), random.bounded(1, 60000));
        const QSize fit =
            i % 3 == 0 ? QSize() : QSize(random.bounded(1, 20000), random.bounded(1, 20000));
        const QSize size = PictureReadSize(own, fit);
        SCOPED_TRACE(QString("%1x%2 for %3x%4")
                         .arg(own.width())
                         .arg(own.height())
                         .arg(fit.width())
                         .arg(fit.height())
                         .toStdString());
        ASSERT_LE(pixels(size), kMaxPicturePixels);
        ASSERT_LE(size.width(), own.width());
        ASSERT_LE(size.height(), own.height());
        ASSERT_GE(size.width(), 1);
        ASSERT_GE(size.height(), 1);
        if (size.width() > 1 && size.height() > 1 && fit.isValid()) {
            // The place is covered both ways unless the bound stood in the way.
            const bool covers = size.width() >= std::min(fit.width(), own.width()) &&
                                size.height() >= std::min(fit.height(), own.height());
            const bool bounded =
                pixels(size) > kMaxPicturePixels - size.width() - size.height() - 1;
            ASSERT_TRUE(covers || bounded);
        }
    }
}

TEST(FileNames, TheCausesOfAFileThatCannotBeWrittenOrReadAreSaidInTheProgramsWords) {
    QTemporaryDir dir;
    writeBytes(dir.filePath("a.jpg"), "x");
    // The name fits, but not its temporary's.
    const QString target = dir.filePath(QString(240, u'a') + ".jpg");
    QString why;
    EXPECT_FALSE(CopyFileSafely(dir.filePath("a.jpg"), target, &why));
    EXPECT_EQ(why, "文件名太长");

    // A name that is no UTF-8 is shown by its bytes where they are not.
    EXPECT_EQ(NameWithBytesShown("\xff\xfe"
                                 "abc"),
              "\\xFF\\xFEabc");
    EXPECT_EQ(NameWithBytesShown("运单\xe8\xbf.vfm"), "运单\\xE8\\xBF.vfm");
    EXPECT_EQ(NameWithBytesShown("\xed\xa0\x80"
                                 "a"),
              "\\xED\\xA0\\x80a");                                            // a surrogate
    const QByteArray bytes = QFile::encodeName(dir.path()) + "/caf\xe9.vfm";  // Latin-1
    FILE* made = std::fopen(bytes.constData(), "wb");
    ASSERT_NE(made, nullptr);
    std::fclose(made);
    const QString given = QFile::decodeName(bytes);  // as Qt hands it over
    EXPECT_TRUE(NameNotDecodable(given));
    EXPECT_EQ(PathForMessage(given).toStdString(),
              (QDir::toNativeSeparators(dir.path()) + "/caf\\xE9.vfm").toStdString());
    EXPECT_FALSE(NameNotDecodable(dir.filePath("a.jpg")));
    ::unlink(bytes.constData());
}

}  // namespace
}  // namespace bw
