#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "common/Common.h"
#include "common/Database.h"
#include "common/Schema.h"
#include "common/TextFiles.h"
#include "platform/AppFolder.h"
#include "platform/SqlEngine.h"
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

TEST_F(TextFilesTest, WritesGbkReplacesTheOldFileAndReadsUtf8) {
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

    writeBytes(path, QByteArray("\xEF\xBB\xBF") + QStringLiteral("收款人,金额").toUtf8());
    EXPECT_EQ(ReadTextFile(path, false), QStringLiteral("收款人,金额"));  // UTF-8 with its mark
}

TEST_F(TextFilesTest, FailureIsReportedAndNoOtherFileIsWritten) {
    // The target is a folder: the final rename cannot succeed.
    const QString path = dir_.filePath("busy.vfm");
    ASSERT_TRUE(QDir().mkpath(path + "/inside"));
    EXPECT_EQ(WriteTextFile("text", path), -7);
    EXPECT_FALSE(QFile::exists(path + ".TMP"));
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

TEST_F(CompactionTest, KeepsEveryRowAndMakesABackupBesideTheDatabase) {
    test::ScriptedAnswers answers;
    const QByteArray before = readBytes(DatabasePath());
    CompactDataFile();
    EXPECT_TRUE(answers.messages().isEmpty()) << answers.lastMessage().toStdString();
    EXPECT_EQ(historyRows(), 250);
    EXPECT_EQ(ValueWhere("历史", "ID=?", "Con", {499}).toString(), "值499");
    // The backup is the file as it was; nothing lands in the shared temporary folder and
    // nothing is left beside the database.
    EXPECT_EQ(readBytes(folder_.file("backup.db")), before);
    EXPECT_EQ(QDir(tmp_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"DATA.db", "backup.db"}));
}

// ---- On a disk that fills up (in a child process, see RunFullDiskChild) -------------------

TEST(FullDisk, DISABLED_ChildWritesATextFileCompactsAndCreates) {
    const QDir folder(test::ChildFolder());
    ASSERT_TRUE(folder.exists());
    SetPauseMillisPerPass(0);
    SetAppPath(folder.path());
    test::ScriptedAnswers answers;
    ASSERT_TRUE(test::FillTheDisk());
    const int written = WriteTextFile(QString(20000, u'票'), folder.filePath("list.vfm"));
    CompactDatabase(DatabasePath(), "46081327", false);
    const bool created = CreateDatabase(folder.filePath("new.db"));
    test::FreeTheDisk();
    EXPECT_FALSE(created);
    EXPECT_EQ(written, -6);
    EXPECT_EQ(answers.lastMessage(), "数据库压缩失败（磁盘空间已满）！");
    CloseDatabase();
}

TEST(FullDisk, AFailedWriteCompactionOrCreationKeepsTheOldFileAndLeavesNothingBehind) {
    QTemporaryDir dir;
    const QString db = dir.filePath(kDatabaseFileName);
    ASSERT_TRUE(CreateDatabase(db));
    {
        auto c = sql::Connection::Open(db, false);
        ASSERT_TRUE(c);
        ASSERT_TRUE(c->Begin());
        for (int i = 0; i < 400; ++i)
            c->Exec("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, '进账单', 7, ?)",
                    {i, QString(40, u'值')});
        ASSERT_TRUE(c->Commit());
    }
    writeBytes(dir.filePath("list.vfm"), "old list");
    const QByteArray before = readBytes(db);
    ASSERT_GT(before.size(), 32 * 1024);

    // The disk is full after 16 kB: the text needs 40 kB, the compacted copy and a new
    // database more than that.
    QString output;
    EXPECT_TRUE(test::RunFullDiskChild("FullDisk.DISABLED_ChildWritesATextFileCompactsAndCreates",
                                       16 * 1024, dir.path(), &output))
        << output.toStdString();
    EXPECT_EQ(readBytes(dir.filePath("list.vfm")), "old list");
    EXPECT_EQ(readBytes(db), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"DATA.db", "list.vfm"}));
}

TEST_F(CompactionTest, MissingDatabaseOnlyTellsSo) {
    test::ScriptedAnswers answers;
    CompactDatabase(folder_.file("nothing.db"), "46081327", true);
    EXPECT_EQ(answers.messages(), QStringList{QStringLiteral("没有找到要压缩的数据库文件！")});
}
