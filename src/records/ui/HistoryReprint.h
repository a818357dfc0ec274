#pragma once
// Reprinting bills from the history grid: the selected bills are put back into the boxes
// of the open format and, when there are several, printed one print job each (one PDF file
// on the PDF file printer).

#include <QString>
#include <functional>

namespace bw {

class Grid;

// The bills of the rows Row..RowSel of the history grid: `showBill` brings the bill page to
// the front first. One bill only fills the boxes (to be checked and printed with the print
// command); several are looked at first for text that runs past the bottom of its box (the
// clerk asked once, 否 printing none), then ask once for the printer and copies and are
// printed, each as a document of its own (on the PDF file printer: pages of one file, none
// when one fails), without being recorded again; the clerk may stop them from the progress
// window after the bill being printed (PrintBillSequence). A box without a stored value is cleared.
// Nothing without data rows; refused when the grid shows another format than the open one.
void PrintHistoryBills(Grid& grid, const std::function<void()>& showBill);

// Puts the stored values of the format's bill into the boxes of the open format; the boxes
// without a value are cleared.
void LoadHistoryBill(const QString& format, qint64 bill);

}  // namespace bw
