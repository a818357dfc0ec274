#pragma once
// The main window's format commands that the format library carries out: a new empty
// format of a typed size, and the double click on the current-format label.

#include <QString>

class QLabel;

namespace bw {

// What the sizes typed for a new format are worth.
enum class FormatSizeCheck { Ok, WidthZero, HeightZero, BadRatio };
// Width and height as typed (their leading numbers): not above zero, or a width to height
// ratio outside 1:20 .. 20:1 (both limits allowed).
FormatSizeCheck CheckFormatSize(const QString& width, const QString& height);

// "新建格式": a loaded batch may go (No ends here) and a changed layout of the open format
// is saved or dropped first (Cancel ends here); asks for the name, the width and the height (mm),
// empties the canvas, sizes it and saves the empty format under the name, which becomes current.
// Cancelling any question leaves the open format as it was; a refused name is refused before
// anything changes, and a save that does not happen shows the open format again with its batch. The
// new format opens with an empty batch.
void mNewFmt_Click();

// The current-format label was double-clicked: the format list.
void LFMT_DblClick();
// Makes a double click on the label run LFMT_DblClick (once per label).
void AttachFormatLabelEvents(QLabel* label);

}  // namespace bw
