// Linked boxes on a fixture format: sums and products, same-value rings, history fill of
// related boxes, check-box rings, the menu commands that write the links, and links over
// boxes not yet saved.

#include <QStringList>

#include "FillingFixture.h"
#include "QStringPrint.h"
#include "filling/AutoCalculate.h"
#include "filling/LinkWriters.h"
#include "platform/VbNumbers.h"
#include "store/BoxEditing.h"
#include "store/BoxLook.h"
#include "store/BoxToRow.h"
#include "store/CheckBox.h"
#include "store/FormatTable.h"

using namespace bw;
using bw::test::BoxDef;

namespace {

class AutoCalculateTest : public test::FillingTest {
protected:
    QString cell(BoxControl* b, int column) { return MF().BoxGrid().TextMatrix(BoxRow(b), column); }
    QString id(BoxControl* b) { return cell(b, col::ID); }
};

}  // namespace

TEST_F(AutoCalculateTest, SumsAndProductsFollowTheirSources) {
    const struct {
        const char* name;
        double targetType;
        double link1, link2;  // the two sources' SumID, relative to the target: +1 add, -1 times
        bool negate2;
        const char *a, *b;
        const char* expected;
    } cases[] = {
        {"add and subtract", 11, 1, 1, true, "100.50", "20", "￥80.50"},
        {"plain add", 0, 1, 1, false, "100.50", "20", "120.5"},
        {"empty source adds 0", 0, 1, 1, false, "7", "", "7"},
        {"product", 0, -1, -1, false, "3", "4", "12"},
        {"negated factor", 0, -1, -1, true, "3", "4", "-12"},
        {"empty factor empties", 0, -1, -1, false, "3", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString fmt = QString::fromUtf8(c.name);
        addFormat(fmt);
        const qint64 t = addBox(fmt, {"合计", c.targetType});
        const qint64 a = addBox(fmt, {"甲", 0, 0, c.link1 * t});
        const qint64 b =
            addBox(fmt, {"乙", 0, 0, 0, c.link2 * t + (c.negate2 ? 0.1 : 0) * c.link2});
        show(fmt);
        box(b)->SetText(QString::fromUtf8(c.b));
        type(box(a), QString::fromUtf8(c.a));
        EXPECT_EQ(box(t)->Text(), QString::fromUtf8(c.expected));
        UnloadAllBoxes();
    }
}

TEST_F(AutoCalculateTest, SameValueRingConvertsByEachBoxAndStops) {
    addFormat("环");
    const qint64 a = addBox("环", {"A", 0});
    const qint64 b = addBox("环", {"B", 11});
    const qint64 c = addBox("环", {"C", 103});
    setLink(a, "RCtl", b);
    setLink(b, "RCtl", c);
    setLink(c, "RCtl", a);
    show("环");
    type(box(a), "1234.5");
    EXPECT_EQ(box(a)->Text(), "1234.5");
    EXPECT_EQ(box(b)->Text(), "￥1,234.50");
    EXPECT_EQ(box(c)->Text(), "壹仟贰佰叁拾肆元伍角整");
    // Leaving B passes B's amount on: A gets the number, C keeps its capitals.
    type(box(b), "99");
    EXPECT_EQ(box(a)->Text(), "99");
    EXPECT_EQ(box(c)->Text(), "玖拾玖元整");
}

TEST_F(AutoCalculateTest, RelatedBoxesFillFromTheLatestBillAcrossGroups) {
    addFormat("汇款");
    const qint64 p1 = addBox("汇款", {"收款人_1"});
    const qint64 k1 = addBox("汇款", {"账号_1"});
    const qint64 h1 = addBox("汇款", {"开户行_1"});
    const qint64 p2 = addBox("汇款", {"收款人_2"});
    const qint64 k2 = addBox("汇款", {"账号_2"});
    const qint64 h2 = addBox("汇款", {"开户行_2"});
    const qint64 solo = addBox("汇款", {"备注"});
    const qint64 soloNext = addBox("汇款", {"用途"});
    setLink(p1, "RCtl", -k1);
    setLink(k1, "RCtl", -h1);
    setLink(solo, "RCtl1", -soloNext);
    addBill("汇款", 1, {{p2, "张三"}, {k2, "6222-1"}, {h2, "工行"}});
    addBill("汇款", 2, {{p2, "张三"}, {k2, "6222-2"}, {h2, "建行"}, {p1, "李四"}});
    addBill("汇款", 3, {{solo, "O'Neil"}, {soloNext, "货款"}});
    show("汇款");

    type(box(p1), "张三");  // held in 收款人_2 of bill 2, the latest
    EXPECT_EQ(box(k1)->Text(), "6222-2");
    EXPECT_EQ(box(h1)->Text(), "建行");
    type(box(solo), "O'Neil");  // no group: its own earlier values, the apostrophe included
    EXPECT_EQ(box(soloNext)->Text(), "货款");
    box(k1)->SetText("x");
    type(box(p1), "无此人");
    EXPECT_EQ(box(k1)->Text(), "x");
}

TEST_F(AutoCalculateTest, CheckBoxRingKeepsOneTick) {
    addFormat("单选");
    const qint64 p = addBox("单选", {"甲", 0, 0, 0, 0, 0, 1});
    const qint64 q = addBox("单选", {"乙", 0, 0, 0, 0, 0, 1});
    const qint64 r = addBox("单选", {"丙", 0, 0, 0, 0, 0, 1});
    setLink(p, "RCtl", q);
    setLink(q, "RCtl", r);
    setLink(r, "RCtl", p);
    show("单选");
    auto cb = [](qint64 id) { return dynamic_cast<CheckBox*>(BoxOfRecordId(double(id))); };
    cb(p)->SetValue(1);
    cb(r)->SetValue(1);
    cb(q)->click();
    EXPECT_EQ(cb(q)->Value(), 1);
    EXPECT_EQ(cb(p)->Value(), 0);
    EXPECT_EQ(cb(r)->Value(), 0);
}

TEST_F(AutoCalculateTest, RingsAndChainsOverTheSelectedBoxes) {
    addFormat("链");
    for (const char* l : {"A", "B", "C", "D"}) addBox("链", {l});
    for (const char* l : {"P", "Q", "R"}) addBox("链", BoxDef{l, 0, 0, 0, 0, 0, 1});
    show("链");
    auto& tt = MF().TT;
    auto& cc = MF().CC;
    TextBox *a = tt[0], *b = tt[1], *c = tt[2], *d = tt[3];
    MF().BoxGrid().SetTextMatrix(BoxRow(c), col::RCtl1, "77");

    // Nothing selected: nothing written.
    mRtlCtl_Click(a);
    EXPECT_EQ(cell(a, col::RCtl), "0");

    // A itself selected too: it is no member of its own ring.
    for (TextBox* t : {a, b, c}) SetBoxSelectLook(t, false);
    SetBoxSelectLook(cc[1], false);
    EXPECT_EQ(CountSelectedBoxes(), 3);  // check boxes are not counted
    mRtlCtl_Click(a);
    EXPECT_EQ(cell(a, col::RCtl), id(b));
    EXPECT_EQ(cell(b, col::RCtl), id(c));
    EXPECT_EQ(cell(c, col::RCtl), id(a));
    EXPECT_EQ(cell(d, col::RCtl), "0");

    mReCtlList_Click(a);
    EXPECT_EQ(cell(a, col::RCtl1), "-" + id(b));
    EXPECT_EQ(cell(b, col::RCtl1), "-" + id(c));
    EXPECT_EQ(cell(c, col::RCtl1), "77");  // the chain stays open

    // "设置单选" on a check box rings the selected check boxes only.
    SetBoxSelectLook(cc[2], false);
    mRtlCtl_Click(cc[0]);
    EXPECT_EQ(cell(cc[0], col::RCtl), id(cc[1]));
    EXPECT_EQ(cell(cc[1], col::RCtl), id(cc[2]));
    EXPECT_EQ(cell(cc[2], col::RCtl), id(cc[0]));

    // Relation colours go, the selection grey stays.
    d->SetBackColor(kSameValueChainColor);
    HideRelationColor();
    EXPECT_EQ(d->BackColor(), QColor(Qt::white));
    EXPECT_TRUE(IsBoxSelected(a));
    SetBoxSelectLook(a, true);
    EXPECT_FALSE(IsBoxSelected(a));
}

TEST_F(AutoCalculateTest, LinksWrittenOverUnsavedBoxesKeepTheirMeaning) {
    addFormat("新框");
    addBox("新框", {"甲"});
    show("新框");
    // Two boxes the designer has just added: their identities are provisional (negative).
    int row = 0;
    auto* b = static_cast<TextBox*>(LoadBoxControl(kTextBox, row));
    UpdateRowFromBox(b);
    row = 0;
    auto* c = static_cast<TextBox*>(LoadBoxControl(kTextBox, row));
    UpdateRowFromBox(c);
    ASSERT_LT(BoxRecordId(b), 0);
    ASSERT_LT(BoxRecordId(c), 0);
    TextBox* a = MF().TT[0];
    // A same-value ring a -> b -> c -> a, written by the menu command.
    SetBoxSelectLook(b, false);
    SetBoxSelectLook(c, false);
    mRtlCtl_Click(a);
    SetBoxSelectLook(b, true);
    SetBoxSelectLook(c, true);
    type(a, "同值");
    EXPECT_EQ(b->Text(), "同值");
    EXPECT_EQ(c->Text(), "同值");
    // A related chain over them is a history link, not a same-value one.
    SetBoxSelectLook(b, false);
    mReCtlList_Click(a);
    Grid& g = MF().BoxGrid();
    auto decoded = [&g, a, b, c] {
        std::vector<std::pair<int, int>> out;  // (named row, mode) of every link of a, b, c
        for (TextBox* t : {a, b, c})
            for (int column : {col::RCtl, col::RCtl1}) {
                const LinkRef l = ResolveLink(g, Val(g.TextMatrix(BoxRow(t), column)));
                out.emplace_back(l.row, l.mode);
            }
        return out;
    };
    const auto before = decoded();
    EXPECT_EQ(before[1], std::make_pair(BoxRow(b), -1));  // a's RCtl1: history into b
    EXPECT_EQ(before[0], std::make_pair(BoxRow(b), 1));   // a's RCtl: same value into b
    // Saved, the boxes get their record IDs and the links still mean the same.
    QString name = "新框";
    ASSERT_TRUE(SaveFormat(g, name));
    ASSERT_GT(BoxRecordId(b), 0);
    EXPECT_EQ(decoded(), before);
    type(a, "存后");
    EXPECT_EQ(c->Text(), "存后");
}

// Leaving a box searches the history by value through the indexes the data file is made with
// (the start-up gives them to older files); the search itself makes none.
TEST_F(AutoCalculateTest, TheHistoryIsSearchedByValueWithoutMakingIndexes) {
    addFormat("汇款");
    const qint64 payee = addBox("汇款", {"收款人"});
    const qint64 account = addBox("汇款", {"账号"});
    setLink(payee, "RCtl", -account);
    addBill("汇款", 1, {{payee, "张三"}, {account, "6222-1"}});
    show("汇款");

    type(box(payee), "张三");
    EXPECT_EQ(box(account)->Text(), "6222-1");
    QStringList indexes;
    Recordset rs;
    OpenRecordset(rs,
                  "SELECT name FROM sqlite_master WHERE type='index' AND tbl_name='历史' "
                  "ORDER BY name");
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) indexes << rs.Text("name");
    // Those of the schema only: filling a bill changes nothing of the data file's layout.
    EXPECT_EQ(indexes, QStringList({"历史_CID_Fmt_Con", "历史_CID_Fmt_ID", "历史_Fmt_ID"}));
}
