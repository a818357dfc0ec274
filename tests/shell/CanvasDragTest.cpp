// Dragging a box on the real main window's canvas with the mouse as the window system sends
// it: a press on the box's move corner, moves in jumps across other boxes, a release. Only
// the dragged box moves, by the pointer's distance; the boxes passed over stay and stay
// unmarked.

#include <QTest>
#include <QWindow>

#include "MainWindowFixture.h"
#include "platform/Twips.h"
#include "store/BoxAccessors.h"
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
    MainForm& mf = MF();
    ASSERT_EQ(mf.II.size(), 1u);
    PictureBox* qr = mf.II[0];
    TextBox* total = test::textBoxCaptioned("费用合计");
    TextBox* capitals = test::textBoxCaptioned("大写");
    ASSERT_TRUE(total && capitals);
    QWindow* window = w->windowHandle();
    const auto at = [w](QWidget* box, QPoint p) { return box->mapTo(w, p); };

    for (const int up : {-1, 1}) {  // across 费用合计 upward, then back down below it
        const QRect qrBefore = qr->geometry(), totalBefore = total->geometry(),
                    capitalsBefore = capitals->geometry();
        const auto place = [&mf](BoxControl* b) {
            const int row = BoxRow(b);
            return mf.BoxGrid().TextMatrix(row, col::X) + "," +
                   mf.BoxGrid().TextMatrix(row, col::Y);
        };
        const QString totalPlace = place(total);
        // Hover on the move corner, press, and jump: over 费用合计's middle, then up or down.
        const QPoint press = at(qr, QPoint(3, 3));
        const QPoint over = at(total, total->rect().center());
        const QPoint end = over + QPoint(-30, up < 0 ? -90 : 20);
        QTest::mouseMove(window, press);
        QTest::mousePress(window, Qt::LeftButton, {}, press);
        for (const QPoint& p : {press + (over - press) / 2, over, end}) QTest::mouseMove(window, p);
        QTest::mouseRelease(window, Qt::LeftButton, {}, end);
        settle();

        EXPECT_EQ(qr->geometry().topLeft() - qrBefore.topLeft(), end - press);
        EXPECT_EQ(total->geometry(), totalBefore);
        EXPECT_EQ(capitals->geometry(), capitalsBefore);
        EXPECT_EQ(place(total), totalPlace);
        EXPECT_FALSE(IsBoxSelected(total));
        EXPECT_FALSE(IsBoxSelected(capitals));
    }
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/canvas_drag_across_a_box.png"));
}

}  // namespace
