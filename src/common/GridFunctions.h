#pragma once
// The routines every table view of the program shares: laying out a grid's columns,
// filling it from a table, clearing and deleting rows, fitting the column widths to the
// text, sorting by a header click with a mark in the header, colouring cells and rows,
// ticking rows with "√", and a few measurements.
//
// A grid laid out by SetupGrid has two fixed rows: row 0, hidden, names the field that
// fills each column; row 1 holds the captions. The column captioned "序号" is the last
// fixed column and carries the serial number of each row. The grid's Tag names the table
// that FillGridFromSql reads. Measurements are twips of the grid.

#include <QString>
#include <QStringList>
#include <utility>

#include "common/Database.h"
#include "platform/Grid.h"

class QWidget;

namespace bw {

// Cell colour 0 means "the grid's default", so black is kept as this near-black value and
// reported as 0 again when read.
inline constexpr GridColor kGridBlack = 0x010101;

// Sort marks at the end of a header caption, and the tick of a chosen row.
inline const QString kSortAscendingMark = QStringLiteral("△");
inline const QString kSortDescendingMark = QStringLiteral("▽");
inline const QString kTickMark = QStringLiteral("√");

// One column per entry: `fields` go into the hidden row 0, `captions` into row 1; two fixed
// rows, two fixed columns, no data rows, every column aligned left-top and the serial
// column left-bottom. Lists of different length change nothing.
void SetupGrid(Grid& grid, const QStringList& fields, const QStringList& captions);

// Fills the data rows with "SELECT * FROM <Tag>" [" WHERE " where] [" ORDER BY " order].
// `where` takes "?" for each value in `params`; user text never goes into it. Each column
// shows the field named in row 0: "" leaves it empty (the serial column gets 1, 2, 3 …),
// "table:field:column" shows `column` of the row of `table` whose ID is the value of
// `field`, "Color" gives the cell the field's value as back colour (black kept as
// kGridBlack); doubles show two decimals, dates "yyyy.mm.dd", Booleans "√" or "". The
// column captioned "序号" becomes the last fixed column. The widths are fitted afterwards.
void FillGridFromSql(Grid& grid, const QString& where = QString(), const QString& order = QString(),
                     const Params& params = {});

// Where a cell starts inside the grid, for placing an editor over it: the fixed widths plus
// the widths from LeftCol to col - 1, and the same for rows.
void GetCellPosition(const Grid& grid, int row, int col, double& x, double& y);

// Removes every data row, after the question "您确定要清除所有记录？" when `ask`. Clearing
// the batch grid brings the batch rows of the main window up to date.
void ClearGrid(Grid& grid, bool ask);

// Removes the rows first..last (given in any order, kept inside the data rows and handed
// back so), after the question "您确定要删除第a至第b行？" when `ask`. The serial column keeps
// its numbering.
void DeleteGridRows(Grid& grid, int& first, int& last, bool ask);

// Each column from the serial column on becomes as wide as its widest text from startRow
// on (and its caption) in the font of `form` (the application font when null), plus 100;
// 50 when it holds no text; at most half the grid's width. Columns before the serial
// column are hidden. Above 200 rows, with `showProgress`, the progress window shows.
void AutoFitGridColumns(QWidget* form, Grid& grid, int startRow, bool showProgress);

// A press at (x, y) in the header band: over the fixed columns the widths are fitted again;
// over a data column the rows are sorted by it (ToggleSortColumn). Elsewhere nothing.
void SortGridByColumn(QWidget* form, Grid& grid, double x, double y);

// Sorts the data rows by the column: ascending with "△" on its caption the first time,
// then toggling between "▽" (descending) and "△". The other captions lose their marks;
// the serial column is numbered again from the top.
void ToggleSortColumn(Grid& grid, int col);

// The row whose band holds y: TopRow - 1 for a y within the fixed rows, the last row
// for a y below all rows.
int GetRowAtY(const Grid& grid, double y);

// A grid whose rows could not be read from the data file keeps the cause, in the user's
// words, until a read succeeds (SetGridReadFailure with ""): what it shows then is not what
// the file holds, and an export refuses it.
void SetGridReadFailure(Grid& grid, const QString& why);
QString GridReadFailure(const Grid& grid);  // "" when its last read succeeded

// Puts two values in ascending order.
template <class T>
void OrderPair(T& a, T& b) {
    if (b < a) std::swap(a, b);
}

// The names of these two are the reverse of what they do, and the program calls each by
// its name for that effect: SetRowBackColour sets the text colour of every cell of the
// row (red marks the open format in the format list); SetRowForeColour sets the back
// colour of the row's data cells (the light-grey highlight of the row under the pointer)
// and does nothing when the grid has no data rows. Likewise SetGridBackColour sets the
// text colour of every data cell.
void SetRowBackColour(Grid& grid, int row, GridColor colour);
void SetRowForeColour(Grid& grid, int row, GridColor colour);
void SetGridBackColour(Grid& grid, GridColor colour);

// A cell's text colour (fore) or back colour, with kGridBlack read as 0.
GridColor GetCellProperty(const Grid& grid, int row, int col, bool fore);
// Sets a cell's text colour (fore) or back colour; 0 (black) is kept as kGridBlack.
void SetGridCellColour(Grid& grid, int row, int col, GridColor colour, bool fore);

// The largest of `start` and the numbers (leading number of the text) of the cells in the
// rectangle; the corners may come in any order. `smallest`, when given, receives the
// smallest of those numbers (99999999999 when the rectangle is empty).
double GetRangeMax(const Grid& grid, int row1, int row2, int col1, int col2, double start,
                   double* smallest = nullptr);

// A press in a grid with a tick column: on the tick column's caption all data rows are
// ticked, on another caption the grid is sorted; in the data, a press in the tick column
// (or anywhere with several rows selected) ticks: the current row alone when `several` is
// false, else every selected row, all cleared when the first of them is ticked.
void ClickGridCell(Grid& grid, int tickCol, int button, double x, double y, bool several = false);

}  // namespace bw
