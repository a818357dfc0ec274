#pragma once
// A line on the canvas. It is no window of its own: the canvas draws it under the other
// boxes, and finds it under the mouse.

#include <QColor>
#include <QObject>

#include "store/BoxControl.h"

namespace bw {

class Canvas;

class Line : public QObject, public BoxControl {
    Q_OBJECT
public:
    explicit Line(Canvas* canvas);
    ~Line() override;

    BoxKind Kind() const override { return kLine; }
    QWidget* Widget() override { return nullptr; }

    // The two ends in canvas units.
    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    void SetX1(int v) {
        x1_ = v;
        changed();
    }
    void SetY1(int v) {
        y1_ = v;
        changed();
    }
    void SetX2(int v) {
        x2_ = v;
        changed();
    }
    void SetY2(int v) {
        y2_ = v;
        changed();
    }
    void SetEnds(int x1, int y1, int x2, int y2);

    // Width in screen pixels; style 0 transparent, 1 solid, 2 dash, 3 dot, 4 dash-dot,
    // 5 dash-dot-dot, 6 inside solid.
    double BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(double w) {
        borderWidth_ = w;
        changed();
    }
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int s) {
        borderStyle_ = s;
        changed();
    }
    QColor BorderColor() const { return borderColor_; }
    void SetBorderColor(const QColor& c) {
        borderColor_ = c;
        changed();
    }

    int Left() const override { return std::min(x1_, x2_); }
    int Top() const override { return std::min(y1_, y2_); }
    int Width() const override { return std::abs(x2_ - x1_); }
    int Height() const override { return std::abs(y2_ - y1_); }
    void SetLeft(int v) override;
    void SetTop(int v) override;
    bool Visible() const override { return visible_; }
    void SetVisible(bool v) override {
        visible_ = v;
        changed();
    }
    QString ToolTipText() const override { return toolTip_; }
    void SetToolTipText(const QString& t) override { toolTip_ = t; }

    // Distance in canvas units from a point to the line.
    double DistanceTo(double x, double y) const;

    Canvas* Container() const { return canvas_; }

protected:
    void ApplyGeometry() override {}

private:
    void changed();
    Canvas* canvas_;
    int x1_ = 0, y1_ = 0, x2_ = 1215, y2_ = 0;
    double borderWidth_ = 1;
    int borderStyle_ = 1;
    QColor borderColor_ = Qt::black;
    bool visible_ = true;
    QString toolTip_;
};

}  // namespace bw
