#include "store/TextBox.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextLayout>

#include "platform/Palettes.h"
#include "store/TextBoxEditor.h"

namespace bw {

namespace {

Qt::Alignment alignmentOf(int a) {
    if (a == 1) return Qt::AlignRight;
    if (a == 2) return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

// The text as an editor would give it back once set: the characters it keeps as line
// breaks are line breaks, a no-break space is a space.
QString asEditorGivesIt(QString t) {
    for (QChar& c : t) {
        const char16_t u = c.unicode();
        if (u < 0xA0) continue;
        if (u == 0xA0)
            c = u' ';
        else if (u == 0x2028 || u == 0x2029 || u == 0xFDD0 || u == 0xFDD1)
            c = u'\n';
    }
    return t;
}

}  // namespace

TextBox::TextBox(QWidget* parent) : QFrame(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setCursor(Qt::IBeamCursor);
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setLineWidth(1);
    ApplyGeometry();
}

QString TextBox::Text() const {
    keep();
    return text_;
}

void TextBox::keep() const {
    if (textKept_) return;
    plain_ = editor_->toPlainText();
    text_ = plain_;
    text_.replace(u'\n', QStringLiteral("\r\n"));
    textKept_ = true;
}

void TextBox::SetText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    keep();
    if (t == plain_) return;
    if (editor_) {
        editor_->setPlainText(t);
        applyAlignment();
        if (!editor_->hasFocus()) editor_->ShowFirstLine();
        return;
    }
    plain_ = asEditorGivesIt(std::move(t));
    text_ = plain_;
    text_.replace(u'\n', QStringLiteral("\r\n"));
    update();
}

void TextBox::SetAlignment(int a) {
    alignment_ = a;
    if (editor_)
        applyAlignment();
    else
        update();
}

void TextBox::applyAlignment() {
    const Qt::Alignment al = alignmentOf(alignment_);
    QTextDocument* doc = editor_->document();
    QTextOption opt = doc->defaultTextOption();
    if (opt.alignment() != al) {
        // Setting the option lays the whole document out again, even when it is the same.
        opt.setAlignment(al);
        doc->setDefaultTextOption(opt);
    }
    // Text already present keeps per-block formats; align those too.
    QTextCursor c(doc);
    c.select(QTextCursor::Document);
    QTextBlockFormat bf;
    bf.setAlignment(al);
    c.mergeBlockFormat(bf);
}

void TextBox::SetBorderStyle(int s) {
    borderStyle_ = s;
    const QFrame::Shape shape = s == 1 ? QFrame::Box : QFrame::NoFrame;
    if (shape == frameShape()) return;  // a box being loaded is told the frame it has
    setFrameShape(shape);
    if (editor_) editor_->setFrameShape(shape);
}

void TextBox::SetBackColor(const QColor& c) {
    backColor_ = c;
    applyPalette();
}

void TextBox::SetLocked(bool l) {
    locked_ = l;
    setCursor(l ? Qt::ArrowCursor : Qt::IBeamCursor);
    if (editor_) editor_->setReadOnly(l);
}

void TextBox::ApplyForeColor() {
    applyPalette();
}

void TextBox::applyPalette() {
    // The box paints its ground and text in its colours itself; only an editor needs them
    // in a palette.
    if (!editor_) {
        update();
        return;
    }
    QPalette p = editor_->palette();
    p.setColor(QPalette::Base, backColor_);
    p.setColor(QPalette::Window, backColor_);
    p.setColor(QPalette::Text, foreColor_);
    p.setColor(QPalette::WindowText, foreColor_);
    SetPaletteIfChanged(editor_, p);
}

bool TextBox::HoldsSeveralLines() const {
    const QFontMetrics fm(font());
    const int frame = 2 * frameWidth() + 2 * kMargin;
    return height() - frame >= 2 * fm.lineSpacing();
}

QTextEdit* TextBox::Editor() {
    return makeEditor();
}

TextBoxEditor* TextBox::makeEditor(Qt::FocusReason reason) {
    if (editor_) return editor_;
    auto* editor = new TextBoxEditor(this);
    editor->setGeometry(rect());
    editor->setReadOnly(locked_);
    editor->setPlainText(plain_);
    editor_ = editor;
    applyPalette();
    applyAlignment();
    textKept_ = false;
    // Every change of the text, typed or set, passes through the document.
    connect(editor->document(), &QTextDocument::contentsChanged, this,
            [this] { textKept_ = false; });
    for (const QPointer<QObject>& w : watchers_) {
        if (!w) continue;
        editor->installEventFilter(w);
        editor->viewport()->installEventFilter(w);
    }
    editor->show();
    if (QApplication::focusWidget() == this) editor->setFocus(reason);
    setFocusProxy(editor);
    return editor;
}

void TextBox::WatchEvents(QObject* filter) {
    installEventFilter(filter);
    watchers_ << filter;
    if (editor_) {
        editor_->installEventFilter(filter);
        editor_->viewport()->installEventFilter(filter);
    }
}

TextBox* TextBox::Owning(QObject* o, Part* part) {
    Part found = Part::None;
    TextBox* box = nullptr;
    if ((box = qobject_cast<TextBox*>(o))) {
        found = Part::Box;
    } else if (auto* editor = qobject_cast<TextBoxEditor*>(o)) {
        box = qobject_cast<TextBox*>(editor->parent());
        found = Part::Editor;
    } else if (auto* editor = o ? qobject_cast<TextBoxEditor*>(o->parent()) : nullptr;
               editor && editor->viewport() == o) {
        box = qobject_cast<TextBox*>(editor->parent());
        found = Part::Viewport;
    }
    if (part) *part = box ? found : Part::None;
    return box;
}

void TextBox::paintEvent(QPaintEvent*) {
    // The box fills its own ground rather than filling automatically: an opaque child is cut
    // out of its parent's paint region, and a canvas with a hundred holes paints through a
    // clip of a hundred rectangles per line, megabytes of it. Ground, frame and text are
    // painted by one painter.
    QPainter p(this);
    p.fillRect(rect(), backColor_);
    // The frame a sunken box frame draws, without the style option it would fill for it.
    if (frameShape() == QFrame::Box)
        qDrawShadeRect(&p, frameRect(), palette(), frameShadow() == QFrame::Sunken, lineWidth(),
                       midLineWidth());
    if (editor_ || plain_.isEmpty()) return;
    // Laid out as the editor lays out its document: the same margin, wrapping and
    // alignment, one line after the other without leading.
    const QRectF area = QRectF(contentsRect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    QString text = plain_;
    text.replace(u'\n', QChar::LineSeparator);
    QTextOption option(alignmentOf(alignment_));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QTextLayout layout(text, font(), this);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max<qreal>(area.width(), 0));
        line.setPosition(QPointF(0, y));
        y += line.height();
        if (y > area.height() + line.height()) break;
    }
    layout.endLayout();
    p.setClipRect(contentsRect());
    p.setPen(foreColor_);
    layout.draw(&p, area.topLeft());
}

void TextBox::resizeEvent(QResizeEvent* e) {
    QFrame::resizeEvent(e);
    if (editor_) editor_->setGeometry(rect());
}

void TextBox::focusInEvent(QFocusEvent* e) {
    QFrame::focusInEvent(e);
    if (editor_)
        editor_->setFocus(e->reason());
    else
        makeEditor(e->reason());
}

void TextBox::passMouse(QMouseEvent* e) {
    makeEditor()->HandleBoxMouse(e);
}

void TextBox::mousePressEvent(QMouseEvent* e) {
    passMouse(e);
}

void TextBox::mouseMoveEvent(QMouseEvent* e) {
    if (editor_) passMouse(e);
}

void TextBox::mouseReleaseEvent(QMouseEvent* e) {
    if (editor_) passMouse(e);
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* e) {
    passMouse(e);
}

}  // namespace bw
