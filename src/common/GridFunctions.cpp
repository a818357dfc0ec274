#include "common/GridFunctions.h"

#include <sqlite3.h>
#include <QDateTime>
#include <QHash>
#include <QWidget>
#include <algorithm>
#include <climits>

#include "common/ColumnFit.h"
#include "common/Indicator.h"
#include "common/Services.h"
#include "platform/Dialogs.h"
#include "platform/SharedTexts.h"
#include "platform/SqlText.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"

namespace bw {

namespace {

const QString kSerialCaption = QStringLiteral("序号");

bool isTableName(const QString& name) {
    return sql::IsPlainName(name);
}

// A date as "yyyy.MM.dd", written by hand for four-digit years (most of a large grid).
QString dateText(const QDate& d) {
    const int y = d.year();
    if (y < 1000 || y > 9999) return d.toString(QStringLiteral("yyyy.MM.dd"));
    const int m = d.month(), day = d.day();
    const char16_t out[10] = {char16_t(u'0' + y / 1000),
                              char16_t(u'0' + y / 100 % 10),
                              char16_t(u'0' + y / 10 % 10),
                              char16_t(u'0' + y % 10),
                              u'.',
                              char16_t(u'0' + m / 10),
                              char16_t(u'0' + m % 10),
                              u'.',
                              char16_t(u'0' + day / 10),
                              char16_t(u'0' + day % 10)};
    return QString(reinterpret_cast<const QChar*>(out), 10);
}

// A looked-up value as text.
QString plainText(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return QString();
    switch (v.typeId()) {
        case QMetaType::Double:
            return NumText(v.toDouble());
        case QMetaType::QDateTime: {
            const QDateTime t = v.toDateTime();
            return t.isValid() ? dateText(t.date()) : QString();
        }
        case QMetaType::QDate: {
            const QDate d = v.toDate();
            return d.isValid() ? dateText(d) : QString();
        }
        case QMetaType::Bool:
            return v.toBool() ? kTickMark : QString();
        case QMetaType::LongLong:  // as toString writes it, without its conversion lookup
            return QString::number(v.toLongLong());
        case QMetaType::Int:
            return QString::number(v.toInt());
        case QMetaType::QByteArray:
            return QString();
        default:
            return v.toString();
    }
}

// A field value as a grid shows it: numbers with two decimals, rounded as the program always
// rounded them (large amounts keep their value: no 32-bit limit), the rest as looked up.
QString cellText(const QVariant& v) {
    if (v.isValid() && !v.isNull() &&
        (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float))
        return CentsText(v.toDouble());
    return plainText(v);
}

// cellText(row.Value(field)) without the QVariant: the texts of numbers, ticks and plain
// texts straight from the value as stored; a date, or a text read as a tick, as it shapes.
QString storedCellText(const sql::BatchRow& row, int field) {
    const sql::StoredValue v = row.Stored(field);
    const sql::FieldType type = row.Type(field);
    switch (v.type) {
        case SQLITE_NULL:
        case SQLITE_BLOB:
            return QString();
        case SQLITE_INTEGER:
            if (type == sql::FieldType::Boolean) return v.integer != 0 ? kTickMark : QString();
            if (type == sql::FieldType::Double) return CentsText(static_cast<double>(v.integer));
            return QString::number(static_cast<qlonglong>(v.integer));
        case SQLITE_FLOAT:
            if (type == sql::FieldType::Boolean) return v.real != 0.0 ? kTickMark : QString();
            return CentsText(v.real);
        default:
            if (type == sql::FieldType::Date || type == sql::FieldType::Boolean)
                return cellText(row.Value(field));
            return row.Text(field);
    }
}

int serialCol(const Grid& grid) {
    return grid.FixedCols() - 1;
}

QString withoutMarks(QString caption) {
    caption.remove(kSortAscendingMark);
    caption.remove(kSortDescendingMark);
    return caption;
}

// The horizontal band of a column as shown, in twips; empty when scrolled away.
std::pair<double, double> colBand(const Grid& grid, int col) {
    const int x = grid.ColPos(col);
    if (x < 0) return {0, 0};
    return {x, x + grid.ColWidth(col)};
}

}  // namespace

// ---- Layout and filling ---------------------------------------------------------------

void SetupGrid(Grid& grid, const QStringList& fields, const QStringList& captions) {
    if (fields.size() != captions.size()) return;
    const int n = static_cast<int>(fields.size());
    grid.SetVisible(false);
    grid.SetCols(n);
    grid.SetFixedCols(std::min(2, n));
    grid.SetRows(3);
    grid.SetFixedRows(2);
    grid.SetRows(2);
    for (int r = 0; r <= grid.FixedRows() - 2; ++r) grid.SetRowHeight(r, 0);
    for (int i = 0; i < n; ++i) {
        grid.SetTextMatrix(0, i, fields[i]);
        grid.SetTextMatrix(1, i, captions[i]);
        grid.SetColAlignment(i, AlignLeftTop);
    }
    grid.SetColAlignment(1, AlignLeftBottom);
    grid.SetVisible(true);
}

namespace {

// Whether the table may hold some thousands of records (by its highest row number): only
// then are they read on a thread of their own.
bool mayHoldThousands(const QString& table) {
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT MAX(rowid) FROM \"") + table + u'"');
    return rs.Value(0).toLongLong() > 3000;
}

