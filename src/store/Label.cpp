#include "store/Label.h"

#include <QPainter>

#include "platform/Twips.h"

namespace bw {

Label::Label(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ApplyGeometry();
}

QString Label::Caption() const {
    QString t = text();
    t.replace(u'\n', QStringLiteral("\r\n"));
    return t;
}

void Label::SetCaption(const QString& caption) {
    QString t = caption;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setText(t);
    fit();
}

void Label::SetAlignment(int a) {
    alignment_ = a;
    Qt::Alignment h = a == 1 ? Qt::AlignRight : (a == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
    setAlignment(h | Qt::AlignTop);
}

void Label::SetBorderStyle(int s) {
    borderStyle_ = s;
    update();
}

void Label::SetAutoSize(bool a) {
    autoSize_ = a;
    setWordWrap(!a);
    fit();
}

void Label::SetFont(const QFont& f) {
    setFont(f);
    fit();
}

void Label::ApplyForeColor() {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, foreColor_);
    setPalette(p);
}

void Label::fit() {
    if (!autoSize_) return;
    const QSize s = sizeHint();
    width_ = PixelsToTwips(s.width());
    height_ = PixelsToTwips(s.height());
    ApplyGeometry();
}

void Label::paintEvent(QPaintEvent* e) {
    QLabel::paintEvent(e);
    if (borderStyle_ == 1) {
        QPainter p(this);
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace bw
