#include "records/ui/HistoryReprint.h"

#include <QHash>

#include "common/Database.h"
#include "common/GridFunctions.h"
#include "common/Indicator.h"
#include "platform/Grid.h"
#include "platform/Printer.h"
#include "printing/PrintRequests.h"
#include "records/HistoryGrid.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"

namespace bw {

void LoadHistoryBill(const QString& format, qint64 bill) {
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT CID, Con FROM 历史 WHERE Fmt=? AND ID=? ORDER BY CID"),
                  {format, bill});
    // The first stored value of each box.
    QHash<qint64, QString> values;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const qint64 cid = rs.Value(0).toLongLong();
        if (!values.contains(cid)) values.insert(cid, rs.Value(1).toString());
    }
    CloseRecordset(rs);
    for (int kind = kTextBox; kind <= kPictureBox; ++kind) {
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            BoxControl* box = GetBoxByIndex(i);
            SetBoxValue(box, values.value(BoxRecordId(box)));
        }
    }
}

void PrintHistoryBills(Grid& grid, const std::function<void()>& showBill) {
    if (!grid.HasDataRows() || !HistoryGridMatchesFormat(grid)) return;
    const QString format = HistoryGridFormat(grid);
    int a = grid.Row(), b = grid.RowSel();
    OrderPair(a, b);
    a = std::max(a, grid.FixedRows());
    if (b < a) return;
    // The rows are read before the page switch, which may reload the grid.
    QList<qint64> bills;
    for (int r = a; r <= b; ++r) bills.push_back(grid.TextMatrix(r, 0).toLongLong());
    if (showBill) showBill();
    const bool several = bills.size() > 1;
    if (several) {
        const auto load = [&](int i) { LoadHistoryBill(format, bills[i]); };
        if (!OverflowAllowsBills(int(bills.size()), load) || ChoosePrinter(true).isEmpty()) return;
    }
    // Several bills print one after another: the clerk may stop them from the window.
    ShowProgress(QStringLiteral("正在打印..."), static_cast<int>(bills.size()), 0,
                 several ? Stoppable::Yes : Stoppable::No);
    if (!several) {
        LoadHistoryBill(format, bills.front());
    } else {
        CurrentPrinter().SetDocName(format);
        PrintBillSequence(static_cast<int>(bills.size()),
                          [&](int i) { LoadHistoryBill(format, bills[i]); });
    }
    CloseProgress();
}

}  // namespace bw
