#pragma once
// Whole-format tools of the main window's tool menu.

namespace bw {

// Pulls every box that lies (partly) outside the bill back onto it: a line's ends are
// clamped to the canvas, any other box is moved inside it; the moved boxes' grid rows are
// rewritten. A box beyond both the left and the top edge starts again at (0, 300).
void PullBoxesOntoBill();

// Drops the rows of formats that lost their whole-format row and the default contents of
// formats that are gone, then compacts the data file.
void CleanUpDataFile();

}  // namespace bw
