#include "store/TextBox.h"

#include <QTextOption>

namespace bw {

TextBox::TextBox(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    document()->setDocumentMargin(1);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
    applyPalette();
    ApplyGeometry();
}

QString TextBox::Text() const {
    QString t = toPlainText();
    t.replace(u'\n', QStringLiteral("\r\n"));
    return t;
}

void TextBox::SetText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    if (t == toPlainText()) return;
    setPlainText(t);
    SetAlignment(alignment_);
}

void TextBox::SetAlignment(int a) {
    alignment_ = a;
    Qt::Alignment al = Qt::AlignLeft;
    if (a == 1) al = Qt::AlignRight;
    if (a == 2) al = Qt::AlignHCenter;
    QTextOption opt = document()->defaultTextOption();
    opt.setAlignment(al);
    document()->setDefaultTextOption(opt);
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

}  // namespace bw
