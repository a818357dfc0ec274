#include "shell/PrintCommands.h"

#include <QAction>
#include <QPushButton>

#include "common/Common.h"
#include "designer/BillClearing.h"
#include "filling/NewBill.h"
#include "platform/Grid.h"
#include "printing/Calibration.h"
#include "printing/PrintRequests.h"
#include "store/MainForm.h"

namespace bw {

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

void PrintButton_Click(int index) {
    MainForm& mf = MF();
    QPushButton* print = mf.COM.count(0) ? mf.COM[0] : nullptr;
    QPushButton* batch = mf.COM.count(1) ? mf.COM[1] : nullptr;
    const bool batchWasEnabled = batch && batch->isEnabled();
    if (print) print->setEnabled(false);
    if (batch) batch->setEnabled(false);
    if (index == 0) {
        // A print asked while the printer choice is open is ignored.
        if (!IsFormOpen(QStringLiteral("选择")) && RunPrintCommand(0)) {
            mf.MSF[2]->SetTag(QString());
            const bool complete = JumpToNextPage(mf.CurrentFormat());
            if (complete && mf.mClearAfterPrint->isChecked()) {
                ClearBill();
                FillNewBillValues();
            }
        }
    } else if (index == 1) {
        RunPrintCommand(1);
        mf.MSF[2]->SetTag(QString());
    }
    mf.SetCommandEnabled(print, true);
    mf.SetCommandEnabled(batch, batchWasEnabled);
}

}  // namespace bw