// How many records the table holds.
int recordCount(const QString& table) {
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT count(*) FROM \"") + table + u'"');
    return static_cast<int>(std::clamp<qlonglong>(rs.Value(0).toLongLong(), 0, INT_MAX / 2));
}

// What a grid column shows of each record.
struct ColumnPlan {
    enum class Kind { Empty, Serial, Field, Lookup, Colour };
    Kind kind = Kind::Empty;
    int field = -1;
    QString table, column;
};

// What each column shows, decided once from the field names in the grid's first row.
template <class Row>
std::vector<ColumnPlan> planColumns(const Grid& grid, const Row& row) {
    using Kind = ColumnPlan::Kind;
    std::vector<ColumnPlan> plans(grid.Cols());
    for (int c = 0; c < grid.Cols(); ++c) {
        const QString& f = grid.TextRef(0, c);
        ColumnPlan& p = plans[c];
        if (f.isEmpty()) {
            if (c == serialCol(grid)) p.kind = Kind::Serial;
        } else if (f.contains(u':')) {
            const QStringList parts = f.split(u':');
            if (parts.size() >= 3) {
                p.kind = Kind::Lookup;
                p.table = parts[0];
                p.field = row.ColumnIndex(parts[1]);
                p.column = parts[2];
            }
        } else if (f == QLatin1String("Color")) {
            p.kind = Kind::Colour;
            p.field = row.ColumnIndex(f);
        } else {
            p.kind = Kind::Field;
            p.field = row.ColumnIndex(f);
        }
    }
    return plans;
}

