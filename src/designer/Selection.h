#pragma once
// Selecting boxes on the canvas: the rubber band's rectangle applied to every box, the
// count of selected boxes. The selection itself is the boxes' look (store/BoxLook.h).

#include "store/BoxLook.h"  // CountSelectedBoxes

namespace bw {

class BoxControl;

// True when the box touches the rectangle (corners in any order, edges included). A line
// touches only with an end point inside; another box unless it lies wholly outside (its
// Left, right edge and Top rounded to whole units first).
bool BoxTouchesRect(const BoxControl* box, long x1, long y1, long x2, long y2);

// Applies the rubber band's rectangle (Design().Sel*) to every box: with shift 2 (Ctrl) the
// touching boxes are added to the selection; otherwise exactly the touching boxes end up
// selected.
void SelectBoxesInRect(int shift);

// SelectBoxesInRect with shift 0.
void ClearSelection();

// Toggles one box's selection look (a Ctrl+click).
void ToggleBoxSelection(BoxControl* box);

}  // namespace bw
