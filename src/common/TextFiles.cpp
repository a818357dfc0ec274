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
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        f.close();
        return fail(-6);
    }
    f.close();
    // rename() replaces the target in one step: readers see the old or the new file, never
    // a half-written one and never none.
    if (std::rename(QFile::encodeName(tmp).constData(), QFile::encodeName(path).constData()) != 0)
        return fail(-7);
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
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) continue;
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

void compactFailed(int code, const QString& message) {
    CloseProgress();
    dlg::MsgBox(QStringLiteral("数据库压缩失败（") + QString::number(code) + message +
                    QStringLiteral("）！"),
                dlg::OkOnly);
}

}  // namespace

void CompactDatabase(const QString& path, const QString& password, bool makeBackup) {
    Q_UNUSED(password);  // SQLite files carry no password
    if (!QFileInfo::exists(path)) {
        dlg::MsgBox(QStringLiteral("没有找到要压缩的数据库文件！"), dlg::OkOnly);
        return;
    }
    if (TempPath().isEmpty()) {
        compactFailed(0, QStringLiteral("没有可用的临时文件夹"));
        return;
    }
    ShowProgress(QStringLiteral("开始压缩数据库……"), 3, 0);
    const bool isShared =
        QFileInfo(path).absoluteFilePath() == QFileInfo(DatabasePath()).absoluteFilePath();
    if (isShared) CloseDatabase();

    if (makeBackup) {
        const QString b = TempPath() + QStringLiteral("backup.db");
        QFile::remove(b);
        if (!QFile::copy(path, b)) {
            compactFailed(1, QStringLiteral("无法建立备份：") + b);
            return;
        }
    }
    UpdateProgress(1, QStringLiteral("pages"));
    const QString t = TempPath() + QStringLiteral("TEMP.db");
    QFile::remove(t);
    {
        QString error;
        auto c = sql::Connection::Open(path, false, &error);
        if (!c) {
            compactFailed(2, error);
            return;
        }
        if (!c->Exec(QStringLiteral("VACUUM INTO ?"), {t}, &error)) {
            compactFailed(3, error);
            QFile::remove(t);
            return;
        }
    }
    UpdateProgress(1, QStringLiteral("pages"));
    // The compacted copy must open and be whole before it takes the original's place.
    {
        QString error;
        auto c = sql::Connection::Open(t, false, &error);
        sql::Recordset check =
            c ? c->Query(QStringLiteral("PRAGMA integrity_check")) : sql::Recordset();
        if (!c || check.RecordCount() < 1 ||
            check.Text(check.Field(0).name) != QLatin1String("ok")) {
            compactFailed(4, error.isEmpty() ? QStringLiteral("压缩后的数据库不完整") : error);
            QFile::remove(t);
            return;
        }
    }
    // Copy beside the database first, so that the final step is a rename within one folder.
    const QString beside = path + QStringLiteral(".TMP");
    QFile::remove(beside);
    if (!QFile::copy(t, beside)) {
        compactFailed(5, QStringLiteral("无法写入：") + beside);
        QFile::remove(t);
        return;
    }
    if (std::rename(QFile::encodeName(beside).constData(), QFile::encodeName(path).constData()) !=
        0) {
        compactFailed(6, QStringLiteral("无法替换：") + path);
        QFile::remove(beside);
        QFile::remove(t);
        return;
    }
    QFile::remove(t);
    CloseProgress();
}

void CompactDataFile() {
    CompactDatabase(DatabasePath(), QString::fromLatin1(kDatabasePassword), true);
}

}  // namespace bw
