#include "platform/SqlEngine.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QHash>
#include <algorithm>
#include <cctype>
#include <cerrno>

#include "platform/SqlText.h"
#include "platform/VbNumbers.h"

namespace bw::sql {

namespace {

FieldType typeOfDecl(const char* decl) {
    if (!decl) return FieldType::Unknown;
    const QString d = QString::fromUtf8(decl).toUpper();
    if (d.contains(QLatin1String("BOOL")) || d == QLatin1String("BIT") ||
        d.contains(QLatin1String("YESNO")))
        return FieldType::Boolean;
    if (d.contains(QLatin1String("DATE")) || d.contains(QLatin1String("TIME")))
        return FieldType::Date;
    if (d.contains(QLatin1String("INT")) || d == QLatin1String("LONG") ||
        d == QLatin1String("COUNTER"))
        return FieldType::Integer;
    if (d.contains(QLatin1String("CHAR")) || d.contains(QLatin1String("TEXT")) ||
        d.contains(QLatin1String("CLOB")) || d.contains(QLatin1String("MEMO")))
        return FieldType::Text;
    if (d.contains(QLatin1String("REAL")) || d.contains(QLatin1String("FLOA")) ||
        d.contains(QLatin1String("DOUB")) || d.contains(QLatin1String("NUM")) ||
        d.contains(QLatin1String("DEC")) || d.contains(QLatin1String("SINGLE")) ||
        d.contains(QLatin1String("CURRENCY")))
        return FieldType::Double;
    if (d.contains(QLatin1String("BLOB"))) return FieldType::Blob;
    return FieldType::Unknown;
}

QDateTime parseDateSlowly(const QString& s) {
    static const char* formats[] = {
        "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd",
        "yyyy/MM/dd HH:mm:ss", "yyyy/MM/dd",          "yyyy.MM.dd"};
    for (const char* f : formats) {
        QDateTime d = QDateTime::fromString(s, QLatin1String(f));
        if (d.isValid()) return d;
    }
    return {};
}

// The stored forms with all their digits ("2013-01-05", "2013-01-05 08:30:00", and the
// others parseDateSlowly accepts), read by hand; anything else is left to the slow path.
// Reading them through QDateTime::fromString cost most of the time of a large query.
QDateTime parseDateQuickly(const QString& s, bool& done) {
    done = false;
    const qsizetype n = s.size();
    if (n != 10 && n != 16 && n != 19) return {};
    auto digits = [&](int from, int count) {
        int v = 0;
        for (int i = from; i < from + count; ++i) {
            const char16_t c = s[i].unicode();
            if (c < u'0' || c > u'9') return -1;
            v = v * 10 + (c - u'0');
        }
        return v;
    };
    const char16_t sep = s[4].unicode();
    if ((sep != u'-' && sep != u'/' && sep != u'.') || s[7].unicode() != sep) return {};
    const int y = digits(0, 4), m = digits(5, 2), d = digits(8, 2);
    if (y < 0 || m < 0 || d < 0) return {};
    QTime time(0, 0);
    if (n > 10) {
        if (sep == u'.') return {};
        const char16_t t = s[10].unicode();
        const bool withT = t == u'T';
        if (t != u' ' && !(withT && n == 19 && sep == u'-')) return {};
        if (sep == u'/' && n != 19) return {};
        if (s[13].unicode() != u':') return {};
        const int hh = digits(11, 2), mm = digits(14, 2);
        int ss = 0;
        if (n == 19) {
            if (s[16].unicode() != u':') return {};
            ss = digits(17, 2);
        }
        if (hh < 0 || mm < 0 || ss < 0) return {};
        time = QTime(hh, mm, ss);
    }
    const QDate date(y, m, d);
    if (!date.isValid() || !time.isValid()) return {};
    QDateTime out(date, time);
    if (!out.isValid()) return {};  // a local time that does not exist: as the slow path says
    done = true;
    return out;
}

QDateTime parseDate(const QString& s) {
    // A large result repeats its dates; each distinct text is read once.
    thread_local QHash<QString, QDateTime> seen;
    if (const auto it = seen.constFind(s); it != seen.constEnd()) return *it;
    bool done = false;
    QDateTime d = parseDateQuickly(s, done);
    if (!done) d = parseDateSlowly(s);
    if (seen.size() >= 4096) seen.clear();
    seen.insert(s, d);
    return d;
}

// The value of one column of the current row as stored.
StoredValue storedOf(sqlite3_stmt* st, int i) {
    StoredValue v;
    v.type = sqlite3_column_type(st, i);
    switch (v.type) {
        case SQLITE_INTEGER:
            v.integer = sqlite3_column_int64(st, i);
            break;
        case SQLITE_FLOAT:
            v.real = sqlite3_column_double(st, i);
            break;
        case SQLITE_BLOB:
            v.bytes = static_cast<const char*>(sqlite3_column_blob(st, i));
            v.size = sqlite3_column_bytes(st, i);
            break;
        case SQLITE_NULL:
            break;
        default:
            v.bytes = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
            v.size = sqlite3_column_bytes(st, i);
            break;
    }
    return v;
}

// The value of one column of the current row, shaped by the column's declared type.
QVariant columnValue(sqlite3_stmt* st, int i, FieldType type) {
    return ShapeValue(storedOf(st, i), type);
}

}  // namespace

FieldType DeclaredType(const char* decl) {
    return typeOfDecl(decl);
}

QVariant ShapeValue(const StoredValue& v, FieldType type) {
    switch (v.type) {
        case SQLITE_NULL:
            return QVariant();  // NULL
        case SQLITE_INTEGER:
            if (type == FieldType::Boolean) return QVariant(v.integer != 0);
            if (type == FieldType::Double) return QVariant(static_cast<double>(v.integer));
            return QVariant(static_cast<qlonglong>(v.integer));
        case SQLITE_FLOAT:
            if (type == FieldType::Boolean) return QVariant(v.real != 0.0);
            return QVariant(v.real);
        case SQLITE_BLOB:
            return QVariant(QByteArray(v.bytes, v.size));
        default: {
            QString s = ColumnText(v.bytes, v.size);
            if (type == FieldType::Date) {
                QDateTime d = parseDate(s);
                if (d.isValid()) return QVariant(d);
            }
            if (type == FieldType::Boolean) {
                const QString l = s.trimmed().toLower();
                if (l == QLatin1String("true")) return QVariant(true);
                if (l == QLatin1String("false") || l.isEmpty()) return QVariant(false);
                return QVariant(Val(s) != 0.0);
            }
            return QVariant(s);
        }
    }
}

void StoredKey(const StoredValue& v, std::string& key) {
    key.assign(1, static_cast<char>(v.type));
    switch (v.type) {
        case SQLITE_INTEGER:
            key.append(reinterpret_cast<const char*>(&v.integer), sizeof v.integer);
            break;
        case SQLITE_FLOAT:
            key.append(reinterpret_cast<const char*>(&v.real), sizeof v.real);
            break;
        case SQLITE_TEXT:
        case SQLITE_BLOB:
            if (v.bytes) key.append(v.bytes, v.size);
            break;
        default:
            break;
    }
}

struct Binder {
    static bool bind(sqlite3_stmt* st, int index, const QVariant& v) {
        if (!v.isValid() || v.isNull()) return sqlite3_bind_null(st, index) == SQLITE_OK;
        switch (v.typeId()) {
            case QMetaType::Bool:
                return sqlite3_bind_int(st, index, v.toBool() ? 1 : 0) == SQLITE_OK;
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Long:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::ULong:
                return sqlite3_bind_int64(st, index, v.toLongLong()) == SQLITE_OK;
            case QMetaType::Double:
            case QMetaType::Float:
                return sqlite3_bind_double(st, index, v.toDouble()) == SQLITE_OK;
            case QMetaType::QDateTime: {
                QByteArray t =
                    v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
                return sqlite3_bind_text(st, index, t.constData(), int(t.size()),
                                         SQLITE_TRANSIENT) == SQLITE_OK;
            }
            case QMetaType::QDate: {
                QByteArray t = v.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
                return sqlite3_bind_text(st, index, t.constData(), int(t.size()),
                                         SQLITE_TRANSIENT) == SQLITE_OK;
            }
            case QMetaType::QByteArray: {
                QByteArray b = v.toByteArray();
                return sqlite3_bind_blob(st, index, b.constData(), int(b.size()),
                                         SQLITE_TRANSIENT) == SQLITE_OK;
            }
            default: {
                QByteArray t = v.toString().toUtf8();
                return sqlite3_bind_text(st, index, t.constData(), int(t.size()),
                                         SQLITE_TRANSIENT) == SQLITE_OK;
            }
        }
    }

