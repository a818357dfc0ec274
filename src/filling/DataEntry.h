#pragma once
// Data entry on the text boxes of the bill: the key filter of numeric boxes, completion of a
// typed beginning from earlier bills, the drop-down list over a box, tick boxes, the colours
// of the boxes linked to the focused box, and what leaving a box does (convert the value by
// its data type, then recalculate the linked boxes). The handlers are attached to every box
// the canvas loads (AttachBoxEvents) and may be called directly.

#include <QString>

class QComboBox;
class QTimer;

namespace bw {

class BoxControl;
class TextBox;

// The key filter: a key typed into a box of data type 1..99 or 105..108 passes only when it
// is a digit, ".", "-" or Backspace (8); any other character comes back as 0. Every key but
// Backspace arms the completion, even one the filter swallowed.
int TT_KeyPress(TextBox* box, int keyAscii);

// The main window's completion timer (50 ms, single-shot); without one the filling keeps a
// timer of its own.
void SetAutoFindTimer(QTimer* timer);
QTimer* AutoFindTimer();
// Arms the completion for the box.
void ArmAutoFind(TextBox* box);
// One tick of the completion timer: when exactly one earlier value of the box begins with
// its text, the box shows that value with the added part selected. Disarms the timer.
void AutoFindTick();
// The one earlier value of the box (identity boxId, format) that begins with `typed`; ""
// when none or several do. The user's "%", "_" and "\" match only themselves.
QString CompletionFor(const QString& format, double boxId, const QString& typed);

// A click in a box: a tick box (data type 115) toggles "√"; the drop-down is hidden.
void TT_Click(TextBox* box);
// A double click opens the drop-down list of the box's choices over it.
void TT_DblClick(TextBox* box);
// The drop-down list (created over the canvas on first use); its text goes into its box.
QComboBox* BoxDropDown();
void COMB_Change();
void COMB_Click();

// The focused box shows its links: the boxes on its chains and the boxes adding or
// multiplying into it get their relation colours (not a selected box, not while the format
// is locked).
void TT_GotFocus(TextBox* box);
// Leaving a box: its text converted by its data type, then the linked boxes recalculated.
void TT_LostFocus(TextBox* box);
void TT_LostFocus(int index);

// Gives a box loaded on the canvas its data-entry handlers: keys, clicks and focus of text
// boxes (focus loss converts only on a real focus change, not when a pop-up menu or another
// window takes the focus), the single-choice ring of check boxes.
void AttachBoxEvents(BoxControl* box);

}  // namespace bw
