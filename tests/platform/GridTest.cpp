#include <gtest/gtest.h>

#include <QSignalSpy>

#include "platform/Grid.h"

using namespace bw;

namespace {

// A grid of `rows` x `cols` with one fixed row and column and cell texts "r,c".
void fill(Grid& g, int rows, int cols) {
    g.SetCols(cols);
    g.SetRows(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) g.SetTextMatrix(r, c, QString("%1,%2").arg(r).arg(c));
}

QStringList column(const Grid& g, int col) {
    QStringList out;
    for (int r = g.FixedRows(); r < g.Rows(); ++r) out << g.TextMatrix(r, col);
    return out;
}

}  // namespace

TEST(Grid, ShapeChangesKeepTextAndRefuseImpossibleFixedCounts) {
    Grid g;
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.Cols(), 2);
    EXPECT_EQ(g.FixedRows(), 1);
    EXPECT_EQ(g.FixedCols(), 1);
    fill(g, 4, 3);
    g.SetRows(6);
    g.SetCols(5);
    EXPECT_EQ(g.TextMatrix(3, 2), "3,2");
    EXPECT_EQ(g.TextMatrix(5, 4), "");
    g.SetRows(3);
    EXPECT_EQ(g.TextMatrix(3, 2), "");  // dropped, and reading outside gives ""
    g.SetRows(4);
    EXPECT_EQ(g.TextMatrix(3, 2), "");  // a row that comes back is empty

    g.SetFixedRows(9);  // more fixed rows than rows: refused
    EXPECT_EQ(g.FixedRows(), 1);
    g.SetFixedRows(2);
    g.SetRows(0);  // fewer rows than fixed rows lowers the fixed rows
    EXPECT_EQ(g.FixedRows(), 0);
    g.SetRows(20);
    g.SetFixedRows(1);
    EXPECT_EQ(g.Rows(), 20);
    EXPECT_EQ(g.TextMatrix(1, 1), "");

    g.SetTextMatrix(99, 0, "x");  // outside: nothing
    g.SetTextMatrix(0, -1, "x");
    EXPECT_EQ(g.TextMatrix(99, 0), "");
}

TEST(Grid, ColumnChangesKeepEachRowsTextsAndColoursInTheirCells) {
    Grid g;
    fill(g, 5, 4);
    g.SetCellBackColorAt(3, 1, 7);
    g.SetCellForeColorAt(4, 3, 9);
    g.SetCols(2);
    g.SetCols(3);
    EXPECT_EQ(column(g, 1), (QStringList{"1,1", "2,1", "3,1", "4,1"}));
    EXPECT_EQ(column(g, 2), (QStringList{"", "", "", ""}));  // a column that comes back is empty
    EXPECT_EQ(g.CellBackColorAt(3, 1), 7);
    EXPECT_EQ(g.CellForeColorAt(4, 2), 0);
    g.SetTextMatrix(4, 2, "x");
    g.SetRows(7);  // rows added after a column change line up with the others
    g.SetTextMatrix(6, 0, "y");
    EXPECT_EQ(g.TextMatrix(4, 2), "x");
    EXPECT_EQ(g.TextMatrix(6, 0), "y");
    EXPECT_EQ(g.TextMatrix(5, 0), "");
}

