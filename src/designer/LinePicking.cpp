#include "designer/LinePicking.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

#include "designer/DesignState.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "store/Canvas.h"
#include "store/Line.h"
#include "store/MainForm.h"

namespace bw {

DesignState& Design() {
    static DesignState state;
    return state;
}

int LockValue() {
    return MF().O2Value(2);
}

bool FormatLocked() {
    return LockValue() == 1;
}

double ScreenTwipsPerPixel() {
    return kTwipsPerPixel;
}

int LineHitPart(const Line* line, double x, double y) {
    if (!line) return -1;
    const float w = static_cast<float>(line->BorderWidth() * ScreenTwipsPerPixel());
    const double wl = RoundHalfEven(w);
    const double d = wl / 2 < 30 ? 30 : wl;
    double x1 = line->X1(), y1 = line->Y1(), x2 = line->X2(), y2 = line->Y2();
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (x < x1 - d || x > x2 + d || y < y1 - d || y > y2 + d) return -1;
    const double X1 = line->X1(), Y1 = line->Y1(), X2 = line->X2(), Y2 = line->Y2();
    if (X1 - d <= x && x <= X1 + d && Y1 - d <= y && y <= Y1 + d) return 0;
    if (X2 - d <= x && x <= X2 + d && Y2 - d <= y && y <= Y2 + d) return 2;
    if (std::fabs(X2 - X1) > w) {
        const double k = (Y2 - Y1) / (X2 - X1);
        const double v = CLng((X2 - x) * k + y);
        if (Y2 - d <= v && v <= Y2 + d) return 1;
    } else if (y1 <= y && y <= y2) {
        return 1;
    }
    return -1;
}

Line* FindLineAt(int button, double x, double y, int& part) {
    part = -1;
    MainForm& mf = MF();
    if (mf.O2Value(2) != 0) return nullptr;
    DesignState& st = Design();
    Line* found = nullptr;
    for (Line* l : mf.LN) {
        st.HitLine = l;
        part = LineHitPart(l, x, y);
        if (part >= 0) {
            found = l;
            break;
        }
    }
    Canvas* pg = mf.PG;
    if (found) {
        if (part == 0)
            pg->MousePointer = 5;
        else if (part == 2)
            pg->MousePointer = 8;
        else if (pg->MousePointer == 0)
            pg->MousePointer = 2;
        st.DragX = CLng(x);
        st.DragY = CLng(y);
        pg->setToolTip(QStringLiteral("提示：按住鼠标左键(别松开),拖动鼠标,即可拖动本线条。"));
    } else if (button != kLeftButton && pg->MousePointer != 0) {
        pg->MousePointer = 0;
    }
    ShowPointerShape(pg, pg->MousePointer);
    return found;
}

void ShowPointerShape(QWidget* widget, int code) {
    if (!widget) return;
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (code) {
        case 2:
            shape = Qt::CrossCursor;
            break;
        case 3:
            shape = Qt::IBeamCursor;
            break;
        case 5:
            shape = Qt::SizeAllCursor;
            break;
        case 8:
            shape = Qt::SizeFDiagCursor;
            break;
        default:
            break;
    }
    if (widget->cursor().shape() != shape) widget->setCursor(shape);
}

}  // namespace bw
