#include "filling/LinkWriters.h"

#include "platform/Grid.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxEditing.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"

namespace bw {

namespace {

// Links head -> each selected box of the kind (index order) -> ... in the column; the last
// box links back to the head when `close`. A link is the named row's identity as the grid
// holds it (the same-value mode), negated for the history mode.
void writeChain(BoxControl* head, BoxKind kind, int column, bool negate, bool close) {
    if (!head || head->Kind() != kind) return;
    Grid& g = MF().BoxGrid();
    auto idOf = [&g](const BoxControl* b) { return g.TextMatrix(BoxRow(b), col::ID); };
    auto valid = [&g](const BoxControl* b) {
        const int r = BoxRow(b);
        return r >= g.FixedRows() && r < g.Rows();
    };
    if (!valid(head)) return;
    const QString headId = idOf(head);
    auto linkTo = [negate](const QString& id) {
        if (!negate) return id;
        return id.startsWith(u'-') ? id.mid(1) : QStringLiteral("-") + id;
    };
    BoxControl* prev = head;
    for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
        BoxControl* b = GetBoxByIndex(i);
        if (!b || !valid(b) || !IsBoxSelected(b) || idOf(b) == headId) continue;
        g.SetTextMatrix(BoxRow(prev), column, linkTo(idOf(b)));
        prev = b;
    }
    if (close && prev != head) g.SetTextMatrix(BoxRow(prev), column, linkTo(headId));
}

}  // namespace

void mRtlCtl_Click(BoxControl* head) {
    if (!head) return;
    if (head->Kind() == kCheckBox)
        RtlCheckBox(head);
    else if (head->Kind() == kTextBox)
        writeChain(head, kTextBox, col::RCtl, false, true);
}

void RtlCheckBox(BoxControl* head) {
    writeChain(head, kCheckBox, col::RCtl, false, true);
}

void mReCtlList_Click(BoxControl* head) {
    writeChain(head, kTextBox, col::RCtl1, true, false);
}

}  // namespace bw
