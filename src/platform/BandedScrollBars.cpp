#include "platform/BandedScrollBars.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOption>

namespace bw {

namespace {

class BandStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        // Bands are whole pixels only on a device of one pixel per point, unturned.
        if (control != CC_ScrollBar || !painter || !option || !painter->device() ||
            painter->device()->devicePixelRatioF() != 1.0 ||
            painter->deviceTransform().type() > QTransform::TxTranslate) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const QRect r = option->rect;
        for (int top = r.top(); top <= r.bottom(); top += kScrollBarBandRows) {
            const QRect band(r.left(), top, r.width(),
                             std::min(kScrollBarBandRows, r.bottom() - top + 1));
            QImage image(band.size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            {
                QPainter p(&image);
                p.setRenderHints(painter->renderHints());
                p.setPen(painter->pen());
                p.setBrush(painter->brush());
                p.setBackground(painter->background());
                p.translate(-band.topLeft());
                // A clip keeps a long line of a horizontal bar on this thread too.
                p.setClipRect(band);
                QProxyStyle::drawComplexControl(control, option, &p, widget);
            }
            painter->drawImage(band.topLeft(), image);
        }
    }
};

}  // namespace

QStyle* BandedScrollBarStyle() {
    static QPointer<QStyle> style;
    if (!style) {
        // A proxy owns its base: the base is a style of the application style's kind.
        style = new BandStyle(QApplication::style()->name());
        style->setParent(qApp);
    }
    return style;
}

void PaintInBands(QScrollBar* bar) {
    if (bar) bar->setStyle(BandedScrollBarStyle());
}

}  // namespace bw
