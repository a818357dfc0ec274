// The values of a new bill and the pages of a multi-page format.

#include <QAction>

#include "FillingFixture.h"
#include "QStringPrint.h"
#include "common/Params.h"
#include "filling/ConversionContext.h"
#include "filling/NewBill.h"
#include "store/PsdPara.h"

using namespace bw;

namespace {
class NewBillTest : public test::FillingTest {};
// Whole-format options with the automatic page change switched on.
const QString kPagesAutoJump = QStringLiteral("False|False|0|0|0|0|0|False|False|￥|True|False|");
}  // namespace

TEST_F(NewBillTest, RunningNumbersListsAndCodes) {
    addFormat("发票");
    const qint64 no = addBox("发票", {"号码", 122});
    const qint64 fresh = addBox("发票", {"新号", 122});
    const qint64 list = addBox("发票", {"类别", 124});
    const qint64 none = addBox("发票", {"无表", 125});
    const qint64 psd = addBox("发票", {"密码", 132});
    const qint64 notPsd = addBox("发票", {"非密码", 132.5});
    addBill("发票", 1, {{no, "A0098"}});
    addBill("发票", 2, {{no, "A0099"}});
    SetParam("发票=>自定义类型124", "甲;乙;丙");
    show("发票");
    box(fresh)->SetText("N1");
    box(none)->SetText("旧");
    box(notPsd)->SetText("留");
    CurrentPsdPara() = PsdPara{};
    FillNewBillValues();
    EXPECT_EQ(box(no)->Text(), "A0100");
    EXPECT_EQ(box(fresh)->Text(), "N1");
    EXPECT_EQ(box(list)->Text(), "甲");
    EXPECT_EQ(box(none)->Text(), "");
    EXPECT_EQ(box(psd)->Text().split("\r\n").size(), 4);
    EXPECT_EQ(box(psd)->Text().split("\r\n")[0].size(), 21);
    EXPECT_EQ(box(notPsd)->Text(), "留");
}

TEST_F(NewBillTest, PagesFollowEachOtherInNumberOrderAndWrapAfterTheLast) {
    for (const char* f : {"票据_1", "票据_2", "票据_10", "票据X1", "票据_a", "单页"})
        addFormat(f, kPagesAutoJump);
    QStringList pages = ListFormatPages("票据_1");
    pages.sort();
    EXPECT_EQ(pages, QStringList({"票据_1", "票据_10", "票据_2"}));
    EXPECT_EQ(ListFormatPages("单页"), QStringList({"单页"}));

    MF().mPagesAutoJump->setChecked(true);
    show("票据_1");
    const struct {
        const char* next;
        bool complete;
    } steps[] = {{"票据_2", false}, {"票据_10", false}, {"票据_1", true}};
    for (const auto& s : steps) {
        EXPECT_EQ(JumpToNextPage(MF().CurrentFormat()), s.complete);
        EXPECT_EQ(MF().CurrentFormat(), QString::fromUtf8(s.next));
    }
    // Switched off (the option of the open page): every bill is complete.
    MF().mPagesAutoJump->setChecked(false);
    EXPECT_TRUE(JumpToNextPage("票据_1"));
    EXPECT_EQ(MF().CurrentFormat(), "票据_1");
}

TEST_F(NewBillTest, DatesOfTodayByDataType) {
    const struct {
        double type;
        const char* before;
        const char* after;
    } cases[] = {
        {106, "", "2013"},       {101, "", "肆"},       {110, "", "2013年04月11日"},
        {119, "", "2013/04/11"}, {11, "12", "￥12.00"},  // every box is converted again
        {0, "留着", "留着"},
    };
    addFormat("日期");
    for (const auto& c : cases) addBox("日期", {"日", c.type});
    SetParam("日期=>自定义类型119", "yyyy/mm/dd");
    show("日期");
    for (size_t i = 0; i < std::size(cases); ++i)
        MF().TT[i]->SetText(QString::fromUtf8(cases[i].before));
    FixedContext ctx;
    ctx.now = QDateTime(QDate(2013, 4, 11), QTime(9, 30, 15));
    ctx.customValues.insert(119, "yyyy/mm/dd");
    AutoFillDates(ctx);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(MF().TT[i]->Text(), QString::fromUtf8(cases[i].after)) << cases[i].type;
}
