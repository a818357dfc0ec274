// The designer's mouse and keys on the canvas: finding the line under the pointer, selecting
// with the rubber band and Ctrl+click, dragging and sizing, the arrow keys, aligning the
// selected boxes to a typed value, and what the lock stops.

#include <QTest>
#include <QTextEdit>

#include "DesignerFixture.h"
#include "designer/Alignment.h"
#include "designer/CanvasEvents.h"
#include "designer/DesignState.h"
#include "designer/Dragging.h"
#include "designer/LinePicking.h"
#include "designer/Selection.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxEditing.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CanvasOptions.h"
#include "store/Label.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"
#include "store/TextBox.h"

using namespace bw;
using namespace bw::test;

namespace {

class LinePicking : public test::DesignerTest {
protected:
    Line* line(int x1, int y1, int x2, int y2, double widthPx = 1) {
        auto* l = static_cast<Line*>(add(kLine, 0, 0));
        l->SetEnds(x1, y1, x2, y2);
        l->SetBorderWidth(widthPx);
        return l;
    }
};

TEST_F(LinePicking, HitPartsFollowTheTolerances) {
    const struct {
        const char* what;
        double widthPx;
        int x1, y1, x2, y2;
        double x, y;
        int part;
    } cases[] = {
        {"1 px: 30 below the horizontal line", 1, 0, 500, 1000, 500, 600, 530, 1},
        {"1 px: 31 below", 1, 0, 500, 1000, 500, 600, 531, -1},
        {"4 px (60 twips): 60 below", 4, 0, 500, 1000, 500, 600, 560, 1},
        {"4 px: 61 below", 4, 0, 500, 1000, 500, 600, 561, -1},
        {"3 px (45 twips) keeps 30", 3, 0, 500, 1000, 500, 600, 540, -1},
        {"start square wins over the segment", 1, 0, 500, 1000, 500, 20, 510, 0},
        {"end square", 1, 0, 500, 1000, 500, 990, 490, 2},
        {"diagonal: vertical distance 40", 1, 0, 0, 1000, 1000, 500, 540, -1},
        {"diagonal: vertical distance 20", 1, 0, 0, 1000, 1000, 500, 520, 1},
        {"vertical: beside the segment", 1, 500, 0, 500, 1000, 520, 700, 1},
        {"vertical: in the end square", 1, 500, 0, 500, 1000, 520, 1020, 2},
        {"vertical: beyond the end square", 1, 500, 0, 500, 1000, 520, 1040, -1},
        {"reversed ends are ordered", 1, 1000, 500, 0, 500, 600, 520, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LineHitPart(line(c.x1, c.y1, c.x2, c.y2, c.widthPx), c.x, c.y), c.part) << c.what;
}

TEST_F(LinePicking, FindLineAtSetsPointerAndDragPointAndHonoursTheLock) {
    MainForm& mf = MF();
    Line* first = line(0, 600, 3000, 600);
    line(0, 610, 3000, 610);  // overlaps the first: the first added wins
    int part = -1;
    EXPECT_EQ(FindLineAt(0, 1500, 605, part), first);
    EXPECT_EQ(part, 1);
    EXPECT_EQ(mf.PG->MousePointer, 2);
    EXPECT_EQ(Design().DragX, 1500);
    EXPECT_EQ(Design().DragY, 605);
    EXPECT_EQ(FindLineAt(0, 10, 600, part), first);
    EXPECT_EQ(mf.PG->MousePointer, 5);
    EXPECT_EQ(FindLineAt(0, 2990, 600, part), first);
    EXPECT_EQ(mf.PG->MousePointer, 8);
    // Over nothing with the left button held the pointer stays; with it up it goes back.
    EXPECT_EQ(FindLineAt(kLeftButton, 1500, 3000, part), nullptr);
    EXPECT_EQ(mf.PG->MousePointer, 8);
    EXPECT_EQ(FindLineAt(0, 1500, 3000, part), nullptr);
    EXPECT_EQ(part, -1);
    EXPECT_EQ(mf.PG->MousePointer, 0);

    // Locked: nothing is found, the pointer is left alone and the box menu's item is off.
    mf.PG->MousePointer = 3;
    mf.SetO2Value(2, 1);
    O2_Click(2);
    EXPECT_FALSE(mf.mCtlSame->isEnabled());
    EXPECT_EQ(FindLineAt(0, 1500, 605, part), nullptr);
    EXPECT_EQ(mf.PG->MousePointer, 3);
    mf.SetO2Value(2, 0);
    O2_Click(2);
    EXPECT_TRUE(mf.mCtlSame->isEnabled());
    EXPECT_EQ(FindLineAt(0, 1500, 605, part), first);
}

TEST_F(LinePicking, DraggingALineByItsMiddleOrItsStartPoint) {
    MainForm& mf = MF();
    Line* l = line(600, 600, 3000, 600);
    move(1800, 610);  // hover finds the middle
    EXPECT_EQ(mf.PG->MousePointer, 2);
    drag(1800, 610, 1800 + 150, 610 + 75);
    EXPECT_EQ(l->X1(), 750);
    EXPECT_EQ(l->Y1(), 675);
    EXPECT_EQ(l->X2(), 3150);
    EXPECT_NEAR(Val(cell(l, col::X)), 750 / kUnitsPerMm, 0.001);

    move(755, 680);  // the start point
    EXPECT_EQ(mf.PG->MousePointer, 5);
    drag(755, 680, 755 - 150, 680 + 300);
    EXPECT_EQ(l->X1(), 600);
    EXPECT_EQ(l->Y1(), 975);
    EXPECT_EQ(l->X2(), 3150);  // the end point stays
    EXPECT_EQ(l->Y2(), 675);

    // Ctrl+click on the middle of a line marks it; a plain click on the canvas drops it.
    Line* m = line(600, 3000, 3000, 3000);
    move(1800, 3000);
    click(1800, 3000, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(IsBoxSelected(m));
    move(1800, 3000);
    click(1800, 3000);
    EXPECT_FALSE(IsBoxSelected(m));
}

using Selection = test::DesignerTest;

TEST_F(Selection, WhatARectangleTouches) {
    BoxControl* box = add(kTextBox, 10, 10);
    box->Move(600, 600, 1200, 300);
    auto* line = static_cast<Line*>(add(kLine, 0, 0));
    line->SetEnds(0, 3000, 6000, 3000);
    const struct {
        const char* what;
        BoxControl* box;
        long x1, y1, x2, y2;
        bool touches;
    } cases[] = {
        {"band's left side on the box's right edge", box, 1800, 0, 2500, 700, true},
        {"one unit right of it", box, 1801, 0, 2500, 700, false},
        {"corners given the other way round", box, 2500, 700, 1800, 0, true},
        {"band's bottom on the box's top", box, 0, 0, 700, 600, true},
        {"wholly inside the box", box, 700, 700, 800, 800, true},
        {"above it", box, 0, 0, 5000, 599, false},
        {"over the line's middle only", line, 2000, 2000, 4000, 4000, false},
        {"around the start point", line, -10, 2990, 10, 3010, true},
        {"the end point on the edge", line, 6000, 3000, 7000, 4000, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BoxTouchesRect(c.box, c.x1, c.y1, c.x2, c.y2), c.touches) << c.what;
}

TEST_F(Selection, ARubberBandSelectsWhatItTouchesAndCtrlAddsToIt) {
    MF().SetO2Value(0, 1);
    O2_Click(0);  // the measuring grid behind, for the picture
    BoxControl* a = add(kTextBox, 20, 20);
    BoxControl* b = add(kPictureBox, 60, 20);
    BoxControl* c = add(kLabel, 100, 60);
    BoxControl* d = add(kCheckBox, 150, 20);
    SetBoxValue(a, "收款人");
    static_cast<Label*>(c)->SetCaption("备注");

    press(mm(5), mm(5));
    move(mm(70), mm(30), Qt::LeftButton);
    ASSERT_TRUE(RubberBandShown());
    QApplication::processEvents();
    MF().PG->grab().save(test::ArtifactDir() + "/designer_rubber_band.png");
    release(mm(70), mm(30));
    EXPECT_FALSE(RubberBandShown());
    EXPECT_TRUE(IsBoxSelected(a));
    EXPECT_TRUE(IsBoxSelected(b));
    EXPECT_FALSE(IsBoxSelected(c));
    EXPECT_FALSE(IsBoxSelected(d));
    EXPECT_EQ(CountSelectedBoxes(), 2);

    // With Ctrl the band adds; the label alone is not counted.
    drag(mm(95), mm(55), mm(110), mm(70), Qt::ControlModifier);
    EXPECT_TRUE(IsBoxSelected(a));
    EXPECT_TRUE(IsBoxSelected(c));
    EXPECT_EQ(CountSelectedBoxes(), 2);

    // Without Ctrl a new band replaces the marks.
    drag(mm(145), mm(15), mm(160), mm(30));
    EXPECT_FALSE(IsBoxSelected(a));
    EXPECT_FALSE(IsBoxSelected(c));
    EXPECT_TRUE(IsBoxSelected(d));
    EXPECT_EQ(CountSelectedBoxes(), 0);

    // A click on the empty canvas drops every mark.
    click(mm(190), mm(90));
    for (BoxControl* x : {a, b, c, d}) EXPECT_FALSE(IsBoxSelected(x));
}

TEST_F(Selection, TheBandFollowsOnlyBeyondAHundredUnits) {
    BoxControl* a = add(kTextBox, 20, 20);  // 1200, 1200
    press(1000, 1000);
    move(1100, 1100, Qt::LeftButton);  // exactly 100 on both axes: no update
    EXPECT_EQ(Design().SelX2, 1000);
    EXPECT_FALSE(IsBoxSelected(a));
    move(1201, 1201, Qt::LeftButton);
    EXPECT_EQ(Design().SelX2, 1201);
    EXPECT_TRUE(IsBoxSelected(a));
    release(1201, 1201);
}

TEST_F(Selection, CtrlClickTogglesABox) {
    auto* t = static_cast<TextBox*>(add(kTextBox, 20, 20));
    auto* l = static_cast<Label*>(add(kLabel, 60, 20));
    QWidget* target = mouseTarget(t);
    QTest::mouseClick(target, Qt::LeftButton, Qt::ControlModifier, QPoint(40, 10));
    EXPECT_TRUE(IsBoxSelected(t));
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(40, 10));  // a plain click keeps it
    EXPECT_TRUE(IsBoxSelected(t));
    QTest::mouseClick(target, Qt::LeftButton, Qt::ControlModifier, QPoint(40, 10));
    EXPECT_EQ(t->BackColor(), QColor(Qt::white));

    // Locked: a band cannot mark the label, Ctrl+click still flips its border.
    MF().SetO2Value(2, 1);
    drag(mm(55), mm(15), mm(90), mm(30));
    EXPECT_FALSE(IsBoxSelected(l));
    QTest::mouseClick(l, Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
    EXPECT_TRUE(IsBoxSelected(l));
}

TEST_F(Selection, RelationColoursGoOnAClickButTheSelectionGreyStays) {
    auto* a = static_cast<TextBox*>(add(kTextBox, 20, 20));
    auto* b = static_cast<TextBox*>(add(kTextBox, 60, 20));
    a->SetBackColor(QColor(255, 170, 170));
    b->SetBackColor(kSelectionGrey);
    QTest::mouseClick(mouseTarget(b), Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_EQ(a->BackColor(), QColor(Qt::white));
    EXPECT_TRUE(IsBoxSelected(b));
}

using Dragging = test::DesignerTest;

TEST_F(Dragging, HoverZonesChooseThePointer) {
    BoxControl* t = add(kTextBox, 20, 20);  // 1200, 1200, 1215 x 375
    BoxControl* c = add(kCheckBox, 60, 20);
    const struct {
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
    for (const auto& k : cases) {
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
        EXPECT_NEAR(Val(cell(x, col::X)), x->Left() / kUnitsPerMm, 0.001);
        EXPECT_NEAR(Val(cell(x, col::Y)), x->Top() / kUnitsPerMm, 0.001);
    }
    EXPECT_NEAR(Val(cell(b, col::X)), 60 + 13 / kUnitsPerMm, 0.001);

    // Dragged past the left edge the box stops at 0.
    const double x1 = a->Left() + 50, y1 = a->Top() + 50;
    move(x1, y1);
    drag(x1, y1, x1 - 5000, y1);
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
    EXPECT_NEAR(Val(cell(t, col::W)), (w + 600) / kUnitsPerMm, 0.001);
}

TEST_F(Dragging, ArrowKeysMoveResizeAndStepTheFont) {
    MainForm& mf = MF();
    BoxControl* a = add(kTextBox, 20, 20);
    BoxControl* b = add(kTextBox, 60, 20);
    mf.PG->setFocus();

    // Nothing selected: nothing moves.
    QTest::keyClick(mf.PG, Qt::Key_Right);
    EXPECT_EQ(a->Left(), mm(20));

    SetBoxSelectLook(a, false);
    const int x = a->Left(), y = a->Top(), w = a->Width(), h = a->Height();
    const struct {
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
    for (const auto& s : steps) {
        QTest::keyClick(mf.PG, s.key, s.mods);
        EXPECT_EQ(QRect(a->Left(), a->Top(), a->Width(), a->Height()),
                  QRect(x + s.dx, y + s.dy, w + s.dw, h + s.dh))
            << s.key;
    }
    EXPECT_EQ(b->Left(), mm(60));
    EXPECT_NEAR(Val(cell(a, col::X)), x / kUnitsPerMm, 0.001);

    // Ctrl steps half a point and stops at 1 pt; the text box's own keys work the same.
    setCell(a, col::fSize, "1.5");
    ApplyRowToBox(mf.BoxGrid(), BoxRow(a));
    for (const char* size : {"1", "1"}) {
        QTest::keyClick(mf.PG, Qt::Key_Left, Qt::ControlModifier);
        EXPECT_EQ(cell(a, col::fSize), QLatin1String(size));
    }
    a->Widget()->setFocus();
    QTest::keyClick(static_cast<TextBox*>(a)->Editor(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(cell(a, col::fSize), "1.5");

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

using Alignment = test::DesignerTest;

TEST_F(Alignment, TopEdgesGoToTheTypedValue) {
    BoxControl* a = add(kTextBox, 20, 5);  // Top 300
    BoxControl* b = add(kPictureBox, 60, 30);
    BoxControl* c = add(kCheckBox, 100, 40);
    BoxControl* idle = add(kTextBox, 140, 50);
    a->SetTop(300);
    b->SetTop(500);
    for (BoxControl* x : {a, b, c}) SetBoxSelectLook(x, false);
    {
        test::ScriptedAnswers answers;
        answers << " 12.5 ";
        AlignSelectedBoxes(0);
        ASSERT_EQ(dlg::ShownLog().size(), 1);
        EXPECT_EQ(dlg::ShownLog()[0].preset, "5");  // 300 units
    }
    for (BoxControl* x : {a, b, c}) {
        EXPECT_EQ(x->Top(), 750);
        EXPECT_NEAR(Val(cell(x, col::Y)), 12.5, 0.001);
    }
    EXPECT_EQ(idle->Top(), mm(50));

    // An answer that is no number, an empty one and Cancel change nothing.
    for (const QVariant& answer : {QVariant("abc"), QVariant(QString()), QVariant()}) {
        test::ScriptedAnswers answers;
        answers << answer;
        AlignSelectedBoxes(1);
        EXPECT_EQ(a->Left(), mm(20));
    }
    // Right edges beyond the canvas stop at its far edge.
    {
        test::ScriptedAnswers answers;
        answers << "500";
        AlignSelectedBoxes(2);
        EXPECT_EQ(a->Left(), int(MF().PG->Width()) - a->Width());
    }
}

TEST_F(Alignment, WidthsNeedABoxOfTheirKinds) {
    BoxControl* c = add(kCheckBox, 100, 40);
    SetBoxSelectLook(c, false);
    const int cw = c->Width();
    test::ScriptedAnswers answers;
    AlignSelectedBoxes(4);
    EXPECT_EQ(answers.lastMessage(), "请先选定多个输入框，再操作此功能！");
    BoxControl* t = add(kTextBox, 20, 20);
    BoxControl* p = add(kPictureBox, 60, 20);
    t->SetWidth(600);
    p->SetWidth(900);
    SetBoxSelectLook(t, false);
    SetBoxSelectLook(p, false);
    answers << "15";  // proposal 900 units = 15 mm
    AlignSelectedBoxes(4);
    EXPECT_EQ(t->Width(), 900);
    EXPECT_EQ(c->Width(), cw);
}

}  // namespace
