#pragma once
// The print requests of the main window's commands: 0 the bill shown, 1 every batch record,
// 36 the calibration page. The command dispatcher does what comes around them (the two
// print buttons disabled while one runs, the history reloaded, the next page or a new bill
// after a complete print).

namespace bw {

// True once the print requests are part of the program; until then their buttons and menu
// items stay disabled.
bool PrintCommandsReady();

// Runs the print request of the command; true when something was printed.
//   0: PrintBill(True, True): ask for the printer and the copies, print, record the bill.
//   1: PrintBatchBills.
//  36: PrintCalibrationPage.
bool RunPrintCommand(int index);

}  // namespace bw
