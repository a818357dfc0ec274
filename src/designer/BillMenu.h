#pragma once
// The commands of the bill menu (mPicGraph) that work on the bill as a whole: record it and
// start the next one (with or without printing), fill the automatic values again, change or
// remove the background picture. Clearing is BillClearing.h, adding a box BoxMenu.h.

namespace bw {

// "添加下一张单据": records the bill in the history, clears it, gives the next bill its
// automatic values and marks the history grid for reloading. A bill the history cannot take
// is told (with the cause) and stays in the boxes.
void mAddBills_Click();
// "打印并添加单据": prints the bill asking for the printer and recording it, then starts the
// next bill as above. When the print did not happen (choice cancelled, amount too long,
// printer failed) the bill stays as the clerk left it and nothing further is done.
void mAddBillsAndPrint_Click();
// "自动生成日期": the date boxes get today's date again.
void mAutoGetDate_Click();
// "自动生成密码": every text box of data type 132 exactly gets a new random code.
void mAutoCreatePSD_Click();
// "更换背景图": a JPEG file chosen for the open format's background picture.
void mModiBackgroundPic_Click();

}  // namespace bw
