#include "records/Defaults.h"

#include <QHash>

#include "common/Database.h"
#include "common/Indicator.h"
#include "filling/NewBill.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"

namespace bw {

namespace {

// The label of the box's row in the box property grid.
QString boxLabel(const BoxControl* box) {
    const Grid& g = MF().BoxGrid();
    const int row = BoxRow(box);
    if (row < g.FixedRows() || row >= g.Rows()) return QString();
    return g.TextMatrix(row, col::LBL);
}

// The first row of each record ID in the box property grid (what BoxOfRecordId finds),
// gathered once for a whole format instead of a search per box.
QHash<double, int> rowsOfRecordIds() {
    const Grid& g = MF().BoxGrid();
    QHash<double, int> rows;
    for (int r = g.FixedRows(); r < g.Rows(); ++r) {
        const QString& t = g.TextRef(r, col::ID);
        if (!IsNumeric(t)) continue;
        const double id = Val(t) + 0.0;  // + 0.0: -0 and 0 alike
        if (!rows.contains(id)) rows.insert(id, r);
    }
    return rows;
}

QList<qint64> idsOfLabel(const QString& page, const QString& label) {
    QList<qint64> ids;
    Recordset rs;
    if (!OpenRecordset(rs, QStringLiteral("SELECT ID FROM Fmt WHERE Fmt=? AND LBL=? ORDER BY ID"),
                       {page, label}))
        return ids;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) ids.push_back(rs.Value(0).toLongLong());
    CloseRecordset(rs);
    return ids;
}

}  // namespace

QStringList FormatPages(const QString& format) {
    QStringList pages{format};
    const int cut = format.lastIndexOf(u'_');
    if (cut < 0) return pages;
    const QString base = format.left(cut);
    Recordset rs;
    if (!OpenRecordset(rs,
                       QStringLiteral("SELECT Fmt FROM Fmt WHERE Fmt LIKE ? ESCAPE '\\' AND Fmt<>? "
                                      "GROUP BY Fmt ORDER BY Fmt"),
                       {LikeLiteral(base) + QStringLiteral("\\_%"), format}))
        return pages;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) pages.push_back(rs.Value(0).toString());
    CloseRecordset(rs);
    return pages;
}

double FormatPageNumber(const QString& format) {
    return Val(format.mid(format.lastIndexOf(u'_') + 1));
}

void LoadDefaultData(const QString& format) {
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT ID, Con FROM 默认 WHERE Fmt=?"), {format});
    ShowProgress(QStringLiteral("正在读于默认数据..."), rs.RecordCount() + 1, 0);
    const QHash<double, int> rows = rowsOfRecordIds();
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const auto row = rows.constFind(rs.Value(0).toDouble() + 0.0);
        if (row != rows.constEnd())
            if (BoxControl* box = BoxOfRow(*row)) SetBoxValue(box, rs.Value(1).toString());
        UpdateProgress(1, QStringLiteral("pages"));
    }
    CloseRecordset(rs);
    // Running numbers, list items and random codes are fresh over any remembered ones.
    AutoNumberBoxes();
    AutoFillPsdBoxes();
    CloseProgress();
}

bool SaveDefaultData(const QString& format) {
    ShowProgress(QStringLiteral("正在保存默认数据..."), BoxCount[kTextBox] + 5, 0);
    const QStringList pages = FormatPages(format);
    const double current = FormatPageNumber(format);
    UpdateProgress(1, QStringLiteral("pages"));
    Transaction t;
    bool ok = t.Active() && ExecuteSql(QStringLiteral("DELETE FROM 默认 WHERE Fmt=?"), {format});
    UpdateProgress(1, QStringLiteral("pages"));
    const QString insert = QStringLiteral("INSERT INTO 默认(Fmt, ID, Con) VALUES(?, ?, ?)");
    for (int kind = kTextBox; kind <= kPictureBox; ++kind) {
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            const BoxControl* box = GetBoxByIndex(i);
            const QString value = GetBoxValue(box);
            const int id = BoxRecordId(box);
            // A box not yet saved with its format has no record to point to.
            if (ok && !value.isEmpty() && id > 0) {
                ok = ExecuteSql(insert, {format, id, value});
                const QString label = boxLabel(box);
                if (label.startsWith(u'S')) {
                    for (int k = 1; ok && k < pages.size(); ++k) {
                        if (FormatPageNumber(pages[k]) < current) continue;
                        for (qint64 target : idsOfLabel(pages[k], label)) {
                            ok = ok &&
                                 ExecuteSql(QStringLiteral("DELETE FROM 默认 WHERE ID=?"),
                                            {target}) &&
                                 ExecuteSql(insert, {pages[k], target, value});
                        }
                    }
                }
            }
            if (kind == kTextBox) UpdateProgress(1, QStringLiteral("pages"));
        }
    }
    ok = ok && t.Commit();
    CloseProgress();
    return ok;
}

}  // namespace bw
