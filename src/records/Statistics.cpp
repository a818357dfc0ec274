#include "records/Statistics.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "common/Database.h"
#include "common/Globals.h"
#include "common/Schema.h"
#include "filling/Capitals.h"
#include "filling/Dates.h"
#include "platform/VbNumbers.h"

namespace bw {

namespace {

const QString kGroupTail = QStringLiteral("_XX");

bool inFamily(double cash, int family) {
    static const QString lists[] = {
        QString(),
        QStringLiteral("|103|120|104|105|117|118|11|311|211|114|121|116|0|"),
        QStringLiteral("|110|111|"),
        QStringLiteral("|100|106|"),
        QStringLiteral("|101|107|"),
        QStringLiteral("|102|108|")};
    if (family == 0) return true;
    if (family < 0 || family > 5) return false;
    if (lists[family].contains(u'|' + QString::number(static_cast<qlonglong>(Fix(cash))) + u'|'))
        return true;
    return family == 1 && ((cash > 200 && cash < 300) || (cash > 300 && cash < 400));
}

// The record IDs of a box label, or of every member of a label group "prefix_XX" (labels
// that begin with the prefix and a literal "_" and have more after it), ascending.
// `rowCount`: the number of the format's rows.
std::vector<int> boxIds(const QString& format, const QString& box, int* rowCount = nullptr) {
    std::vector<int> ids;
    if (box.isEmpty()) return ids;
    int rows = 0;
    const bool group = box.endsWith(kGroupTail);
    const QString prefix = group ? box.left(box.lastIndexOf(u'_') + 1) : QString();
    ForEachRecord(
        QStringLiteral("SELECT ID, LBL FROM Fmt WHERE Fmt=? ORDER BY ID"), {format},
        [&](const RowView& row) {
            ++rows;
            const QString label = row.Text(1);
            if (group ? (label.startsWith(prefix) && label.size() > prefix.size()) : label == box)
                ids.push_back(static_cast<int>(row.Int64(0)));
            return true;
        });
    if (rowCount) *rowCount = rows;
    return ids;
}

int boxIdOf(const QString& format, const QString& label) {
    int id = 0;
    if (label.isEmpty()) return 0;
    ForEachRecord(QStringLiteral("SELECT ID FROM Fmt WHERE Fmt=? AND LBL=? ORDER BY ID"),
                  {format, label}, [&](const RowView& row) {
                      id = static_cast<int>(row.Int64(0));  // a later box wins
                      return true;
                  });
    return id;
}

// "?, ?, ?" for the IDs, and the IDs as bound values.
QString placeholders(const std::vector<int>& ids) {
    QString s;
    for (size_t i = 0; i < ids.size(); ++i) s += i ? QStringLiteral(", ?") : QStringLiteral("?");
    return s;
}

Params idParams(const std::vector<int>& ids) {
    Params p;
    for (int id : ids) p << id;
    return p;
}

int capitalNumber(const QString& text) {
    return CInt(Val(ConvertCapitalDigits(text, -1)));
}

// Reads date texts; bills of one day follow each other, so the last text is remembered.
class DateReader {
public:
    QDate operator()(const QString& text) {
        if (text == last_) return date_;
        last_ = text;
        const auto when = ReadDateText(text.trimmed(), today_);
        date_ = when ? when->date() : QDate();
        return date_;
    }

private:
    QDate today_ = QDate::currentDate();
    QString last_;
    QDate date_;
};

// The bills of the format with their dates, in bill order: `inRange` those dated within the
// request's range, `all` the numbers of every bill that has a date row. Only the rows of
// the date boxes are read.
void readBillDates(const StatsRequest& r, std::vector<BillDate>* inRange, std::vector<int>* all) {
    QDate start = r.from, end = r.to;
    if (start > end) std::swap(start, end);
    std::vector<BillDate> dates;
    if (r.wholeDate) {
        const int dateId = boxIdOf(r.format, r.dateBox);
        DateReader read;
        ForEachRecord(QStringLiteral("SELECT ID, Con FROM 历史 WHERE CID=? AND Fmt=?"),
                      {dateId, r.format}, [&](const RowView& row) {
                          dates.push_back({static_cast<int>(row.Int64(0)), read(row.Text(1))});
                          return true;
                      });
        // A bill with two date rows takes the later row's.
        std::stable_sort(dates.begin(), dates.end(),
                         [](const BillDate& a, const BillDate& b) { return a.bill < b.bill; });
        size_t kept = 0;
        for (size_t i = 0; i < dates.size(); ++i) {
            if (kept > 0 && dates[kept - 1].bill == dates[i].bill) --kept;
            dates[kept++] = dates[i];
        }
        dates.resize(kept);
    } else {
        const std::vector<int> boxes = {boxIdOf(r.format, r.yearBox), boxIdOf(r.format, r.monthBox),
                                        boxIdOf(r.format, r.dayBox)};
        std::map<int, std::array<int, 3>> parts;
        // Consecutive bills mostly share their year and month: each box remembers its last.
        std::array<QString, 3> lastText;
        std::array<int, 3> lastNumber = {0, 0, 0};
        ForEachRecord(QStringLiteral("SELECT ID, CID, Con FROM 历史 WHERE CID IN (?, ?, ?) AND "
                                     "Fmt=?"),
                      idParams(boxes) << r.format, [&](const RowView& row) {
                          auto& p = parts[static_cast<int>(row.Int64(0))];
                          const int cid = static_cast<int>(row.Int64(1));
                          const QString text = row.Text(2);
                          for (int i = 0; i < 3; ++i) {
                              if (cid != boxes[i]) continue;
                              if (text != lastText[i]) {
                                  lastText[i] = text;
                                  lastNumber[i] = capitalNumber(text);
                              }
                              p[i] = lastNumber[i];
                          }
                          return true;
                      });
        for (const auto& [bill, p] : parts) dates.push_back({bill, QDate(p[0], p[1], p[2])});
    }
    all->clear();
    for (const BillDate& b : dates) {
        all->push_back(b.bill);
        if (b.date.isValid() && b.date >= start && b.date <= end) inRange->push_back(b);
    }
}

// Marks negative the bills whose condition box does not hold the condition's value.
void markCondition(const StatsRequest& r, std::vector<BillDate>* bills) {
    if (!r.conditional || bills->empty()) return;
    const std::vector<int> ids = boxIds(r.format, r.conditionBox);
    std::vector<int> meeting;
    if (!ids.empty())
        ForEachRecord(QStringLiteral("SELECT ID FROM 历史 WHERE CID IN (") + placeholders(ids) +
                          QStringLiteral(") AND Fmt=? AND Con=?"),
                      idParams(ids) << r.format << r.conditionValue, [&](const RowView& row) {
                          meeting.push_back(static_cast<int>(row.Int64(0)));
                          return true;
                      });
    std::sort(meeting.begin(), meeting.end());
    for (BillDate& b : *bills)
        if (!std::binary_search(meeting.begin(), meeting.end(), b.bill)) b.bill = -b.bill;
}

// The amount of each counted bill (in bill order): the sum of its amount boxes, capitals
// read back, a currency sign and thousands separators left out. Only the amount rows are
// read: through the amount boxes' index when the bills in range are many, else through the
// format's bill numbers from the first counted bill to the last.
void readAmounts(const StatsRequest& r, const std::vector<BillDate>& counted,
                 const std::vector<int>& all, std::vector<double>* amounts) {
    int boxes = 0;
    const std::vector<int> ids = boxIds(r.format, r.amountBox, &boxes);
    if (ids.empty()) return;
    const double dataType =
        Val(ValueById(QStringLiteral("Fmt"), ids.front(), QStringLiteral("Cash")).toString());
    const int first = counted.front().bill, last = counted.back().bill;
    const auto span = std::upper_bound(all.begin(), all.end(), last) -
                      std::lower_bound(all.begin(), all.end(), first);
    // Each bill has a row per box: the bills' rows cost more than the amount rows of all.
    const bool byBills = span * std::max(boxes, 1) < static_cast<qsizetype>(all.size());
    const QString sql = byBills ? QStringLiteral(
                                      "SELECT ID, Con FROM 历史 WHERE Fmt=? AND ID BETWEEN ? AND ? "
                                      "AND +CID IN (") +
                                      placeholders(ids) + u')'
                                : QStringLiteral("SELECT ID, Con FROM 历史 WHERE CID IN (") +
                                      placeholders(ids) +
                                      QStringLiteral(") AND +Fmt=? AND +ID BETWEEN ? AND ?");
    Params params = byBills ? Params{r.format, first, last} + idParams(ids)
                            : idParams(ids) << r.format << first << last;
    ForEachRecord(sql, params, [&](const RowView& row) {
        const int bill = static_cast<int>(row.Int64(0));
        const auto it = std::lower_bound(counted.begin(), counted.end(), bill,
                                         [](const BillDate& b, int n) { return b.bill < n; });
        if (it == counted.end() || it->bill != bill) return true;
        QString v = CapitalsToAmount(row.Text(1), dataType);
        v.remove(u',');
        if (!CurrencySign.isEmpty()) v.remove(CurrencySign);
        (*amounts)[static_cast<size_t>(it - counted.begin())] += Val(v);
        return true;
    });
}

}  // namespace

bool IsLabelGroupMember(const QString& label) {
    const int bar = label.indexOf(u'_');
    return bar >= 0 && Val(label.mid(bar + 1)) > 0;
}

QString LabelGroupName(const QString& label) {
    return label.left(label.lastIndexOf(u'_')) + kGroupTail;
}

QStringList StatsBoxNames(const QString& format, int family, QString* preferred) {
    QStringList names;
    if (preferred) preferred->clear();
    Recordset rs;
    OpenRecordset(rs,
                  QStringLiteral("SELECT LBL, Cash FROM Fmt WHERE Fmt=? AND LBL<>? AND LBL<>'' "
                                 "AND Clas<=1 ORDER BY ID"),
                  {format, kWholeFormatLabel});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const double cash = rs.Number(QStringLiteral("Cash"));
        QString name = rs.Text(QStringLiteral("LBL"));
        if (name.isEmpty() || !inFamily(cash, family)) continue;
        if (IsLabelGroupMember(name)) name = LabelGroupName(name);
        if (names.contains(name)) continue;
        names << name;
        if (preferred && family != 0 && preferred->isEmpty() && cash > 0) *preferred = name;
    }
    CloseRecordset(rs);
    return names;
}

