#include "printing/LabelPreview.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QScrollBar>

#include "common/TwipGeometry.h"
#include "platform/PictureWidget.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "store/CanvasSizing.h"
#include "store/MainForm.h"

namespace bw {

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
}

}  // namespace bw
