#include "printing/LabelPreview.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QScrollBar>

#include "common/TwipGeometry.h"
#include "platform/Grid.h"
#include "platform/PictureWidget.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "printing/LabelCells.h"
#include "store/BoxControl.h"
#include "store/CanvasSizing.h"
#include "store/MainForm.h"

namespace bw {

namespace {

bool LabelPageBuilt() {
    const MainForm& mf = MF();
    return mf.PTag && mf.LFrm && mf.VS1 && mf.HS1 && mf.TagDir && mf.TNum[0] && mf.TNum[1] &&
           mf.TNum[3] && mf.TNum[4];
}

// The labels of the page HS1 shows, laid over PTag's size.
void DrawLabelPreviewCells(PictureWidget* pic) {
    MainForm& mf = MF();
    if (!mf.MSF[1]) return;
    const Grid& batch = *mf.MSF[1];
    const long long cols = CLng(LabelSetting(0)), rows = CLng(LabelSetting(1));
    const auto cells = LabelPageCells(mf.HS1->value(), cols, rows, TwWidth(mf.PTag),
                                      TwHeight(mf.PTag), batch.Rows(), batch.FixedRows());
    DrawLabels(pic->Target(), PreviewMedium(), cells, LabelBills(cells));
}

}  // namespace

void SizeLabelPreview() {
    MainForm& mf = MF();
    PictureWidget* tag = mf.PTag;
    if (!tag || !mf.LFrm || !mf.VS1 || !mf.TagDir || !mf.TNum[3] || !mf.TNum[4]) return;
    SetTwLeft(tag, 0);
    SetTwWidth(tag, TwWidth(mf.LFrm));
    SetTwTop(tag, 0);
    const double across = Val(mf.TNum[3]->text()), down = Val(mf.TNum[4]->text());
    if (across > 0 && down > 0) {
        double r = down / across;
        if (mf.TagDir->isChecked()) r = 1 / r;
        // A height no picture can hold keeps the present one.
        const double h = TwWidth(tag) * r;
        if (h <= PixelsToTwipsF(kMaxCanvasPixels)) SetTwHeight(tag, h);
    }
    const double frameH = TwHeight(mf.LFrm);
    if (TwHeight(tag) <= frameH) {
        mf.VS1->setEnabled(false);
    } else {
        mf.VS1->setMinimum(0);
        mf.VS1->setMaximum(5 * CInt((TwHeight(tag) - frameH) / TwHeight(tag) + 0.999));
        mf.VS1->setSingleStep(1);
        mf.VS1->setPageStep(1);
        mf.VS1->setEnabled(true);
    }
    RedrawLabelPreview();
}

void RedrawLabelPreview() {
    if (!LabelPageBuilt()) return;
    MainForm& mf = MF();
    // Drawn when the label page is shown or the preview read: the page is hidden at start.
    PictureWidget* pic = mf.PTag;
    const int cols = CInt(Val(mf.TNum[0]->text())), rows = CInt(Val(mf.TNum[1]->text()));
    pic->SetPendingDrawing([pic, cols, rows] { DrawLabelPreview(pic, cols, rows); });
}

void DrawLabelPreview(PictureWidget* pic, int cols, int rows) {
    if (!pic || !LabelPageBuilt()) return;
    if (cols < 1 || cols > kPreviewMaxCols || rows < 1 || rows > kPreviewMaxRows) return;
    DrawTarget& t = pic->Target();
    t.SetScaleMode(ScaleUnit::Twips);
    t.Cls();
    t.SetDrawWidth(1);
    t.SetForeColor(RgbValueToColor(0xAAAAAA));
    t.SetDrawStyle(LineStyle::Dot);
    if (LabelOptionTicked(6)) {
        const double w = t.ScaleWidth(), h = t.ScaleHeight();
        for (int k = 1; k < cols; ++k) t.Line(k * w / cols, 0, k * w / cols, h);
        for (int k = 1; k < rows; ++k) t.Line(0, k * h / rows, w, k * h / rows);
    }
    DrawLabelPreviewCells(pic);
}

LabelMedium PreviewMedium() {
    const MainForm& mf = MF();
    LabelMedium m;
    // How many times smaller a label is on the preview than the canvas frame on screen.
    const double frame = mf.LFrm ? TwWidth(mf.LFrm) : 0, cols = LabelSetting(0);
    m.shrink = frame > 0 && cols > 0 ? mf.FrameWidth() * cols / frame : 0;
    return m;
}

}  // namespace bw