QStringList StatsValueList(const QString& format, const QString& box) {
    const std::vector<int> ids = boxIds(format, box);
    std::set<QString> values;
    if (!ids.empty())
        ForEachRecord(QStringLiteral("SELECT Con FROM 历史 WHERE CID IN (") + placeholders(ids) +
                          QStringLiteral(") AND Fmt=?"),
                      idParams(ids) << format, [&](const RowView& row) {
                          values.insert(row.Text(0));
                          return true;
                      });
    return QStringList(values.begin(), values.end());
}

QString CheckStatsRequest(const StatsRequest& r) {
    if (r.wholeDate && r.dateBox.isEmpty()) return QStringLiteral("日期内容框不能为空！");
    if (!r.wholeDate && (r.yearBox.isEmpty() || r.monthBox.isEmpty() || r.dayBox.isEmpty()))
        return QStringLiteral("日期内容框不能为空！");
    if (r.conditional && (r.conditionBox.isEmpty() || r.conditionValue.isEmpty()))
        return QStringLiteral("统计条件没有设置！");
    return QString();
}

std::vector<BillDate> BillsInRange(const StatsRequest& r) {
    std::vector<BillDate> bills;
    std::vector<int> all;
    readBillDates(r, &bills, &all);
    markCondition(r, &bills);
    return bills;
}