    static bool bindAll(sqlite3_stmt* st, const QVariantList& params) {
        const int n = sqlite3_bind_parameter_count(st);
        for (int i = 0; i < n && i < params.size(); ++i)
            if (!bind(st, i + 1, params[i])) return false;
        return true;
    }
};

// A text column as a QString holding just its characters. QString::fromUtf8 keeps room for
// as many characters as the text has bytes: three times what Chinese text needs, in every
// cell of a large grid. Such a text is copied into a string of its own size; the large one
// is freed at once and its memory serves the next text.
QString ColumnText(const char* utf8, int bytes) {
    QString s = QString::fromUtf8(utf8, bytes);
    if (s.capacity() - s.size() > 4) return QString(s.constData(), s.size());
    return s;
}

bool BindValues(sqlite3_stmt* st, const QVariantList& params) {
    return Binder::bindAll(st, params);
}

QString LikeLiteral(const QString& text) {
    QString out;
    out.reserve(text.size() + 4);
    for (QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_') out += u'\\';
        out += c;
    }
    return out;
}

// ---- Connection ---------------------------------------------------------------------

std::shared_ptr<Connection> Connection::Open(const QString& path, bool create, QString* error,
                                             int* code) {
    std::shared_ptr<Connection> c(new Connection);
    c->path_ = path;
    // A connection is used by the thread that opened it only (the program's main thread):
    // without a mutex on every call, which reading a large table makes by the million.
    int rc = sqlite3_open_v2(
        path.toUtf8().constData(), &c->db_,
        SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        if (error)
            *error =
                c->db_ ? QString::fromUtf8(sqlite3_errmsg(c->db_)) : QStringLiteral("open failed");
        if (code) *code = c->db_ ? sqlite3_extended_errcode(c->db_) : rc;
        return nullptr;
    }
    sqlite3_busy_timeout(c->db_, c->busyTimeout_);
    sqlite3_extended_result_codes(c->db_, 1);
    // A page cache of up to 64 MB: a long history's indexes keep their upper pages in memory,
    // so that adding a bill's rows costs about the same at 300,000 bills as at 100. Verify
    // the file is a database (a garbage file opens but fails on first read).
    char* msg = nullptr;
    rc = sqlite3_exec(c->db_,
                      "PRAGMA foreign_keys=OFF; PRAGMA cache_size=-65536; "
                      "SELECT count(*) FROM sqlite_master;",
                      nullptr, nullptr, &msg);
    if (rc != SQLITE_OK) {
        if (error) *error = msg ? QString::fromUtf8(msg) : QStringLiteral("not a database");
        if (code) *code = sqlite3_extended_errcode(c->db_);
        sqlite3_free(msg);
        return nullptr;
    }
    return c;
}

Connection::~Connection() {
    for (const Cached& c : cache_) sqlite3_finalize(c.st);
    cache_.clear();
    for (sqlite3* r : idleReaders_) sqlite3_close_v2(r);
    for (sqlite3* r : lentReaders_) sqlite3_close_v2(r);
    if (db_) sqlite3_close_v2(db_);
}

sqlite3* Connection::LendReader() {
    if (!db_) return nullptr;
    sqlite3* reader = nullptr;
    if (!idleReaders_.empty()) {
        reader = idleReaders_.back();
        idleReaders_.pop_back();
    } else if (sqlite3_open_v2(path_.toUtf8().constData(), &reader,
                               SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) == SQLITE_OK) {
        // A reader walks its query once, page after page: a small cache serves it, and what
        // it does not hold the file system still does.
        sqlite3_exec(reader, "PRAGMA cache_size=-256", nullptr, nullptr, nullptr);
    } else {
        sqlite3_close_v2(reader);
        return nullptr;
    }
    sqlite3_busy_timeout(reader, busyTimeout_);
    lentReaders_.push_back(reader);
    return reader;
}

void Connection::ReturnReader(sqlite3* reader) {
    const auto it = std::find(lentReaders_.begin(), lentReaders_.end(), reader);
    if (it == lentReaders_.end()) return;
    lentReaders_.erase(it);
    idleReaders_.push_back(reader);
}

namespace {

constexpr std::size_t kMaxCachedStatements = 32;

bool OnlyBlanks(const char* from, const char* end) {
    for (; from < end; ++from)
        if (!isspace(static_cast<unsigned char>(*from))) return false;
    return true;
}

}  // namespace

sqlite3_stmt* Connection::Acquire(const QByteArray& sql, bool* single, bool* failed) {
    if (failed) *failed = false;
    for (Cached& c : cache_) {
        if (c.busy || c.sql != sql) continue;
        c.busy = true;
        c.used = ++uses_;
        if (single) *single = true;
        return c.st;
    }
    sqlite3_stmt* st = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, sql.constData(), int(sql.size()), &st, &tail) != SQLITE_OK) {
        if (failed) *failed = true;
        return nullptr;
    }
    if (single) *single = st && OnlyBlanks(tail, sql.constData() + sql.size());
    return st;
}

