// The canvas's size for a paper, zooming with the boxes rebuilt at the new scale, and the
// two canvas scroll bars.

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QScrollBar>
#include <cmath>

#include "MainWindowFixture.h"
#include "common/Common.h"
#include "common/Database.h"
#include "common/Schema.h"
#include "common/TwipGeometry.h"
#include "platform/Grid.h"
#include "platform/PictureWidget.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "printing/LabelPreview.h"
#include "shell/WindowLayout.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CanvasOptions.h"
#include "store/CanvasSizing.h"
#include "store/CheckBox.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

class CanvasSizing : public ::testing::Test {
protected:
    void SetUp() override {
        CloseDatabase();
        ASSERT_TRUE(EnsureDatabase());
        ResetMF(new MainForm);
        ConnectCanvasHandlers();
        InitBoxModule();
    }
    void TearDown() override {
        UnloadAllBoxes();
        ResetMF();
        CloseDatabase();
    }
    void paper(double w, double h) {
        MF().Wid->setText(NumText(w));
        MF().Hie->setText(NumText(h));
        ASSERT_TRUE(SizeCanvasToFormat(w, h));
    }
    test::TempDataFolder folder_;
};

}  // namespace

TEST_F(CanvasSizing, TheCanvasIsAsWideAsItsFrameAndAsHighAsThePaperGives) {
    MainForm& mf = MF();
    mf.SetFrameSize(9000, 6000);
    paper(200, 100);
    EXPECT_EQ(mf.PG->Width(), 9000);
    EXPECT_EQ(mf.PG->Height(), 4500);
    EXPECT_EQ(mf.PG->Left(), 0);
    EXPECT_FALSE(mf.VS->isEnabled());
    EXPECT_FALSE(mf.PHS->isEnabled());

    mf.SetFrameSize(9000, 3000);
    paper(200, 100);
    EXPECT_TRUE(mf.VS->isEnabled());
    EXPECT_EQ(mf.VS->maximum(), 5);  // 5 x CInt(0.333 + 0.999)
    ZoomCanvas(0.1);
    EXPECT_DOUBLE_EQ(mf.PG->Width(), 9900);
    EXPECT_DOUBLE_EQ(mf.PG->Height(), 4950);
    EXPECT_EQ(mf.VS->maximum(), 4);  // Int(1950 / 600 + 0.4999999) + 1
    EXPECT_EQ(mf.VS->value(), 0);
    EXPECT_EQ(mf.PG->Top(), 0);

    // A hidden part of exactly half the canvas gives a range of 5; more than half gives 10.
    mf.SetFrameSize(9000, 4500);
    paper(100, 100);
    EXPECT_EQ(mf.VS->maximum(), 5);
    paper(100, 300);
    EXPECT_EQ(mf.VS->maximum(), 10);
    // Equal heights need no scroll bar; showing a format again returns to the frame's width.
    paper(200, 100);
    EXPECT_FALSE(mf.VS->isEnabled());
    EXPECT_FALSE(SizeCanvasToFormat(200, 0));
    EXPECT_FALSE(SizeCanvasToFormat(0, 100));
    EXPECT_EQ(mf.PG->Height(), 4500);
}

TEST_F(CanvasSizing, ZoomStepsMultiplyTheSizeAndFitReturnsToTheFrameWidth) {
    MainForm& mf = MF();
    mf.SetFrameSize(9000, 3000);
    paper(200, 100);
    Zm_Click(0);
    Zm_Click(1);
    EXPECT_NEAR(mf.PG->Width(), 9000 * 1.1 * 0.9, 1e-6);  // not back to 9000
    Zm_Click(2);
    EXPECT_NEAR(mf.PG->Width(), 9000, 1e-6);
    EXPECT_NEAR(mf.PG->Height(), 4500, 1e-6);
    Zm_Click(2);  // already as wide as the frame: only the boxes are built again
    EXPECT_NEAR(mf.PG->Width(), 9000, 1e-6);
    // A size no picture could hold is refused and the canvas keeps the one it has.
    for (int i = 0; i < 40; ++i) Zm_Click(0);
    EXPECT_LE(mf.PG->Width(), PixelsToTwipsF(kMaxCanvasPixels));
    EXPECT_GT(mf.PG->Width(), 9000 * 10);
    EXPECT_FALSE(mf.PG->isHidden());
}

