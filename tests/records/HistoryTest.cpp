// What bills leave behind. The history of printed bills: bill numbers, the rows a bill leaves,
// deleting bills from the history grid, and the grid itself with its row limit, show-all,
// reload key and column order. Default records: one row per box with a value, put back when
// the format opens again, and "S" boxes handing their values on to the later pages.

#include <QPushButton>

#include "RecordsFixture.h"
#include "common/Params.h"
#include "records/Defaults.h"
#include "records/History.h"
#include "records/HistoryGrid.h"

using namespace bw;
using bw::test::ScriptedAnswers;

namespace {

class History : public test::RecordsFixture {
protected:
    void SetUp() override {
        RecordsFixture::SetUp();
        Show("收据", {{0, "付款人", 3}, {0, "金额", 5}, {1, "现金", 7}, {2, "条码", 9}});
        MF().COM[25] = &showAll;
    }
    void TearDown() override {
        MF().COM.erase(25);
        RecordsFixture::TearDown();
    }
    // Bills of two rows each (付款人 人n and 金额 n x 10).
    void Store(const QString& format, const QList<int>& numbers) {
        Transaction t;
        for (int n : numbers) {
            ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, ?, 3, ?)",
                       {n, format, QString("人%1").arg(n)});
            ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, ?, 5, ?)",
                       {n, format, QString::number(n * 10)});
        }
        t.Commit();
    }
    void StoreBills(int count) {
        QList<int> numbers;
        for (int n = 1; n <= count; ++n) numbers << n;
        Store("收据", numbers);
    }
    int Bills(const QString& format = "收据") {
        Recordset rs;
        OpenRecordset(rs, "SELECT DISTINCT ID FROM 历史 WHERE Fmt=?", {format});
        return rs.RecordCount();
    }
    // The rows of a bill as "CID=Con".
    QStringList BillRows(int bill) {
        Recordset rs;
        OpenRecordset(rs, "SELECT CID, Con FROM 历史 WHERE Fmt='收据' AND ID=? ORDER BY CID",
                      {bill});
        QStringList rows;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            rows << rs.Text("CID") + "=" + rs.Text("Con");
        return rows;
    }
    static QStringList Row(const Grid& g, int r) {
        QStringList cells;
        for (int c = 0; c < g.Cols(); ++c) cells << g.TextMatrix(r, c);
        return cells;
    }
    Grid& grid() { return *MF().MSF[2]; }
    QPushButton showAll;
};

TEST_F(History, ABillTakesTheNextNumberOfItsFormatAndARowPerValue) {
    Store("收据", {1, 2, 5});
    Store("收据_2", {40});  // another page: a format of its own
    Store("收据%", {90});
    Text(1)->SetText("O'Brien");
    Check(1)->SetValue(1);
    Picture(1)->LinkItem = "NO123";
    EXPECT_EQ(SaveBillToHistory("收据"), 6);
    EXPECT_EQ(BillRows(6), (QStringList{"3=O'Brien", "7=1", "9=NO123"}));  // no empty amount

    // Every box empty, the check box unticked: nothing, and the number is not used up.
    Text(1)->SetText("");
    Check(1)->SetValue(0);
    Picture(1)->LinkItem.clear();
    EXPECT_EQ(SaveBillToHistory("收据"), 0);
    EXPECT_EQ(LastBillNumber("收据"), 6);
    Check(1)->SetValue(1);
    EXPECT_EQ(SaveBillToHistory("收据"), 7);
    EXPECT_EQ(BillRows(7), QStringList{"7=1"});
    EXPECT_EQ(LastBillNumber("收据%"), 90);
    EXPECT_EQ(LastBillNumber("收据_2"), 40);
}

TEST_F(History, ABatchThatPrintsEmptyBillsStillCommits) {
    {
        Transaction batch;
        for (const char* name : {"甲", "", "乙"}) {
            Text(1)->SetText(name);
            SaveBillToHistory("收据");
        }
        EXPECT_TRUE(batch.Commit());
    }
    EXPECT_EQ(Bills(), 2);
}

TEST_F(History, ABillOfManyBoxesKeepsEveryValue) {
    QList<test::BoxSpec> boxes;
    for (int i = 0; i < 120; ++i) boxes.push_back({0, QString("栏%1").arg(i)});
    const auto many = Show("大表", boxes);
    for (int n = 1; n <= 120; ++n) Text(n)->SetText(QString("值%1").arg(n));
    EXPECT_EQ(SaveBillToHistory("大表"), 1);
    Recordset rs;
    OpenRecordset(rs, "SELECT CID, Con FROM 历史 WHERE Fmt='大表' AND ID=1 ORDER BY CID");
    ASSERT_EQ(rs.RecordCount(), 120);
    rs.MoveLast();
    EXPECT_EQ(rs.Value(0).toLongLong(), many.back());
    EXPECT_EQ(rs.Value(1).toString(), "值120");
}