TEST(Grid, SettingRowOrColCollapsesTheSelectionAndSignalsOnce) {
    Grid g;
    fill(g, 10, 5);
    QSignalSpy moved(&g, &Grid::RowColChange);
    QSignalSpy entered(&g, &Grid::EnterCell);
    QSignalSpy left(&g, &Grid::LeaveCell);
    QSignalSpy sel(&g, &Grid::SelChange);
    g.Select(2, 1, 6, 3);
    EXPECT_EQ(g.SelTop(), 2);
    EXPECT_EQ(g.SelBottom(), 6);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(sel.count(), 1);
    g.SetRowSel(1);  // a range upwards
    EXPECT_EQ(g.SelTop(), 1);
    EXPECT_EQ(g.SelBottom(), 2);
    EXPECT_EQ(moved.count(), 1);  // the current cell did not move
    EXPECT_EQ(sel.count(), 2);
    g.SetRow(4);
    EXPECT_EQ(g.RowSel(), 4);
    EXPECT_EQ(g.ColSel(), 3);  // only the row part collapses
    g.SetCol(2);
    EXPECT_EQ(g.ColSel(), 2);
    EXPECT_EQ(moved.count(), 3);
    EXPECT_EQ(entered.count(), 3);
    EXPECT_EQ(left.count(), 3);
    g.SetRow(4);   // no change, no signal
    g.SetRow(10);  // outside: refused
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(moved.count(), 3);
    EXPECT_TRUE(g.IsSelected(4, 2));
    EXPECT_FALSE(g.IsSelected(4, 3));
    g.SetSelectionMode(GridSelectionMode::ByRow);
    EXPECT_TRUE(g.IsSelected(4, 4));
    EXPECT_FALSE(g.IsSelected(4, 0));  // never the fixed column
}

TEST(Grid, ShrinkingMovesTheCurrentCellAndScrollIntoTheGrid) {
    Grid g;
    fill(g, 100, 4);
    g.Select(80, 3, 90, 3);
    g.SetTopRow(70);
    QSignalSpy moved(&g, &Grid::RowColChange);
    QSignalSpy scrolled(&g, &Grid::Scroll);
    g.SetRows(50);
    EXPECT_EQ(g.Row(), 49);
    EXPECT_EQ(g.RowSel(), 49);
    EXPECT_EQ(g.TopRow(), 49);
    EXPECT_EQ(moved.count(), 1);
    EXPECT_EQ(scrolled.count(), 1);
    g.SetCols(2);
    EXPECT_EQ(g.Col(), 1);

    // Rows that appear under a grid that had only its header make the first one current.
    g.SetFixedRows(2);
    g.SetRows(2);
    EXPECT_EQ(g.Row(), 1);
    g.SetRows(5);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.TopRow(), 2);
}

TEST(Grid, SizesAndGeometryFollowTheScrollAndSkipHiddenBands) {
    Grid g;
    fill(g, 6, 5);
    g.SetFixedCols(2);
    for (int c = 0; c < 5; ++c) g.SetColWidth(c, 1000);
    g.SetColWidth(0, 0);  // hidden
    for (int r = 0; r < 6; ++r) g.SetRowHeight(r, 300);
    EXPECT_EQ(g.FixedWidth(), 1000);
    EXPECT_EQ(g.ColPos(1), 0);
    EXPECT_EQ(g.ColPos(3), 2000);
    EXPECT_EQ(g.ColAtX(0), 1);  // the hidden column is never hit
    EXPECT_EQ(g.ColAtX(2999), 3);
    EXPECT_EQ(g.ColAtX(4000), -1);
    g.SetLeftCol(3);
    EXPECT_EQ(g.ColPos(2), -1);  // scrolled away
    EXPECT_EQ(g.ColPos(3), 1000);
    EXPECT_EQ(g.ColAtX(1500), 3);
    g.SetTopRow(3);
    EXPECT_EQ(g.RowPos(3), 300);
    EXPECT_EQ(g.RowAtY(299), 0);
    EXPECT_EQ(g.RowAtY(600), 4);
    g.Select(4, 3, 4, 3);
    EXPECT_EQ(g.CellLeft(), 1000);
    EXPECT_EQ(g.CellTop(), 600);
    EXPECT_EQ(g.CellWidth(), 1000);

    g.SetColWidth(4, -1);  // back to the default
    EXPECT_EQ(g.ColWidth(4), Grid::kDefaultColWidth);
    g.SetColWidth(4, -7);  // refused
    EXPECT_EQ(g.ColWidth(4), Grid::kDefaultColWidth);
    EXPECT_EQ(g.ColWidth(9), 0);
    g.SetTopRow(0);  // a fixed row cannot be the top row
    EXPECT_EQ(g.TopRow(), 3);
}

