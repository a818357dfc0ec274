#pragma once
// A loaded batch belongs to the format it was imported for: its columns are that format's
// boxes. Before another format is opened the user is asked whether the batch may go, and
// the batch grid is emptied once that format opens, so that nothing of one format's batch
// is shown in or printed on another.

#include <QString>

namespace bw {

class Grid;

// The number of records in the batch grid; 0 while it lacks its two header rows (no batch
// has been loaded).
int BatchRecordCount(const Grid& grid);

// The question asked before a format other than `format` is opened while it holds a batch
// of `records` records.
QString BatchDropQuestion(const QString& format, int records);

// Before a format other than the open one is opened: with a batch loaded, asks whether its
// records may be cleared. True when no batch is loaded or the user answered Yes.
bool MayDropBatch();

// Empties the batch grid, its columns too (their captions are the boxes of the format left),
// and brings the record numbers, the batch scroll bar and the batch print button up to date.
// Nothing when it holds neither.
void DropBatch();

}  // namespace bw
