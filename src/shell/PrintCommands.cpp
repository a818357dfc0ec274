#include "shell/PrintCommands.h"

#include "printing/Calibration.h"
#include "printing/PrintRequests.h"

namespace bw {

bool PrintCommandsReady() {
    return true;
}

bool RunPrintCommand(int index) {
    switch (index) {
        case 0:
            return PrintBill(true, true);
        case 1:
            PrintBatchBills();
            return true;
        case 36:
            PrintCalibrationPage();
            return true;
        default:
            return false;
    }
}

}  // namespace bw
