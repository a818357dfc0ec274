#include "platform/SqlReadAhead.h"

#include <sqlite3.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "platform/SqlEngine.h"

namespace bw::sql {

// The columns of a query as its statement declares them.
struct AheadColumns {
    std::vector<QString> names;
    std::vector<FieldType> types;

    static std::shared_ptr<const AheadColumns> Of(sqlite3_stmt* st) {
        auto c = std::make_shared<AheadColumns>();
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            c->names.push_back(QString::fromUtf8(sqlite3_column_name(st, i)));
            c->types.push_back(DeclaredType(sqlite3_column_decltype(st, i)));
        }
        return c;
    }
};

// Rows read by a thread: every value with its type, the texts' bytes side by side.
struct AheadBatch {
    // A number, or where a text's or blob's bytes are: sixteen bytes a value, as rows read
    // ahead of the caller wait here by the ten thousand.
    struct Value {
        union {
            qint64 number;
            double real;
            struct {
                quint32 from;
                quint32 size;
            } text;
        };
        int type;
    };
    // The columns' names and declared types, read with the first rows.
    std::shared_ptr<const AheadColumns> names;
    int columns = 0;
    int rows = 0;
    std::vector<Value> values;
    std::string bytes;
    // The texts made into strings before their turn, while the caller waited for rows of an
    // earlier part: one per value, or none.
    std::vector<QString> texts;

    // Fills the batch with the statement's next rows; the last step's result (SQLITE_ROW
    // while rows are left).
    int Fill(sqlite3_stmt* st, int most) {
        rows = 0;
        values.clear();
        bytes.clear();
        texts.clear();
        columns = sqlite3_column_count(st);
        if (!names) names = AheadColumns::Of(st);
        values.reserve(static_cast<std::size_t>(most) * columns);
        int rc = SQLITE_ROW;
        while (rows < most && (rc = sqlite3_step(st)) == SQLITE_ROW) add(st);
        return rc;
    }
    const Value& At(int row, int column) const {
        return values[static_cast<std::size_t>(row) * columns + column];
    }
    StoredValue Stored(const Value& v) const {
        StoredValue s;
        s.type = v.type;
        if (v.type == SQLITE_INTEGER) s.integer = v.number;
        if (v.type == SQLITE_FLOAT) s.real = v.real;
        if (v.type == SQLITE_TEXT || v.type == SQLITE_BLOB) {
            s.bytes = bytes.data() + v.text.from;
            s.size = static_cast<int>(v.text.size);
        }
        return s;
    }
    // The value as text, as SQLite gives it.
    QString Text(const Value& v) const {
        if (v.type == SQLITE_INTEGER) return QString::number(v.number);
        if (v.type == SQLITE_NULL) return QString();
        if (v.type == SQLITE_FLOAT) {
            char buffer[32];
            sqlite3_snprintf(sizeof buffer, buffer, "%!.15g", v.real);
            return QString::fromLatin1(buffer);
        }
        return ColumnText(bytes.data() + v.text.from, static_cast<int>(v.text.size));
    }
    // Makes the strings of every text now.
    void MakeTexts() {
        texts.reserve(values.size());
        for (const Value& v : values) texts.push_back(v.type == SQLITE_TEXT ? Text(v) : QString());
    }

private:
    void add(sqlite3_stmt* st) {
        for (int c = 0; c < columns; ++c) {
            Value v;
            v.number = 0;
            v.type = sqlite3_column_type(st, c);
            if (v.type == SQLITE_INTEGER) {
                v.number = sqlite3_column_int64(st, c);
            } else if (v.type == SQLITE_FLOAT) {
                v.real = sqlite3_column_double(st, c);
            } else if (v.type != SQLITE_NULL) {
                const char* p = v.type == SQLITE_BLOB
                                    ? static_cast<const char*>(sqlite3_column_blob(st, c))
                                    : reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                v.text.size = static_cast<quint32>(sqlite3_column_bytes(st, c));
                v.text.from = static_cast<quint32>(bytes.size());
                if (p) bytes.append(p, v.text.size);
            }
            values.push_back(v);
        }
        ++rows;
    }
};

namespace {

// Rows per batch: small enough that the caller starts at once, large enough that handing a
// batch over costs nothing beside reading it.
constexpr int kBatchRows = 512;

// Prepares and binds the part's statement on the handle; null when it does not prepare or
// a value is refused.
sqlite3_stmt* Prepare(sqlite3* db, const QByteArray& sql, const QVariantList& params) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK || !st ||
        !BindValues(st, params)) {
        sqlite3_finalize(st);
        return nullptr;
    }
    return st;
}

}  // namespace

