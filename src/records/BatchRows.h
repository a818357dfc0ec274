#pragma once
// The batch grid as the boxes see it: row 0 names, for each column, the box index it feeds
// (a column narrower than 51 twips counts as unmapped); records start at the first row below
// the two fixed rows, column 0 holding their serial number.

class QScrollBar;

namespace bw {

class Grid;

// The narrowest column that still feeds its box, in twips.
inline constexpr int kBatchColumnMinWidth = 51;

// The number of records in the batch grid; 0 while it lacks its two header rows (no batch
// has been loaded).
int BatchRecordCount(const Grid& grid);

// Puts the record of a grid row into the boxes it feeds (text, check and picture boxes, each
// through its data type's conversion) and shows its number in R_Num(1). Rows outside the
// records are ignored.
void LoadBatchRow(Grid& grid, int row);

// After the batch grid changed: with records the scroll bar steps through 1 .. their number
// and the first record is shown; without, its maximum is 1. R_Num(0) shows the number of
// records.
void SetupBatchRows(Grid& grid, QScrollBar* bar);

// The batch grid's commands: show the record of the grid's current row in the boxes (by the
// batch scroll bar), and delete the selected records after asking.
void ShowSelectedBatchRecord();
void DeleteSelectedBatchRows();

}  // namespace bw
