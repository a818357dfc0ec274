#pragma once
// Reading a large query while the caller works on the rows already read. The query, or each
// of its parts (one range of the rows each, in order), runs on a thread of its own over one
// of the connection's read-only handles to the same database file, and the rows come to the
// calling thread in batches, in order. Filling a window from a hundred thousand rows then
// takes about as long as SQLite takes to read them, or less, not that plus the window's work.
//
// When threads cannot be used (the program's connection has a transaction open, whose rows
// another handle would not see, or the file cannot be opened a second time) the parts run on
// the program's connection in the calling thread, with the same result.

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/SqlEngine.h"

namespace bw::sql {

class Connection;
struct AheadBatch;
class AheadPipe;

// One row of a batch, read while the callback runs.
class BatchRow {
public:
    // The column as SQLite reads it as an integer: NULL 0, a real cut towards zero, a text's
    // leading whole number.
    qint64 Int64(int column) const;
    // The column as text: "" for NULL, a number as SQLite writes it.
    QString Text(int column) const;
    // As RowView has them: the columns, a column by name, the value shaped by its declared
    // type, and the value's key.
    int Columns() const;
    int ColumnIndex(const QString& name) const;
    QVariant Value(int column) const;
    void Key(int column, std::string& key) const;
    // The value as stored, and the column's declared type: what Value shapes, for a caller
    // that turns many values into texts without a QVariant each. NULL and Unknown where Value
    // gives a null QVariant for want of the column.
    StoredValue Stored(int column) const;
    FieldType Type(int column) const;

private:
    friend class QueryAhead;
    BatchRow(const AheadBatch& batch, int row) : batch_(batch), row_(row) {}
    const AheadBatch& batch_;
    int row_;
};

// A query with its bound values.
struct QueryPart {
    QString sql;
    QVariantList params;
};

class QueryAhead {
public:
    // Starts the parts, each on its own thread when it can and `onThreads` asks for it (a few
    // rows are read as fast in the calling thread, without a thread and a handle to start).
    // The connection is the program's one, to the file the rows are read from. With
    // `textsOnThreads` the threads also make the strings of the texts they read, for a
    // caller that takes every text and has work of its own while they read.
    QueryAhead(std::shared_ptr<Connection> connection, const std::vector<QueryPart>& parts,
               bool onThreads = true, bool textsOnThreads = false);
    // Stops the threads of rows not walked.
    ~QueryAhead();
    QueryAhead(const QueryAhead&) = delete;
    QueryAhead& operator=(const QueryAhead&) = delete;

    // Hands each row of the parts to `row`, part after part, each in its query's order; `row`
    // returns false to stop. False when a query failed. Called once. While no row is ready,
    // `idle` (when given) may do a little work of the caller's and return true, or return
    // false when it has none, and the walk waits for rows.
    bool ForEach(const std::function<bool(const BatchRow&)>& row,
                 const std::function<bool()>& idle = {});

    // How many parts are read on threads of their own (for tests).
    int Threads() const;

private:
    bool walkHere(const QueryPart& part, const std::function<bool(const BatchRow&)>& row);
    // Makes the texts of one batch waiting in a part from `from` on; false when none waits.
    bool makeTextsAhead(std::size_t from);

    std::shared_ptr<Connection> connection_;
    std::vector<QueryPart> parts_;
    std::vector<std::shared_ptr<AheadPipe>> pipes_;  // one per part, or none
};

}  // namespace bw::sql
