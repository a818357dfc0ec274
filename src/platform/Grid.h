#pragma once
// The table control every list of the program is built on: text cells in rows and columns,
// fixed (header) rows at the top and fixed columns at the left, a current cell with a
// selected range, column widths and row heights in twips (0 hides a row or a column),
// per-cell text and background colours, a sort of the rows and a free Tag. The model works
// without a display; GridView shows it and turns the user's mouse and keys into changes of
// the current cell, the selection and the scroll position.
//
// Indexes are 0-based and count the fixed rows and columns, so the first data row is
// FixedRows(). Reading outside the grid gives "" or 0; writing outside it does nothing.

#include <QObject>
#include <QSize>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace bw {

// Cell colours are 0x00BBGGRR values (red in the low byte), as the program stores them.
// 0 in a cell means "the grid's default colour".
using GridColor = std::int32_t;

// Column alignments: horizontal × 3 + vertical, and 9 = numbers right, other text left.
enum GridAlignment : int {
    AlignLeftTop = 0,
    AlignLeftCenter = 1,
    AlignLeftBottom = 2,
    AlignCenterTop = 3,
    AlignCenterCenter = 4,
    AlignCenterBottom = 5,
    AlignRightTop = 6,
    AlignRightCenter = 7,
    AlignRightBottom = 8,
    AlignGeneral = 9,
};

// Sort orders. The generic sorts compare numbers as numbers and put them before text.
enum GridSort : int {
    SortNone = 0,
    SortGenericAscending = 1,
    SortGenericDescending = 2,
    SortNumericAscending = 3,
    SortNumericDescending = 4,
    SortStringNoCaseAscending = 5,
    SortStringNoCaseDescending = 6,
    SortStringAscending = 7,
    SortStringDescending = 8,
};

// How a click selects: a free range of cells, whole rows, or whole columns.
enum class GridSelectionMode { Free, ByRow, ByColumn };

