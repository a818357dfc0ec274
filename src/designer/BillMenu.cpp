#include "designer/BillMenu.h"

#include "designer/BillClearing.h"
#include "filling/NewBill.h"
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
    SaveBillToHistory(MF().CurrentFormat());
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