void Connection::Release(sqlite3_stmt* st, const QByteArray& sql, bool single) {
    if (!st) return;
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    for (Cached& c : cache_) {
        if (c.st == st) {
            c.busy = false;
            return;
        }
    }
    const bool known =
        std::any_of(cache_.begin(), cache_.end(), [&](const Cached& c) { return c.sql == sql; });
    if (!single || known) {
        sqlite3_finalize(st);
        return;
    }
    if (cache_.size() >= kMaxCachedStatements) {
        auto oldest = cache_.end();
        for (auto it = cache_.begin(); it != cache_.end(); ++it)
            if (!it->busy && (oldest == cache_.end() || it->used < oldest->used)) oldest = it;
        if (oldest == cache_.end()) {
            sqlite3_finalize(st);
            return;
        }
        sqlite3_finalize(oldest->st);
        cache_.erase(oldest);
    }
    cache_.push_back({sql, st, false, ++uses_});
}

bool Connection::Exec(const QString& sql, const QVariantList& params, QString* error) {
    if (!db_) return false;
    const QByteArray text = sql.toUtf8();
    bool single = false;
    bool failed = false;
    sqlite3_stmt* st = Acquire(text, &single, &failed);
    if (failed) {
        if (error) *error = QString::fromUtf8(sqlite3_errmsg(db_));
        return false;
    }
    if (single || !params.isEmpty()) {
        // One statement (bound values belong to the first statement only).
        if (!st) return false;  // only blanks or a comment
        int rc = Binder::bindAll(st, params) ? SQLITE_OK : SQLITE_ERROR;
        if (rc == SQLITE_OK) {
            do {
                rc = sqlite3_step(st);
            } while (rc == SQLITE_ROW);
        }
        const bool ok = rc == SQLITE_DONE;
        if (!ok && error) *error = QString::fromUtf8(sqlite3_errmsg(db_));
        Release(st, text, single);
        return ok;
    }
    // Several statements: each prepared, run and finalized in turn.
    if (st) sqlite3_finalize(st);
    const char* tail = text.constData();
    const char* end = tail + text.size();
    bool any = false;
    while (tail < end) {
        const char* next = nullptr;
        st = nullptr;
        int rc = sqlite3_prepare_v2(db_, tail, int(end - tail), &st, &next);
        if (rc != SQLITE_OK) {
            if (error) *error = QString::fromUtf8(sqlite3_errmsg(db_));
            return false;
        }
        tail = next;
        if (!st) continue;  // only blanks or a comment
        any = true;
        do {
            rc = sqlite3_step(st);
        } while (rc == SQLITE_ROW);
        if (rc != SQLITE_DONE) {
            if (error) *error = QString::fromUtf8(sqlite3_errmsg(db_));
            sqlite3_finalize(st);
            return false;
        }
        sqlite3_finalize(st);
    }
    return any;
}

