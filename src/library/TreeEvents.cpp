#include "library/TreeEvents.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QTreeWidget>

#include "common/Common.h"
#include "library/FormatTree.h"
#include "library/TreeCommands.h"
#include "platform/Twips.h"
#include "store/FormatOperations.h"

namespace bw {

namespace {

const char* const kHandlerName = "FormatTreeEvents";

struct TreeState {
    QPointer<QTreeWidget> clickedTree;
    QTreeWidgetItem* clicked = nullptr;
    QTreeWidgetItem* dragged = nullptr;
    QTreeWidgetItem* highlight = nullptr;
    bool dragging = false;
};
TreeState& state() {
    static TreeState s;
    return s;
}

// A node pointer is used only while the tree still holds it.
bool inTree(const QTreeWidget* tree, const QTreeWidgetItem* node) {
    if (!tree || !node) return false;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it)
        if (*it == node) return true;
    return false;
}

void setHighlight(QTreeWidget* tree, QTreeWidgetItem* node) {
    TreeState& s = state();
    if (s.highlight == node) return;
    if (s.highlight && inTree(tree, s.highlight)) s.highlight->setBackground(0, QBrush());
    s.highlight = node;
    if (node) node->setBackground(0, tree->palette().brush(QPalette::Highlight));
}

QStringList tagParts(const QTreeWidget* tree) {
    return tree->property("Tag").toString().split(u'|');
}

// Watches the viewport: right-button presses, drags and releases are the tree's own; the
// left button works as Qt's tree does. It lives as a child of the viewport, so it goes (and
// stops watching) before the viewport does, and it never asks the tree for its viewport:
// while a tree is being destroyed its viewport still gets events, but the tree is no longer
// a tree.
class TreeEvents : public QObject {
public:
    explicit TreeEvents(QTreeWidget* tree)
        : QObject(tree->viewport()), tree_(tree), viewport_(tree->viewport()) {
        setObjectName(QLatin1String(kHandlerName));
        viewport_->installEventFilter(this);
        QObject::connect(tree, &QTreeWidget::itemClicked, this,
                         [tree](QTreeWidgetItem* node) { TV_NodeClick(tree, node); });
        QObject::connect(tree, &QTreeWidget::itemDoubleClicked, this, [] { TV_DblClick(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (watched != viewport_ ||
            (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
             type != QEvent::MouseButtonRelease && type != QEvent::ContextMenu))
            return false;
        switch (type) {
            case QEvent::MouseButtonPress: {
                auto* e = static_cast<QMouseEvent*>(event);
                TV_MouseDown(tree_, e->button(), e->position().toPoint());
                return e->button() == Qt::RightButton;
            }
            case QEvent::MouseMove: {
                auto* e = static_cast<QMouseEvent*>(event);
                TV_MouseMove(tree_, e->buttons(), e->position().toPoint());
                return (e->buttons() & Qt::RightButton) != 0;
            }
            case QEvent::MouseButtonRelease: {
                auto* e = static_cast<QMouseEvent*>(event);
                if (e->button() != Qt::RightButton) return false;
                TV_MouseUp(tree_, e->button(), e->position().toPoint());
                return true;
            }
            case QEvent::ContextMenu:
                return true;  // the menus come from the release
            default:
                return false;
        }
    }

private:
    QTreeWidget* tree_;
    QWidget* viewport_;
};

// Files the dragged format under the category: its last child; the tree is stored.
void dropOn(QTreeWidget* tree, QTreeWidgetItem* category) {
    TreeState& s = state();
    QTreeWidgetItem* node = s.dragged;
    if (node && category && inTree(tree, node) && node->parent() &&
        NodeKey(category).startsWith(u'C') && node != category) {
        QTreeWidgetItem* from = node->parent();
        from->removeChild(node);
        category->addChild(node);
        tree->viewport()->update();
    }
    setHighlight(tree, nullptr);
    tree->clearSelection();
    s.dragging = false;
    s.dragged = nullptr;
    Pause(2);
    SaveFormatTree(tree);
}

}  // namespace

void AttachTreeEvents(QTreeWidget* tree) {
    if (!tree || tree->viewport()->findChild<QObject*>(QLatin1String(kHandlerName),
                                                       Qt::FindDirectChildrenOnly))
        return;
    new TreeEvents(tree);
}

QTreeWidgetItem* ClickedTreeNode() {
    TreeState& s = state();
    return inTree(s.clickedTree, s.clicked) ? s.clicked : nullptr;
}
void SetClickedTreeNode(QTreeWidgetItem* node) {
    state().clicked = node;
    state().clickedTree = node ? node->treeWidget() : nullptr;
}
QTreeWidgetItem* DraggedTreeNode() {
    return state().dragged;
}
bool TreeDragging() {
    return state().dragging;
}
QTreeWidgetItem* TreeDropHighlight() {
    return state().highlight;
}

void TV_MouseDown(QTreeWidget* tree, Qt::MouseButton button, QPoint pos) {
    const int b = button == Qt::LeftButton ? 1 : button == Qt::RightButton ? 2 : 4;
    tree->setProperty(
        "Tag",
        QStringLiteral("%1|%2|%3").arg(b).arg(PixelsToTwips(pos.x())).arg(PixelsToTwips(pos.y())));
    if (button != Qt::RightButton) return;
    TreeState& s = state();
    s.dragging = false;
    // A press beside the nodes drags nothing.
    s.dragged = tree->itemAt(pos);
    if (s.dragged) tree->setCurrentItem(s.dragged);
    setHighlight(tree, nullptr);
}

void TV_MouseMove(QTreeWidget* tree, Qt::MouseButtons buttons, QPoint pos) {
    TreeState& s = state();
    if (!(buttons & Qt::RightButton)) return;
    QTreeWidgetItem* selected = tree->currentItem();
    if (!s.dragging) {
        if (!s.dragged || selected != s.dragged || !NodeKey(selected).startsWith(u'F')) return;
        s.dragging = true;
    }
    QTreeWidgetItem* over = tree->itemAt(pos);
    setHighlight(tree, over && NodeKey(over).startsWith(u'C') ? over : nullptr);
}

void TV_MouseUp(QTreeWidget* tree, Qt::MouseButton button, QPoint pos) {
    if (button != Qt::RightButton) return;
    TreeState& s = state();
    if (s.dragging) {
        if (s.highlight)
            dropOn(tree, s.highlight);
        else
            s.dragging = false;
        return;
    }
    if (QTreeWidgetItem* node = tree->itemAt(pos)) TV_NodeClick(tree, node);
}

void TV_NodeClick(QTreeWidget* tree, QTreeWidgetItem* node) {
    SetClickedTreeNode(node);
    if (node && node->text(0) != kOtherCategory) ShowTreeMenu(tree, node);
}

void TV_DblClick() {
    OpenFormatNode();
}

QMenu* ShowTreeMenu(QTreeWidget* tree, QTreeWidgetItem* node) {
    const QStringList tag = tagParts(tree);
    if (!node || tag.value(0).toInt() != 2) return nullptr;
    auto* menu = new QMenu(tree);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (NodeKey(node) == kTreeRootKey) {
        menu->setTitle(QStringLiteral("根结点"));
        menu->addAction(QStringLiteral("添加格式分类"), [] { mAddClassNode_Click(); })
            ->setObjectName(QStringLiteral("mAddClassNode"));
    } else {
        menu->setTitle(QStringLiteral("结点"));
        menu->addAction(QStringLiteral("删除"), [] { mDelNode_Click(); })
            ->setObjectName(QStringLiteral("mDelNode"));
        menu->addAction(QStringLiteral("改名"), [] { mReName_Click(); })
            ->setObjectName(QStringLiteral("mReName"));
    }
    const QPoint at(TwipsToPixels(tag.value(1).toDouble()), TwipsToPixels(tag.value(2).toDouble()));
    menu->popup(tree->viewport()->mapToGlobal(at));
    return menu;
}

void OpenFormatNode() {
    QTreeWidgetItem* node = ClickedTreeNode();
    if (node && node->parent() && node->parent()->parent()) SelectFormat(node->text(0));
}

}  // namespace bw
