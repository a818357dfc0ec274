#include "store/Canvas.h"

#include <QPaintEvent>
#include <QPainter>

#include "platform/Twips.h"
#include "store/Label.h"
#include "store/Line.h"

namespace bw {

namespace {
Qt::PenStyle penStyle(int borderStyle) {
    switch (borderStyle) {
        case 0:
            return Qt::NoPen;
        case 2:
            return Qt::DashLine;
        case 3:
            return Qt::DotLine;
        case 4:
            return Qt::DashDotLine;
        case 5:
            return Qt::DashDotDotLine;
        default:
            return Qt::SolidLine;
    }
}
}  // namespace

Canvas::Canvas(QWidget* frame) : PictureWidget(frame) {
    applyGeometry();
}

Canvas::~Canvas() {
    while (!lines_.isEmpty()) delete lines_.takeLast();
    while (!captions_.isEmpty()) delete captions_.takeLast();
}

void Canvas::SetLeft(double v) {
    left_ = v;
    applyGeometry();
}
void Canvas::SetTop(double v) {
    top_ = v;
    applyGeometry();
}
void Canvas::SetWidth(double v) {
    width_ = v < 1 ? 1 : v;
    applyGeometry();
}
void Canvas::SetHeight(double v) {
    height_ = v < 1 ? 1 : v;
    applyGeometry();
}

void Canvas::applyGeometry() {
    const QRect r(TwipsToPixels(left_), TwipsToPixels(top_), std::max(1, TwipsToPixels(width_)),
                  std::max(1, TwipsToPixels(height_)));
    if (r != geometry()) {
        setGeometry(r);
        Q_EMIT Resized();
    }
}

void Canvas::AddLine(Line* line) {
    if (!lines_.contains(line)) lines_.append(line);
    update();
}

void Canvas::RemoveLine(Line* line) {
    lines_.removeAll(line);
    update();
}

void Canvas::AddCaption(Label* caption) {
    if (!captions_.contains(caption)) captions_.append(caption);
    if (caption->Visible()) update(caption->geometry());
}

void Canvas::RemoveCaption(Label* caption) {
    captions_.removeAll(caption);
    if (caption->Visible()) update(caption->geometry());
}

Line* Canvas::LineAt(double x, double y, double tolerance) const {
    for (auto it = lines_.crbegin(); it != lines_.crend(); ++it) {
        Line* l = *it;
        if (l->Visible() && l->DistanceTo(x, y) <= tolerance) return l;
    }
    return nullptr;
}

void Canvas::paintEvent(QPaintEvent* e) {
    PictureWidget::paintEvent(e);
    QPainter p(this);
    p.setClipRect(e->rect());
    p.setRenderHint(QPainter::Antialiasing, false);
    for (Line* l : lines_) {
        if (!l->Visible() || l->BorderStyle() == 0) continue;
        QPen pen(l->BorderColor(), std::max(1.0, l->BorderWidth()), penStyle(l->BorderStyle()));
        p.setPen(pen);
        p.drawLine(QPointF(TwipsToPixelsF(l->X1()), TwipsToPixelsF(l->Y1())),
                   QPointF(TwipsToPixelsF(l->X2()), TwipsToPixelsF(l->Y2())));
    }
    for (Label* c : captions_) {
        const QRect place = c->geometry();
        if (!c->Visible() || !place.intersects(e->rect())) continue;
        // As the caption would paint itself as a window: in its own place and size (a clip
        // of its own costs the painter more than the text, and most captions need none).
        p.save();
        if (!c->InkStaysInside()) p.setClipRect(place, Qt::IntersectClip);
        p.translate(place.topLeft());
        c->PaintOn(p);
        p.restore();
    }
}

}  // namespace bw