namespace {

// A plain "SELECT <columns> FROM <table> [WHERE/ORDER BY ...]" over one table can be changed
// record by record; it is then read with the row id in a hidden first column.
bool singleTable(const QString& sql, QString* table, QString* rewritten) {
    SingleTableSelect m;
    if (!SplitSingleTableSelect(sql, &m)) return false;
    if (m.columns.contains(u'(') ||
        m.columns.startsWith(QLatin1String("DISTINCT"), Qt::CaseInsensitive))
        return false;
    if (HasGroupingOrJoin(m.rest)) return false;
    QString t = m.table;
    if (t.startsWith(u'"') || t.startsWith(u'[')) t = t.mid(1, t.size() - 2);
    *table = t;
    *rewritten = QStringLiteral("SELECT rowid AS \"__rowid__\", ") + m.columns +
                 QStringLiteral(" FROM ") + m.table + m.rest;
    return true;
}

}  // namespace

Recordset Connection::Query(const QString& sql, const QVariantList& params) {
    Recordset rs;
    rs.conn_ = shared_from_this();
    if (!db_) return rs;
    QString table, rewritten;
    bool updatable = singleTable(sql, &table, &rewritten);
    sqlite3_stmt* st = nullptr;
    QByteArray text;
    bool single = false;
    if (updatable) {
        text = rewritten.toUtf8();
        st = Acquire(text, &single);
        if (!st) updatable = false;  // a view or a table without row ids
    }
    if (!updatable) {
        text = sql.toUtf8();
        st = Acquire(text, &single);
    }
    if (!st) {
        rs.error_ = QString::fromUtf8(sqlite3_errmsg(db_));
        return rs;
    }
    if (!Binder::bindAll(st, params)) {
        rs.error_ = QString::fromUtf8(sqlite3_errmsg(db_));
        Release(st, text, single);
        return rs;
    }
    // The columns are read after the first step: a kept statement whose tables changed is
    // prepared again by that step and may have other columns than before it.
    int rc = sqlite3_step(st);
    const int ncol = sqlite3_column_count(st);
    const int first = updatable ? 1 : 0;
    for (int i = first; i < ncol; ++i) {
        FieldInfo f;
        f.name = QString::fromUtf8(sqlite3_column_name(st, i));
        f.type = typeOfDecl(sqlite3_column_decltype(st, i));
        const char* t = sqlite3_column_table_name(st, i);
        const char* o = sqlite3_column_origin_name(st, i);
        f.table = t ? QString::fromUtf8(t) : QString();
        f.origin = o ? QString::fromUtf8(o) : QString();
        rs.fields_.push_back(f);
    }
    for (; rc == SQLITE_ROW; rc = sqlite3_step(st)) {
        std::vector<QVariant> row;
        row.reserve(rs.fields_.size());
        for (int i = first; i < ncol; ++i)
            row.push_back(columnValue(st, i, rs.fields_[i - first].type));
        if (updatable) rs.rowids_.push_back(sqlite3_column_int64(st, 0));
        rs.rows_.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        rs.error_ = QString::fromUtf8(sqlite3_errmsg(db_));
        Release(st, text, single);
        rs.rows_.clear();
        rs.rowids_.clear();
        return rs;
    }
    Release(st, text, single);
    if (updatable) rs.table_ = table;
    rs.open_ = true;
    rs.pos_ = 0;
    return rs;
}