TEST_F(History, DeletingAsksForTheSelectedRowsInOrderAndActsOnlyOnYes) {
    const struct {
        const char* name;
        int row, rowSel;  // grid rows (data rows start at 2)
        int answer;
        QString question;
        QStringList billsLeft;  // column 0 of the rows left, top to bottom
    } cases[] = {
        {"upwards", 6, 3, dlg::Yes, "您确定要删除第2至第5行？", {"6", "1"}},
        {"no", 6, 3, dlg::No, "您确定要删除第2至第5行？", {"6", "5", "4", "3", "2", "1"}},
        {"one", 2, 2, dlg::Yes, "您确定要删除第1至第1行？", {"5", "4", "3", "2", "1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExecuteSql("DELETE FROM 历史");
        StoreBills(6);
        Store("收据2", {3});  // same number, other format
        Grid& g = grid();
        g.SetTag("");
        LoadHistoryGrid(g, "收据", 300);
        g.SetRow(c.row);
        g.SetRowSel(c.rowSel);
        ScriptedAnswers answers;
        answers << c.answer;
        DeleteHistoryRows(g);
        EXPECT_EQ(answers.lastMessage(), c.question);
        QStringList left;
        for (int r = g.FixedRows(); r < g.Rows(); ++r) {
            left << g.TextMatrix(r, 0);
            EXPECT_EQ(g.TextMatrix(r, 1).toInt(), r - g.FixedRows() + 1);  // serials renumbered
        }
        EXPECT_EQ(left, c.billsLeft);
        EXPECT_EQ(Bills(), c.billsLeft.size());
        EXPECT_EQ(Bills("收据2"), 1);
    }
}

TEST_F(History, DeleteAllAsksOnceAndOnlyForTheOpenFormat) {
    Grid& g = grid();
    LoadHistoryGrid(g, "收据", 300);
    {
        ScriptedAnswers answers;  // no rows: no question
        DeleteAllHistoryRows(g);
        EXPECT_TRUE(answers.messages().isEmpty());
    }
    StoreBills(3);
    g.SetTag("");
    LoadHistoryGrid(g, "收据", 300);
    Show("进账单", {{0, "户名"}});
    {
        // The grid still shows the bills of a format switched away from: nothing is deleted.
        ScriptedAnswers answers;
        answers << dlg::Yes;
        DeleteAllHistoryRows(g);
        EXPECT_EQ(Bills(), 3);
        ASSERT_EQ(answers.messages().size(), 1);
        EXPECT_TRUE(answers.lastMessage().contains("不是当前格式"));
    }
    Open("收据");
    ScriptedAnswers answers;
    answers << dlg::Yes;
    DeleteAllHistoryRows(g);
    EXPECT_EQ(answers.messages(), QStringList{"您确定要删除第1至第3行？"});
    EXPECT_EQ(Bills(), 0);
    EXPECT_FALSE(g.HasDataRows());
}

TEST_F(History, TheTabShowsThreeHundredRowsAndShowAllEverything) {
    StoreBills(500);  // 1,000 rows
    Grid& g = grid();
    LoadHistoryGrid(g, "收据", 300);
    EXPECT_EQ(g.Tag(), "收据|300");
    EXPECT_EQ(g.Rows() - g.FixedRows(), 150);
    EXPECT_TRUE(showAll.isEnabled());
    EXPECT_EQ(Row(g, 0), QStringList({"", "", "3", "5", "7", "9"}));
    EXPECT_EQ(Row(g, 1), QStringList({"", "序号", "付款人", "金额", "现金", "条码"}));
    EXPECT_EQ(Row(g, 2), QStringList({"500", "1", "人500", "5000", "", ""}));
    EXPECT_EQ(g.TextMatrix(g.Rows() - 1, 0), "351");
    EXPECT_EQ(g.ColWidth(0), 0);
    EXPECT_EQ(g.RowHeight(0), 0);

    LoadHistoryGrid(g, "收据", 0);
    EXPECT_EQ(g.Rows() - g.FixedRows(), 500);
    EXPECT_EQ(Row(g, g.Rows() - 1), QStringList({"1", "500", "人1", "10", "", ""}));
    EXPECT_FALSE(showAll.isEnabled());

    // The tab again: the 300-row view is loaded anew (the key differs) ...
    LoadHistoryGrid(g, "收据", 300);
    EXPECT_EQ(g.Rows() - g.FixedRows(), 150);
    // ... and a second switch with nothing new does not load at all.
    g.SetTextMatrix(2, 2, "未重新加载");
    LoadHistoryGrid(g, "收据", 300);
    EXPECT_EQ(g.TextMatrix(2, 2), "未重新加载");
    // A recorded bill clears the key, and the next showing reloads.
    g.SetTag("");
    LoadHistoryGrid(g, "收据", 300);
    EXPECT_EQ(g.TextMatrix(2, 2), "人500");

    // A limit inside a bill shows that bill whole; a few rows need no show-all.
    ExecuteSql("DELETE FROM 历史 WHERE ID>3");
    LoadHistoryGrid(g, "收据", 3);
    EXPECT_EQ(g.Rows() - g.FixedRows(), 2);
    EXPECT_EQ(Row(g, 3), QStringList({"2", "2", "人2", "20", "", ""}));
    EXPECT_TRUE(showAll.isEnabled());
    LoadHistoryGrid(g, "收据", 300);
    EXPECT_EQ(g.Rows() - g.FixedRows(), 3);
    EXPECT_FALSE(showAll.isEnabled());
}

// Show-all reads the bills above and up to the middle number side by side: the grid is the
// one a single query gives, with bills out of order, rows of one bill far apart, numbers at
// the ends of the range and rows without a number; inside a transaction too.
TEST_F(History, ShowAllInPartsShowsWhatOneQueryShows) {
    Store("收据", {5, 900, 3, 451, 450, 449, 1});
    ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(NULL, '收据', 3, '无号')");
    ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(450, '收据', 7, 'True')");
    Store("别的", {450, 7});
    // Each bill's rows in one grid row, in the order the single query meets them.
    auto oneQuery = [&] {
        QStringList rows;
        ForEachRecord("SELECT ID, CID, Con FROM 历史 WHERE Fmt='收据' ORDER BY ID DESC, rowid", {},
                      [&](const RowView& r) {
                          rows << QString::number(r.Int64(0)) + u':' + r.Text(1) + u'=' + r.Text(2);
                          return true;
                      });
        return rows;
    };
    auto shown = [&] {
        Grid& g = grid();
        g.SetTag("");
        LoadHistoryGrid(g, "收据", 0);
        QStringList rows;
        for (int r = g.FixedRows(); r < g.Rows(); ++r)
            for (int c = g.FixedCols(); c < g.Cols(); ++c)
                if (!g.TextMatrix(r, c).isEmpty())
                    rows << g.TextMatrix(r, 0) + u':' + g.TextMatrix(0, c) + u'=' +
                                g.TextMatrix(r, c);
        return rows;
    };
    EXPECT_EQ(HistoryQueryParts("收据", 0).size(), 3u);
    EXPECT_EQ(shown(), oneQuery());
    EXPECT_EQ(grid().Rows() - grid().FixedRows(), 8);
    Transaction t;
    ExecuteSql("DELETE FROM 历史 WHERE ID>=450");
    EXPECT_EQ(shown(), oneQuery());
    EXPECT_EQ(grid().Rows() - grid().FixedRows(), 5);
}

TEST_F(History, TheSavedColumnOrderPicksAndOrdersTheColumns) {
    const struct {
        const char* order;
        QStringList ids;  // row 0 from column 2 on
    } cases[] = {
        {"", {"3", "5", "7", "9"}},
        {"7;3", {"7", "3"}},
        {"9;x;7;7;42;3;5", {"9", "7", "3", "5"}},
        {"42", {}},  // names no box: the serial column alone
    };
    StoreBills(2);
    ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(2, '收据', 7, '1')");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order);
        SetParam(ColumnOrderParam("收据"), c.order);
        Grid& g = grid();
        g.SetTag("");
        LoadHistoryGrid(g, "收据", 300);
        EXPECT_EQ(Row(g, 0).mid(2), c.ids);
        EXPECT_EQ(g.TextMatrix(1, 1), "序号");
        if (c.ids == QStringList{"7", "3"}) {
            EXPECT_EQ(Row(g, 1).mid(2), QStringList({"现金", "付款人"}));
            EXPECT_EQ(Row(g, 2).mid(2), QStringList({"1", "人2"}));
        }
    }
}

TEST_F(History, FormatsWithQuotesAndWildcardsSeeOnlyTheirOwnBills) {
    AddFormat("A'_%", {{0, "x", 20}});
    ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(1, 'A''_%', 20, 'mine')");
    ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(2, 'AB_C', 20, 'other')");
    LoadHistoryGrid(grid(), "A'_%", 300);
    ASSERT_EQ(grid().Rows() - grid().FixedRows(), 1);
    EXPECT_EQ(grid().TextMatrix(2, 2), "mine");
}

class Defaults : public test::RecordsFixture {
protected:
    void SetUp() override {
        RecordsFixture::SetUp();
        const QList<test::BoxSpec> boxes{
            {0, "S姓名"}, {0, "s备注"}, {0, "金额"}, {1, "S加急"}, {2, "图片"}};
        for (const char* page : {"base_1", "base_2", "base_3", "base_10", "based_3"})
            pages[page] = AddFormat(page, boxes);
    }
    // The default rows as "format:ID=value", in order of format and ID.
    QStringList Rows() {
        Recordset rs;
        OpenRecordset(rs, "SELECT Fmt, ID, Con FROM 默认 ORDER BY Fmt, ID");
        QStringList rows;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            rows << rs.Text("Fmt") + ":" + rs.Text("ID") + "=" + rs.Text("Con");
        return rows;
    }
    QString Row(const char* page, int box, const QString& value) {
        return QString("%1:%2=%3").arg(page).arg(pages[page][box]).arg(value);
    }
    std::map<QString, std::vector<qint64>> pages;
};

TEST_F(Defaults, SBoxesHandTheirValuesOnToTheLaterPagesOnly) {
    EXPECT_EQ(FormatPages("base_2"), QStringList({"base_2", "base_1", "base_10", "base_3"}));
    EXPECT_EQ(FormatPages("based"), QStringList({"based"}));
    EXPECT_EQ(FormatPageNumber("base_10"), 10);
    EXPECT_EQ(FormatPageNumber("12ab"), 12);

    Open("base_2");
    Text(1)->SetText("张三");
    Text(2)->SetText("小写s不传");
    Check(1)->SetValue(1);
    SaveDefaultData("base_2");
    SaveDefaultData("base_2");  // twice: still one row per box
    const QStringList expected{Row("base_10", 0, "张三"), Row("base_10", 3, "1"),
                               Row("base_2", 0, "张三"),  Row("base_2", 1, "小写s不传"),
                               Row("base_2", 3, "1"),     Row("base_3", 0, "张三"),
                               Row("base_3", 3, "1")};
    EXPECT_EQ(Rows(), expected);

    // base_3 shows what base_2 handed on; leaving it replaces its rows as a whole.
    Open("base_3");
    LoadDefaultData("base_3");
    EXPECT_EQ(Text(1)->Text(), "张三");
    EXPECT_EQ(Check(1)->Value(), 1);
    EXPECT_EQ(Text(2)->Text(), "");
    Text(1)->SetText("");
    Check(1)->SetValue(0);
    SaveDefaultData("base_3");
    EXPECT_FALSE(Rows().join(";").contains("base_3:"));
}

TEST_F(Defaults, EmptyBoxesStoreNothingAndValuesComeBack) {
    Open("based_3");
    SaveDefaultData("based_3");
    EXPECT_TRUE(Rows().isEmpty());
    Text(3)->SetText("12.50");
    Check(1)->SetValue(1);
    SaveDefaultData("based_3");
    EXPECT_EQ(Rows(), QStringList({Row("based_3", 2, "12.50"), Row("based_3", 3, "1")}));
    Text(3)->SetText("");
    Check(1)->SetValue(0);
    LoadDefaultData("based_3");
    EXPECT_EQ(Text(3)->Text(), "12.50");
    EXPECT_EQ(Check(1)->Value(), 1);
}

TEST_F(Defaults, AFormatNameWithWildcardsReachesOnlyItsOwnSet) {
    const QList<test::BoxSpec> boxes{{0, "S号"}};
    const auto own = AddFormat("a%_1", boxes), later = AddFormat("a%_2", boxes);
    AddFormat("ab_2", boxes);
    AddFormat("a'_3", boxes);
    Open("a%_1");
    Text(1)->SetText("N1");
    SaveDefaultData("a%_1");
    EXPECT_EQ(Rows(), QStringList({QString("a%_1:%1=N1").arg(own[0]),
                                   QString("a%_2:%1=N1").arg(later[0])}));
}

}  // namespace
