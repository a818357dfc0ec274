// Keeping the clerk's work on the bill page: the bill-size button changes the paper size and
// leaves every value (and the QR code drawn from one) in its box, and a changed layout (a
// changed barcode standard too) is not lost when the window closes or another format is
// chosen: the question saves it, drops it or stays.

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "MainWindowFixture.h"
#include "barcode/BarcodeStandard.h"
#include "barcode/StrCodeStand.h"
#include "common/Database.h"
#include "common/Schema.h"
#include "designer/FormSize.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "shell/Startup.h"
#include "store/BoxAccessors.h"
#include "store/BoxEditing.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CheckBox.h"
#include "store/FormatOperations.h"
#include "store/LayoutChanges.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/SampleFormats.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

int storedBoxes(const QString& format) {
    Recordset rs;
    OpenRecordset(rs, "SELECT ID FROM Fmt WHERE Fmt=? AND LBL<>?", {format, kWholeFormatLabel});
    return rs.RecordCount();
}

double storedX(TextBox* box) {
    return ValueById("Fmt", BoxRecordId(box), "X").toDouble();
}

class LayoutKeeping : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::MainWindowTest::SetUp();
        w_ = start();
        ASSERT_NE(w_, nullptr);
    }
    // Closes the window with the answer given to any question; true when it is gone.
    bool closeAnswering(test::ScriptedAnswers& answers, dlg::Answer answer) {
        answers << int(answer);
        closeWindow();
        return TheMainWindow() == nullptr;
    }
    void restart() {
        ReleaseInstanceLock();
        w_ = start();
        ASSERT_NE(w_, nullptr);
    }
    static int questions(const test::ScriptedAnswers& answers) {
        return answers.messages().count(kLayoutChangedQuestion);
    }
    // Drags the payer's box about 6 mm to the right (to the pixel), as the canvas does.
    static TextBox* moveThePayer() {
        TextBox* payer = test::textBoxCaptioned("全称");
        MoveBox(static_cast<int>(MF().PG->Width() * 6 / MF().PaperWidthMm()), 0, payer);
        return payer;
    }

    MainWindow* w_ = nullptr;
};

}  // namespace

TEST_F(LayoutKeeping, TheBillSizeButtonKeepsEveryValueAndItsQrCode) {
    QPushButton* button = w_->COM[2];
    EXPECT_EQ(button->text(), "单据尺寸");
    EXPECT_EQ(button->toolTip(), "修改单据的宽度和高度。");
    EXPECT_GE(button->width(), button->sizeHint().width());  // the caption is shown whole

    MainForm& mf = MF();
    test::textBoxCaptioned("全称")->SetText("杭州某某贸易有限公司");
    test::textBoxCaptioned("小写")->SetText("￥99.00");
    mf.CC[0]->SetValue(0);
    const QString qr = mf.II[0]->LinkItem;
    button->click();
    FormSize* size = ShowFormSize();
    size->TX->setText("220");
    size->TY->setText("110");
    size->COM_Click(0);
    settle();

    EXPECT_EQ(mf.Wid->text(), "220");
    EXPECT_EQ(mf.Hie->text(), "110");
    EXPECT_EQ(test::textBoxCaptioned("全称")->Text(), "杭州某某贸易有限公司");
    EXPECT_EQ(test::textBoxCaptioned("小写")->Text(), "￥99.00");
    EXPECT_EQ(mf.CC[0]->Value(), 0);
    EXPECT_EQ(mf.II[0]->LinkItem, qr);
    EXPECT_GT(test::darkShare(mf.II[0]), 0.2);
    EXPECT_TRUE(grab().save(test::ArtifactDir() + "/bill_size_kept_values.png"));

    // A new size is a change of the format.
    test::ScriptedAnswers answers;
    EXPECT_TRUE(closeAnswering(answers, dlg::Yes));
    EXPECT_EQ(questions(answers), 1);
    EXPECT_EQ(ValueWhere("Fmt", "Fmt=? AND LBL=?", "W", {kSampleDepositSlip, kWholeFormatLabel})
                  .toDouble(),
              220);
}

TEST_F(LayoutKeeping, ValuesAloneAndASavedLayoutCloseWithoutAQuestion) {
    test::textBoxCaptioned("用途")->SetText("服务费");
    MF().CC[0]->SetValue(0);
    EXPECT_FALSE(FormatLayoutChanged());
    // Moved, saved: nothing left to ask.
    TextBox* payer = moveThePayer();
    EXPECT_TRUE(FormatLayoutChanged());
    w_->m_FCom[31]->trigger();
    EXPECT_NEAR(storedX(payer), 34, 0.1);
    test::ScriptedAnswers answers;
    EXPECT_TRUE(closeAnswering(answers, dlg::Cancel));
    EXPECT_EQ(questions(answers), 0);
}

TEST_F(LayoutKeeping, ClosingAfterAnAddedBoxAsksAndSavesDropsOrStays) {
    const int before = storedBoxes(kSampleDepositSlip);
    int kind = kTextBox;
    ASSERT_NE(AddBox(kind, 300, 300), nullptr);
    {
        test::ScriptedAnswers answers;
        EXPECT_FALSE(closeAnswering(answers, dlg::Cancel));
        EXPECT_EQ(questions(answers), 1);
        EXPECT_TRUE(TheMainWindow()->isVisible());
        EXPECT_EQ(storedBoxes(kSampleDepositSlip), before);
    }
    {
        test::ScriptedAnswers answers;
        EXPECT_TRUE(closeAnswering(answers, dlg::No));
    }
    EXPECT_EQ(storedBoxes(kSampleDepositSlip), before);
    restart();
    EXPECT_EQ(MF().BoxGrid().Rows() - MF().BoxGrid().FixedRows(), before);

    ASSERT_NE(AddBox(kind, 300, 300), nullptr);
    {
        test::ScriptedAnswers answers;
        EXPECT_TRUE(closeAnswering(answers, dlg::Yes));
        EXPECT_EQ(questions(answers), 1);
    }
    restart();
    EXPECT_EQ(storedBoxes(kSampleDepositSlip), before + 1);
    EXPECT_EQ(MF().BoxGrid().Rows() - MF().BoxGrid().FixedRows(), before + 1);
}

