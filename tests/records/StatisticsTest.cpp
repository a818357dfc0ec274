// Statistics over a seeded history: periods with gaps (too long a span refused), months,
// counts and amounts (currency sign, thousands separator, capitals), label groups, combined
// capital dates, conditions.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Schema.h"
#include "records/Statistics.h"

using namespace bw;

namespace {

class Statistics : public ::testing::Test {
protected:
    void SetUp() override {
        CloseDatabase();
        ASSERT_TRUE(EnsureDatabase());
        CurrencySign = QStringLiteral("￥");
        // Boxes of the format 回单: a date, an amount, a capital amount, a group, a payee and
        // year/month/day boxes.
        const std::pair<const char*, double> boxes[] = {
            {"日期", 110},  {"金额", 104}, {"大写", 103}, {"金额_1", 104}, {"金额_2", 104},
            {"金额A", 104}, {"收款人", 0}, {"年", 106},   {"月", 107},     {"日", 108}};
        for (int i = 0; i < 10; ++i) box(i + 1, boxes[i].first, boxes[i].second);
    }
    void TearDown() override { CloseDatabase(); }
    // Record IDs from 101 up (ID 1 is the application-options row).
    void box(int id, const char* label, double cash) {
        ASSERT_TRUE(
            ExecuteSql("INSERT INTO Fmt(ID, Fmt, LBL, Cash, Clas) VALUES(?, '回单', ?, ?, 0)",
                       {id + 100, QString::fromUtf8(label), cash}));
    }
    void value(int bill, int cid, const QString& con) {
        ASSERT_TRUE(ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(?, '回单', ?, ?)",
                               {bill, cid + 100, con}));
    }
    StatsRequest request() const {
        StatsRequest r;
        r.format = QStringLiteral("回单");
        r.dateBox = QStringLiteral("日期");
        r.from = QDate(2013, 1, 1);
        r.to = QDate(2013, 12, 31);
        return r;
    }
    static QStringList text(const std::vector<StatsRow>& rows) {
        QStringList out;
        for (const StatsRow& r : rows) out << r.period + "=" + QString::number(r.value);
        return out;
    }
    test::TempDataFolder folder_;
};

}  // namespace

TEST_F(Statistics, ByDayAndByMonthEveryPeriodIsListed) {
    value(1, 1, "2013-03-01");
    value(2, 1, "2013-03-03");
    value(3, 1, "2013-03-03 10:15:00");  // a time of day counts on its day
    value(4, 1, "2013-05-20");
    StatsRequest r = request();
    EXPECT_EQ(text(ComputeStatistics(r)).mid(0, 3),
              (QStringList{"2013-03-01=1", "2013-03-02=0", "2013-03-03=2"}));
    EXPECT_EQ(ComputeStatistics(r).size(), 81u);  // every day between is listed
    r.byMonth = true;
    EXPECT_EQ(text(ComputeStatistics(r)), (QStringList{"2013-03=3", "2013-04=0", "2013-05=1"}));
    // A reversed range is the same range; an empty one gives nothing.
    std::swap(r.from, r.to);
    EXPECT_EQ(ComputeStatistics(r).size(), 3u);
    r.from = r.to = QDate(2014, 1, 1);
    EXPECT_TRUE(ComputeStatistics(r).empty());
    EXPECT_EQ(StatsCaption(r, {}), "");
}

TEST_F(Statistics, EveryPeriodOfALongGapHasItsRowAndTooLongASpanIsRefused) {
    // A gap of half a year: every day of it is listed.
    value(1, 1, "2013-01-05");
    value(2, 1, "2013-03-20");
    value(3, 1, "2013-09-30");
    StatsRequest r = request();
    QString refusal = "?";
    std::vector<StatsRow> rows = ComputeStatistics(r, &refusal);
    EXPECT_EQ(refusal, "");
    ASSERT_EQ(rows.size(), 269u);
    double total = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].period, QDate(2013, 1, 5).addDays(i).toString("yyyy-MM-dd"));
        total += rows[i].value;
    }
    EXPECT_EQ(total, 3);
    EXPECT_EQ(rows[268].value, 1);
    r.byMonth = true;
    EXPECT_EQ(ComputeStatistics(r).size(), 9u);

    // Bills thousands of years apart: too many periods either way, and none is made.
    value(4, 1, "2026-03-01");
    value(5, 1, "9245-06-30");
    r.from = QDate(36, 1, 1);
    r.to = QDate(9999, 12, 31);
    EXPECT_TRUE(ComputeStatistics(r, &refusal).empty());
    EXPECT_EQ(refusal, "统计的日期跨度太长，不能按月统计，请缩小日期范围！");
    r.byMonth = false;
    EXPECT_TRUE(ComputeStatistics(r, &refusal).empty());
    EXPECT_EQ(refusal, "统计的日期跨度太长，不能按天统计，请缩小日期范围！");

    // The limit itself is a hundred years by day.
    const QDate lastDay = QDate(2013, 1, 5).addDays(kMaxStatsRows - 1);
    value(6, 1, lastDay.toString("yyyy-MM-dd"));
    value(7, 1, lastDay.addDays(1).toString("yyyy-MM-dd"));
    r.from = QDate(2013, 1, 1);
    r.to = lastDay;
    EXPECT_EQ(ComputeStatistics(r, &refusal).size(), static_cast<size_t>(kMaxStatsRows));
    r.to = lastDay.addDays(1);
    EXPECT_TRUE(ComputeStatistics(r, &refusal).empty());
    EXPECT_FALSE(refusal.isEmpty());
}