TEST(Grid, GenericSortPutsNumbersFirstInValueOrderAndKeepsTies) {
    Grid g;
    g.SetCols(3);
    g.SetRows(1);
    const QStringList values = {"10", "9", "b", "", "2.5", "A", "1,200", "9"};
    for (int i = 0; i < values.size(); ++i) {
        g.SetRows(g.Rows() + 1);
        g.SetTextMatrix(i + 1, 1, values[i]);
        g.SetTextMatrix(i + 1, 2, QString::number(i));  // original position
        g.SetCellBackColorAt(i + 1, 2, 100 + i);
    }
    g.Select(1, 1, 1, 1);
    g.SetSort(SortGenericAscending);  // one row selected: every data row is sorted
    EXPECT_EQ(column(g, 1), (QStringList{"2.5", "9", "9", "10", "1,200", "", "A", "b"}));
    EXPECT_EQ(column(g, 2).mid(1, 2), (QStringList{"1", "7"}));  // equal rows keep their order
    EXPECT_EQ(g.CellBackColorAt(2, 2), 101);                     // colours travel with the rows
    g.SetSort(SortGenericDescending);
    EXPECT_EQ(column(g, 1), (QStringList{"b", "A", "", "1,200", "10", "9", "9", "2.5"}));

    g.SortRows(SortStringAscending, 1, 4, 1, 1);  // only part of the rows
    EXPECT_EQ(column(g, 1), (QStringList{"", "1,200", "A", "b", "10", "9", "9", "2.5"}));
    g.SortRows(SortNumericAscending, 1, 8, 1, 1);
    EXPECT_EQ(column(g, 1).first(3), (QStringList{"", "A", "b"}));  // text counts 0
}

TEST(Grid, SortsChineseTextInPinyinOrderAndBreaksTiesWithTheNextColumn) {
    Grid g;
    g.SetCols(3);
    g.SetRows(5);
    const char* names[] = {"张三", "李四", "王五", "李四"};
    const char* second[] = {"1", "9", "5", "3"};
    for (int i = 0; i < 4; ++i) {
        g.SetTextMatrix(i + 1, 1, QString::fromUtf8(names[i]));
        g.SetTextMatrix(i + 1, 2, second[i]);
    }
    g.Select(1, 1, 4, 2);  // rows 1..4, keys columns 1 and 2
    g.SetSort(SortGenericAscending);
    EXPECT_EQ(column(g, 1), (QStringList{"李四", "李四", "王五", "张三"}));
    EXPECT_EQ(column(g, 2), (QStringList{"3", "9", "5", "1"}));
}

TEST(Grid, RemovingRowsMovesTheRestUp) {
    Grid g;
    fill(g, 8, 3);
    g.SetCellForeColorAt(6, 1, 255);
    g.Select(7, 1, 7, 1);
    g.RemoveRows(2, 3);
    EXPECT_EQ(g.Rows(), 5);
    EXPECT_EQ(g.TextMatrix(2, 1), "5,1");
    EXPECT_EQ(g.CellForeColorAt(3, 1), 255);
    EXPECT_EQ(g.Row(), 4);
    g.RemoveRows(3, 99);  // as many as there are
    EXPECT_EQ(g.Rows(), 3);
}

TEST(Grid, ChangesAreAnnouncedOnceUntilTheViewHasCaughtUp) {
    Grid g;
    QSignalSpy changed(&g, &Grid::Changed);
    fill(g, 50, 5);
    EXPECT_EQ(changed.count(), 1);
    g.AcknowledgeChanges();
    g.SetTextMatrix(3, 3, "new");
    g.SetTextMatrix(3, 3, "new");
    g.SetCellBackColorAt(3, 3, 5);
    EXPECT_EQ(changed.count(), 2);
    g.AcknowledgeChanges();
    g.SetTextMatrix(3, 3, "new");  // no change at all
    EXPECT_EQ(changed.count(), 2);
    QSignalSpy visible(&g, &Grid::VisibleChanged);
    g.SetVisible(false);
    g.SetVisible(false);
    EXPECT_EQ(visible.count(), 1);
}
