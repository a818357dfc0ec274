#include "store/TextBoxEditor.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>

#include "store/TextBox.h"

namespace bw {

TextBoxEditor::TextBoxEditor(TextBox* box) : QTextEdit(box), box_(box) {
    setObjectName(QStringLiteral("editor"));
    setAcceptRichText(false);
    setTabChangesFocus(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    document()->setDocumentMargin(TextBox::kMargin);
    setFrameShape(box->frameShape());
    setLineWidth(1);
    setAutoFillBackground(true);
    // The designer follows the mouse over the box without a button down.
    setMouseTracking(box->hasMouseTracking());
    viewport()->setMouseTracking(box->hasMouseTracking());
}

void TextBoxEditor::HandleBoxMouse(QMouseEvent* e) {
    const QPointF at = viewport()->mapFrom(box_, e->position());
    QMouseEvent here(e->type(), at, e->scenePosition(), e->globalPosition(), e->button(),
                     e->buttons(), e->modifiers(), e->pointingDevice());
    switch (e->type()) {
        case QEvent::MouseButtonPress:
            mousePressEvent(&here);
            break;
        case QEvent::MouseMove:
            mouseMoveEvent(&here);
            break;
        case QEvent::MouseButtonRelease:
            mouseReleaseEvent(&here);
            break;
        case QEvent::MouseButtonDblClick:
            mouseDoubleClickEvent(&here);
            break;
        default:
            break;
    }
    e->setAccepted(here.isAccepted());
}

void TextBoxEditor::keyPressEvent(QKeyEvent* e) {
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    // A tab never goes into a value (Ctrl+Tab would type one); Enter types nothing in a
    // box of one line.
    if ((enter && !box_->HoldsSeveralLines()) || e->text().contains(u'\t')) {
        e->accept();
        return;
    }
    QTextEdit::keyPressEvent(e);
}

void TextBoxEditor::focusOutEvent(QFocusEvent* e) {
    QTextEdit::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason) ShowFirstLine();
}

void TextBoxEditor::ShowFirstLine() {
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
}

bool TextBoxEditor::focusNextPrevChild(bool next) {
    QWidget* canvas = box_->parentWidget();
    if (!canvas) return QTextEdit::focusNextPrevChild(next);
    QList<QWidget*> boxes;
    for (QObject* o : canvas->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && dynamic_cast<BoxControl*>(w) && (w->focusPolicy() & Qt::TabFocus) &&
            w->isEnabled() && w->isVisibleTo(canvas))
            boxes << w;
    }
    const qsizetype at = boxes.indexOf(box_);
    if (at < 0 || boxes.size() < 2) return QTextEdit::focusNextPrevChild(next);
    const qsizetype n = boxes.size();
    boxes[(at + (next ? 1 : n - 1)) % n]->setFocus(next ? Qt::TabFocusReason
                                                        : Qt::BacktabFocusReason);
    return true;
}

void TextBoxEditor::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return QTextEdit::insertFromMimeData(source);
    QString t = source->text();
    t.replace(u'\t', u' ');
    if (!box_->HoldsSeveralLines()) {
        t.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        t.replace(u'\r', u' ');
        t.replace(u'\n', u' ');
    }
    textCursor().insertText(t);
}

}  // namespace bw
