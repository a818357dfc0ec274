#pragma once
// From a row of the box property grid to its record of table Fmt.

#include <set>
#include <utility>

#include "platform/SqlEngine.h"

namespace bw {

class Grid;

// What one save of a format remembers: the link cells already rewritten (a cell is rewritten
// at most once, so a record ID handed out during the save is never mistaken for a link to a
// row saved later), and the rows whose links were stored while they still pointed at an
// unsaved row.
struct FormatSaveState {
    std::set<std::pair<int, int>> rewritten;  // (row, column)
    std::set<int> unsettled;                  // rows
};

// Writes the row's columns into the current (or new) record, stores it, rewrites every link
// to the row's old identity into the record's ID and puts the ID into column 0. The ID, or
// 0 when the record could not be stored (then nothing in the grid changes).
int SaveRowToRecord(Grid& grid, int row, sql::Recordset& rs, FormatSaveState* state = nullptr);

// True when a link cell still holds a provisional (unsaved) identity of the grid.
bool LinkIsProvisional(const Grid& grid, const QString& cell);

}  // namespace bw
