#include "common/Database.h"

#include <QComboBox>
#include <QCoreApplication>
#include <utility>

#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/SqlText.h"

namespace bw {

namespace {

struct Shared {
    std::shared_ptr<sql::Connection> conn;
    bool failureShown = false;
    int transactionDepth = 0;
    bool transactionFailed = false;
    QString lastError;
};

Shared& shared() {
    static Shared s;
    return s;
}

// Names that go into SQL text come from the program, never from the user; this keeps a
// mistake from turning into an injection.
bool isIdentifier(const QString& name) {
    return sql::IsPlainName(name);
}

void noteFailure(const sql::Connection& c) {
    shared().lastError = sql::FailureInWords(c.LastErrorCode(), c.LastSystemError());
}

QString quoted(const QString& name) {
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

}  // namespace

QString DatabasePath() {
    return AppFile(QLatin1String(kDatabaseFileName));
}

std::shared_ptr<sql::Connection> Db() {
    Shared& s = shared();
    const QString path = DatabasePath();
    if (s.conn && s.conn->Path() == path) return s.conn;
    s.conn.reset();
    int code = 0;
    s.conn = sql::Connection::Open(path, false, nullptr, &code);
    if (!s.conn) {
        // A file another program holds is named as every held-file message names it.
        s.lastError = sql::FailureInWords(code);
        if (!s.failureShown) {
            s.failureShown = true;
            dlg::MsgBox(
                QStringLiteral("无法建立数据库连接（") + s.lastError + QStringLiteral("）！"),
                dlg::OkOnly);
        }
        return nullptr;
    }
    s.failureShown = false;
    return s.conn;
}

void CloseDatabase() {
    shared().conn.reset();
    shared().transactionDepth = 0;
}

bool OpenRecordset(Recordset& rs, const QString& sql, const Params& params) {
    rs.Close();
    auto c = Db();
    if (!c) return false;
    rs = c->Query(sql, params);
    if (!rs.IsOpen()) noteFailure(*c);
    return rs.IsOpen();
}

bool ForEachRecord(const QString& sql, const Params& params,
                   const std::function<bool(const RowView&)>& row) {
    auto c = Db();
    if (!c) return false;
    if (c->ForEach(sql, params, row)) return true;
    noteFailure(*c);
    return false;
}

std::unique_ptr<sql::QueryAhead> QueryRowsAhead(const std::vector<sql::QueryPart>& parts,
                                                bool onThreads, bool textsOnThreads) {
    auto c = Db();
    return c ? std::make_unique<sql::QueryAhead>(c, parts, onThreads, textsOnThreads) : nullptr;
}

void CloseRecordset(Recordset& rs) {
    rs.Close();
}

bool ExecuteSql(const QString& sql, const Params& params) {
    auto c = Db();
    if (!c) return false;
    if (c->Exec(sql, params)) return true;
    noteFailure(*c);
    return false;
}

QString LastDatabaseError() {
    return shared().lastError;
}

void NoteDatabaseFailure() {
    if (const auto& c = shared().conn) noteFailure(*c);
}

QVariant ValueById(const QString& table, qint64 id, const QString& field) {
    if (!isIdentifier(table)) return QString();
    Recordset rs;
    OpenRecordset(
        rs, QStringLiteral("SELECT * FROM ") + quoted(table) + QStringLiteral(" WHERE ID=?"), {id});
    if (rs.RecordCount() < 1) return QString();
    return rs.Value(field);
}

QVariant ValueWhere(const QString& table, const QString& condition, const QString& field,
                    const Params& params) {
    if (!isIdentifier(table)) return QString();
    Recordset rs;
    OpenRecordset(
        rs,
        QStringLiteral("SELECT * FROM ") + quoted(table) + QStringLiteral(" WHERE ") + condition,
        params);
    if (rs.RecordCount() < 1) return QString();
    return rs.Value(field);
}

bool TableExists(const QString& table) {
    Recordset rs;
    OpenRecordset(rs,
                  QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name=?"),
                  {table});
    return rs.RecordCount() > 0;
}

bool FieldExists(const QString& table, const QString& field) {
    if (!isIdentifier(table) || !TableExists(table)) return false;
    Recordset rs;
    OpenRecordset(rs,
                  QStringLiteral("SELECT * FROM ") + quoted(table) + QStringLiteral(" LIMIT 0"));
    for (int i = 0; i < rs.FieldCount(); ++i)
        if (rs.Field(i).name == field) return true;
    return false;
}

void DropTableIfExists(const QString& table) {
    if (!isIdentifier(table) || !TableExists(table)) return;
    ExecuteSql(QStringLiteral("DROP TABLE ") + quoted(table));
    // SQLite drops synchronously; a locked file gives up after a short wait instead of hanging.
    for (int i = 0; i < 50 && TableExists(table); ++i) QCoreApplication::processEvents();
}

void AddColumnIfMissing(const QString& table, const QString& field, const QString& type) {
    if (!isIdentifier(table) || !isIdentifier(field) || FieldExists(table, field)) return;
    QString t = type.trimmed().toUpper();
    if (t == QLatin1String("LONG")) t = QStringLiteral("INTEGER");
    if (!isIdentifier(t)) return;
    // SQLite compares column names without case: a column that differs only in case already
    // exists, and the ALTER fails. Only a column really added is set to 0, so that existing
    // data is never overwritten.
    if (!ExecuteSql(QStringLiteral("ALTER TABLE ") + quoted(table) + QStringLiteral(" ADD ") +
                    quoted(field) + u' ' + t))
        return;
    ExecuteSql(QStringLiteral("UPDATE ") + quoted(table) + QStringLiteral(" SET ") + quoted(field) +
               QStringLiteral("=0"));
}

void FillComboDistinct(QComboBox* list, const QString& column) {
    if (!list) return;
    list->clear();
    if (!isIdentifier(column)) return;
    Recordset rs;
    const QString c = quoted(column);
    OpenRecordset(rs, QStringLiteral("SELECT ") + c + QStringLiteral(" FROM Fmt GROUP BY ") + c +
                          QStringLiteral(" ORDER BY ") + c);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        QString v = rs.Text(column);
        if (!v.isEmpty()) list->addItem(v);
    }
}

Transaction::Transaction() {
    Shared& s = shared();
    if (s.transactionDepth > 0) {
        ++s.transactionDepth;
        active_ = true;
        return;
    }
    auto c = Db();
    if (c && c->Begin()) {
        s.transactionDepth = 1;
        s.transactionFailed = false;
        active_ = true;
        outer_ = true;
    } else if (c) {
        noteFailure(*c);
    }
}

Transaction::~Transaction() {
    if (!active_) return;
    Shared& s = shared();
    if (!outer_) {
        // An inner transaction left without Commit spoils the outer one.
        s.transactionFailed = true;
        --s.transactionDepth;
        return;
    }
    s.transactionDepth = 0;
    if (s.conn) s.conn->Rollback();
}

bool Transaction::Commit() {
    if (!active_) return false;
    active_ = false;
    Shared& s = shared();
    if (!outer_) {
        --s.transactionDepth;
        return true;
    }
    s.transactionDepth = 0;
    if (!s.conn) return false;
    if (s.transactionFailed) {
        s.conn->Rollback();
        return false;
    }
    if (!s.conn->Commit()) {
        noteFailure(*s.conn);
        s.conn->Rollback();
        return false;
    }
    return true;
}

Savepoint::Savepoint() {
    if (shared().transactionDepth == 0) {
        own_ = std::make_unique<Transaction>();
        active_ = own_->Active();
        return;
    }
    active_ = ExecuteSql(QStringLiteral("SAVEPOINT bw_part"));
}

namespace {

// Undoes the savepoint's statements, keeping the failure that made it necessary as the one
// the user is told of.
void rollBackPart() {
    if (const auto& c = shared().conn) {
        c->Exec(QStringLiteral("ROLLBACK TO bw_part"));
        c->Exec(QStringLiteral("RELEASE bw_part"));
    }
}

}  // namespace

Savepoint::~Savepoint() {
    if (active_ && !own_) rollBackPart();
}

bool Savepoint::Release() {
    if (!std::exchange(active_, false)) return false;
    if (own_) return own_->Commit();
    if (ExecuteSql(QStringLiteral("RELEASE bw_part"))) return true;
    rollBackPart();
    return false;
}

}  // namespace bw