// Appends the records of the query to the grid, read one by one as they come (on a thread of
// their own while the grid fills): a table of many thousand records is never held twice. A
// query that fails adds no row. `expected` records, when known, have their room made at once.
// Read on a thread, the records come with their texts made there, and the rows filled are
// measured for `fit` while the next ones are read.
void fillRows(Grid& grid, const QString& sql, const Params& params, bool onThread, int expected,
              ColumnFit& fit) {
    using Kind = ColumnPlan::Kind;
    const int first = grid.Rows();
    if (expected > 0) grid.ReserveRows(first + expected);
    int count = 0;
    std::vector<ColumnPlan> plans;
    std::vector<TextsByValue> shared(grid.Cols());
    QHash<QString, QString> looked;  // "col:id" -> text, so that each ID is read once
    int fitted = first - 1;
    auto measure = [&] {
        const int to = std::min(grid.Rows() - 1, fitted + 256);
        if (to <= fitted) return false;
        fit.MeasureTo(grid, fitted = to);
        return true;
    };
    auto fill = [&](const sql::BatchRow& row) {
        if (plans.empty()) plans = planColumns(grid, row);
        const int r = first + count++;
        // One row per record as it comes: the grid keeps room for its rows in ever larger
        // steps, and makes no cells that are cut again.
        grid.SetRows(r + 1);
        for (int c = 0; c < grid.Cols(); ++c) {
            const ColumnPlan& p = plans[c];
            switch (p.kind) {
                case Kind::Empty:
                    break;
                case Kind::Serial:
                    grid.SetTextMatrix(r, c, QString::number(r - grid.FixedRows() + 1));
                    break;
                case Kind::Field:
                    if (p.field < 0) break;
                    grid.SetTextMatrix(
                        r, c,
                        shared[c].Text([&](std::string& key) { row.Key(p.field, key); },
                                       [&] { return storedCellText(row, p.field); }));
                    break;
                case Kind::Colour: {
                    if (p.field < 0) break;
                    const QVariant v = row.Value(p.field);
                    if (v.isNull()) break;
                    const auto colour = static_cast<GridColor>(v.toLongLong());
                    grid.SetCellBackColorAt(r, c, colour == 0 ? kGridBlack : colour);
                    break;
                }
                case Kind::Lookup: {
                    if (p.field < 0) break;
                    const QVariant id = row.Value(p.field);
                    if (id.isNull()) break;
                    const qint64 key = static_cast<qint64>(Val(id.toString()));
                    const QString cacheKey = QString::number(c) + u':' + QString::number(key);
                    auto it = looked.find(cacheKey);
                    if (it == looked.end())
                        it = looked.insert(cacheKey, plainText(ValueById(p.table, key, p.column)));
                    grid.SetTextMatrix(r, c, *it);
                    break;
                }
            }
        }
        return true;
    };
    std::unique_ptr<sql::QueryAhead> records = QueryRowsAhead({{sql, params}}, onThread, onThread);
    const bool ok = records && records->ForEach(fill, measure);
    grid.SetRows(ok ? first + count : first);
}

}  // namespace

void FillGridFromSql(Grid& grid, const QString& where, const QString& order, const Params& params) {
    grid.SetVisible(false);
    grid.SetRows(grid.FixedRows());

    for (int c = 0; c < grid.Cols(); ++c) {
        if (grid.FixedRows() > 0 && grid.TextRef(grid.FixedRows() - 1, c) == kSerialCaption) {
            grid.SetFixedCols(c + 1);
            break;
        }
    }

    ColumnFit fit(dlg::DialogParent(), grid, 2);
    const QString table = grid.Tag();
    if (isTableName(table)) {
        QString sql = QStringLiteral("SELECT * FROM \"") + table + u'"';
        if (!where.isEmpty()) sql += QStringLiteral(" WHERE ") + where;
        if (!order.isEmpty()) sql += QStringLiteral(" ORDER BY ") + order;
        // A whole table of thousands of records is counted first, so that the grid makes
        // room for them at once rather than moving its cells at every step as it grows.
        const bool thousands = mayHoldThousands(table);
        fillRows(grid, sql, params, thousands,
                 thousands && where.isEmpty() ? recordCount(table) : 0, fit);
    }
    fit.Finish(grid, true);
    grid.SetVisible(true);
}

void GetCellPosition(const Grid& grid, int row, int col, double& x, double& y) {
    x = 0;
    y = 0;
    if (col < grid.FixedCols()) {
        for (int c = 0; c < col; ++c) x += grid.ColWidth(c);
    } else {
        x = grid.FixedWidth();
        for (int c = grid.LeftCol(); c < col; ++c) x += grid.ColWidth(c);
    }
    if (row < grid.FixedRows()) {
        for (int r = 0; r < row; ++r) y += grid.RowHeight(r);
    } else {
        y = grid.FixedHeight();
        for (int r = grid.TopRow(); r < row; ++r) y += grid.RowHeight(r);
    }
}

