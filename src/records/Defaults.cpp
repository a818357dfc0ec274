#include "records/Defaults.h"

#include "common/Database.h"
#include "common/Indicator.h"
#include "filling/NewBill.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"

namespace bw {

void LoadDefaultData(const QString& format) {
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT * FROM 默认 WHERE Fmt=?"), {format});
    int start = 0;
    ShowProgress(QStringLiteral("正在读于默认数据..."), rs.RecordCount() + 1, start);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        BoxControl* box = BoxOfRecordId(rs.Number(QStringLiteral("ID")));
        if (box) SetBoxValue(box, rs.Text(QStringLiteral("Con")));
        UpdateProgress(1, QStringLiteral("pages"));
    }
    CloseRecordset(rs);
    // Running numbers, list items and random codes are fresh over any remembered ones.
    AutoNumberBoxes();
    AutoFillPsdBoxes();
    CloseProgress();
}

void SaveDefaultData(const QString& format) {
    int start = 0;
    const int total = BoxCount[kTextBox] + BoxCount[kCheckBox] + BoxCount[kPictureBox] + 1;
    ShowProgress(QStringLiteral("正在保存默认数据..."), total, start);
    Transaction t;
    ExecuteSql(QStringLiteral("DELETE FROM 默认 WHERE Fmt=?"), {format});
    for (int kind = kTextBox; kind <= kPictureBox; ++kind) {
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            BoxControl* box = GetBoxByIndex(i);
            const QString v = GetBoxValue(box);
            const int id = BoxRecordId(box);
            if (!v.isEmpty() && id > 0)
                ExecuteSql(QStringLiteral("INSERT INTO 默认(Fmt, ID, Con) VALUES(?, ?, ?)"),
                           {format, id, v});
            UpdateProgress(1, QStringLiteral("pages"));
        }
    }
    t.Commit();
    CloseProgress();
}

}  // namespace bw
