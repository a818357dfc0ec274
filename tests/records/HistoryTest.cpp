// Printed bills in the history, and batch records shown in the boxes.

#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollBar>

#include "SmallFormat.h"
#include "TestSupport.h"
#include "common/Database.h"
#include "common/Schema.h"
#include "platform/Grid.h"
#include "records/BatchRows.h"
#include "records/History.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CheckBox.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/RowToBox.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

class Records : public ::testing::Test {
protected:
    void SetUp() override {
        ids = test::ShowSmallFormat(
            "进账单", {{0, "户名"}, {0, "金额"}, {0, "备注"}, {1, "现金"}, {2, "条码"}});
    }
    void TearDown() override { test::DropSmallFormat(); }
    TextBox* Text(int n) { return static_cast<TextBox*>(GetBoxByIndex(n)); }
    int Rows(int bill) {
        Recordset rs;
        OpenRecordset(rs, "SELECT * FROM 历史 WHERE Fmt='进账单' AND ID=?", {bill});
        return rs.RecordCount();
    }
    QString Con(int bill, qint64 cid) {
        return ValueWhere("历史", "Fmt='进账单' AND ID=? AND CID=?", "Con", {bill, cid}).toString();
    }
    std::vector<qint64> ids;
    test::TempDataFolder folder_;
};

TEST_F(Records, EachRecordedBillTakesTheNextNumberOfItsFormat) {
    EXPECT_EQ(LastBillNumber("进账单"), 0);
    Text(1)->SetText("张三");
    Text(2)->SetText("12.50");
    static_cast<CheckBox*>(GetBoxByIndex(1001))->SetValue(1);
    static_cast<PictureBox*>(GetBoxByIndex(2001))->LinkItem = "NO123";
    EXPECT_EQ(SaveBillToHistory("进账单"), 1);
    // One row per box with a value; the empty remark has none.
    EXPECT_EQ(Rows(1), 4);
    EXPECT_EQ(Con(1, ids[0]), "张三");
    EXPECT_EQ(Con(1, ids[1]), "12.50");
    EXPECT_EQ(Con(1, ids[3]), "1");
    EXPECT_EQ(Con(1, ids[4]), "NO123");

    // Another format's bills do not count; a value with quotes is stored as it is.
    ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(41, '电汇单', 1, 'x')");
    Text(1)->SetText("O'Brien");
    static_cast<CheckBox*>(GetBoxByIndex(1001))->SetValue(0);
    EXPECT_EQ(SaveBillToHistory("进账单"), 2);
    EXPECT_EQ(Con(2, ids[0]), "O'Brien");
    EXPECT_EQ(Rows(2), 3);
    EXPECT_EQ(LastBillNumber("电汇单"), 41);
}

TEST_F(Records, ABatchRowFillsTheBoxesItsColumnsFeed) {
    Grid& g = *MF().MSF[1];
    g.SetRows(4);
    g.SetCols(4);
    g.SetFixedRows(2);
    g.SetFixedCols(1);
    g.SetTextMatrix(0, 1, "2");  // the amount
    g.SetTextMatrix(0, 2, "1");  // the name
    g.SetTextMatrix(0, 3, "3");  // the remark, but too narrow to count
    g.SetColWidth(3, 40);
    const QStringList first{"1", "100", "甲", "不用"}, second{"2", "200", "乙", "不用"};
    for (int c = 0; c < 4; ++c) {
        g.SetTextMatrix(2, c, first[c]);
        g.SetTextMatrix(3, c, second[c]);
    }
    Text(3)->SetText("原来的");
    LoadBatchRow(g, 3);
    EXPECT_EQ(Text(1)->Text(), "乙");
    EXPECT_EQ(Text(2)->Text(), "200");
    EXPECT_EQ(Text(3)->Text(), "原来的");
    EXPECT_EQ(MF().R_Num[1]->text(), "2");
    LoadBatchRow(g, 1);  // a fixed row: ignored
    LoadBatchRow(g, 4);  // past the records: ignored
    EXPECT_EQ(Text(1)->Text(), "乙");

    MF().HS->setRange(0, 0);
    SetupBatchRows(g, MF().HS);
    EXPECT_EQ(BatchRecordCount(g), 2);
    EXPECT_EQ(MF().HS->minimum(), 1);
    EXPECT_EQ(MF().HS->maximum(), 2);
    EXPECT_EQ(MF().HS->value(), 1);
    EXPECT_EQ(Text(1)->Text(), "甲");
    EXPECT_EQ(MF().R_Num[0]->text(), "2");
    g.SetRows(2);
    SetupBatchRows(g, MF().HS);
    EXPECT_EQ(MF().HS->maximum(), 1);
    EXPECT_EQ(MF().R_Num[0]->text(), "0");
}

}  // namespace
