#include "store/Label.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QStyle>

#include "platform/Twips.h"
#include "store/Canvas.h"

namespace bw {

namespace {

// Posted to a label whose size waits to be measured.
const QEvent::Type kSettleEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

}  // namespace

Label::Label(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ApplyGeometry();
}

Label* Label::NewCaption(Canvas* canvas) {
    auto* l = new Label(canvas);
    l->hide();
    l->canvas_ = canvas;
    canvas->AddCaption(l);
    return l;
}

Label::~Label() {
    if (canvas_) canvas_->RemoveCaption(this);
}

bool Label::Visible() const {
    return canvas_ ? shown_ : BoxControl::Visible();
}

void Label::SetVisible(bool v) {
    if (!canvas_) {
        BoxControl::SetVisible(v);
        return;
    }
    if (v == shown_) return;
    shown_ = v;
    canvas_->update(geometry());
}

void Label::changed(const QRect& before) {
    if (!canvas_) {
        update();
        return;
    }
    if (shown_) canvas_->update(before | geometry());
}

QString Label::shownText() const {
    return canvas_ ? captionText_ : text();
}

QString Label::Caption() const {
    QString t = shownText();
    t.replace(u'\n', QStringLiteral("\r\n"));
    return t;
}

void Label::SetCaption(const QString& caption) {
    QString t = caption;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // A caption the canvas draws keeps its text itself: its hidden window need not lay the
    // text out, nor tell the accessibility of a window nobody sees.
    if (canvas_)
        captionText_ = t;
    else
        setText(t);
    changed(geometry());
    fit();
}

void Label::SetAlignment(int a) {
    alignment_ = a;
    Qt::Alignment h = a == 1 ? Qt::AlignRight : (a == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
    setAlignment(h | Qt::AlignTop);
    changed(geometry());
}

void Label::SetBorderStyle(int s) {
    borderStyle_ = s;
    changed(geometry());
}

void Label::SetAutoSize(bool a) {
    autoSize_ = a;
    setWordWrap(!a);
    fit();
}

void Label::SetFont(const QFont& f) {
    setFont(f);
    changed(geometry());
    fit();
}

void Label::ApplyForeColor() {
    changed(geometry());  // painted in the colour itself: no palette of its own to work out
}

// A box being loaded gets its auto-size, its caption and its font one after the other:
// measuring after each would measure the same label three times.
void Label::fit() {
    if (!autoSize_ || fitPending_) return;
    fitPending_ = true;
    QCoreApplication::postEvent(this, new QEvent(kSettleEvent));
}

void Label::SettleSize() {
    if (!fitPending_) return;
    fitPending_ = false;
    if (!autoSize_) return;
    const QSize s = textSize();
    fitted_ = s;
    width_ = PixelsToTwips(s.width());
    height_ = PixelsToTwips(s.height());
    const QRect before = geometry();
    BoxControl::ApplyGeometry();
    if (canvas_ && geometry() != before) changed(before);
}

QSize Label::textSize() {
    // A plain text that does not wrap, with no frame, margin, indent, minimum size or buddy
    // (a caption) has the size hint of its bounding box in at most 2000 pixels, measured
    // without centring as the hint measures it. The hint itself measures three times, and
    // an empty text is measured differently before and after its first setText.
    const QString t = shownText();
    if (t.isEmpty() || wordWrap() || textFormat() != Qt::PlainText || frameWidth() != 0 ||
        margin() != 0 || indent() > 0 || buddy() || !minimumSize().isNull() ||
        contentsMargins() != QMargins() ||
        (textInteractionFlags() &
         (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard | Qt::TextEditable)))
        return sizeHint();
    // As the hint: the style may set a window's font. A caption the canvas draws is drawn in
    // its font as it is, and measured so.
    if (!canvas_) ensurePolished();
    const Qt::LayoutDirection direction = t.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    // A label expands tabs, as QLabel does from its start.
    const int flags = int((QStyle::visualAlignment(direction, alignment()) | Qt::TextExpandTabs) &
                          ~(Qt::AlignVCenter | Qt::AlignHCenter));
    return fontMetrics().boundingRect(0, 0, 2000, 2000, flags, t).size();
}

int Label::Width() const {
    // Reading the size measures a caption that waits for it.
    const_cast<Label*>(this)->SettleSize();
    return width_;
}

int Label::Height() const {
    const_cast<Label*>(this)->SettleSize();
    return height_;
}

void Label::ApplyGeometry() {
    SettleSize();
    const QRect before = geometry();
    BoxControl::ApplyGeometry();
    if (canvas_ && geometry() != before) changed(before);
}

bool Label::event(QEvent* e) {
    if (e->type() == kSettleEvent) {
        SettleSize();
        return true;
    }
    return QLabel::event(e);
}

void Label::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintOn(p);
}

bool Label::InkStaysInside() const {
    // The text's own box is no larger than the label, and no glyph reaches past it: none
    // at a line's ends overhangs, and the font is upright.
    const QString t = shownText();
    if (!autoSize_ || fitPending_ || t.isEmpty() || wordWrap() || font().italic() ||
        width() < fitted_.width() || height() < fitted_.height())
        return false;
    const QFontMetricsF fm(font());
    for (QStringView line : QStringView(t).split(u'\n')) {
        qsizetype first = 0, last = line.size() - 1;
        while (first <= last && line[first].isSpace()) ++first;
        while (last >= first && line[last].isSpace()) --last;
        if (first > last) continue;
        if (fm.leftBearing(line[first]) < 0 || fm.rightBearing(line[last]) < 0) return false;
    }
    return true;
}

void Label::PaintOn(QPainter& p) {
    // As QLabel paints a plain text, in the label's colour (enabled or not), with no style
    // and no palette in between.
    if (frameShape() != QFrame::NoFrame) drawFrame(&p);
    const QString t = shownText();
    if (!t.isEmpty()) {
        const int m = margin();
        const QRect area = contentsRect().adjusted(m, m, -m, -m);
        const Qt::LayoutDirection direction = t.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
        const int flags =
            int(QStyle::visualAlignment(direction, alignment())) | Qt::TextExpandTabs |
            (wordWrap() ? Qt::TextWordWrap : 0) |
            (direction == Qt::LeftToRight ? Qt::TextForceLeftToRight : Qt::TextForceRightToLeft);
        p.setFont(font());
        p.setPen(QPen(foreColor_, 1));
        p.drawText(area, flags, t);
    }
    if (borderStyle_ == 1) {
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace bw