// ---- Rows -----------------------------------------------------------------------------

void SetGridReadFailure(Grid& grid, const QString& why) {
    grid.setProperty("readFailure", why);
}

QString GridReadFailure(const Grid& grid) {
    return grid.property("readFailure").toString();
}

void ClearGrid(Grid& grid, bool ask) {
    if (ask && dlg::MsgBox(QStringLiteral("您确定要清除所有记录？"), dlg::YesNo | dlg::Question) !=
                   dlg::Yes)
        return;
    grid.SetRows(grid.FixedRows());
    // Only the batch grid has batch rows to bring up to date; clearing any other grid (the
    // box property grid at every format switch) leaves the batch alone.
    const Services& doors = Doors();
    if (doors.store.batchGrid && doors.store.batchGrid() == &grid && doors.records.setupBatchRows)
        doors.records.setupBatchRows(grid);
}

void DeleteGridRows(Grid& grid, int& first, int& last, bool ask) {
    if (!grid.HasDataRows()) return;
    OrderPair(first, last);
    if (first < grid.FixedRows()) first = grid.FixedRows();
    if (last > grid.Rows() - 1) last = grid.Rows() - 1;
    const int n = last - first + 1;
    if (n < 1) return;  // the range lies outside the data rows: nothing to delete
    if (ask) {
        const QString q = QStringLiteral("您确定要删除第") +
                          QString::number(first - grid.FixedRows() + 1) + QStringLiteral("至第") +
                          QString::number(last - grid.FixedRows() + 1) + QStringLiteral("行？");
        if (dlg::MsgBox(q, dlg::YesNo | dlg::Question) != dlg::Yes) return;
    }
    // The rows below move up with their text and colours; the serial column keeps the
    // numbers it had at each position.
    const int serial = serialCol(grid);
    QStringList numbers;
    if (serial >= 0)
        for (int r = first; r < grid.Rows() - n; ++r) numbers << grid.TextMatrix(r, serial);
    grid.RemoveRows(first, n);
    if (serial >= 0)
        for (int i = 0; i < numbers.size(); ++i) grid.SetTextMatrix(first + i, serial, numbers[i]);
}

// ---- Widths and sorting ---------------------------------------------------------------

void AutoFitGridColumns(QWidget* form, Grid& grid, int startRow, bool showProgress) {
    ColumnFit(form, grid, startRow).Finish(grid, showProgress);
}

void SortGridByColumn(QWidget* form, Grid& grid, double x, double y) {
    if (y >= grid.FixedHeight()) return;
    double edge = grid.FixedWidth();
    if (x <= edge) {
        AutoFitGridColumns(form, grid, 2, true);
        return;
    }
    for (int c = grid.LeftCol(); c < grid.Cols(); ++c) {
        edge += grid.ColWidth(c);
        if (edge > x) {
            ToggleSortColumn(grid, c);
            return;
        }
    }
}

void ToggleSortColumn(Grid& grid, int col) {
    if (col < 0 || col >= grid.Cols() || grid.FixedRows() < 1) return;
    const int h = grid.FixedRows() - 1;
    for (int c = grid.FixedCols(); c < grid.Cols(); ++c)
        if (c != col) grid.SetTextMatrix(h, c, withoutMarks(grid.TextRef(h, c)));
    grid.SetCol(col);
    const QString caption = grid.TextMatrix(h, col);
    int how = SortGenericAscending;
    if (caption.endsWith(kSortAscendingMark)) {
        grid.SetTextMatrix(h, col,
                           QString(caption).remove(kSortAscendingMark) + kSortDescendingMark);
        how = SortGenericDescending;
    } else if (caption.endsWith(kSortDescendingMark)) {
        grid.SetTextMatrix(h, col,
                           QString(caption).remove(kSortDescendingMark) + kSortAscendingMark);
    } else {
        grid.SetTextMatrix(h, col, caption + kSortAscendingMark);
    }
    grid.SortRows(how, grid.FixedRows(), grid.Rows() - 1, col, col);
    const int serial = serialCol(grid);
    if (serial < 0) return;
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r)
        grid.SetTextMatrix(r, serial, QString::number(r - grid.FixedRows() + 1));
}

