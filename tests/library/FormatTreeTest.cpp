// The category tree: its stored form, the first-run filing, new formats, the current mark,
// and the right-button drag of a format onto a category.

#include <QMenu>
#include <QTreeWidget>

#include "LibraryFixture.h"
#include "common/Params.h"
#include "library/FormatTree.h"
#include "library/TreeEvents.h"
#include "store/MainForm.h"

using namespace bw;

namespace {

QStringList childrenOf(QTreeWidgetItem* node) {
    QStringList out;
    for (int i = 0; node && i < node->childCount(); ++i) out << node->child(i)->text(0);
    return out;
}

class FormatTree : public test::LibraryTest {};

}  // namespace

TEST(FormatTreeText, StoredValuesReadAndWriteBack) {
    struct Case {
        QString stored;
        QStringList categories;
        QList<QStringList> lists;
        QString written;  // "" = the stored value itself
    };
    const QList<Case> cases = {
        {"进账单|支票|其他//农行进账单\\建行进账单||||样张一",
         {"进账单", "支票", "其他"},
         {{"农行进账单", "建行进账单"}, {}, {"样张一"}},
         ""},
        {"a|b//x\\\\y\\", {"a", "b"}, {{"x", "y"}, {}}, "a|b//x\\y||"},  // empty names skipped
        {"a|b//x||y||z", {"a", "b"}, {{"x"}, {"y"}}, "a|b//x||y"},       // extra lists dropped
        {"a//", {"a"}, {{}}, ""},
        {"", {}, {}, "//"},
    };
    for (const Case& c : cases) {
        const FormatTreeData d = ParseFormatTree(c.stored);
        EXPECT_EQ(d.categories, c.categories) << c.stored.toStdString();
        EXPECT_EQ(d.lists, c.lists) << c.stored.toStdString();
        EXPECT_EQ(FormatTreeText(d), c.written.isEmpty() ? c.stored : c.written);
    }
}

TEST(FormatTreeText, FirstRunFilesByTheFirstCategoryInOrder) {
    EXPECT_EQ(DefaultCategories().size(), 14);
    EXPECT_EQ(DefaultCategories().last(), kOtherCategory);
    const FormatTreeData d = FileFormats({"支票进账单", "顺丰快递", "杂项", "建行支票"});
    EXPECT_EQ(d.lists[DefaultCategories().indexOf("进账单")], QStringList{"支票进账单"});
    EXPECT_EQ(d.lists[DefaultCategories().indexOf("支票")], QStringList{"建行支票"});
    EXPECT_EQ(d.lists[DefaultCategories().indexOf("快递")], QStringList{"顺丰快递"});
    EXPECT_EQ(d.lists.last(), QStringList{"杂项"});
    const QString text = FormatTreeText(d);
    EXPECT_EQ(text.mid(text.indexOf("//") + 2).split("||").size(), 14);
}

TEST_F(FormatTree, TheFirstRunIsStoredAndLaterRunsReadOnlyTheParameter) {
    AddFormat("工行进账单");
    AddFormat("无名");
    MF().SetCurrentFormat("工行进账单");
    LoadFormatTree();
    const QString stored = GetParam(kFormatTreeParam);
    EXPECT_TRUE(stored.startsWith("进账单|电汇单|"));
    EXPECT_TRUE(stored.endsWith("其他//工行进账单" + QString("||").repeated(13) + "无名"));

    QTreeWidgetItem* root = Tree()->topLevelItem(0);
    EXPECT_EQ(NodeKey(root), "D0");
    EXPECT_EQ(root->text(0), "[Bellweft格式列表]");
    EXPECT_EQ(root->childCount(), 14);
    QTreeWidgetItem* current = TreeNodeByKey(Tree(), "F工行进账单");
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->foreground(0).color(), CurrentNodeColour());
    EXPECT_EQ(current->parent()->foreground(0).color(), CurrentNodeColour());
    EXPECT_TRUE(current->parent()->isExpanded());
    EXPECT_EQ(TreeNodeByKey(Tree(), "C其他")->foreground(0).color(), QColor(0x66, 0x66, 0x66));
    EXPECT_EQ(TreeNodeByKey(Tree(), "C支票")->foreground(0).color(), QColor(0, 0, 255));

    AddFormat("后来的格式");
    LoadFormatTree();
    EXPECT_EQ(TreeNodeByKey(Tree(), "F后来的格式"), nullptr);
    EXPECT_EQ(GetParam(kFormatTreeParam), stored);
}

