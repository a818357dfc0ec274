// The history grid: the row limit and show-all, the reload key, and the column order.

#include <QPushButton>

#include "RecordsFixture.h"
#include "common/Params.h"
#include "platform/Grid.h"
#include "records/History.h"
#include "records/HistoryGrid.h"

using namespace bw;

namespace {

class HistoryGrid : public test::RecordsFixture {
protected:
    void SetUp() override {
        RecordsFixture::SetUp();
        AddFormat("收据", {{0, "付款人", 3}, {0, "金额", 5}, {1, "现金", 7}, {2, "条码", 9}});
        Open("收据");
        showAll = new QPushButton;
        MF().COM[25] = showAll;
    }
    void TearDown() override {
        MF().COM.erase(25);
        delete showAll;
        RecordsFixture::TearDown();
    }
    // `bills` bills of two rows each (付款人 and 金额), numbered from 1.
    void StoreBills(int bills) {
        Transaction t;
        for (int n = 1; n <= bills; ++n) {
            ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, '收据', 3, ?)",
                       {n, QString("人%1").arg(n)});
            ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, '收据', 5, ?)",
                       {n, QString::number(n * 10)});
        }
        t.Commit();
    }
    QStringList Row(const Grid& g, int r) {
        QStringList cells;
        for (int c = 0; c < g.Cols(); ++c) cells << g.TextMatrix(r, c);
        return cells;
    }
    Grid& grid() { return *MF().MSF[2]; }
    QPushButton* showAll = nullptr;
};

TEST_F(HistoryGrid, TheTabShowsThreeHundredRowsAndShowAllEverything) {
    StoreBills(500);  // 1,000 rows
    Grid& g = grid();
    LoadHistoryGrid(g, "收据", 300);
    EXPECT_EQ(g.Tag(), "收据|300");
    EXPECT_EQ(g.Rows() - g.FixedRows(), 150);
    EXPECT_TRUE(showAll->isEnabled());
    EXPECT_EQ(Row(g, 0), QStringList({"", "", "3", "5", "7", "9"}));
    EXPECT_EQ(Row(g, 1), QStringList({"", "序号", "付款人", "金额", "现金", "条码"}));
    EXPECT_EQ(Row(g, 2), QStringList({"500", "1", "人500", "5000", "", ""}));
    EXPECT_EQ(g.TextMatrix(g.Rows() - 1, 0), "351");
    EXPECT_EQ(g.ColWidth(0), 0);
    EXPECT_EQ(g.RowHeight(0), 0);
    EXPECT_TRUE(g.Visible());

    LoadHistoryGrid(g, "收据", 0);
    EXPECT_EQ(g.Tag(), "收据|0");
    EXPECT_EQ(g.Rows() - g.FixedRows(), 500);
    EXPECT_EQ(Row(g, g.Rows() - 1), QStringList({"1", "500", "人1", "10", "", ""}));
    EXPECT_FALSE(showAll->isEnabled());

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
}

TEST_F(HistoryGrid, AnOddLimitCutsTheLastBillAndAFewRowsNeedNoShowAll) {
    StoreBills(3);
    Grid& g = grid();
    LoadHistoryGrid(g, "收据", 3);
    EXPECT_EQ(g.Rows() - g.FixedRows(), 2);
    EXPECT_EQ(Row(g, 3), QStringList({"2", "2", "人2", "", "", ""}));
    EXPECT_TRUE(showAll->isEnabled());
    LoadHistoryGrid(g, "收据", 300);
    EXPECT_EQ(g.Rows() - g.FixedRows(), 3);
    EXPECT_FALSE(showAll->isEnabled());
}

TEST_F(HistoryGrid, TheSavedColumnOrderPicksAndOrdersTheColumns) {
    struct Case {
        const char* order;
        QStringList ids;  // row 0 from column 2 on
    };
    const Case cases[] = {
        {"", {"3", "5", "7", "9"}},
        {"7;3", {"7", "3"}},
        {"9;x;7;7;42;3;5", {"9", "7", "3", "5"}},
        {"42", {}},  // names no box: the serial column alone
    };
    StoreBills(2);
    ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(2, '收据', 7, '1')");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        SetParam(ColumnOrderParam("收据"), c.order);
        Grid& g = grid();
        g.SetTag("");
        LoadHistoryGrid(g, "收据", 300);
        EXPECT_EQ(Row(g, 0).mid(2), c.ids);
        EXPECT_EQ(g.TextMatrix(1, 1), "序号");
        if (c.ids.size() >= 2 && c.ids[0] == "7") {
            EXPECT_EQ(Row(g, 1).mid(2), QStringList({"现金", "付款人"}));
            EXPECT_EQ(Row(g, 2).mid(2), QStringList({"1", "人2"}));
        }
    }
}

TEST_F(HistoryGrid, ApplyColumnOrderMovesTheNamedBoxesToTheFront) {
    QList<HistoryColumn> boxes{{3, "a"}, {5, "b"}, {7, "c"}, {9, "d"}};
    EXPECT_EQ(ApplyColumnOrder(boxes, "7;3"), 2);
    QList<qint64> ids;
    for (const auto& b : boxes) ids << b.id;
    EXPECT_EQ(ids, QList<qint64>({7, 3, 5, 9}));
}

TEST_F(HistoryGrid, FormatsWithQuotesAndWildcardsSeeOnlyTheirOwnBills) {
    AddFormat("A'_%", {{0, "x", 20}});
    ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(1, 'A''_%', 20, 'mine')");
    ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(2, 'AB_C', 20, 'other')");
    Grid& g = grid();
    LoadHistoryGrid(g, "A'_%", 300);
    ASSERT_EQ(g.Rows() - g.FixedRows(), 1);
    EXPECT_EQ(g.TextMatrix(2, 2), "mine");
}

}  // namespace
