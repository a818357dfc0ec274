#include "designer/BillClearing.h"

#include <QAction>

#include "platform/Grid.h"
#include "store/BoxAccessors.h"
#include "store/BoxEditing.h"
#include "store/BoxModel.h"
#include "store/CheckBox.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"
#include "store/TextBox.h"

namespace bw {

namespace {

// A selected check box counts too: clearing only what the clerk marked must never become
// clearing the whole bill.
bool anySelected() {
    for (int kind = kTextBox; kind <= kPictureBox; ++kind)
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i)
            if (IsBoxSelected(GetBoxByIndex(i))) return true;
    return false;
}

}  // namespace

void mClearCtl_Click() {
    MainForm& mf = MF();
    const bool clearAll = !anySelected();
    const int lastKind = clearAll && mf.mForbidPicClear->isChecked() ? kCheckBox : kPictureBox;
    for (int kind = kTextBox; kind <= lastKind; ++kind) {
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            BoxControl* box = GetBoxByIndex(i);
            if (!box || (!clearAll && !IsBoxSelected(box))) continue;
            if (auto* t = dynamic_cast<TextBox*>(box)) {
                const int row = BoxRow(box);
                const Grid& g = mf.BoxGrid();
                if (row >= g.FixedRows() && row < g.Rows() &&
                    !g.TextMatrix(row, col::LBL).isEmpty())
                    t->SetText(QString());
            } else if (auto* c = dynamic_cast<CheckBox*>(box)) {
                c->SetValue(0);
            } else if (auto* p = dynamic_cast<PictureBox*>(box); p && !p->LinkItem.isEmpty()) {
                RefreshPictureBox(p, QString());
            }
        }
    }
}

void ClearBill() {
    mClearCtl_Click();
}

}  // namespace bw
