#pragma once
// The looks a box shows on the canvas: the designer's selection look (the selection is the
// look; there is no list of selected boxes) and the relation colours the focused text box
// puts on the boxes linked to it.

#include <QColor>

namespace bw {

class BoxControl;

// The relation colours of text boxes: a history chain, a same-value chain, a box adding into
// the focused one, a box multiplying into it.
inline const QColor kHistoryChainColor(0, 255, 17);       // &H11FF00
inline const QColor kSameValueChainColor(255, 170, 170);  // &HAAAAFF
inline const QColor kAddSourceColor(170, 255, 170);       // &HAAFFAA
inline const QColor kMultiplySourceColor(170, 170, 255);  // &HFFAAAA
// The selection grey of text boxes and lines.
inline const QColor kSelectionGrey(208, 208, 208);

// clear = false gives the box the selection look of its kind, clear = true the normal look:
// text box grey / white back colour; check box flat / 3D; picture box single border / none
// (a picture box with a coloured back becomes white and is drawn again); line grey / its own
// colour (the Color cell of its grid row); label single border / none. While the format is
// locked, lines and labels always get the normal look.
void SetBoxSelectLook(BoxControl* box, bool clear);

// The line's own colour: the back colour of the Color cell of its grid row (black without one).
QColor LineOwnColour(const BoxControl* line);

// Text boxes showing a relation colour become white again; the selection grey stays.
void HideRelationColor();

// The number of selected text boxes and picture boxes (other kinds are not counted).
int CountSelectedBoxes();

}  // namespace bw
