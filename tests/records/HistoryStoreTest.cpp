// Bill numbers of the history and the deletion of bills from the history grid.

#include <QPushButton>

#include "RecordsFixture.h"
#include "common/Params.h"
#include "platform/Grid.h"
#include "records/History.h"
#include "records/HistoryGrid.h"

using namespace bw;
using bw::test::ScriptedAnswers;

namespace {

class HistoryStore : public test::RecordsFixture {
protected:
    void SetUp() override {
        RecordsFixture::SetUp();
        ids = AddFormat("电汇单", {{0, "户名"}, {0, "金额"}, {1, "加急"}, {2, "条码"}});
        Open("电汇单");
    }
    int Bills(const QString& format = "电汇单") {
        Recordset rs;
        OpenRecordset(rs, "SELECT DISTINCT ID FROM 历史 WHERE Fmt=?", {format});
        return rs.RecordCount();
    }
    void Store(const QString& format, std::initializer_list<int> numbers) {
        for (int n : numbers)
            ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, ?, ?, ?)",
                       {n, format, ids[0], QString("票%1").arg(n)});
    }
    std::vector<qint64> ids;
};

TEST_F(HistoryStore, NumbersFollowTheLargestOfTheFormatAndAnEmptyBillLeavesNoTrace) {
    Store("电汇单", {1, 2, 5});
    Store("电汇单_2", {40});  // another page: a format of its own
    Store("电汇%", {90});
    Text(1)->SetText("李四");
    EXPECT_EQ(SaveBillToHistory("电汇单"), 6);

    // Every box empty, the check box unticked: nothing, and the number is not used up.
    Text(1)->SetText("");
    EXPECT_EQ(SaveBillToHistory("电汇单"), 0);
    EXPECT_EQ(LastBillNumber("电汇单"), 6);

    Check(1)->SetValue(1);
    EXPECT_EQ(SaveBillToHistory("电汇单"), 7);
    EXPECT_EQ(ValueWhere("历史", "Fmt='电汇单' AND ID=7", "Con").toString(), "1");
    EXPECT_EQ(LastBillNumber("电汇%"), 90);
}

TEST_F(HistoryStore, ABatchThatPrintsEmptyBillsStillCommits) {
    {
        Transaction batch;
        Text(1)->SetText("甲");
        EXPECT_EQ(SaveBillToHistory("电汇单"), 1);
        Text(1)->SetText("");
        EXPECT_EQ(SaveBillToHistory("电汇单"), 0);
        Text(1)->SetText("乙");
        EXPECT_EQ(SaveBillToHistory("电汇单"), 2);
        EXPECT_TRUE(batch.Commit());
    }
    EXPECT_EQ(Bills(), 2);
}

TEST_F(HistoryStore, ABillOfManyBoxesKeepsEveryValue) {
    QList<test::BoxSpec> boxes;
    for (int i = 0; i < 120; ++i) boxes.push_back({0, QString("栏%1").arg(i)});
    const auto many = AddFormat("大表", boxes);
    Open("大表");
    for (int n = 1; n <= 120; ++n) Text(n)->SetText(QString("值%1").arg(n));
    EXPECT_EQ(SaveBillToHistory("大表"), 1);
    EXPECT_EQ(Bills("大表"), 1);
    Recordset rs;
    OpenRecordset(rs, "SELECT CID, Con FROM 历史 WHERE Fmt='大表' ORDER BY CID");
    ASSERT_EQ(rs.RecordCount(), 120);
    rs.MoveLast();
    EXPECT_EQ(rs.Value(0).toLongLong(), many.back());
    EXPECT_EQ(rs.Value(1).toString(), "值120");
}

struct DeleteCase {
    const char* name;
    int row, rowSel;  // grid rows (data rows start at 2)
    int answer;
    QString question;       // "" when none is asked
    QStringList billsLeft;  // column 0 of the rows left, top to bottom
};

TEST_F(HistoryStore, DeletingAsksForTheSelectedRowsInOrderAndActsOnlyOnYes) {
    const DeleteCase cases[] = {
        {"upwards", 6, 3, dlg::Yes, "您确定要删除第2至第5行？", {"6", "1"}},
        {"no", 6, 3, dlg::No, "您确定要删除第2至第5行？", {"6", "5", "4", "3", "2", "1"}},
        {"one", 2, 2, dlg::Yes, "您确定要删除第1至第1行？", {"5", "4", "3", "2", "1"}},
    };
    for (const DeleteCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExecuteSql("DELETE FROM 历史");
        Store("电汇单", {1, 2, 3, 4, 5, 6});
        Store("电汇单2", {3});  // same number, other format
        Grid& g = *MF().MSF[2];
        g.SetTag("");
        LoadHistoryGrid(g, "电汇单", 300);
        g.SetRow(c.row);
        g.SetRowSel(c.rowSel);
        ScriptedAnswers answers;
        answers << c.answer;
        DeleteHistoryRows(g);
        EXPECT_EQ(answers.lastMessage(), c.question);
        QStringList left;
        for (int r = g.FixedRows(); r < g.Rows(); ++r) left << g.TextMatrix(r, 0);
        EXPECT_EQ(left, c.billsLeft);
        EXPECT_EQ(Bills(), c.billsLeft.size());
        EXPECT_EQ(Bills("电汇单2"), 1);
        // The serial numbers stay 1, 2, 3 ...
        for (int r = g.FixedRows(); r < g.Rows(); ++r)
            EXPECT_EQ(g.TextMatrix(r, 1).toInt(), r - g.FixedRows() + 1);
    }
}

TEST_F(HistoryStore, DeleteAllAsksOnceForEveryRowAndNothingWithoutRows) {
    Grid& g = *MF().MSF[2];
    LoadHistoryGrid(g, "电汇单", 300);
    {
        ScriptedAnswers answers;
        DeleteAllHistoryRows(g);
        EXPECT_TRUE(answers.messages().isEmpty());
    }
    Store("电汇单", {1, 2, 3});
    g.SetTag("");
    LoadHistoryGrid(g, "电汇单", 300);
    ScriptedAnswers answers;
    answers << dlg::Yes;
    DeleteAllHistoryRows(g);
    EXPECT_EQ(answers.messages(), QStringList{"您确定要删除第1至第3行？"});
    EXPECT_EQ(Bills(), 0);
    EXPECT_FALSE(g.HasDataRows());
}

TEST_F(HistoryStore, BillsOfAFormatSwitchedAwayFromAreNotDeleted) {
    Store("电汇单", {1, 2});
    Grid& g = *MF().MSF[2];
    LoadHistoryGrid(g, "电汇单", 300);
    AddFormat("进账单", {{0, "户名"}});
    Open("进账单");
    ScriptedAnswers answers;
    answers << dlg::Yes;
    DeleteAllHistoryRows(g);
    EXPECT_EQ(Bills(), 2);
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_TRUE(answers.lastMessage().contains("不是当前格式"))
        << answers.lastMessage().toStdString();
    EXPECT_EQ(g.Rows(), g.FixedRows() + 2);
}

}  // namespace
