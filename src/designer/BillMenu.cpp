#include "designer/BillMenu.h"

#include "designer/BillClearing.h"
#include "filling/AutoValues.h"
#include "filling/NewBill.h"
#include "platform/Grid.h"
#include "printing/PrintRequests.h"
#include "records/History.h"
#include "store/BackgroundPicture.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

namespace bw {

namespace {

// The data type of the random-code boxes.
constexpr double kRandomCodeType = 132;

// Clears the bill, fills the next bill's automatic values and marks the history grid.
void startNextBill() {
    mClearCtl_Click();
    // Dates, running numbers and custom lists, random codes: AutoFillDates, AutoNumberBoxes,
    // AutoFillPsdBoxes.
    FillNewBillValues();
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

bool DateFillBuilt() {
    return false;
}

void mAutoGetDate_Click() {
    // AutoFillDates();  -- the date fill of a new bill, once bill filling provides it.
}

void mAutoCreatePSD_Click() {
    for (int i = FirstBoxIndex(kTextBox); i <= LastBoxIndex(kTextBox); ++i) {
        auto* t = dynamic_cast<TextBox*>(GetBoxByIndex(i));
        if (t && BoxDataType(t) == kRandomCodeType) t->SetText(CreateRandomPsd());
    }
}

void mModiBackgroundPic_Click() {
    SetBackgroundPicture(MF().CurrentFormat());
}

}  // namespace bw
