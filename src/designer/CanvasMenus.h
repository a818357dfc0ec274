#pragma once
// The pop-up menus of the canvas: the box menu (m_CtlSet) prepared by the box's kind and the
// lock, and the bill menu (mPicGraph), each item tied to its command (BoxMenu.h, BillMenu.h,
// BillClearing.h, PropertyMenu.h).

#include <QPoint>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QMenu;

namespace bw {

class BoxControl;

// One item of the box menu: its name, whether it shows, and whether it is enabled (-1: left
// as it is).
struct MenuItemState {
    QString name;
    bool visible;
    int enabled;
};

// How the box menu looks for a box of a kind (0 .. 4) with the format locked or not.
std::vector<MenuItemState> CtlMenuStates(int kind, bool locked);

// The menu form: its two pop-up menus and what a pop-up acts on.
struct MenuForm {
    QMenu* m_CtlSet = nullptr;
    QMenu* mPicGraph = nullptr;
    // The box or line the box menu acts on.
    BoxControl* MenuTarget = nullptr;
    // The canvas point (whole units) of the last right click on the canvas.
    long MenuX = 0, MenuY = 0;
    // The main window state the menus were built for.
    const void* owner = nullptr;
    QAction* item(const QString& name) const;
};

// The menu form, built on first use.
MenuForm& Menus();
void UnloadMenus();

// Prepares the box menu for a kind (SetupCtlMenu).
void SetupCtlMenu(int kind, bool locked);

// Shows a pop-up menu at a global screen position and waits until it closes. Tests replace
// the way menus are shown (an empty function restores the real one).
using MenuPopper = std::function<void(QMenu*, const QPoint&)>;
void SetMenuPopper(MenuPopper popper);
void PopupMenu(QMenu* menu, const QPoint& globalPos);

// Removes the open format's background picture after asking (as "清除背景图" does).
void ClearCurrentPicture();
void mClearBackPic_Click();

}  // namespace bw
