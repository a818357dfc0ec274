#pragma once
// Editing boxes on the canvas.

namespace bw {

class BoxControl;

// Moves a box by (dx, dy) canvas units. Text, check, picture boxes and labels stay inside
// the canvas; a line moves its start point (canvas pointer 5), its end point (8) or both.
// The caption label follows and the box's grid row is rewritten.
void MoveBox(int dx, int dy, BoxControl* box);

// True when the box shows the designer's selection look.
bool IsBoxSelected(const BoxControl* box);

}  // namespace bw
