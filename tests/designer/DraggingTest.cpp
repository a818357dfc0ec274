// Dragging and sizing boxes with the mouse, and the arrow keys.

#include <QTest>

#include "DesignerFixture.h"
#include "designer/DesignState.h"
#include "designer/Dragging.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxEditing.h"
#include "store/BoxLook.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CheckBox.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

using Dragging = test::DesignerTest;

TEST_F(Dragging, HoverZonesChooseThePointer) {
    BoxControl* t = add(kTextBox, 20, 20);  // 1200, 1200, 1215 x 375
    BoxControl* c = add(kCheckBox, 60, 20);
    struct Case {
        BoxControl* box;
        double x, y;  // in the box
        int pointer;
    } cases[] = {
        {t, 99, 99, 5},
        {t, 100, 50, 3},
        {t, 1200, 360, 8},
        {c, 50, 50, 5},
        {c, 200, 50, 3},
        // no resize zone: keeps the typing pointer of the step before
        {c, double(c->Width() - 20), double(c->Height() - 20), 3},
    };
    for (const Case& k : cases) {
        move(k.box->Left() + k.x, k.box->Top() + k.y);
        EXPECT_EQ(k.box->MousePointer, k.pointer) << k.box->Index() << " " << k.x << "," << k.y;
    }
    // Locked: the default pointer, and nothing moves.
    MF().SetO2Value(2, 1);
    move(t->Left() + 50, t->Top() + 50);
    EXPECT_EQ(t->MousePointer, 0);
}

TEST_F(Dragging, ADragOfThirteenUnitsMovesTheSelectionAndTheirRowsFollow) {
    BoxControl* a = add(kTextBox, 20, 20);
    BoxControl* b = add(kTextBox, 60, 40);
    BoxControl* c = add(kPictureBox, 100, 40);
    BoxControl* idle = add(kTextBox, 140, 40);
    SetBoxSelectLook(b, false);
    SetBoxSelectLook(c, false);
    const double ax = a->Left(), bx = b->Left(), cy = c->Top();
    const double x0 = a->Left() + 50, y0 = a->Top() + 50;
    move(x0, y0);  // hover in the move zone
    ASSERT_EQ(a->MousePointer, 5);
    press(x0, y0);
    move(x0 + 12, y0 + 12, Qt::LeftButton);  // within the dead zone
    EXPECT_EQ(a->Left(), ax);
    move(x0 + 13, y0, Qt::LeftButton);
    release(x0 + 13, y0);
    EXPECT_EQ(a->Left(), ax + 13);  // the dragged box, though not selected
    EXPECT_EQ(b->Left(), bx + 13);
    EXPECT_EQ(c->Top(), cy);
    EXPECT_EQ(idle->Left(), mm(140));
    for (BoxControl* x : {a, b, c}) {
        EXPECT_NEAR(rowX(x), x->Left() / kUnitsPerMm, 0.001);
        EXPECT_NEAR(rowY(x), x->Top() / kUnitsPerMm, 0.001);
    }
    EXPECT_NEAR(rowX(b), 60 + 13 / kUnitsPerMm, 0.001);

    // Dragged past the left edge the box stops at 0.
    const double x1 = a->Left() + 50, y1 = a->Top() + 50;
    move(x1, y1);
    press(x1, y1);
    move(x1 - 5000, y1, Qt::LeftButton);
    release(x1 - 5000, y1);
    EXPECT_EQ(a->Left(), 0);
}

