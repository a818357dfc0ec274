// The menu commands that link the selected boxes to the box the menu was opened on, and the
// selection look they read.

#include "FillingFixture.h"
#include "QStringPrint.h"
#include "filling/LinkWriters.h"
#include "store/BoxEditing.h"
#include "store/BoxLook.h"
#include "store/CheckBox.h"

using namespace bw;
using bw::test::BoxDef;

namespace {

class LinkWritersTest : public test::FillingTest {
protected:
    QString cell(BoxControl* b, int column) { return MF().BoxGrid().TextMatrix(BoxRow(b), column); }
    QString id(BoxControl* b) { return cell(b, col::ID); }
};

}  // namespace

TEST_F(LinkWritersTest, RingsAndChainsOverTheSelectedBoxes) {
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
