#pragma once
// The program's way to its database file DATA.db in the data folder. Every value goes into
// SQL as a bound parameter ("?"); table and column names come only from program constants.

#include <QString>
#include <QVariantList>
#include <memory>

#include "platform/SqlEngine.h"
#include "platform/SqlReadAhead.h"

class QComboBox;

namespace bw {

using sql::Recordset;
using Params = QVariantList;

// Path of DATA.db in the data folder.
QString DatabasePath();

// The shared connection, opened on first use. Shows "无法建立数据库连接（<cause>）！" once
// when the file cannot be opened (the cause as LastDatabaseError() gives it, which then
// tells it too) and returns null then.
std::shared_ptr<sql::Connection> Db();

// Releases the shared connection (compaction, switching the data folder in tests).
void CloseDatabase();

// Replaces `rs` by the result of the query; `rs` is not open when the query failed.
bool OpenRecordset(Recordset& rs, const QString& sql, const Params& params = {});
void CloseRecordset(Recordset& rs);

// Walks the rows of a query once without keeping them (large results); `row` returns false
// to stop. False when the query failed.
using sql::RowView;
bool ForEachRecord(const QString& sql, const Params& params,
                   const std::function<bool(const RowView&)>& row);

// Starts a large query, in parts, on threads of their own (see sql::QueryAhead, also for
// `textsOnThreads`); null without a database.
std::unique_ptr<sql::QueryAhead> QueryRowsAhead(const std::vector<sql::QueryPart>& parts,
                                                bool onThreads = true, bool textsOnThreads = false);

// Runs a statement that returns no rows. Failures leave no trace for the user; the result
// tells a caller that needs it whether the statement ran.
bool ExecuteSql(const QString& sql, const Params& params = {});

// Why the last statement, query or commit on the shared connection failed, in the user's
// words (sql::FailureInWords: "另一个程序正在使用数据文件，请关闭它后再试", "磁盘空间已满", …);
// "" before any failure.
QString LastDatabaseError();
// Notes why the last call on the shared connection failed, for a caller that read through it
// by other means (QueryRowsAhead): LastDatabaseError() then tells it.
void NoteDatabaseFailure();

// The field of the first record of the table with that ID; "" (a QString) when none.
QVariant ValueById(const QString& table, qint64 id, const QString& field);
// The field of the first record matching the condition (with "?" for the bound values);
// "" when none; a NULL field gives a null QVariant.
QVariant ValueWhere(const QString& table, const QString& condition, const QString& field,
                    const Params& params = {});

bool TableExists(const QString& table);                        // exact, case-sensitive name
bool FieldExists(const QString& table, const QString& field);  // exact, case-sensitive name
void DropTableIfExists(const QString& table);
// Adds the column and sets it to 0 in every row, only when it is missing.
void AddColumnIfMissing(const QString& table, const QString& field, const QString& type);

// Replaces the list's items by the distinct non-empty values of a column of Fmt, ascending.
void FillComboDistinct(QComboBox* list, const QString& column);

// A transaction on the shared connection: rolled back unless Commit() is called. Nested
// transactions join the outer one.
class Transaction {
public:
    Transaction();
    ~Transaction();
    bool Commit();
    bool Active() const { return active_; }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    bool active_ = false;
    bool outer_ = false;
};

// A part of the open transaction that may fail alone: left without Release() its statements
// are undone and the transaction goes on with what came before it. Outside a transaction it
// is a transaction of its own. Active() is false when it could not begin (LastDatabaseError
// says why).
class Savepoint {
public:
    Savepoint();
    ~Savepoint();
    bool Release();
    bool Active() const { return active_; }
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;

private:
    std::unique_ptr<Transaction> own_;
    bool active_ = false;
};

// "x" -> "x" with "\", "%", "_" escaped; use with LIKE ? ESCAPE '\'.
inline QString LikeLiteral(const QString& text) {
    return sql::LikeLiteral(text);
}

}  // namespace bw
