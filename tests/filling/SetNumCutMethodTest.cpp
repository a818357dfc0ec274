#include <gtest/gtest.h>

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
#include "filling/SetNumCutMethod.h"
#include "store/MainForm.h"

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

TEST_F(ProgramSettingsTest, RoundingDialogOpensOnTheMethodAndStoresTheChoice) {
    NumCutMethod = 2;
    SetNumCutMethod dlg;
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "小数舍入方法");
    EXPECT_EQ(dlg.COM()->text(), "确   定");
    EXPECT_EQ(dlg.OP(1)->text(), "四舍五入");
    EXPECT_FALSE(dlg.OP(0)->isChecked());
    EXPECT_TRUE(dlg.OP(2)->isChecked());
    dlg.grab().save(test::ArtifactDir() + "/SetNumCutMethod.png");

    dlg.OP(1)->click();
    dlg.COM()->click();
    EXPECT_EQ(NumCutMethod, 1);
    EXPECT_EQ(GetParam("NumCutMethod"), "1");
    EXPECT_FALSE(dlg.isVisible());
    // The next amount is rounded half up.
    EXPECT_EQ(ConvertValue(104, "12.345", TheProgramContext()).text, "￥12.35");
}

TEST_F(ProgramSettingsTest, ClosingTheRoundingDialogByItsCloseBoxChangesNothing) {
    SetNumCutMethod* dlg = SetNumCutMethod::Show();
    EXPECT_EQ(SetNumCutMethod::Show(), dlg);  // one dialog
    EXPECT_FALSE(dlg->isModal());
    dlg->OP(2)->click();
    dlg->close();
    EXPECT_EQ(NumCutMethod, 0);
    EXPECT_EQ(GetParam("NumCutMethod"), "");
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
