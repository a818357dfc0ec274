#include "store/BoxModel.h"

#include "common/Common.h"
#include "common/Globals.h"
#include "common/GridFunctions.h"
#include "common/SelFormat.h"
#include "common/Services.h"
#include "platform/Dialogs.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxEditing.h"
#include "store/BoxToRow.h"
#include "store/Canvas.h"
#include "store/CheckBox.h"
#include "store/Label.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"
#include "store/RowToBox.h"
#include "store/TextBox.h"

namespace bw {

void InitBoxModule() {
    BoxCount.fill(0);
}

void UnloadAllBoxes() {
    MainForm& mf = MF();
    // The arrays are emptied before the boxes go: a box losing the focus as it is deleted
    // must not find its neighbours half destroyed.
    auto tt = std::move(mf.TT);
    auto cc = std::move(mf.CC);
    auto ii = std::move(mf.II);
    auto ln = std::move(mf.LN);
    auto lb = std::move(mf.LB);
    auto ll = std::move(mf.LL);
    mf.TT.clear();
    mf.CC.clear();
    mf.II.clear();
    mf.LN.clear();
    mf.LB.clear();
    mf.LL.clear();
    BoxCount.fill(0);
    for (auto* b : tt) delete b;
    for (auto* b : cc) delete b;
    for (auto* b : ii) delete b;
    for (auto* b : ln) delete b;
    for (auto* b : lb) delete b;
    for (auto& [i, l] : ll) delete l;
}

BoxControl* LoadBoxControl(int kind, int& row) {
    if (kind < 0 || kind > 4) return nullptr;
    if (BoxCount[kind] >= kMaxBoxesPerKind) {
        dlg::MsgBox(QStringLiteral("每类输入框最多只能有%1个，无法再添加！").arg(kMaxBoxesPerKind),
                    dlg::OkOnly);
        return nullptr;
    }
    MainForm& mf = MF();
    const int index = kind * 1000 + BoxCount[kind] + 1;
    BoxControl* box = nullptr;
    switch (kind) {
        case kTextBox: {
            auto* t = new TextBox(mf.PG);
            mf.TT.push_back(t);
            box = t;
            break;
        }
        case kCheckBox: {
            auto* c = new CheckBox(mf.PG);
            mf.CC.push_back(c);
            box = c;
            break;
        }
        case kPictureBox: {
            auto* p = new PictureBox(mf.PG);
            mf.II.push_back(p);
            box = p;
            break;
        }
        case kLine: {
            auto* l = new Line(mf.PG);
            l->SetBorderColor(Qt::black);
            mf.LN.push_back(l);
            box = l;
            break;
        }
        default: {
            auto* l = new Label(mf.PG);
            mf.LB.push_back(l);
            box = l;
            break;
        }
    }
    box->SetIndex(index);
    box->SetVisible(true);
    BoxCount[kind] += 1;
    if (const auto& attach = Doors().filling.attachBox) attach(box);
    if (kind <= kPictureBox) {
        Label* caption = Label::NewCaption(mf.PG);
        caption->SetIndex(index);
        caption->SetAutoSize(true);
        mf.LL[index] = caption;
    }
    if (row < 1) {
        box->Tag.clear();
        row = UpdateRowFromBox(box);
    }
    box->Tag = QString::number(row);
    NoteBoxOfRow(row, index);
    return box;
}

Label* CaptionLabel(int index) {
    auto& ll = MF().LL;
    auto it = ll.find(index);
    return it == ll.end() ? nullptr : it->second;
}

void PlaceBoxLabel(BoxControl* box) {
    int side = -1;
    PlaceBoxLabel(box, nullptr, side);
}

void PlaceBoxLabel(BoxControl* box, Label* label, int& side) {
    if (!box || box->Kind() > kPictureBox) return;
    if (!label) {
        // A box of the arrays is its row's box; finding it by its row walks the whole kind,
        // which a drag of many boxes would do for every box at every step.
        const int index =
            GetBoxByIndex(box->Index()) == box ? box->Index() : BoxIndexOfRow(BoxRow(box));
        label = CaptionLabel(index);
    }
    if (!label) return;
    if (side == -1) side = BoxLabelSide(box);
    switch (side) {
        case 0:
            label->Move(box->Left(), box->Top() - label->Height());
            break;
        case 1:
            label->Move(box->Left() - label->Width(), box->Top() + 40);
            break;
        case 2:
            label->Move(box->Left() + box->Width(), box->Top() + 40);
            break;
        case 3:
            label->Move(box->Left(), box->Top() + box->Height());
            break;
        default:
            break;
    }
}

QString AskBoxClass() {
    return RunChooser(QStringLiteral("CtlClas"), false, QStringLiteral("请选择要添加的输入框类型"));
}

BoxControl* AddBox(int& kind, int x, int y) {
    if (kind == -1) {
        const QString s = AskBoxClass();
        if (s.isEmpty()) return nullptr;
        kind = CLng(Val(s));
    }
    int row = 0;
    BoxControl* box = LoadBoxControl(kind, row);
    if (!box) return nullptr;
    if (x != 0 || y != 0) {
        int rx = box->Left(), ry = box->Top();
        if (auto* l = dynamic_cast<Line*>(box)) {
            rx = l->X1();
            ry = l->Y1();
        }
        MoveBox(x - rx, y - ry, box);
    }
    if (kind <= kPictureBox) PlaceBoxLabel(box);
    return box;
}

void DeleteBoxRows(Grid& grid, bool confirm) {
    if (grid.Rows() == grid.FixedRows()) return;
    int first = grid.Row(), last = grid.RowSel();
    OrderPair(first, last);
    if (confirm) {
        const QString q = QStringLiteral("您确定要删除第") + QString::number(first - 1) +
                          QStringLiteral("行至第") + QString::number(last - 1) +
                          QStringLiteral("行对应的输入框？");
        if (dlg::MsgBox(q, dlg::YesNo | dlg::Question) != dlg::Yes) return;
    }
    DeleteGridRows(grid, first, last, false);
    ReloadFormatBoxes(grid, true);
    if (const auto& load = Doors().records.loadDefaultData) load(MF().CurrentFormat());
}

void DeleteSelectedBoxes(BoxControl* current) {
    if (dlg::MsgBox(QStringLiteral("您确定要删除选定的输入框和当前输入框？"),
                    dlg::YesNo | dlg::Question) != dlg::Yes)
        return;
    MainForm& mf = MF();
    mf.PG->hide();
    std::vector<int> rows;
    for (int kind = 0; kind <= 4; ++kind) {
        for (int i = LastBoxIndex(kind); i >= FirstBoxIndex(kind); --i) {
            BoxControl* b = GetBoxByIndex(i);
            if (!b) continue;
            if ((current && b->Index() == current->Index()) || IsBoxSelected(b))
                rows.push_back(BoxRow(b));
        }
    }
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    Grid& grid = mf.BoxGrid();
    for (int r : rows) {
        if (r < grid.FixedRows() || r >= grid.Rows()) continue;
        int a = r, b = r;
        DeleteGridRows(grid, a, b, false);
    }
    ReloadFormatBoxes(grid, true);
    if (const auto& load = Doors().records.loadDefaultData) load(mf.CurrentFormat());
    mf.PG->show();
}

int BoxClassCode(const BoxControl* box) {
    return box ? static_cast<int>(box->Kind()) : 0;
}

BoxControl* GetBoxByIndex(int index) {
    MainForm& mf = MF();
    auto pick = [](auto& vec, int n) -> BoxControl* {
        return (n >= 1 && n <= static_cast<int>(vec.size())) ? vec[n - 1] : nullptr;
    };
    if (index >= 0 && index <= 999) return pick(mf.TT, index);
    if (index >= 1000 && index <= 1999) return pick(mf.CC, index - 1000);
    if (index >= 2001 && index <= 2999) return pick(mf.II, index - 2000);
    if (index >= 3001 && index <= 3999) return pick(mf.LN, index - 3000);
    if (index >= 4001 && index <= 4999) return pick(mf.LB, index - 4000);
    return nullptr;
}

void SetBoxValue(BoxControl* box, const QString& text) {
    if (!box) return;
    switch (box->Kind()) {
        case kTextBox: {
            auto* t = static_cast<TextBox*>(box);
            QString v = text;
            if (!LineBreakMark.isEmpty()) v.replace(LineBreakMark, QStringLiteral("\r\n"));
            t->SetText(v);
            if (const auto& convert = Doors().filling.convertByDataType)
                t->SetText(convert(t, t->Text()));
            break;
        }
        case kCheckBox:
            static_cast<CheckBox*>(box)->SetValue(text.trimmed().isEmpty() ? 0 : 1);
            break;
        case kPictureBox:
            RefreshPictureBox(static_cast<PictureBox*>(box), text);
            break;
        default:
            break;
    }
}

QString GetBoxValue(const BoxControl* box) {
    if (!box) return {};
    switch (box->Kind()) {
        case kTextBox:
            return static_cast<const TextBox*>(box)->Text();
        case kCheckBox: {
            const int v = static_cast<const CheckBox*>(box)->Value();
            return v == 0 ? QString() : QString::number(v);
        }
        case kPictureBox:
            return static_cast<const PictureBox*>(box)->LinkItem;
        default:
            return {};
    }
}

}  // namespace bw
