#include "shell/WindowLayout.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QVariant>
#include <QWidget>

#include "platform/PictureWidget.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "shell/CanvasSizing.h"
#include "shell/MainWindow.h"
#include "shell/TabStrip.h"
#include "store/MainForm.h"

namespace bw {

namespace {

const char* const kLeft = "twLeft";
const char* const kTop = "twTop";
const char* const kWidth = "twWidth";
const char* const kHeight = "twHeight";

double read(const QWidget* w, const char* name, int pixels) {
    if (!w) return 0;
    const QVariant v = w->property(name);
    return v.isValid() ? v.toDouble() : PixelsToTwips(pixels);
}

QScreen* screenOf(const QWidget* window) {
    QScreen* s = window ? window->screen() : nullptr;
    return s ? s : QGuiApplication::primaryScreen();
}

// The canvas frame keeps its size in the main window's state as well.
void syncFrame(QWidget* w) {
    MainForm& mf = MF();
    if (w == mf.PFrm) mf.SetFrameSize(TwWidth(w), TwHeight(w));
}

}  // namespace

double TwLeft(const QWidget* w) {
    return read(w, kLeft, w ? w->x() : 0);
}
double TwTop(const QWidget* w) {
    return read(w, kTop, w ? w->y() : 0);
}
double TwWidth(const QWidget* w) {
    return read(w, kWidth, w ? w->width() : 0);
}
double TwHeight(const QWidget* w) {
    return read(w, kHeight, w ? w->height() : 0);
}

void SetTwLeft(QWidget* w, double v) {
    if (!w) return;
    w->setProperty(kLeft, v);
    w->move(TwipsToPixels(v), w->y());
}

void SetTwTop(QWidget* w, double v) {
    if (!w) return;
    w->setProperty(kTop, v);
    w->move(w->x(), TwipsToPixels(v));
}

// A negative size is refused, as a control refuses it; the other rules still run.
void SetTwWidth(QWidget* w, double v) {
    if (!w || v < 0) return;
    w->setProperty(kWidth, v);
    w->resize(TwipsToPixels(v), w->height());
    syncFrame(w);
}

void SetTwHeight(QWidget* w, double v) {
    if (!w || v < 0) return;
    w->setProperty(kHeight, v);
    w->resize(w->width(), TwipsToPixels(v));
    syncFrame(w);
}

void SetTwGeometry(QWidget* w, double left, double top, double width, double height) {
    SetTwLeft(w, left);
    SetTwTop(w, top);
    SetTwWidth(w, width);
    SetTwHeight(w, height);
}

double ScreenWidthTw(const QWidget* window) {
    QScreen* s = screenOf(window);
    return s ? PixelsToTwips(s->geometry().width()) : 15360;
}

double ScreenHeightTw(const QWidget* window) {
    QScreen* s = screenOf(window);
    return s ? PixelsToTwips(s->geometry().height()) : 11520;
}

int GetTaskbarHeight(const QWidget* window) {
    QScreen* s = screenOf(window);
    if (!s) return 0;
    const QRect screen = s->geometry();
    const QRect work = s->availableGeometry();
    const int workBottom = work.y() + work.height() - screen.y();  // pixels from the screen's top
    return CInt((ScreenHeightTw(window) / kTwipsPerPixel - workBottom) * kTwipsPerPixel);
}

void CenterForm(QWidget* form) {
    if (!form) return;
    const double sw = ScreenWidthTw(form), sh = ScreenHeightTw(form);
    const int bar = GetTaskbarHeight(form);
    if (auto* mw = qobject_cast<MainWindow*>(form)) {
        mw->MoveForm((sw - mw->FormWidth()) / 2, (sh - mw->FormHeight() - bar) / 2);
        return;
    }
    const QRect frame = form->frameGeometry();
    QScreen* s = screenOf(form);
    const QPoint origin = s ? s->geometry().topLeft() : QPoint();
    const double w = PixelsToTwips(frame.width()), h = PixelsToTwips(frame.height());
    form->move(origin.x() + TwipsToPixels((sw - w) / 2),
               origin.y() + TwipsToPixels((sh - h - bar) / 2));
}

void LayoutMainForm() {
    MainWindow* mw = TheMainWindow();
    if (!mw) return;
    MainForm& mf = MF();
    // 1. The window fills the work area.
    mw->SetFormGeometry(0, 0, ScreenWidthTw(mw), ScreenHeightTw(mw) - GetTaskbarHeight(mw));
    // 2. - 3. The tab strip and the first page.
    TabStrip* sst = mw->SST;
    SetTwLeft(sst, 0);
    SetTwWidth(sst, mw->FormWidth() - 80);
    SetTwHeight(sst, mw->FormHeight() - 1000);
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
    // the rest, the preview frame with its scroll bar below.
    SetTwLeft(mw->Frm[3], TwWidth(pic0) - 2535);
    SetTwWidth(mw->HS1, TwLeft(mw->Frm[3]));
    SetTwLeft(mw->VS1, TwLeft(mw->Frm[3]) - TwWidth(mw->VS1));
    SetTwTop(mw->VS1, TwHeight(mw->HS1));
    SetTwHeight(mw->VS1, TwHeight(mw->Pic[3]) - TwHeight(mw->HS1) - 30);
    SetTwLeft(mw->LFrm, 0);
    SetTwWidth(mw->LFrm, TwLeft(mw->VS1));
    SetTwTop(mw->LFrm, TwHeight(mw->HS1));
    SetTwHeight(mw->LFrm, TwHeight(mw->VS1));
    SizeLabelPreview();
    // 16. - 18.
    sst->SetTab(0);
    CenterForm(mw);
    mw->show();
}

}  // namespace bw
