// Data entry through the events the text boxes receive: the key filter, completion from the
// history, tick boxes, focus colours and what counts as leaving a box.

#include <QComboBox>
#include <QTextCursor>
#include <QTextEdit>

#include "FillingFixture.h"
#include "QStringPrint.h"
#include "filling/DataEntry.h"
#include "store/BoxLook.h"

using namespace bw;

namespace {
class DataEntryTest : public test::FillingTest {};
}  // namespace

TEST_F(DataEntryTest, NumericBoxesRefuseLettersByDataType) {
    const struct {
        double type;
        const char* keys;
        const char* typed;
    } cases[] = {
        {1, "a1-.b\r", "1-."}, {105, "x5", "5"},  {108, "q8", "8"},
        {104, "a\r1", "a1"},   {103, "a1", "a1"}, {0, "a'1", "a'1"},  // Enter: a one-line box
    };
    addFormat("键");
    for (const auto& c : cases) addBox("键", {"框", c.type});
    show("键");
    for (size_t i = 0; i < std::size(cases); ++i) {
        TextBox* b = MF().TT[i];
        for (QChar k : QString::fromUtf8(cases[i].keys)) key(b, k);
        EXPECT_EQ(b->Text(), QString::fromUtf8(cases[i].typed)) << cases[i].type;
    }
}

TEST_F(DataEntryTest, CompletesFromTheOnlyMatchingEarlierValue) {
    addFormat("补全");
    const qint64 one = addBox("补全", {"单"});
    const qint64 two = addBox("补全", {"双"});
    const qint64 odd = addBox("补全", {"符"});
    const qint64 cased = addBox("补全", {"大小写"});
    addBill("补全", 1, {{one, "ABCD"}, {two, "ABC1"}, {odd, "50%_折'扣"}, {cased, "aXb"}});
    addBill("补全", 2, {{two, "ABC2"}, {odd, "50元"}, {cased, "AXc"}});
    addBill("补全", 3, {{cased, "Äpfel"}, {cased, "aXb"}});
    show("补全");

    TextBox* b = box(one);
    key(b, 'A');
    key(b, 'B');
    AutoFindTick();
    EXPECT_EQ(b->Text(), "ABCD");
    EXPECT_EQ(b->Editor()->textCursor().selectedText(), "CD");
    // The next key replaces the completed part.
    key(b, 'X');
    EXPECT_EQ(b->Text(), "ABX");

    TextBox* d = box(two);
    d->SetText("AB");
    ArmAutoFind(d);
    AutoFindTick();
    EXPECT_EQ(d->Text(), "AB");  // two earlier values match
    d->SetText("ABC1");
    ArmAutoFind(d);
    AutoFindTick();
    EXPECT_EQ(d->Text(), "ABC1");

    // The clerk's "%", "_" and "'" are plain characters.
    EXPECT_EQ(CompletionFor("补全", double(odd), "50%"), "50%_折'扣");
    EXPECT_EQ(CompletionFor("补全", double(odd), "50%_折'"), "50%_折'扣");
    EXPECT_EQ(CompletionFor("补全", double(odd), "5_"), "");
    EXPECT_EQ(CompletionFor("补全", double(odd), "50"), "");  // two values

    // ASCII letters match in either case, other letters only as typed.
    EXPECT_EQ(CompletionFor("补全", double(one), "abc"), "ABCD");
    EXPECT_EQ(CompletionFor("补全", double(cased), "ax"), "");  // aXb and AXc
    EXPECT_EQ(CompletionFor("补全", double(cased), "AXB"), "aXb");
    EXPECT_EQ(CompletionFor("补全", double(cased), "äp"), "");
    EXPECT_EQ(CompletionFor("补全", double(cased), "Äp"), "Äpfel");
}

TEST_F(DataEntryTest, TickBoxTogglesOnClick) {
    addFormat("勾");
    const qint64 t = addBox("勾", {"勾选", 115});
    const qint64 p = addBox("勾", {"普通"});
    show("勾");
    click(box(t));
    EXPECT_EQ(box(t)->Text(), "√");
    click(box(t));
    EXPECT_EQ(box(t)->Text(), "");
    click(box(p));
    EXPECT_EQ(box(p)->Text(), "");
}

TEST_F(DataEntryTest, LeavingConvertsOnlyOnARealFocusChange) {
    addFormat("离开");
    const qint64 m = addBox("离开", {"金额", 11});
    show("离开");
    TextBox* b = box(m);
    b->SetText("12");
    leave(b, Qt::PopupFocusReason);
    leave(b, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(b->Text(), "12");
    leave(b, Qt::MouseFocusReason);
    EXPECT_EQ(b->Text(), "￥12.00");
    // Pasted text that is no amount stays as typed.
    b->Editor()->clear();
    b->Editor()->insertPlainText("abc12元");
    leave(b);
    EXPECT_EQ(b->Text(), "abc12元");
}

TEST_F(DataEntryTest, FocusColoursChainsAndSumSources) {
    addFormat("颜色");
    const qint64 a = addBox("颜色", {"A"});
    const qint64 b = addBox("颜色", {"B"});
    const qint64 h = addBox("颜色", {"H"});
    const qint64 s = addBox("颜色", {"S"});
    const qint64 m = addBox("颜色", {"M"});
    setLink(a, "RCtl", b);
    setLink(b, "RCtl", a);
    setLink(a, "RCtl1", -h);
    setLink(s, "SumID", a);
    setLink(m, "SumID1", -a);
    show("颜色");
    type(box(a), "北京华联商厦");
    EXPECT_EQ(box(b)->Text(), "北京华联商厦");
    enter(box(a));
    EXPECT_EQ(box(b)->BackColor(), kSameValueChainColor);
    EXPECT_EQ(box(a)->BackColor(), kSameValueChainColor);  // the ring came round
    EXPECT_EQ(box(h)->BackColor(), kHistoryChainColor);
    EXPECT_EQ(box(s)->BackColor(), kAddSourceColor);
    EXPECT_EQ(box(m)->BackColor(), kMultiplySourceColor);
    // A click elsewhere clears them; a click into A shows them again.
    click(box(s));
    for (qint64 id : {a, b, h, s, m}) EXPECT_EQ(box(id)->BackColor(), QColor(Qt::white));
    enter(box(a), Qt::MouseFocusReason);
    click(box(a));
    EXPECT_EQ(box(b)->BackColor(), kSameValueChainColor);
    ASSERT_TRUE(MF().PG->grab().save(test::ArtifactDir() + "/filling_focus_colours.png"));
    HideRelationColor();
    // Locked format: no colours.
    MF().SetO2Value(2, 1);
    enter(box(a));
    EXPECT_EQ(box(b)->BackColor(), QColor(Qt::white));
}

TEST_F(DataEntryTest, DropDownPutsTheChoiceIntoTheBox) {
    addFormat("下拉");
    const qint64 g = addBox("下拉", {"性别", 131});
    show("下拉");
    TT_DblClick(box(g));
    QComboBox* comb = BoxDropDown();
    ASSERT_TRUE(comb->isVisible() || !comb->isHidden());
    ASSERT_GE(comb->findText("女"), 0);
    comb->setCurrentIndex(comb->findText("女"));
    COMB_Click();
    EXPECT_EQ(box(g)->Text(), "女");
    EXPECT_TRUE(comb->isHidden());
}
