#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>

#include "platform/GridView.h"

using namespace bw;

namespace {

// A shown view of 9 columns of 1500 twips (100 px) and `rows` rows of 300 twips (20 px),
// with one fixed row and column.
struct ViewFixture {
    GridView view;
    explicit ViewFixture(int rows = 40) {
        Grid& g = view.grid();
        g.SetCols(9);
        g.SetRows(rows);
        for (int c = 0; c < 9; ++c) g.SetColWidth(c, 1500);
        g.SetDefaultRowHeight(300);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 9; ++c) g.SetTextMatrix(r, c, QString("%1:%2").arg(r).arg(c));
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // a viewport of exactly 500 x 300
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(500 + 2 * view.frameWidth(), 300 + 2 * view.frameWidth());
        view.show();
        QApplication::processEvents();
        g.SetDefaultRowHeight(300);  // the view sets it from its font when shown
        QApplication::processEvents();
    }
    // The centre of a cell in viewport pixels.
    QPoint at(int row, int col) const { return view.CellRect(row, col).center(); }
    void mouse(QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers mods = Qt::NoModifier) {
        const Qt::MouseButtons buttons =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent e(type, QPointF(p), view.viewport()->mapToGlobal(QPointF(p)), button, buttons,
                      mods);
        QApplication::sendEvent(view.viewport(), &e);
    }
    void click(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, mods);
        mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, mods);
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString()) {
        QKeyEvent press(QEvent::KeyPress, k, mods, text);
        QApplication::sendEvent(&view, &press);
        QKeyEvent release(QEvent::KeyRelease, k, mods, text);
        QApplication::sendEvent(&view, &release);
    }
};

}  // namespace

TEST(GridView, AClickMakesTheCellCurrentAndReportsTwipsInTheWindowsOrder) {
    ViewFixture f;
    QStringList order;
    QList<QList<QVariant>> downs;
    QObject::connect(&f.view, &GridView::MouseDown, [&](int b, int s, double x, double y) {
        order << "down";
        downs.append({b, s, x, y});
    });
    QObject::connect(&f.view, &GridView::MouseUp, [&](int, int, double, double) { order << "up"; });
    QObject::connect(&f.view, &GridView::Click, [&] { order << "click"; });
    QObject::connect(&f.view, &GridView::DblClick, [&] { order << "dbl"; });
    QObject::connect(&f.view.grid(), &Grid::RowColChange, [&] { order << "rowcol"; });

    f.click(QPoint(250, 50));  // column 2 (200..300 px), row 2 (40..60 px)
    EXPECT_EQ(f.view.grid().Row(), 2);
    EXPECT_EQ(f.view.grid().Col(), 2);
    EXPECT_EQ(f.view.MouseRow(), 2);
    EXPECT_EQ(f.view.MouseCol(), 2);
    EXPECT_EQ(order, (QStringList{"rowcol", "down", "up", "click"}));
    ASSERT_EQ(downs.size(), 1);
    EXPECT_EQ(downs[0], (QList<QVariant>{1, 0, 3750.0, 750.0}));  // 15 twips a pixel

    order.clear();
    f.mouse(QEvent::MouseButtonDblClick, QPoint(250, 50));
    f.mouse(QEvent::MouseButtonRelease, QPoint(250, 50));
    EXPECT_EQ(order, (QStringList{"dbl", "up"}));  // no second click

    order.clear();
    f.mouse(QEvent::MouseButtonPress, f.at(5, 5), Qt::RightButton, Qt::ControlModifier);
    f.mouse(QEvent::MouseButtonRelease, f.at(5, 5), Qt::RightButton);
    EXPECT_EQ(f.view.grid().Row(), 2);  // the right button does not move the cell
    EXPECT_EQ(downs.last()[0].toInt(), 2);
    EXPECT_EQ(downs.last()[1].toInt(), 2);
    EXPECT_EQ(f.view.MouseRow(), 5);
}

