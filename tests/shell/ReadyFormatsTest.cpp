// The two ready formats of a new database as a clerk fills them in the main window: the
// amount typed into one box shows in capitals in another, the charges add up, the date is
// today's and the bill number runs on (its QR code with it) after each printed bill.

#include <QDate>
#include <QTest>
#include <QTextEdit>

#include "MainWindowFixture.h"
#include "PrintTestSupport.h"
#include "store/FormatOperations.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/SampleFormats.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

class ReadyFormats : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::MainWindowTest::SetUp();
        w_ = start();
        ASSERT_NE(w_, nullptr);
        w_->activateWindow();
        settle();
    }

    // Types the text into the captioned box as the clerk does and leaves it for `next`.
    TextBox* type(const QString& caption, const QString& text, const QString& next) {
        TextBox* box = test::textBoxCaptioned(caption);
        TextBox* after = test::textBoxCaptioned(next);
        EXPECT_TRUE(box && after) << caption.toStdString();
        if (!box || !after) return nullptr;
        box->setFocus();
        settle();
        box->SetText(QString());
        QTest::keyClicks(box->Editor(), text);
        after->setFocus();
        settle();
        return box;
    }
    static QString text(const QString& caption) {
        TextBox* box = test::textBoxCaptioned(caption);
        return box ? box->Text() : QStringLiteral("(no box)");
    }

    MainWindow* w_ = nullptr;
};

}  // namespace

TEST_F(ReadyFormats, TheSlipsCapitalsFollowTheAmountItsDateIsTodayAndItsNumberRunsOn) {
    ASSERT_EQ(MF().CurrentFormat(), kSampleDepositSlip);
    const QDate today = QDate::currentDate();
    EXPECT_EQ(text("年"), QString::number(today.year()));
    EXPECT_EQ(text("日").toInt(), today.day());

    ASSERT_NE(type("小写", "8765.43", "用途"), nullptr);
    EXPECT_EQ(text("小写"), "￥8,765.43");
    EXPECT_EQ(text("人民币(大写)"), "捌仟柒佰陆拾伍元肆角叁分");
    EXPECT_TRUE(grab().save(test::ArtifactDir() + "/ready_deposit_slip.png"));

    // The slip's number is shown as its QR code; the next bill after a printed one takes the
    // next number, and the QR code follows it.
    EXPECT_EQ(text("编号"), "BW-JZD-20130411-0001");
    ASSERT_EQ(MF().II.size(), 1u);
    EXPECT_EQ(MF().II[0]->LinkItem, "BW-JZD-20130411-0001");
    MF().mClearAfterPrint->setChecked(true);
    test::ChoosePdf(test::ArtifactDir() + "/ready_slip.pdf");
    w_->COM_Click(0);
    EXPECT_EQ(text("编号"), "BW-JZD-20130411-0002");
    EXPECT_EQ(MF().II[0]->LinkItem, "BW-JZD-20130411-0002");
    EXPECT_GT(test::darkShare(MF().II[0]), 0.2);
    EXPECT_EQ(text("年"), QString::number(today.year()));
}

TEST_F(ReadyFormats, TheWaybillAddsItsChargesShowsTheTotalInCapitalsAndTodaysDate) {
    SelectFormat(kSampleWaybill);
    ASSERT_EQ(MF().CurrentFormat(), kSampleWaybill);
    EXPECT_EQ(text("寄件日期"), QDate::currentDate().toString("yyyy-MM-dd"));
    EXPECT_EQ(text("费用合计"), "￥24.00");
    EXPECT_EQ(text("大写"), "贰拾肆圆整");

    type("运费", "30", "备注");
    EXPECT_EQ(text("费用合计"), "￥32.00");
    EXPECT_EQ(text("大写"), "叁拾贰圆整");
    EXPECT_TRUE(grab().save(test::ArtifactDir() + "/ready_waybill.png"));
    type("保价费", "", "备注");  // an empty charge counts as nothing
    EXPECT_EQ(text("费用合计"), "￥30.00");
    EXPECT_EQ(text("大写"), "叁拾圆整");
    EXPECT_EQ(MF().II[0]->LinkItem, text("运单号"));
}
