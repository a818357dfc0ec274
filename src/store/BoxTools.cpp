#include "store/BoxTools.h"

#include "common/Database.h"
#include "common/Indicator.h"
#include "common/Schema.h"
#include "common/TextFiles.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/BoxToRow.h"
#include "store/Canvas.h"
#include "store/FormatOperations.h"
#include "store/Line.h"
#include "store/MainForm.h"

namespace bw {

namespace {

QStringList distinctFormats(const QString& sql) {
    QStringList names;
    Recordset rs;
    OpenRecordset(rs, sql);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) names << rs.Text(QStringLiteral("Fmt"));
    CloseRecordset(rs);
    return names;
}

}  // namespace

void PullBoxesOntoBill() {
    MainForm& mf = MF();
    // Pulls every box that lies (partly) outside the bill back onto it.
    const int w = static_cast<int>(mf.PG->Width()), h = static_cast<int>(mf.PG->Height());
    ShowProgress(QStringLiteral("正在检查所有内容框..."), 5, 0);
    for (int kind = 0; kind <= 4; ++kind) {
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            BoxControl* box = GetBoxByIndex(i);
            if (!box) continue;
            if (auto* line = dynamic_cast<Line*>(box)) {
                auto clamp = [](int v, int hi) { return v < 0 ? 0 : (v > hi ? hi : v); };
                const int x1 = clamp(line->X1(), w), x2 = clamp(line->X2(), w);
                const int y1 = clamp(line->Y1(), h), y2 = clamp(line->Y2(), h);
                if (x1 != line->X1() || y1 != line->Y1() || x2 != line->X2() || y2 != line->Y2()) {
                    line->SetEnds(x1, y1, x2, y2);
                    UpdateRowFromBox(line);
                }
                continue;
            }
            const int left = box->Left(), top = box->Top();
            if (box->Left() < 0 && box->Top() < 0) box->Move(0, 300);
            if (box->Left() < 0) box->SetLeft(0);
            if (box->Left() > w - box->Width()) box->SetLeft(w - box->Width());
            if (box->Top() < 0) box->SetTop(0);
            if (box->Top() > h - box->Height()) box->SetTop(h - box->Height());
            if (box->Left() != left || box->Top() != top) {
                if (kind <= kPictureBox) PlaceBoxLabel(box);
                UpdateRowFromBox(box);
            }
        }
        UpdateProgress(1, QStringLiteral("pages"));
    }
    CloseProgress();
}

void CleanUpDataFile() {
    // Drops the rows of formats that lost their whole-format row and the default
    // contents of formats that are gone, then compacts the file.
    QStringList a = distinctFormats(QStringLiteral("SELECT Fmt FROM Fmt GROUP BY Fmt"));
    QStringList b = distinctFormats(QStringLiteral("SELECT Fmt FROM 默认 GROUP BY Fmt"));
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT Fmt FROM Fmt WHERE LBL=?"), {kWholeFormatLabel});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const QString name = rs.Text(QStringLiteral("Fmt"));
        for (QString& e : a)
            if (e == name) e.clear();
        for (QString& e : b)
            if (e == name) e.clear();
    }
    CloseRecordset(rs);
    for (QString& e : a)
        if (!e.isEmpty()) DeleteFormat(e);
    for (const QString& e : b)
        if (!e.isEmpty()) ExecuteSql(QStringLiteral("DELETE FROM 默认 WHERE Fmt=?"), {e});
    CompactDataFile();
}

}  // namespace bw
