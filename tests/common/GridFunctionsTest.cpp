#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QSet>

#include "TestSupport.h"
#include "common/ColumnFit.h"
#include "common/Database.h"
#include "common/GridFunctions.h"
#include "common/Schema.h"
#include "common/Services.h"
#include "platform/GridView.h"

using namespace bw;

namespace {

QStringList column(const Grid& g, int col) {
    QStringList out;
    for (int r = g.FixedRows(); r < g.Rows(); ++r) out << g.TextMatrix(r, col);
    return out;
}

// The point in the middle of the header caption of a column.
std::pair<double, double> headerPoint(const Grid& g, int col) {
    return {g.ColPos(col) + g.ColWidth(col) / 2.0, g.RowPos(g.FixedRows() - 1) + 10.0};
}

// A laid-out grid with `n` data rows: column 0 the ID, 1 the serial, 2 a tick, 3 a name
// "行k" and 4 a number, with the back colour k in column 3.
void tickGrid(Grid& g, int n) {
    SetupGrid(g, {"ID", "", "", "名称", "数"}, {"ID", "序号", "选择", "名称", "数"});
    g.SetRows(2 + n);
    for (int k = 1; k <= n; ++k) {
        const int r = k + 1;
        g.SetTextMatrix(r, 0, QString::number(100 + k));
        g.SetTextMatrix(r, 1, QString::number(k));
        g.SetTextMatrix(r, 3, QString("行%1").arg(k));
        g.SetTextMatrix(r, 4, QString::number(k * 10));
        g.SetCellBackColorAt(r, 3, k);
    }
    for (int c = 0; c < g.Cols(); ++c) g.SetColWidth(c, 1000);
}

class GridFunctions : public ::testing::Test {
protected:
    void SetUp() override {
        CloseDatabase();
        ASSERT_TRUE(EnsureDatabase());
        ASSERT_TRUE(
            ExecuteSql("CREATE TABLE 账目 (ID INTEGER PRIMARY KEY, 名称 TEXT, 金额 DOUBLE, 日期 "
                       "DATE, 已付 BOOLEAN, "
                       "Color LONG, 类别ID LONG)"));
        ASSERT_TRUE(ExecuteSql("CREATE TABLE 类别 (ID INTEGER PRIMARY KEY, 名称 TEXT)"));
        ExecuteSql("INSERT INTO 类别 (ID, 名称) VALUES (7, '差旅'), (8, '办公')");
        const QVariantList rows[] = {
            {"张三", 3.14159, "2013-04-11", 1, 0, 7},
            {"李四", 10.0, "2013-05-01", 0, 255, 8},
            {"O'Brien", 2.5, "2014-01-02", 1, 65280, 7},
            {"王五", 123456789.126, "2015-12-31", 0, QVariant(), QVariant()},
        };
        for (const auto& v : rows)
            ASSERT_TRUE(ExecuteSql(
                "INSERT INTO 账目 (名称, 金额, 日期, 已付, Color, 类别ID) VALUES (?,?,?,?,?,?)",
                v));
        SetupGrid(grid_, {"ID", "", "名称", "金额", "日期", "已付", "Color", "类别:类别ID:名称"},
                  {"ID", "序号", "名称", "金额", "日期", "已付", "颜色", "类别"});
        grid_.SetTag("账目");
    }
    void TearDown() override {
        CloseDatabase();
        Doors() = Services();
    }
    test::TempDataFolder folder_;
    Grid grid_;
};

}  // namespace

TEST_F(GridFunctions, SetupGridLaysOutTheColumnsAndRefusesListsOfDifferentLength) {
    Grid g;
    g.SetCols(4);
    g.SetRows(6);
    g.SetTextMatrix(3, 3, "keep");
    SetupGrid(g, {"a", "b", "c"}, {"x", "y"});
    EXPECT_EQ(g.Cols(), 4);
    EXPECT_EQ(g.Rows(), 6);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.TextMatrix(3, 3), "keep");

    SetupGrid(g, {"ID", "", "名称"}, {"ID", "序号", "名称"});
    EXPECT_EQ(g.Cols(), 3);
    EXPECT_EQ(g.Rows(), 2);  // the hidden field row and the caption row
    EXPECT_EQ(g.FixedRows(), 2);
    EXPECT_EQ(g.RowHeight(0), 0);
    EXPECT_EQ(g.TextMatrix(0, 2), "名称");
    EXPECT_EQ(g.TextMatrix(1, 1), "序号");
}

