#pragma once
// Formats in a temporary database, shown on a fresh main-window state the way the main window
// shows them (its whole-format row, the canvas, the box property grid, the boxes). The store
// tests and the filling tests build their formats with it.

#include <gtest/gtest.h>

#include "ShowFormat.h"
#include "TestSupport.h"
#include "common/Common.h"
#include "common/Database.h"
#include "common/Schema.h"
#include "platform/Grid.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace bw::test {

// One box record of table Fmt; positions and sizes in mm.
struct BoxDef {
    const char* label;
    double cash = 0;
    double rctl = 0;
    double sumId = 0;
    double sumId1 = 0;
    double rctl1 = 0;
    int clas = 0;
    double x = -1, y = -1, w = 18, h = 6;  // x < 0: the next free place
    const char* mem = nullptr;
};

class FormatFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::StartFresh()); }
    void TearDown() override { test::EndFresh(); }

    // Adds a box record and returns its ID.
    qint64 addBox(const QString& fmt, const BoxDef& b) {
        Recordset rs;
        OpenRecordset(rs, "SELECT * FROM Fmt WHERE ID=0");
        rs.AddNew();
        rs.SetValue("Fmt", fmt);
        rs.SetValue("LBL", QString::fromUtf8(b.label));
        rs.SetValue("Dir", 1);
        rs.SetValue("X", b.x >= 0 ? b.x : 10 + 20 * (next_ % 8));
        rs.SetValue("Y", b.y >= 0 ? b.y : 10 + 10 * (next_ / 8));
        rs.SetValue("W", b.w);
        rs.SetValue("H", b.h);
        rs.SetValue("fName", QString("宋体"));
        rs.SetValue("fSize", 10.5);
        rs.SetValue("Clas", b.clas);
        rs.SetValue("Cash", b.cash);
        rs.SetValue("RCtl", b.rctl);
        rs.SetValue("SumID", b.sumId);
        rs.SetValue("SumID1", b.sumId1);
        rs.SetValue("RCtl1", b.rctl1);
        if (b.mem) rs.SetValue("Mem", QString::fromUtf8(b.mem));
        rs.Update();
        ++next_;
        return rs.Value("ID").toLongLong();
    }
    // A format's whole-format row with its paper size (mm) and options.
    void addFormat(const QString& fmt, const QString& mem = {}, double w = 200, double h = 100) {
        ExecuteSql(
            "INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, ?, ?, 10, 10, "
            "15360, ?)",
            {fmt, kWholeFormatLabel, w, h, mem});
    }
    void show(const QString& fmt) { ShowFormat(fmt); }
    static Grid& grid() { return MF().BoxGrid(); }
    static int mm(double v) { return MmToCanvas(v, MF().PG->Width(), MF().PaperWidthMm()); }

    TempDataFolder folder_;
    int next_ = 0;
};

}  // namespace bw::test
