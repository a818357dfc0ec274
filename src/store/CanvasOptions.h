#pragma once
// The main window's handlers of the canvas options, the zoom buttons and the canvas
// scroll bars.

namespace bw {

// Applies an option check box to the view: 0 (rulers) and 4 (background picture) redraw the
// canvas background; 2 locks or unlocks the layout commands; 1 and 3 only matter when
// printing.
void O2_Click(int index);

// The zoom buttons: 0 larger by a tenth, 1 smaller by a tenth, 2 as wide as the frame.
void Zm_Click(int index);

// The canvas scroll bars: each step of VS moves the canvas by a fifth of the frame's
// height, each step of PHS by a fifth of the part that sticks out.
void VS_Change();
void PHS_Change();

// Ties the option check boxes and the scroll bars of MF() to the handlers above (once).
void ConnectCanvasHandlers();

}  // namespace bw
