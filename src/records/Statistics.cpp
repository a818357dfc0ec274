#include "records/Statistics.h"

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
// that begin with the prefix and a literal "_" and have more after it).
std::set<int> boxIds(const QString& format, const QString& box) {
    std::set<int> ids;
    if (box.isEmpty()) return ids;
    const bool group = box.endsWith(kGroupTail);
    const QString prefix = group ? box.left(box.lastIndexOf(u'_') + 1) : QString();
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT ID, LBL FROM Fmt WHERE Fmt=?"), {format});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const QString label = rs.Text(QStringLiteral("LBL"));
        if (group ? (label.startsWith(prefix) && label.size() > prefix.size()) : label == box)
            ids.insert(static_cast<int>(rs.Number(QStringLiteral("ID"))));
    }
    CloseRecordset(rs);
    return ids;
}

int boxIdOf(const QString& format, const QString& label) {
    int id = 0;
    if (label.isEmpty()) return 0;
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT ID FROM Fmt WHERE Fmt=? AND LBL=? ORDER BY ID"),
                  {format, label});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        id = static_cast<int>(rs.Number(QStringLiteral("ID")));  // a later box wins
    CloseRecordset(rs);
    return id;
}

int capitalNumber(const QString& text) {
    return CInt(Val(ConvertCapitalDigits(text, -1)));
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
    const std::set<int> ids = boxIds(format, box);
    std::set<QString> values;
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT CID, Con FROM 历史 WHERE Fmt=?"), {format});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        if (ids.count(static_cast<int>(rs.Number(QStringLiteral("CID")))))
            values.insert(rs.Text(QStringLiteral("Con")));
    CloseRecordset(rs);
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
    QDate start = r.from, end = r.to;
    if (start > end) std::swap(start, end);
    const QDate today = QDate::currentDate();
    std::map<int, QDate> dates;
    if (r.wholeDate) {
        const int dateId = boxIdOf(r.format, r.dateBox);
        Recordset rs;
        OpenRecordset(rs,
                      QStringLiteral("SELECT ID, Con FROM 历史 WHERE Fmt=? AND CID=? ORDER BY ID"),
                      {r.format, dateId});
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            const auto when = ReadDateText(rs.Text(QStringLiteral("Con")).trimmed(), today);
            dates[static_cast<int>(rs.Number(QStringLiteral("ID")))] =
                when ? when->date() : QDate();
        }
        CloseRecordset(rs);
    } else {
        const int y = boxIdOf(r.format, r.yearBox), m = boxIdOf(r.format, r.monthBox),
                  d = boxIdOf(r.format, r.dayBox);
        std::map<int, std::array<int, 3>> parts;
        Recordset rs;
        OpenRecordset(
            rs,
            QStringLiteral("SELECT ID, CID, Con FROM 历史 WHERE Fmt=? AND CID IN (?, ?, ?) "
                           "ORDER BY ID, CID"),
            {r.format, y, m, d});
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            auto& p = parts[static_cast<int>(rs.Number(QStringLiteral("ID")))];
            const int cid = static_cast<int>(rs.Number(QStringLiteral("CID")));
            const int n = capitalNumber(rs.Text(QStringLiteral("Con")));
            if (cid == y) p[0] = n;
            if (cid == m) p[1] = n;
            if (cid == d) p[2] = n;
        }
        CloseRecordset(rs);
        for (const auto& [bill, p] : parts) dates[bill] = QDate(p[0], p[1], p[2]);
    }
    for (const auto& [bill, date] : dates)
        if (date.isValid() && date >= start && date <= end) bills.push_back({bill, date});
    if (!r.conditional || bills.empty()) return bills;

    // The condition: only bills whose condition box holds the value stay positive.
    std::set<int> meeting;
    const std::set<int> ids = boxIds(r.format, r.conditionBox);
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT ID, CID FROM 历史 WHERE Fmt=? AND Con=?"),
                  {r.format, r.conditionValue});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        if (ids.count(static_cast<int>(rs.Number(QStringLiteral("CID")))))
            meeting.insert(static_cast<int>(rs.Number(QStringLiteral("ID"))));
    CloseRecordset(rs);
    for (BillDate& b : bills)
        if (!meeting.count(b.bill)) b.bill = -b.bill;
    return bills;
}

std::vector<StatsRow> ComputeStatistics(const StatsRequest& r) {
    std::vector<StatsRow> rows;
    if (!CheckStatsRequest(r).isEmpty()) return rows;
    const std::vector<BillDate> bills = BillsInRange(r);
    std::map<int, QDate> counted;
    for (const BillDate& b : bills)
        if (b.bill > 0) counted[b.bill] = b.date;
    if (counted.empty()) return rows;

    // The amount of each counted bill: the sum of its amount boxes, capitals read back.
    std::map<int, double> amounts;
    if (!r.countBills) {
        const std::set<int> ids = boxIds(r.format, r.amountBox);
        double dataType = 0;
        if (!ids.empty())
            dataType = Val(
                ValueById(QStringLiteral("Fmt"), *ids.begin(), QStringLiteral("Cash")).toString());
        // Only the bills of the range: their numbers bound the rows read (the format's index).
        Recordset rs;
        OpenRecordset(
            rs,
            QStringLiteral("SELECT ID, CID, Con FROM 历史 WHERE Fmt=? AND ID BETWEEN ? AND ? "
                           "ORDER BY ID"),
            {r.format, counted.begin()->first, counted.rbegin()->first});
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            const int bill = static_cast<int>(rs.Number(QStringLiteral("ID")));
            if (!counted.count(bill) ||
                !ids.count(static_cast<int>(rs.Number(QStringLiteral("CID")))))
                continue;
            QString v = CapitalsToAmount(rs.Text(QStringLiteral("Con")), dataType);
            v.remove(u',');
            if (!CurrencySign.isEmpty()) v.remove(CurrencySign);
            amounts[bill] += Val(v);
        }
        CloseRecordset(rs);
    }

    // Per period, every period from the first bill's to the last's.
    std::map<QDate, double> perDay;
    for (const auto& [bill, date] : counted) {
        const QDate key = r.byMonth ? QDate(date.year(), date.month(), 1) : date;
        perDay[key] += r.countBills ? 1 : amounts[bill];
    }
    const QDate first = perDay.begin()->first, last = perDay.rbegin()->first;
    for (QDate p = first; p <= last; p = r.byMonth ? p.addMonths(1) : p.addDays(1)) {
        auto it = perDay.find(p);
        rows.push_back(
            {p.toString(r.byMonth ? QStringLiteral("yyyy-MM") : QStringLiteral("yyyy-MM-dd")),
             it == perDay.end() ? 0 : it->second});
    }
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
