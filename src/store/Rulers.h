#pragma once
// The canvas background: the format's scanned picture and the measuring grid in paper
// millimetres (a pale line every 2 mm, a deeper one every centimetre, the centimetre
// numbers along all four edges).

#include <QColor>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

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
// its numbers when drawGrid is 1 (each number only where it overlaps none written before).
// widthMm is the paper width.
void DrawRulers(Canvas* canvas, double widthMm, int drawGrid);

// The whole picture of src stretched over the whole of dst.
void StretchCopyPicture(PictureBox* src, PictureWidget* dst);

// A centimetre number of the grid and the rectangle (twips of the canvas) it covers.
struct RulerNumber {
    QRectF place;
    QString text;
};

// Where the centimetre numbers of a canvas w x h twips showing a paper widthMm wide are
// written: along the top and bottom edges, then down the left and right edges (row 0 only
// in the corners). A number that would overlap one placed before it is left out. `measure`
// gives a number's size in twips in the number font.
std::vector<RulerNumber> RulerNumberPlaces(double w, double h, double widthMm,
                                           const std::function<QSizeF(const QString&)>& measure);

// Writes text at (x, y) twips of the target in the small number font (15 pixels high).
void DrawTextWithFont(DrawTarget& target, int x, int y, const QString& text);

}  // namespace bw
