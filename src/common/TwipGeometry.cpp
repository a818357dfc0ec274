#include "common/TwipGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>

#include "platform/Twips.h"
#include "platform/VbNumbers.h"

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

std::function<void(QWidget*)>& sizeObserver() {
    static std::function<void(QWidget*)> observer;
    return observer;
}

void syncFrame(QWidget* w) {
    if (sizeObserver()) sizeObserver()(w);
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

void SetTwSizeObserver(std::function<void(QWidget*)> observer) {
    sizeObserver() = std::move(observer);
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
    const QRect frame = form->frameGeometry();
    QScreen* s = screenOf(form);
    const QPoint origin = s ? s->geometry().topLeft() : QPoint();
    const double w = PixelsToTwips(frame.width()), h = PixelsToTwips(frame.height());
    form->move(origin.x() + TwipsToPixels((sw - w) / 2),
               origin.y() + TwipsToPixels((sh - h - bar) / 2));
}

}  // namespace bw
