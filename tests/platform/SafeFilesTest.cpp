// Files replaced only once the new one is whole, and the reason a write failed.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/SafeFiles.h"

using namespace bw;

namespace {
QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

TEST(SafeFiles, TheCauseNamesTheFolderThatCannotBeWritten) {
    QTemporaryDir dir;
    EXPECT_EQ(WriteFailureCause(dir.path(), 100000), "");
    // Nobody, not even root, may make files in /proc.
    EXPECT_EQ(WriteFailureCause("/proc/self", 10), "文件夹“/proc/self”不能写入");
    EXPECT_EQ(WriteFailureCause(dir.filePath("gone"), 10),
              "文件夹“" + dir.filePath("gone") + "”不能写入");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

TEST(SafeFiles, ACopyReplacesTheTargetOnlyWhenItSucceeds) {
    QTemporaryDir dir;
    const QString from = dir.filePath("new.jpg"), to = dir.filePath("old.jpg");
    put(from, QByteArray(300000, 'n'));
    put(to, "old");
    QString why;
    EXPECT_FALSE(CopyFileSafely(dir.filePath("missing.jpg"), to, &why));
    EXPECT_EQ(why, "无法读取“" + dir.filePath("missing.jpg") + "”");
    EXPECT_EQ(bytesOf(to), "old");
    EXPECT_FALSE(CopyFileSafely(from, "/proc/self/x.jpg", &why));
    EXPECT_EQ(why, "文件夹“/proc/self”不能写入");

    EXPECT_TRUE(CopyFileSafely(from, to, &why));
    EXPECT_EQ(bytesOf(to), bytesOf(from));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"new.jpg", "old.jpg"}));
}