TEST_F(FormatTree, NewFormatsAreFiledMarkedAndRemoved) {
    SetParam(kFormatTreeParam, "银行|支票|其他//||旧支票||");
    LoadFormatTree();
    struct Case {
        QString format, category;
    };
    for (const Case& c :
         QList<Case>{{"银行支票", "银行"}, {"转账支票", "支票"}, {"便条", "其他"}}) {
        AddFormatNode(Tree(), c.format);
        QTreeWidgetItem* node = TreeNodeByKey(Tree(), "F" + c.format);
        ASSERT_NE(node, nullptr) << c.format.toStdString();
        EXPECT_EQ(node->parent()->text(0), c.category);
        EXPECT_TRUE(node->parent()->isExpanded());
    }
    AddFormatNode(Tree(), "便条");  // no second node
    EXPECT_EQ(GetParam(kFormatTreeParam), "银行|支票|其他//银行支票||旧支票\\转账支票||便条");

    MF().SetCurrentFormat("便条");
    MarkCurrentFormatNode("", "便条");
    MarkCurrentFormatNode("便条", "旧支票");
    EXPECT_EQ(TreeNodeByKey(Tree(), "F便条")->foreground(0).color(), QColor(Qt::black));
    EXPECT_EQ(TreeNodeByKey(Tree(), "C其他")->foreground(0).color(), QColor(0x66, 0x66, 0x66));
    EXPECT_EQ(TreeNodeByKey(Tree(), "F旧支票")->foreground(0).color(), CurrentNodeColour());
    EXPECT_EQ(TreeNodeByKey(Tree(), "C支票")->foreground(0).color(), CurrentNodeColour());

    RemoveTreeNode(Tree(), "F转账支票");
    RemoveTreeNode(Tree(), "C银行");
    EXPECT_EQ(GetParam(kFormatTreeParam), "支票|其他//旧支票||便条");
    EXPECT_EQ(FindTreeNode(Tree(), "支票", "C"), TreeNodeByKey(Tree(), "C支票"));
    EXPECT_EQ(FindTreeNode(Tree(), "支票", "F"), nullptr);
}

TEST_F(FormatTree, ARightButtonDragFilesAFormatUnderACategory) {
    SetParam(kFormatTreeParam, "进账单|支票|其他//||甲支票||乙");
    LoadFormatTree();
    QTreeWidget* tree = Tree();
    tree->expandAll();
    tree->show();
    auto centre = [tree](const QString& key) {
        return tree->visualItemRect(TreeNodeByKey(tree, key)).center();
    };

    // A category does not start a drag; a left press shows no menu.
    TV_MouseDown(tree, Qt::RightButton, centre("C支票"));
    TV_MouseMove(tree, Qt::RightButton, centre("C进账单"));
    EXPECT_FALSE(TreeDragging());
    TV_MouseDown(tree, Qt::LeftButton, centre("F乙"));
    EXPECT_EQ(ShowTreeMenu(tree, TreeNodeByKey(tree, "F乙")), nullptr);

    // Dropping on a format node does nothing.
    TV_MouseDown(tree, Qt::RightButton, centre("F乙"));
    TV_MouseMove(tree, Qt::RightButton, centre("F甲支票"));
    EXPECT_TRUE(TreeDragging());
    EXPECT_EQ(TreeDropHighlight(), nullptr);
    TV_MouseUp(tree, Qt::RightButton, centre("F甲支票"));
    EXPECT_FALSE(TreeDragging());
    EXPECT_EQ(TreeNodeByKey(tree, "F乙")->parent()->text(0), "其他");

    // Onto a category: the format becomes its last child and the tree is stored.
    TV_MouseDown(tree, Qt::RightButton, centre("F乙"));
    TV_MouseMove(tree, Qt::RightButton, centre("F甲支票"));
    TV_MouseMove(tree, Qt::RightButton, centre("C支票"));
    EXPECT_EQ(TreeDropHighlight(), TreeNodeByKey(tree, "C支票"));
    TV_MouseUp(tree, Qt::RightButton, centre("C支票"));
    EXPECT_EQ(childrenOf(TreeNodeByKey(tree, "C支票")), (QStringList{"甲支票", "乙"}));
    EXPECT_EQ(GetParam(kFormatTreeParam), "进账单|支票|其他//||甲支票\\乙||");
}

TEST_F(FormatTree, RightClicksPopTheRootOrTheNodeMenuButNeverForOther) {
    SetParam(kFormatTreeParam, "支票|其他//甲||乙");
    LoadFormatTree();
    QTreeWidget* tree = Tree();
    tree->expandAll();
    tree->show();
    struct Case {
        QString key;
        QStringList items;  // empty: no menu
    };
    for (const Case& c : QList<Case>{{"D0", {"添加格式分类"}},
                                     {"C支票", {"删除", "改名"}},
                                     {"F乙", {"删除", "改名"}},
                                     {"C其他", {}}}) {
        QTreeWidgetItem* node = TreeNodeByKey(tree, c.key);
        const QPoint at = tree->visualItemRect(node).center();
        TV_MouseDown(tree, Qt::RightButton, at);
        TV_MouseUp(tree, Qt::RightButton, at);
        EXPECT_EQ(ClickedTreeNode(), node);
        QMenu* menu = tree->findChild<QMenu*>();
        QStringList items;
        if (menu) {
            for (QAction* a : menu->actions()) items << a->text();
            delete menu;
        }
        EXPECT_EQ(items, c.items) << c.key.toStdString();
    }
}
