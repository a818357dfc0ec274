#pragma once
// The design canvas's size: as wide as its frame when a format is shown, as high as the
// paper's proportions give; zoomed in steps with the boxes rebuilt at the new scale; the two
// canvas scroll bars kept in step with it.

namespace bw {

// Makes the canvas as wide as its frame for paper of the given size, sets up the vertical
// scroll bar and redraws the background. False (nothing changed) for a size that is not
// positive.
bool SizeCanvasToFormat(double widthMm, double heightMm);

// Scales the canvas by (1 + delta) and rebuilds the boxes at the new scale, keeping what the
// user entered in them. A size the canvas cannot take (not positive, or beyond what a
// picture can hold) is skipped and the boxes are rebuilt at the present size.
void ZoomCanvas(double delta);

// Throws the boxes away and builds them again from the box property grid (after a change of
// scale), keeping what the user entered: texts, ticks and what each picture box shows.
void ReloadBoxesKeepingValues(bool showProgress);

// Recomputes both canvas scroll bars after the canvas changed size: the canvas goes back to
// its top, and keeps its horizontal place in proportion.
void ResetCanvasScroll();

// The largest canvas side in screen pixels that a zoom may give (the canvas keeps a picture
// of its own size).
inline constexpr int kMaxCanvasPixels = 8000;

}  // namespace bw
