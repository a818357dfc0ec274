#pragma once
// The design canvas PG: the bill drawn at the current zoom inside its frame PFrm. Its
// background (measuring grid and scanned background picture) is an image the shell draws
// into; its lines, then the boxes' captions, are drawn over the background and under every
// other box.

#include <QList>

#include "platform/PictureWidget.h"

namespace bw {

class Label;
class Line;

class Canvas : public PictureWidget {
    Q_OBJECT
public:
    explicit Canvas(QWidget* frame = nullptr);
    // Its lines and captions go first, while the lists they leave are still there.
    ~Canvas() override;

    // Geometry in twips, relative to the frame; scrolled by negative Left and Top.
    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void SetLeft(double v);
    void SetTop(double v);
    void SetWidth(double v);
    void SetHeight(double v);

    // The measuring grid and the background picture are drawn on the canvas's surface
    // (Target()); the lines are drawn over it.

    // The canvas's mouse pointer code (0 default, 2 cross, 5 size-all, 8 size NW-SE).
    int MousePointer = 0;

    // Lines register themselves.
    void AddLine(Line* line);
    void RemoveLine(Line* line);
    const QList<Line*>& Lines() const { return lines_; }
    // So do the captions it draws (Label::NewCaption), over the lines and under every box.
    void AddCaption(Label* caption);
    void RemoveCaption(Label* caption);
    // The topmost line within `tolerance` canvas units of the point, or null.
    Line* LineAt(double x, double y, double tolerance) const;

Q_SIGNALS:
    void Resized();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void applyGeometry();
    double left_ = 0, top_ = 0, width_ = 9000, height_ = 6000;
    QList<Line*> lines_;
    QList<Label*> captions_;
};

}  // namespace bw
