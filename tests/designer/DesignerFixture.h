#pragma once
// A main window state with a canvas of 200 x 100 mm at 60 canvas units per mm (800 x 400
// pixels), shown on the offscreen screen, with the designer's event handling installed, and
// helpers that drive it with mouse and key events.

#include <gtest/gtest.h>

#include <QPointF>

#include "TestSupport.h"

class QWidget;

namespace bw {
class BoxControl;
class TextBox;
}  // namespace bw

namespace bw::test {

// Mouse events at a point in canvas units, sent to the widget under it (the canvas or a box,
// a text box's viewport), with exact sub-pixel positions; buttons is the state during a move.
// Between a press and its release the pressed widget gets the events, as a mouse grab does.
void CanvasPress(double x, double y, Qt::MouseButton b = Qt::LeftButton,
                 Qt::KeyboardModifiers m = {});
void CanvasMove(double x, double y, Qt::MouseButtons buttons = {}, Qt::KeyboardModifiers m = {});
void CanvasRelease(double x, double y, Qt::MouseButton b = Qt::LeftButton,
                   Qt::KeyboardModifiers m = {});
// The widget that gets the mouse over a box (a text box's viewport).
QWidget* MouseTarget(BoxControl* box);

class DesignerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static constexpr double kUnitsPerMm = 60;
    static int mm(double v) { return int(v * kUnitsPerMm); }
    // Adds a box of a kind with its top-left corner (a line: its start) at (x, y) mm.
    static BoxControl* add(int kind, double xMm, double yMm);
    // The box's X and Y cells of its grid row, in mm.
    static double rowX(BoxControl* box);
    static double rowY(BoxControl* box);

    static QWidget* mouseTarget(BoxControl* box) { return MouseTarget(box); }
    static void press(double x, double y, Qt::MouseButton b = Qt::LeftButton,
                      Qt::KeyboardModifiers m = {}) {
        CanvasPress(x, y, b, m);
    }
    static void move(double x, double y, Qt::MouseButtons buttons = {},
                     Qt::KeyboardModifiers m = {}) {
        CanvasMove(x, y, buttons, m);
    }
    static void release(double x, double y, Qt::MouseButton b = Qt::LeftButton,
                        Qt::KeyboardModifiers m = {}) {
        CanvasRelease(x, y, b, m);
    }

    TempDataFolder folder_;
};

}  // namespace bw::test
