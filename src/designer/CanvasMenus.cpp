#include "designer/CanvasMenus.h"

#include <QMenu>

#include "designer/BillClearing.h"
#include "designer/BillMenu.h"
#include "designer/BoxMenu.h"
#include "designer/PropertyMenu.h"
#include "store/BackgroundPicture.h"
#include "store/MainForm.h"

namespace bw {

namespace {

MenuPopper& popper() {
    static MenuPopper p;
    return p;
}

struct ItemDef {
    const char* name;
    const char* caption;
};

const ItemDef kCtlItems[] = {
    {"mCopy", "复制文本"},
    {"mPaste", "粘贴文本"},
    {"sep0", nullptr},
    {"mAddPic", "添加  图片"},
    {"mInputBarCode", "输入条形码"},
    {"sep2", nullptr},
    {"mCtlSet", "设置内容框"},
    {"mAddCtl", "添加内容框"},
    {"mCopyCtl", "复制内容框"},
    {"mDeleteCtl", "删除内容框"},
    {"sepLink", nullptr},
    {"mRtlCtl", "建立关联链"},
    {"mReCtlList", "建立相关项"},
};

const ItemDef kBillItems[] = {
    {"mAddBills", "添加下一张单据"},
    {"mAddBillsAndPrint", "打印并添加单据"},
    {"sepB0", nullptr},
    {"mAutoGetDate", "自动生成日期"},
    {"mAutoCreatePSD", "自动生成密码"},
    {"mClearCtl", "清空内容"},
    {"sepB1", nullptr},
    {"mCtlAdd", "添加内容框"},
    {"sepB2", nullptr},
    {"mModiBackgroundPic", "更换背景图"},
    {"mClearBackPic", "清除背景图"},
};

// The command behind each item.
struct Command {
    const char* name;
    void (*run)();
};

const Command kCommands[] = {
    {"mCopy", mCopy_Click},
    {"mPaste", mPaste_Click},
    {"mAddPic", mAddPic_Click},
    {"mInputBarCode", mInputBarCode_Click},
    {"mCtlSet", mCtlset_Click},
    {"mAddCtl", mAddCtl_Click},
    {"mCopyCtl", mCopyCtl_Click},
    {"mDeleteCtl", mDeleteCtl_Click},
    {"mRtlCtl", mRtlCtl_Click},
    {"mReCtlList", mReCtlList_Click},
    {"mAddBills", mAddBills_Click},
    {"mAddBillsAndPrint", mAddBillsAndPrint_Click},
    {"mAutoGetDate", mAutoGetDate_Click},
    {"mAutoCreatePSD", mAutoCreatePSD_Click},
    {"mClearCtl", mClearCtl_Click},
    {"mCtlAdd", mCtlAdd_Click},
    {"mModiBackgroundPic", mModiBackgroundPic_Click},
    {"mClearBackPic", mClearBackPic_Click},
};

QMenu* build(const QString& name, const QString& title, const ItemDef* defs, int n) {
    auto* menu = new QMenu(title);
    menu->setObjectName(name);
    for (int i = 0; i < n; ++i) {
        QAction* a = defs[i].caption ? menu->addAction(QString::fromUtf8(defs[i].caption))
                                     : menu->addSeparator();
        a->setObjectName(QLatin1String(defs[i].name));
    }
    return menu;
}

}  // namespace

std::vector<MenuItemState> CtlMenuStates(int kind, bool locked) {
    const int edit = locked ? 0 : 1;
    return {
        {QStringLiteral("mCopy"), kind == 0, -1},
        {QStringLiteral("mPaste"), kind == 0, -1},
        {QStringLiteral("sep0"), kind == 0, -1},
        {QStringLiteral("mAddPic"), kind == 2, -1},
        {QStringLiteral("mInputBarCode"), kind == 2, -1},
        {QStringLiteral("sep2"), kind == 2, -1},
        {QStringLiteral("mCtlSet"), true, edit},
        {QStringLiteral("mAddCtl"), true, edit},
        {QStringLiteral("mCopyCtl"), true, edit},
        {QStringLiteral("mDeleteCtl"), true, edit},
        {QStringLiteral("sepLink"), kind == 0 || kind == 1, -1},
        {QStringLiteral("mRtlCtl"), kind == 0 || kind == 1, edit},
        {QStringLiteral("mReCtlList"), kind == 0, edit},
    };
}

QAction* MenuForm::item(const QString& name) const {
    for (QMenu* m : {m_CtlSet, mPicGraph})
        if (m)
            for (QAction* a : m->actions())
                if (a->objectName() == name) return a;
    return nullptr;
}

MenuForm& Menus() {
    static MenuForm form;
    if (form.m_CtlSet && form.owner != &MF()) {
        delete form.m_CtlSet;
        delete form.mPicGraph;
        form = MenuForm{};
    }
    if (!form.m_CtlSet) {
        form.owner = &MF();
        form.m_CtlSet =
            build(QStringLiteral("m_CtlSet"), QString(), kCtlItems, int(std::size(kCtlItems)));
        form.mPicGraph = build(QStringLiteral("mPicGraph"), QStringLiteral("单据菜单"), kBillItems,
                               int(std::size(kBillItems)));
        for (const Command& c : kCommands) {
            QAction* a = form.item(QLatin1String(c.name));
            QObject::connect(a, &QAction::triggered, a, c.run);
        }
    }
    return form;
}

void UnloadMenus() {
    MenuForm& form = Menus();
    delete form.m_CtlSet;
    delete form.mPicGraph;
    form = MenuForm{};
}

void SetupCtlMenu(int kind, bool locked) {
    MenuForm& form = Menus();
    MainForm& mf = MF();
    for (const MenuItemState& s : CtlMenuStates(kind, locked)) {
        QAction* a = form.item(s.name);
        if (!a) continue;
        a->setVisible(s.visible);
        if (s.enabled >= 0) mf.SetCommandEnabled(a, s.enabled == 1);
    }
    if (QAction* a = form.item(QStringLiteral("mRtlCtl")))
        a->setText(kind == 1 ? QStringLiteral("设置单选") : QStringLiteral("建立关联链"));
}

void SetMenuPopper(MenuPopper p) {
    popper() = std::move(p);
}

void PopupMenu(QMenu* menu, const QPoint& globalPos) {
    if (!menu) return;
    if (popper())
        popper()(menu, globalPos);
    else
        menu->exec(globalPos);
}

void ClearCurrentPicture() {
    ClearBackgroundPicture(MF().CurrentFormat());
}

void mClearBackPic_Click() {
    ClearCurrentPicture();
}

}  // namespace bw
