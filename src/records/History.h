#pragma once
// The history of printed bills: every recorded bill of a format gets the next bill number
// and one row per non-empty box in table 历史; the history grid's rows are deleted here.

#include <QString>

namespace bw {

class Grid;

// Records the open bill under the format with 1 + the format's largest bill number: one row
// per non-empty text, check and picture box of a stored record (a text box's text, a check
// box's state number, a picture box's picture or barcode text), all or none. Inside the
// caller's transaction (a batch) a bill that fails takes back only its own rows. The new
// bill number; 0 when the bill has nothing to record (its boxes are all empty); -1 when it
// could not be written (LastDatabaseError says why).
int SaveBillToHistory(const QString& format);

// Takes back the format's bills numbered first to last, all or none, as when the paper they
// were recorded for did not go out. False when the file refused.
bool DeleteBills(const QString& format, int first, int last);

// The largest bill number of the format; 0 when it has none.
int LastBillNumber(const QString& format);

// Deletes the bills of the selected rows Row..RowSel (either way round) of the history
// grid, from table 历史 and from the grid, after the question "您确定要删除第a至第b行？"
// (a, b counted from the first data row), all of them or none: when the file refuses (another
// program holds it) the user is told why and the grid keeps its rows. Nothing without data
// rows. Refused with a message when the grid shows another format than the open one.
void DeleteHistoryRows(Grid& grid);

// The same for every data row of the grid; nothing (and no question) without data rows.
void DeleteAllHistoryRows(Grid& grid);

}  // namespace bw
