#include "store/Line.h"

#include <cmath>

#include "store/Canvas.h"

namespace bw {

Line::Line(Canvas* canvas) : QObject(canvas), canvas_(canvas) {
    if (canvas_) canvas_->AddLine(this);
}

Line::~Line() {
    if (canvas_) canvas_->RemoveLine(this);
}

void Line::SetEnds(int x1, int y1, int x2, int y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    changed();
}

void Line::SetLeft(int v) {
    const int d = v - Left();
    SetEnds(x1_ + d, y1_, x2_ + d, y2_);
}

void Line::SetTop(int v) {
    const int d = v - Top();
    SetEnds(x1_, y1_ + d, x2_, y2_ + d);
}

double Line::DistanceTo(double x, double y) const {
    const double dx = x2_ - x1_, dy = y2_ - y1_;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x - x1_) * dx + (y - y1_) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double px = x1_ + t * dx, py = y1_ + t * dy;
    return std::hypot(x - px, y - py);
}

void Line::changed() {
    if (canvas_) canvas_->update();
}

}  // namespace bw
