#include "store/BoxLook.h"

#include "common/GridFunctions.h"
#include "store/BoxAccessors.h"
#include "store/BoxEditing.h"
#include "store/BoxModel.h"
#include "store/CheckBox.h"
#include "store/Label.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"
#include "store/TextBox.h"

namespace bw {

QColor LineOwnColour(const BoxControl* line) {
    const Grid& g = MF().BoxGrid();
    const int row = BoxRow(line);
    if (row < g.FixedRows() || row >= g.Rows()) return Qt::black;
    return RgbValueToColor(GetCellProperty(g, row, col::Color, false));
}

void SetBoxSelectLook(BoxControl* box, bool clear) {
    if (!box) return;
    const bool locked = MF().O2Value(2) == 1;
    switch (box->Kind()) {
        case kCheckBox:
            static_cast<CheckBox*>(box)->SetAppearance(clear ? 1 : 0);
            break;
        case kTextBox:
            static_cast<TextBox*>(box)->SetBackColor(clear ? QColor(Qt::white) : kSelectionGrey);
            break;
        case kPictureBox: {
            auto* p = static_cast<PictureBox*>(box);
            p->SetBorderStyle(clear ? 0 : 1);
            if (p->BackColor() != QColor(Qt::white)) {
                p->SetBackColor(Qt::white);
                const QString text = p->LinkItem;  // the refresh clears LinkItem first
                RefreshPictureBox(p, text);
            }
            break;
        }
        case kLine: {
            auto* l = static_cast<Line*>(box);
            l->SetBorderColor(clear || locked ? LineOwnColour(l) : kSelectionGrey);
            break;
        }
        case kLabel:
            static_cast<Label*>(box)->SetBorderStyle(clear || locked ? 0 : 1);
            break;
    }
}

void HideRelationColor() {
    for (TextBox* t : MF().TT) {
        const QColor c = t->BackColor();
        if (c == kHistoryChainColor || c == kSameValueChainColor || c == kAddSourceColor ||
            c == kMultiplySourceColor)
            t->SetBackColor(Qt::white);
    }
}

int CountSelectedBoxes() {
    int n = 0;
    for (int kind : {int(kTextBox), int(kPictureBox)})
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i)
            if (IsBoxSelected(GetBoxByIndex(i))) ++n;
    return n;
}

}  // namespace bw
