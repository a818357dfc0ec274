#include "designer/CanvasEvents.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QRubberBand>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>

#include "common/TwipGeometry.h"
#include "designer/CanvasMenus.h"
#include "designer/DesignState.h"
#include "designer/Dragging.h"
#include "designer/LinePicking.h"
#include "designer/Selection.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "store/BoxControl.h"
#include "store/BoxEditing.h"
#include "store/BoxLook.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"
#include "store/Rulers.h"
#include "store/TextBox.h"

namespace bw {

namespace {

QPointer<QRubberBand> band;

// Where a pop-up menu opens: the click point on the canvas, on the screen.
QPoint menuPlace(double canvasX, double canvasY) {
    return MF().PG->mapToGlobal(QPoint(TwipsToPixels(canvasX), TwipsToPixels(canvasY)) +
                                QPoint(1, 1));
}

// The format tree slides in (Left 0) or out (Left -Width).
void slideTree(bool in) {
    QWidget* tv = MF().TV;
    if (!tv) return;
    const double target = in ? 0 : -TwWidth(tv);
    if (TwLeft(tv) != target) SetTwLeft(tv, target);
    if (in) tv->raise();
}

// Whether a point (frame coordinates, twips) lies beside the tree: to its right, above or below.
bool besideTree(double x, double yInFrame) {
    QWidget* tv = MF().TV;
    return x > TwWidth(tv) || yInFrame < TwTop(tv) || yInFrame > TwTop(tv) + TwHeight(tv);
}

void showBand() {
    if (!band) return;
    const DesignState& st = Design();
    const QRect r = QRect(QPoint(TwipsToPixels(st.SelX1), TwipsToPixels(st.SelY1)),
                          QPoint(TwipsToPixels(st.SelX2), TwipsToPixels(st.SelY2)))
                        .normalized();
    band->setGeometry(r);
    band->raise();
    band->show();
}

int shiftOf(Qt::KeyboardModifiers m) {
    int s = 0;
    if (m & Qt::ShiftModifier) s |= kShiftKey;
    if (m & Qt::ControlModifier) s |= kCtrlKey;
    if (m & Qt::AltModifier) s |= 4;
    return s;
}

int buttonsOf(Qt::MouseButtons b) {
    int v = 0;
    if (b & Qt::LeftButton) v |= kLeftButton;
    if (b & Qt::RightButton) v |= kRightButton;
    if (b & Qt::MiddleButton) v |= 4;
    return v;
}

int vbKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        default:
            return 0;
    }
}

// The box of the canvas that a widget belongs to (a text box's viewport is part of it), or
// null (the caption labels, the rubber band and anything else).
BoxControl* boxOf(QWidget* w, QWidget* pg) {
    while (w && w->parentWidget() != pg) w = w->parentWidget();
    if (!w) return nullptr;
    auto* box = dynamic_cast<BoxControl*>(w);
    if (!box || box->Kind() == kLine) return nullptr;
    return GetBoxByIndex(box->Index()) == box ? box : nullptr;
}

void wire(QObject* o) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w) return;
    w->setMouseTracking(true);
    if (auto* t = qobject_cast<QAbstractScrollArea*>(w)) t->viewport()->setMouseTracking(true);
    // A box's mouse events are the box's alone: one it leaves unaccepted (a picture box or a
    // label accepts none) must not reach the canvas as a second, canvas event, where a drag
    // would draw a rubber band and pick up the boxes it passes over, and a click would drop
    // the marks.
    if (dynamic_cast<BoxControl*>(w)) w->setAttribute(Qt::WA_NoMousePropagation);
}