TEST_F(GridFunctions, FillGridFromSqlShowsEachKindOfFieldAsTheGridsDo) {
    FillGridFromSql(grid_, QString(), "ID");
    ASSERT_EQ(grid_.Rows(), 6);
    EXPECT_EQ(grid_.FixedCols(), 2);  // up to the serial column
    EXPECT_EQ(column(grid_, 1), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(column(grid_, 2), (QStringList{"张三", "李四", "O'Brien", "王五"}));
    // Two decimals; a large amount keeps its value.
    EXPECT_EQ(column(grid_, 3), (QStringList{"3.14", "10", "2.5", "123456789.13"}));
    EXPECT_EQ(column(grid_, 4),
              (QStringList{"2013.04.11", "2013.05.01", "2014.01.02", "2015.12.31"}));
    EXPECT_EQ(column(grid_, 5), (QStringList{"√", "", "√", ""}));
    EXPECT_EQ(column(grid_, 6), (QStringList{"", "", "", ""}));  // the colour is no text
    EXPECT_EQ(column(grid_, 7), (QStringList{"差旅", "办公", "差旅", ""}));
    // Black is stored as the near-black value and read back as black.
    EXPECT_EQ(grid_.CellBackColorAt(2, 6), kGridBlack);
    EXPECT_EQ(GetCellProperty(grid_, 2, 6, false), 0);
    EXPECT_EQ(GetCellProperty(grid_, 3, 6, false), 255);
    EXPECT_EQ(grid_.CellBackColorAt(5, 6), 0);  // NULL: the default
    EXPECT_TRUE(grid_.Visible());
    EXPECT_EQ(grid_.ColWidth(0), 0);  // before the serial column: hidden

    // Values go in bound; a refill starts from the header again.
    FillGridFromSql(grid_, "名称=? OR 金额>?", "金额 DESC", {QString("O'Brien"), 100});
    EXPECT_EQ(column(grid_, 2), (QStringList{"王五", "O'Brien"}));
    EXPECT_EQ(column(grid_, 1), (QStringList{"1", "2"}));

    // More records than the grid first makes room for: every one, none more.
    for (int i = 0; i < 150; ++i)
        ASSERT_TRUE(ExecuteSql("INSERT INTO 账目 (名称, 金额) VALUES (?, ?)",
                               {QString("第%1笔").arg(i), i}));
    FillGridFromSql(grid_, QString(), "ID");
    ASSERT_EQ(grid_.Rows(), grid_.FixedRows() + 154);
    EXPECT_EQ(grid_.TextMatrix(grid_.Rows() - 1, 1), "154");
    EXPECT_EQ(grid_.TextMatrix(grid_.Rows() - 1, 2), "第149笔");

    grid_.SetTag("没有这张表");
    FillGridFromSql(grid_);
    EXPECT_EQ(grid_.Rows(), grid_.FixedRows());
    grid_.SetTag("账目; DROP TABLE 账目");
    FillGridFromSql(grid_);
    EXPECT_EQ(grid_.Rows(), grid_.FixedRows());
    EXPECT_TRUE(TableExists("账目"));
}

// A large table whose values repeat (and so are read once and shared): each row still
// shows its own values, NULL and empty, number and text, date and not-a-date apart.
TEST_F(GridFunctions, FillGridFromSqlShowsEveryRowsOwnValuesWhereValuesRepeat) {
    ASSERT_TRUE(ExecuteSql("DELETE FROM 账目"));
    const QVariantList amounts = {QVariant(), 0, 2.5, 10, QString("x"), QString()};
    const QVariantList dates = {QString("2013-04-11"), QVariant(), 20130411, QString("20130411"),
                                QString("2013-04-12"), QString("")};
    const QStringList amountTexts = {"", "0", "2.5", "10", "x", ""};
    const QStringList dateTexts = {"2013.04.11", "", "20130411", "20130411", "2013.04.12", ""};
    constexpr int kRows = 2400;  // beyond the trial of a thousand values
    Transaction t;
    for (int i = 0; i < kRows; ++i)
        ASSERT_TRUE(ExecuteSql("INSERT INTO 账目 (名称, 金额, 日期) VALUES (?,?,?)",
                               {QString::number(i % 7), amounts[i % 6], dates[i % 6]}));
    t.Commit();
    FillGridFromSql(grid_, QString(), "ID");
    ASSERT_EQ(grid_.Rows(), grid_.FixedRows() + kRows);
    for (int i = 0; i < kRows; ++i) {
        const int r = grid_.FixedRows() + i;
        ASSERT_EQ(grid_.TextRef(r, 2), QString::number(i % 7)) << i;
        ASSERT_EQ(grid_.TextRef(r, 3), amountTexts[i % 6]) << i;
        ASSERT_EQ(grid_.TextRef(r, 4), dateTexts[i % 6]) << i;
    }
}

// A table of thousands of records is counted, read on a thread that makes its texts and
// measured while it is read: the grid it gives is the one read in the calling thread (as
// with a transaction open), texts and widths alike.
TEST_F(GridFunctions, AThousandsTableReadOnAThreadFillsAsInTheCallingThread) {
    ASSERT_TRUE(ExecuteSql("DELETE FROM 账目"));
    const QVariantList amounts = {QVariant(), 0, 2.5, 12345.678, QString("x")};
    Transaction fill;
    for (int i = 0; i < 3600; ++i)
        ASSERT_TRUE(ExecuteSql(
            "INSERT INTO 账目 (名称, 金额, 日期, 已付) VALUES (?,?,?,?)",
            {i % 9 ? QString("名称%1").arg(i) : QString(), amounts[i % 5],
             i % 3 ? QString("2013-04-%1").arg(1 + i % 28) : QString("无"), i % 4 == 0}));
    fill.Commit();
    auto shown = [](const Grid& g) {
        QStringList out;
        for (int c = 0; c < g.Cols(); ++c) out << QString::number(g.ColWidth(c));
        for (int r = 0; r < g.Rows(); ++r)
            for (int c = 0; c < g.Cols(); ++c) out << g.TextRef(r, c);
        return out;
    };
    FillGridFromSql(grid_, QString(), "ID");
    ASSERT_EQ(grid_.Rows(), grid_.FixedRows() + 3600);
    const QStringList onThread = shown(grid_);
    Transaction open;  // read on the program's connection, in this thread
    FillGridFromSql(grid_, QString(), "ID");
    EXPECT_EQ(shown(grid_), onThread);
}

TEST_F(GridFunctions, HeaderClicksSortAndToggleTheMarkAndRenumberTheRows) {
    FillGridFromSql(grid_, QString(), "ID");
    auto [x, y] = headerPoint(grid_, 3);
    SortGridByColumn(nullptr, grid_, x, y);
    EXPECT_EQ(grid_.TextMatrix(1, 3), "金额△");
    EXPECT_EQ(column(grid_, 3), (QStringList{"2.5", "3.14", "10", "123456789.13"}));
    EXPECT_EQ(column(grid_, 1), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(column(grid_, 2).first(), "O'Brien");  // whole rows move
    EXPECT_EQ(GetCellProperty(grid_, 2, 6, false), 65280);

    SortGridByColumn(nullptr, grid_, x, y);
    EXPECT_EQ(grid_.TextMatrix(1, 3), "金额▽");
    EXPECT_EQ(column(grid_, 3), (QStringList{"123456789.13", "10", "3.14", "2.5"}));
    EXPECT_EQ(column(grid_, 1), (QStringList{"1", "2", "3", "4"}));

    std::tie(x, y) = headerPoint(grid_, 2);
    SortGridByColumn(nullptr, grid_, x, y);
    EXPECT_EQ(grid_.TextMatrix(1, 3), "金额");
    EXPECT_EQ(grid_.TextMatrix(1, 2), "名称△");

    // Below the header nothing happens; over the fixed columns the widths are fitted again.
    const QStringList before = column(grid_, 2);
    SortGridByColumn(nullptr, grid_, x, grid_.FixedHeight() + 10);
    EXPECT_EQ(column(grid_, 2), before);
    grid_.SetColWidth(4, 7);
    SortGridByColumn(nullptr, grid_, grid_.FixedWidth() - 1, y);
    EXPECT_GT(grid_.ColWidth(4), 7);
    EXPECT_EQ(grid_.TextMatrix(1, 2), "名称△");
}

TEST_F(GridFunctions, AutoFitGivesTextWidthPlus100EmptyColumns50AndAtMostHalfTheGrid) {
    Grid g;
    SetupGrid(g, {"ID", "", "a", "b", "c"}, {"ID", "序号", "金额", "一个很长很长的标题", "长"});
    g.SetRows(4);
    g.SetTextMatrix(2, 2, "12.5");
    g.SetTextMatrix(3, 2, "123456.78");
    g.SetTextMatrix(2, 4, QString(200, QChar(u'长')));
    g.SetWidth(6000);
    AutoFitGridColumns(nullptr, g, 2, true);
    const QFontMetrics fm(QApplication::font());
    const int wide =
        std::max(fm.horizontalAdvance("123456.78"), fm.horizontalAdvance("金额")) * 15 + 100;
    EXPECT_EQ(g.ColWidth(2), wide);
    EXPECT_EQ(g.ColWidth(3), 50);    // no data: 50 whatever the header says
    EXPECT_EQ(g.ColWidth(4), 3000);  // never wider than half the grid
    EXPECT_EQ(g.ColWidth(0), 0);
    EXPECT_EQ(g.ColWidth(1), 50);  // the serial column has no numbers here

    // Without data rows the header row is measured, and the hidden field row too.
    g.SetRows(2);
    AutoFitGridColumns(nullptr, g, 2, false);
    EXPECT_EQ(g.ColWidth(3), std::min(3000, fm.horizontalAdvance("一个很长很长的标题") * 15 + 100));
}

// A grid measured band by band while it fills gets the widths one fit of the whole gives.
TEST_F(GridFunctions, MeasuringInBandsWhileFillingFitsAsOneFitDoes) {
    Grid whole, banded;
    for (Grid* g : {&whole, &banded}) {
        SetupGrid(*g, {"ID", "", "a", "b", "c"}, {"ID", "序号", "金额", "备注", "长"});
        g->SetWidth(60000);
    }
    ColumnFit fit(nullptr, banded, 0);
    const QStringList texts = {"1",    "壹佰贰拾叁元", "12345.67", "",
                               "WWWW", "iiiiiiiiiiii", "第9张"};
    for (int r = 2; r < 700; ++r) {
        for (Grid* g : {&whole, &banded}) {
            g->SetRows(r + 1);
            for (int c = 1; c < 5; ++c)
                g->SetTextMatrix(r, c, texts[(r * 7 + c * 3) % texts.size()].repeated(r % 5));
        }
        if (r % 37 == 0) fit.MeasureTo(banded, r - 1);
    }
    AutoFitGridColumns(nullptr, whole, 0, false);
    fit.Finish(banded, false);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(banded.ColWidth(c), whole.ColWidth(c)) << c;
}

TEST_F(GridFunctions, DeleteGridRowsAsksAboutTheRowsInOrderAndMovesTheRestUp) {
    Grid g;
    tickGrid(g, 8);  // data rows 2..9
    int first = 7, last = 4;
    {
        test::ScriptedAnswers answers;
        answers << int(dlg::No) << int(dlg::Yes);
        DeleteGridRows(g, first, last, true);
        EXPECT_EQ(g.Rows(), 10);  // answered No
        DeleteGridRows(g, first, last, true);
        EXPECT_EQ(answers.messages(), QStringList(2, "您确定要删除第3至第6行？"));
    }
    EXPECT_EQ(first, 4);
    EXPECT_EQ(last, 7);
    EXPECT_EQ(g.Rows(), 6);
    EXPECT_EQ(column(g, 3), (QStringList{"行1", "行2", "行7", "行8"}));
    EXPECT_EQ(column(g, 1), (QStringList{"1", "2", "3", "4"}));  // numbering stays
    EXPECT_EQ(g.CellBackColorAt(4, 3), 7);                       // colours move with the text

    // A range past the end is cut to the last row; a range above the data deletes nothing.
    first = 5;
    last = 99;
    DeleteGridRows(g, first, last, false);
    EXPECT_EQ(g.Rows(), 5);
    EXPECT_EQ(last, 5);
    first = 0;
    last = 1;
    test::ScriptedAnswers none;
    DeleteGridRows(g, first, last, true);
    EXPECT_TRUE(none.messages().isEmpty());
    EXPECT_EQ(g.Rows(), 5);
}

TEST_F(GridFunctions, ClearGridAsksFirstAndSetsUpTheBatchRowsOnlyForTheBatchGrid) {
    Grid batch, other;
    tickGrid(batch, 3);
    tickGrid(other, 3);
    int setups = 0;
    Doors().store.batchGrid = [&batch] { return &batch; };
    Doors().records.setupBatchRows = [&](Grid& g) {
        EXPECT_EQ(&g, &batch);
        ++setups;
    };
    {
        test::ScriptedAnswers answers;  // answered No
        ClearGrid(other, true);
        EXPECT_EQ(answers.lastMessage(), "您确定要清除所有记录？");
        EXPECT_EQ(other.Rows(), 5);
    }
    ClearGrid(other, false);
    EXPECT_EQ(other.Rows(), 2);
    EXPECT_EQ(setups, 0);  // clearing the box property grid leaves the batch alone
    ClearGrid(batch, false);
    EXPECT_EQ(batch.Rows(), 2);
    EXPECT_EQ(setups, 1);
}

TEST_F(GridFunctions, ColourRoutinesKeepTheirNamesAndTheirEffects) {
    Grid g;
    tickGrid(g, 3);
    SetRowBackColour(g, 3, 255);  // the text colour of the whole row
    for (int c = 0; c < g.Cols(); ++c) EXPECT_EQ(g.CellForeColorAt(3, c), 255);
    EXPECT_EQ(g.CellBackColorAt(3, 3), 2);
    SetRowForeColour(g, 2, 0xDDDDDD);  // the back colour of the data cells
    EXPECT_EQ(g.CellBackColorAt(2, 1), 0);
    EXPECT_EQ(g.CellBackColorAt(2, 2), 0xDDDDDD);
    EXPECT_EQ(g.CellBackColorAt(2, 4), 0xDDDDDD);
    SetGridBackColour(g, 0);  // the text colour of every data cell
    EXPECT_EQ(g.CellForeColorAt(3, 3), 0);
    EXPECT_EQ(g.CellForeColorAt(3, 0), 255);  // fixed cells keep theirs

    SetGridCellColour(g, 4, 3, 0, false);
    EXPECT_EQ(g.CellBackColorAt(4, 3), kGridBlack);
    EXPECT_EQ(GetCellProperty(g, 4, 3, false), 0);
    SetGridCellColour(g, 4, 3, 0x123456, true);
    EXPECT_EQ(GetCellProperty(g, 4, 3, true), 0x123456);

    Grid empty;
    SetupGrid(empty, {"a", "b"}, {"a", "b"});
    SetRowForeColour(empty, 1, 5);
    EXPECT_EQ(empty.CellBackColorAt(1, 1), 0);
}

TEST_F(GridFunctions, MeasurementsCountFromTheScrolledTopRowAndLeftColumn) {
    Grid g;
    tickGrid(g, 30);
    for (int r = 1; r < g.Rows(); ++r) g.SetRowHeight(r, 300);
    g.SetTopRow(5);
    g.SetLeftCol(3);
    EXPECT_EQ(GetRowAtY(g, 100), 4);  // in the header band: TopRow - 1
    EXPECT_EQ(GetRowAtY(g, 300), 5);
    EXPECT_EQ(GetRowAtY(g, 899), 6);
    EXPECT_EQ(GetRowAtY(g, 1e9), g.Rows() - 1);
    double x = 0, y = 0;
    GetCellPosition(g, 7, 4, x, y);
    EXPECT_EQ(x, 3000);  // two fixed columns and column 3
    EXPECT_EQ(y, 900);

    double smallest = 0;
    EXPECT_EQ(GetRangeMax(g, 9, 4, 4, 4, -1, &smallest), 80);
    EXPECT_EQ(smallest, 30);
    EXPECT_EQ(GetRangeMax(g, 2, 3, 4, 4, 500), 500);
    GetRangeMax(g, 40, 50, 4, 4, 0, &smallest);
    EXPECT_EQ(smallest, 99999999999.0);

    int a = 9, b = 3;
    OrderPair(a, b);
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 9);
}

TEST_F(GridFunctions, ClickGridCellTicksOneRowOrTogglesTheSelectedRows) {
    Grid g;
    tickGrid(g, 4);  // data rows 2..5, tick column 2
    const double inTick = g.ColPos(2) + 100, outside = g.ColPos(4) + 100;
    const double data = g.RowPos(3) + 50;
    g.Select(3, 3, 3, 3);
    ClickGridCell(g, 2, 1, outside, data);  // one row, outside the tick column: nothing
    EXPECT_EQ(column(g, 2), (QStringList{"", "", "", ""}));
    ClickGridCell(g, 2, 1, inTick, data);
    EXPECT_EQ(column(g, 2), (QStringList{"", "√", "", ""}));
    g.Select(5, 3, 5, 3);
    ClickGridCell(g, 2, 1, inTick, data);
    EXPECT_EQ(column(g, 2), (QStringList{"", "", "", "√"}));

    g.Select(4, 3, 2, 3);  // several rows, chosen upwards: a press anywhere in them ticks
    ClickGridCell(g, 2, 1, outside, data, true);
    EXPECT_EQ(column(g, 2), (QStringList{"√", "√", "√", "√"}));
    ClickGridCell(g, 2, 1, outside, data, true);  // the first is ticked: all cleared
    EXPECT_EQ(column(g, 2), (QStringList{"", "", "", "√"}));

    const double header = g.RowPos(1) + 10;
    ClickGridCell(g, 2, 1, inTick, header, true);  // the tick caption: every row
    EXPECT_EQ(column(g, 2), (QStringList{"√", "√", "√", "√"}));
    ClickGridCell(g, 2, 1, outside, header, true);  // another caption sorts
    EXPECT_EQ(g.TextMatrix(1, 4), "数△");
}

// A picture for people to look at (in the build folder's artifacts/): a shown grid filled from
// the table, sorted, with a selection and coloured rows.
TEST_F(GridFunctions, ScreenshotOfAFilledSortedAndColouredGrid) {
    {
        Transaction t;
        for (int i = 0; i < 36; ++i)
            ExecuteSql(
                "INSERT INTO 账目 (名称, 金额, 日期, 已付, 类别ID) VALUES (?,?,?,?,?)",
                {QStringLiteral("上海申通物流有限公司 %1").arg(i), (i * 7919 % 100000) / 3.0,
                 QString("2013-04-%1").arg(1 + i % 28, 2, 10, QChar('0')), i % 3 == 0, 7 + i % 2});
        t.Commit();
    }
    GridView view;
    view.resize(760, 380);
    Grid& g = view.grid();
    SetupGrid(g, {"ID", "", "名称", "金额", "日期", "已付", "类别:类别ID:名称"},
              {"ID", "序号", "名称", "金额", "日期", "已付", "类别"});
    g.SetTag("账目");
    view.show();
    QApplication::processEvents();
    FillGridFromSql(g, "金额 > ?", "ID", {0});
    ASSERT_GT(g.Rows(), 30);
    ToggleSortColumn(g, 3);
    g.Select(4, 2, 6, 5);
    SetRowBackColour(g, 3, 0x0000FF);  // red text: the open format's row
    SetRowForeColour(g, 8, 0xDDDDDD);  // light grey: the row under the pointer
    SetGridCellColour(g, 9, 6, 0x99FFFF, false);
    view.setFocus();
    QApplication::processEvents();
    const QImage shot = view.grab().toImage();
    ASSERT_TRUE(shot.save(test::ArtifactDir() + "/grid_filled.png"));
    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2) colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 20);
    EXPECT_EQ(g.TextMatrix(1, 3), "金额△");
}