std::vector<StatsRow> ComputeStatistics(const StatsRequest& r, QString* refusal) {
    std::vector<StatsRow> rows;
    if (refusal) refusal->clear();
    if (!CheckStatsRequest(r).isEmpty()) return rows;
    std::vector<BillDate> counted;
    std::vector<int> all;
    readBillDates(r, &counted, &all);
    markCondition(r, &counted);
    counted.erase(std::remove_if(counted.begin(), counted.end(),
                                 [](const BillDate& b) { return b.bill < 0; }),
                  counted.end());
    if (counted.empty()) return rows;

    // Bills by date (bill order within a day): a row per period from the first bill's to the
    // last's, the rows counted before any is made.
    std::vector<size_t> order(counted.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return counted[a].date < counted[b].date; });
    auto periodOf = [&](QDate d) { return r.byMonth ? QDate(d.year(), d.month(), 1) : d; };
    const QDate first = periodOf(counted[order.front()].date);
    auto rowOf = [&](QDate period) -> qint64 {
        return r.byMonth ? (static_cast<qint64>(period.year()) - first.year()) * 12 +
                               period.month() - first.month()
                         : first.daysTo(period);
    };
    const qint64 periods = rowOf(periodOf(counted[order.back()].date)) + 1;
    if (periods > kMaxStatsRows) {
        if (refusal)
            *refusal = QStringLiteral("统计的日期跨度太长，不能按%1统计，请缩小日期范围！")
                           .arg(r.byMonth ? QStringLiteral("月") : QStringLiteral("天"));
        return rows;
    }
    std::vector<double> amounts(counted.size(), r.countBills ? 1.0 : 0.0);
    if (!r.countBills) readAmounts(r, counted, all, &amounts);

    const QString pattern = r.byMonth ? QStringLiteral("yyyy-MM") : QStringLiteral("yyyy-MM-dd");
    rows.reserve(static_cast<size_t>(periods));
    for (QDate p = first; rows.size() < static_cast<size_t>(periods);
         p = r.byMonth ? p.addMonths(1) : p.addDays(1))
        rows.push_back({p.toString(pattern), 0});
    for (size_t i : order)
        rows[static_cast<size_t>(rowOf(periodOf(counted[i].date)))].value += amounts[i];
    return rows;
}

QString StatsCaption(const StatsRequest& r, const std::vector<StatsRow>& rows) {
    if (rows.empty()) return QString();
    auto flat = [](QString s) {
        return s.remove(QStringLiteral("\r")).remove(QStringLiteral("\n"));
    };
    QString c = QStringLiteral("票据开单统计分析图表\r\n统计：Bellweft；单据：") + r.format +
                QStringLiteral("；统计内容：") +
                (r.countBills ? QStringLiteral("单据数") : QStringLiteral("金额")) +
                QStringLiteral("；日期：") + rows.front().period + QStringLiteral("至") +
                rows.back().period + QStringLiteral("；");
    if (!r.countBills)
        c += QStringLiteral("\r\n统计对象：") + flat(r.amountBox) + QStringLiteral("；");
    if (r.conditional)
        c += QStringLiteral("统计条件：") + flat(r.conditionBox) + QStringLiteral("=“") +
             flat(r.conditionValue) + QStringLiteral("”；");
    c.chop(1);
    return c;
}

}  // namespace bw
