#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/Settings.h"

using namespace bw;

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = SettingsFolder();
        SetSettingsFolder(dir_.path());
    }
    void TearDown() override { SetSettingsFolder(previous_); }
    QTemporaryDir dir_;
    QString previous_;
};

TEST_F(SettingsTest, ChineseKeysRoundTripEmptyGivesTheDefaultApplicationsAreSeparate) {
    ASSERT_TRUE(WriteSetting("BWF", QStringLiteral("位置"), QStringLiteral("统计_分界线"),
                             QStringLiteral("财务室 3200")));
    EXPECT_EQ(ReadSetting("BWF", QStringLiteral("位置"), QStringLiteral("统计_分界线"), "-1-1"),
              QStringLiteral("财务室 3200"));

    EXPECT_EQ(ReadSetting("BWF", "Para", "CrlfChr", "//"), "//");
    WriteSetting("BWF", "Para", "CrlfChr", "");
    EXPECT_EQ(ReadSetting("BWF", "Para", "CrlfChr", "//"), "//");

    WriteSetting("BWL1", "TagPrintSet", "Index0", "5");
    WriteSetting("BWF", "Marvenset", "T(0)", "2");
    EXPECT_EQ(ReadSetting("BWF", "TagPrintSet", "Index0", "none"), "none");
    EXPECT_EQ(ReadSetting("BWL1", "TagPrintSet", "Index0", ""), "5");
    EXPECT_EQ(ReadSetting("BWF", "Marvenset", "T(1)", ""), "");
}
