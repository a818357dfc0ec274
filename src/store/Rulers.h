#pragma once
// The canvas background: the format's scanned picture and the measuring grid in paper
// millimetres (a pale line every 2 mm, a deeper one every centimetre, the centimetre
// numbers along all four edges).

#include <QColor>
#include <QString>

namespace bw {

class Canvas;
class DrawTarget;
class PictureBox;
class PictureWidget;

// Line colours of the grid.
inline const QColor kMinorRulerColour = QColor(0xFF, 0xC0, 0x8D);       // every 2 mm
inline const QColor kCentimetreRulerColour = QColor(0xFF, 0x72, 0x00);  // every 1 cm

// Clears the canvas, lays the background picture (when option 4 is ticked and TP holds one)
// over it, hides the boxes' caption labels while the picture shows, and draws the grid and
// its numbers when drawGrid is 1. widthMm is the paper width.
void DrawRulers(Canvas* canvas, double widthMm, int drawGrid);

// The whole picture of src stretched over the whole of dst.
void StretchCopyPicture(PictureBox* src, PictureWidget* dst);

// Writes text at (x, y) twips of the target in the small number font (15 pixels high).
void DrawTextWithFont(DrawTarget& target, int x, int y, const QString& text);

}  // namespace bw
