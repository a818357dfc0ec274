// The tree's menu commands: adding a category gathers formats, deleting a category deletes
// its formats one by one, renaming a format carries everything that belongs to it.

#include <QFileInfo>
#include <QImage>
#include <QTreeWidget>

#include "LibraryFixture.h"
#include "common/Params.h"
#include "common/Schema.h"
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
