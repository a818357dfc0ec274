#pragma once
// The main window's grid handlers of the batch and history tabs: the in-cell editor of the
// batch grid, hiding it when a grid scrolls, and the header press that sorts the history
// grid. (The box property grid is never sorted: its rows are tied to the boxes by
// position, and a sort would put properties into the wrong boxes on the next save.)

#include <QObject>

class QLineEdit;
class QWidget;

namespace bw {

class GridView;

// The row and column of the cell under the open in-cell editor (of the batch grid or of the
// mapping dialog).
inline int EditRow = 0;
inline int EditCol = 0;

// The narrowest batch column that can be edited is one twip wider than this.
inline constexpr int kNarrowestUneditable = 60;

class BatchGridEvents : public QObject {
    Q_OBJECT
public:
    // Handles the views of the batch, history and box property grids; `form` gives the font
    // the column widths are fitted in. The editor TM is made over the batch grid's page.
    BatchGridEvents(GridView* batch, GridView* history, GridView* boxes, QWidget* form);

    QLineEdit* TM;  // the batch grid's in-cell editor (CellEditor), hidden until a cell is clicked

    // A click in grid `index`: on the batch grid (1) with records, over a column wider than
    // 60 twips, the editor opens on the current cell.
    void MSF_Click(int index);
    // The editor's text goes into its cell at every change.
    void TM_Change();
    // Any of the grids scrolled: the editor hides (the text typed stays in the cell).
    void MSF_Scroll();
    // A press in grid `index` at (x, y) twips: in the history grid's header band it sorts by
    // the column (or fits the widths over the fixed columns).
    void MSF_MouseDown(int index, int button, int shift, double x, double y);

private:
    GridView* batch_;
    GridView* history_;
    QWidget* form_;
};

}  // namespace bw
