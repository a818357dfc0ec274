#pragma once
// The canvas as a designer: the main window's mouse, key and focus handlers of the canvas PG
// and of the boxes on it, and the event filter that turns Qt's events into them.
// Coordinates are canvas units (twips of the canvas) for the canvas, the box's own units for
// a box; Button and Shift as in DesignState.h.

namespace bw {

class BoxControl;

void PG_MouseDown(int button, int shift, double x, double y);
void PG_MouseMove(int button, int shift, double x, double y);
void PG_MouseUp(int button, int shift, double x, double y);

// A box of any of the four arrays with widgets (text, check, picture boxes and labels).
void Box_MouseDown(BoxControl* box, int button, int shift, double x, double y);
void Box_MouseMove(BoxControl* box, int button, int shift, double x, double y);

// Pointer over the window outside the canvas or over the zoom buttons: the format tree slides
// out.
void Form_MouseMove();

// Starts turning the canvas's and boxes' events into the handlers above (once per main
// window state); the canvas takes the focus on a click so that the arrow keys reach it.
void InstallCanvasDesigner();

// The rubber band is on show.
bool RubberBandShown();

}  // namespace bw
