#include "common/Schema.h"

#include <QFileInfo>

#include "common/Database.h"
#include "platform/SqlEngine.h"

namespace bw {

namespace {

const char* const kSchema[] = {
    // One row per input box of a format, plus each format's whole-format row and the single
    // application-options row (Fmt = '').
    "CREATE TABLE Fmt("
    " ID INTEGER PRIMARY KEY AUTOINCREMENT,"
    " Fmt TEXT, LBL TEXT, Dir INTEGER DEFAULT 0,"
    " X DOUBLE DEFAULT 0, Y DOUBLE DEFAULT 0, W DOUBLE DEFAULT 0, H DOUBLE DEFAULT 0,"
    " S DOUBLE DEFAULT 0, L DOUBLE DEFAULT 0, Color INTEGER DEFAULT 0,"
    " fName TEXT, fSize DOUBLE DEFAULT 0,"
    " fBold BOOLEAN DEFAULT 0, fItalic BOOLEAN DEFAULT 0, fUnderline BOOLEAN DEFAULT 0,"
    " fStrikethru BOOLEAN DEFAULT 0,"
    " Clas INTEGER DEFAULT 0, Cash DOUBLE DEFAULT 0, RCtl DOUBLE DEFAULT 0,"
    " SumID DOUBLE DEFAULT 0, SumID1 DOUBLE DEFAULT 0, RCtl1 INTEGER DEFAULT 0, Mem TEXT)",
    "CREATE INDEX Fmt_Fmt ON Fmt(Fmt)",
    "CREATE TABLE 参数(Var TEXT, Con TEXT)",
    "CREATE INDEX 参数_Var ON 参数(Var)",
    // History: one row per non-empty box of a recorded bill; ID is the bill number per format.
    "CREATE TABLE 历史(ID INTEGER, Fmt TEXT, CID INTEGER, Con TEXT)",
    "CREATE INDEX 历史_Fmt_ID ON 历史(Fmt, ID)",
    "CREATE INDEX 历史_CID ON 历史(CID)",
    "CREATE TABLE 默认(Fmt TEXT, ID INTEGER, Con TEXT)",
    "CREATE INDEX 默认_Fmt ON 默认(Fmt)",
    "CREATE TABLE 映射(ID INTEGER, Fmt TEXT, Map TEXT)",
    "CREATE INDEX 映射_Fmt ON 映射(Fmt)",
    "CREATE TABLE 网站格式(ID INTEGER PRIMARY KEY AUTOINCREMENT, Clas TEXT, Name TEXT,"
    " fPath TEXT, pPath TEXT, Dat DATETIME)",
    // The application-options row: the last format's name and three display options.
    "INSERT INTO Fmt(Fmt, LBL, fName) VALUES('', '', '1§☆§0§☆§0')",
};

}  // namespace

bool CreateDatabase(const QString& path) {
    if (QFileInfo::exists(path)) return true;
    const QString tmp = path + QStringLiteral(".TMP");
    QFile::remove(tmp);
    {
        auto c = sql::Connection::Open(tmp, true);
        if (!c) return false;
        if (!c->Begin()) return false;
        for (const char* stmt : kSchema) {
            if (!c->Exec(QString::fromUtf8(stmt))) {
                c->Rollback();
                c.reset();
                QFile::remove(tmp);
                return false;
            }
        }
        if (!c->Commit()) return false;
    }
    return QFile::rename(tmp, path);
}

bool EnsureDatabase() {
    const QString path = DatabasePath();
    if (QFileInfo::exists(path)) return true;
    CloseDatabase();
    return CreateDatabase(path);
}

}  // namespace bw