class CanvasFilter : public QObject {
public:
    explicit CanvasFilter(MainForm* mf) : QObject(mf), mf_(mf), pg_(mf->PG) {
        mf->PG->setMouseTracking(true);
        mf->PG->setFocusPolicy(Qt::ClickFocus);
        for (QObject* c : mf->PG->children()) wire(c);
        band = new QRubberBand(QRubberBand::Rectangle, mf->PG);
        band->setObjectName(QStringLiteral("RubberBand"));
        band->setAttribute(Qt::WA_TransparentForMouseEvents);
        band->hide();
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseMove:
            case QEvent::MouseButtonRelease:
            case QEvent::KeyPress:
            case QEvent::ContextMenu:
            case QEvent::ChildPolished:
            case QEvent::Enter:
                break;
            default:
                return false;
        }
        if (!o->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(o);
        Canvas* pg = pg_;
        if (!pg) return false;  // the window is going
        if (e->type() == QEvent::ChildPolished) {
            if (w == pg) wire(static_cast<QChildEvent*>(e)->child());
            return false;
        }
        if (e->type() == QEvent::Enter &&
            std::any_of(mf_->Zm.begin(), mf_->Zm.end(),
                        [w](const QToolButton* z) { return z == w; })) {
            Form_MouseMove();  // Zm_MouseMove
            return false;
        }
        BoxControl* box = w == pg ? nullptr : boxOf(w, pg);
        if (w != pg && !box) return false;
        switch (e->type()) {
            case QEvent::Enter:
                wire(w);
                return false;
            case QEvent::ContextMenu:
                return true;  // the designer's own menus open on the right button
            case QEvent::KeyPress: {
                // The canvas's own keys, not those a text box passed on to it.
                // (A text box takes its keys in its editor.)
                TextBox::Part part = TextBox::Part::None;
                if (w == pg ? !pg->hasFocus()
                            : TextBox::Owning(w, &part) != box || part != TextBox::Part::Editor)
                    return false;
                auto* k = static_cast<QKeyEvent*>(e);
                if (const int code = vbKey(k->key()))
                    DesignKeyDown(code, shiftOf(k->modifiers()), LockValue());
                return false;
            }
            default:
                break;
        }
        auto* m = static_cast<QMouseEvent*>(e);
        const QPointF p = w == pg ? m->position() : w->mapTo(pg, m->position());
        const double x = PixelsToTwipsF(p.x()), y = PixelsToTwipsF(p.y());
        const int shift = shiftOf(m->modifiers());
        if (e->type() == QEvent::MouseMove) {
            const int buttons = buttonsOf(m->buttons());
            if (box)
                Box_MouseMove(box, buttons, shift, x - box->Left(), y - box->Top());
            else
                PG_MouseMove(buttons, shift, x, y);
            return false;
        }
        const int button = buttonsOf(m->button());
        if (e->type() == QEvent::MouseButtonPress) {
            if (box) {
                Box_MouseDown(box, button, shift, x - box->Left(), y - box->Top());
                return button == kRightButton;
            }
            pg->setFocus(Qt::MouseFocusReason);
            PG_MouseDown(button, shift, x, y);
            return button == kRightButton;
        }
        if (!box) PG_MouseUp(button, shift, x, y);
        return false;
    }

private:
    MainForm* mf_;
    QPointer<Canvas> pg_;
};

}  // namespace

void PG_MouseDown(int button, int shift, double x, double y) {
    MainForm& mf = MF();
    Canvas* pg = mf.PG;
    DesignState& st = Design();
    if (shift != kCtrlKey) HideRelationColor();
    if (button == kRightButton) {
        MenuForm& menus = Menus();
        menus.MenuX = CLng(x);
        menus.MenuY = CLng(y);
        const bool locked = FormatLocked();
        if (pg->MousePointer == 2) {
            menus.MenuTarget = st.CurrentLine;
            SetupCtlMenu(kLine, locked);
            PopupMenu(menus.m_CtlSet, menuPlace(x, y));
            return;
        }
        for (const char* name : {"mCtlAdd", "mModiBackgroundPic", "mClearBackPic"})
            if (QAction* a = menus.item(QLatin1String(name))) mf.SetCommandEnabled(a, !locked);
        PopupMenu(menus.mPicGraph, menuPlace(x, y));
        if (shift != kCtrlKey) ClearSelection();
        return;
    }
    pg->setToolTip(QStringLiteral("按住鼠标左键并拖动鼠标可以选中需要修改的输入框。"));
    st.SelX1 = st.SelX2 = CLng(x);
    st.SelY1 = st.SelY2 = CLng(y);
    if (pg->MousePointer == 2) {
        int part = -1;
        if (Line* l = FindLineAt(button, x, y, part)) SetBoxSelectLook(l, IsBoxSelected(l));
    }
    if (shift != kCtrlKey) ClearSelection();
}

