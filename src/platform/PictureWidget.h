#pragma once
// A picture box of a window: a widget that keeps what is drawn on it in an image of its own
// size (so it survives being covered and repainted) and is drawn on through a DrawTarget in
// twips, like the printer. A surface made whole by one drawing (SetSurfaceDrawing) needs no
// image until someone draws on it or reads it: the widget paints that drawing on the screen.

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

    // The whole surface as one drawing, which starts by clearing it: the widget then keeps
    // no image and draws it on the screen at each paint, until Target() or Image() is asked
    // for; then it is drawn once into a new image, which shows from then on. `inputs` names
    // what the drawing is made from: the same inputs again, over a surface nothing has been
    // drawn on since, change nothing. A pending drawing still waiting is dropped.
    void SetSurfaceDrawing(const QString& inputs, std::function<void(DrawTarget&)> drawing);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitImage();
    void DrawPending();
    // Makes the image of a surface drawing (see SetSurfaceDrawing).
    void KeepImage();
    // True when a drawing in twips lands on the same pixels on the widget as in the image.
    bool PaintsLikeImage() const;

    QImage image_;
    DrawTarget target_;
    std::function<void()> pending_;
    std::function<void(DrawTarget&)> surface_;  // set while the widget keeps no image
    QString surfaceInputs_;
    quint64 surfaceDrawings_ = 0;  // target_.Drawings() once the surface drawing was kept
};

}  // namespace bw
