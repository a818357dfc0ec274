#include "designer/Alignment.h"

#include <vector>

#include <algorithm>
#include "designer/Dragging.h"
#include "platform/Dialogs.h"
#include "platform/VbNumbers.h"
#include "store/BoxControl.h"
#include "store/BoxEditing.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/MainForm.h"

namespace bw {

namespace {

std::vector<BoxControl*> selectedBoxes(int mode) {
    std::vector<int> kinds = mode >= 4 ? std::vector<int>{kTextBox, kPictureBox, kLabel}
                                       : std::vector<int>{kTextBox, kCheckBox, kPictureBox, kLabel};
    std::vector<BoxControl*> out;
    for (int kind : kinds)
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i)
            if (BoxControl* b = GetBoxByIndex(i); b && IsBoxSelected(b)) out.push_back(b);
    return out;
}

}  // namespace

void AlignSelectedBoxes(int mode) {
    if (mode < 0 || mode > 5) return;
    const std::vector<BoxControl*> boxes = selectedBoxes(mode);
    double ref = -10000;
    for (BoxControl* b : boxes) {
        const double left = b->Left(), top = b->Top(), w = b->Width(), h = b->Height();
        switch (mode) {
            case 0:
                if (top < ref || ref < 0) ref = top;
                break;
            case 1:
                if (left < ref || ref < 0) ref = left;
                break;
            case 2:
                ref = std::max(ref, left + w);
                break;
            case 3:
                ref = std::max(ref, top + h);
                break;
            case 4:
                ref = std::max(ref, w);
                break;
            default:
                ref = std::max(ref, h);
                break;
        }
    }
    if (ref < 0) {
        dlg::MsgBox(QStringLiteral("请先选定多个输入框，再操作此功能！"));
        return;
    }
    MainForm& mf = MF();
    const double unitsPerMm = mf.PG->Width() / mf.PaperWidthMm();
    const double proposal = RoundTo(ref / unitsPerMm, 2);
    const std::optional<QString> answer =
        dlg::InputBox(QStringLiteral("请输入设定值(毫米)："), QString(), NumText(proposal));
    if (!answer) return;
    const QString text = answer->trimmed();
    if (text.isEmpty() || !IsNumeric(text)) return;
    ref = Val(text) * unitsPerMm;
    for (BoxControl* b : boxes) {
        switch (mode) {
            case 0:
                MoveBox(0, CLng(ref - b->Top()), b);
                break;
            case 1:
                MoveBox(CLng(ref - b->Left()), 0, b);
                break;
            case 2:
                MoveBox(CLng(ref - (double(b->Left()) + b->Width())), 0, b);
                break;
            case 3:
                MoveBox(0, CLng(ref - (double(b->Top()) + b->Height())), b);
                break;
            case 4:
                ResizeBox(CLng(ref - b->Width()), 0, b);
                break;
            default:
                ResizeBox(0, CLng(ref - b->Height()), b);
                break;
        }
    }
}

void AlignSize() {
    AlignSelectedBoxes(5);
    AlignSelectedBoxes(4);
}

}  // namespace bw
