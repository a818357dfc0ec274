// Picture output: the bitmap's rows, resampling, and JPEG files that replace an old picture
// only when they are complete.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>

#include "TestSupport.h"
#include "printing/DibSection.h"

using namespace bw;

TEST(DibSection, RowsArePaddedToFourBytes) {
    struct Case {
        int width, bytes;
    } cases[] = {{1, 4}, {4, 12}, {101, 304}, {102, 308}};
    for (const Case& c : cases) {
        DibSection dib;
        ASSERT_TRUE(dib.Create(c.width, 3));
        EXPECT_EQ(dib.BytesPerScanLine(), c.bytes) << c.width;
        EXPECT_EQ(dib.Image().bytesPerLine(), c.bytes) << c.width;
    }
    DibSection empty;
    EXPECT_FALSE(empty.Create(0, 5));
    EXPECT_EQ(empty.Bits(), nullptr);
    EXPECT_FALSE(empty.CopyToClipboard());
}

TEST(DibSection, ResampleCopiesAtTheSameSizeAndInterpolatesOtherwise) {
    QImage src(2, 1, QImage::Format_RGB32);
    src.setPixel(0, 0, qRgb(0, 0, 0));
    src.setPixel(1, 0, qRgb(200, 100, 50));
    DibSection dib;
    ASSERT_TRUE(dib.CreateFromPicture(src));
    // Blue, green, red in memory.
    EXPECT_EQ(dib.Bits()[3], 50);
    EXPECT_EQ(dib.Bits()[5], 200);
    const DibSection same = dib.Resample(1, 2);
    EXPECT_EQ(same.Image(), dib.Image());
    // Four columns over a scale of (2 - 1) / 4: red 0, 50, 100, 150.
    const DibSection wide = dib.Resample(1, 4);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(wide.Bits()[3 * x + 2], 50 * x) << x;
}

static void WriteOldPicture(const QString& path) {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old picture");
}

TEST(SaveJPG, WritesAJpegOverAnOldFileKeepingItsTimeAndPermissions) {
    test::TempDataFolder folder;
    const QString path = folder.file("bill.JPG");
    WriteOldPicture(path);
    ASSERT_TRUE(QFile(path).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadGroup));
    const QFileDevice::Permissions before = QFileInfo(path).permissions();
    const QDateTime stamp = QDateTime::currentDateTime().addDays(-3);
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::ReadWrite));
        ASSERT_TRUE(old.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    DibSection dib;
    ASSERT_TRUE(dib.Create(101, 40));
    dib.RandomiseBits(true);
    ASSERT_TRUE(SaveJPG(dib, path, 80));
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), QSize(101, 40));
    EXPECT_FALSE(QFileInfo::exists(path + ".jpg"));  // the extension is taken as it is
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"bill.JPG"});
    const QFileInfo info(path);
    EXPECT_EQ(info.permissions(), before);
    EXPECT_LE(std::abs(info.lastModified().secsTo(stamp)), 1);
}

// (A disk that fills up while the picture is written: records/ui ChartPictureTest.)
TEST(SaveJPG, NoPictureWritesNothing) {
    test::TempDataFolder folder;
    EXPECT_FALSE(SaveJPG(DibSection(), folder.file("none.jpg"), 80));
    EXPECT_FALSE(QFileInfo::exists(folder.file("none.jpg")));
}

TEST(Capture, AWindowCapturesAsItShows) {
    QLabel w("票据");
    w.resize(120, 40);
    w.setStyleSheet("background: rgb(0, 0, 255);");
    w.show();
    const QImage whole = CaptureForm(&w);
    EXPECT_EQ(whole.size(), QSize(120, 40));
    EXPECT_EQ(qBlue(whole.pixel(2, 2)), 255);
    const QImage part = CaptureWindow(&w, true, 10, 5, 30, 20);
    EXPECT_EQ(part.size(), QSize(30, 20));
    EXPECT_TRUE(CaptureForm(nullptr).isNull());
}
