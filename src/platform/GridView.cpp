#include "platform/GridView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScrollBar>

#include "platform/BandedScrollBars.h"
#include "platform/VbNumbers.h"

namespace bw {

namespace {

QColor fromGridColor(GridColor v) {
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

const QColor kHeaderTop(0xFA, 0xFA, 0xFA);
const QColor kHeaderBottom(0xE3, 0xE5, 0xE8);
const QColor kHeaderLine(0xA9, 0xAD, 0xB3);
const QColor kCellLine(0xD9, 0xDC, 0xE0);
const QColor kBackground(0xEE, 0xEF, 0xF1);

// The padding between a cell's edges and its text. A column fitted to its texts has 100
// twips (6.7 pixels) more than its widest one: enough for the padding and the rounding of
// the column's edges to whole pixels.
QRect textArea(const QRect& cell) {
    return cell.adjusted(3, 2, -3, -2);
}

int clampTo(int v, int lo, int hi) {
    return std::max(lo, std::min(v, hi));
}

}  // namespace

GridView::GridView(QWidget* parent) : GridView(nullptr, parent) {}

GridView::GridView(Grid* grid, QWidget* parent) : QAbstractScrollArea(parent) {
    if (grid) {
        grid_ = grid;
    } else {
        grid_ = new Grid;
        ownsGrid_ = true;
    }
    setFocusPolicy(Qt::StrongFocus);
    // Code hides a grid while it refills it; the window's layout keeps its place meanwhile.
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    PaintInBands(verticalScrollBar());
    PaintInBands(horizontalScrollBar());
    autoScrollTimer_.setInterval(60);
    connect(&autoScrollTimer_, &QTimer::timeout, this, &GridView::autoScroll);
    attach();
}

GridView::~GridView() {
    if (ownsGrid_) delete grid_;
}

void GridView::attach() {
    grid_->SetSizeSource([view = QPointer<GridView>(this)] {
        return view ? QSize(qRound(view->width() * view->tpp_), qRound(view->height() * view->tpp_))
                    : QSize();
    });
    connect(grid_, &Grid::Changed, this, &GridView::scheduleRefresh);
    connect(grid_, &Grid::Scroll, this, [this] {
        syncScrollBars();
        if (grid_->Redraw()) viewport()->update();
    });
    connect(grid_, &Grid::VisibleChanged, this, [this](bool v) { setVisible(v); });
    if (!grid_->Visible()) setVisible(false);
    updateMetrics();
    refresh();
}

void GridView::updateMetrics() {
    // Rows as tall as the font needs, never lower than the usual 20 pixels.
    const int needed = qRound((fontMetrics().height() + 6) * tpp_);
    grid_->SetDefaultRowHeight(std::max(Grid::kDefaultRowHeight, needed));
    SyncSize();
}

void GridView::SyncSize() {
    grid_->SetWidth(qRound(width() * tpp_));
    grid_->SetHeight(qRound(height() * tpp_));
}

void GridView::scheduleRefresh() {
    if (refreshQueued_) return;
    refreshQueued_ = true;
    QMetaObject::invokeMethod(this, &GridView::refresh, Qt::QueuedConnection);
}

void GridView::refresh() {
    refreshQueued_ = false;
    grid_->AcknowledgeChanges();
    syncScrollBars();
    if (grid_->Redraw()) viewport()->update();
}

// ---- Geometry -----------------------------------------------------------------------

std::vector<GridView::Band> GridView::colBands(int widthPx) const {
    std::vector<Band> out;
    const Grid& g = *grid_;
    double twips = 0;
    auto add = [&](int c) {
        const int start = qRound(twips / tpp_);
        twips += g.ColWidth(c);
        const int end = qRound(twips / tpp_);
        if (end > start) out.push_back({c, start, end});
        return start < widthPx;
    };
    for (int c = 0; c < g.FixedCols(); ++c) add(c);
    for (int c = g.LeftCol(); c < g.Cols(); ++c)
        if (!add(c)) break;
    return out;
}

std::vector<GridView::Band> GridView::rowBands(int heightPx) const {
    std::vector<Band> out;
    const Grid& g = *grid_;
    double twips = 0;
    auto add = [&](int r) {
        const int start = qRound(twips / tpp_);
        twips += g.RowHeight(r);
        const int end = qRound(twips / tpp_);
        if (end > start) out.push_back({r, start, end});
        return start < heightPx;
    };
    for (int r = 0; r < g.FixedRows(); ++r) add(r);
    for (int r = g.TopRow(); r < g.Rows(); ++r)
        if (!add(r)) break;
    return out;
}

int GridView::maxTopRow() const {
    const Grid& g = *grid_;
    const double available = viewport()->height() * tpp_ - g.FixedHeight();
    int top = g.Rows() - 1;
    double sum = 0;
    for (int r = g.Rows() - 1; r >= g.FixedRows(); --r) {
        sum += g.RowHeight(r);
        if (sum > available) break;
        top = r;
    }
    return std::max(top, g.FixedRows());
}

int GridView::maxLeftCol() const {
    const Grid& g = *grid_;
    const double available = viewport()->width() * tpp_ - g.FixedWidth();
    int left = g.Cols() - 1;
    double sum = 0;
    for (int c = g.Cols() - 1; c >= g.FixedCols(); --c) {
        sum += g.ColWidth(c);
        if (sum > available) break;
        left = c;
    }
    return std::max(left, g.FixedCols());
}

int GridView::visibleDataRows() const {
    const Grid& g = *grid_;
    const double available = viewport()->height() * tpp_ - g.FixedHeight();
    int n = 0;
    double sum = 0;
    for (int r = g.TopRow(); r < g.Rows(); ++r) {
        sum += g.RowHeight(r);
        if (sum > available) break;
        ++n;
    }
    return std::max(n, 1);
}

void GridView::syncScrollBars() {
    const Grid& g = *grid_;
    syncing_ = true;
    QScrollBar* v = verticalScrollBar();
    v->setRange(g.FixedRows(), std::max({maxTopRow(), g.TopRow(), g.FixedRows()}));
    v->setPageStep(visibleDataRows());
    v->setSingleStep(1);
    v->setValue(g.TopRow());
    QScrollBar* h = horizontalScrollBar();
    h->setRange(g.FixedCols(), std::max({maxLeftCol(), g.LeftCol(), g.FixedCols()}));
    h->setPageStep(1);
    h->setSingleStep(1);
    h->setValue(g.LeftCol());
    syncing_ = false;
}

QRect GridView::CellRect(int row, int col) const {
    const Grid& g = *grid_;
    const int x = g.ColPos(col), y = g.RowPos(row);
    if (x < 0 || y < 0) return {};
    const int left = TwipsToPixels(x), top = TwipsToPixels(y);
    const int right = TwipsToPixels(x + g.ColWidth(col));
    const int bottom = TwipsToPixels(y + g.RowHeight(row));
    if (right <= left || bottom <= top) return {};
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect GridView::TextRect(int row, int col) const {
    const QRect cell = CellRect(row, col);
    return cell.isEmpty() ? QRect() : textArea(cell);
}

QPoint GridView::ViewportOffset() const {
    return viewport()->geometry().topLeft();
}

void GridView::EnsureVisible(int row, int col) {
    Grid& g = *grid_;
    if (row >= g.FixedRows() && row < g.Rows()) {
        if (row < g.TopRow()) {
            g.SetTopRow(row);
        } else {
            const double available = viewport()->height() * tpp_ - g.FixedHeight();
            double sum = 0;
            int top = row;
            for (int r = row; r >= g.TopRow(); --r) {
                sum += g.RowHeight(r);
                if (sum > available) break;
                top = r;
            }
            if (top > g.TopRow()) g.SetTopRow(top);
        }
    }
    if (col >= g.FixedCols() && col < g.Cols()) {
        if (col < g.LeftCol()) {
            g.SetLeftCol(col);
        } else {
            const double available = viewport()->width() * tpp_ - g.FixedWidth();
            double sum = 0;
            int left = col;
            for (int c = col; c >= g.LeftCol(); --c) {
                sum += g.ColWidth(c);
                if (sum > available) break;
                left = c;
            }
            if (left > g.LeftCol()) g.SetLeftCol(left);
        }
    }
}

QSize GridView::sizeHint() const {
    return QSize(480, 260);
}
QSize GridView::minimumSizeHint() const {
    return QSize(60, 40);
}

// ---- Painting -----------------------------------------------------------------------

void GridView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const QRect area = viewport()->rect();
    p.fillRect(area, kBackground);
    p.setFont(font());
    const auto cols = colBands(area.width());
    const auto rows = rowBands(area.height());
    const Grid& g = *grid_;
    for (const Band& r : rows) {
        for (const Band& c : cols) {
            const QRect cell(c.start, r.start, c.end - c.start, r.end - r.start);
            paintCell(p, cell, r.index, c.index, r.index == g.Row() && c.index == g.Col());
        }
    }
    if (hasFocus() && g.SelectionMode() == GridSelectionMode::Free && g.Row() >= g.FixedRows() &&
        g.Col() >= g.FixedCols()) {
        const QRect cur = CellRect(g.Row(), g.Col());
        if (!cur.isEmpty()) {
            QPen pen(palette().color(QPalette::Text));
            pen.setStyle(Qt::DotLine);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(cur.adjusted(1, 1, -2, -2));
        }
    }
}

void GridView::paintCell(QPainter& p, const QRect& r, int row, int col, bool current) const {
    const Grid& g = *grid_;
    const bool fixed = row < g.FixedRows() || col < g.FixedCols();
    const GridColor back = g.CellBackColorAt(row, col);
    const GridColor fore = g.CellForeColorAt(row, col);
    const bool selected = !fixed && g.IsSelected(row, col) &&
                          !(current && g.SelectionMode() == GridSelectionMode::Free);
    QColor text = fore ? fromGridColor(fore) : palette().color(QPalette::Text);
    if (fixed) {
        if (back) {
            p.fillRect(r, fromGridColor(back));
        } else {
            QLinearGradient grad(r.topLeft(), r.bottomLeft());
            grad.setColorAt(0, kHeaderTop);
            grad.setColorAt(1, kHeaderBottom);
            p.fillRect(r, grad);
        }
        p.setPen(Qt::white);
        p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
        p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
        p.setPen(kHeaderLine);
        p.drawLine(r.right(), r.top(), r.right(), r.bottom());
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    } else {
        QColor bg = back ? fromGridColor(back) : palette().color(QPalette::Base);
        if (selected) {
            bg = palette().color(QPalette::Highlight);
            text = palette().color(QPalette::HighlightedText);
        }
        p.fillRect(r, bg);
        p.setPen(kCellLine);
        p.drawLine(r.right(), r.top(), r.right(), r.bottom());
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    }
    const QString& t = g.TextRef(row, col);
    if (t.isEmpty()) return;
    int a = g.ColAlignment(col);
    Qt::Alignment flags;
    if (a == AlignGeneral) {
        flags = Qt::AlignVCenter | ((!fixed && IsNumeric(t)) ? Qt::AlignRight : Qt::AlignLeft);
    } else {
        const int h = a / 3, v = a % 3;
        flags = (h == 0   ? Qt::AlignLeft
                 : h == 1 ? Qt::AlignHCenter
                          : Qt::AlignRight) |
                (v == 0   ? Qt::AlignTop
                 : v == 1 ? Qt::AlignVCenter
                          : Qt::AlignBottom);
    }
    p.setPen(text);
    p.drawText(textArea(r), int(flags) | Qt::TextSingleLine, t);
}

// ---- Events -------------------------------------------------------------------------

void GridView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    grid_->SetWidth(qRound(width() * tpp_));
    grid_->SetHeight(qRound(height() * tpp_));
    syncScrollBars();
}

void GridView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    updateMetrics();
    refresh();
}

