#pragma once
// The input boxes of the open format: five arrays on the main window, one per kind, with
// the index scheme kind x 1000 + n (n = 1 .. the kind's count), each box tied to its row of
// the box property grid by its Tag.

#include <QString>
#include <array>

namespace bw {

class BoxControl;
class Label;
class Grid;

// The number of loaded boxes of each kind.
inline std::array<int, 5> BoxCount{};
// The most boxes one kind can hold: a further one would take an index of the next kind.
inline constexpr int kMaxBoxesPerKind = 999;

inline int FirstBoxIndex(int kind) {
    return kind * 1000 + 1;
}
inline int LastBoxIndex(int kind) {
    return kind * 1000 + (kind >= 0 && kind < 5 ? BoxCount[kind] : 0);
}
inline int NextBoxIndex(int kind) {
    return LastBoxIndex(kind);
}

void InitBoxModule();
void UnloadAllBoxes();
// Creates the next box of a kind tied to a grid row; a row below 1 appends a new row and
// hands its number back. Null (with a message) when the kind already holds 999 boxes.
BoxControl* LoadBoxControl(int kind, int& row);
// Puts the caption label beside the box: label null = the box's own; side -1 = the side of
// the box's row (handed back).
void PlaceBoxLabel(BoxControl* box, Label* label, int& side);
void PlaceBoxLabel(BoxControl* box);
// Asks for a kind with the chooser; "" when cancelled.
QString AskBoxClass();
// Adds a box at the user's request; kind -1 asks first. Null when cancelled or refused.
BoxControl* AddBox(int& kind, int x, int y);
// Deletes the boxes of the grid's selected rows; confirm asks first.
void DeleteBoxRows(Grid& grid, bool confirm);
// Deletes the selected boxes and the current one, after asking.
void DeleteSelectedBoxes(BoxControl* current);

int BoxClassCode(const BoxControl* box);
BoxControl* GetBoxByIndex(int index);
// The caption label of a box index (kinds 0 .. 2), or null.
Label* CaptionLabel(int index);

void SetBoxValue(BoxControl* box, const QString& text);
QString GetBoxValue(const BoxControl* box);

}  // namespace bw
