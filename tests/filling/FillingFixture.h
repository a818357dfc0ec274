#pragma once
// A format in a temporary database, shown on a fresh main-window state with the filling's
// box handlers attached, as the main window shows it; helpers to type into its boxes through
// the events the window receives.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "TestSupport.h"
#include "common/Database.h"
#include "common/Schema.h"
#include "filling/FillingServices.h"
#include "platform/Grid.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"
#include "store/TextBox.h"

namespace bw::test {

struct BoxDef {
    const char* label;
    double cash = 0;
    double rctl = 0;
    double sumId = 0;
    double sumId1 = 0;
    double rctl1 = 0;
    int clas = 0;
    double x = -1, y = -1, w = 18;  // mm; x < 0: the next free place
};

class FillingTest : public ::testing::Test {
protected:
    void SetUp() override {
        CloseDatabase();
        ASSERT_TRUE(EnsureDatabase());
        ResetMF(new MainForm);
        MF().SetScreenWidthTwips(15360);
        MF().SetFrameSize(9000, 6000);
        InitBoxModule();
        InstallFillingServices();
    }
    void TearDown() override {
        UnloadAllBoxes();
        ResetMF();
        CloseDatabase();
    }

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
        rs.SetValue("H", 6);
        rs.SetValue("fName", QString("宋体"));
        rs.SetValue("fSize", 10.5);
        rs.SetValue("Clas", b.clas);
        rs.SetValue("Cash", b.cash);
        rs.SetValue("RCtl", b.rctl);
        rs.SetValue("SumID", b.sumId);
        rs.SetValue("SumID1", b.sumId1);
        rs.SetValue("RCtl1", b.rctl1);
        rs.Update();
        ++next_;
        return rs.Value("ID").toLongLong();
    }
    // Sets one link column of a stored box (links to boxes stored later).
    void setLink(qint64 id, const char* column, double value) {
        ExecuteSql(QStringLiteral("UPDATE Fmt SET %1=? WHERE ID=?").arg(QLatin1String(column)),
                   {value, id});
    }
    // A format's whole-format row; its options may switch the automatic page change on.
    void addFormat(const QString& fmt, bool pagesAutoJump = false) {
        const QString mem = pagesAutoJump
                                ? QStringLiteral("False|False|0|0|0|0|0|False|False|￥|True|False|")
                                : QString();
        ExecuteSql(
            "INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, 200, 100, 10, 10, "
            "15360, ?)",
            {fmt, kWholeFormatLabel, mem});
    }
    // One earlier bill: (box ID, value) pairs under the bill number.
    void addBill(const QString& fmt, int bill,
                 const std::vector<std::pair<qint64, QString>>& rows) {
        for (const auto& [cid, con] : rows)
            ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, ?, ?, ?)",
                       {bill, fmt, cid, con});
    }

    // Shows the format the way the main window does: its row, the canvas, the grid, the boxes.
    void show(const QString& fmt) {
        MainForm& mf = MF();
        mf.SetCurrentFormat(fmt);
        QString name = fmt;
        LoadWholeFormatRow(name);
        mf.PG->SetWidth(mf.FrameWidth());
        mf.PG->SetHeight(mf.FrameWidth() * mf.PaperHeightMm() / mf.PaperWidthMm());
        LoadBoxesIntoGrid(mf.BoxGrid(), name);
        ReloadFormatBoxes(mf.BoxGrid(), false);
    }

    TextBox* box(qint64 id) { return dynamic_cast<TextBox*>(BoxOfRecordId(double(id))); }

    // The clerk leaves the box by Tab, by a pop-up menu, ...
    static void leave(TextBox* b, Qt::FocusReason why = Qt::TabFocusReason) {
        QFocusEvent e(QEvent::FocusOut, why);
        QCoreApplication::sendEvent(b, &e);
    }
    static void enter(TextBox* b) {
        QFocusEvent e(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(b, &e);
    }
    // Types text into the box and leaves it.
    static void type(TextBox* b, const QString& text) {
        b->SetText(text);
        leave(b);
    }
    // One key as the box receives it; true when the box took the character.
    static bool key(TextBox* b, QChar c) {
        const QString before = b->toPlainText();
        QKeyEvent press(QEvent::KeyPress, c == u'\r' ? Qt::Key_Return : 0, Qt::NoModifier,
                        QString(c));
        QCoreApplication::sendEvent(b, &press);
        return b->toPlainText() != before;
    }
    static void click(TextBox* b) {
        const QPointF p(3, 3);
        QMouseEvent down(QEvent::MouseButtonPress, p, p, Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QMouseEvent up(QEvent::MouseButtonRelease, p, p, Qt::LeftButton, Qt::NoButton,
                       Qt::NoModifier);
        QCoreApplication::sendEvent(b->viewport(), &down);
        QCoreApplication::sendEvent(b->viewport(), &up);
    }

    TempDataFolder folder_;
    int next_ = 0;
};

}  // namespace bw::test
