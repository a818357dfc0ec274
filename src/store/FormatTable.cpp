#include "store/FormatTable.h"

#include <QHash>
#include <QStringList>
#include <cmath>

#include "common/Database.h"
#include "common/GridFunctions.h"
#include "common/Indicator.h"
#include "common/Schema.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/FormatRows.h"
#include "store/MainForm.h"
#include "store/RowToRecord.h"

namespace bw {

const QStringList& BoxGridFields() {
    static const QStringList f{"ID",    "",      "LBL",     "Dir",        "X",           "Y",
                               "W",     "H",     "S",       "L",          "Color",       "fName",
                               "fSize", "fBold", "fItalic", "fUnderline", "fStrikethru", "Clas",
                               "Cash",  "RCtl",  "SumID",   "SumID1",     "RCtl1"};
    return f;
}

const QStringList& BoxGridCaptions() {
    static const QStringList c{"ID",         "序号",           "标签内容",
                               "标签位置",   "横向位置(毫米)", "纵向位置(毫米)",
                               "宽度(毫米)", "高度(毫米)",     "字间距(毫米)",
                               "行距(毫米)", "字体颜色",       "字体",
                               "字号",       "黑体",           "斜体",
                               "下划线",     "删除线",         "类别",
                               "数据类别",   "关联项",         "累加框",
                               "累加框1",    "相关项1"};
    return c;
}

void LoadBoxesIntoGrid(Grid& grid, QString& name) {
    if (name.isEmpty()) name = MF().CurrentFormat();
    SetupGrid(grid, BoxGridFields(), BoxGridCaptions());
    grid.SetTag(QStringLiteral("Fmt"));
    FillGridFromSql(grid, QStringLiteral("Fmt=? AND LBL<>?"), QStringLiteral("Clas,ID"),
                    {name, kWholeFormatLabel});
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
        grid.SetTextMatrix(r, col::Dir, SideName(CLng(Val(grid.TextMatrix(r, col::Dir)))));
        if (DisplayScale != 1.0) {
            const double size = Val(grid.TextMatrix(r, col::fSize));
            grid.SetTextMatrix(r, col::fSize,
                               NumText(RoundHalfEven(size * DisplayScale * 100) / 100));
        }
    }
}

void BoxGridLinks::take(const Grid& g) {
    cells.clear();
    for (int r = g.FixedRows(); r < g.Rows(); ++r)
        cells.push_back({g.TextMatrix(r, col::ID), g.TextMatrix(r, col::RCtl),
                         g.TextMatrix(r, col::SumID), g.TextMatrix(r, col::SumID1),
                         g.TextMatrix(r, col::RCtl1)});
}

void BoxGridLinks::restore(Grid& g) const {
    int r = g.FixedRows();
    for (const auto& c : cells) {
        if (r >= g.Rows()) break;
        g.SetTextMatrix(r, col::ID, c[0]);
        g.SetTextMatrix(r, col::RCtl, c[1]);
        g.SetTextMatrix(r, col::SumID, c[2]);
        g.SetTextMatrix(r, col::SumID1, c[3]);
        g.SetTextMatrix(r, col::RCtl1, c[4]);
        ++r;
    }
}

namespace {

bool writeLinks(const Grid& grid, int row, Recordset& rs) {
    for (auto [field, c] : {std::pair{"RCtl", col::RCtl}, std::pair{"RCtl1", col::RCtl1},
                            std::pair{"SumID", col::SumID}, std::pair{"SumID1", col::SumID1}}) {
        const QString t = grid.TextMatrix(row, c).trimmed();
        if (IsNumeric(t)) rs.SetValue(QLatin1String(field), Val(t));
    }
    return rs.Update();
}

}  // namespace

bool SaveFormat(Grid& grid, QString& name) {
    MainForm& mf = MF();
    if (name.isEmpty()) name = mf.CurrentFormat();
    int start = 0;
    ShowProgress(QStringLiteral("正在保存格式……"), grid.Rows() + 1, start);
    BoxGridLinks before;
    before.take(grid);
    bool ok = true;
    {
        Transaction transaction;
        ok = transaction.Active();
        Recordset rs;
        ok = ok &&
             OpenRecordset(rs, QStringLiteral("SELECT * FROM Fmt WHERE Fmt=? ORDER BY ID"), {name});

        // Records of boxes no longer in the grid go, and so does the whole-format row.
        QSet<qint64> inGrid;
        for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
            const QString t = grid.TextMatrix(r, col::ID);
            if (IsNumeric(t)) inGrid.insert(CLng64(Val(t)));
        }
        rs.MoveFirst();
        while (ok && !rs.Eof()) {
            if (!inGrid.contains(rs.Value(QStringLiteral("ID")).toLongLong())) {
                ok = rs.Delete();
                if (!ok) NoteDatabaseFailure();
            } else {
                rs.MoveNext();
            }
        }
        UpdateProgress(1, QStringLiteral("pages"));

        QHash<qint64, int> position;
        for (int i = 0; i < rs.RecordCount(); ++i) {
            rs.MoveTo(i);
            position.insert(rs.Value(QStringLiteral("ID")).toLongLong(), i);
        }
        FormatSaveState state;
        for (int r = grid.FixedRows(); ok && r < grid.Rows(); ++r) {
            const QString t = grid.TextMatrix(r, col::ID);
            auto it = IsNumeric(t) ? position.find(CLng64(Val(t))) : position.end();
            if (it != position.end()) {
                rs.MoveTo(it.value());
            } else {
                rs.AddNew();
            }
            rs.SetValue(QStringLiteral("Fmt"), name);
            const int id = SaveRowToRecord(grid, r, rs, &state);
            if (id <= 0 || !rs.Update()) {
                NoteDatabaseFailure();
                ok = false;
                break;
            }
            position.insert(id, rs.Position());
            UpdateProgress(1, QStringLiteral("pages"));
        }
        // Links stored while they pointed at a row saved later are written again.
        for (int r : state.unsettled) {
            if (!ok) break;
            auto it = position.find(CLng64(Val(grid.TextMatrix(r, col::ID))));
            if (it == position.end()) {
                ok = false;
                break;
            }
            rs.MoveTo(it.value());
            ok = writeLinks(grid, r, rs);
            if (!ok) NoteDatabaseFailure();
        }
        CloseRecordset(rs);
        if (ok) {
            ok = SaveWholeFormatRow(mf.Wid->text(), mf.Hie->text(), mf.M_X->text(), mf.M_Y->text(),
                                    name);
            if (!ok) NoteDatabaseFailure();
        }
        ok = ok && transaction.Commit();
    }
    if (ok) {
        SetGridBackColour(grid, 0);
    } else {
        before.restore(grid);
    }
    CloseProgress();
    if (!ok) {
        dlg::MsgBox(QStringLiteral("格式“") + name + QStringLiteral("”保存失败（") +
                        LastDatabaseError() + QStringLiteral("），原有格式未作改动！"),
                    dlg::OkOnly | dlg::Exclamation);
    }
    return ok;
}

}  // namespace bw