void GridView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateMetrics();
        scheduleRefresh();
    }
}

void GridView::scrollContentsBy(int, int) {
    if (syncing_) return;
    grid_->SetTopRow(verticalScrollBar()->value());
    grid_->SetLeftCol(horizontalScrollBar()->value());
    viewport()->update();
}

void GridView::trackMouse(const QPointF& pos) {
    mouseRow_ = grid_->RowAtY(pos.y() * tpp_);
    mouseCol_ = grid_->ColAtX(pos.x() * tpp_);
}

void GridView::mousePressEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    trackMouse(pos);
    Grid& g = *grid_;
    const int r = mouseRow_, c = mouseCol_;
    const int fr = g.FixedRows(), fc = g.FixedCols(), lr = g.Rows() - 1, lc = g.Cols() - 1;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    drag_ = Drag::None;
    suppressClick_ = false;
    pressed_ = true;
    if (event->button() == Qt::LeftButton && r >= 0 && c >= 0 && g.HasDataRows() && lc >= fc) {
        const GridSelectionMode mode = g.SelectionMode();
        if (r >= fr && c >= fc) {
            drag_ = Drag::Cells;
            if (mode == GridSelectionMode::ByRow)
                g.Select(shift ? g.Row() : r, fc, r, lc);
            else if (mode == GridSelectionMode::ByColumn)
                g.Select(fr, shift ? g.Col() : c, lr, c);
            else if (shift)
                g.Select(g.Row(), g.Col(), r, c);
            else
                g.Select(r, c, r, c);
        } else if (r < fr && c >= fc && mode != GridSelectionMode::ByRow) {
            drag_ = Drag::Columns;  // a column header selects the whole column
            g.Select(fr, shift ? g.Col() : c, lr, c);
        } else if (c < fc && r >= fr && mode != GridSelectionMode::ByColumn) {
            drag_ = Drag::Rows;  // a row header selects the whole row
            g.Select(shift ? g.Row() : r, fc, r, lc);
        } else if (r < fr && c < fc) {
            g.Select(fr, fc, lr, lc);  // the corner selects everything
        }
    }
    if (event->button() == Qt::LeftButton) lastDragPos_ = pos;
    emit MouseDown(VbButton(event->button()), VbShift(event->modifiers()), pos.x() * tpp_,
                   pos.y() * tpp_);
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    trackMouse(pos);
    if (drag_ != Drag::None && (event->buttons() & Qt::LeftButton)) {
        lastDragPos_ = pos;
        dragTo(pos);
        const bool outside = !viewport()->rect().contains(pos.toPoint()) ||
                             pos.y() < TwipsToPixels(grid_->FixedHeight()) ||
                             pos.x() < TwipsToPixels(grid_->FixedWidth());
        if (outside && !autoScrollTimer_.isActive()) autoScrollTimer_.start();
        if (!outside) autoScrollTimer_.stop();
    }
    emit MouseMove(VbButton(event->buttons()), VbShift(event->modifiers()), pos.x() * tpp_,
                   pos.y() * tpp_);
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    trackMouse(pos);
    autoScrollTimer_.stop();
    drag_ = Drag::None;
    const bool wasPressed = pressed_;
    pressed_ = false;
    emit MouseUp(VbButton(event->button()), VbShift(event->modifiers()), pos.x() * tpp_,
                 pos.y() * tpp_);
    if (event->button() == Qt::LeftButton && wasPressed && !suppressClick_) emit Click();
    suppressClick_ = false;
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
    trackMouse(event->position());
    pressed_ = true;
    suppressClick_ = true;
    if (event->button() == Qt::LeftButton) emit DblClick();
}

