#pragma once
// The print requests of the main window's commands: 0 the bill shown, 1 every batch record,
// 36 the calibration page, and what comes around them.

namespace bw {

// Runs the print request of the command; true when something was printed.
//   0: PrintBill(True, True): ask for the printer and the copies, print, record the bill.
//   1: PrintBatchBills.
//  36: PrintCalibrationPage.
bool RunPrintCommand(int index);

// The two print buttons (0 the bill shown, 1 the batch): both are disabled while one runs;
// afterwards the history grid reloads on its next showing. A complete bill printed from
// button 0 is followed, when "打印后自动清空" is ticked, by an empty bill with its automatic
// values; a multi-page format moves to its next page first.
void PrintButton_Click(int index);

}  // namespace bw