class Grid : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultColWidth = 960;   // twips (64 pixels at 96 dpi)
    static constexpr int kDefaultRowHeight = 300;  // twips (20 pixels at 96 dpi)

    explicit Grid(QObject* parent = nullptr);
    ~Grid() override;

    // ---- Shape ----------------------------------------------------------------------
    // A new grid has 2 rows, 2 columns, 1 fixed row and 1 fixed column. Growing adds empty
    // cells; shrinking drops the rows or columns at the end. Fewer rows than fixed rows
    // lowers the fixed rows (likewise for columns). Fixed counts above the total are refused.
    int Rows() const { return static_cast<int>(rows_.size()); }
    void SetRows(int n);
    // Makes room for n rows at once, for a filler that knows how many come: the grid then
    // grows to them without moving its cells on the way. Changes no row.
    void ReserveRows(int n);
    int Cols() const { return static_cast<int>(cols_.size()); }
    void SetCols(int n);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int n);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int n);
    bool HasDataRows() const { return Rows() > fixedRows_; }

    // ---- Text -----------------------------------------------------------------------
    QString TextMatrix(int row, int col) const;
    const QString& TextRef(int row, int col) const;  // "" outside; no copy
    void SetTextMatrix(int row, int col, const QString& text);
    // The current cell's text.
    QString Text() const { return TextMatrix(row_, col_); }
    void SetText(const QString& text) { SetTextMatrix(row_, col_, text); }

    // ---- Current cell and selection -------------------------------------------------
    // Setting Row (Col) makes RowSel (ColSel) the same, so the selection becomes the
    // current cell; set RowSel/ColSel afterwards to select a range. A value outside the
    // grid is refused.
    int Row() const { return row_; }
    void SetRow(int row);
    int Col() const { return col_; }
    void SetCol(int col);
    int RowSel() const { return rowSel_; }
    void SetRowSel(int row);
    int ColSel() const { return colSel_; }
    void SetColSel(int col);
    // Sets the current cell and the other corner of the selection at once.
    void Select(int row, int col, int rowSel, int colSel);
    // The selection with its corners in order.
    int SelTop() const { return std::min(row_, rowSel_); }
    int SelBottom() const { return std::max(row_, rowSel_); }
    int SelLeft() const { return std::min(col_, colSel_); }
    int SelRight() const { return std::max(col_, colSel_); }
    bool IsSelected(int row, int col) const;

    GridSelectionMode SelectionMode() const { return selectionMode_; }
    void SetSelectionMode(GridSelectionMode mode);

    // ---- Scrolling ------------------------------------------------------------------
    // The first data row and column shown after the fixed ones.
    int TopRow() const { return topRow_; }
    void SetTopRow(int row);
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int col);

    // ---- Sizes (twips) --------------------------------------------------------------
    // A width or height of 0 hides the column or row; -1 returns it to the default.
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int twips);
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int twips);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int twips);

    int ColAlignment(int col) const;
    void SetColAlignment(int col, int alignment);

    // The control's own size in twips: that of the view that shows the grid as it is now,
    // also while the view is hidden (its page not shown yet) and gets no resize events, so
    // that columns fitted before it shows are measured against its real width. Without a
    // view, the size last set.
    int Width() const;
    void SetWidth(int twips);
    int Height() const;
    void SetHeight(int twips);
    // The view's size in twips, asked by Width() and Height(); an invalid size (the view has
    // gone) gives the size last set.
    void SetSizeSource(std::function<QSize()> twips);

    // ---- Colours --------------------------------------------------------------------
    GridColor CellBackColorAt(int row, int col) const;
    void SetCellBackColorAt(int row, int col, GridColor colour);
    GridColor CellForeColorAt(int row, int col) const;
    void SetCellForeColorAt(int row, int col, GridColor colour);
    // Of the current cell.
    GridColor CellBackColor() const { return CellBackColorAt(row_, col_); }
    void SetCellBackColor(GridColor colour) { SetCellBackColorAt(row_, col_, colour); }
    GridColor CellForeColor() const { return CellForeColorAt(row_, col_); }
    void SetCellForeColor(GridColor colour) { SetCellForeColorAt(row_, col_, colour); }

    // ---- Rows -----------------------------------------------------------------------
    // Sort = how: sorts the rows Row..RowSel, or every data row when the selection is one
    // row, by the columns Col..ColSel (the first decides, the next break ties). Whole rows
    // move, with their colours and heights; equal rows keep their order.
    void SetSort(int how);
    // The same with the rows and key columns given.
    void SortRows(int how, int firstRow, int lastRow, int firstCol, int lastCol);
    // Removes `count` rows from `first` on, moving the rows below up.
    void RemoveRows(int first, int count);

    // ---- Other properties -----------------------------------------------------------
    QString Tag() const { return tag_; }
    void SetTag(const QString& tag) { tag_ = tag; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // While Redraw is false the view does not repaint on changes.
    bool Redraw() const { return redraw_; }
    void SetRedraw(bool redraw);

    // ---- Geometry (twips from the control's top-left corner, with the current scroll) --
    int FixedWidth() const;   // sum of the fixed columns' widths
    int FixedHeight() const;  // sum of the fixed rows' heights
    // Left edge of a column as shown: fixed columns from 0, others from LeftCol on; -1 for
    // a column scrolled out to the left.
    int ColPos(int col) const;
    int RowPos(int row) const;
    // The column (row) whose band holds x (y), fixed ones included; -1 past the last.
    int ColAtX(double x) const;
    int RowAtY(double y) const;
    // The current cell's place and size.
    int CellLeft() const { return ColPos(col_); }
    int CellTop() const { return RowPos(row_); }
    int CellWidth() const { return ColWidth(col_); }
    int CellHeight() const { return RowHeight(row_); }

    // ---- For the view -----------------------------------------------------------------
    // Changed() is emitted once after a change that alters what is shown; further changes
    // are folded into it until the view calls AcknowledgeChanges().
    void AcknowledgeChanges() { pending_ = false; }

signals:
    void RowColChange();  // the current cell moved
    void EnterCell();     // after the current cell moved
    void LeaveCell();     // before the current cell moves
    void SelChange();     // the selected range changed
    void Scroll();        // TopRow or LeftCol changed
    void VisibleChanged(bool visible);
    void Changed();

private:
    struct CellColours {
        GridColor fore = 0;
        GridColor back = 0;
    };
    // A row's colours are made for the row only when one of its cells gets a colour: most
    // rows of a large grid have none. Its texts lie in texts_, with those of the other rows.
    struct RowData {
        std::unique_ptr<CellColours[]> colours;  // null, or one per column
        int height = -1;
    };
    struct ColData {
        int width = -1;
        int alignment = AlignGeneral;
    };

    bool valid(int row, int col) const {
        return row >= 0 && row < Rows() && col >= 0 && col < Cols();
    }
    QString& cell(int row, int col) {
        return texts_[static_cast<size_t>(row) * cols_.size() + col];
    }
    const QString& cell(int row, int col) const {
        return texts_[static_cast<size_t>(row) * cols_.size() + col];
    }
    // Makes room for n rows: the rows and their texts grow in ever larger steps, so that a
    // grid filled a row at a time is not copied at every row.
    void reserveRows(int n);
    // Makes room for exactly `rows` rows.
    void reserveRoom(std::size_t rows);
    void touch();
    // The colours of a cell inside the grid, made for its whole row if it has none yet.
    CellColours& colours(int row, int col);
    void setCurrent(int row, int col, int rowSel, int colSel);
    void clampPositions();

    // The texts of all cells, a row after another: one block for the whole grid rather than
    // one per row, so that a large grid costs few allocations and little memory.
    std::vector<QString> texts_;
    std::vector<RowData> rows_;
    std::vector<ColData> cols_;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int row_ = 1, col_ = 1, rowSel_ = 1, colSel_ = 1;
    int topRow_ = 1, leftCol_ = 1;
    int defaultColWidth_ = kDefaultColWidth;
    int defaultRowHeight_ = kDefaultRowHeight;
    int width_ = 9600, height_ = 4800;
    std::function<QSize()> sizeSource_;
    GridSelectionMode selectionMode_ = GridSelectionMode::Free;
    QString tag_;
    bool visible_ = true;
    bool redraw_ = true;
    bool pending_ = false;
};

}  // namespace bw
