// A filled bill showing the colours of a same-value ring and of the boxes adding into a sum,
// left in the artifacts folder for people to look at; the password-zone settings dialog.

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "FillingFixture.h"
#include "QStringPrint.h"
#include "filling/PsdParaSet.h"
#include "store/BoxLook.h"
#include "store/PsdPara.h"

using bw::test::BoxDef;

using namespace bw;

namespace {
class FillingScreenshotTest : public test::FillingTest {};
}  // namespace

TEST_F(FillingScreenshotTest, FilledBillWithRingAndSumColours) {
    addFormat("转账凭证");
    auto at = [](const char* label, double cash, double sum, double x, double y, double w) {
        BoxDef b{label, cash, 0, sum};
        b.x = x;
        b.y = y;
        b.w = w;
        return b;
    };
    const qint64 payee = addBox("转账凭证", at("收款人", 0, 0, 35, 10, 60));
    const qint64 payee2 = addBox("转账凭证", at("收款人(回单)", 0, 0, 35, 20, 60));
    const qint64 payee3 = addBox("转账凭证", at("收款人(存根)", 0, 0, 35, 30, 60));
    const qint64 total = addBox("转账凭证", at("合计", 11, 0, 130, 45, 50));
    const qint64 words = addBox("转账凭证", at("大写", 103, 0, 35, 45, 70));
    const qint64 a = addBox("转账凭证", at("货款", 11, double(total), 130, 10, 50));
    const qint64 b = addBox("转账凭证", at("运费", 11, double(total), 130, 20, 50));
    const qint64 c = addBox("转账凭证", at("折让", 11, total + 0.1, 130, 30, 50));
    setLink(payee, "RCtl", payee2);
    setLink(payee2, "RCtl", payee3);
    setLink(payee3, "RCtl", payee);
    setLink(total, "RCtl", words);
    show("转账凭证");
    type(box(payee), "北京华联商厦");
    type(box(a), "1200");
    type(box(b), "85.5");
    type(box(c), "20");
    EXPECT_EQ(box(payee3)->Text(), "北京华联商厦");
    EXPECT_EQ(box(total)->Text(), "￥1,265.50");
    EXPECT_EQ(box(words)->Text(), "壹仟贰佰陆拾伍元伍角整");

    enter(box(payee));
    enter(box(total));
    EXPECT_EQ(box(payee2)->BackColor(), kSameValueChainColor);
    EXPECT_EQ(box(a)->BackColor(), kAddSourceColor);
    EXPECT_EQ(box(words)->BackColor(), kSameValueChainColor);
    ASSERT_TRUE(MF().PG->grab().save(test::ArtifactDir() + "/filling_focus_colours.png"));
}

TEST_F(FillingScreenshotTest, PasswordZoneDialogEditsTheSettings) {
    CurrentPsdPara() = PsdPara{};
    PsdParaSet dlg;
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "密码区参数设置");
    EXPECT_TRUE(dlg.Chk()->isChecked());
    EXPECT_FALSE(dlg.T(3)->isEnabled());
    EXPECT_EQ(dlg.T(1)->text(), "21");
    dlg.grab().save(test::ArtifactDir() + "/PsdParaSet.png");

    test::ScriptedAnswers answers;
    dlg.T(1)->setText("x");
    dlg.COM(0)->click();
    EXPECT_EQ(answers.messages().size(), 1);
    EXPECT_EQ(CurrentPsdPara().perSegment, 21);  // refused, the dialog stays

    dlg.T(0)->setText("ABC");
    dlg.T(1)->setText("5");
    dlg.T(2)->setText("2");
    dlg.Chk()->click();
    dlg.T(3)->setText("-");
    dlg.COM(0)->click();
    EXPECT_EQ(PsdParaString(), "ABC{[]}5{[]}2{[]}-");
    EXPECT_FALSE(dlg.isVisible());
}
