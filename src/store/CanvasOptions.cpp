#include "store/CanvasOptions.h"

#include <QPushButton>

#include "store/Canvas.h"
#include "store/CanvasSizing.h"
#include "store/MainForm.h"
#include "store/Rulers.h"

namespace bw {

void O2_Click(int index) {
    MainForm& mf = MF();
    switch (index) {
        case 0:
        case 4:
            DrawRulers(mf.PG, mf.PaperWidthMm(), mf.O2Value(0));
            break;
        case 2: {
            const bool enabled = mf.O2Value(2) == 0;
            for (int i : {2, 36}) {
                auto it = mf.COM.find(i);
                if (it != mf.COM.end()) mf.SetCommandEnabled(it->second, enabled);
            }
            mf.SetCommandEnabled(mf.mCtlSame, enabled);
            break;
        }
        default:
            break;
    }
}

void Zm_Click(int index) {
    MainForm& mf = MF();
    switch (index) {
        case 0:
            ZoomCanvas(0.1);
            break;
        case 1:
            ZoomCanvas(-0.1);
            break;
        case 2:
            ZoomCanvas(-(mf.PG->Width() - mf.FrameWidth()) / mf.PG->Width());
            break;
        default:
            break;
    }
}

void VS_Change() {
    MainForm& mf = MF();
    mf.PG->SetTop(-(mf.FrameHeight() / 5) * mf.VS->value());
}

void PHS_Change() {
    MainForm& mf = MF();
    mf.PG->SetLeft(-((mf.PG->Width() - mf.FrameWidth()) / 5) * mf.PHS->value());
}

void ConnectCanvasHandlers() {
    MainForm& mf = MF();
    if (mf.property("canvasHandlers").toBool()) return;
    mf.setProperty("canvasHandlers", true);
    QObject::connect(&mf, &MainForm::OptionClicked, &mf, [](int i) { O2_Click(i); });
    QObject::connect(mf.VS, &QScrollBar::valueChanged, &mf, [] { VS_Change(); });
    QObject::connect(mf.PHS, &QScrollBar::valueChanged, &mf, [] { PHS_Change(); });
}

}  // namespace bw
