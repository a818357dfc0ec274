// The category tree: its stored form, the first-run filing, new formats, the current mark,
// the right-button drag of a format onto a category, and the tree's menu commands (adding a
// category gathers formats, deleting one deletes its formats one by one, renaming a format
// carries everything that belongs to it).

#include <QApplication>
#include <QMenu>
#include <QStyle>
#include <QTreeWidget>

#include "LibraryFixture.h"
#include "common/Params.h"
#include "library/FormatTree.h"
#include "library/TreeCommands.h"
#include "library/TreeEvents.h"
#include "store/BackgroundPicture.h"
#include "store/FormatOperations.h"
#include "store/MainForm.h"

using namespace bw;

namespace {

QStringList childrenOf(const QString& key) {
    QStringList out;
    QTreeWidgetItem* node = TreeNodeByKey(MF().TV, key);
    for (int i = 0; node && i < node->childCount(); ++i) out << node->child(i)->text(0);
    return out;
}

// The text colours of the nodes.
QList<QColor> colours(const QStringList& keys) {
    QList<QColor> out;
    for (const QString& k : keys) out << TreeNodeByKey(MF().TV, k)->foreground(0).color();
    return out;
}
const QColor kGrey(0x66, 0x66, 0x66);

class FormatTree : public test::LibraryTest {};

class TreeCommands : public test::LibraryTest {
protected:
    void SetUp() override {
        test::LibraryTest::SetUp();
        for (const QString f : {"银行进账单", "支票", "银行电汇", "当前格式"}) AddFormat(f);
        MF().SetCurrentFormat("当前格式");
        SetParam(kFormatTreeParam, "收据|其他//当前格式||银行进账单\\支票\\银行电汇");
        LoadFormatTree();
    }
    void click(const QString& key) { SetClickedTreeNode(TreeNodeByKey(Tree(), key)); }
};

}  // namespace

TEST(FormatTreeText, StoredValuesReadAndWriteBack) {
    const struct {
        QString stored;
        QStringList categories;
        QList<QStringList> lists;
        QString written;  // "" = the stored value itself
    } cases[] = {
        {"进账单|支票|其他//农行进账单\\建行进账单||||样张一",
         {"进账单", "支票", "其他"},
         {{"农行进账单", "建行进账单"}, {}, {"样张一"}},
         ""},
        {"a|b//x\\\\y\\", {"a", "b"}, {{"x", "y"}, {}}, "a|b//x\\y||"},  // empty names skipped
        {"a|b//x||y||z", {"a", "b"}, {{"x"}, {"y"}}, "a|b//x||y"},       // extra lists dropped
        {"a//", {"a"}, {{}}, ""},
        {"", {}, {}, "//"},
    };
    for (const auto& c : cases) {
        const FormatTreeData d = ParseFormatTree(c.stored);
        EXPECT_EQ(d.categories, c.categories) << c.stored.toStdString();
        EXPECT_EQ(d.lists, c.lists) << c.stored.toStdString();
        EXPECT_EQ(FormatTreeText(d), c.written.isEmpty() ? c.stored : c.written);
    }
}

