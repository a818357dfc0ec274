#pragma once
// A small format for the records tests: a fresh database and main-window state, a format of
// a few boxes (all at 10, 10 mm, 40 x 8 mm) stored and shown as the main window shows it.

#include <QString>
#include <initializer_list>
#include <utility>
#include <vector>

#include "common/Database.h"
#include "common/Globals.h"
#include "common/Schema.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace bw::test {

// Stores the format with its boxes (kind, caption) and shows it; the boxes' record IDs.
inline std::vector<qint64> ShowSmallFormat(
    const QString& format, std::initializer_list<std::pair<int, const char*>> boxes) {
    CloseDatabase();
    EnsureDatabase();
    ResetMF(new MainForm);
    MF().SetScreenWidthTwips(15360);
    InitBoxModule();
    ExecuteSql(
        "INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, 200, 100, 10, 10, "
        "15360, '')",
        {format, kWholeFormatLabel});
    std::vector<qint64> ids;
    for (auto [clas, lbl] : boxes) {
        ExecuteSql(
            "INSERT INTO Fmt(Fmt, LBL, X, Y, W, H, fName, fSize, Clas) VALUES(?, ?, 10, 10, "
            "40, 8, '宋体', 10.5, ?)",
            {format, QString::fromUtf8(lbl), clas});
        ids.push_back(ValueWhere("Fmt", "Fmt=? AND LBL=?", "ID", {format, QString::fromUtf8(lbl)})
                          .toLongLong());
    }
    MainForm& mf = MF();
    mf.SetCurrentFormat(format);
    QString name = format;
    LoadWholeFormatRow(name);
    mf.PG->SetWidth(mf.FrameWidth());
    LoadBoxesIntoGrid(mf.BoxGrid(), name);
    ReloadFormatBoxes(mf.BoxGrid(), false);
    LineBreakMark = "//";
    return ids;
}

// Leaves the main-window state and the database as a new test finds them.
inline void DropSmallFormat() {
    UnloadAllBoxes();
    ResetMF();
    CloseDatabase();
}

}  // namespace bw::test
