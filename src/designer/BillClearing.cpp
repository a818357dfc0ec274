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

bool anySelected() {
    for (int kind = kTextBox; kind <= kPictureBox; ++kind)
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i)
            if (IsBoxSelected(GetBoxByIndex(i))) return true;
    return false;
}

}  // namespace

void ClearBill() {
    MainForm& mf = MF();
    const bool onlySelected = anySelected();
    const bool keepPictures = mf.mForbidPicClear->isChecked();
    for (int kind = kTextBox; kind <= kPictureBox; ++kind) {
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            BoxControl* box = GetBoxByIndex(i);
            if (!box || (onlySelected && !IsBoxSelected(box))) continue;
            if (auto* t = dynamic_cast<TextBox*>(box)) {
                const int row = BoxRow(box);
                if (row > 0 && !mf.BoxGrid().TextMatrix(row, col::LBL).isEmpty())
                    t->SetText(QString());
            } else if (auto* c = dynamic_cast<CheckBox*>(box)) {
                c->SetValue(0);
            } else if (auto* p = dynamic_cast<PictureBox*>(box); p && !keepPictures) {
                RefreshPictureBox(p, QString());
            }
        }
    }
}

}  // namespace bw
