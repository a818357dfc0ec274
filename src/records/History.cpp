#include "records/History.h"

#include <algorithm>
#include <vector>

#include "common/Database.h"
#include "common/GridFunctions.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "records/HistoryGrid.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"

namespace bw {

int LastBillNumber(const QString& format) {
    Recordset rs;
    if (!OpenRecordset(rs, QStringLiteral("SELECT MAX(ID) AS Last FROM 历史 WHERE Fmt=?"),
                       {format}))
        return 0;
    const int last = rs.RecordCount() > 0 ? static_cast<int>(rs.Number(QStringLiteral("Last"))) : 0;
    CloseRecordset(rs);
    return last;
}

namespace {

constexpr int kRowsPerStatement = 100;

// The statement that adds n rows (1 to kRowsPerStatement) of one bill: the bill number and
// the format are bound once (?1, ?2) and named again in every row. Written once per n.
const QString& insertStatement(qsizetype n) {
    static std::vector<QString> texts(kRowsPerStatement + 1);
    QString& sql = texts[n];
    if (sql.isEmpty()) {
        sql = QStringLiteral("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES");
        for (int i = 0; i < n; ++i)
            sql += QStringLiteral("%1(?1, ?2, ?%2, ?%3)")
                       .arg(i == 0 ? QString() : QStringLiteral(", "))
                       .arg(3 + 2 * i)
                       .arg(4 + 2 * i);
    }
    return sql;
}

// Adds the rows in statements of up to 100 rows each: one statement per bill as a rule,
// which a batch of a thousand bills notices.
bool insertBillRows(int number, const QString& format, const QList<QPair<int, QString>>& rows) {
    for (qsizetype first = 0; first < rows.size(); first += kRowsPerStatement) {
        const qsizetype n = std::min<qsizetype>(kRowsPerStatement, rows.size() - first);
        Params params;
        params.reserve(2 + n * 2);
        params << number << format;
        for (qsizetype i = 0; i < n; ++i) params << rows[first + i].first << rows[first + i].second;
        if (!ExecuteSql(insertStatement(n), params)) return false;
    }
    return true;
}

}  // namespace

int SaveBillToHistory(const QString& format) {
    QList<QPair<int, QString>> rows;  // box record ID, value
    for (int kind = kTextBox; kind <= kPictureBox; ++kind) {
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            const BoxControl* box = GetBoxByIndex(i);
            const QString value = GetBoxValue(box);
            // A box of a format not yet saved has no record for the history to point to.
            const int id = BoxRecordId(box);
            if (!value.isEmpty() && id > 0) rows.push_back({id, value});
        }
    }
    if (rows.isEmpty()) return 0;
    // A bill that fails leaves the bills recorded before it in the same transaction.
    Savepoint bill;
    if (!bill.Active()) return -1;
    const int number = LastBillNumber(format) + 1;
    if (!insertBillRows(number, format, rows)) return -1;
    return bill.Release() ? number : -1;
}

bool DeleteBills(const QString& format, int first, int last) {
    Transaction t;
    return t.Active() &&
           ExecuteSql(QStringLiteral("DELETE FROM 历史 WHERE Fmt=? AND ID BETWEEN ? AND ?"),
                      {format, first, last}) &&
           t.Commit();
}

void DeleteHistoryRows(Grid& grid) {
    if (!grid.HasDataRows() || !HistoryGridMatchesFormat(grid)) return;
    int a = grid.Row(), b = grid.RowSel();
    OrderPair(a, b);
    a = std::max(a, grid.FixedRows());
    if (b < a) return;
    const int first = a - grid.FixedRows() + 1, last = b - grid.FixedRows() + 1;
    if (dlg::MsgBox(QStringLiteral("您确定要删除第%1至第%2行？").arg(first).arg(last),
                    dlg::YesNo) != dlg::Yes)
        return;
    const QString format = HistoryGridFormat(grid);
    // All the bills or none: the grid loses its rows only when the file did.
    bool deleted = false;
    {
        Transaction t;
        deleted = t.Active();
        for (int r = a; deleted && r <= b; ++r)
            deleted = ExecuteSql(QStringLiteral("DELETE FROM 历史 WHERE Fmt=? AND ID=?"),
                                 {format, grid.TextMatrix(r, 0).toLongLong()});
        deleted = deleted && t.Commit();
    }
    if (!deleted) {
        dlg::MsgBox(QStringLiteral("第%1至第%2行的单据没有删除（").arg(first).arg(last) +
                        LastDatabaseError() + QStringLiteral("），历史记录未作改动！"),
                    dlg::OkOnly | dlg::Exclamation);
        return;
    }
    DeleteGridRows(grid, a, b, false);
}

void DeleteAllHistoryRows(Grid& grid) {
    if (!grid.HasDataRows()) return;
    grid.SetRow(grid.FixedRows());
    grid.SetRowSel(grid.Rows() - 1);
    DeleteHistoryRows(grid);
}

}  // namespace bw
