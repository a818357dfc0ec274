#pragma once
// The print commands: choose the printer and the copies, draw the bill once per copy with a
// new page between copies (and the millimetre grid over each when asked), end the document
// and record the bill in the history; the whole batch as one document; the millimetre grid.

#include <QString>
#include <functional>

namespace bw {

// The printer choice dialog's mode word for choosing the printer.
inline const QString kChoosePrinterMode = QStringLiteral("选择打印机");

// Shows the printer choice (with the copies box when withCopies) and waits until it closes.
// The chosen printer's name, or "" when the user cancelled or the printer is not ready.
QString ChoosePrinter(bool withCopies);

// Prints the open bill in PrintCopies copies and, with saveHistory, records it; the bill goes
// to the printer only once its record is written (RecordedPrint). With askPrinter the printer
// is asked for first and the document is ended here: drawn and readied, then recorded, then
// handed over. Otherwise the record is committed first, then the bill is drawn with a new page
// after it, and the caller ends the document. False when the user cancelled the printer
// choice, when the bill is refused (BillRefusal: an amount that is no amount or does not fit
// its digit cells), when, asked with askPrinter before the printer about a text that runs
// past the bottom of its box (OverflowingTextBox), the clerk answered 否, when the printer
// could not take the job (a PDF file that could not be written is named with the cause) or
// when the history could not take the bill (another program holding the data file, a full
// disk): in all these cases nothing is printed nor recorded, and the user is told why.
bool PrintBill(bool askPrinter, bool saveHistory);

// Prints `count` bills one after another on the printer chosen before, each as a document of
// its own, after `load(i)` (0-based) has put bill i into the boxes: on a system printer a
// print job each, on the PDF file printer pages of one file that takes its name once the
// last bill is printed. Copies as chosen; nothing is recorded in the history. Stops at the
// first bill that cannot be printed and tells the user which one (the PDF file printer then
// leaves no file). The progress window advances by one after each bill; when the user asks it
// to stop (ProgressStopAsked), the bills printed so far go out and the user is told where the
// sequence stopped and which bills were left. True when every bill was printed.
bool PrintBillSequence(int count, const std::function<void(int)>& load);

// Where a run of prints stopped and what it left, as the user counts them, for the caller to
// finish with what befell the rest: "本批打印停在第3张单据，第4至第9张单据（共6张）" for
// (3, 4, 9, "张", "单据"); "…，第9张单据" when one was left.
QString RunStoppedText(long long at, long long first, long long last, const QString& measure,
                       const QString& noun);

// What the batch print says when no batch is loaded.
inline const QString kNoBatchMessage = QStringLiteral("没有导入批量单据，没有可打印的单据！");

// Before a command prints `count` bills, each one in turn put into the boxes by `load(i)`:
// at the first whose text runs past the bottom of its box the clerk is asked, once, naming
// the bill and the box. The bill shown is put back afterwards. True when the bills may be
// printed (none runs out, or 是).
bool OverflowAllowsBills(int count, const std::function<void(int)>& load);

// Prints every record of the batch grid, one bill each in one document, recording each in
// the history before it is drawn; the document goes to the printer only once the records are
// committed, and when it does not go out they are taken back. When the history's write lock
// cannot be had (another program holds the data file) nothing is printed and the user is told.
// At the first bill whose text runs past the bottom of its box the clerk is asked once for the
// whole batch: 否 drops the document, so that no bill is printed nor recorded. A bill that is
// refused or cannot be recorded ends the batch: the bills before it go out and stay recorded,
// and the user is told once why, at which record the batch stopped and which records were
// left unprinted. The user may stop the batch from its progress window: it stops after the
// bill being drawn, and the bills before go out and are recorded. Without records nothing is
// printed and the user is told.
void PrintBatchBills();

// Lays the millimetre grid over the current page: a line every 2 mm, a heavier black one
// every centimetre, from the page's origin.
void PrintRulers();

}  // namespace bw
