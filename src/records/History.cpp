#include "records/History.h"

#include <algorithm>

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

int SaveBillToHistory(const QString& format) {
    Transaction transaction;
    if (!transaction.Active()) return 0;
    const int number = LastBillNumber(format) + 1;
    int written = 0;
    for (int kind = kTextBox; kind <= kPictureBox; ++kind) {
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            const BoxControl* box = GetBoxByIndex(i);
            const QString value = GetBoxValue(box);
            // A box of a format not yet saved has no record for the history to point to.
            const int id = BoxRecordId(box);
            if (value.isEmpty() || id <= 0) continue;
            if (!ExecuteSql(
                    QStringLiteral("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, ?, ?, ?)"),
                    {number, format, id, value}))
                return 0;
            ++written;
        }
    }
    // An empty bill commits nothing, but must not spoil the transaction of a batch.
    const bool committed = transaction.Commit();
    return committed && written > 0 ? number : 0;
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
    {
        Transaction t;
        for (int r = a; r <= b; ++r)
            ExecuteSql(QStringLiteral("DELETE FROM 历史 WHERE Fmt=? AND ID=?"),
                       {format, grid.TextMatrix(r, 0).toLongLong()});
        t.Commit();
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
