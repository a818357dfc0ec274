#include "store/TextBox.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextOption>

namespace bw {

TextBox::TextBox(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setTabChangesFocus(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    document()->setDocumentMargin(1);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
    applyPalette();
    ApplyGeometry();
    // Every change of the text, typed or set, passes through the document.
    connect(document(), &QTextDocument::contentsChanged, this, [this] { textKept_ = false; });
}

QString TextBox::Text() const {
    keep();
    return text_;
}

void TextBox::keep() const {
    if (textKept_) return;
    plain_ = toPlainText();
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
    setPlainText(t);
    SetAlignment(alignment_);
}

void TextBox::SetAlignment(int a) {
    alignment_ = a;
    Qt::Alignment al = Qt::AlignLeft;
    if (a == 1) al = Qt::AlignRight;
    if (a == 2) al = Qt::AlignHCenter;
    QTextOption opt = document()->defaultTextOption();
    if (opt.alignment() != al) {
        // Setting the option lays the whole document out again, even when it is the same.
        opt.setAlignment(al);
        document()->setDefaultTextOption(opt);
    }
    // Text already present keeps per-block formats; align those too.
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    QTextBlockFormat bf;
    bf.setAlignment(al);
    c.mergeBlockFormat(bf);
}

void TextBox::SetBorderStyle(int s) {
    borderStyle_ = s;
    setFrameShape(s == 1 ? QFrame::Box : QFrame::NoFrame);
}

void TextBox::SetBackColor(const QColor& c) {
    backColor_ = c;
    applyPalette();
}

void TextBox::ApplyForeColor() {
    applyPalette();
}

void TextBox::applyPalette() {
    QPalette p = palette();
    p.setColor(QPalette::Base, backColor_);
    p.setColor(QPalette::Window, backColor_);
    p.setColor(QPalette::Text, foreColor_);
    p.setColor(QPalette::WindowText, foreColor_);
    setPalette(p);
}

void TextBox::focusInEvent(QFocusEvent* e) {
    QTextEdit::focusInEvent(e);
    Q_EMIT GotFocus();
}

void TextBox::focusOutEvent(QFocusEvent* e) {
    QTextEdit::focusOutEvent(e);
    Q_EMIT LostFocus();
}

bool TextBox::HoldsSeveralLines() const {
    const QFontMetrics fm(font());
    const int frame = 2 * frameWidth() + 2 * static_cast<int>(document()->documentMargin());
    return height() - frame >= 2 * fm.lineSpacing();
}

void TextBox::keyPressEvent(QKeyEvent* e) {
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    // A tab never goes into a value (Ctrl+Tab would type one); Enter types nothing in a
    // box of one line.
    if ((enter && !HoldsSeveralLines()) || e->text().contains(u'\t')) {
        e->accept();
        return;
    }
    QTextEdit::keyPressEvent(e);
}

bool TextBox::focusNextPrevChild(bool next) {
    QWidget* canvas = parentWidget();
    if (!canvas) return QTextEdit::focusNextPrevChild(next);
    QList<QWidget*> boxes;
    for (QObject* o : canvas->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && dynamic_cast<BoxControl*>(w) && (w->focusPolicy() & Qt::TabFocus) &&
            w->isEnabled() && w->isVisibleTo(canvas))
            boxes << w;
    }
    const qsizetype at = boxes.indexOf(this);
    if (at < 0 || boxes.size() < 2) return QTextEdit::focusNextPrevChild(next);
    const qsizetype n = boxes.size();
    boxes[(at + (next ? 1 : n - 1)) % n]->setFocus(next ? Qt::TabFocusReason
                                                        : Qt::BacktabFocusReason);
    return true;
}

void TextBox::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return QTextEdit::insertFromMimeData(source);
    QString t = source->text();
    t.replace(u'\t', u' ');
    if (!HoldsSeveralLines()) {
        t.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        t.replace(u'\r', u' ');
        t.replace(u'\n', u' ');
    }
    textCursor().insertText(t);
}

}  // namespace bw