TEST_F(LayoutKeeping, SwitchingFormatsAfterAMoveAsksAndSavesDropsOrStays) {
    TextBox* payer = moveThePayer();
    const double moved = Val(MF().BoxGrid().TextMatrix(BoxRow(payer), col::X));
    {
        test::ScriptedAnswers answers;
        answers << int(dlg::Cancel);
        SelectFormat(kSampleWaybill);
        EXPECT_EQ(questions(answers), 1);
    }
    EXPECT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
    EXPECT_EQ(Val(MF().BoxGrid().TextMatrix(BoxRow(payer), col::X)), moved);
    {
        test::ScriptedAnswers answers;
        answers << int(dlg::No);
        SelectFormat(kSampleWaybill);
    }
    EXPECT_EQ(MF().CurrentFormat(), kSampleWaybill);
    SelectFormat(kSampleDepositSlip);  // nothing changed on the waybill: no question
    payer = test::textBoxCaptioned("全称");
    EXPECT_NEAR(storedX(payer), 28, 0.01);
    EXPECT_NEAR(Val(MF().BoxGrid().TextMatrix(BoxRow(payer), col::X)), 28, 0.01);

    payer = moveThePayer();
    {
        test::ScriptedAnswers answers;
        answers << int(dlg::Yes);
        SelectFormat(kSampleWaybill);
        EXPECT_EQ(answers.messages(), QStringList{kLayoutChangedQuestion});
    }
    EXPECT_EQ(MF().CurrentFormat(), kSampleWaybill);
    SelectFormat(kSampleDepositSlip);
    EXPECT_NEAR(storedX(test::textBoxCaptioned("全称")), 34, 0.1);
}

TEST_F(LayoutKeeping, ANewFormatAsksFirstAndCancelGoesNoFurther) {
    moveThePayer();
    test::ScriptedAnswers answers;
    answers << int(dlg::Cancel);
    w_->mNewFmt->trigger();
    ASSERT_EQ(dlg::ShownLog().size(), 1);  // no name was asked for
    EXPECT_EQ(answers.lastMessage(), kLayoutChangedQuestion);
    EXPECT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
    EXPECT_TRUE(FormatLayoutChanged());
}

TEST_F(LayoutKeeping, AChangedBarcodeStandardIsAskedAboutAsALayoutChangeIs) {
    SelectFormat(kSampleWaybill);
    ASSERT_EQ(BarcodeStandard(), kQRCode);
    for (const dlg::Answer answer : {dlg::No, dlg::Yes}) {
        w_->mStrBarCodeStand->trigger();  // 设置条码标准
        StrCodeStand* d = StrCodeStand::Current();
        ASSERT_NE(d, nullptr);
        d->OP(kEAN13)->setChecked(true);
        d->Command1()->click();
        {
            test::ScriptedAnswers answers;
            answers << int(answer);
            test::answerFormatList(kSampleDepositSlip);
            w_->m_FCom[30]->trigger();  // 选择格式
            EXPECT_EQ(answers.messages(), QStringList{kLayoutChangedQuestion});
        }
        EXPECT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
        EXPECT_EQ(BarcodeStandard(), kQRCode);  // the slip's own
        SelectFormat(kSampleWaybill);
        EXPECT_EQ(BarcodeStandard(), answer == dlg::Yes ? kEAN13 : kQRCode);
    }
}

// The ticks of the settings menu are the format's as its layout is: ticked, then another
// format chosen, the question comes; Yes keeps them with the format, No drops them.
TEST_F(LayoutKeeping, TickedFormatOptionsAreAskedAboutAndYesKeepsThem) {
    MainForm& mf = MF();
    ASSERT_FALSE(mf.mPagesAutoJump->isChecked());
    ASSERT_FALSE(mf.mClearAfterPrint->isChecked());
    for (const dlg::Answer answer : {dlg::No, dlg::Yes}) {
        mf.mPagesAutoJump->trigger();    // 设置 ▸ 多页自动跳转
        mf.mClearAfterPrint->trigger();  // 设置 ▸ 打印后自动清空
        EXPECT_TRUE(FormatLayoutChanged());
        {
            test::ScriptedAnswers answers;
            answers << int(answer);
            test::answerFormatList(kSampleWaybill);
            w_->m_FCom[30]->trigger();  // 选择格式
            EXPECT_EQ(answers.messages(), QStringList{kLayoutChangedQuestion});
        }
        EXPECT_EQ(mf.CurrentFormat(), kSampleWaybill);
        EXPECT_FALSE(mf.mPagesAutoJump->isChecked());  // the waybill's own
        SelectFormat(kSampleDepositSlip);
        EXPECT_EQ(mf.mPagesAutoJump->isChecked(), answer == dlg::Yes);
        EXPECT_EQ(mf.mClearAfterPrint->isChecked(), answer == dlg::Yes);
    }
    // Kept, nothing is left to ask; and an option that no longer differs is no change.
    EXPECT_FALSE(FormatLayoutChanged());
    mf.mClearAfterPrint->trigger();
    mf.mClearAfterPrint->trigger();
    EXPECT_FALSE(FormatLayoutChanged());
}
