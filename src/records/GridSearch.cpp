#include "records/GridSearch.h"

#include "platform/Dialogs.h"
#include "platform/Grid.h"

namespace bw {

namespace {

bool rowHolds(const Grid& grid, int row, const QString& text) {
    for (int c = grid.FixedCols(); c < grid.Cols(); ++c)
        if (grid.TextRef(row, c).contains(text)) return true;
    return false;
}

}  // namespace

bool FindInGrid(Grid& grid, QString text) {
    text = text.trimmed();
    if (!grid.HasDataRows() || text.isEmpty()) return false;
    const int first = grid.FixedRows(), rows = grid.Rows();
    auto next = [&](int r) { return r + 1 >= rows ? first : r + 1; };
    const int current = std::clamp(grid.Row(), first, rows - 1);
    const bool wholeRowSelected = grid.Col() == grid.FixedCols() &&
                                  grid.ColSel() == grid.Cols() - 1 && grid.RowSel() == grid.Row();
    // Every data row once; after a hit the search goes on below it and comes to that row
    // last.
    int hit = -1;
    int r = wholeRowSelected ? next(current) : current;
    for (int seen = 0; seen < rows - first; ++seen, r = next(r)) {
        if (rowHolds(grid, r, text)) {
            hit = r;
            break;
        }
    }
    if (hit < 0) {
        dlg::MsgBox(QStringLiteral("没有查到相关的记录！"), dlg::OkOnly);
        return false;
    }
    grid.SetTopRow(hit);
    grid.SetRow(hit);
    grid.SetCol(grid.FixedCols());
    grid.SetRowSel(hit);
    grid.SetColSel(grid.Cols() - 1);
    return true;
}

}  // namespace bw