TEST_F(Statistics, AmountsReadMoneyCapitalsAndLabelGroups) {
    value(1, 1, "2013-03-01");
    value(1, 2, "￥1,234.50");
    value(1, 3, "壹仟贰佰叁拾肆元伍角");
    value(1, 4, "10");
    value(1, 5, "20");
    value(1, 6, "1000");  // 金额A is not a member of the group 金额_XX
    value(2, 1, "2013-03-01");
    value(2, 2, "abc");  // no number counts 0
    StatsRequest r = request();
    r.countBills = false;
    for (const auto& [amountBox, expected] : std::vector<std::pair<QString, double>>{
             {"金额", 1234.5}, {"大写", 1234.5}, {"金额_XX", 30}}) {
        r.amountBox = amountBox;
        const auto rows = ComputeStatistics(r);
        ASSERT_EQ(rows.size(), 1u) << amountBox.toStdString();
        EXPECT_DOUBLE_EQ(rows[0].value, expected) << amountBox.toStdString();
    }
    EXPECT_EQ(
        StatsCaption(r, ComputeStatistics(r)),
        "票据开单统计分析图表\r\n统计：Bellweft；单据：回单；统计内容：金额；日期：2013-03-01至"
        "2013-03-01；\r\n统计对象：金额_XX");

    // Many bills outside a narrow range: the amounts are read by bill number, with the same
    // result as over the whole range.
    for (int bill = 3; bill <= 41; ++bill) {
        value(bill, 1, bill == 41 ? "2013-06-05" : "2013-06-06");
        value(bill, 2, "1.5");
    }
    r.amountBox = "金额";
    r.from = r.to = QDate(2013, 6, 5);
    EXPECT_EQ(text(ComputeStatistics(r)), QStringList{"2013-06-05=1.5"});
    r.from = QDate(2013, 1, 1);
    r.to = QDate(2013, 12, 31);
    EXPECT_EQ(text(ComputeStatistics(r)).mid(96), (QStringList{"2013-06-05=1.5", "2013-06-06=57"}));
}

TEST_F(Statistics, ConditionsAndCombinedCapitalDates) {
    const char* payees[] = {"张三", "李四", "O'Neil"};
    for (int bill = 1; bill <= 3; ++bill) {
        value(bill, 8, "贰零壹叁");
        value(bill, 9, "肆");
        value(bill, 10, "拾壹");
        value(bill, 7, QString::fromUtf8(payees[bill - 1]));
    }
    StatsRequest r = request();
    r.wholeDate = false;
    r.yearBox = "年";
    r.monthBox = "月";
    r.dayBox = "日";
    EXPECT_EQ(text(ComputeStatistics(r)), QStringList{"2013-04-11=3"});
    r.conditional = true;
    r.conditionBox = "收款人";
    r.conditionValue = "O'Neil";  // a quote in the value is only a character
    EXPECT_EQ(text(ComputeStatistics(r)), QStringList{"2013-04-11=1"});
    const std::vector<BillDate> bills = BillsInRange(r);
    ASSERT_EQ(bills.size(), 3u);
    EXPECT_EQ(bills[0].bill, -1);
    EXPECT_EQ(bills[2].bill, 3);
    EXPECT_EQ(StatsValueList("回单", "收款人"), (QStringList{"O'Neil", "张三", "李四"}));
    r.conditionValue.clear();
    EXPECT_EQ(CheckStatsRequest(r), "统计条件没有设置！");
    EXPECT_TRUE(ComputeStatistics(r).empty());
}

TEST_F(Statistics, BoxListsByFamilyWithGroupsOnce) {
    box(11, "A_B_3", 104);
    box(12, "A_2_3", 104);
    box(13, "总额", 211.06);
    box(14, "整三百", 300);
    QString preferred;
    EXPECT_EQ(
        StatsBoxNames("回单", 1, &preferred),
        (QStringList{"金额", "大写", "金额_XX", "金额A", "收款人", "A_B_3", "A_2_XX", "总额"}));
    EXPECT_EQ(preferred, "金额");
    EXPECT_EQ(StatsBoxNames("回单", 2), QStringList{"日期"});
    EXPECT_EQ(StatsBoxNames("回单", 9), QStringList());
    EXPECT_TRUE(IsLabelGroupMember("金额_2"));
    EXPECT_FALSE(IsLabelGroupMember("A_B_3"));
}
