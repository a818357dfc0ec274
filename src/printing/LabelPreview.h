#pragma once
// The label-sheet preview on the main window's label page: the picture PTag sized for the
// label area and its direction, with the preview scroll bar kept in step, and one page of
// labels drawn on it: every label the whole bill scaled into its cell, carrying the bill one
// record of the batch grid makes, as the paper does.

#include <QString>

namespace bw {

class BillValues;
class BoxControl;
class DrawTarget;
class PictureWidget;

// Sizes the label preview for the label area's size and direction (TNum(3), TNum(4),
// TagDir) and redraws it. Nothing happens before the label page is built.
void SizeLabelPreview();

// Draws the page HS1 shows on pic: cleared, the dotted separators between the labels when
// CK(6) is ticked, then the labels. Counts outside 1..200 columns or 1..100 rows leave the
// picture as it was.
void DrawLabelPreview(PictureWidget* pic, int cols, int rows);
// The labels of the page HS1 shows, laid over PTag's size with the counts of TNum(0) and
// TNum(1) (each at least 1); cells past the last record stay empty.
void DrawLabelPreviewCells(PictureWidget* pic, int cols, int rows);
// One label at (x, y), cellW x cellH twips of pic, carrying `bill` (the bill of its record,
// LabelBills): the background picture when CK(1) is ticked, then every box of the bill
// scaled into the cell. A picture file that cannot be read leaves its spot blank.
void DrawLabelCell(PictureWidget* pic, double x, double y, double cellW, double cellH,
                   const BillValues& bill);
// A box's text at the target's current position, in the box's font shrunk to the preview,
// wrapped to the box's width scaled into a cell of cellW twips.
void DrawLabelText(DrawTarget& target, const QString& text, BoxControl* box, double cellW,
                   bool wrap);

// The labels the preview shows, from the current settings: DrawLabelPreview with TNum(0)
// and TNum(1), drawn when the preview is next shown or read. Nothing before the label page
// is built.
void RedrawLabelPreview();

}  // namespace bw
