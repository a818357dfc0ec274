#pragma once
// A picture box of a window: a widget that keeps what is drawn on it in an image of its own
// size (so it survives being covered and repainted) and is drawn on through a DrawTarget in
// twips, like the printer.

#include <QImage>
#include <QWidget>
#include <functional>

#include "platform/DrawTarget.h"

namespace bw {

class PictureWidget : public QWidget {
    Q_OBJECT
public:
    explicit PictureWidget(QWidget* parent = nullptr);
    ~PictureWidget() override;

    // The drawing surface; it has the widget's size at the screen's resolution.
    DrawTarget& Target();
    // What has been drawn, one image pixel per device pixel of the screen.
    const QImage& Image();

    QColor BackColor() const { return target_.BackColor(); }
    void SetBackColor(const QColor& color);
    // Clears the drawing to BackColor.
    void Cls() { Target().Cls(); }

    // A drawing made only when the surface is next shown, read or drawn on; a later one
    // replaces one still waiting. What is asked for several times before anyone looks is
    // drawn once.
    void SetPendingDrawing(std::function<void()> drawing) { pending_ = std::move(drawing); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitImage();
    void DrawPending();

    QImage image_;
    DrawTarget target_;
    std::function<void()> pending_;
};

}  // namespace bw
