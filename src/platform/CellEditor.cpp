#include "platform/CellEditor.h"

#include <QKeyEvent>

#include "platform/GridView.h"

namespace bw {

CellEditor::CellEditor(GridView* view, QWidget* parent) : QLineEdit(parent), view_(view) {
    hide();
    if (view) connect(&view->grid(), &Grid::Scroll, this, &QWidget::hide);
}

void CellEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (view_) view_->setFocus(Qt::OtherFocusReason);
    hide();
}

void CellEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    hide();
}

}  // namespace bw