// One part's batches passing from its thread to the caller.
class AheadPipe {
public:
    sqlite3* reader = nullptr;
    std::mutex lock;
    std::condition_variable changed;
    std::deque<std::unique_ptr<AheadBatch>> full;
    std::vector<std::unique_ptr<AheadBatch>> free;
    bool started = false;      // rows (or the query's end) were read
    bool ended = false;        // the thread read its last row or failed
    bool failed = false;       // the query failed after it started
    bool stop = false;         // the caller wants no more rows
    std::size_t prepared = 0;  // the waiting batches, from the first, whose texts are made
    std::thread thread;

    // The thread's work. A query that fails before its first row is left to the caller's
    // connection, which says why (a locked file, say); a later failure ends the walk. With
    // `texts`, each batch has its texts made before it is handed over.
    void Run(const QByteArray& sql, const QVariantList& params, bool texts) {
        sqlite3_stmt* st = Prepare(reader, sql, params);
        int rc = st ? SQLITE_ROW : SQLITE_ERROR;
        while (rc == SQLITE_ROW) {
            std::unique_ptr<AheadBatch> batch = take();
            if (!batch) break;
            rc = batch->Fill(st, kBatchRows);
            if (texts && batch->rows > 0) batch->MakeTexts();
            std::lock_guard g(lock);
            if (!started && rc != SQLITE_ROW && rc != SQLITE_DONE) break;
            started = true;
            full.push_back(std::move(batch));
            changed.notify_all();
        }
        sqlite3_finalize(st);
        std::lock_guard g(lock);
        failed = started && rc != SQLITE_DONE && !stop;
        ended = true;
        changed.notify_all();
    }

    // The next batch of rows for the caller; null at the end, or (when not `wait`) when none
    // is ready yet.
    std::unique_ptr<AheadBatch> Next(bool wait) {
        std::unique_lock g(lock);
        if (wait) changed.wait(g, [&] { return !full.empty() || ended; });
        if (full.empty()) return nullptr;
        std::unique_ptr<AheadBatch> b = std::move(full.front());
        full.pop_front();
        if (prepared > 0) --prepared;
        return b;
    }
    bool Ended() {
        std::lock_guard g(lock);
        return ended && full.empty();
    }
    // Makes the texts of the next waiting batch whose texts are not made; false when none
    // waits. Only the caller touches a batch once it waits.
    bool MakeTextsAhead() {
        AheadBatch* b = nullptr;
        {
            std::lock_guard g(lock);
            if (prepared >= full.size()) return false;
            b = full[prepared++].get();
        }
        b->MakeTexts();
        return true;
    }

    void Recycle(std::unique_ptr<AheadBatch> batch) {
        std::lock_guard g(lock);
        free.push_back(std::move(batch));
    }

    void Stop() {
        {
            std::lock_guard g(lock);
            stop = true;
        }
        if (thread.joinable()) thread.join();
    }

private:
    // A batch to fill, a used one when there is one; null when the caller stopped.
    std::unique_ptr<AheadBatch> take() {
        std::lock_guard g(lock);
        if (stop) return nullptr;
        if (free.empty()) return std::make_unique<AheadBatch>();
        std::unique_ptr<AheadBatch> b = std::move(free.back());
        free.pop_back();
        return b;
    }
};

qint64 BatchRow::Int64(int column) const {
    const AheadBatch::Value& v = batch_.At(row_, column);
    if (v.type == SQLITE_INTEGER) return v.number;
    if (v.type == SQLITE_NULL) return 0;
    if (v.type == SQLITE_FLOAT) {
        // As SQLite reads a real as an integer: cut towards zero, held to the integers' range.
        if (!(v.real > -9223372036854775808.0)) return v.real < 0 ? INT64_MIN : 0;
        if (v.real >= 9223372036854775808.0) return INT64_MAX;
        return static_cast<qint64>(v.real);
    }
    // As SQLite reads a text as an integer: its leading whole number.
    const char* p = batch_.bytes.data() + v.text.from;
    const char* end = p + v.text.size;
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    const bool minus = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+')) ++p;
    qint64 n = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) n = n * 10 + (*p - '0');
    return minus ? -n : n;
}

int BatchRow::Columns() const {
    return batch_.columns;
}

