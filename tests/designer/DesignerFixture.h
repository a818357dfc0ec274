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

    // The widget that gets the mouse over a box (a text box's viewport).
    static QWidget* mouseTarget(BoxControl* box);
    // Mouse events at a point in canvas units, sent to the widget under it (the canvas or a
    // box), with exact sub-pixel positions. buttons is the state during the event.
    static void press(double x, double y, Qt::MouseButton b = Qt::LeftButton,
                      Qt::KeyboardModifiers m = {});
    static void move(double x, double y, Qt::MouseButtons buttons = {},
                     Qt::KeyboardModifiers m = {});
    static void release(double x, double y, Qt::MouseButton b = Qt::LeftButton,
                        Qt::KeyboardModifiers m = {});
    // The widget (canvas or box) that receives events at a canvas point.
    static QWidget* widgetAt(double x, double y);

    TempDataFolder folder_;
};

}  // namespace bw::test
