#include <gtest/gtest.h>

#include "store/DataTypeCodes.h"

using namespace bw;

namespace {
std::string s(const QString& q) {
    return q.toStdString();
}
}  // namespace

TEST(DataTypeList, HoldsTheCodesInTheirOrder) {
    const QStringList& e = DataTypeListEntries();
    for (const QString& entry : e) EXPECT_EQ(EntryForCode(EntryCode(entry)), entry);
    EXPECT_EQ(EntryCode(e[13]), 211);
    EXPECT_EQ(s(EntryForCode(103)), "103｜大写金额(元)");
    EXPECT_EQ(s(EntryForCode(999)), "");
    EXPECT_TRUE(IsCustomEntry(EntryForCode(133)));
    EXPECT_FALSE(IsCustomEntry(EntryForCode(122)));
}

TEST(DataTypeCash, UnpacksEveryRange) {
    const struct {
        double cash;
        int code;
        const char* caption;
        double count;
        bool editable;
    } cases[] = {
        {0, 0, "数据类型代码：", 0, false},        {11, 11, "小写金额格数：", 11, true},
        {5, 11, "小写金额格数：", 5, true},        {211, 211, "数字格数：", 11, true},
        {311, 311, "数字格数：", 11, true},        {305, 311, "数字格数：", 5, true},
        {114.08, 114, "大写金额位数：", 8, true},  {114.07, 114, "大写金额位数：", 7, true},
        {121.10, 121, "大写金额位数：", 10, true}, {103, 103, "数据类型代码：", 103, false},
        {132, 132, "数据类型代码：", 132, false},
    };
    for (const auto& c : cases) {
        UnpackedCash u = UnpackCash(c.cash);
        EXPECT_EQ(u.code, c.code) << c.cash;
        EXPECT_EQ(s(u.countCaption), c.caption) << c.cash;
        EXPECT_DOUBLE_EQ(u.count, c.count) << c.cash;
        EXPECT_EQ(u.countEditable, c.editable) << c.cash;
    }
}

TEST(DataTypeCash, PackingGivesBackWhatUnpackingShows) {
    EXPECT_DOUBLE_EQ(PackCash(211, 7), 207);
    EXPECT_DOUBLE_EQ(PackCash(121, 10), 121.10);
    EXPECT_DOUBLE_EQ(PackCash(103, 103), 103);
    for (int code : {11, 211, 311, 114, 121})
        for (int n = 1; n <= 99; ++n) {
            UnpackedCash u = UnpackCash(PackCash(code, n));
            EXPECT_EQ(u.code, code);
            EXPECT_DOUBLE_EQ(u.count, n) << code << " " << n;
        }
    EXPECT_DOUBLE_EQ(DefaultCashForCode(114), 114.11);
    EXPECT_DOUBLE_EQ(DefaultCashForCode(211), 211);
    EXPECT_EQ(ClassifyCash(0), CashKind::Plain);
    EXPECT_EQ(ClassifyCash(99), CashKind::AmountCells);
    EXPECT_EQ(ClassifyCash(250), CashKind::DigitCells);
    EXPECT_EQ(ClassifyCash(399), CashKind::AmountCellsNoSign);
}

TEST(DataTypeCash, CountFieldFallsBackToEleven) {
    for (const char* t : {"0", "-3", "100", "abc", ""})
        EXPECT_EQ(s(BoundedCountText(t)), "11") << t;
    EXPECT_EQ(s(BoundedCountText("99")), "99");
}

TEST(CustomTypes, KeyEntriesAndPrompt) {
    EXPECT_EQ(s(CustomTypeKey("收据", 119)), "收据=>自定义类型119");
    EXPECT_EQ(s(EntryWithCustomValue("124｜自定义列表1：", "甲;乙")), "124｜自定义列表1：甲;乙");
    EXPECT_EQ(s(EntryWithCustomValue("124｜自定义列表1：旧", "新")), "124｜自定义列表1：新");
    QStringList shown = EntriesWithCustomValues(
        [](int code) { return code == 119 ? QStringLiteral("yyyy/mm/dd") : QString(); });
    EXPECT_EQ(s(shown[22]), "119｜自定义日期：yyyy/mm/dd");
    EXPECT_EQ(s(shown[31]), "124｜自定义列表1：");
    EXPECT_EQ(s(shown[18]), "110｜日期：YYYY年MM月DD日");  // not custom: as it was
}
