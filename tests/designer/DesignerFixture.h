#pragma once
// A main window state with a canvas of 200 x 100 mm at 60 canvas units per mm (800 x 400
// pixels), shown on the offscreen screen, with the designer's event handling installed, and
// mouse events that drive it.

#include <gtest/gtest.h>

#include <QString>

#include "TestSupport.h"

class QWidget;

namespace bw {
class BoxControl;
}  // namespace bw

namespace bw::test {

// Mouse events at a point in canvas units, sent with exact sub-pixel positions to the widget
// under it (the canvas or a box, a text box's viewport); buttons is the state during a move.
// Between a press and its release the pressed widget gets the events, as a mouse grab does.
void press(double x, double y, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {});
void move(double x, double y, Qt::MouseButtons buttons = {}, Qt::KeyboardModifiers m = {});
void release(double x, double y, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {});
// A press at the first point, a move with the left button held and a release at the second;
// a press and a release at one point.
void drag(double x0, double y0, double x1, double y1, Qt::KeyboardModifiers m = {});
void click(double x, double y, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {});
// The widget that gets the mouse over a box (a text box's viewport).
QWidget* mouseTarget(BoxControl* box);

class DesignerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static constexpr double kUnitsPerMm = 60;
    static int mm(double v) { return int(v * kUnitsPerMm); }
    // Adds a box of a kind with its top-left corner (a line: its start) at (x, y) mm.
    static BoxControl* add(int kind, double xMm, double yMm);
    // A cell of the box's grid row (X and Y are in mm).
    static QString cell(BoxControl* box, int column);
    static void setCell(BoxControl* box, int column, const QString& text);

    TempDataFolder folder_;
};

}  // namespace bw::test
