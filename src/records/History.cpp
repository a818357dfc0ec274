#include "records/History.h"

#include "common/Database.h"
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
        }
    }
    return transaction.Commit() ? number : 0;
}

}  // namespace bw
