#pragma once
// Printing a page of the label sheet: the labels of the batch records laid out over the
// label area in millimetres from the paper's corner less the calibration offsets, each the
// whole bill scaled into its cell by the drawing the preview uses (LabelDrawing, text at
// fitted font sizes), and the dotted outlines between labels on request, on the label
// sheet's own paper. Each copy of a page is a document of its own; the PDF file printer puts
// the copies and pages of one command into one file, a page each.

#include <QString>
#include <functional>
#include <vector>

#include "printing/LabelCells.h"
#include "printing/LabelDrawing.h"

namespace bw {

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
// with the page before it prints (the preview follows); when `show` answers false the
// command ends there, the pages before it printed. Failure as PrintLabelPage.
bool PrintLabelPages(Printer& printer, long long first, long long last,
                     const std::function<bool(long long)>& show, QString* stoppedAt = nullptr);

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
// How labels are drawn on paper: in millimetres from the paper's corner less the calibration
// offsets (M_X, M_Y, each less 10), shifted right to the middle of an A4 sheet when the paper
// is fed centred (O2(3)) and the sheet is upright (TagDir), each text at the printer font
// size that matches the label's scale (FitPrinterFontSize at the label width over the bill
// width, Wid). Not valid without a bill width, label columns or a label area width.
LabelMedium PaperMedium();
// Prints the labels of a sheet (DrawLabels on PaperMedium).
void PrintSheet(DrawTarget& printer, const LabelSheet& sheet);
// Lays out and prints the labels of the page (SheetOf, PrintSheet). A label area or a bill
// without a size prints no labels.
void PrintLabelCells(DrawTarget& printer, long long page);
// The dotted magenta lines at the right and bottom edge of every label.
void PrintLabelOutlines(DrawTarget& printer, int rows, int cols);

}  // namespace bw
