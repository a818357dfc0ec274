#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "common/Common.h"
#include "common/Database.h"
#include "common/Schema.h"
#include "common/TextFiles.h"
#include "platform/TextCodec.h"

using namespace bw;

namespace {
QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}
void writeBytes(const QString& path, const QByteArray& b) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}
}  // namespace

class TextFilesTest : public ::testing::Test {
protected:
    void SetUp() override { SetPauseMillisPerPass(0); }
    void TearDown() override { SetPauseMillisPerPass(0.1); }
    QTemporaryDir dir_;
};

TEST_F(TextFilesTest, WritesGbkAndReplacesTheOldFile) {
    const QString path = dir_.filePath("进账单.vfm");
    writeBytes(path, "old content");
    const QString text = QStringLiteral("进账单】★【210】★【99\r\n收款人");
    ASSERT_TRUE(SaveTextFile(text, path));
    EXPECT_EQ(readBytes(path), ToAnsi(text));
    EXPECT_FALSE(QFile::exists(path + ".TMP"));
    EXPECT_EQ(ReadTextFile(path, false), text);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(ReadTextFile(path, true), text);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(TextFilesTest, ReadsUtf8WithByteOrderMark) {
    const QString path = dir_.filePath("batch.csv");
    writeBytes(path,
               QByteArray("\xEF\xBB\xBF") + QStringLiteral("收款人,金额\r\n张三,100").toUtf8());
    EXPECT_EQ(ReadTextFile(path, false), QStringLiteral("收款人,金额\r\n张三,100"));
}

TEST_F(TextFilesTest, FailureIsReportedAndNoOtherFileIsWritten) {
    // The target is a folder: the final rename cannot succeed.
    const QString path = dir_.filePath("busy.vfm");
    ASSERT_TRUE(QDir().mkpath(path + "/inside"));
    EXPECT_EQ(WriteTextFile("text", path), -7);
    EXPECT_FALSE(SaveTextFile("text", path));
    EXPECT_FALSE(QFile::exists(path + "1"));
    EXPECT_FALSE(QFile::exists(path + "11"));
    EXPECT_EQ(WriteTextFile("text", dir_.filePath("missing/folder/x.vfm")), -3);
}

TEST_F(TextFilesTest, EmptyFileIsWaitedForThenGivenUp) {
    const QString path = dir_.filePath("empty.vfm");
    writeBytes(path, "");
    test::ScriptedAnswers answers;
    EXPECT_EQ(ReadTextFile(path, true), "");
    EXPECT_EQ(answers.lastMessage(), QStringLiteral("无法打开下载文档：\r\n") + path);
    EXPECT_TRUE(QFile::exists(path));  // not deleted without a read
}

class CompactionTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedTmp_ = qgetenv("TMPDIR");
        qputenv("TMPDIR", tmp_.path().toUtf8());
        CloseDatabase();
        ASSERT_TRUE(EnsureDatabase());
        for (int i = 0; i < 500; ++i)
            ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, '进账单', 7, ?)",
                       {i, QString("值%1").arg(i)});
        ExecuteSql("DELETE FROM 历史 WHERE ID < 250");
    }
    void TearDown() override {
        CloseDatabase();
        qputenv("TMPDIR", savedTmp_);
    }
    int historyRows() {
        Recordset rs;
        OpenRecordset(rs, "SELECT * FROM 历史");
        return rs.RecordCount();
    }
    test::TempDataFolder folder_;
    QTemporaryDir tmp_;
    QByteArray savedTmp_;
};

TEST_F(CompactionTest, KeepsEveryRowAndMakesABackup) {
    test::ScriptedAnswers answers;
    CompactDataFile();
    EXPECT_TRUE(answers.messages().isEmpty()) << answers.lastMessage().toStdString();
    EXPECT_EQ(historyRows(), 250);
    EXPECT_TRUE(QFile::exists(TempPath() + "backup.db"));
    EXPECT_FALSE(QFile::exists(TempPath() + "TEMP.db"));
    EXPECT_EQ(ValueWhere("历史", "ID=?", "Con", {499}).toString(), "值499");
}

TEST_F(CompactionTest, FailureKeepsTheOriginal) {
    const QByteArray before = readBytes(DatabasePath());
    qputenv("TMPDIR", QByteArray("/nonexistent/folder"));
    test::ScriptedAnswers answers;
    CompactDatabase(DatabasePath(), "46081327", false);
    EXPECT_TRUE(answers.lastMessage().startsWith(QStringLiteral("数据库压缩失败（")));
    EXPECT_EQ(readBytes(DatabasePath()), before);
    EXPECT_EQ(historyRows(), 250);
}

TEST_F(CompactionTest, MissingDatabaseOnlyTellsSo) {
    test::ScriptedAnswers answers;
    CompactDatabase(folder_.file("nothing.db"), "46081327", true);
    EXPECT_EQ(answers.messages(), QStringList{QStringLiteral("没有找到要压缩的数据库文件！")});
}
