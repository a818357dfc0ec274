#include "platform/Grid.h"

#include "platform/HeapRoom.h"

namespace bw {

namespace {
const QString& emptyText() {
    static const QString e;
    return e;
}
}  // namespace

Grid::Grid(QObject* parent) : QObject(parent) {
    rows_.resize(2);
    cols_.resize(2);
    texts_.resize(4);
}

Grid::~Grid() = default;

void Grid::touch() {
    if (pending_) return;
    pending_ = true;
    emit Changed();
}

// ---- Shape --------------------------------------------------------------------------

void Grid::SetRows(int n) {
    if (n < 0 || n == Rows()) return;
    const bool hadData = HasDataRows();
    if (n < fixedRows_) fixedRows_ = n;
    if (n > Rows()) reserveRows(n);
    rows_.resize(n);
    texts_.resize(static_cast<size_t>(n) * cols_.size());
    clampPositions();
    if (!hadData && HasDataRows() && row_ < fixedRows_)
        setCurrent(fixedRows_, col_, fixedRows_, colSel_);
    touch();
}

void Grid::ReserveRows(int n) {
    if (n > 0 && static_cast<size_t>(n) > rows_.capacity()) reserveRoom(static_cast<size_t>(n));
}

void Grid::reserveRows(int n) {
    const auto rows = static_cast<size_t>(n);
    if (rows <= rows_.capacity()) return;
    reserveRoom(std::max(rows, 2 * rows_.capacity()));
}

void Grid::reserveRoom(size_t room) {
    // The texts of a large grid take many small blocks, made as its rows are filled: the heap
    // is readied for them at once (about 40 bytes a text, and room for 32 MB at least).
    constexpr size_t kLargeGridRows = 1024, kBytesPerText = 40, kLeastRoom = size_t(32) << 20;
    if (room >= kLargeGridRows)
        ReserveHeapRoom(std::max(kLeastRoom, (room - rows_.size()) * cols_.size() * kBytesPerText));
    rows_.reserve(room);
    texts_.reserve(room * cols_.size());
}

void Grid::SetCols(int n) {
    if (n < 0 || n == Cols()) return;
    if (n < fixedCols_) fixedCols_ = n;
    const size_t was = cols_.size(), now = static_cast<size_t>(n), kept = std::min(was, now);
    std::vector<QString> texts(rows_.size() * now);
    for (size_t r = 0; r < rows_.size(); ++r)
        std::move(texts_.begin() + r * was, texts_.begin() + r * was + kept,
                  texts.begin() + r * now);
    texts_ = std::move(texts);
    for (auto& r : rows_) {
        if (!r.colours) continue;
        auto colours = std::make_unique<CellColours[]>(now);
        std::copy_n(r.colours.get(), kept, colours.get());
        r.colours = std::move(colours);
    }
    cols_.resize(n);
    clampPositions();
    touch();
}

void Grid::SetFixedRows(int n) {
    if (n < 0 || n > Rows() || n == fixedRows_) return;
    fixedRows_ = n;
    clampPositions();
    if (HasDataRows() && row_ < fixedRows_) setCurrent(fixedRows_, col_, fixedRows_, colSel_);
    touch();
}

void Grid::SetFixedCols(int n) {
    if (n < 0 || n > Cols() || n == fixedCols_) return;
    fixedCols_ = n;
    clampPositions();
    if (Cols() > fixedCols_ && col_ < fixedCols_) setCurrent(row_, fixedCols_, rowSel_, fixedCols_);
    touch();
}

void Grid::clampPositions() {
    auto clampTo = [](int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); };
    const int lastRow = std::max(Rows() - 1, 0);
    const int lastCol = std::max(Cols() - 1, 0);
    setCurrent(clampTo(row_, 0, lastRow), clampTo(col_, 0, lastCol), clampTo(rowSel_, 0, lastRow),
               clampTo(colSel_, 0, lastCol));
    const int top = clampTo(topRow_, fixedRows_, std::max(Rows() - 1, fixedRows_));
    const int left = clampTo(leftCol_, fixedCols_, std::max(Cols() - 1, fixedCols_));
    if (top != topRow_ || left != leftCol_) {
        topRow_ = top;
        leftCol_ = left;
        emit Scroll();
    }
}

// ---- Text ---------------------------------------------------------------------------

QString Grid::TextMatrix(int row, int col) const {
    return TextRef(row, col);
}

const QString& Grid::TextRef(int row, int col) const {
    if (!valid(row, col)) return emptyText();
    return cell(row, col);
}

