#pragma once
// The history grid of the main window (MSF(2)): one row per recorded bill of a format,
// newest first, one column per shown box, in the column order saved for the format.
//
// Layout: row 0 (height 0) holds each box column's record ID, row 1 the captions ("序号"
// and the box labels); column 0 (width 0) holds each row's bill number, column 1 the
// serial number. The grid's Tag holds the key of its last load, "<format>|<limit>".

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/SqlReadAhead.h"

namespace bw {

class Grid;

// The parameter that holds a format's column order: record IDs joined with ";".
QString ColumnOrderParam(const QString& format);

// The format's text, check and picture boxes as (record ID, label), ascending ID.
struct HistoryColumn {
    qint64 id = 0;
    QString label;
};
// `read` (when given) tells whether the table could be read.
QList<HistoryColumn> FormatInputBoxes(const QString& format, bool* read = nullptr);

// Puts the boxes named by the order (IDs separated by ";") first, in that order, and
// returns how many were named; items that are no number or no box are skipped, an ID
// named twice counts once.
int ApplyColumnOrder(QList<HistoryColumn>& boxes, const QString& order);

// Resets the grid to its two fixed rows and columns and adds one column per shown box: all
// input boxes when the format has no column order, else only the ordered ones. False when
// the boxes or the order could not be read (the grid then has no box columns).
bool SetHistoryGridColumns(Grid& grid, const QString& format);

// The query of the format's newest bills, newest first, each bill with all its rows: the
// bills that the first `limit` rows of table 历史 reach (every row when limit < 1), in one
// query or in parts read side by side. Empty when the table could not be read.
std::vector<sql::QueryPart> HistoryQueryParts(const QString& format, int limit);

// Shows the format's newest bills reached by the first `limit` rows of table 历史, each
// whole (every bill when limit < 1). Skipped when the grid's Tag shows the same load already.
// The show-all button (COM 25) is enabled exactly when rows were left out. A read the file
// refuses (another program holds it) is told, with its cause; the grid then shows no bills,
// keeps the cause (GridReadFailure) and its Tag is cleared, so that the next showing reads
// again.
void LoadHistoryGrid(Grid& grid, const QString& format, int limit);

// The format whose bills the grid shows; "" before its first load.
QString HistoryGridFormat(const Grid& grid);

// True when the grid shows the open format's bills or has none to act on; otherwise says
// so to the user and returns false.
bool HistoryGridMatchesFormat(const Grid& grid);

}  // namespace bw