// The data cell nearest to a point of the viewport, for extending a selection by dragging.
void GridView::dragTo(const QPointF& pos) {
    Grid& g = *grid_;
    if (!g.HasDataRows() || g.Cols() <= g.FixedCols()) return;
    const auto rows = rowBands(viewport()->height());
    const auto cols = colBands(viewport()->width());
    int r = -1, c = -1;
    for (const Band& b : rows) {
        if (b.index < g.FixedRows()) continue;
        if (r < 0 || pos.y() >= b.start) r = b.index;
        if (pos.y() < b.end) break;
    }
    for (const Band& b : cols) {
        if (b.index < g.FixedCols()) continue;
        if (c < 0 || pos.x() >= b.start) c = b.index;
        if (pos.x() < b.end) break;
    }
    if (r < 0) r = g.TopRow();
    if (c < 0) c = g.LeftCol();
    const int fr = g.FixedRows(), fc = g.FixedCols(), lr = g.Rows() - 1, lc = g.Cols() - 1;
    const GridSelectionMode mode = g.SelectionMode();
    if (drag_ == Drag::Rows || (drag_ == Drag::Cells && mode == GridSelectionMode::ByRow))
        g.Select(g.Row(), fc, r, lc);
    else if (drag_ == Drag::Columns ||
             (drag_ == Drag::Cells && mode == GridSelectionMode::ByColumn))
        g.Select(fr, g.Col(), lr, c);
    else if (drag_ == Drag::Cells)
        g.Select(g.Row(), g.Col(), r, c);
}

