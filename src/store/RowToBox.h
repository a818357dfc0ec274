#pragma once
// From a row of the box property grid to what the box looks like on the canvas.

class QWidget;

namespace bw {

class BoxControl;
class Grid;

// Sets the box from its row; with no box given, the box of the row is found (and handed
// back). Null when the row is not a box row.
BoxControl* ApplyRowToBox(Grid& grid, int row, BoxControl*& box);
BoxControl* ApplyRowToBox(Grid& grid, int row);
// Throws every box away and builds one per grid row again.
void ReloadFormatBoxes(Grid& grid, bool showProgress);
// The row's font (unscaled), colour and style onto a dialog's sample control.
void ApplyRowFont(Grid& grid, int row, QWidget* target);

// Reads a cell as a number the way every reader of the grid does: 0 for an empty or
// non-numeric cell.
double CellNumber(const Grid& grid, int row, int column);

}  // namespace bw
