#include "shell/WindowLayout.h"

#include <algorithm>
#include <cmath>

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QVariant>
#include <QWidget>

#include "common/TwipGeometry.h"
#include "platform/GridView.h"
#include "platform/PictureWidget.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "printing/LabelPreview.h"
#include "shell/MainWindow.h"
#include "shell/TabStrip.h"
#include "store/CanvasSizing.h"
#include "store/MainForm.h"

namespace bw {

QRectF WorkAreaTw(const QWidget* window) {
    QScreen* s = window ? window->screen() : nullptr;
    if (!s) s = QGuiApplication::primaryScreen();
    if (!s) return QRectF(0, 0, ScreenWidthTw(window), ScreenHeightTw(window));
    const QRect work = s->availableGeometry().translated(-s->geometry().topLeft());
    return QRectF(PixelsToTwips(work.x()), PixelsToTwips(work.y()), PixelsToTwips(work.width()),
                  PixelsToTwips(work.height()));
}

void CenterMainForm(MainWindow* mw) {
    if (!mw) return;
    const QRectF work = WorkAreaTw(mw);
    mw->MoveForm(work.left() + (work.width() - mw->FormWidth()) / 2,
                 work.top() + (work.height() - mw->FormHeight()) / 2);
}

void LayoutMainForm() {
    MainWindow* mw = TheMainWindow();
    if (!mw) return;
    // 1. The window fills the work area, wherever the desktop's bars leave it.
    const QRectF work = WorkAreaTw(mw);
    mw->SetFormGeometry(work.left(), work.top(), work.width(), work.height());
    PlaceMainFormPages();
    // 16. - 18.
    mw->SST->SetTab(0);
    CenterMainForm(mw);
    mw->show();
}

void PlaceMainFormPages() {
    MainWindow* mw = TheMainWindow();
    if (!mw) return;
    MainForm& mf = MF();
    // 2. - 3. The tab strip and the first page; the hint line under it stays inside the
    // window however tall the window system's title bar is.
    TabStrip* sst = mw->SST;
    SetTwLeft(sst, 0);
    SetTwWidth(sst, mw->FormWidth() - 80);
    const double room = mw->ClientHeightTw() - TwTop(sst) - 20 - TwHeight(mw->LBL);
    SetTwHeight(sst, std::min(mw->FormHeight() - 1000, room));
    QWidget* pic0 = mw->Pic[0];
    SetTwLeft(pic0, 0);
    SetTwTop(pic0, 330);
    SetTwWidth(pic0, TwWidth(sst) - 2 * TwLeft(pic0));
    SetTwHeight(pic0, TwHeight(sst) - TwTop(pic0) - TwLeft(pic0));
    // 4. - 7. The canvas frame with its scroll bars.
    SetTwLeft(mf.PFrm, 0);
    SetTwWidth(mf.PFrm, TwWidth(pic0) - TwWidth(mf.VS));
    SetTwTop(mf.PFrm, 1020);
    SetTwHeight(mf.PFrm, TwHeight(pic0) - TwTop(mf.PFrm) - TwHeight(mf.PHS));
    SetTwWidth(mf.HS, TwWidth(pic0) - 30);
    SetTwTop(mf.PHS, TwHeight(pic0) - TwHeight(mf.PHS) - 15);
    SetTwLeft(mf.PHS, 0);
    SetTwWidth(mf.PHS, TwWidth(mf.PFrm));
    SetTwLeft(mf.VS, TwWidth(sst) - 280);
    SetTwHeight(mf.VS, TwHeight(pic0) - TwTop(mf.VS) - 20);
    // 8. The hint line under the tabs.
    SetTwLeft(mw->LBL, 20);
    SetTwWidth(mw->LBL, TwWidth(sst) - 40);
    SetTwTop(mw->LBL, TwTop(sst) + TwHeight(sst) + 20);
    // 9. - 10. The option strip; every page on top of the first.
    SetTwWidth(mw->Frm[1], TwWidth(pic0) - TwLeft(mw->Frm[1]) - 30);
    for (int i = 1; i < sst->Tabs(); ++i) {
        QWidget* p = sst->Page(i);
        SetTwLeft(p, TwLeft(pic0));
        SetTwTop(p, TwTop(pic0));
        SetTwWidth(p, TwWidth(pic0));
        SetTwHeight(p, TwHeight(pic0));
    }
    // 11. - 15. The label-sheet page: the settings column at the right, the page bar across
    // the rest, the preview frame with its scroll bar below, and under them the box property
    // grid in the bottom third (the tab switch gives it its width).
    SetTwLeft(mw->Frm[3], TwWidth(pic0) - 2535);
    SetTwWidth(mf.HS1, TwLeft(mw->Frm[3]));
    const double boxGridTop = std::round(TwHeight(mw->Pic[3]) * 2 / 3);
    SetTwLeft(mw->MSF[3], 0);
    SetTwTop(mw->MSF[3], boxGridTop);
    SetTwLeft(mf.VS1, TwLeft(mw->Frm[3]) - TwWidth(mf.VS1));
    SetTwTop(mf.VS1, TwHeight(mf.HS1));
    SetTwHeight(mf.VS1, boxGridTop - TwHeight(mf.HS1) - 30);
    SetTwLeft(mf.LFrm, 0);
    SetTwWidth(mf.LFrm, TwLeft(mf.VS1));
    SetTwTop(mf.LFrm, TwHeight(mf.HS1));
    SetTwHeight(mf.LFrm, TwHeight(mf.VS1));
    SizeLabelPreview();
}

}  // namespace bw