void PG_MouseMove(int button, int shift, double x, double y) {
    MainForm& mf = MF();
    Canvas* pg = mf.PG;
    DesignState& st = Design();
    if (button == 0 && mf.TV) {
        const bool shown = TwLeft(mf.TV) >= 0;
        if (x <= 30 && !shown)
            slideTree(true);
        else if (shown && besideTree(x, pg->Top() + y))
            slideTree(false);
    }
    if (pg->MousePointer == 0 && button == kLeftButton) {
        if (std::fabs(x - st.SelX2) <= 100 && std::fabs(y - st.SelY2) <= 100) return;
        st.SelX2 = CLng(x);
        st.SelY2 = CLng(y);
        showBand();
        SelectBoxesInRect(shift);
        return;
    }
    const int lock = LockValue();
    if (pg->MousePointer == 2 && button == kLeftButton) {
        DesignMouseMove(st.CurrentLine, button, x, y, lock, true);
    } else if ((pg->MousePointer != 5 && pg->MousePointer != 8) || button != kLeftButton) {
        int part = -1;
        Line* l = FindLineAt(button, x, y, part);
        if (l && button == kLeftButton) DesignMouseMove(l, button, x, y, lock, true);
        st.CurrentLine = l;
    } else {
        DesignMouseMove(st.CurrentLine, button, x, y, lock, true);
    }
}

void PG_MouseUp(int button, int, double, double) {
    if (button != kLeftButton) return;
    MainForm& mf = MF();
    mf.PG->MousePointer = 0;
    ShowPointerShape(mf.PG, 0);
    mf.PG->setToolTip(QStringLiteral(
        "箭头键->移动位置，Shift+箭头键->改变控件大小，Ctrl+箭头键->改变字体大小！"));
    if (band) band->hide();
    DrawRulers(mf.PG, mf.PaperWidthMm(), mf.O2Value(0));
}

void Box_MouseDown(BoxControl* box, int button, int shift, double x, double y) {
    if (!box) return;
    MainForm& mf = MF();
    if (box->Kind() == kTextBox && shift != kCtrlKey) HideRelationColor();
    if (button == kRightButton) {
        QWidget* w = box->Widget();
        w->setEnabled(false);
        Menus().MenuTarget = box;
        SetupCtlMenu(box->Kind(), FormatLocked());
        QPointer<QWidget> guard(w);
        PopupMenu(Menus().m_CtlSet, menuPlace(box->Left() + x, box->Top() + y));
        if (guard) guard->setEnabled(true);  // the command may have removed the box
        return;
    }
    if (shift == kCtrlKey) ToggleBoxSelection(box);
    // A picture box (II_GotFocus) or a label takes no keys: the canvas does, for the arrows.
    if (box->Kind() == kPictureBox || box->Kind() == kLabel) mf.PG->setFocus(Qt::MouseFocusReason);
}

void Box_MouseMove(BoxControl* box, int button, int, double x, double y) {
    if (!box) return;
    MainForm& mf = MF();
    const int lock = LockValue();
    if (button == 0 && mf.TV) {
        const double left = TwLeft(mf.TV);
        if (box->Kind() == kTextBox) {
            const double cx = box->Left() + x, cy = box->Top() + y;
            if (cx <= 30 && left < 0)
                slideTree(true);
            else if (left <= 0 && besideTree(cx, cy))
                slideTree(false);
        } else if (box->Kind() == kPictureBox && left >= 0) {
            slideTree(false);
        }
    }
    DesignMouseMove(box, button, x, y, lock, box->Kind() != kCheckBox);
    if (box->Kind() == kPictureBox && lock != 1 && button == kLeftButton) {
        auto* p = static_cast<PictureBox*>(box);
        const QString text = p->LinkItem;
        RefreshPictureBox(p, text);
    }
}

void Form_MouseMove() {
    QWidget* tv = MF().TV;
    if (tv && TwLeft(tv) <= 0) slideTree(false);
}

void InstallCanvasDesigner() {
    MainForm& mf = MF();
    if (mf.property("canvasDesigner").toBool()) return;
    mf.setProperty("canvasDesigner", true);
    new CanvasFilter(&mf);
    // The lock also reaches the box menu's edit items at once.
    QObject::connect(&mf, &MainForm::OptionClicked, &mf, [](int index) {
        if (index != 2) return;
        const bool enabled = !FormatLocked();
        for (const char* name : {"mCtlSet", "mDeleteCtl", "mAddCtl"})
            if (QAction* a = Menus().item(QLatin1String(name))) MF().SetCommandEnabled(a, enabled);
    });
}

bool RubberBandShown() {
    return band && band->isVisible();
}

}  // namespace bw