void GridView::autoScroll() {
    if (drag_ == Drag::None) {
        autoScrollTimer_.stop();
        return;
    }
    Grid& g = *grid_;
    const QPointF pos = lastDragPos_;
    if (pos.y() >= viewport()->height() && g.TopRow() < maxTopRow())
        g.SetTopRow(nextShownRow(g.TopRow(), 1));
    else if (pos.y() < TwipsToPixels(g.FixedHeight()) && g.TopRow() > g.FixedRows())
        g.SetTopRow(nextShownRow(g.TopRow(), -1));
    if (pos.x() >= viewport()->width() && g.LeftCol() < maxLeftCol())
        g.SetLeftCol(nextShownCol(g.LeftCol(), 1));
    else if (pos.x() < TwipsToPixels(g.FixedWidth()) && g.LeftCol() > g.FixedCols())
        g.SetLeftCol(nextShownCol(g.LeftCol(), -1));
    dragTo(pos);
}

void GridView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) {
        QScrollBar* v = verticalScrollBar();
        v->setValue(v->value() - steps * 3);
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

int GridView::nextShownRow(int from, int step) const {
    const Grid& g = *grid_;
    for (int r = from + step; r >= g.FixedRows() && r < g.Rows(); r += step)
        if (g.RowHeight(r) > 0) return r;
    return from;
}

int GridView::nextShownCol(int from, int step) const {
    const Grid& g = *grid_;
    for (int c = from + step; c >= g.FixedCols() && c < g.Cols(); c += step)
        if (g.ColWidth(c) > 0) return c;
    return from;
}

bool GridView::moveByKey(QKeyEvent* event) {
    Grid& g = *grid_;
    const int fr = g.FixedRows(), fc = g.FixedCols(), lr = g.Rows() - 1, lc = g.Cols() - 1;
    if (!g.HasDataRows() || lc < fc) return false;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const GridSelectionMode mode = g.SelectionMode();
    // With Shift the far corner of the selection moves; without, the current cell.
    int r = clampTo(shift ? g.RowSel() : g.Row(), fr, lr);
    int c = clampTo(shift ? g.ColSel() : g.Col(), fc, lc);
    auto firstRow = [&] { return g.RowHeight(fr) > 0 ? fr : nextShownRow(fr, 1); };
    auto lastRow = [&] { return g.RowHeight(lr) > 0 ? lr : nextShownRow(lr, -1); };
    auto firstCol = [&] { return g.ColWidth(fc) > 0 ? fc : nextShownCol(fc, 1); };
    auto lastCol = [&] { return g.ColWidth(lc) > 0 ? lc : nextShownCol(lc, -1); };
    switch (event->key()) {
        case Qt::Key_Up:
            r = nextShownRow(r, -1);
            break;
        case Qt::Key_Down:
            r = nextShownRow(r, 1);
            break;
        case Qt::Key_Left:
            if (mode == GridSelectionMode::ByRow) {
                g.SetLeftCol(nextShownCol(g.LeftCol(), -1));
                return true;
            }
            c = nextShownCol(c, -1);
            break;
        case Qt::Key_Right:
            if (mode == GridSelectionMode::ByRow) {
                if (g.LeftCol() < maxLeftCol()) g.SetLeftCol(nextShownCol(g.LeftCol(), 1));
                return true;
            }
            c = nextShownCol(c, 1);
            break;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            const int step = event->key() == Qt::Key_PageUp ? -1 : 1;
            for (int i = visibleDataRows(); i > 0; --i) r = nextShownRow(r, step);
            if (step < 0 && g.TopRow() > fr) {
                int top = g.TopRow();
                for (int i = visibleDataRows(); i > 0; --i) top = nextShownRow(top, -1);
                g.SetTopRow(top);
            }
            break;
        }
        case Qt::Key_Home:
            if (ctrl) r = firstRow();
            c = firstCol();
            break;
        case Qt::Key_End:
            if (ctrl) r = lastRow();
            c = lastCol();
            break;
        default:
            return false;
    }
    if (mode == GridSelectionMode::ByRow)
        g.Select(shift ? g.Row() : r, fc, r, lc);
    else if (mode == GridSelectionMode::ByColumn)
        g.Select(fr, shift ? g.Col() : c, lr, c);
    else if (shift)
        g.Select(g.Row(), g.Col(), r, c);
    else
        g.Select(r, c, r, c);
    EnsureVisible(r, mode == GridSelectionMode::ByRow ? -1 : c);
    return true;
}

