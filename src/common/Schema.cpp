#include "common/Schema.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "common/Database.h"
#include "common/Indicator.h"
#include "common/Services.h"
#include "platform/Dialogs.h"
#include "platform/SafeFiles.h"
#include "platform/SqlEngine.h"

namespace bw {

namespace {

// Each table with its indexes and the rows it starts with, so that a table missing from an
// existing file can be made again on its own.
struct TableDef {
    const char* name;
    const char* statements[4];  // the table and its first rows, up to the first null
    const char* indexes[4];     // up to the first null; made also in existing files
};

const TableDef kTables[] = {
    // One row per input box of a format, plus each format's whole-format row and the single
    // application-options row (Fmt = '').
    {"Fmt",
     {"CREATE TABLE Fmt("
      " ID INTEGER PRIMARY KEY AUTOINCREMENT,"
      " Fmt TEXT, LBL TEXT, Dir INTEGER DEFAULT 0,"
      " X DOUBLE DEFAULT 0, Y DOUBLE DEFAULT 0, W DOUBLE DEFAULT 0, H DOUBLE DEFAULT 0,"
      " S DOUBLE DEFAULT 0, L DOUBLE DEFAULT 0, Color INTEGER DEFAULT 0,"
      " fName TEXT, fSize DOUBLE DEFAULT 0,"
      " fBold BOOLEAN DEFAULT 0, fItalic BOOLEAN DEFAULT 0, fUnderline BOOLEAN DEFAULT 0,"
      " fStrikethru BOOLEAN DEFAULT 0,"
      " Clas INTEGER DEFAULT 0, Cash DOUBLE DEFAULT 0, RCtl DOUBLE DEFAULT 0,"
      " SumID DOUBLE DEFAULT 0, SumID1 DOUBLE DEFAULT 0, RCtl1 INTEGER DEFAULT 0, Mem TEXT)",
      // The application-options row: the last format's name and three display options.
      "INSERT INTO Fmt(Fmt, LBL, fName) VALUES('', '', '1§☆§0§☆§0')"},
     {"CREATE INDEX IF NOT EXISTS Fmt_Fmt ON Fmt(Fmt)"}},
    {"参数",
     {"CREATE TABLE 参数(Var TEXT, Con TEXT)"},
     {"CREATE INDEX IF NOT EXISTS 参数_Var ON 参数(Var)"}},
    // History: one row per non-empty box of a recorded bill; ID is the bill number per format.
    // What is looked up per bill or per key is one index seek or a few: a format's bills by
    // number (the next bill number, the history grid), a box's values by bill (its latest:
    // the next running number), a box's values by text (auto-complete), the boxes and bills
    // holding a value (the values remembered from earlier bills: a seek per box of the
    // format). Only an index that leads with CID holds all four columns: the query planner,
    // which knows no counts, would take any other such one for a format's bills too, and read
    // them all. Each index keyed by the value puts a bill's rows all over the file, which a
    // long history makes dear to write: there is one.
    {"历史",
     {"CREATE TABLE 历史(ID INTEGER, Fmt TEXT, CID INTEGER, Con TEXT)"},
     {"CREATE INDEX IF NOT EXISTS 历史_Fmt_ID ON 历史(Fmt, ID)",
      "CREATE INDEX IF NOT EXISTS 历史_CID_Fmt_ID ON 历史(CID, Fmt, ID)",
      "CREATE INDEX IF NOT EXISTS 历史_CID_Fmt_Con ON 历史(CID, Fmt, Con, ID)"}},
    {"默认",
     {"CREATE TABLE 默认(Fmt TEXT, ID INTEGER, Con TEXT)"},
     {"CREATE INDEX IF NOT EXISTS 默认_Fmt ON 默认(Fmt)"}},
    {"映射",
     {"CREATE TABLE 映射(ID INTEGER, Fmt TEXT, Map TEXT)"},
     {"CREATE INDEX IF NOT EXISTS 映射_Fmt ON 映射(Fmt)"}},
    {"网站格式",
     {"CREATE TABLE 网站格式(ID INTEGER PRIMARY KEY AUTOINCREMENT, Clas TEXT, Name TEXT,"
      " fPath TEXT, pPath TEXT, Dat DATETIME)"},
     {}},
};

// Indexes of earlier files that others above now serve: each would only slow down every
// bill recorded.
const char* const kRetiredIndexes[] = {"历史_CID", "历史_Con", "历史_Fmt_Con"};

const QString kUpgradeCaption = QStringLiteral("正在整理数据文件，请稍候……");

// What bringing the indexes up to date has to do: the statements of the indexes missing and
// the names of the retired ones still there. Nothing when the file cannot be read.
struct IndexWork {
    QStringList make;
    QStringList drop;
};

IndexWork indexWork() {
    IndexWork work;
    Recordset rs;
    if (!OpenRecordset(rs, QStringLiteral("SELECT name FROM sqlite_master WHERE type='index'")))
        return work;
    QSet<QString> present;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) present.insert(rs.Text(QStringLiteral("name")));
    for (const TableDef& table : kTables)
        for (const char* stmt : table.indexes) {
            if (!stmt) break;
            // "CREATE INDEX IF NOT EXISTS <name> ON ..."
            const QString text = QString::fromUtf8(stmt);
            if (!present.contains(text.section(u' ', 5, 5))) work.make << text;
        }
    for (const char* name : kRetiredIndexes)
        if (present.contains(QString::fromUtf8(name))) work.drop << QString::fromUtf8(name);
    return work;
}

bool createIndexes(sql::Connection& c, const TableDef& t) {
    for (const char* stmt : t.indexes) {
        if (!stmt) break;
        if (!c.Exec(QString::fromUtf8(stmt))) return false;
    }
    return true;
}

// Creates the table with its indexes and first rows on the connection.
bool createTable(sql::Connection& c, const TableDef& t) {
    for (const char* stmt : t.statements) {
        if (!stmt) break;
        if (!c.Exec(QString::fromUtf8(stmt))) return false;
    }
    return createIndexes(c, t);
}

QStringList missingTables(sql::Connection& c) {
    QStringList missing;
    for (const TableDef& t : kTables) {
        sql::Recordset rs =
            c.Query(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name=?"),
                    {QString::fromUtf8(t.name)});
        if (rs.RecordCount() == 0) missing << QString::fromUtf8(t.name);
    }
    return missing;
}

// A name in the data file's folder for a copy of it that nothing else uses.
QString copyAsideName(const QString& path) {
    const QFileInfo info(path);
    const QString stem = info.dir().filePath(
        info.completeBaseName() + QStringLiteral(".damaged-") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss")));
    QString name = stem + QStringLiteral(".db");
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = stem + u'-' + QString::number(n) + QStringLiteral(".db");
    return name;
}

// Keeps a copy of the data file before anything writes to it; the copy's name, or "" with
// the reason in `why`.
QString copyAside(const QString& path, QString* why) {
    const QString copy = copyAsideName(path);
    return CopyFileSafely(path, copy, why) ? copy : QString();
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

namespace {

// CreateDatabase, with the ready formats of the store's door in the new file when
// `withReadyFormats`: they are written in the same transaction as the tables, before the
// file takes its name, so that a file of that name always holds them.
bool makeDatabase(const QString& path, bool withReadyFormats, bool* made) {
    if (made) *made = false;
    if (QFileInfo::exists(path)) return true;
    // A name of its own beside the file: two programs starting on one folder never write
    // into each other's new file.
    const QString tmp = CreateTemporaryBeside(path);
    if (tmp.isEmpty()) return false;
    const auto& readyFormats = Doors().store.readyFormats;
    bool ok = false;
    {
        auto c = sql::Connection::Open(tmp, true);
        if (c && c->Begin()) {
            ok = true;
            for (const TableDef& t : kTables) ok = ok && createTable(*c, t);
            ok = ok && (!withReadyFormats || !readyFormats || readyFormats(*c));
            ok = ok && c->Commit();
            if (!ok) c->Rollback();
        }
    }
    // A file that was not made whole, or could not take its name, leaves nothing behind;
    // a file another program made meanwhile is kept, and is not this call's.
    ok = ok && SyncFile(tmp);
    const bool placed = ok && PlaceNewFile(tmp, path);
    if (made) *made = placed;
    QFile::remove(tmp + QStringLiteral("-journal"));
    if (!placed) RemoveTemporary(tmp);
    return placed || (ok && QFileInfo::exists(path));
}

}  // namespace

bool CreateDatabase(const QString& path, bool* made) {
    return makeDatabase(path, false, made);
}

bool EnsureDatabase() {
    const QString path = DatabasePath();
    if (QFileInfo::exists(path)) return true;
    CloseDatabase();
    return CreateDatabase(path);
}

DataFileState CheckDataFile() {
    const QString path = DatabasePath();
    const QFileInfo info(path);
    CloseDatabase();
    // A file of no bytes holds nothing: it is a database still to be made.
    if (info.exists() && info.size() == 0 && !QFile::remove(path)) {
        dlg::MsgBox(QStringLiteral("数据文件夹“%1”不能写入，程序无法启动！")
                        .arg(native(info.absolutePath())),
                    dlg::OkOnly | dlg::Critical);
        return DataFileState::Unusable;
    }
    if (!QFileInfo::exists(path)) {
        bool made = false;
        if (!makeDatabase(path, true, &made)) {
            dlg::MsgBox(QStringLiteral("无法建立数据文件“%1”（%2），程序无法启动！")
                            .arg(native(path), WriteFailureCause(info.absolutePath(), 256 * 1024)),
                        dlg::OkOnly | dlg::Critical);
            return DataFileState::Unusable;
        }
        // Only the file made here is new; one another program made meanwhile is checked.
        if (made) return DataFileState::Created;
    }

    QString error;
    QString problem;
    int code = 0;
    QStringList missing;
    {
        auto c = sql::Connection::Open(path, false, &error, &code);
        if (!c) {
            problem = error;
        } else {
            sql::Recordset check = c->Query(QStringLiteral("PRAGMA quick_check"));
            if (!check.IsOpen()) {
                problem = c->LastError();
                code = c->LastErrorCode();
            } else if (check.RecordCount() != 1 ||
                       check.Text(check.Field(0).name) != QLatin1String("ok")) {
                problem = check.RecordCount() > 0 ? check.Text(check.Field(0).name)
                                                  : QStringLiteral("检查没有结果");
            } else {
                missing = missingTables(*c);
            }
        }
    }
    if (problem.isEmpty() && missing.isEmpty()) return DataFileState::Ready;
    // A file another program holds past the wait is busy, not damaged: nothing could be read
    // of it, and every read would wait again. A file the program may not open is not known
    // to be damaged either. Both are left alone.
    const bool held = problem.contains(QLatin1String("locked"), Qt::CaseInsensitive) ||
                      problem.contains(QLatin1String("busy"), Qt::CaseInsensitive);
    if (held || problem.contains(QLatin1String("unable to open"), Qt::CaseInsensitive)) {
        dlg::MsgBox(QStringLiteral("无法打开数据文件“%1”（%2），程序无法启动！")
                        .arg(native(path), held ? sql::FailureInWords(code) : problem),
                    dlg::OkOnly | dlg::Critical);
        return DataFileState::Unusable;
    }

    // Whatever happens next, the file as it was is kept first.
    QString why;
    const QString copy = copyAside(path, &why);
    const QString kept = copy.isEmpty() ? QStringLiteral("无法保留它的副本（%1）").arg(why)
                                        : QStringLiteral("它的副本保留为“%1”").arg(native(copy));
    if (!problem.isEmpty()) {
        dlg::MsgBox(QStringLiteral("数据文件“%1”已损坏（%2），程序没有打开它。\r\n%3。\r\n"
                                   "请用备份的数据文件替换它，或把它移走后重新启动程序。")
                        .arg(native(path), problem, kept),
                    dlg::OkOnly | dlg::Critical);
        return DataFileState::Damaged;
    }
    if (copy.isEmpty()) {
        dlg::MsgBox(QStringLiteral("数据文件“%1”缺少表：%2。\r\n%3，程序没有改动它。")
                        .arg(native(path), missing.join(QStringLiteral("、")), kept),
                    dlg::OkOnly | dlg::Critical);
        return DataFileState::Damaged;
    }
    bool made = false;
    {
        auto c = sql::Connection::Open(path, false, &error);
        if (c && c->Begin()) {
            made = true;
            for (const TableDef& t : kTables)
                if (missing.contains(QString::fromUtf8(t.name))) made = made && createTable(*c, t);
            made = made && c->Commit();
            if (!made) {
                error = c->LastError();
                c->Rollback();
            }
        }
    }
    if (!made) {
        dlg::MsgBox(QStringLiteral("数据文件“%1”缺少表：%2，无法重新建立（%3）。\r\n%4。")
                        .arg(native(path), missing.join(QStringLiteral("、")), error, kept),
                    dlg::OkOnly | dlg::Critical);
        return DataFileState::Damaged;
    }
    dlg::MsgBox(QStringLiteral("数据文件“%1”缺少表：%2，已重新建立（空表）。\r\n%3。")
                    .arg(native(path), missing.join(QStringLiteral("、")), kept),
                dlg::OkOnly | dlg::Exclamation);
    return DataFileState::Repaired;
}

void UpgradeIndexes() {
    const IndexWork work = indexWork();
    if (work.make.isEmpty() && work.drop.isEmpty()) return;
    auto c = Db();
    if (!c) return;
    // Indexes over a long history take seconds each: the window shows once it is due, and
    // stays painted while a statement runs.
    ShowProgress(kUpgradeCaption, int(work.make.size() + work.drop.size()));
    c->SetTicker([] { DrawProgressBar(ProgressCurrent()); });
    bool done = false;
    {
        Transaction t;
        done = t.Active();
        for (const QString& stmt : work.make) {
            done = done && ExecuteSql(stmt);
            UpdateProgress(1, QStringLiteral("steps"));
        }
        for (const QString& name : work.drop) {
            done = done && ExecuteSql(QStringLiteral("DROP INDEX IF EXISTS ") + name);
            UpdateProgress(1, QStringLiteral("steps"));
        }
        done = done && t.Commit();
    }
    c->SetTicker({});
    CloseProgress();
    if (!done)
        dlg::MsgBox(QStringLiteral("数据文件没有整理完（") + LastDatabaseError() +
                        QStringLiteral("），原有数据未作改动，下次启动时再整理！"),
                    dlg::OkOnly | dlg::Exclamation);
}

}  // namespace bw
