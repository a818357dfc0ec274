// Finding the line under the pointer: tolerances, end squares, the lock, the order of lines.

#include "DesignerFixture.h"
#include "designer/DesignState.h"
#include "designer/LinePicking.h"
#include "store/BoxEditing.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/Line.h"
#include "store/MainForm.h"

using namespace bw;

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

struct HitCase {
    const char* what;
    double widthPx;
    int x1, y1, x2, y2;
    double x, y;
    int part;
};

TEST_F(LinePicking, HitPartsFollowTheTolerances) {
    const HitCase cases[] = {
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
    for (const HitCase& c : cases) {
        Line* l = line(c.x1, c.y1, c.x2, c.y2, c.widthPx);
        EXPECT_EQ(LineHitPart(l, c.x, c.y), c.part) << c.what;
    }
}

TEST_F(LinePicking, FindLineAtSetsPointerAndDragPointAndHonoursTheLock) {
    MainForm& mf = MF();
    Line* first = line(0, 600, 3000, 600);
    Line* second = line(0, 610, 3000, 610);  // overlaps the first
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
    (void)second;

    // Locked: nothing is found and the pointer is left alone.
    mf.PG->MousePointer = 3;
    mf.SetO2Value(2, 1);
    EXPECT_EQ(FindLineAt(0, 1500, 605, part), nullptr);
    EXPECT_EQ(mf.PG->MousePointer, 3);
}

TEST_F(LinePicking, DraggingALineByItsMiddleOrItsStartPoint) {
    MainForm& mf = MF();
    Line* l = line(600, 600, 3000, 600);
    move(1800, 610);  // hover finds the middle
    EXPECT_EQ(mf.PG->MousePointer, 2);
    press(1800, 610);
    move(1800 + 150, 610 + 75, Qt::LeftButton);
    release(1800 + 150, 610 + 75);
    EXPECT_EQ(l->X1(), 750);
    EXPECT_EQ(l->Y1(), 675);
    EXPECT_EQ(l->X2(), 3150);
    EXPECT_NEAR(rowX(l), 750 / kUnitsPerMm, 0.001);

    move(755, 680);  // the start point
    EXPECT_EQ(mf.PG->MousePointer, 5);
    press(755, 680);
    move(755 - 150, 680 + 300, Qt::LeftButton);
    release(755 - 150, 680 + 300);
    EXPECT_EQ(l->X1(), 600);
    EXPECT_EQ(l->Y1(), 975);
    EXPECT_EQ(l->X2(), 3150);  // the end point stays
    EXPECT_EQ(l->Y2(), 675);

    // Ctrl+click on the middle of a line marks it; a plain click on the canvas drops it.
    Line* m = line(600, 3000, 3000, 3000);
    move(1800, 3000);
    press(1800, 3000, Qt::LeftButton, Qt::ControlModifier);
    release(1800, 3000, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(IsBoxSelected(m));
    move(1800, 3000);
    press(1800, 3000);
    release(1800, 3000);
    EXPECT_FALSE(IsBoxSelected(m));
}

}  // namespace
