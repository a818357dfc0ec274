#pragma once
// Statistics of the history: which boxes can be counted or give a condition or a date, which
// bills of a format lie in a date range and meet a condition, and their number or amount per
// day or month. The statistics window fills a request from its controls.

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace bw {

struct StatsRequest {
    QString format;
    QString amountBox;       // a box label, or a label group "prefix_XX"
    bool countBills = true;  // the number of bills, else the sum of the amount box
    bool conditional = false;
    QString conditionBox, conditionValue;
    bool wholeDate = true;  // the date is one box, else a year, a month and a day box
    QString dateBox, yearBox, monthBox, dayBox;
    bool byMonth = false;  // one row per month, else per day
    QDate from, to;        // either order; both days included
};

// A bill of the history and its date; a negative number marks a bill the condition excludes.
struct BillDate {
    int bill = 0;
    QDate date;
};

// One row of the result: the period ("YYYY-MM-DD" or "YYYY-MM") and its value.
struct StatsRow {
    QString period;
    double value = 0;
};

// True when the label belongs to a label group: it holds "_" and the text after its first
// "_" begins with a number above 0. The group's name is the label up to its last "_" and "_XX".
bool IsLabelGroupMember(const QString& label);
QString LabelGroupName(const QString& label);

// The labels (a group once, as "prefix_XX") of the format's text and check boxes of a family:
// 0 every box, 1 amounts, 2 whole dates, 3 years, 4 months, 5 days; in record order.
// `preferred` is the first listed box whose data type is not 0 (flag 0: none), or "".
QStringList StatsBoxNames(const QString& format, int family, QString* preferred = nullptr);

// The distinct history values of a box or label group, in order.
QStringList StatsValueList(const QString& format, const QString& box);

// The message of a request that cannot run ("日期内容框不能为空！", "统计条件没有设置！"), or "".
QString CheckStatsRequest(const StatsRequest& request);

// The format's bills whose date (the date box, or the year, month and day boxes, capitals
// read back) lies in the range, in bill-number order; with a condition, the bills whose
// condition box holds another value are marked negative.
std::vector<BillDate> BillsInRange(const StatsRequest& request);

// The most rows a result may have: a hundred years by day.
inline constexpr qint64 kMaxStatsRows = 36525;

// The number of bills or the sum of the amount box per period, every period from the first
// bill to the last included (periods without bills hold 0). Only the date and amount rows
// are read. Empty when no bill counts; empty too when the periods from the first bill to the
// last are more than kMaxStatsRows: then nothing is computed and `refusal` (when given)
// receives the message that the range is too long to count by day (by month).
std::vector<StatsRow> ComputeStatistics(const StatsRequest& request, QString* refusal = nullptr);

// The chart's caption for a non-empty result.
QString StatsCaption(const StatsRequest& request, const std::vector<StatsRow>& rows);

}  // namespace bw
