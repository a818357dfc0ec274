#include "store/BoxEditing.h"

#include "platform/VbNumbers.h"
#include "store/BoxModel.h"
#include "store/BoxToRow.h"
#include "store/Canvas.h"
#include "store/CheckBox.h"
#include "store/Label.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/BoxLook.h"
#include "store/TextBox.h"

namespace bw {

void MoveBox(int dx, int dy, BoxControl* box) {
    if (!box) return;
    MainForm& mf = MF();
    if (auto* l = dynamic_cast<Line*>(box)) {
        switch (mf.PG->MousePointer) {
            case 5:
                l->SetEnds(l->X1() + dx, l->Y1() + dy, l->X2(), l->Y2());
                break;
            case 8:
                l->SetEnds(l->X1(), l->Y1(), l->X2() + dx, l->Y2() + dy);
                break;
            default:
                l->SetEnds(l->X1() + dx, l->Y1() + dy, l->X2() + dx, l->Y2() + dy);
                break;
        }
    } else {
        // Zero first, then the far edges: a box larger than the canvas ends up with a negative
        // Left or Top, as it always did.
        const double pgW = mf.PG->Width(), pgH = mf.PG->Height();
        int left = box->Left() + dx, top = box->Top() + dy;
        if (left < 0) left = 0;
        if (top < 0) top = 0;
        if (left + box->Width() > pgW) left = CLng(pgW - box->Width());
        if (top + box->Height() > pgH) top = CLng(pgH - box->Height());
        box->Move(left, top);
    }
    PlaceBoxLabel(box);
    UpdateRowFromBox(box);
}

bool IsBoxSelected(const BoxControl* box) {
    if (!box) return false;
    switch (box->Kind()) {
        case kCheckBox:
            return static_cast<const CheckBox*>(box)->Appearance() == 0;
        case kTextBox:
            return static_cast<const TextBox*>(box)->BackColor() == kSelectionGrey;
        case kPictureBox:
            return static_cast<const PictureBox*>(box)->BorderStyle() == 1;
        case kLine:
            return static_cast<const Line*>(box)->BorderColor() == kSelectionGrey;
        case kLabel:
            return static_cast<const Label*>(box)->BorderStyle() == 1;
    }
    return false;
}

}  // namespace bw
