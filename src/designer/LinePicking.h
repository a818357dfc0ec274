#pragma once
// Finding the line under the pointer on the canvas: lines are drawn by the canvas and get no
// mouse events of their own.

class QWidget;

namespace bw {

class Line;

// Screen twips per pixel of the canvas (its geometry is laid out at 15 twips per logical
// pixel, which is what a 96 dpi screen gives).
double ScreenTwipsPerPixel();

// Where (x, y) canvas units lies on one line: -1 off it, 0 within the tolerance square of its
// start point (tested first), 2 that of its end point, 1 on the segment (vertical distance
// within the tolerance for a sloped line; within the y range for a steep one). The tolerance
// is 30 units, or the line's whole width once that reaches 60 units.
int LineHitPart(const Line* line, double x, double y);

// The lowest-indexed line under (x, y), or null; part gets LineHitPart's answer. Nothing is
// found while the format is locked (and the pointer is left alone). When a line is found the
// canvas pointer becomes 5 on its start point, 8 on its end point and 2 on the segment (only
// from the default pointer), the drag point becomes (x, y) and the tooltip tells how to drag.
// When none is found and the left button is up, the pointer goes back to the default.
Line* FindLineAt(int button, double x, double y, int& part);

// Shows the pointer code (0 default, 2 cross, 3 I-beam, 5 move, 8 resize) on a widget.
void ShowPointerShape(QWidget* widget, int code);

}  // namespace bw