TEST_F(Dragging, TheResizeZoneSizesTheSelectionButNotCheckBoxes) {
    BoxControl* t = add(kTextBox, 20, 20);
    BoxControl* c = add(kCheckBox, 60, 20);
    SetBoxSelectLook(c, false);
    const int w = t->Width(), h = t->Height(), cw = c->Width();
    const double x0 = t->Left() + t->Width() - 20, y0 = t->Top() + t->Height() - 20;
    move(x0, y0);
    ASSERT_EQ(t->MousePointer, 8);
    press(x0, y0);
    move(x0 + 300, y0 + 150, Qt::LeftButton);
    move(x0 + 600, y0 + 150, Qt::LeftButton);  // the drag point followed the first step
    release(x0 + 600, y0 + 150);
    EXPECT_EQ(t->Width(), w + 600);
    EXPECT_EQ(t->Height(), h + 150);
    EXPECT_EQ(c->Width(), cw);
    EXPECT_NEAR(Val(MF().BoxGrid().TextMatrix(BoxRow(t), col::W)), (w + 600) / kUnitsPerMm, 0.001);
}

TEST_F(Dragging, ArrowKeysMoveResizeAndStepTheFont) {
    MainForm& mf = MF();
    BoxControl* a = add(kTextBox, 20, 20);
    BoxControl* b = add(kTextBox, 60, 20);
    Grid& g = mf.BoxGrid();
    mf.PG->setFocus();

    // Nothing selected: nothing moves.
    QTest::keyClick(mf.PG, Qt::Key_Right);
    EXPECT_EQ(a->Left(), mm(20));

    SetBoxSelectLook(a, false);
    const int x = a->Left(), y = a->Top(), w = a->Width(), h = a->Height();
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int dx, dy, dw, dh;
    } steps[] = {
        {Qt::Key_Right, {}, 10, 0, 0, 0},
        {Qt::Key_Down, {}, 10, 10, 0, 0},
        {Qt::Key_Left, {}, 0, 10, 0, 0},
        {Qt::Key_Up, {}, 0, 0, 0, 0},
        {Qt::Key_Right, Qt::ShiftModifier, 0, 0, 10, 0},
        {Qt::Key_Down, Qt::ShiftModifier, 0, 0, 10, 10},
        {Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier, 0, 0, 10, 10},  // no step
    };
    for (const Step& s : steps) {
        QTest::keyClick(mf.PG, s.key, s.mods);
        EXPECT_EQ(a->Left(), x + s.dx);
        EXPECT_EQ(a->Top(), y + s.dy);
        EXPECT_EQ(a->Width(), w + s.dw);
        EXPECT_EQ(a->Height(), h + s.dh);
    }
    EXPECT_EQ(b->Left(), mm(60));
    EXPECT_NEAR(rowX(a), x / kUnitsPerMm, 0.001);

    // Ctrl steps half a point and stops at 1 pt; the text box's own keys work the same.
    g.SetTextMatrix(BoxRow(a), col::fSize, QStringLiteral("1.5"));
    ApplyRowToBox(g, BoxRow(a));
    ASSERT_TRUE(IsBoxSelected(a));
    QTest::keyClick(mf.PG, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(g.TextMatrix(BoxRow(a), col::fSize), QStringLiteral("1"));
    QTest::keyClick(mf.PG, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(g.TextMatrix(BoxRow(a), col::fSize), QStringLiteral("1"));
    auto* t = static_cast<TextBox*>(a);
    t->setFocus();
    QTest::keyClick(t, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(g.TextMatrix(BoxRow(a), col::fSize), QStringLiteral("1.5"));

    // Locked: the keys do nothing.
    mf.SetO2Value(2, 1);
    QTest::keyClick(mf.PG, Qt::Key_Right);
    EXPECT_EQ(a->Left(), x);
}

TEST_F(Dragging, MovesStayOnTheCanvas) {
    MainForm& mf = MF();
    BoxControl* a = add(kTextBox, 20, 20);
    MoveBox(100000, 100000, a);
    EXPECT_EQ(a->Left(), int(mf.PG->Width()) - a->Width());
    EXPECT_EQ(a->Top(), int(mf.PG->Height()) - a->Height());
    const int w = a->Width();
    ResizeBox(500, 0, a);  // right edge on the canvas edge: no wider
    EXPECT_EQ(a->Width(), w);
    ResizeBox(-100000, -100000, a);
    EXPECT_EQ(a->Width(), 0);
    EXPECT_EQ(a->Height(), 0);
}

}  // namespace
