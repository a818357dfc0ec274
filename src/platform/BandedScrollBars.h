#pragma once
// Scroll bars painted a band of rows at a time.
//
// Qt's raster painter hands a fill of 96 scan lines or more (a gradient, a pen, anything but a
// plain colour) to its thread pool and waits for it to come back. A vertical scroll bar's
// groove and slider are such fills, a dozen or more per paint; the round trips to the pool's
// thread and the painting thread's waits cost more than the painting itself (several
// milliseconds for the main window's bars, more where the processor slows down while it
// waits). Painted a band of fewer rows at a time, each fill stays on the painting thread.
//
// Each band is painted by the style into an image of its own and then put in place: the style
// sets clips of its own while it paints a bar, so a band cannot be cut out by clipping alone.
// The pixels are the ones the style paints in one go.

class QScrollBar;
class QStyle;

namespace bw {

// Rows a band holds: fewer than a fill the painter would hand on.
inline constexpr int kScrollBarBandRows = 95;

// Has `bar` painted in bands by BandedScrollBarStyle().
void PaintInBands(QScrollBar* bar);

// The style that paints scroll bars in bands: a style of the application style's kind, all
// else as it. One for the application, shared by every bar it is set on.
QStyle* BandedScrollBarStyle();

}  // namespace bw
