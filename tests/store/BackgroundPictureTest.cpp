// A format's background picture in the place of which lies no picture the canvas can show: a
// FIFO, or a scan cut off. It is named when the format opens (a FIFO there at the start: the
// main window's tests), when it is chosen and when the format is saved under another name;
// nothing waits on a FIFO, and a save refused for it writes nothing.

#include <QDir>
#include <QFile>
#include <QImage>

#include "FormatFixture.h"
#include "store/BackgroundPicture.h"
#include "store/FormatOperations.h"
#include "store/PictureBox.h"

using namespace bw;

namespace {

class BackgroundPictures : public test::FormatFixture {
protected:
    void SetUp() override {
        FormatFixture::SetUp();
        for (const QString& f : {QString("进账单"), QString("运单")}) {
            addFormat(f);
            addBox(f, {"金额"});
        }
        show("进账单");
    }
    static int rows(const QString& format) {
        Recordset rs;
        OpenRecordset(rs, "SELECT ID FROM Fmt WHERE Fmt=?", {format});
        return rs.RecordCount();
    }
    static QString unreadable(const QString& path, const QString& cause) {
        return "无法读取图片“" + QDir::toNativeSeparators(path) + "”：" + cause;
    }
};

TEST_F(BackgroundPictures, ACutOffScanIsNamedWhenTheFormatOpensAndAFifoWhenChosen) {
    const QString own = BackgroundPicturePath("运单");
    // A scan whose last part never reached the disk.
    QImage scan(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < scan.height(); ++y)
        for (int x = 0; x < scan.width(); ++x) scan.setPixel(x, y, qRgb(x % 256, y % 256, 90));
    const QString whole = folder_.file("scan.jpg");
    ASSERT_TRUE(scan.save(whole, "JPG"));
    QFile in(whole);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    QFile out(own);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes.left(bytes.size() * 2 / 3));
    out.close();
    {
        test::ScriptedAnswers answers;
        SelectFormat("运单");
        EXPECT_EQ(MF().CurrentFormat(), "运单");
        EXPECT_EQ(answers.messages(), QStringList{unreadable(own, "图片文件不完整")});
        EXPECT_TRUE(MF().TP->Picture().isNull());
    }

    // Chosen as the picture, a FIFO is named and replaces nothing.
    const QString chosen = folder_.file("chosen.jpg");
    test::FifoInTheWay fifo(chosen);
    test::ScriptedAnswers answers;
    answers << chosen;
    SetBackgroundPicture("运单");
    EXPECT_EQ(answers.messages(), QStringList{unreadable(chosen, "不是普通文件，而是管道")});
    EXPECT_EQ(QFileInfo(own).size(), bytes.size() * 2 / 3);
    EXPECT_FALSE(fifo.released());
}

TEST_F(BackgroundPictures, ASaveAsWhosePictureIsAFifoIsNamedAndWritesNothing) {
    QImage picture(60, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(BackgroundPicturePath("进账单"), "JPG"));
    const int slipRows = rows("进账单");
    // The new name's picture place, then the open format's own picture.
    for (const QString& format : {QString("进账单副本"), QString("进账单")}) {
        SCOPED_TRACE(format.toStdString());
        const QString path = BackgroundPicturePath(format);
        QFile::remove(path);
        test::FifoInTheWay fifo(path);
        ASSERT_TRUE(fifo.made());
        test::ScriptedAnswers answers;
        QString name = "进账单副本";
        EXPECT_FALSE(SaveFormatAs(name));
        EXPECT_EQ(answers.messages(),
                  QStringList{"格式“进账单副本”没有保存（底图“" + QDir::toNativeSeparators(path) +
                              "”不是普通文件，而是管道），原有数据未作改动！"});
        EXPECT_EQ(rows("进账单副本"), 0);
        EXPECT_EQ(rows("进账单"), slipRows);
        EXPECT_EQ(MF().CurrentFormat(), "进账单");
        EXPECT_FALSE(fifo.released()) << "the save waited on the FIFO";
    }
}

}  // namespace
