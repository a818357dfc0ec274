// The bill menu's commands run through its items: starting the next bill with and without
// printing, random codes, clearing by the selection.

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "PrintTestSupport.h"
#include "common/Database.h"
#include "common/Params.h"
#include "designer/CanvasMenus.h"
#include "printing/SelPrinter.h"
#include "records/History.h"
#include "store/BoxLook.h"
#include "store/CheckBox.h"
#include "store/DataTypeCodes.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"
#include "store/TextBox.h"

using namespace bw;
using namespace bw::test;

namespace {

class BillMenu : public PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        NewFormat("进账单", 200, 100);
        nameId = AddBox({.kind = 0, .caption = "户名", .x = 20, .y = 30, .w = 60});
        AddBox({.kind = 0, .caption = "密码", .x = 100, .y = 30, .w = 60, .cash = 132});
        AddBox({.kind = 0, .caption = "", .x = 20, .y = 50, .w = 60});
        AddBox(
            {.kind = 0, .caption = "格码", .x = 100, .y = 50, .w = 60, .cash = PackCash(132, 4)});
        AddBox({.kind = 1, .caption = "加急", .x = 20, .y = 70, .w = 5, .h = 5});
        AddBox({.kind = 2, .caption = "条码", .x = 100, .y = 70, .w = 30, .h = 15});
        AddBox({.kind = 0, .caption = "日期", .x = 150, .y = 10, .w = 40, .cash = 110});
        numberId = AddBox({.kind = 0, .caption = "号码", .x = 150, .y = 80, .w = 40, .cash = 122});
        Show();
        SaveRegValue("BWF", "Validate", "Printer", "");
        MF().MSF[2]->SetTag("loaded");
    }
    void TearDown() override {
        UnloadMenus();
        PrintFixture::TearDown();
    }
    static void run(const char* item) {
        QAction* a = Menus().item(QString::fromLatin1(item));
        ASSERT_TRUE(a && a->isEnabled()) << item;
        a->trigger();
    }
    // Fills every box of the bill.
    void fill() {
        for (int n = 1; n <= 4; ++n) Text(n)->SetText(QStringLiteral("值%1").arg(n));
        Check(1)->SetValue(1);
        RefreshPictureBox(Picture(1), "123456");
    }
    int bills() { return LastBillNumber(format_); }
    qint64 nameId = 0, numberId = 0;
    static QString today() { return QDate::currentDate().toString("yyyy年MM月dd日"); }
};

TEST_F(BillMenu, TheNextBillIsRecordedClearedAndGetsTodayAndTheNextNumber) {
    fill();
    Text(6)->SetText("A0099");
    run("mAddBills");
    ASSERT_EQ(bills(), 1);
    EXPECT_EQ(ValueWhere("历史", "Fmt=? AND ID=1 AND CID=?", "Con", {format_, nameId}).toString(),
              "值1");
    EXPECT_EQ(Text(5)->Text(), today());
    EXPECT_EQ(Text(6)->Text(), "A0100");
    EXPECT_EQ(Text(1)->Text(), QString());
    EXPECT_EQ(Text(3)->Text(), "值3") << "a box without a caption keeps its text";
    EXPECT_EQ(Check(1)->Value(), 0);
    EXPECT_TRUE(Picture(1)->LinkItem.isEmpty());
    EXPECT_TRUE(MF().MSF[2]->Tag().isEmpty()) << "the history grid is read again";
}

TEST_F(BillMenu, PrintAndAddStopsWhenThePrintDidNotHappen) {
    fill();
    QTimer::singleShot(0, [] {
        if (SelPrinter* d = SelPrinter::Current()) d->COM_Click(1);
    });
    run("mAddBillsAndPrint");
    EXPECT_EQ(bills(), 0);
    EXPECT_EQ(Text(1)->Text(), "值1");
    EXPECT_EQ(Check(1)->Value(), 1);
    EXPECT_EQ(MF().MSF[2]->Tag(), "loaded");

    // Printed: recorded once, by the print, and cleared.
    const QString file = QDir(ArtifactDir()).filePath("bill-menu-print-and-add.pdf");
    QTimer::singleShot(0, [file] {
        SelPrinter* d = SelPrinter::Current();
        ASSERT_NE(d, nullptr);
        d->COMB->setCurrentText(kPdfPrinterName);
        d->PdfFile->setText(file);
        d->COM_Click(0);
    });
    run("mAddBillsAndPrint");
    EXPECT_EQ(bills(), 1);
    EXPECT_EQ(Text(1)->Text(), QString());
    EXPECT_TRUE(MF().MSF[2]->Tag().isEmpty());
}

TEST_F(BillMenu, DatesAndRandomCodesAgain) {
    run("mAutoGetDate");
    EXPECT_EQ(Text(5)->Text(), today());
    run("mAutoCreatePSD");
    EXPECT_FALSE(Text(2)->Text().isEmpty());
    EXPECT_TRUE(Text(1)->Text().isEmpty());
    EXPECT_TRUE(Text(4)->Text().isEmpty()) << "a packed count makes another type";
    const QString first = Text(2)->Text();
    run("mAutoCreatePSD");
    EXPECT_NE(Text(2)->Text(), first);
}

TEST_F(BillMenu, ClearingFollowsTheSelection) {
    // Selected boxes only, a selected picture even while pictures are protected.
    fill();
    MF().mForbidPicClear->setChecked(true);
    SetBoxSelectLook(Text(1), false);
    SetBoxSelectLook(Text(3), false);
    SetBoxSelectLook(Picture(1), false);
    run("mClearCtl");
    EXPECT_EQ(Text(1)->Text(), QString());
    EXPECT_EQ(Text(2)->Text(), "值2");
    EXPECT_EQ(Text(3)->Text(), "值3");
    EXPECT_EQ(Check(1)->Value(), 1);
    EXPECT_TRUE(Picture(1)->LinkItem.isEmpty());

    // Only a check box selected: only the check box.
    for (BoxControl* b : {(BoxControl*)Text(1), (BoxControl*)Text(3), (BoxControl*)Picture(1)})
        SetBoxSelectLook(b, true);
    fill();
    SetBoxSelectLook(Check(1), false);
    run("mClearCtl");
    EXPECT_EQ(Check(1)->Value(), 0);
    EXPECT_EQ(Text(1)->Text(), "值1");

    // Nothing selected: the whole bill, pictures kept while protected.
    SetBoxSelectLook(Check(1), true);
    fill();
    run("mClearCtl");
    EXPECT_EQ(Text(2)->Text(), QString());
    EXPECT_EQ(Check(1)->Value(), 0);
    EXPECT_EQ(Picture(1)->LinkItem, "123456");
    MF().mForbidPicClear->setChecked(false);
    run("mClearCtl");
    EXPECT_TRUE(Picture(1)->LinkItem.isEmpty());
}

}  // namespace