void Grid::SetTextMatrix(int row, int col, const QString& text) {
    if (!valid(row, col)) return;
    QString& t = cell(row, col);
    if (t == text) return;
    t = text;
    touch();
}

// ---- Current cell and selection -----------------------------------------------------

void Grid::setCurrent(int row, int col, int rowSel, int colSel) {
    const bool moves = row != row_ || col != col_;
    if (!moves && rowSel == rowSel_ && colSel == colSel_) return;
    if (moves) emit LeaveCell();
    row_ = row;
    col_ = col;
    rowSel_ = rowSel;
    colSel_ = colSel;
    touch();
    if (moves) {
        emit RowColChange();
        emit EnterCell();
    }
    emit SelChange();
}

void Grid::SetRow(int row) {
    if (row < 0 || row >= Rows()) return;
    setCurrent(row, col_, row, colSel_);
}

void Grid::SetCol(int col) {
    if (col < 0 || col >= Cols()) return;
    setCurrent(row_, col, rowSel_, col);
}

void Grid::SetRowSel(int row) {
    if (row < 0 || row >= Rows()) return;
    setCurrent(row_, col_, row, colSel_);
}

void Grid::SetColSel(int col) {
    if (col < 0 || col >= Cols()) return;
    setCurrent(row_, col_, rowSel_, col);
}

void Grid::Select(int row, int col, int rowSel, int colSel) {
    if (!valid(row, col) || !valid(rowSel, colSel)) return;
    setCurrent(row, col, rowSel, colSel);
}

bool Grid::IsSelected(int row, int col) const {
    if (!valid(row, col)) return false;
    const bool inRows = row >= SelTop() && row <= SelBottom();
    const bool inCols = col >= SelLeft() && col <= SelRight();
    switch (selectionMode_) {
        case GridSelectionMode::ByRow:
            return inRows && col >= fixedCols_;
        case GridSelectionMode::ByColumn:
            return inCols && row >= fixedRows_;
        case GridSelectionMode::Free:
            break;
    }
    return inRows && inCols;
}

void Grid::SetSelectionMode(GridSelectionMode mode) {
    if (mode == selectionMode_) return;
    selectionMode_ = mode;
    touch();
}

// ---- Scrolling ----------------------------------------------------------------------

void Grid::SetTopRow(int row) {
    if (row < fixedRows_ || row >= Rows() || row == topRow_) return;
    topRow_ = row;
    touch();
    emit Scroll();
}

void Grid::SetLeftCol(int col) {
    if (col < fixedCols_ || col >= Cols() || col == leftCol_) return;
    leftCol_ = col;
    touch();
    emit Scroll();
}

// ---- Sizes --------------------------------------------------------------------------

int Grid::ColWidth(int col) const {
    if (col < 0 || col >= Cols()) return 0;
    const int w = cols_[col].width;
    return w < 0 ? defaultColWidth_ : w;
}

void Grid::SetColWidth(int col, int twips) {
    if (col < 0 || col >= Cols() || twips < -1) return;
    if (cols_[col].width == twips) return;
    cols_[col].width = twips;
    touch();
}

int Grid::RowHeight(int row) const {
    if (row < 0 || row >= Rows()) return 0;
    const int h = rows_[row].height;
    return h < 0 ? defaultRowHeight_ : h;
}

void Grid::SetRowHeight(int row, int twips) {
    if (row < 0 || row >= Rows() || twips < -1) return;
    if (rows_[row].height == twips) return;
    rows_[row].height = twips;
    touch();
}

void Grid::SetDefaultColWidth(int twips) {
    if (twips < 0 || twips == defaultColWidth_) return;
    defaultColWidth_ = twips;
    touch();
}

void Grid::SetDefaultRowHeight(int twips) {
    if (twips < 0 || twips == defaultRowHeight_) return;
    defaultRowHeight_ = twips;
    touch();
}

int Grid::ColAlignment(int col) const {
    if (col < 0 || col >= Cols()) return AlignGeneral;
    return cols_[col].alignment;
}

void Grid::SetColAlignment(int col, int alignment) {
    if (col < 0 || col >= Cols() || alignment < 0 || alignment > AlignGeneral) return;
    if (cols_[col].alignment == alignment) return;
    cols_[col].alignment = alignment;
    touch();
}