TEST(FormatTreeText, FirstRunFilesByTheFirstCategoryInOrder) {
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

    EXPECT_EQ(NodeKey(Tree()->topLevelItem(0)), "D0");
    EXPECT_EQ(Tree()->topLevelItem(0)->childCount(), 14);
    ASSERT_NE(TreeNodeByKey(Tree(), "F工行进账单"), nullptr);
    EXPECT_TRUE(TreeNodeByKey(Tree(), "C进账单")->isExpanded());
    EXPECT_EQ(colours({"F工行进账单", "C进账单", "C其他", "C支票"}),
              (QList<QColor>{CurrentNodeColour(), CurrentNodeColour(), kGrey, Qt::blue}));

    // Each kind of node shows the style's icon of its kind, read when first drawn.
    QStyle* style = QApplication::style();
    const int side = style->pixelMetric(QStyle::PM_SmallIconSize);
    for (const auto& [key, which] : {std::pair{"D0", QStyle::SP_DirHomeIcon},
                                     {"C进账单", QStyle::SP_DirIcon},
                                     {"F工行进账单", QStyle::SP_FileIcon}}) {
        SCOPED_TRACE(key);
        const QIcon shown = TreeNodeByKey(Tree(), key)->icon(0);
        const QIcon styles = style->standardIcon(which);
        EXPECT_EQ(shown.actualSize(QSize(side, side)), styles.actualSize(QSize(side, side)));
        EXPECT_EQ(shown.pixmap(side).toImage(), styles.pixmap(side).toImage());
    }

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
    EXPECT_EQ(colours({"F便条", "C其他", "F旧支票", "C支票"}),
              (QList<QColor>{Qt::black, kGrey, CurrentNodeColour(), CurrentNodeColour()}));

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
    EXPECT_EQ(childrenOf("C支票"), (QStringList{"甲支票", "乙"}));
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

TEST_F(TreeCommands, AddingACategoryGathersTheMatchingFormatsOfOther) {
    click("D0");
    struct Case {
        QString typed, message;
    };
    for (const Case& c : QList<Case>{{"a/b", "分类名称不能包含字符： / \\ | , ！"},
                                     {"支票", "分类名称“支票”已经存在！"},
                                     {"收据", "分类名称“收据”已经存在！"}}) {
        test::ScriptedAnswers answers;
        answers << c.typed;
        mAddClassNode_Click();
        EXPECT_EQ(answers.lastMessage(), c.message);
    }
    test::ScriptedAnswers answers;
    answers << " 银行 ";
    mAddClassNode_Click();
    EXPECT_EQ(childrenOf("C银行"), (QStringList{"银行进账单", "银行电汇"}));
    EXPECT_EQ(childrenOf("C其他"), QStringList{"支票"});
    EXPECT_EQ(GetParam(kFormatTreeParam), "收据|其他|银行//当前格式||支票||银行进账单\\银行电汇");
}

TEST_F(TreeCommands, DeletingACategoryStopsAtTheFirstFormatKept) {
    click("C其他");
    test::ScriptedAnswers answers;
    // The category question, then each format from the last: yes, no.
    answers << int(dlg::Yes) << int(dlg::Yes) << int(dlg::No);
    mDelNode_Click();
    EXPECT_EQ(Count("Fmt", "Fmt=?", {"银行电汇"}), 0);
    EXPECT_EQ(Count("Fmt", "Fmt=?", {"支票"}), 1);
    EXPECT_EQ(childrenOf("C其他"), (QStringList{"银行进账单", "支票"}));
    EXPECT_EQ(GetParam(kFormatTreeParam), "收据|其他//当前格式||银行进账单\\支票");

    // The current format is refused, and its category stays.
    click("C收据");
    test::ScriptedAnswers again;
    again << int(dlg::Yes);
    mDelNode_Click();
    EXPECT_EQ(again.lastMessage(), "此格式为当前格式，不允许删除！");
    EXPECT_NE(TreeNodeByKey(Tree(), "C收据"), nullptr);

    // A whole category.
    AddFormatNode(Tree(), "收据二");
    AddFormat("收据二");
    TreeNodeByKey(Tree(), "F当前格式")->parent()->removeChild(TreeNodeByKey(Tree(), "F当前格式"));
    click("C收据");
    test::ScriptedAnswers all;
    all << int(dlg::Yes) << int(dlg::Yes);
    mDelNode_Click();
    EXPECT_EQ(TreeNodeByKey(Tree(), "C收据"), nullptr);
    EXPECT_EQ(Count("Fmt", "Fmt=?", {"收据二"}), 0);
}

TEST_F(TreeCommands, RenamingAFormatCarriesEveryTableAndThePicture) {
    const QString from = "支票", to = "转账支票";
    AddBox(from, "金额");
    AddFormat("支票X");
    for (const QString& f : {from, QString("支票X")}) {
        ExecuteSql("INSERT INTO 历史(ID, Fmt, CID, Con) VALUES(1, ?, 5, '旧')", {f});
        ExecuteSql("INSERT INTO 默认(Fmt, ID, Con) VALUES(?, 5, '默认值')", {f});
        ExecuteSql("INSERT INTO 映射(ID, Fmt, Map) VALUES(5, ?, 'A')", {f});
        SetParam(f + "=>自定义类型124", "甲;乙");
        SetParam(f + "_列顺序", "5;6");
    }
    SetParam("支=>自定义类型124", "短名");
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(BackgroundPicturePath(from), "JPG"));

    click("F" + from);
    struct Case {
        QString typed, message;
    };
    for (const Case& c : QList<Case>{{"a'b", "名称不能包含字符： / \\ | , ' ！"},
                                     {"银行电汇", "格式名称“银行电汇”已经存在！"},
                                     {from, ""}}) {
        test::ScriptedAnswers answers;
        answers << c.typed;
        mReName_Click();
        EXPECT_EQ(answers.lastMessage(), c.message);
        EXPECT_EQ(Count("Fmt", "Fmt=?", {from}), 2);
    }
    test::ScriptedAnswers answers;
    answers << to;
    mReName_Click();
    for (const char* table : {"Fmt", "历史", "默认", "映射"}) {
        EXPECT_EQ(Count(table, "Fmt=?", {from}), 0) << table;
        EXPECT_GE(Count(table, "Fmt=?", {to}), 1) << table;
        EXPECT_EQ(Count(table, "Fmt=?", {"支票X"}), 1) << table;  // a longer name stays
    }
    EXPECT_EQ(Param(to + "=>自定义类型124"), "甲;乙");
    EXPECT_EQ(Param(to + "_列顺序"), "5;6");
    EXPECT_EQ(Param("支票X=>自定义类型124"), "甲;乙");
    EXPECT_EQ(Param("支=>自定义类型124"), "短名");
    EXPECT_TRUE(QFileInfo::exists(BackgroundPicturePath(to)));
    EXPECT_FALSE(QFileInfo::exists(BackgroundPicturePath(from)));
    EXPECT_EQ(NodeKey(TreeNodeByKey(Tree(), "F" + to)), "F" + to);
    EXPECT_TRUE(GetParam(kFormatTreeParam).contains("银行进账单\\转账支票\\银行电汇"));
}

