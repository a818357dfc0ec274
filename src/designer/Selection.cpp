#include "designer/Selection.h"

#include <algorithm>

#include "designer/DesignState.h"
#include "platform/VbNumbers.h"
#include "store/BoxControl.h"
#include "store/BoxEditing.h"
#include "store/BoxLook.h"
#include "store/BoxModel.h"
#include "store/CheckBox.h"
#include "store/Label.h"
#include "store/Line.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"

namespace bw {

bool BoxTouchesRect(const BoxControl* box, long x1, long y1, long x2, long y2) {
    if (!box) return false;
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (const auto* l = dynamic_cast<const Line*>(box)) {
        auto inside = [&](long x, long y) { return x1 <= x && x <= x2 && y1 <= y && y <= y2; };
        return inside(l->X1(), l->Y1()) || inside(l->X2(), l->Y2());
    }
    const double left = CLng(box->Left()), right = CLng(double(box->Left()) + box->Width());
    const double top = CLng(box->Top());
    return !(top + box->Height() < y1 || right < x1 || left > x2 || top > y2);
}

void SelectBoxesInRect(int shift) {
    const DesignState& st = Design();
    for (int kind = 0; kind <= 4; ++kind) {
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            BoxControl* box = GetBoxByIndex(i);
            if (!box) continue;
            const bool touching = BoxTouchesRect(box, st.SelX1, st.SelY1, st.SelX2, st.SelY2);
            if (shift != kCtrlKey)
                SetBoxSelectLook(box, !touching);
            else if (touching)
                SetBoxSelectLook(box, false);
        }
    }
}

void ClearSelection() {
    SelectBoxesInRect(0);
}

void ToggleBoxSelection(BoxControl* box) {
    if (!box) return;
    switch (box->Kind()) {
        case kCheckBox: {
            auto* c = static_cast<CheckBox*>(box);
            c->SetAppearance(c->Appearance() != 0 ? 0 : 1);
            break;
        }
        case kLabel: {
            auto* l = static_cast<Label*>(box);
            l->SetBorderStyle(1 - l->BorderStyle());
            break;
        }
        case kPictureBox: {
            auto* p = static_cast<PictureBox*>(box);
            SetBoxSelectLook(p, IsBoxSelected(p));
            const QString text = p->LinkItem;
            RefreshPictureBox(p, text);
            break;
        }
        default:
            SetBoxSelectLook(box, IsBoxSelected(box));
            break;
    }
}

}  // namespace bw
