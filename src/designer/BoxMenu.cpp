#include "designer/BoxMenu.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <array>
#include <cmath>
#include <vector>

#include "common/Common.h"
#include "designer/CanvasMenus.h"
#include "filling/LinkWriters.h"
#include "platform/Dialogs.h"
#include "platform/VbNumbers.h"
#include "store/BoxEditing.h"
#include "store/BoxLook.h"
#include "store/BoxModel.h"
#include "store/BoxToRow.h"
#include "store/Label.h"
#include "store/Line.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"
#include "store/TextBox.h"

namespace bw {

namespace {

BoxControl* target() {
    return Menus().MenuTarget;
}

// The text of the clipboard, and a text put onto it.
QString clipboardText() {
    return QGuiApplication::clipboard()->text();
}

}  // namespace

void mCopy_Click() {
    BoxControl* box = target();
    QString text;
    if (auto* t = dynamic_cast<TextBox*>(box)) {
        const QTextCursor c = t->Editor()->textCursor();
        text = c.hasSelection() ? c.selection().toPlainText() : t->Editor()->toPlainText();
        text.replace(u'\n', QStringLiteral("\r\n"));
    } else if (auto* l = dynamic_cast<Label*>(box)) {
        text = l->Caption();
    }
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

void mPaste_Click() {
    const QString text = clipboardText();
    if (text.isEmpty()) return;
    BoxControl* box = target();
    if (auto* t = dynamic_cast<TextBox*>(box)) {
        QString plain = text;
        plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QTextCursor c = t->Editor()->textCursor();
        c.insertText(plain);
        t->Editor()->setTextCursor(c);
    } else if (auto* l = dynamic_cast<Label*>(box)) {
        l->SetCaption(text);
        UpdateRowFromBox(l);
    }
}

void mAddPic_Click() {
    auto* p = dynamic_cast<PictureBox*>(target());
    if (!p) return;
    const QString name = OpenPictureDialog();
    if (name.isEmpty()) return;
    if (!QFileInfo(name).isFile()) {
        dlg::MsgBox(QStringLiteral("图片文件“") + name + QStringLiteral("”不存在！"));
        return;
    }
    RefreshPictureBox(p, name);
}

void mInputBarCode_Click() {
    auto* p = dynamic_cast<PictureBox*>(target());
    if (!p) return;
    const auto answer =
        dlg::InputBox(QStringLiteral("请输入条形码（数字串）："), QString(), p->LinkItem);
    RefreshPictureBox(p, answer.value_or(QString()).trimmed());
}

void mAddCtl_Click() {
    int kind = -1;
    AddBox(kind, 0, 0);
}

void mCtlAdd_Click() {
    int kind = -1;
    const MenuForm& menus = Menus();
    AddBox(kind, int(menus.MenuX), int(menus.MenuY));
}

long long CopyCountOf(const QString& answer) {
    return CLng64(Val(answer));
}

QString CopyCaption(const QString& caption, long long k) {
    qsizetype start = caption.size();
    while (start > 0 && caption[start - 1] >= u'0' && caption[start - 1] <= u'9') --start;
    const QString digits = caption.mid(start);
    bool fits = false;
    const qulonglong number = digits.isEmpty() ? 0 : digits.toULongLong(&fits);
    if (!digits.isEmpty() && !fits)  // more digits than a whole number holds
        return caption.left(start) + NumText(Val(digits) + double(k));
    return caption.left(start) + QString::number(qulonglong(number + qulonglong(k)));
}

bool CopyBoxes(BoxControl* menuBox, long long n) {
    // The sources of each kind, from the last index down; copies get higher indexes.
    std::array<std::vector<BoxControl*>, 5> sources;
    for (int kind = kTextBox; kind <= kLabel; ++kind) {
        for (int i = LastBoxIndex(kind); i >= FirstBoxIndex(kind); --i) {
            BoxControl* b = GetBoxByIndex(i);
            if (b && (IsBoxSelected(b) || (menuBox && b->Tag == menuBox->Tag)))
                sources[kind].push_back(b);
        }
    }
    if (n > 0) {
        for (int kind = kTextBox; kind <= kLabel; ++kind) {
            const double total = double(BoxCount[kind]) + double(sources[kind].size()) * double(n);
            if (!sources[kind].empty() && total > kMaxBoxesPerKind) {
                dlg::MsgBox(QStringLiteral("每类输入框最多只能有%1个，无法复制这么多个！")
                                .arg(kMaxBoxesPerKind),
                            dlg::OkOnly | dlg::Exclamation);
                return false;
            }
        }
    }
    for (int kind = kTextBox; kind <= kLabel; ++kind) {
        for (BoxControl* src : sources[kind]) {
            for (long long k = 1; k <= n; ++k) {
                int copyKind = kind;
                BoxControl* copy = AddBox(copyKind, 0, 0);
                if (!copy) break;
                CopyBoxProperties(src, copy, true);
                const int d = int(k * 200);
                if (auto* line = dynamic_cast<Line*>(copy)) {
                    line->SetEnds(line->X1() - d, line->Y1() - d, line->X2() - d, line->Y2() - d);
                } else {
                    copy->Move(src->Left() - d, src->Top() - d);
                }
                if (kind <= kPictureBox) {
                    Label* srcCaption = CaptionLabel(src->Index());
                    Label* caption = CaptionLabel(copy->Index());
                    if (srcCaption && caption)
                        caption->SetCaption(CopyCaption(srcCaption->Caption(), k));
                    PlaceBoxLabel(copy);
                }
                UpdateRowFromBox(copy);
                SetBoxSelectLook(copy, false);
            }
            SetBoxSelectLook(src, true);
        }
    }
    return true;
}

void mCopyCtl_Click() {
    const auto answer =
        dlg::InputBox(QStringLiteral("请输入要复制输入框个数："), QString(), QStringLiteral("1"));
    CopyBoxes(target(), CopyCountOf(answer.value_or(QString())));
}

void mDeleteCtl_Click() {
    MenuForm& menus = Menus();
    BoxControl* box = menus.MenuTarget;
    const int index = box ? box->Index() : 0;
    DeleteSelectedBoxes(box);
    // Deleting reloads every box: the menu must not keep a box that is gone.
    if (box && GetBoxByIndex(index) != box) menus.MenuTarget = nullptr;
}

void mRtlCtl_Click() {
    mRtlCtl_Click(target());
}

void mReCtlList_Click() {
    mReCtlList_Click(target());
}

}  // namespace bw