TEST_F(TreeCommands, RenamingTheOpenFormatOrACategory) {
    click("F当前格式");
    test::ScriptedAnswers answers;
    answers << "新当前";
    mReName_Click();
    EXPECT_EQ(MF().CurrentFormat(), "新当前");
    EXPECT_EQ(Count("Fmt", "Fmt=?", {"新当前"}), 1);

    click("C收据");
    test::ScriptedAnswers taken;
    taken << "其他";
    mReName_Click();
    EXPECT_EQ(taken.lastMessage(), "分类“其他”已经存在！");
    test::ScriptedAnswers renamed;
    renamed << "票据";
    mReName_Click();
    EXPECT_EQ(GetParam(kFormatTreeParam), "票据|其他//新当前||银行进账单\\支票\\银行电汇");
}

TEST_F(TreeCommands, DeletingAFormatTakesOnlyItsOwnParameters) {
    AddFormat("ab_1");
    for (const char* var : {"ab_1=>自定义类型1", "AB_1=>自定义类型1", "abX1=>自定义类型1"})
        SetParam(var, "值");
    QString name = "ab_1";
    test::ScriptedAnswers answers;
    answers << int(dlg::Yes);
    ASSERT_TRUE(DeleteFormat(name));
    EXPECT_EQ(Param("ab_1=>自定义类型1"), "");
    EXPECT_EQ(Param("AB_1=>自定义类型1"), "值");
    EXPECT_EQ(Param("abX1=>自定义类型1"), "值");
}