int Grid::Width() const {
    const QSize s = sizeSource_ ? sizeSource_() : QSize();
    return s.isValid() ? s.width() : width_;
}
int Grid::Height() const {
    const QSize s = sizeSource_ ? sizeSource_() : QSize();
    return s.isValid() ? s.height() : height_;
}
void Grid::SetWidth(int twips) {
    width_ = std::max(twips, 0);
}
void Grid::SetHeight(int twips) {
    height_ = std::max(twips, 0);
}
void Grid::SetSizeSource(std::function<QSize()> twips) {
    sizeSource_ = std::move(twips);
}

// ---- Colours ------------------------------------------------------------------------

Grid::CellColours& Grid::colours(int row, int col) {
    std::unique_ptr<CellColours[]>& c = rows_[row].colours;
    if (!c) c = std::make_unique<CellColours[]>(cols_.size());
    return c[col];
}

GridColor Grid::CellBackColorAt(int row, int col) const {
    if (!valid(row, col) || !rows_[row].colours) return 0;
    return rows_[row].colours[col].back;
}

void Grid::SetCellBackColorAt(int row, int col, GridColor colour) {
    if (!valid(row, col) || CellBackColorAt(row, col) == colour) return;
    colours(row, col).back = colour;
    touch();
}

GridColor Grid::CellForeColorAt(int row, int col) const {
    if (!valid(row, col) || !rows_[row].colours) return 0;
    return rows_[row].colours[col].fore;
}

void Grid::SetCellForeColorAt(int row, int col, GridColor colour) {
    if (!valid(row, col) || CellForeColorAt(row, col) == colour) return;
    colours(row, col).fore = colour;
    touch();
}

// ---- Rows ---------------------------------------------------------------------------

void Grid::SetSort(int how) {
    int first = SelTop(), last = SelBottom();
    if (first == last) {
        first = fixedRows_;
        last = Rows() - 1;
    }
    SortRows(how, first, last, SelLeft(), SelRight());
}

void Grid::RemoveRows(int first, int count) {
    if (first < 0 || count <= 0 || first >= Rows()) return;
    count = std::min(count, Rows() - first);
    rows_.erase(rows_.begin() + first, rows_.begin() + first + count);
    const size_t cols = cols_.size();
    texts_.erase(texts_.begin() + first * cols, texts_.begin() + (first + count) * cols);
    if (fixedRows_ > Rows()) fixedRows_ = Rows();
    clampPositions();
    touch();
}

// ---- Other properties ---------------------------------------------------------------

void Grid::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    emit VisibleChanged(visible);
}

void Grid::SetRedraw(bool redraw) {
    if (redraw == redraw_) return;
    redraw_ = redraw;
    pending_ = false;
    touch();
}

// ---- Geometry -----------------------------------------------------------------------

int Grid::FixedWidth() const {
    int w = 0;
    for (int c = 0; c < fixedCols_; ++c) w += ColWidth(c);
    return w;
}

int Grid::FixedHeight() const {
    int h = 0;
    for (int r = 0; r < fixedRows_; ++r) h += RowHeight(r);
    return h;
}

int Grid::ColPos(int col) const {
    if (col < 0 || col >= Cols()) return -1;
    int x = 0;
    if (col < fixedCols_) {
        for (int c = 0; c < col; ++c) x += ColWidth(c);
        return x;
    }
    if (col < leftCol_) return -1;
    x = FixedWidth();
    for (int c = leftCol_; c < col; ++c) x += ColWidth(c);
    return x;
}

int Grid::RowPos(int row) const {
    if (row < 0 || row >= Rows()) return -1;
    int y = 0;
    if (row < fixedRows_) {
        for (int r = 0; r < row; ++r) y += RowHeight(r);
        return y;
    }
    if (row < topRow_) return -1;
    y = FixedHeight();
    for (int r = topRow_; r < row; ++r) y += RowHeight(r);
    return y;
}

int Grid::ColAtX(double x) const {
    if (x < 0) return -1;
    double edge = 0;
    for (int c = 0; c < fixedCols_; ++c) {
        edge += ColWidth(c);
        if (x < edge) return c;
    }
    for (int c = leftCol_; c < Cols(); ++c) {
        edge += ColWidth(c);
        if (x < edge) return c;
    }
    return -1;
}

int Grid::RowAtY(double y) const {
    if (y < 0) return -1;
    double edge = 0;
    for (int r = 0; r < fixedRows_; ++r) {
        edge += RowHeight(r);
        if (y < edge) return r;
    }
    for (int r = topRow_; r < Rows(); ++r) {
        edge += RowHeight(r);
        if (y < edge) return r;
    }
    return -1;
}

}  // namespace bw
