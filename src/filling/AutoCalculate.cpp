#include "filling/AutoCalculate.h"

#include <algorithm>
#include <cmath>

#include "common/Common.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "filling/BoxConversion.h"
#include "filling/Capitals.h"
#include "filling/DataTypeConversion.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/CheckBox.h"
#include "store/Label.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"
#include "store/TextBox.h"

namespace bw {

namespace {

qint64 key(double id) {
    return static_cast<qint64>(Fix(id));
}

TextBox* textBoxAt(int boxIndex) {
    const auto& tt = MF().TT;
    if (boxIndex < 1 || boxIndex > int(tt.size())) return nullptr;
    return tt[boxIndex - 1];
}

// The caption before its last "_" and the number after it (0 when there is no "_").
void splitGroup(const QString& caption, QString& prefix, int& group) {
    const int p = caption.lastIndexOf(u'_');
    if (p < 0) {
        prefix = caption;
        group = 0;
        return;
    }
    prefix = caption.left(p);
    group = CLng(Val(caption.mid(p + 1)));
}

}  // namespace

void RelationTable::Build(const Grid& grid) {
    records_.clear();
    byId_.clear();
    const IdentityIndex ids(grid);
    QHash<int, int> boxOfRow;
    const auto& tt = MF().TT;
    for (int i = 0; i < int(tt.size()); ++i) boxOfRow.insert(BoxRow(tt[i]), i + 1);
    for (int r = grid.FixedRows(); r < grid.Rows(); ++r) {
        if (Val(grid.TextRef(r, col::Clas)) != 0) continue;
        RelationRecord rec;
        rec.id = Fix(Val(grid.TextRef(r, col::ID)));
        rec.boxIndex = boxOfRow.value(r, 0);
        rec.dataType = Val(grid.TextRef(r, col::Cash));
        rec.rctl = ids.Resolve(Val(grid.TextRef(r, col::RCtl)));
        rec.rctl1 = ids.Resolve(Val(grid.TextRef(r, col::RCtl1)));
        rec.sumId = Val(grid.TextRef(r, col::SumID));
        rec.sumId1 = Val(grid.TextRef(r, col::SumID1));
        rec.sum = ids.Resolve(rec.sumId);
        rec.sum1 = ids.Resolve(rec.sumId1);
        if (!byId_.contains(key(rec.id))) byId_.insert(key(rec.id), int(records_.size()));
        records_.push_back(rec);
    }
}

int RelationTable::IndexOf(double id) const {
    return byId_.value(key(id), -1);
}

void WorkQueue::Add(double id) {
    if (IndexOf(id) < 0) ids_.push_back(id);
}

int WorkQueue::IndexOf(double id) const {
    for (int i = 0; i < int(ids_.size()); ++i)
        if (ids_[i] == id) return i;
    return -1;
}

QString BoxTextByIndex(int boxIndex) {
    TextBox* box = textBoxAt(boxIndex);
    if (!box) return QString();
    return CapitalsToAmount(box->Text(), BoxDataType(box));
}

void SetRelatedBoxValue(const RelationTable& table, int start, const QString& value,
                        WorkQueue& queue) {
    for (int pass = 0; pass < 2; ++pass) {
        int current = start;
        for (int step = 0; step < kMaxChainSteps; ++step) {
            const RelationRecord& rec = table.At(current);
            const LinkRef& link = pass == 0 ? rec.rctl : rec.rctl1;
            if (link.mode != 1) break;
            const int next = table.IndexOf(link.id);
            if (next == start) break;
            if (next < 0) {
                // Not a text box: a picture box shows the value as its picture or barcode.
                if (auto* pic = dynamic_cast<PictureBox*>(BoxOfRecordId(link.id)))
                    RefreshPictureBox(pic, value);
                return;
            }
            TextBox* box = textBoxAt(table.At(next).boxIndex);
            if (!box) break;
            const QString v = ConvertByDataType(box, value);
            if (box->Text() == v) break;
            box->SetText(v);
            queue.Add(table.At(next).id);
            current = next;
        }
    }
}

std::vector<HistoryHit> HistoryLookup::Load(const QString& format, const QString& value) {
    std::vector<HistoryHit> hits;
    Recordset rs;
    // The latest bill of each box of the format that held the value, one row per box: one
    // index seek per box, so that the cost stays that of the boxes however long the history
    // and however often the value recurs in it. (A history row of a box no longer in the
    // format is never taken: no box of the format has its ID nor its caption.)
    OpenRecordset(rs,
                  QStringLiteral("SELECT ID, CID, LBL FROM (SELECT (SELECT MAX(历史.ID) FROM 历史 "
                                 "WHERE 历史.CID=Fmt.ID AND 历史.Fmt=?1 AND 历史.Con=?2) AS ID, "
                                 "Fmt.ID AS CID, Fmt.LBL AS LBL FROM Fmt WHERE Fmt.Fmt=?1) "
                                 "WHERE ID IS NOT NULL ORDER BY CID"),
                  {format, value});
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        hits.push_back({static_cast<qint64>(rs.Number(QStringLiteral("ID"))),
                        rs.Number(QStringLiteral("CID")), rs.Text(QStringLiteral("LBL"))});
    std::stable_sort(hits.begin(), hits.end(),
                     [](const HistoryHit& a, const HistoryHit& b) { return a.bill > b.bill; });
    return hits;
}

const std::vector<HistoryHit>& HistoryLookup::Rows(const QString& format, const QString& value) {
    auto it = byValue_.find(value);
    if (it == byValue_.end()) it = byValue_.insert(value, Load(format, value));
    return *it;
}

qint64 FindHistoryBill(const QString& format, double boxId, const QString& caption,
                       const QString& value, int& group, HistoryLookup* lookup) {
    if (value.isEmpty()) return 0;
    HistoryLookup own;
    if (!lookup) lookup = &own;
    QString prefix;
    splitGroup(caption, prefix, group);
    const QString groupStart = prefix + u'_';
    for (const HistoryHit& h : lookup->Rows(format, value)) {
        if (group > 0) {
            if (!h.lbl.startsWith(groupStart, Qt::CaseInsensitive)) continue;
            QString foundPrefix;
            splitGroup(h.lbl, foundPrefix, group);
            return h.bill;
        }
        if (h.cid == boxId) return h.bill;
    }
    return 0;
}

void FillFromHistoryBill(const RelationTable& table, const QString& format, qint64 billId,
                         int start, WorkQueue& queue, int group) {
    struct BillRow {
        double cid;
        QString con, lbl;
    };
    std::vector<BillRow> rows;
    {
        Recordset rs;
        OpenRecordset(rs,
                      QStringLiteral("SELECT 历史.CID AS CID, 历史.Con AS Con, Fmt.LBL AS LBL "
                                     "FROM 历史, Fmt WHERE 历史.CID=Fmt.ID AND 历史.ID=? "
                                     "AND 历史.Fmt=?"),
                      {billId, format});
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            rows.push_back({rs.Number(QStringLiteral("CID")), rs.Text(QStringLiteral("Con")),
                            rs.Text(QStringLiteral("LBL"))});
    }
    for (int pass = 0; pass < 2; ++pass) {
        int current = start;
        for (int step = 0; step < kMaxChainSteps; ++step) {
            const RelationRecord& rec = table.At(current);
            const LinkRef& link = pass == 0 ? rec.rctl : rec.rctl1;
            if (link.mode != -1) break;
            const int next = table.IndexOf(link.id);
            BoxControl* box = next < 0 ? BoxOfRecordId(link.id) : nullptr;
            auto* pic = dynamic_cast<PictureBox*>(box);
            if (next < 0 && !pic) break;
            if (next == start) break;
            const int boxIndex = next >= 0 ? table.At(next).boxIndex : box->Index();
            const BillRow* target = nullptr;
            if (group > 0) {
                Label* caption = CaptionLabel(boxIndex);
                QString prefix;
                int own = 0;
                splitGroup(caption ? caption->Caption() : QString(), prefix, own);
                const QString wanted = prefix + u'_' + QString::number(group);
                for (const BillRow& r : rows)
                    if (r.lbl == wanted) {
                        target = &r;
                        break;
                    }
            } else {
                for (const BillRow& r : rows)
                    if (r.cid == link.id) {
                        target = &r;
                        break;
                    }
            }
            if (pic) {
                if (target) RefreshPictureBox(pic, target->con);
                break;
            }
            if (target) {
                TextBox* t = textBoxAt(boxIndex);
                if (t && t->Text() != target->con) {
                    t->SetText(target->con);
                    queue.Add(link.id);
                }
            }
            current = next;
        }
    }
}

namespace {

// Sum or product of every box that names the target like the link t of record k.
void recomputeTarget(const RelationTable& table, int k, double t, const LinkRef& target,
                     WorkQueue& queue) {
    if (t == 0 || target.mode == 0) return;
    const double whole = Fix(t);
    if (std::fabs(whole) == std::fabs(table.At(k).id)) return;
    const bool add = target.mode > 0;
    double acc = add ? 0 : 1;
    // A product with an empty factor, and any total over a text that is no amount, has no
    // value: the target is emptied rather than given a number made up of part of a text.
    bool noValue = false;
    for (int r = 0; r < table.Count() && !noValue; ++r) {
        const RelationRecord& rec = table.At(r);
        if (rec.id == target.id) continue;
        double v = 0;
        if (Fix(rec.sumId) == whole) v = rec.sumId;
        if (Fix(rec.sumId1) == whole) v = rec.sumId1;
        if (v == 0) continue;
        const bool negate = v != Fix(v);
        const TextBox* source = textBoxAt(rec.boxIndex);
        if (source && !HoldsAmount(rec.dataType, source->Text(), CurrencySign)) {
            noValue = true;
            continue;
        }
        const QString s = BoxTextByIndex(rec.boxIndex);
        const double x = ParseMoney(s);
        if (add)
            acc += negate ? -x : x;
        else if (s.isEmpty())
            noValue = true;
        else
            acc *= negate ? -x : x;
    }
    const int ti = table.IndexOf(target.id);
    TextBox* box = ti >= 0 ? textBoxAt(table.At(ti).boxIndex) : nullptr;
    if (!box) return;
    const QString text = noValue ? QString() : ConvertByDataType(box, NumText(acc));
    if (box->Text() != text) {
        box->SetText(text);
        queue.Add(target.id);
    }
}

}  // namespace

void AutoCalculate(double boxId, const Grid& grid) {
    RelationTable table;
    table.Build(grid);
    WorkQueue queue(boxId);
    const QString format = MF().CurrentFormat();
    HistoryLookup history;
    for (int turn = 0, pos = 0; turn < kMaxCalcTurns && pos < queue.Size(); ++turn, ++pos) {
        const double id = queue.At(pos);
        const int k = table.IndexOf(id);
        if (k < 0) return;
        const QString s = BoxTextByIndex(table.At(k).boxIndex);
        SetRelatedBoxValue(table, k, s, queue);
        // Only a box with a related link takes anything from an earlier bill: the history
        // is searched for those alone.
        const RelationRecord& rec = table.At(k);
        if (rec.rctl.mode == -1 || rec.rctl1.mode == -1) {
            int group = 0;
            const int row = BoxRow(textBoxAt(rec.boxIndex));
            const QString caption = row > 0 ? grid.TextMatrix(row, col::LBL) : QString();
            const qint64 bill = FindHistoryBill(format, id, caption, s, group, &history);
            if (bill > 0) FillFromHistoryBill(table, format, bill, k, queue, group);
        }
        recomputeTarget(table, k, table.At(k).sumId, table.At(k).sum, queue);
        recomputeTarget(table, k, table.At(k).sumId1, table.At(k).sum1, queue);
    }
}

void SetCheckBoxRCtl(CheckBox* box) {
    if (!box) return;
    const Grid& g = MF().BoxGrid();
    const int row = BoxRow(box);
    if (row < g.FixedRows() || row >= g.Rows()) return;
    const double own = std::fabs(Fix(Val(g.TextRef(row, col::ID))));
    double link = std::fabs(Fix(Val(g.TextRef(row, col::RCtl))));
    for (int step = 0; step < kMaxChainSteps; ++step) {
        if (link == 0 || link == own) return;
        int found = -1;
        for (int r = g.FixedRows(); r < g.Rows() && found < 0; ++r)
            if (Val(g.TextRef(r, col::Clas)) == 1 &&
                std::fabs(Fix(Val(g.TextRef(r, col::ID)))) == link)
                found = r;
        if (found < 0) return;
        if (auto* c = dynamic_cast<CheckBox*>(BoxOfRow(found))) c->SetValue(0);
        link = std::fabs(Fix(Val(g.TextRef(found, col::RCtl))));
    }
}

}  // namespace bw
