#include <gtest/gtest.h>

#include <QWidget>

#include "TestSupport.h"
#include "common/Database.h"
#include "common/Params.h"
#include "common/Schema.h"

using namespace bw;

class ParamsTest : public ::testing::Test {
protected:
    void SetUp() override {
        CloseDatabase();
        ASSERT_TRUE(EnsureDatabase());
    }
    void TearDown() override { CloseDatabase(); }
    test::TempDataFolder folder_;
};

TEST_F(ParamsTest, SetTwiceKeepsOneRowWithTheLastValue) {
    EXPECT_EQ(GetParam("NumCutMethod"), "");
    SetParam("NumCutMethod", "1");
    SetParam("NumCutMethod", "2");
    EXPECT_EQ(GetParam("NumCutMethod"), "2");
    Recordset rs;
    OpenRecordset(rs, "SELECT * FROM 参数 WHERE Var=?", {QString("NumCutMethod")});
    EXPECT_EQ(rs.RecordCount(), 1);
}

TEST_F(ParamsTest, AWriteTheFileRefusesIsReportedAndKeepsTheOldValue) {
    ASSERT_TRUE(SetParam("NumCutMethod", "1"));
    ASSERT_TRUE(Db()->Exec("PRAGMA query_only = 1"));
    EXPECT_FALSE(SetParam("NumCutMethod", "2"));
    EXPECT_EQ(LastDatabaseError(), "数据文件不能写入");
    ASSERT_TRUE(Db()->Exec("PRAGMA query_only = 0"));
    EXPECT_EQ(GetParam("NumCutMethod"), "1");
}

TEST_F(ParamsTest, NamesAndValuesWithQuotesAreStoredAsTyped) {
    const QString name = QStringLiteral("O'Brien's 票=>自定义类型124");
    SetParam(name, "甲;乙'丙");
    EXPECT_EQ(GetParam(name), "甲;乙'丙");
    EXPECT_EQ(GetParam("O"), "");
}

TEST_F(ParamsTest, WindowPositionsRoundTripAndBadValuesAreIgnored) {
    QWidget w;
    w.setGeometry(100, 80, 400, 300);
    SaveWindowPos(&w, "格式模板列表");
    EXPECT_FALSE(GetParam("窗口参数：格式模板列表").isEmpty());
    QWidget other;
    other.setGeometry(0, 0, 200, 100);
    RestoreWindowPos(&other, "格式模板列表");
    EXPECT_EQ(other.width(), w.frameGeometry().width());
    EXPECT_EQ(other.height(), w.frameGeometry().height());

    SetParam("窗口参数：两项", "15;15");
    QWidget two;
    two.setGeometry(10, 10, 50, 50);
    RestoreWindowPos(&two, "两项");
    EXPECT_EQ(two.geometry(), QRect(10, 10, 50, 50));

    SetParam("窗口参数：远处", "9999999;0;1500;1500");  // beyond the screen: size only
    QWidget far;
    far.setGeometry(10, 10, 50, 50);
    RestoreWindowPos(&far, "远处");
    EXPECT_EQ(far.pos(), QPoint(10, 10));
    EXPECT_EQ(far.size(), QSize(100, 100));
}

TEST_F(ParamsTest, RegistryValuesUseTheirDefaultsWhenEmpty) {
    EXPECT_EQ(GetRegValue("BWF", "Para", "CrlfChr", "//"), "//");
    EXPECT_TRUE(SaveRegValue("BWF", "Validate", "DefaultSoftSet", "0§☆§0§☆§0§☆§0§☆§0§☆§"));
    EXPECT_EQ(GetRegValue("BWF", "Validate", "DefaultSoftSet", ""), "0§☆§0§☆§0§☆§0§☆§0§☆§");
}