TEST(GridView, ShiftClicksDragsAndHeadersSelectRanges) {
    ViewFixture f;
    Grid& g = f.view.grid();
    f.click(f.at(2, 1));
    f.click(f.at(6, 3), Qt::ShiftModifier);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.RowSel(), 6);
    EXPECT_EQ(g.ColSel(), 3);

    f.mouse(QEvent::MouseButtonPress, f.at(8, 4));
    f.mouse(QEvent::MouseMove, f.at(4, 2));
    f.mouse(QEvent::MouseButtonRelease, f.at(4, 2));
    EXPECT_EQ(g.Row(), 8);
    EXPECT_EQ(g.RowSel(), 4);
    EXPECT_EQ(g.ColSel(), 2);

    f.click(f.at(0, 3));  // a column header: the whole column
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.RowSel(), g.Rows() - 1);
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.ColSel(), 3);

    f.click(f.at(5, 0));  // a row header: the whole row
    EXPECT_EQ(g.Row(), 5);
    EXPECT_EQ(g.RowSel(), 5);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.ColSel(), 8);

    g.SetSelectionMode(GridSelectionMode::ByRow);
    f.click(f.at(3, 4));
    f.click(f.at(7, 2), Qt::ShiftModifier);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.RowSel(), 7);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.ColSel(), 8);
}

TEST(GridView, KeysMoveTheCellSkipHiddenRowsAndScrollItIntoSight) {
    ViewFixture f(1000);
    Grid& g = f.view.grid();
    f.click(f.at(1, 1));
    g.SetRowHeight(2, 0);
    f.key(Qt::Key_Down);
    EXPECT_EQ(g.Row(), 3);  // the hidden row is skipped
    f.key(Qt::Key_Down, Qt::ShiftModifier);
    f.key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.RowSel(), 4);
    EXPECT_EQ(g.ColSel(), 2);
    f.key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(g.Row(), 999);
    EXPECT_EQ(g.Col(), 8);
    QApplication::processEvents();
    const QRect last = f.view.CellRect(999, 8);  // scrolled into sight
    EXPECT_FALSE(last.isEmpty());
    EXPECT_LE(last.bottom(), f.view.viewport()->height());
    EXPECT_LE(last.right(), f.view.viewport()->width());
    EXPECT_GT(g.TopRow(), 900);
    EXPECT_EQ(f.view.verticalScrollBar()->value(), g.TopRow());
    f.key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.TopRow(), 1);
    f.key(Qt::Key_PageDown);
    EXPECT_GT(g.Row(), 10);

    QList<int> downs, presses;
    QObject::connect(&f.view, &GridView::KeyDown, [&](int code, int) { downs << code; });
    QObject::connect(&f.view, &GridView::KeyPress, [&](int ascii) { presses << ascii; });
    f.key(Qt::Key_Delete);
    f.key(Qt::Key_A, Qt::NoModifier, "a");
    f.key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(downs, (QList<int>{46, 65, 13}));
    EXPECT_EQ(presses, (QList<int>{'a', 13}));
}

TEST(GridView, ScrollingFollowsTheScrollBarAndAGridOfManyRowsDrawsQuickly) {
    ViewFixture f(30000);
    Grid& g = f.view.grid();
    QScrollBar* v = f.view.verticalScrollBar();
    EXPECT_EQ(v->minimum(), 1);
    // 15 rows of 20 px fit under the header in 300 px: the last top row shows the last 14.
    EXPECT_EQ(v->maximum(), 30000 - 14);
    QSignalSpy scrolled(&g, &Grid::Scroll);
    v->setValue(20000);
    EXPECT_EQ(g.TopRow(), 20000);
    EXPECT_GE(scrolled.count(), 1);
    f.view.grab();
    const QRect r = f.view.CellRect(20000, 1);
    EXPECT_EQ(r.top(), 20);
    EXPECT_TRUE(f.view.CellRect(19999, 1).isEmpty());
    g.SetLeftCol(4);
    EXPECT_EQ(f.view.horizontalScrollBar()->value(), 4);

    g.SetVisible(false);  // the model decides whether the grid is shown
    EXPECT_FALSE(f.view.isVisible());
    g.SetVisible(true);
    EXPECT_TRUE(f.view.isVisible());
}
