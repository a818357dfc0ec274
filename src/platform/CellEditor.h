#pragma once
// The line of text put over a grid cell to edit it (whoever opens it places it over the cell
// and writes each change into the cell). Enter or Return ends the edit: the editor hides,
// the grid has the keyboard again, and the key goes no further, so that a dialog does not
// take it for its default button. Losing the focus, or the grid scrolling, ends it too.

#include <QLineEdit>
#include <QPointer>

namespace bw {

class GridView;

class CellEditor : public QLineEdit {
    Q_OBJECT
public:
    // A hidden editor over the cells of `view`, a child of `parent`.
    CellEditor(GridView* view, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QPointer<GridView> view_;
};

}  // namespace bw
