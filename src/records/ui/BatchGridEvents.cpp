#include "records/ui/BatchGridEvents.h"

#include <QLineEdit>

#include "common/GridFunctions.h"
#include "platform/CellEditor.h"
#include "platform/Grid.h"
#include "platform/GridView.h"
#include "platform/Twips.h"

namespace bw {

BatchGridEvents::BatchGridEvents(GridView* batch, GridView* history, GridView* boxes, QWidget* form)
    : QObject(form), batch_(batch), history_(history), form_(form) {
    TM = new CellEditor(batch, batch->parentWidget());
    TM->setObjectName(QStringLiteral("TM"));
    TM->setFrame(false);
    connect(batch, &GridView::Click, this, [this] { MSF_Click(1); });
    connect(TM, &QLineEdit::textChanged, this, &BatchGridEvents::TM_Change);
    for (GridView* view : {batch, history, boxes})
        if (view) connect(&view->grid(), &Grid::Scroll, this, &BatchGridEvents::MSF_Scroll);
    if (history)
        connect(history, &GridView::MouseDown, this,
                [this](int button, int shift, double x, double y) {
                    MSF_MouseDown(2, button, shift, x, y);
                });
}

void BatchGridEvents::MSF_Click(int index) {
    if (index != 1) return;
    Grid& g = batch_->grid();
    if (!g.HasDataRows() || g.ColWidth(g.Col()) <= kNarrowestUneditable) return;
    EditRow = g.Row();
    EditCol = g.Col();
    double x = 0, y = 0;
    GetCellPosition(g, EditRow, EditCol, x, y);
    const QPoint origin = batch_->geometry().topLeft() + batch_->ViewportOffset();
    TM->setGeometry(origin.x() + TwipsToPixels(x + 15), origin.y() + TwipsToPixels(y + 15),
                    TwipsToPixels(g.ColWidth(EditCol) - 15),
                    TwipsToPixels(g.RowHeight(EditRow) - 15));
    TM->setText(g.TextMatrix(EditRow, EditCol));
    TM->show();
    TM->raise();
    TM->setFocus();
}

void BatchGridEvents::TM_Change() {
    batch_->grid().SetTextMatrix(EditRow, EditCol, TM->text());
}

void BatchGridEvents::MSF_Scroll() {
    TM->hide();
}

void BatchGridEvents::MSF_MouseDown(int index, int /*button*/, int /*shift*/, double x, double y) {
    if (index == 2 && history_) SortGridByColumn(form_, history_->grid(), x, y);
}

}  // namespace bw
