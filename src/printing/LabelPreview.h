#pragma once
// The label-sheet preview on the main window's label page: the picture PTag sized for the
// label area and its direction, with the preview scroll bar kept in step, and one page of
// labels drawn on it by the drawing the paper uses (LabelDrawing): every label the whole bill
// scaled into its cell, carrying the bill one record of the batch grid makes.

#include "printing/LabelDrawing.h"

namespace bw {

class PictureWidget;

// Sizes the label preview for the label area's size and direction (TNum(3), TNum(4),
// TagDir) and redraws it. Nothing happens before the label page is built.
void SizeLabelPreview();

// Draws the page HS1 shows on pic: cleared, the dotted separators between the labels when
// CK(6) is ticked, then the labels of that page (DrawLabels on PreviewMedium), laid over
// PTag's size with the counts of TNum(0) and TNum(1) (each at least 1); cells past the last
// record stay empty. Counts outside 1..200 columns or 1..100 rows leave the picture as it was.
void DrawLabelPreview(PictureWidget* pic, int cols, int rows);
// How labels are drawn on the preview: in twips of PTag, each text at its design size
// divided by how many times smaller a label is there than the canvas frame on screen.
// Only once the label page is built.
LabelMedium PreviewMedium();

// The labels the preview shows, from the current settings: DrawLabelPreview with TNum(0)
// and TNum(1), drawn when the preview is next shown or read. Nothing before the label page
// is built.
void RedrawLabelPreview();

}  // namespace bw
