#include "store/BoxDropDown.h"

#include <QComboBox>

#include "common/Common.h"
#include "common/Database.h"
#include "common/Params.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/MainForm.h"

namespace bw {

void FillBoxDropDown(QComboBox* list, qint64 recordId) {
    if (!list) return;
    BoxControl* box = BoxOfRecordId(static_cast<double>(recordId));
    const int type = CLng(BoxDataType(box));
    QString remembered = list->currentText();
    list->clear();
    int k = 0;
    if (type == 131 || (type >= 124 && type <= 130)) {
        if (type == 131) {
            list->addItem(QStringLiteral("男"));
            list->addItem(QStringLiteral("女"));
        } else {
            const QString items = GetParam(MF().CurrentFormat() + QStringLiteral("=>自定义类型") +
                                           QString::number(type));
            if (!items.isEmpty()) {
                for (const QString& item : items.split(u';'))
                    if (list->findText(item, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
                        list->addItem(item);
            }
        }
        if (remembered.isEmpty() && list->count() > 0) remembered = list->itemText(0);
        k = list->count();
    }
    QString label = ValueById(QStringLiteral("Fmt"), recordId, QStringLiteral("LBL")).toString();
    const int number = CLng(Val(SplitAtSeparator(label, QStringLiteral("_"), 0)));
    Recordset rs;
    if (number < 1) {
        OpenRecordset(rs,
                      QStringLiteral("SELECT Con FROM 历史 WHERE CID=? GROUP BY Con ORDER BY Con"),
                      {recordId});
    } else {
        // Every box whose caption is the prefix, "_" and at least one more character.
        OpenRecordset(
            rs,
            QStringLiteral("SELECT Con FROM 历史 WHERE CID IN (SELECT ID FROM Fmt WHERE LBL LIKE ? "
                           "ESCAPE '\\') GROUP BY Con ORDER BY Con"),
            {LikeLiteral(label + u'_') + QStringLiteral("_%")});
    }
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const QString con = rs.Text(QStringLiteral("Con"));
        bool present = false;
        for (int i = 0; i < k && !present; ++i) present = list->itemText(i) == con;
        if (!present) list->addItem(con);
    }
    CloseRecordset(rs);
    list->setCurrentText(remembered);
}

}  // namespace bw
