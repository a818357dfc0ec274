#pragma once
// A fresh database and main-window state for the tests of the records floor, with formats of
// text, check and picture boxes (one below the other, 40 x 8 mm) and one of them open on the
// canvas as the main window shows it.

#include <gtest/gtest.h>

#include <QList>
#include <QString>
#include <ostream>
#include <vector>

#include "ShowFormat.h"
#include "TestSupport.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Schema.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CheckBox.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/RowToBox.h"
#include "store/TextBox.h"

// GoogleTest prints QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace bw::test {

struct BoxSpec {
    int clas;  // 0 text, 1 check, 2 picture
    QString label;
    qint64 id = 0;  // the record ID to give it; 0 lets the database choose
};

class RecordsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::StartFresh(false));
        LineBreakMark = "//";
    }
    void TearDown() override { test::EndFresh(); }
    // Adds a format with the boxes; the record IDs of the boxes, in order.
    std::vector<qint64> AddFormat(const QString& name, const QList<BoxSpec>& boxes) {
        ExecuteSql(
            "INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) "
            "VALUES(?, ?, 200, 100, 10, 10, 15360, '')",
            {name, kWholeFormatLabel});
        std::vector<qint64> ids;
        int y = 10;
        for (const BoxSpec& b : boxes) {
            ExecuteSql(
                "INSERT INTO Fmt(ID, Fmt, LBL, X, Y, W, H, fName, fSize, Clas) "
                "VALUES(?, ?, ?, 10, ?, 40, 8, '宋体', 10.5, ?)",
                {b.id > 0 ? QVariant(b.id) : QVariant(), name, b.label, y, b.clas});
            ids.push_back(Db()->LastInsertId());
            y += 10;
        }
        return ids;
    }
    // Opens the format on the canvas as the current one.
    void Open(const QString& format) {
        UnloadAllBoxes();
        MainForm& mf = MF();
        mf.SetCurrentFormat(format);
        QString name = format;
        LoadWholeFormatRow(name);
        mf.PG->SetWidth(mf.FrameWidth());
        LoadBoxesIntoGrid(mf.BoxGrid(), name);
        ReloadFormatBoxes(mf.BoxGrid(), false);
    }
    std::vector<qint64> Show(const QString& format, const QList<BoxSpec>& boxes) {
        auto ids = AddFormat(format, boxes);
        Open(format);
        return ids;
    }
    TextBox* Text(int n) { return static_cast<TextBox*>(GetBoxByIndex(n)); }
    CheckBox* Check(int n) { return static_cast<CheckBox*>(GetBoxByIndex(1000 + n)); }
    PictureBox* Picture(int n) { return static_cast<PictureBox*>(GetBoxByIndex(2000 + n)); }

    TempDataFolder folder_;
};

}  // namespace bw::test
