// The new-format command: its size checks, and what it leaves behind when it runs through or
// is given up.

#include <QTreeWidget>

#include "LibraryFixture.h"
#include "library/FormatCommands.h"
#include "library/FormatTree.h"
#include "store/FormatOperations.h"
#include "store/MainForm.h"

using namespace bw;

TEST(NewFormatSize, WidthsHeightsAndTheirRatio) {
    struct Case {
        const char* w;
        const char* h;
        FormatSizeCheck result;
    };
    const Case cases[] = {
        {"2000", "100", FormatSizeCheck::Ok},        {"100", "2000", FormatSizeCheck::Ok},
        {"2001", "100", FormatSizeCheck::BadRatio},  {"100", "2001", FormatSizeCheck::BadRatio},
        {"0", "100", FormatSizeCheck::WidthZero},    {"宽", "100", FormatSizeCheck::WidthZero},
        {"100", "0.0", FormatSizeCheck::HeightZero}, {"-100", "-100", FormatSizeCheck::WidthZero},
        {"210mm", "99.5", FormatSizeCheck::Ok},
    };
    for (const Case& c : cases) EXPECT_EQ(CheckFormatSize(c.w, c.h), c.result) << c.w << "x" << c.h;
}

namespace {

class NewFormat : public test::LibraryTest {
protected:
    void SetUp() override {
        test::LibraryTest::SetUp();
        AddFormat("旧格式", 180, 90);
        AddBox("旧格式", "甲");
        AddBox("旧格式", "乙");
        LoadFormatTree();
        SelectFormat("旧格式", true);
        ASSERT_EQ(MF().CurrentFormat(), "旧格式");
    }
    int boxRows() const { return MF().BoxGrid().Rows() - MF().BoxGrid().FixedRows(); }
};

}  // namespace

TEST_F(NewFormat, AskedUntilTheSizesFitThenSavedEmptyAndCurrent) {
    test::ScriptedAnswers answers;
    const int ok = dlg::Ok;
    answers << "新格式"
            << "0" << ok << "2001"
            << "100" << ok << "200"
            << "100";
    mNewFmt_Click();
    EXPECT_EQ(answers.messages(),
              (QStringList{"单据宽度不能为零！",
                           "单据的宽度与高度比例应为1：20到20：1之间,请重新输入！"}));
    EXPECT_EQ(MF().CurrentFormat(), "新格式");
    EXPECT_EQ(MF().Wid->text(), "200");
    EXPECT_EQ(MF().Hie->text(), "100");
    EXPECT_EQ(boxRows(), 0);
    EXPECT_EQ(Count("Fmt", "Fmt=?", {"新格式"}), 1);
    EXPECT_EQ(Count("Fmt", "Fmt=?", {"旧格式"}), 3);
    QTreeWidgetItem* node = TreeNodeByKey(Tree(), "F新格式");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->foreground(0).color(), CurrentNodeColour());
    EXPECT_EQ(TreeNodeByKey(Tree(), "F旧格式")->foreground(0).color(), QColor(Qt::black));
}

TEST_F(NewFormat, GivingUpOrARefusedNameLeavesTheOpenFormat) {
    const QList<QVariantList> scripts = {
        {QVariant()},                            // no name
        {"a|b"},                                 // a name the tree cannot keep
        {"新格式", "200", QVariant()},           // no height
        {"旧格式", "200", "100", int(dlg::No)},  // the overwrite declined
    };
    for (const QVariantList& script : scripts) {
        test::ScriptedAnswers answers;
        for (const QVariant& a : script) answers << a;
        mNewFmt_Click();
        EXPECT_EQ(MF().CurrentFormat(), "旧格式");
        EXPECT_EQ(boxRows(), 2);
        EXPECT_EQ(Count("Fmt", "Fmt=?", {"旧格式"}), 3);
        EXPECT_EQ(Count("Fmt", "Fmt=?", {"新格式"}), 0);
    }
}
