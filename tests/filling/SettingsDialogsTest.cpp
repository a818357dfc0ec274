// The rounding and password-zone dialogs, and the program context the conversions read.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "QStringPrint.h"
#include "TestSupport.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Params.h"
#include "common/Schema.h"
#include "filling/DataTypeConversion.h"
#include "filling/ProgramContext.h"
#include "filling/PsdParaSet.h"
#include "filling/SetNumCutMethod.h"
#include "store/MainForm.h"
#include "store/PsdPara.h"

using namespace bw;

class ProgramSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        CloseDatabase();
        ASSERT_TRUE(EnsureDatabase());
        NumCutMethod = 0;
    }
    void TearDown() override {
        CloseDatabase();
        NumCutMethod = 0;
        CurrencySign = QStringLiteral("￥");
    }
    test::TempDataFolder folder_;
};

TEST_F(ProgramSettingsTest, RoundingDialogStoresTheChoiceOnlyWhenConfirmed) {
    NumCutMethod = 2;
    SetNumCutMethod dlg;
    dlg.show();
    EXPECT_TRUE(dlg.OP(2)->isChecked());
    dlg.grab().save(test::ArtifactDir() + "/SetNumCutMethod.png");
    dlg.OP(1)->click();
    dlg.COM()->click();
    EXPECT_EQ(NumCutMethod, 1);
    EXPECT_EQ(GetParam("NumCutMethod"), "1");
    EXPECT_FALSE(dlg.isVisible());
    // The next amount is rounded half up.
    EXPECT_EQ(ConvertValue(104, "12.345", TheProgramContext()).text, "￥12.35");

    // Closed by its close box: nothing changes.
    NumCutMethod = 0;
    SetParam("NumCutMethod", "");
    SetNumCutMethod* shown = SetNumCutMethod::Show();
    EXPECT_EQ(SetNumCutMethod::Show(), shown);  // one dialog
    EXPECT_FALSE(shown->isModal());
    shown->OP(2)->click();
    shown->close();
    EXPECT_EQ(NumCutMethod, 0);
    EXPECT_EQ(GetParam("NumCutMethod"), "");
}

TEST_F(ProgramSettingsTest, PasswordZoneDialogRefusesBadCountsAndStoresTheSettings) {
    CurrentPsdPara() = PsdPara{};
    PsdParaSet dlg;
    dlg.show();
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

TEST_F(ProgramSettingsTest, ProgramContextReadsTheStoreAndTheOpenFormat) {
    ProgramContext ctx;
    CurrencySign = "HK$";
    EXPECT_EQ(ConvertValue(104, "1234", ctx).text, "HK$1,234.00");
    EXPECT_EQ(ctx.CustomValue(124), "");
    SetParam("收据=>自定义类型124", "甲;乙;丙");
    MF().SetCurrentFormat(QStringLiteral("收据"));
    EXPECT_EQ(ctx.CustomValue(124), "甲;乙;丙");
    EXPECT_FALSE(ctx.MonthZero());
    MF().mMonthZero->setChecked(true);
    EXPECT_EQ(ConvertValue(101, "3", ctx).text, "零叁");
}
