// Dragging a box on the real main window's canvas with the mouse as the window system sends
// it: a press on the box's move corner, moves in jumps across other boxes, a release. Only
// the dragged box moves, by the pointer's distance; the boxes passed over stay unmarked.

#include <QTest>
#include <QWindow>

#include "MainWindowFixture.h"
#include "store/BoxEditing.h"
#include "store/FormatOperations.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/SampleFormats.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

using CanvasDrag = test::MainWindowTest;

TEST_F(CanvasDrag, APictureBoxDraggedAcrossATextBoxMovesAloneByThePointersDistance) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    SelectFormat(kSampleWaybill);
    settle();
    PictureBox* qr = MF().II.at(0);
    TextBox* total = test::textBoxCaptioned("费用合计");
    TextBox* capitals = test::textBoxCaptioned("大写");
    ASSERT_TRUE(total && capitals);
    for (const int up : {-90, 20}) {  // across 费用合计 upward, then back down below it
        const QRect qrWas = qr->geometry(), totalWas = total->geometry();
        const QRect capitalsWas = capitals->geometry();
        const QPoint press = qr->mapTo(w, QPoint(3, 3));  // the move corner
        const QPoint over = total->mapTo(w, total->rect().center());
        const QPoint end = over + QPoint(-30, up);
        QTest::mouseMove(w->windowHandle(), press);
        QTest::mousePress(w->windowHandle(), Qt::LeftButton, {}, press);
        for (const QPoint& p : {(press + over) / 2, over, end})
            QTest::mouseMove(w->windowHandle(), p);
        QTest::mouseRelease(w->windowHandle(), Qt::LeftButton, {}, end);
        settle();
        EXPECT_EQ(qr->geometry().topLeft() - qrWas.topLeft(), end - press);
        EXPECT_EQ(total->geometry(), totalWas);
        EXPECT_EQ(capitals->geometry(), capitalsWas);
        EXPECT_FALSE(IsBoxSelected(total) || IsBoxSelected(capitals));
    }
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/canvas_drag_across_a_box.png"));
}

}  // namespace
