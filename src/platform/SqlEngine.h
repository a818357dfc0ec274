#pragma once
// The database engine under the program's data layer: one SQLite file, opened on first use
// and shared by every call, with materialised result sets that can be walked, updated and
// appended to like the recordsets the program was written against.

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace bw::sql {

// The declared type of a result column, as far as the program needs it: grids show doubles,
// dates and Booleans in their own way.
enum class FieldType { Unknown, Integer, Double, Text, Boolean, Date, Blob };

struct FieldInfo {
    QString name;
    FieldType type = FieldType::Unknown;
    QString table;   // the table the column comes from, "" for an expression
    QString origin;  // the column's name in that table
};

class Connection;

// A value as SQLite hands it over: its kind (SQLite's type code: 1 integer, 2 real, 3 text,
// 4 blob, 5 NULL) and its number or bytes (not owned).
struct StoredValue {
    int type = 5;
    qint64 integer = 0;
    double real = 0;
    const char* bytes = nullptr;
    int size = 0;
};
// The value as a Recordset gives it: NULL a null QVariant, shaped by the declared type.
QVariant ShapeValue(const StoredValue& value, FieldType type);
// Writes into `key` the value's kind and bytes (see RowView::Key).
void StoredKey(const StoredValue& value, std::string& key);
// The type a column's declared type (as sqlite3_column_decltype gives it) stands for.
FieldType DeclaredType(const char* decl);

// The current row of a query walked by Connection::ForEach: read it while the callback runs.
class RowView {
public:
    qint64 Int64(int column) const;
    QString Text(int column) const;  // "" for NULL
    int Columns() const;
    // The column of that name, found as Recordset::FieldIndex finds it; -1 when none.
    int ColumnIndex(const QString& name) const;
    // The value as a Recordset gives it: NULL a null QVariant, shaped by the declared type.
    QVariant Value(int column) const;
    // Writes into `key` the value as stored (its kind and bytes): values of one column with
    // equal keys have equal Values, so that what was made of one can stand for the other.
    void Key(int column, std::string& key) const;

private:
    friend class Connection;
    explicit RowView(::sqlite3_stmt* st) : st_(st) {}
    ::sqlite3_stmt* st_;
    mutable std::vector<FieldType> types_;  // read from the statement on first use
};

// A materialised result: every row is read when the query runs, so the record count is exact.
// NULL is an invalid-but-null QVariant (isNull() true), distinct from the empty text.
// A result of a plain single-table SELECT can be changed: Edit the current record or AddNew,
// assign fields, Update.
class Recordset {
public:
    Recordset() = default;

    bool IsOpen() const { return open_; }
    int RecordCount() const { return static_cast<int>(rows_.size()); }
    bool Eof() const { return !open_ || pos_ >= RecordCount(); }
    bool Bof() const { return !open_ || pos_ < 0 || RecordCount() == 0; }
    int Position() const { return pos_; }  // 0-based index of the current record

    void MoveFirst() { pos_ = 0; }
    void MoveNext() {
        if (pos_ < RecordCount()) ++pos_;
    }
    void MovePrevious() {
        if (pos_ >= 0) --pos_;
    }
    void MoveLast() { pos_ = RecordCount() - 1; }
    void MoveTo(int position) { pos_ = position; }

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    const FieldInfo& Field(int position) const { return fields_.at(position); }
    int FieldIndex(const QString& name) const;  // exact name, then case-insensitive; -1

    // Value of the current record; an invalid QVariant outside the records or for an
    // unknown field. Booleans come back as bool, dates as QDateTime.
    QVariant Value(int position) const;
    QVariant Value(const QString& name) const;
    // The value as text: "" for NULL; numbers as the program writes them.
    QString Text(const QString& name) const;
    double Number(const QString& name) const;

    // Changing the result. AddNew starts a new record (all NULL) that Update inserts;
    // SetValue on an existing record changes it when Update runs. Update returns false and
    // leaves the stored data as it was when the statement fails or the result cannot be
    // changed (not a single-table result).
    void AddNew();
    bool SetValue(const QString& name, const QVariant& value);
    bool Update();
    // Deletes the current record from its table.
    bool Delete();
    bool Updatable() const { return !table_.isEmpty(); }
    // The row id of the record inserted by the last Update of an AddNew.
    qint64 LastInsertId() const { return lastInsertId_; }

    QString LastError() const { return error_; }
    void Close();

private:
    friend class Connection;
    bool open_ = false;
    std::vector<FieldInfo> fields_;
    std::vector<std::vector<QVariant>> rows_;
    std::vector<qint64> rowids_;  // when updatable
    int pos_ = 0;
    QString table_;  // the single table an updatable result comes from
    int hiddenRowid_ = -1;
    enum class EditMode { None, Edit, Add } mode_ = EditMode::None;
    std::vector<QVariant> buffer_;
    std::vector<bool> dirty_;
    qint64 lastInsertId_ = 0;
    QString error_;
    std::shared_ptr<Connection> conn_;
};

// One open database file. Statements run through Exec and Query are prepared once per SQL
// text and kept (a few dozen, the most recently used): running one again only binds its
// values and steps. A statement still running (a nested use of the same text) is never
// handed out twice; the nested use prepares its own.
class Connection : public std::enable_shared_from_this<Connection> {
public:
    // Opens the file; `create` makes a new empty database when the file is missing. The
    // connection is for the thread that opens it only.
    // `code` (when given) receives SQLite's result code of a failed open.
    static std::shared_ptr<Connection> Open(const QString& path, bool create,
                                            QString* error = nullptr, int* code = nullptr);
    ~Connection();

    // Runs one statement (or several separated by ";" when `params` is empty); false on failure.
    bool Exec(const QString& sql, const QVariantList& params = {}, QString* error = nullptr);
    // Runs a query and materialises its rows; the result is not open on failure.
    Recordset Query(const QString& sql, const QVariantList& params = {});
    // Runs a query and hands each row to `row` as it is read, keeping none: the way to walk
    // a large result once. `row` returns false to stop early. False when the query failed.
    bool ForEach(const QString& sql, const QVariantList& params,
                 const std::function<bool(const RowView&)>& row);

    bool Begin();
    bool Commit();
    bool Rollback();
    bool InTransaction() const;

    qint64 LastInsertId() const;
    int Changes() const;
    // SQLite's text and extended result code for the last call that failed on the file.
    QString LastError() const;
    int LastErrorCode() const;
    int LastSystemError() const;  // the system's errno behind it, 0 when none
    // How long a statement waits for another program's lock on the file before it fails
    // (3 seconds unless set), on this handle and on the readers it lends from now on.
    void SetBusyTimeout(int milliseconds);
    // Calls `tick` now and then while a statement runs on this handle (every hundred
    // thousand of the engine's steps): a statement of many seconds keeps the program's windows
    // painted. An empty function stops the calls. `tick` must not use this connection.
    void SetTicker(std::function<void()> tick);
    QString Path() const { return path_; }
    sqlite3* Handle() const { return db_; }

    // Further handles to the file, read-only, for reading on other threads (QueryAhead):
    // opened on first use and kept with their page caches while the connection lives, each
    // lent to one reader at a time. Null when the file cannot be opened again.
    sqlite3* LendReader();
    void ReturnReader(sqlite3* reader);

private:
    Connection() = default;
    // The prepared first statement of the text: an idle one from the cache, else a new one.
    // Null for a text of blanks, and (with `failed` set) when it does not prepare. `single`
    // tells whether the text holds nothing after the statement (only such are cached).
    sqlite3_stmt* Acquire(const QByteArray& sql, bool* single, bool* failed = nullptr);
    // Gives a statement back after use: reset and without bindings into the cache when its
    // text is a single statement, finalized otherwise (or when the cache has its own).
    void Release(sqlite3_stmt* st, const QByteArray& sql, bool single);

    struct Cached {
        QByteArray sql;
        sqlite3_stmt* st;
        bool busy;
        quint64 used;  // for dropping the least recently used
    };
    sqlite3* db_ = nullptr;
    std::vector<sqlite3*> idleReaders_;
    std::vector<sqlite3*> lentReaders_;
    QString path_;
    int busyTimeout_ = 3000;
    std::function<void()> tick_;
    std::vector<Cached> cache_;
    quint64 uses_ = 0;
};

// Binds a QVariant to a statement parameter (1-based), the way every statement binds values.
struct Binder;
// Binds the values to the statement's parameters in order, as every statement binds them;
// false when one is refused.
bool BindValues(::sqlite3_stmt* st, const QVariantList& params);

// A column's UTF-8 text as a string that holds no more room than its characters take: large
// results keep many of them.
QString ColumnText(const char* utf8, int bytes);

// Why a statement failed, in the clerk's words, for SQLite's result code (primary or
// extended) and the system's errno behind it: a file another program holds (busy, locked)
// "另一个程序正在使用数据文件，请关闭它后再试", a full disk (also a write the system refused for
// want of room) "磁盘空间已满", a file that takes no writes "数据文件不能写入", a damaged file
// "数据文件已损坏", anything else "数据文件读写出错". Never the engine's text.
QString FailureInWords(int code, int systemError = 0);

// Escapes "\", "%" and "_" for use inside a LIKE pattern written with ESCAPE '\'.
QString LikeLiteral(const QString& text);

}  // namespace bw::sql
