// Right-button menus on the canvas and the boxes, the format tree at the left edge, and the
// picture box handing the keys to the canvas.

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>

#include "DesignerFixture.h"
#include "common/TwipGeometry.h"
#include "designer/CanvasEvents.h"
#include "designer/CanvasMenus.h"
#include "store/BoxEditing.h"
#include "store/BoxLook.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/Line.h"
#include "store/MainForm.h"

using namespace bw;

namespace {

class CanvasClicks : public test::DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        SetMenuPopper([this](QMenu* menu, const QPoint&) {
            shown.push_back(menu->objectName());
            BoxControl* target = Menus().MenuTarget;
            targetEnabledWhileShown =
                target && target->Widget() ? target->Widget()->isEnabled() : true;
        });
    }
    QStringList shown;
    bool targetEnabledWhileShown = true;
};

TEST_F(CanvasClicks, RightClicksOpenTheBoxMenuOrTheBillMenu) {
    BoxControl* t = add(kTextBox, 20, 20);
    auto* l = static_cast<Line*>(add(kLine, 0, 0));
    l->SetEnds(mm(100), mm(50), mm(150), mm(50));

    QTest::mouseClick(mouseTarget(t), Qt::RightButton, {}, QPoint(10, 10));
    ASSERT_EQ(shown, QStringList{QStringLiteral("m_CtlSet")});
    EXPECT_EQ(Menus().MenuTarget, t);
    EXPECT_FALSE(targetEnabledWhileShown);
    EXPECT_TRUE(t->Widget()->isEnabled());
    EXPECT_TRUE(Menus().item(QStringLiteral("mCopy"))->isVisible());
    EXPECT_FALSE(Menus().item(QStringLiteral("mAddPic"))->isVisible());

    // A check box's menu sets up a single choice and has no related items.
    BoxControl* c = add(kCheckBox, 60, 20);
    QTest::mouseClick(mouseTarget(c), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(Menus().item(QStringLiteral("mRtlCtl"))->text(), QStringLiteral("设置单选"));
    EXPECT_FALSE(Menus().item(QStringLiteral("mReCtlList"))->isVisible());

    // Over the middle of a line: the line's menu; over its end point: the bill menu.
    shown.clear();
    move(mm(125), mm(50));
    press(mm(125), mm(50), Qt::RightButton);
    EXPECT_EQ(shown, QStringList{QStringLiteral("m_CtlSet")});
    EXPECT_EQ(Menus().MenuTarget, l);
    EXPECT_FALSE(Menus().item(QStringLiteral("mCopy"))->isVisible());
    shown.clear();
    move(mm(150), mm(50));
    press(mm(150), mm(50), Qt::RightButton);
    EXPECT_EQ(shown, QStringList{QStringLiteral("mPicGraph")});
    EXPECT_EQ(Menus().MenuX, mm(150));

    // The bill menu's picture items follow the lock.
    MF().SetO2Value(2, 1);
    press(mm(180), mm(90), Qt::RightButton);
    EXPECT_FALSE(Menus().item(QStringLiteral("mClearBackPic"))->isEnabled());
    MF().SetO2Value(2, 0);
    press(mm(180), mm(90), Qt::RightButton);
    EXPECT_TRUE(Menus().item(QStringLiteral("mClearBackPic"))->isEnabled());
}

TEST_F(CanvasClicks, TheTreeSlidesInAtTheLeftEdgeAndOutBesideIt) {
    MainForm& mf = MF();
    auto* tv = new QTreeWidget(mf.PFrm);
    SetTwGeometry(tv, -3000, 300, 3000, 3000);
    mf.TV = tv;
    move(600, 1000);
    EXPECT_LT(TwLeft(tv), 0);
    move(30, 1000);
    EXPECT_EQ(TwLeft(tv), 0);
    move(2000, 1000);  // still beside the tree's width: stays
    EXPECT_EQ(TwLeft(tv), 0);
    move(3100, 1000);
    EXPECT_EQ(TwLeft(tv), -3000);
    move(15, 1000);
    Form_MouseMove();
    EXPECT_EQ(TwLeft(tv), -3000);
}

TEST_F(CanvasClicks, APictureBoxHandsTheArrowKeysToTheCanvas) {
    BoxControl* p = add(kPictureBox, 20, 20);
    SetBoxSelectLook(p, false);
    const int left = p->Left();
    QTest::mouseClick(mouseTarget(p), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_TRUE(MF().PG->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(p->Left(), left + 10);
}

}  // namespace
