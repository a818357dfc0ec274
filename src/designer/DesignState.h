#pragma once
// What the canvas designer remembers between mouse events: the drag point, the rubber band's
// rectangle, the line last found under the pointer and the line last tested.

#include <QPointer>

namespace bw {

class Line;

struct DesignState {
    // The pointer position (canvas units, or the box's own units for a box) at which the last
    // hover or resize step happened.
    long DragX = 0, DragY = 0;
    // The rubber band: anchor (x1, y1) where the left button went down on the canvas, moving
    // corner (x2, y2). Kept between gestures.
    long SelX1 = 0, SelY1 = 0, SelX2 = 0, SelY2 = 0;
    // The line last found under the pointer on the canvas, or null.
    QPointer<Line> CurrentLine;
    // The line most recently tested by FindLineAt.
    QPointer<Line> HitLine;
};

// The designer's state for the program's life.
DesignState& Design();

// Mouse buttons and modifier keys as the designer's handlers take them: Button 1 left,
// 2 right, 4 middle; Shift 1 Shift, 2 Ctrl, 4 Alt.
enum : int { kLeftButton = 1, kRightButton = 2 };
enum : int { kShiftKey = 1, kCtrlKey = 2 };

// True while the format is locked ("锁定格式" ticked).
bool FormatLocked();
// The lock check box's value as the handlers pass it on.
int LockValue();

}  // namespace bw