qint64 RowView::Int64(int column) const {
    return sqlite3_column_int64(st_, column);
}

QString RowView::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st_, column));
    return text ? ColumnText(text, sqlite3_column_bytes(st_, column)) : QString();
}

int RowView::Columns() const {
    return sqlite3_column_count(st_);
}

int RowView::ColumnIndex(const QString& name) const {
    const int n = Columns();
    for (int i = 0; i < n; ++i)
        if (QString::fromUtf8(sqlite3_column_name(st_, i)) == name) return i;
    for (int i = 0; i < n; ++i)
        if (QString::fromUtf8(sqlite3_column_name(st_, i)).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant RowView::Value(int column) const {
    if (column < 0 || column >= Columns()) return {};
    if (types_.empty()) {
        types_.resize(Columns());
        for (int i = 0; i < Columns(); ++i) types_[i] = typeOfDecl(sqlite3_column_decltype(st_, i));
    }
    return columnValue(st_, column, types_[column]);
}

void RowView::Key(int column, std::string& key) const {
    StoredKey(storedOf(st_, column), key);
}

bool Connection::ForEach(const QString& sql, const QVariantList& params,
                         const std::function<bool(const RowView&)>& row) {
    if (!db_) return false;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK || !st)
        return false;
    if (!Binder::bindAll(st, params)) {
        sqlite3_finalize(st);
        return false;
    }
    const RowView view(st);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        if (!row(view)) {
            rc = SQLITE_DONE;
            break;
        }
    sqlite3_finalize(st);
    return rc == SQLITE_DONE;
}

bool Connection::Begin() {
    return Exec(QStringLiteral("BEGIN IMMEDIATE"));
}
bool Connection::Commit() {
    return Exec(QStringLiteral("COMMIT"));
}
bool Connection::Rollback() {
    return Exec(QStringLiteral("ROLLBACK"));
}
bool Connection::InTransaction() const {
    return db_ && sqlite3_get_autocommit(db_) == 0;
}
qint64 Connection::LastInsertId() const {
    return db_ ? sqlite3_last_insert_rowid(db_) : 0;
}
int Connection::Changes() const {
    return db_ ? sqlite3_changes(db_) : 0;
}
QString Connection::LastError() const {
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString();
}
int Connection::LastErrorCode() const {
    return db_ ? sqlite3_extended_errcode(db_) : SQLITE_CANTOPEN;
}
int Connection::LastSystemError() const {
    return db_ ? sqlite3_system_errno(db_) : 0;
}
void Connection::SetBusyTimeout(int milliseconds) {
    busyTimeout_ = milliseconds;
    if (db_) sqlite3_busy_timeout(db_, milliseconds);
}
void Connection::SetTicker(std::function<void()> tick) {
    tick_ = std::move(tick);
    if (!db_) return;
    if (!tick_) {
        sqlite3_progress_handler(db_, 0, nullptr, nullptr);
        return;
    }
    // A thousand calls a second or more on a busy statement, each next to nothing.
    sqlite3_progress_handler(
        db_, 100000,
        [](void* self) {
            static_cast<Connection*>(self)->tick_();
            return 0;
        },
        this);
}

QString FailureInWords(int code, int systemError) {
    // The errno stays from the last call the system refused: it speaks for a failed write only.
    if ((code & 0xff) == SQLITE_IOERR &&
        (systemError == ENOSPC || systemError == EFBIG || systemError == EDQUOT))
        return QStringLiteral("磁盘空间已满");
    switch (code & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return QStringLiteral("另一个程序正在使用数据文件，请关闭它后再试");
        case SQLITE_FULL:
            return QStringLiteral("磁盘空间已满");
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_CANTOPEN:
            return QStringLiteral("数据文件不能写入");
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return QStringLiteral("数据文件已损坏");
        default:
            return QStringLiteral("数据文件读写出错");
    }
}

// ---- Recordset ----------------------------------------------------------------------

int Recordset::FieldIndex(const QString& name) const {
    for (int i = 0; i < FieldCount(); ++i)
        if (fields_[i].name == name) return i;
    for (int i = 0; i < FieldCount(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QVariant Recordset::Value(int position) const {
    if (position < 0 || position >= FieldCount()) return {};
    if (mode_ != EditMode::None) return buffer_[position];
    if (Eof() || pos_ < 0) return {};
    return rows_[pos_][position];
}

QVariant Recordset::Value(const QString& name) const {
    return Value(FieldIndex(name));
}

QString Recordset::Text(const QString& name) const {
    QVariant v = Value(name);
    if (!v.isValid() || v.isNull()) return {};
    if (v.typeId() == QMetaType::Double) return NumText(v.toDouble());
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.toString();
}

double Recordset::Number(const QString& name) const {
    QVariant v = Value(name);
    if (!v.isValid() || v.isNull()) return 0.0;
    switch (v.typeId()) {
        case QMetaType::Double:
        case QMetaType::LongLong:
        case QMetaType::Int:
            return v.toDouble();
        case QMetaType::Bool:
            return v.toBool() ? -1.0 : 0.0;
        default:
            return Val(v.toString());
    }
}

void Recordset::AddNew() {
    mode_ = EditMode::Add;
    buffer_.assign(fields_.size(), QVariant());
    dirty_.assign(fields_.size(), false);
}

bool Recordset::SetValue(const QString& name, const QVariant& value) {
    int i = FieldIndex(name);
    if (i < 0) return false;
    if (mode_ == EditMode::None) {
        if (Eof() || pos_ < 0) return false;
        mode_ = EditMode::Edit;
        buffer_ = rows_[pos_];
        dirty_.assign(fields_.size(), false);
    }
    buffer_[i] = value;
    dirty_[i] = true;
    return true;
}

bool Recordset::Update() {
    if (mode_ == EditMode::None) return true;
    const EditMode mode = mode_;
    mode_ = EditMode::None;
    if (!Updatable() || !conn_) {
        error_ = QStringLiteral("result cannot be changed");
        return false;
    }
    QStringList cols;
    QVariantList vals;
    std::vector<int> changed;
    for (int i = 0; i < FieldCount(); ++i) {
        if (!dirty_[i]) continue;
        if (fields_[i].table != table_ || fields_[i].origin.isEmpty()) continue;
        cols << u'"' + fields_[i].origin + u'"';
        vals << buffer_[i];
        changed.push_back(i);
    }
    const QString quotedTable = u'"' + table_ + u'"';
    if (mode == EditMode::Add) {
        QString sql;
        if (cols.isEmpty()) {
            sql = QStringLiteral("INSERT INTO ") + quotedTable + QStringLiteral(" DEFAULT VALUES");
        } else {
            QStringList marks;
            for (int i = 0; i < cols.size(); ++i) marks << QStringLiteral("?");
            sql = QStringLiteral("INSERT INTO ") + quotedTable + u'(' + cols.join(u',') +
                  QStringLiteral(") VALUES(") + marks.join(u',') + u')';
        }
        if (!conn_->Exec(sql, vals, &error_)) return false;
        lastInsertId_ = conn_->LastInsertId();
        // Read the stored record back so that defaults and the new ID show at once.
        Recordset back = conn_->Query(
            QStringLiteral("SELECT * FROM ") + quotedTable + QStringLiteral(" WHERE rowid=?"),
            {lastInsertId_});
        std::vector<QVariant> row = buffer_;
        if (back.RecordCount() == 1) {
            for (int i = 0; i < FieldCount(); ++i) {
                int j = back.FieldIndex(fields_[i].origin.isEmpty() ? fields_[i].name
                                                                    : fields_[i].origin);
                if (j >= 0 && fields_[i].table == table_) row[i] = back.rows_[0][j];
            }
        }
        rows_.push_back(row);
        rowids_.push_back(lastInsertId_);
        pos_ = RecordCount() - 1;
        return true;
    }
    if (cols.isEmpty()) return true;
    QStringList sets;
    for (const QString& c : cols) sets << c + QStringLiteral("=?");
    vals << rowids_[pos_];
    const QString sql = QStringLiteral("UPDATE ") + quotedTable + QStringLiteral(" SET ") +
                        sets.join(u',') + QStringLiteral(" WHERE rowid=?");
    if (!conn_->Exec(sql, vals, &error_)) return false;
    for (int i : changed) rows_[pos_][i] = buffer_[i];
    return true;
}

bool Recordset::Delete() {
    if (!Updatable() || !conn_ || Eof() || pos_ < 0) return false;
    const QString sql =
        QStringLiteral("DELETE FROM \"") + table_ + QStringLiteral("\" WHERE rowid=?");
    if (!conn_->Exec(sql, {rowids_[pos_]}, &error_)) return false;
    rows_.erase(rows_.begin() + pos_);
    rowids_.erase(rowids_.begin() + pos_);
    return true;
}

void Recordset::Close() {
    open_ = false;
    fields_.clear();
    rows_.clear();
    rowids_.clear();
    pos_ = 0;
    table_.clear();
    mode_ = EditMode::None;
    conn_.reset();
}

}  // namespace bw::sql
