#pragma once
// Printing a page of the label sheet: the labels of the batch records laid out over the
// label area in millimetres from the paper's corner less the calibration offsets, each the
// whole bill scaled into its cell (text at fitted font sizes, pictures, barcodes, lines),
// and the dotted outlines between labels on request, on the label sheet's own paper. Each
// copy of a page is a document of its own; the PDF file printer puts the copies and pages
// of one command into one file, a page each.

#include <QString>
#include <functional>
#include <vector>

#include "printing/LabelCells.h"

namespace bw {

class BoxControl;
class DrawTarget;
class Printer;

// Prints page `page` (0-based, as HS1 counts) in PrintCopies copies, each copy a document of
// its own (pages of one file on the PDF file printer). Counts outside 1..100 columns or
// 1..200 rows print nothing. Each label carries the bill its record makes in a batch print
// (LabelBills). Before anything is printed, a label text that runs past the bottom of its
// box is asked about once for the command (OverflowQuestion); 否 prints nothing and gives
// true. False only when the printer could not take the job; then
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
// The labels of a page (millimetres from the label area's corner) and their bills; none
// for a label area without a size.
struct LabelSheet {
    std::vector<LabelCell> cells;
    std::vector<BillValues> bills;  // one per cell
};
LabelSheet SheetOf(long long page);
// Prints the labels of a sheet at their places less the calibration offsets.
void PrintSheet(DrawTarget& printer, const LabelSheet& sheet);
// Lays out and prints the labels of the page (SheetOf, PrintSheet). A label area or a bill
// without a size prints no labels.
void PrintLabelCells(DrawTarget& printer, long long page);
// One label with its corner at (x, y) and cellW x cellH millimetres, carrying `bill`:
// shifted right to the middle of an A4 sheet when the paper is fed
// centred (O2(3)) and the sheet is upright, the background picture when CK(1) is ticked,
// then every box scaled into the cell. A picture file that cannot be read leaves its spot
// blank.
void PrintLabelCell(DrawTarget& printer, double x, double y, double cellW, double cellH,
                    const BillValues& bill);
// The first text box of a label of cellW x cellH millimetres carrying `bill` whose text runs
// past the bottom of the box scaled into the label (RunsPastBottom), named as TextBoxName
// names it; "" when none does. Measures only; the printer's settings are kept.
QString OverflowingLabelBox(DrawTarget& printer, double cellW, double cellH,
                            const BillValues& bill);
// A box's text with its corner at (x, y) millimetres, at the printer font size that matches
// the label's scale, wrapped to the box's width in a cell of cellW millimetres. Lines that
// would start below the page are dropped. x and y come back in twips, y below the last line.
void PrintLabelText(DrawTarget& printer, const QString& text, BoxControl* box, double cellW,
                    double& x, double& y, bool wrap);
// The dotted magenta lines at the right and bottom edge of every label.
void PrintLabelOutlines(DrawTarget& printer, int rows, int cols);

}  // namespace bw
