#include "designer/Dragging.h"

#include <algorithm>
#include <cmath>

#include "designer/DesignState.h"
#include "designer/LinePicking.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxEditing.h"
#include "store/BoxModel.h"
#include "store/BoxToRow.h"
#include "store/Canvas.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace bw {

namespace {

// Within the 12-unit dead zone of the drag point on both axes.
bool withinDeadZone(double x, double y) {
    const DesignState& st = Design();
    return std::fabs(x - st.DragX) <= 12 && std::fabs(y - st.DragY) <= 12;
}

void setPointer(BoxControl* box, int code, const QString& tip) {
    box->MousePointer = code;
    box->SetToolTipText(tip);
    ShowPointerShape(box->Widget(), code);
}

}  // namespace

void DesignMouseMove(BoxControl* box, int button, double x, double y, int lockValue,
                     bool resizable) {
    if (!box) return;
    DesignState& st = Design();
    if (lockValue == 1) {
        box->MousePointer = 0;
        ShowPointerShape(box->Widget(), 0);
        return;
    }
    if (box->Kind() == kLine) {
        if (button == kLeftButton && !withinDeadZone(x, y)) {
            MoveSelectedBoxes(CLng(x - st.DragX), CLng(y - st.DragY), box->Index());
            st.DragX = CLng(x);
            st.DragY = CLng(y);
        }
        return;
    }
    if (button == kLeftButton) {
        if (box->MousePointer == 5 && !withinDeadZone(x, y))
            MoveSelectedBoxes(CLng(x - st.DragX), CLng(y - st.DragY), box->Index());
        if (box->MousePointer == 8 && !withinDeadZone(x, y)) {
            ResizeSelectedBoxes(CLng(x - st.DragX), CLng(y - st.DragY), box->Index());
            st.DragX = CLng(x);
            st.DragY = CLng(y);
        }
        return;
    }
    if (x < 100 && y < 100) {
        setPointer(box, 5,
                   QStringLiteral("提示：按住鼠标左键(别松开),拖动鼠标,即可移动本输入框位置。"));
    } else if (x > box->Width() - 100 && y > box->Height() - 100) {
        if (!resizable) return;
        setPointer(box, 8,
                   QStringLiteral("提示：按住鼠标左键(别松开),拖动鼠标,即可改变本输入框大小。"));
    } else {
        setPointer(box, 3, QStringLiteral("提示：点击鼠标左键,可以输入内容。"));
    }
    st.DragX = CLng(x);
    st.DragY = CLng(y);
}

void MoveSelectedBoxes(long dx, long dy, int boxIndex) {
    for (int kind = 0; kind <= 4; ++kind) {
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            BoxControl* box = GetBoxByIndex(i);
            if (box && (i == boxIndex || IsBoxSelected(box))) MoveBox(dx, dy, box);
        }
    }
}

void ResizeSelectedBoxes(long dw, long dh, int boxIndex) {
    for (int kind :
         {kTextBox, kPictureBox, kLabel}) {  // lines have no size; check boxes keep theirs
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            BoxControl* box = GetBoxByIndex(i);
            if (box && (i == boxIndex || IsBoxSelected(box))) ResizeBox(dw, dh, box);
        }
    }
}

void ResizeBox(long dw, long dh, BoxControl* box) {
    if (!box || box->Kind() == kLine) return;
    const Canvas* pg = MF().PG;
    long w = CLng(double(box->Width()) + dw), h = CLng(double(box->Height()) + dh);
    if (w < 0) w = 0;
    if (h < 0) h = 0;
    if (box->Left() + w > pg->Width()) w = CLng(pg->Width() - box->Left());
    if (box->Top() + h > pg->Height()) h = CLng(pg->Height() - box->Top());
    box->Move(box->Left(), box->Top(), int(w), int(h));
    PlaceBoxLabel(box);
    UpdateRowFromBox(box);
}

void DesignKeyDown(int keyCode, int shift, int lockValue) {
    if (lockValue == 1 || keyCode < 37 || keyCode > 40) return;
    static const int dxs[] = {-10, 0, 10, 0}, dys[] = {0, -10, 0, 10};
    const int k = keyCode - 37;
    switch (shift) {
        case 0:
            MoveSelectedBoxes(dxs[k], dys[k], -1);
            break;
        case kShiftKey:
            ResizeSelectedBoxes(dxs[k], dys[k], -1);
            break;
        case kCtrlKey:
            StepSelectedFontSize(k < 2 ? -0.5 : 0.5);
            break;
        default:
            break;
    }
}

void StepSelectedFontSize(double delta) {
    Grid& g = MF().BoxGrid();
    for (int kind = 0; kind <= 4; ++kind) {
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            BoxControl* box = GetBoxByIndex(i);
            if (!box || !IsBoxSelected(box)) continue;
            const int row = BoxRow(box);
            if (row < g.FixedRows() || row >= g.Rows()) continue;
            const double size = std::max(kSmallestFontStep, CellNumber(g, row, col::fSize) + delta);
            g.SetTextMatrix(row, col::fSize, NumText(size));
            ApplyRowToBox(g, row);
        }
    }
}

}  // namespace bw