int BatchRow::ColumnIndex(const QString& name) const {
    if (!batch_.names) return -1;
    const std::vector<QString>& names = batch_.names->names;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return static_cast<int>(i);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

QVariant BatchRow::Value(int column) const {
    if (column < 0 || column >= batch_.columns || !batch_.names) return {};
    return ShapeValue(batch_.Stored(batch_.At(row_, column)), batch_.names->types[column]);
}

StoredValue BatchRow::Stored(int column) const {
    if (column < 0 || column >= batch_.columns || !batch_.names) return {};
    return batch_.Stored(batch_.At(row_, column));
}

FieldType BatchRow::Type(int column) const {
    if (column < 0 || column >= batch_.columns || !batch_.names) return FieldType::Unknown;
    return batch_.names->types[column];
}

void BatchRow::Key(int column, std::string& key) const {
    StoredKey(batch_.Stored(batch_.At(row_, column)), key);
}

QString BatchRow::Text(int column) const {
    const std::size_t at = static_cast<std::size_t>(row_) * batch_.columns + column;
    const AheadBatch::Value& v = batch_.values[at];
    if (!batch_.texts.empty() && v.type == SQLITE_TEXT) return batch_.texts[at];
    return batch_.Text(v);
}

QueryAhead::QueryAhead(std::shared_ptr<Connection> connection, const std::vector<QueryPart>& parts,
                       bool onThreads, bool textsOnThreads)
    : connection_(std::move(connection)), parts_(parts) {
    if (!onThreads || connection_->InTransaction()) return;
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        auto pipe = std::make_shared<AheadPipe>();
        pipe->reader = connection_->LendReader();
        if (!pipe->reader) {
            for (const auto& p : pipes_) connection_->ReturnReader(p->reader);
            pipes_.clear();
            return;
        }
        pipes_.push_back(pipe);
    }
    for (std::size_t i = 0; i < parts_.size(); ++i)
        pipes_[i]->thread =
            std::thread([pipe = pipes_[i], sql = parts_[i].sql.toUtf8(), params = parts_[i].params,
                         textsOnThreads] { pipe->Run(sql, params, textsOnThreads); });
}

QueryAhead::~QueryAhead() {
    // Given back last first, each handle is lent to the same part of the next such query,
    // whose pages it still holds.
    for (auto pipe = pipes_.rbegin(); pipe != pipes_.rend(); ++pipe) {
        (*pipe)->Stop();
        connection_->ReturnReader((*pipe)->reader);
    }
}

int QueryAhead::Threads() const {
    return static_cast<int>(pipes_.size());
}

bool QueryAhead::ForEach(const std::function<bool(const BatchRow&)>& row,
                         const std::function<bool()>& idle) {
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        if (i >= pipes_.size()) {
            if (!walkHere(parts_[i], row)) return false;
            continue;
        }
        AheadPipe& pipe = *pipes_[i];
        for (;;) {
            std::unique_ptr<AheadBatch> batch = pipe.Next(false);
            if (!batch) {
                if (pipe.Ended()) break;
                // While this part's rows are read, the texts of rows read ahead by later
                // parts are made.
                if (makeTextsAhead(i + 1) || (idle && idle())) continue;
                batch = pipe.Next(true);
                if (!batch) break;
            }
            for (int r = 0; r < batch->rows; ++r)
                if (!row(BatchRow(*batch, r))) return true;
            pipe.Recycle(std::move(batch));
        }
        if (pipe.failed) return false;
        if (!pipe.started && !walkHere(parts_[i], row)) return false;
    }
    return true;
}

bool QueryAhead::makeTextsAhead(std::size_t from) {
    for (std::size_t j = from; j < pipes_.size(); ++j)
        if (pipes_[j]->MakeTextsAhead()) return true;
    return false;
}

// A part read on the program's connection in this thread, in the same batches.
bool QueryAhead::walkHere(const QueryPart& part, const std::function<bool(const BatchRow&)>& row) {
    sqlite3_stmt* st = Prepare(connection_->Handle(), part.sql.toUtf8(), part.params);
    if (!st) return false;
    AheadBatch batch;
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW) {
        rc = batch.Fill(st, kBatchRows);
        for (int r = 0; r < batch.rows; ++r)
            if (!row(BatchRow(batch, r))) {
                sqlite3_finalize(st);
                return true;
            }
    }
    sqlite3_finalize(st);
    return rc == SQLITE_DONE;
}

}  // namespace bw::sql
