#include "store/CanvasSizing.h"

#include <QFileInfo>
#include <QFrame>
#include <QScrollBar>
#include <QToolButton>
#include <cmath>
#include <vector>

#include "common/TwipGeometry.h"
#include "platform/GridView.h"
#include "platform/PictureWidget.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CanvasOptions.h"
#include "store/CheckBox.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"
#include "store/RowToBox.h"
#include "store/TextBox.h"

namespace bw {

namespace {

void setRange(QScrollBar* bar, int max) {
    bar->setMinimum(0);
    bar->setMaximum(max);
    bar->setSingleStep(1);
    bar->setPageStep(1);
}

}  // namespace

bool SizeCanvasToFormat(double widthMm, double heightMm) {
    if (!(widthMm > 0) || !(heightMm > 0)) return false;
    MainForm& mf = MF();
    const double ratio = widthMm / heightMm;
    Canvas* pg = mf.PG;
    pg->SetLeft(0);
    pg->SetWidth(mf.FrameWidth());
    pg->SetTop(0);
    pg->SetHeight(pg->Width() / ratio);
    mf.PHS->setEnabled(false);
    const bool tall = pg->Height() > mf.FrameHeight();
    mf.VS->setEnabled(tall);
    if (tall) setRange(mf.VS, 5 * CInt((pg->Height() - mf.FrameHeight()) / pg->Height() + 0.999));
    O2_Click(0);
    O2_Click(4);
    if (QToolButton* zm = mf.Zm[0]; zm && mf.FMSF) {
        SetTwTop(mf.FMSF, TwTop(zm) + TwHeight(zm) - 30);
        SetTwHeight(mf.FMSF, mf.FrameHeight() - TwTop(mf.FMSF) - 15);
    }
    return true;
}

void ResetCanvasScroll() {
    MainForm& mf = MF();
    Canvas* pg = mf.PG;
    const double frameW = mf.FrameWidth(), frameH = mf.FrameHeight();
    const double f = pg->Left() / pg->Width();
    if (pg->Height() <= frameH) {
        pg->SetTop(0);
        mf.VS->setEnabled(false);
    } else {
        double n = Int((pg->Height() - frameH) / (frameH / 5) + 0.4999999);
        if (n < 0) n = 0;
        setRange(mf.VS, static_cast<int>(n) + 1);
        mf.VS->setEnabled(true);
        mf.VS->setValue(0);
        VS_Change();
    }
    if (pg->Width() > frameW) {
        setRange(mf.PHS, 5 * CInt((pg->Width() - frameW) / pg->Width() + 0.999));
        mf.PHS->setValue(CInt(std::fabs(f) * mf.PHS->maximum()));
        mf.PHS->setEnabled(true);
        PHS_Change();
    } else {
        pg->SetLeft(0);
        mf.PHS->setEnabled(false);
    }
}

void ReloadBoxesKeepingValues(bool showProgress) {
    // What the user entered stays: texts, ticks, and the picture or barcode of each
    // picture box, drawn again at its new size.
    std::vector<QString> texts, links;
    std::vector<int> ticks;
    for (int i = 1; i <= BoxCount[kTextBox]; ++i)
        texts.push_back(static_cast<TextBox*>(GetBoxByIndex(i))->Text());
    for (int i = 1; i <= BoxCount[kCheckBox]; ++i)
        ticks.push_back(static_cast<CheckBox*>(GetBoxByIndex(1000 + i))->Value());
    for (int i = 1; i <= BoxCount[kPictureBox]; ++i)
        links.push_back(static_cast<PictureBox*>(GetBoxByIndex(2000 + i))->LinkItem);

    ReloadFormatBoxes(MF().BoxGrid(), showProgress);

    for (int i = 1; i <= BoxCount[kTextBox] && i <= static_cast<int>(texts.size()); ++i)
        static_cast<TextBox*>(GetBoxByIndex(i))->SetText(texts[i - 1]);
    for (int i = 1; i <= BoxCount[kCheckBox] && i <= static_cast<int>(ticks.size()); ++i)
        static_cast<CheckBox*>(GetBoxByIndex(1000 + i))->SetValue(ticks[i - 1]);
    for (int i = 1; i <= BoxCount[kPictureBox] && i <= static_cast<int>(links.size()); ++i)
        if (!links[i - 1].isEmpty())
            RefreshPictureBox(static_cast<PictureBox*>(GetBoxByIndex(2000 + i)), links[i - 1]);
}

void ZoomCanvas(double delta) {
    MainForm& mf = MF();
    Canvas* pg = mf.PG;
    pg->hide();
    const double w = pg->Width() * (1 + delta), h = pg->Height() * (1 + delta);
    const double limit = PixelsToTwipsF(kMaxCanvasPixels);
    if (w >= kTwipsPerPixel && h >= kTwipsPerPixel && w <= limit && h <= limit) {
        pg->SetWidth(w);
        pg->SetHeight(h);
    }
    ResetCanvasScroll();

    ReloadBoxesKeepingValues(false);
    O2_Click(0);
    O2_Click(4);
    pg->show();
}

}  // namespace bw
