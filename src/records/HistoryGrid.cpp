#include "records/HistoryGrid.h"

#include <QFontMetrics>
#include <QHash>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "common/ColumnFit.h"
#include "common/Database.h"
#include "common/GridFunctions.h"
#include "common/Indicator.h"
#include "common/Params.h"
#include "common/Schema.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/SharedTexts.h"
#include "platform/SqlReadAhead.h"
#include "platform/VbNumbers.h"
#include "store/MainForm.h"

namespace bw {

namespace {

// The grid keeps the format of its last load beside the Tag, which others clear.
const char* const kShownFormat = "historyFormat";

// Advancing the progress window lets window messages through; a long load advances it in
// about a hundred steps.
class ChunkedProgress {
public:
    explicit ChunkedProgress(int total) : chunk_(std::max(1, total / 100)) {}
    void Step() {
        if (++pending_ >= chunk_) Flush();
    }
    void Flush() {
        if (pending_ > 0) UpdateProgress(pending_, QStringLiteral("pages"));
        pending_ = 0;
    }

private:
    int chunk_;
    int pending_ = 0;
};

}  // namespace

QString ColumnOrderParam(const QString& format) {
    return format + QStringLiteral("_列顺序");
}

QList<HistoryColumn> FormatInputBoxes(const QString& format, bool* read) {
    QList<HistoryColumn> boxes;
    Recordset rs;
    const bool opened =
        OpenRecordset(rs,
                      QStringLiteral("SELECT ID, LBL FROM Fmt WHERE Fmt=? AND LBL<>? AND Clas<=2 "
                                     "ORDER BY ID"),
                      {format, kWholeFormatLabel});
    if (read) *read = opened;
    if (!opened) return boxes;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        boxes.push_back({rs.Value(0).toLongLong(), rs.Value(1).toString()});
    CloseRecordset(rs);
    return boxes;
}

int ApplyColumnOrder(QList<HistoryColumn>& boxes, const QString& order) {
    int k = 0;
    for (const QString& item : order.split(u';')) {
        const double id = Val(item);
        for (int j = k; j < boxes.size(); ++j) {
            if (static_cast<double>(boxes[j].id) == id) {
                boxes.swapItemsAt(k, j);
                ++k;
                break;
            }
        }
    }
    return k;
}

bool SetHistoryGridColumns(Grid& grid, const QString& format) {
    grid.SetVisible(false);
    grid.SetFixedRows(0);
    grid.SetRows(0);
    grid.SetRows(3);
    grid.SetFixedRows(2);
    grid.SetRows(2);
    grid.SetFixedCols(0);
    grid.SetCols(0);
    grid.SetCols(3);
    grid.SetFixedCols(2);
    grid.SetCols(2);
    bool read = false;
    QList<HistoryColumn> boxes = FormatInputBoxes(format, &read);
    QString order;
    if (!read || !ReadParam(ColumnOrderParam(format), order)) return false;
    if (!order.isEmpty()) boxes.resize(ApplyColumnOrder(boxes, order));
    grid.SetCols(2 + static_cast<int>(boxes.size()));
    for (int i = 0; i < boxes.size(); ++i) {
        grid.SetTextMatrix(0, 2 + i, QString::number(boxes[i].id));
        grid.SetTextMatrix(1, 2 + i, boxes[i].label);
    }
    grid.SetTextMatrix(1, 1, QStringLiteral("序号"));
    return true;
}

std::vector<sql::QueryPart> HistoryQueryParts(const QString& format, int limit) {
    const QString select = QStringLiteral("SELECT ID, CID, Con FROM 历史 WHERE Fmt=? ");
    const QString order = QStringLiteral(" ORDER BY ID DESC, rowid");
    if (limit >= 1) {
        // The bill of the limit-th row ends the view, with all its rows.
        Recordset edge;
        if (!OpenRecordset(edge,
                           QStringLiteral("SELECT ID FROM 历史 WHERE Fmt=? ORDER BY ID DESC, rowid "
                                          "LIMIT 1 OFFSET ?"),
                           {format, limit - 1}))
            return {};
        const QVariant last = edge.Value(0);
        if (edge.RecordCount() > 0 && !last.isNull())
            return {{select + QStringLiteral("AND ID>=?") + order, {format, last}}};
        return {{select + order + QStringLiteral(" LIMIT ?"), {format, limit}}};
    }
    Recordset ends;
    if (!OpenRecordset(ends,
                       QStringLiteral("SELECT (SELECT MIN(ID) FROM 历史 WHERE Fmt=?1), "
                                      "(SELECT MAX(ID) FROM 历史 WHERE Fmt=?1)"),
                       {format}))
        return {};
    const QVariant low = ends.Value(0);
    const QVariant high = ends.Value(1);
    if (low.typeId() != QMetaType::LongLong || high.typeId() != QMetaType::LongLong)
        return {{select + order, {format}}};
    // Bill numbers above the middle one, those up to it, then any row without one: in the
    // order of one query over them all.
    const qint64 middle = low.toLongLong() + (high.toLongLong() - low.toLongLong()) / 2;
    return {{select + QStringLiteral("AND ID>?") + order, {format, middle}},
            {select + QStringLiteral("AND ID<=?") + order, {format, middle}},
            {select + QStringLiteral("AND ID IS NULL ORDER BY rowid"), {format}}};
}

void LoadHistoryGrid(Grid& grid, const QString& format, int limit) {
    const QString key = format + u'|' + QString::number(limit);
    if (grid.Tag() == key) return;
    grid.SetTag(key);
    grid.setProperty(kShownFormat, format);
    // The first read the file refuses ends the load: one wait for another program's lock.
    bool read = SetHistoryGridColumns(grid, format);

    // The count, then the rows in parts, all read side by side for a show-all (a view of the
    // newest is read in this thread); the font the columns are fitted with is made ready
    // meanwhile.
    std::vector<sql::QueryPart> parts;
    if (read) parts = HistoryQueryParts(format, limit);
    read = !parts.empty();
    // A view of the newest rows needs to know only whether there are more: it counts no
    // further than well past itself (its last bill is shown whole), so that opening the page
    // costs the same whatever the history holds.
    parts.insert(parts.begin(),
                 limit < 1 ? sql::QueryPart{QStringLiteral("SELECT COUNT(*) FROM 历史 WHERE Fmt=?"),
                                            {format}}
                           : sql::QueryPart{QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 FROM "
                                                           "历史 WHERE Fmt=? LIMIT ?)"),
                                            {format, limit + 1000}});
    std::unique_ptr<sql::QueryAhead> rows = read ? QueryRowsAhead(parts, limit < 1) : nullptr;
    MainForm& mf = MF();
    QFontMetrics(mf.font()).horizontalAdvance(QStringLiteral("序号0"));

