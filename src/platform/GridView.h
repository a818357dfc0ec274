#pragma once
// The grid on screen: draws a Grid with its fixed rows and columns frozen and styled as
// headers, scrolls by whole rows and columns, selects cells, rows and columns with the
// mouse and the keys as a Windows grid does, and reports the user's mouse and keys in the
// form the program's handlers take: button (1 left, 2 right, 4 middle), shift (1 Shift,
// 2 Ctrl, 4 Alt), x and y in twips from the grid's top-left corner (Twips.h), Windows key
// codes.
//
// Only the rows and columns in sight are drawn, so a grid of tens of thousands of rows
// stays as quick as a small one. The state-change events (RowColChange, EnterCell,
// LeaveCell, SelChange, Scroll) are signals of the Grid itself; connect handlers to
// both objects with direct connections.

#include <QAbstractScrollArea>
#include <QPointer>
#include <QTimer>
#include <vector>

#include "platform/Grid.h"
#include "platform/Twips.h"

class QKeyEvent;

namespace bw {

class GridView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // A view with a grid of its own.
    explicit GridView(QWidget* parent = nullptr);
    // A view of a grid owned elsewhere (the grid must outlive the view).
    explicit GridView(Grid* grid, QWidget* parent = nullptr);
    ~GridView() override;

    Grid& grid() const { return *grid_; }

    // The cell under the mouse at the last mouse event; -1 when it was outside the cells.
    int MouseRow() const { return mouseRow_; }
    int MouseCol() const { return mouseCol_; }

    // Where a cell is drawn, in pixels of the viewport (the area inside the frame);
    // an empty rectangle when the cell is scrolled away or hidden. For editors put over a cell.
    QRect CellRect(int row, int col) const;
    // The part of a cell its text is drawn in (the cell less its padding); texts wider than
    // it are cut.
    QRect TextRect(int row, int col) const;
    // The viewport's origin in the view's own coordinates (the frame width).
    QPoint ViewportOffset() const;

    // Tells the grid the view's size now: a view placed while hidden hears of its size only
    // when shown, and the grid's widths (a fitted column is at most half the grid) need it
    // before.
    void SyncSize();

    // Scrolls so that the cell is in sight.
    void EnsureVisible(int row, int col);

    // Windows codes of keys, shift states and buttons.
    static int VbKeyCode(const QKeyEvent* event);
    static int VbShift(Qt::KeyboardModifiers modifiers);
    static int VbButton(Qt::MouseButtons buttons);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Click();
    void DblClick();
    void MouseDown(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void KeyDown(int keyCode, int shift);
    void KeyUp(int keyCode, int shift);
    void KeyPress(int keyAscii);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    struct Band {
        int index;
        int start;  // pixels
        int end;
    };
    enum class Drag { None, Cells, Rows, Columns };

    void attach();
    void scheduleRefresh();
    void refresh();
    void syncScrollBars();
    void updateMetrics();
    std::vector<Band> colBands(int widthPx) const;
    std::vector<Band> rowBands(int heightPx) const;
    int maxTopRow() const;
    int maxLeftCol() const;
    int visibleDataRows() const;
    void paintCell(QPainter& p, const QRect& r, int row, int col, bool current) const;
    void trackMouse(const QPointF& pos);
    void dragTo(const QPointF& pos);
    void autoScroll();
    bool moveByKey(QKeyEvent* event);
    int nextShownRow(int from, int step) const;
    int nextShownCol(int from, int step) const;

    Grid* grid_ = nullptr;
    bool ownsGrid_ = false;
    const double tpp_ = kTwipsPerPixel;  // twips per pixel of the screen (Twips.h)
    bool refreshQueued_ = false;
    bool syncing_ = false;
    int mouseRow_ = -1, mouseCol_ = -1;
    Drag drag_ = Drag::None;
    bool suppressClick_ = false;
    bool pressed_ = false;
    QPointF lastDragPos_;
    QTimer autoScrollTimer_;
};

}  // namespace bw
