// Selecting boxes: the rubber band, Ctrl+click, clicks on the empty canvas, the count, the
// relation colours.

#include <QTest>

#include "DesignerFixture.h"
#include "designer/CanvasEvents.h"
#include "designer/DesignState.h"
#include "designer/Selection.h"
#include "store/BoxEditing.h"
#include "store/BoxLook.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CheckBox.h"
#include "store/Label.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

using Selection = test::DesignerTest;

struct TouchCase {
    const char* what;
    long x1, y1, x2, y2;
    bool touches;
};

TEST_F(Selection, WhatARectangleTouches) {
    BoxControl* box = add(kTextBox, 10, 10);  // 600, 600, 1215 x 375
    box->Move(600, 600, 1200, 300);
    auto* line = static_cast<Line*>(add(kLine, 0, 0));
    line->SetEnds(0, 3000, 6000, 3000);
    const TouchCase boxCases[] = {
        {"band's left side on the box's right edge", 1800, 0, 2500, 700, true},
        {"one unit right of it", 1801, 0, 2500, 700, false},
        {"corners given the other way round", 2500, 700, 1800, 0, true},
        {"band's bottom on the box's top", 0, 0, 700, 600, true},
        {"wholly inside the box", 700, 700, 800, 800, true},
        {"above it", 0, 0, 5000, 599, false},
    };
    for (const TouchCase& c : boxCases)
        EXPECT_EQ(BoxTouchesRect(box, c.x1, c.y1, c.x2, c.y2), c.touches) << c.what;
    const TouchCase lineCases[] = {
        {"over the middle only", 2000, 2000, 4000, 4000, false},
        {"around the start point", -10, 2990, 10, 3010, true},
        {"the end point on the edge", 6000, 3000, 7000, 4000, true},
    };
    for (const TouchCase& c : lineCases)
        EXPECT_EQ(BoxTouchesRect(line, c.x1, c.y1, c.x2, c.y2), c.touches) << c.what;
}

TEST_F(Selection, ARubberBandSelectsWhatItTouchesAndCtrlAddsToIt) {
    BoxControl* a = add(kTextBox, 20, 20);
    BoxControl* b = add(kPictureBox, 60, 20);
    BoxControl* c = add(kLabel, 100, 60);
    BoxControl* d = add(kCheckBox, 150, 20);

    press(test::DesignerTest::mm(5), mm(5));
    move(mm(70), mm(30), Qt::LeftButton);
    EXPECT_TRUE(RubberBandShown());
    release(mm(70), mm(30));
    EXPECT_FALSE(RubberBandShown());
    EXPECT_TRUE(IsBoxSelected(a));
    EXPECT_TRUE(IsBoxSelected(b));
    EXPECT_FALSE(IsBoxSelected(c));
    EXPECT_FALSE(IsBoxSelected(d));
    EXPECT_EQ(CountSelectedBoxes(), 2);

    // With Ctrl the band adds; the label alone is not counted.
    press(mm(95), mm(55), Qt::LeftButton, Qt::ControlModifier);
    move(mm(110), mm(70), Qt::LeftButton, Qt::ControlModifier);
    release(mm(110), mm(70), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(IsBoxSelected(a));
    EXPECT_TRUE(IsBoxSelected(c));
    EXPECT_EQ(CountSelectedBoxes(), 2);

    // Without Ctrl a new band replaces the marks.
    press(mm(145), mm(15));
    move(mm(160), mm(30), Qt::LeftButton);
    release(mm(160), mm(30));
    EXPECT_FALSE(IsBoxSelected(a));
    EXPECT_FALSE(IsBoxSelected(c));
    EXPECT_TRUE(IsBoxSelected(d));
    EXPECT_EQ(CountSelectedBoxes(), 0);

    // A click on the empty canvas drops every mark.
    press(mm(190), mm(90));
    release(mm(190), mm(90));
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
    press(mm(55), mm(15));
    move(mm(90), mm(30), Qt::LeftButton);
    release(mm(90), mm(30));
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

}  // namespace