TEST_F(CanvasSizing, TheHorizontalBarKeepsItsPlaceInProportion) {
    MainForm& mf = MF();
    mf.SetFrameSize(9000, 3000);
    paper(200, 100);
    ZoomCanvas(0.5);  // 13500 wide: a third sticks out
    ASSERT_TRUE(mf.PHS->isEnabled());
    EXPECT_EQ(mf.PHS->maximum(), 5);  // 5 x CInt(0.333 + 0.999)
    mf.PHS->setValue(5);
    // At the end of the range the canvas's right edge meets the frame's.
    EXPECT_NEAR(mf.PG->Left() + mf.PG->Width(), 9000, 1e-6);
    const double oldLeft = mf.PG->Left();
    ZoomCanvas(0.1);
    const int expected = CInt(std::fabs(oldLeft) / mf.PG->Width() * mf.PHS->maximum());
    EXPECT_EQ(mf.PHS->value(), expected);
    EXPECT_NEAR(mf.PG->Left(), -((mf.PG->Width() - 9000) / 5) * expected, 1e-6);
    mf.VS->setValue(2);
    EXPECT_NEAR(mf.PG->Top(), -(3000.0 / 5) * 2, 1e-6);

    // Narrower than the frame: no horizontal bar and the canvas back at the left edge.
    ZoomCanvas(-0.5);
    EXPECT_LT(mf.PG->Width(), 9000);
    EXPECT_FALSE(mf.PHS->isEnabled());
    EXPECT_EQ(mf.PG->Left(), 0);
}

using Zooming = test::MainWindowTest;

TEST_F(Zooming, BoxesKeepTheirMillimetresAndEverythingTheUserEntered) {
    ASSERT_NE(start(), nullptr);
    MainForm& mf = MF();
    Grid& g = mf.BoxGrid();
    TextBox* first = mf.TT[0];
    first->SetText("手填的内容");
    mf.CC[0]->SetValue(0);
    PictureBox* qr = mf.II[0];
    SetBoxValue(qr, "用户输入的条码 12345");
    ASSERT_GT(test::darkShare(qr), 0.2);
    const double before = mf.PG->Width();
    const int qrWidth = qr->Width();

    auto checkPositions = [&] {
        for (int kind = 0; kind <= 4; ++kind) {
            for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
                BoxControl* b = GetBoxByIndex(i);
                const int row = BoxRow(b);
                const double paperW = mf.PaperWidthMm();
                double x = b->Left(), y = b->Top();
                if (auto* l = dynamic_cast<Line*>(b)) {
                    x = l->X1();
                    y = l->Y1();
                }
                EXPECT_NEAR(CanvasToMm(x, mf.PG->Width(), paperW), Val(g.TextMatrix(row, col::X)),
                            0.05)
                    << i;
                EXPECT_NEAR(CanvasToMm(y, mf.PG->Width(), paperW), Val(g.TextMatrix(row, col::Y)),
                            0.05)
                    << i;
            }
        }
    };
    for (int step : {0, 0, 1, 2}) {
        Zm_Click(step);
        settle();
        checkPositions();
        EXPECT_EQ(mf.TT[0]->Text(), "手填的内容");
        EXPECT_EQ(mf.CC[0]->Value(), 0);
        EXPECT_EQ(mf.II[0]->LinkItem, "用户输入的条码 12345");
        EXPECT_GT(test::darkShare(mf.II[0]), 0.2) << "the barcode is drawn again at the new size";
    }
    EXPECT_NEAR(mf.PG->Width(), before, 1e-6);  // the fit button ended it
    Zm_Click(0);
    EXPECT_NEAR(mf.PG->Width(), before * 1.1, 1e-6);
    EXPECT_NEAR(mf.II[0]->Width(), qrWidth * 1.1, 2);
    EXPECT_TRUE(mf.PG->isVisible());
}

TEST_F(Zooming, TheLabelPreviewFollowsTheLabelAreaAndItsDirection) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    MF().TNum[3]->setText("100");
    MF().TNum[4]->setText("50");
    MF().TagDir->setChecked(false);
    SizeLabelPreview();
    EXPECT_EQ(TwWidth(MF().PTag), TwWidth(MF().LFrm));
    EXPECT_NEAR(TwHeight(MF().PTag), TwWidth(MF().PTag) / 2, 1e-6);
    EXPECT_FALSE(MF().VS1->isEnabled());
    MF().TagDir->setChecked(true);
    SizeLabelPreview();
    EXPECT_NEAR(TwHeight(MF().PTag), TwWidth(MF().PTag) * 2, 1e-6);
    EXPECT_TRUE(MF().VS1->isEnabled());
    // A missing or zero size keeps the height.
    const double kept = TwHeight(MF().PTag);
    MF().TNum[4]->setText("abc");
    SizeLabelPreview();
    EXPECT_EQ(TwHeight(MF().PTag), kept);
}
