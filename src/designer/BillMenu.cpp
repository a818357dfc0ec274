#include "designer/BillMenu.h"

#include "common/Database.h"
#include "designer/BillClearing.h"
#include "filling/NewBill.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "printing/PrintRequests.h"
#include "records/History.h"
#include "store/BackgroundPicture.h"
#include "store/MainForm.h"

namespace bw {

namespace {

// Clears the bill, fills the next bill's automatic values and marks the history grid.
void startNextBill() {
    mClearCtl_Click();
    AutoFillDates();
    AutoNumberBoxes();
    AutoFillPsdBoxes();
    MainForm& mf = MF();
    if (mf.MSF[2]) mf.MSF[2]->SetTag(QString());
}

}  // namespace

void mAddBills_Click() {
    // A bill the history could not take stays in the boxes, for the clerk to add again.
    if (SaveBillToHistory(MF().CurrentFormat()) < 0)
        dlg::MsgBox(
            QStringLiteral("单据没有记入历史记录（") + LastDatabaseError() + QStringLiteral("）！"),
            dlg::OkOnly | dlg::Exclamation);
    else
        startNextBill();
}

void mAddBillsAndPrint_Click() {
    if (!PrintBill(true, true)) return;
    startNextBill();
}

void mAutoGetDate_Click() {
    AutoFillDates();
}

void mAutoCreatePSD_Click() {
    AutoFillPsdBoxes();
}

void mModiBackgroundPic_Click() {
    SetBackgroundPicture(MF().CurrentFormat());
}

}  // namespace bw
