#include "platform/PictureWidget.h"

#include <QPainter>
#include <QResizeEvent>
#include <cmath>

#include "platform/Twips.h"

namespace bw {

PictureWidget::PictureWidget(QWidget* parent)
    : QWidget(parent), image_(1, 1, QImage::Format_RGB32), target_(&image_) {
    image_.fill(Qt::white);
    target_.SetChangedCallback([this] { update(); });
    FitImage();
}

PictureWidget::~PictureWidget() {
    target_.Suspend();
}

DrawTarget& PictureWidget::Target() {
    KeepImage();
    FitImage();  // a hidden widget gets its resize event only when it is shown
    DrawPending();
    return target_;
}

const QImage& PictureWidget::Image() {
    KeepImage();
    FitImage();
    DrawPending();
    target_.Suspend();
    return image_;
}

void PictureWidget::SetBackColor(const QColor& color) {
    target_.SetBackColor(color);
    update();
}

// The image follows the widget's size in device pixels; what was drawn stays where it was
// and new room gets the back colour. A logical pixel of the screen is kTwipsPerPixel twips,
// as everywhere on the windows, whatever the screen's own resolution.
void PictureWidget::FitImage() {
    const double ratio = devicePixelRatioF();
    const int w = std::max(1, static_cast<int>(std::lround(width() * ratio)));
    const int h = std::max(1, static_cast<int>(std::lround(height() * ratio)));
    const double dpi = 1440.0 / kTwipsPerPixel * ratio;
    const int dpm = static_cast<int>(std::lround(dpi / 0.0254));
    if (image_.width() == w && image_.height() == h && image_.dotsPerMeterX() == dpm) return;
    target_.Suspend();
    QImage next(w, h, QImage::Format_RGB32);
    next.fill(target_.BackColor());
    {
        QPainter p(&next);
        p.drawImage(0, 0, image_);
    }
    next.setDotsPerMeterX(dpm);
    next.setDotsPerMeterY(dpm);
    image_ = next;
}

void PictureWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!surface_) FitImage();
}

void PictureWidget::SetSurfaceDrawing(const QString& inputs,
                                      std::function<void(DrawTarget&)> drawing) {
    pending_ = nullptr;
    if (inputs == surfaceInputs_ && (surface_ || target_.Drawings() == surfaceDrawings_)) return;
    surfaceInputs_ = inputs;
    surface_ = std::move(drawing);
    target_.Suspend();
    image_ = QImage(1, 1, QImage::Format_RGB32);  // the old picture goes; FitImage makes room
    image_.fill(target_.BackColor());
    update();
}

void PictureWidget::KeepImage() {
    if (!surface_) return;
    const std::function<void(DrawTarget&)> drawing = std::move(surface_);
    surface_ = nullptr;
    FitImage();
    drawing(target_);
    surfaceDrawings_ = target_.Drawings();
}

bool PictureWidget::PaintsLikeImage() const {
    const int dpi = 1440 / kTwipsPerPixel;
    return logicalDpiX() == dpi && logicalDpiY() == dpi;
}

void PictureWidget::DrawPending() {
    if (!pending_) return;
    // The drawing draws through Target(): it is taken off first.
    const std::function<void()> drawing = std::move(pending_);
    pending_ = nullptr;
    drawing();
}

void PictureWidget::paintEvent(QPaintEvent*) {
    if (surface_ && PaintsLikeImage()) {
        DrawTarget screen(this);
        screen.SetBackColor(target_.BackColor());
        surface_(screen);
        screen.EndDoc();
        return;
    }
    KeepImage();
    DrawPending();
    target_.Suspend();
    QPainter p(this);
    p.drawImage(rect(), image_);
}

}  // namespace bw
