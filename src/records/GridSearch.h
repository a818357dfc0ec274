#pragma once
// The text search of the batch and history grids (the "查找" buttons beside their keyword
// boxes).

#include <QString>

namespace bw {

class Grid;

// Looks for `text` (trimmed) in the data cells of the grid (any column but
// the fixed ones, case-sensitive), row by row from the current row, wrapping to the first
// data row. When a previous hit left the current row selected whole, the search starts at
// the row after it and comes back to that row last. A hit becomes the top row and is
// selected whole (true). No hit shows "没有查到相关的记录！" and changes nothing; an empty
// text or a grid without data rows does nothing (false either way).
bool FindInGrid(Grid& grid, QString text);

}  // namespace bw
