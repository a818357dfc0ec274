#pragma once
// From a box on the canvas back to its row of the box property grid.

class QWidget;

namespace bw {

class BoxControl;
class Grid;

// Writes the box into its row, appending a row (with a provisional identity) for a box
// that has none. The row.
int UpdateRowFromBox(BoxControl* box);
// The identity for a row about to be appended: a negative number below the negation of
// every identity and link in the grid and of every record ID of the database, so that it
// can never be mistaken for a stored record or a negated link to one.
int NewProvisionalId(const Grid& grid);
// Copies the source's row onto the target's row (copyIntoTarget) and shows the result.
void CopyBoxProperties(BoxControl* source, BoxControl* target, bool copyIntoTarget);
// A dialog's sample control's font (unscaled) and colour into a row.
void StoreControlFont(Grid& grid, int row, QWidget* source);

}  // namespace bw
