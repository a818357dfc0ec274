#pragma once
// How a box shows that the designer has selected it, and the relation colours that data
// entry puts on text boxes. A box is selected exactly while it shows the selection look
// (IsBoxSelected in BoxEditing.h reads it back); there is no list of selected boxes.

#include <QColor>

namespace bw {

class BoxControl;

// The grey of a selected text box or line.
inline const QColor kSelectionGrey(208, 208, 208);

// clear = false gives the box the selection look of its kind, clear = true the normal look:
// text box grey / white back colour; check box flat / 3D; picture box single border / none
// (a picture box with a coloured back becomes white and is drawn again); line grey / its own
// colour (the Color cell of its grid row); label single border / none. While the format is
// locked, lines and labels always get the normal look.
void SetBoxSelectLook(BoxControl* box, bool clear);

// The line's own colour: the back colour of the Color cell of its grid row (black without one).
QColor LineOwnColour(const BoxControl* line);

// Every text box showing one of the four relation colours becomes white again; the
// selection grey stays.
void HideRelationColor();

}  // namespace bw
