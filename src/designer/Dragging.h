#pragma once
// Moving and resizing boxes on the canvas with the mouse and the arrow keys, and stepping
// their font sizes. Lengths are canvas units (twips of the canvas); every change is written
// into the box's grid row at once.

namespace bw {

class BoxControl;

// One mouse move over a box (x, y in the box's own units) or, for a line, over the canvas
// (canvas units). Locked (lockValue 1): the box gets the default pointer, nothing else.
// Left button held: with pointer 5 the selected boxes and this one move by the offset from
// the drag point once it passes 12 units on either axis; with pointer 8 they are resized and
// the drag point follows; a line drags (whole, or its start or end point by the canvas
// pointer) and the drag point follows. No button: the pointer's place chooses the mode: the
// top-left 100 units move, the bottom-right 100 units resize (resizable boxes only), the
// rest is for typing.
void DesignMouseMove(BoxControl* box, int button, double x, double y, int lockValue,
                     bool resizable);

// Moves every selected box, and the box of boxIndex (-1 none), by (dx, dy).
void MoveSelectedBoxes(long dx, long dy, int boxIndex);

// Resizes every selected box but check boxes and lines, and the box of boxIndex, by (dw, dh).
void ResizeSelectedBoxes(long dw, long dh, int boxIndex);

// Resizes one box: a size below 0 becomes 0; the box ends at the canvas's far edges at most.
// The caption label follows and the grid row is rewritten.
void ResizeBox(long dw, long dh, BoxControl* box);

// The arrow keys (37 left, 38 up, 39 right, 40 down) on the canvas or a text box: alone they
// move the selected boxes by 10 units, with Shift (1) resize them, with Ctrl (2) step their
// font size by half a point. Nothing while locked, for other keys or other modifiers.
void DesignKeyDown(int keyCode, int shift, int lockValue);

// Adds delta points to the font size of every selected box (its grid row, then the box from
// the row). The size never goes below 1 point.
void StepSelectedFontSize(double delta);

// The smallest font size a step gives.
inline constexpr double kSmallestFontStep = 1.0;

}  // namespace bw
