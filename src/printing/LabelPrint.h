#pragma once
// Printing a page of the label sheet: the labels of the batch records laid out over the
// label area in millimetres from the paper's corner less the calibration offsets, each the
// whole bill scaled into its cell (text at fitted font sizes, pictures, barcodes, lines),
// and the dotted outlines between labels on request, on the label sheet's own paper. Each
// copy of a page is a document of its own; the PDF file printer puts the copies and pages
// of one command into one file, a page each.

#include <QString>
#include <functional>

namespace bw {

class BoxControl;
class DrawTarget;
class Grid;
class LabelColumns;
class Printer;

// Prints page `page` (0-based, as HS1 counts) in PrintCopies copies, each copy a document of
// its own (pages of one file on the PDF file printer). Counts outside 1..100 columns or
// 1..200 rows print nothing. False only when the printer could not take the job; then
// `stoppedAt` (when given) tells the page and copy where it stopped, "停在第n页标签…", or ""
// when every page was printed but the file could not be finished. The printer's paper is
// put back afterwards.
bool PrintLabelPage(Printer& printer, long long page, QString* stoppedAt = nullptr);
bool PrintLabelPage(long long page);  // on the current printer
// Prints the pages first .. last in turn as one command, each in its copies, calling `show`
// with the page before it prints (the preview follows). Failure as PrintLabelPage.
bool PrintLabelPages(Printer& printer, long long first, long long last,
                     const std::function<void(long long)>& show, QString* stoppedAt = nullptr);

// Prepares the printer for a copy: the label sheet's paper (the PDF file printer: A4,
// landscape when TagDir is ticked, or the label area's size when larger; a system printer:
// its own paper, landscape when TagDir is ticked); millimetres from the corner; copy pen.
void SetupLabelPrinter(Printer& printer);
// Lays out and prints the labels of the page. A label area or a bill without a size prints
// no labels.
void PrintLabelCells(DrawTarget& printer, long long page);
// One label with its corner at (x, y) and cellW x cellH millimetres, filled from row dataRow
// of the batch grid: shifted right to the middle of an A4 sheet when the paper is fed
// centred (O2(3)) and the sheet is upright, the background picture when CK(1) is ticked,
// then every box scaled into the cell. A picture file that cannot be read leaves its spot
// blank.
void PrintLabelCell(DrawTarget& printer, double x, double y, double cellW, double cellH,
                    const Grid& grid, long long dataRow, const LabelColumns& columns);
// A box's text with its corner at (x, y) millimetres, at the printer font size that matches
// the label's scale, wrapped to the box's width in a cell of cellW millimetres. Lines that
// would start below the page are dropped. x and y come back in twips, y below the last line.
void PrintLabelText(DrawTarget& printer, const QString& text, BoxControl* box, double cellW,
                    double& x, double& y, bool wrap);
// The dotted magenta lines at the right and bottom edge of every label.
void PrintLabelOutlines(DrawTarget& printer, int rows, int cols);

}  // namespace bw