int GetRowAtY(const Grid& grid, double y) {
    double edge = grid.FixedHeight();
    int r = grid.TopRow() - 1;
    while (y >= edge && r < grid.Rows() - 1) {
        ++r;
        edge += grid.RowHeight(r);
    }
    return r;
}

// ---- Colours --------------------------------------------------------------------------

void SetRowBackColour(Grid& grid, int row, GridColor colour) {
    for (int c = 0; c < grid.Cols(); ++c) grid.SetCellForeColorAt(row, c, colour);
}

void SetRowForeColour(Grid& grid, int row, GridColor colour) {
    if (!grid.HasDataRows()) return;
    for (int c = grid.FixedCols(); c < grid.Cols(); ++c) grid.SetCellBackColorAt(row, c, colour);
}

void SetGridBackColour(Grid& grid, GridColor colour) {
    grid.SetVisible(false);
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r)
        for (int c = grid.FixedCols(); c < grid.Cols(); ++c) grid.SetCellForeColorAt(r, c, colour);
    grid.SetVisible(true);
}

GridColor GetCellProperty(const Grid& grid, int row, int col, bool fore) {
    const GridColor v = fore ? grid.CellForeColorAt(row, col) : grid.CellBackColorAt(row, col);
    return v == kGridBlack ? 0 : v;
}

void SetGridCellColour(Grid& grid, int row, int col, GridColor colour, bool fore) {
    if (colour == 0) colour = kGridBlack;
    if (fore)
        grid.SetCellForeColorAt(row, col, colour);
    else
        grid.SetCellBackColorAt(row, col, colour);
}

double GetRangeMax(const Grid& grid, int row1, int row2, int col1, int col2, double start,
                   double* smallest) {
    OrderPair(row1, row2);
    OrderPair(col1, col2);
    double most = start;
    double least = 99999999999.0;
    for (int r = std::max(row1, 0); r <= std::min(row2, grid.Rows() - 1); ++r) {
        for (int c = std::max(col1, 0); c <= std::min(col2, grid.Cols() - 1); ++c) {
            const double v = Val(grid.TextRef(r, c));
            most = std::max(most, v);
            least = std::min(least, v);
        }
    }
    if (smallest) *smallest = least;
    return most;
}

// ---- Tick column ----------------------------------------------------------------------

void ClickGridCell(Grid& grid, int tickCol, int /*button*/, double x, double y, bool several) {
    if (!grid.HasDataRows() || tickCol < 0 || tickCol >= grid.Cols()) return;
    const auto [bandLeft, bandRight] = colBand(grid, tickCol);
    const bool inBand = x >= bandLeft && x < bandRight;
    if (y < grid.FixedHeight()) {
        if (!inBand) {
            SortGridByColumn(dlg::DialogParent(), grid, x, y);
            return;
        }
        grid.Select(grid.FixedRows(), grid.Col(), grid.Rows() - 1, grid.ColSel());
    }
    if (grid.Row() == grid.RowSel() && !inBand) return;
    if (!several) {
        for (int r = grid.FixedRows(); r < grid.Rows(); ++r)
            grid.SetTextMatrix(r, tickCol, r == grid.Row() ? kTickMark : QString());
        return;
    }
    const int top = grid.SelTop(), bottom = grid.SelBottom();
    const QString mark = grid.TextRef(top, tickCol).isEmpty() ? kTickMark : QString();
    for (int r = std::max(top, grid.FixedRows()); r <= bottom; ++r)
        grid.SetTextMatrix(r, tickCol, mark);
}

}  // namespace bw
