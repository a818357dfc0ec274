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

TEST_F(ParamsTest, SetTwiceKeepsOneRowAndQuotesAreStoredAsTyped) {
    EXPECT_EQ(GetParam("NumCutMethod"), "");
    SetParam("NumCutMethod", "1");
    SetParam("NumCutMethod", "2");
    EXPECT_EQ(GetParam("NumCutMethod"), "2");
    Recordset rs;
    OpenRecordset(rs, "SELECT * FROM 参数 WHERE Var=?", {QString("NumCutMethod")});
    EXPECT_EQ(rs.RecordCount(), 1);

    const QString name = QStringLiteral("O'Brien's 票=>自定义类型124");
    SetParam(name, "甲;乙'丙");
    EXPECT_EQ(GetParam(name), "甲;乙'丙");
    EXPECT_EQ(GetParam("O"), "");
    EXPECT_EQ(GetRegValue("BWF", "Para", "CrlfChr", "//"), "//");  // empty: the default
}

TEST_F(ParamsTest, AWriteTheFileRefusesIsReportedAndKeepsTheOldValue) {
    ASSERT_TRUE(SetParam("NumCutMethod", "1"));
    ASSERT_TRUE(Db()->Exec("PRAGMA query_only = 1"));
    EXPECT_FALSE(SetParam("NumCutMethod", "2"));
    EXPECT_EQ(LastDatabaseError(), "数据文件不能写入");
    ASSERT_TRUE(Db()->Exec("PRAGMA query_only = 0"));
    EXPECT_EQ(GetParam("NumCutMethod"), "1");
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

    const struct {
        const char *name, *stored;
        QRect after;
    } bad[] = {{"两项", "15;15", QRect(10, 10, 50, 50)},
               {"远处", "9999999;0;1500;1500", QRect(10, 10, 100, 100)}};  // off screen: size only
    for (const auto& c : bad) {
        SetParam(QStringLiteral("窗口参数：") + c.name, c.stored);
        QWidget v;
        v.setGeometry(10, 10, 50, 50);
        RestoreWindowPos(&v, c.name);
        EXPECT_EQ(QRect(v.pos(), v.size()), c.after) << c.stored;
    }
}
