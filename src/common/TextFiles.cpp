#include "common/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include "common/Common.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Indicator.h"
#include "platform/Dialogs.h"
#include "platform/RegularFile.h"
#include "platform/SafeFiles.h"
#include "platform/SqlEngine.h"
#include "platform/TextCodec.h"

namespace bw {

int WriteTextFile(const QString& text, const QString& path) {
    const QString tmp = path + QStringLiteral(".TMP");
    auto fail = [](int status) {
        Pause(100);
        return status;
    };
    if (QFileInfo::exists(tmp) && !QFile::remove(tmp)) return fail(-1);
    QFile f(tmp);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return fail(-3);
    const QByteArray bytes = ToAnsi(text);
    // A temporary file that was not written whole goes again: it is no file of the user's.
    if (f.write(bytes) != bytes.size() || !f.flush() || !SyncFile(tmp)) {
        f.close();
        QFile::remove(tmp);
        return fail(-6);
    }
    f.close();
    // rename() replaces the target in one step: readers see the old or the new file, never
    // a half-written one and never none.
    if (f.error() != QFileDevice::NoError || !ReplaceFile(tmp, path)) {
        QFile::remove(tmp);
        return fail(-7);
    }
    return 1;
}

bool SaveTextFile(const QString& text, const QString& path) {
    for (int i = 0; i <= 30; ++i) {
        if (WriteTextFile(text, path) > 0) return true;
        Pause(100);
    }
    return false;
}

QString ReadTextFile(const QString& path, bool deleteAfter) {
    int n = 0;
    for (;;) {
        Pause(100);
        ++n;
        if (n > 100) {
            dlg::MsgBox(QStringLiteral("无法打开下载文档：") + QStringLiteral("\r\n") + path,
                        dlg::OkOnly);
            return {};
        }
        // Never a FIFO or a device: their open or read would wait for good.
        QFile f;
        if (!OpenRegularFile(f, path)) continue;
        const QByteArray bytes = f.readAll();
        f.close();
        const QString text = FromAnsi(bytes);
        if (!text.isEmpty()) {
            if (deleteAfter && QFileInfo::exists(path)) QFile::remove(path);
            return text;
        }
        Pause(1000);
    }
}

QString TempPath() {
    QString t = QDir::tempPath();
    if (t.isEmpty()) return {};
    if (!t.endsWith(u'/')) t += u'/';
    return t;
}

namespace {

// The cause in the user's words goes into the message, nothing of the engine's.
void compactFailed(const QString& why) {
    CloseProgress();
    dlg::MsgBox(QStringLiteral("数据库压缩失败（") + why + QStringLiteral("）！"), dlg::OkOnly);
}

}  // namespace

QString CompactionBackupPath(const QString& path) {
    return QFileInfo(path).dir().filePath(QStringLiteral("backup.db"));
}

void CompactDatabase(const QString& path, const QString& password, bool makeBackup) {
    Q_UNUSED(password);  // SQLite files carry no password
    if (!QFileInfo::exists(path)) {
        dlg::MsgBox(QStringLiteral("没有找到要压缩的数据库文件！"), dlg::OkOnly);
        return;
    }
    ShowProgress(QStringLiteral("开始压缩数据库……"), 3, 0);
    const bool isShared =
        QFileInfo(path).absoluteFilePath() == QFileInfo(DatabasePath()).absoluteFilePath();
    if (isShared) CloseDatabase();

    // Every file of the compaction lives beside the database: programs on other data
    // folders never meet them, and the last step is a rename within one folder.
    QString why;
    if (makeBackup && !CopyFileSafely(path, CompactionBackupPath(path), &why)) {
        compactFailed(QStringLiteral("无法建立备份“") + CompactionBackupPath(path) +
                      QStringLiteral("”：") + why);
        return;
    }
    UpdateProgress(1, QStringLiteral("pages"));
    const QString t = CreateTemporaryBeside(path, &why);
    if (t.isEmpty()) {
        compactFailed(why);
        return;
    }
    {
        int code = 0;
        auto c = sql::Connection::Open(path, false, nullptr, &code);
        if (!c) {
            RemoveTemporary(t);
            compactFailed(sql::FailureInWords(code));
            return;
        }
        if (!c->Exec(QStringLiteral("VACUUM INTO ?"), {t})) {
            const QString why = sql::FailureInWords(c->LastErrorCode(), c->LastSystemError());
            c.reset();
            RemoveTemporary(t);
            compactFailed(why);
            return;
        }
    }
    UpdateProgress(1, QStringLiteral("pages"));
    // The compacted copy must open and be whole before it takes the original's place.
    {
        int code = 0;
        auto c = sql::Connection::Open(t, false, nullptr, &code);
        sql::Recordset check =
            c ? c->Query(QStringLiteral("PRAGMA integrity_check")) : sql::Recordset();
        if (!c || check.RecordCount() < 1 ||
            check.Text(check.Field(0).name) != QLatin1String("ok")) {
            const QString why =
                c ? QStringLiteral("压缩后的数据库不完整") : sql::FailureInWords(code);
            check.Close();
            c.reset();
            RemoveTemporary(t);
            compactFailed(why);
            return;
        }
    }
    if (!SyncFile(t) || !ReplaceFile(t, path)) {
        RemoveTemporary(t);
        compactFailed(QStringLiteral("无法替换：") + path);
        return;
    }
    CloseProgress();
}

void CompactDataFile() {
    CompactDatabase(DatabasePath(), QString::fromLatin1(kDatabasePassword), true);
}

}  // namespace bw
