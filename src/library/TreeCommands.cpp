#include "library/TreeCommands.h"

#include <QFile>
#include <QFileInfo>
#include <QTreeWidget>

#include "common/Database.h"
#include "library/FormatFile.h"
#include "library/FormatTree.h"
#include "library/TreeEvents.h"
#include "platform/Dialogs.h"
#include "store/BackgroundPicture.h"
#include "store/FormatOperations.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"

namespace bw {

namespace {

const QString kParamMarker = QStringLiteral("=>");
const QString kColumnOrderSuffix = QStringLiteral("_列顺序");

bool holdsAny(const QString& text, const QString& characters) {
    for (QChar c : characters)
        if (text.contains(c)) return true;
    return false;
}

void warn(const QString& text) {
    dlg::MsgBox(text, dlg::OkOnly | dlg::Exclamation);
}

}  // namespace

bool RenameFormat(const QString& from, const QString& to) {
    bool ok = false;
    {
        Transaction t;
        ok = t.Active();
        for (const char* table : {"Fmt", "历史", "默认", "映射"})
            ok = ok && ExecuteSql(QStringLiteral("UPDATE ") + QString::fromUtf8(table) +
                                      QStringLiteral(" SET Fmt=? WHERE Fmt=?"),
                                  {to, from});
        const QString prefix = from + kParamMarker;
        ok = ok &&
             ExecuteSql(
                 QStringLiteral("UPDATE 参数 SET Var=? || substr(Var, ?) WHERE instr(Var, ?)=1"),
                 {to + kParamMarker, prefix.size() + 1, prefix}) &&
             ExecuteSql(QStringLiteral("UPDATE 参数 SET Var=? WHERE Var=?"),
                        {to + kColumnOrderSuffix, from + kColumnOrderSuffix});
        ok = ok && t.Commit();
    }
    if (!ok) return false;
    const QString oldPicture = BackgroundPicturePath(from), newPicture = BackgroundPicturePath(to);
    if (QFileInfo::exists(oldPicture) && oldPicture != newPicture) {
        QFile::remove(newPicture);
        QFile::rename(oldPicture, newPicture);
    }
    return true;
}

void mAddClassNode_Click() {
    QTreeWidget* tree = MF().TV;
    QTreeWidgetItem* parent = ClickedTreeNode();
    if (!tree || !parent) return;
    const auto answer = dlg::InputBox(QStringLiteral("请输入分类名称："));
    const QString name = answer ? answer->trimmed() : QString();
    if (name.isEmpty()) return;
    if (holdsAny(name, QStringLiteral("\\/|,"))) {
        warn(QStringLiteral("分类名称不能包含字符： / \\ | , ！"));
        return;
    }
    QList<QTreeWidgetItem*> nodes;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) nodes << *it;
    for (QTreeWidgetItem* node : nodes) {
        if (NodeKey(node) != kTreeRootKey && node->text(0) == name) {
            warn(QStringLiteral("分类名称“") + name + QStringLiteral("”已经存在！"));
            return;
        }
    }
    auto* category = new QTreeWidgetItem(QStringList{name});
    category->setData(0, kTreeKeyRole, QStringLiteral("C") + name);
    category->setForeground(0, CategoryNodeColour(name));
    if (QTreeWidgetItem* other = FindTreeNode(tree, kOtherCategory, QStringLiteral("C")))
        category->setIcon(0, other->icon(0));
    parent->addChild(category);
    for (QTreeWidgetItem* node : nodes) {
        QTreeWidgetItem* from = node->parent();
        if (from && from->text(0) == kOtherCategory && NodeKey(node).startsWith(u'F') &&
            node->text(0).contains(name)) {
            from->removeChild(node);
            category->addChild(node);
        }
    }
    SaveFormatTree(tree);
}

void mDelNode_Click() {
    QTreeWidget* tree = MF().TV;
    QTreeWidgetItem* node = ClickedTreeNode();
    if (!tree || !node) return;
    const QString key = NodeKey(node);
    if (!key.startsWith(u'C')) {
        QString name = node->text(0);
        DeleteFormat(name);
        return;
    }
    if (dlg::MsgBox(QStringLiteral("删除此类将删除此类包含的所有格式模板，您确定要删除？"),
                    dlg::YesNo | dlg::Question) != dlg::Yes)
        return;
    QStringList names;
    for (int i = 0; i < node->childCount(); ++i) names << node->child(i)->text(0);
    for (int i = names.size() - 1; i >= 0; --i) {
        QString name = names[i];
        if (!DeleteFormat(name)) return;
        RemoveTreeNode(tree, QStringLiteral("F") + names[i]);
    }
    RemoveTreeNode(tree, key);
}

void mReName_Click() {
    QTreeWidget* tree = MF().TV;
    QTreeWidgetItem* node = ClickedTreeNode();
    if (!tree || !node || NodeKey(node) == kTreeRootKey) return;
    const QString old = node->text(0);
    const auto answer = dlg::InputBox(QStringLiteral("请输入新的名称："), QString(), old);
    const QString name = answer ? answer->trimmed() : QString();
    if (name.isEmpty()) return;
    if (holdsAny(name, kForbiddenNameChars)) {
        warn(kForbiddenNameMessage);
        return;
    }
    if (name == old) return;
    if (NodeKey(node).startsWith(u'C')) {
        if (FindTreeNode(tree, name, QStringLiteral("C"))) {
            warn(QStringLiteral("分类“") + name + QStringLiteral("”已经存在！"));
            return;
        }
        node->setText(0, name);
        node->setData(0, kTreeKeyRole, QStringLiteral("C") + name);
        node->setForeground(0, CategoryNodeColour(name));
    } else {
        if (const QString problem = FormatNameProblem(name); !problem.isEmpty()) {
            warn(problem);
            return;
        }
        if (FormatExists(name)) {
            warn(QStringLiteral("格式名称“") + name + QStringLiteral("”已经存在！"));
            return;
        }
        if (!RenameFormat(old, name)) {
            warn(QStringLiteral("格式“") + old + QStringLiteral("”改名失败，原有数据未作改动！"));
            return;
        }
        if (MF().CurrentFormat() == old) {
            MF().SetCurrentFormat(QString());  // so that the caption and its picture follow
            SetFormatCaption(name);
            QString current = name;
            SaveAppOptionsRow(current);
        }
        node->setText(0, name);
        node->setData(0, kTreeKeyRole, QStringLiteral("F") + name);
    }
    SaveFormatTree(tree);
}

}  // namespace bw
