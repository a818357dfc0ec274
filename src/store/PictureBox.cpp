#include "store/PictureBox.h"

#include <QPainter>

namespace bw {

PictureBox::PictureBox(QWidget* parent) : PictureWidget(parent) {
    width_ = 1215;
    height_ = 1215;
    ApplyGeometry();
}

void PictureBox::SetBorderStyle(int s) {
    borderStyle_ = s;
    update();
}

void PictureBox::paintEvent(QPaintEvent* e) {
    PictureWidget::paintEvent(e);
    if (borderStyle_ == 1) {
        QPainter p(this);
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace bw