    int count = -1;
    int shown = 0;
    int taken = 0;  // rows of the table read into the grid
    ChunkedProgress progress(0);
    auto counted = [&](int n) {
        count = n;
        if (count > 300) ShowProgress(QStringLiteral("正在加载历史记录……"), count, 0);
        shown = (limit < 1 || limit > count) ? count : limit;
        progress = ChunkedProgress(count);
    };
    // The column of each shown box, by record ID.
    QHash<qint64, int> columnOf;
    for (int c = grid.FixedCols(); c < grid.Cols(); ++c) {
        const qint64 id = grid.TextMatrix(0, c).toLongLong();
        if (!columnOf.contains(id)) columnOf.insert(id, c);
    }
    std::vector<SharedTexts> shared(grid.Cols());
    int row = grid.FixedRows() - 1;
    qint64 previous = 0;
    // The rows filled are measured for the columns' widths while the next ones are read, a
    // band at a time; the last row may still take values.
    ColumnFit fit(&mf, grid, 0);
    int fitted = -1;
    auto measure = [&] {
        const int to = std::min(row - 1, fitted + 256);
        if (to <= fitted) return false;
        fit.MeasureTo(grid, fitted = to);
        return true;
    };
    if (rows) {
        read = rows->ForEach(
            [&](const sql::BatchRow& r) {
                if (count < 0) {
                    counted(static_cast<int>(r.Int64(0)));
                    return true;
                }
                const qint64 id = r.Int64(0);
                if (row < grid.FixedRows() || id != previous) {
                    // One row per bill as it comes: nothing made that is cut again.
                    grid.SetRows(++row + 1);
                    grid.SetTextMatrix(row, 0, QString::number(id));
                    grid.SetTextMatrix(row, 1, QString::number(row - grid.FixedRows() + 1));
                }
                previous = id;
                ++taken;
                const auto c = columnOf.constFind(r.Int64(1));
                if (c != columnOf.constEnd())
                    grid.SetTextMatrix(row, *c, shared[*c].Share(r.Text(2)));
                if (shown > 300) progress.Step();
                return true;
            },
            measure);
        if (!read) NoteDatabaseFailure();
    }
    read = read && rows;
    if (count < 0) counted(0);
    // A page that could not be read shows no bills and is read again when next shown.
    if (!read) {
        row = grid.FixedRows() - 1;
        grid.SetTag(QString());
    }
    if (mf.COM.count(25)) mf.SetCommandEnabled(mf.COM[25], read && taken < count);
    grid.SetRows(row + 1);
    progress.Flush();
    fit.Finish(grid, true);
    grid.SetColWidth(0, 0);
    grid.SetRowHeight(0, 0);
    grid.SetVisible(true);
    CloseProgress();
    if (read) {
        SetGridReadFailure(grid, QString());
        return;
    }
    const QString why = LastDatabaseError();
    SetGridReadFailure(grid, why.isEmpty() ? QStringLiteral("数据文件读写出错") : why);
    dlg::MsgBox(QStringLiteral("历史记录没有读出（") + GridReadFailure(grid) +
                    QStringLiteral("），请稍后重新打开历史记录页！"),
                dlg::OkOnly | dlg::Exclamation);
}

QString HistoryGridFormat(const Grid& grid) {
    return grid.property(kShownFormat).toString();
}

bool HistoryGridMatchesFormat(const Grid& grid) {
    if (!grid.HasDataRows() || HistoryGridFormat(grid) == MF().CurrentFormat()) return true;
    dlg::MsgBox(QStringLiteral("历史记录表格显示的是格式“") + HistoryGridFormat(grid) +
                    QStringLiteral("”的单据，不是当前格式的单据，请重新打开历史记录页！"),
                dlg::OkOnly | dlg::Exclamation);
    return false;
}

}  // namespace bw
