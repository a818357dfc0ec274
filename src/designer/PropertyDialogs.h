#pragma once
// Opening the property dialog of a box: the box-properties editor for a text box and the
// property dialogs of check boxes, picture boxes, lines and labels. Each dialog is one window
// at a time, shown without blocking; opening it for another box loads that box instead.

namespace bw {

class BoxControl;
class PropertyDialog;

// Shows the dialog of the box's kind bound to the box; nothing for a null box.
void ShowPropertyDialog(BoxControl* box);

// The dialog of a kind that is open now, or null.
PropertyDialog* OpenPropertyDialog(int kind);

}  // namespace bw