void GridView::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(VbKeyCode(event), VbShift(event->modifiers()));
    if (moveByKey(event)) {
        event->accept();
        return;
    }
    // Esc is the window's (a dialog's cancel), not a character typed into the grid.
    const QString text = event->text();
    if (!text.isEmpty() && event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab &&
        event->key() != Qt::Key_Escape &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        emit KeyPress(text.at(0).unicode());
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void GridView::keyReleaseEvent(QKeyEvent* event) {
    emit KeyUp(VbKeyCode(event), VbShift(event->modifiers()));
    QAbstractScrollArea::keyReleaseEvent(event);
}

// ---- Windows codes ------------------------------------------------------------------

int GridView::VbShift(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

int GridView::VbButton(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
           (b & Qt::MiddleButton ? 4 : 0);
}

int GridView::VbKeyCode(const QKeyEvent* event) {
    const int k = event->key();
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return keypad ? 96 + (k - Qt::Key_0) : k;
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    switch (k) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Clear:
            return 12;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Pause:
            return 19;
        case Qt::Key_CapsLock:
            return 20;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        case Qt::Key_Asterisk:
            return keypad ? 106 : 56;
        case Qt::Key_Plus:
            return keypad ? 107 : 187;
        case Qt::Key_Minus:
            return keypad ? 109 : 189;
        case Qt::Key_Period:
            return keypad ? 110 : 190;
        case Qt::Key_Slash:
            return keypad ? 111 : 191;
        case Qt::Key_Semicolon:
        case Qt::Key_Colon:
            return 186;
        case Qt::Key_Equal:
            return 187;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return 188;
        case Qt::Key_Underscore:
            return 189;
        case Qt::Key_Greater:
            return 190;
        case Qt::Key_Question:
            return 191;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde:
            return 192;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft:
            return 219;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
            return 220;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight:
            return 221;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl:
            return 222;
        default:
            return 0;
    }
}

}  // namespace bw
