// What the format lists share: the grid of formats, the name search, the keyword history
// and the picture's scroll range.

#include <QComboBox>

#include "LibraryFixture.h"
#include "common/GridFunctions.h"
#include "common/Params.h"
#include "library/FormatListData.h"

using namespace bw;

TEST(SearchKeys, TheLastUsedComesFirstOnce) {
    EXPECT_EQ(SearchKeysText("a", {"b", "a"}), "a||b");
    EXPECT_EQ(SearchKeysText("c", {"b", "a"}), "c||b||a");
    EXPECT_EQ(SearchKeysText("", {}), "");
    EXPECT_EQ(SearchKeysOf("x||||y||"), (QStringList{"x", "y"}));
    EXPECT_EQ(SearchKeysOf(""), QStringList());
}

TEST(PictureScroll, TenthsOfTheFrame) {
    EXPECT_EQ(PictureScrollMax(300, 300), 0);
    EXPECT_EQ(PictureScrollMax(900, 300), 30);
    EXPECT_EQ(PictureScrollMax(301, 300), 10);
    EXPECT_EQ(PictureScrollMax(100, 0), 0);
}

namespace {
class FormatListData : public test::LibraryTest {};
}  // namespace

TEST_F(FormatListData, TheGridListsFormatsAndFindsNames) {
    for (const QString f : {"丙单", "甲单", "乙单据", "丁"}) AddFormat(f, 210, 99.5);
    Grid g;
    FillFormatGrid(g, true, "乙单据");
    ASSERT_EQ(g.Rows() - g.FixedRows(), 4);
    QStringList names;
    for (int r = g.FixedRows(); r < g.Rows(); ++r) names << g.TextMatrix(r, kFormatListNameCol);
    EXPECT_EQ(names, (QStringList{"丁", "丙单", "乙单据", "甲单"}));
    const int current = g.FixedRows() + 2;
    EXPECT_EQ(g.Row(), current);
    EXPECT_EQ(g.TextMatrix(current, kFormatListTickCol), "√");
    EXPECT_EQ(GetCellProperty(g, current, kFormatListNameCol, true), kFormatListRed);
    EXPECT_EQ(g.TextMatrix(current, 4), "210");

    // From the row after the current one, wrapping; the current row is found last.
    EXPECT_EQ(FindInFormatGrid(g, "单", 3, 3), g.FixedRows() + 3);
    EXPECT_EQ(FindInFormatGrid(g, "单", 3, 3), g.FixedRows() + 1);
    EXPECT_EQ(FindInFormatGrid(g, "乙", 3, 3), current);
    EXPECT_EQ(FindInFormatGrid(g, "乙", 3, 3), current);
    EXPECT_EQ(FindInFormatGrid(g, "无", 3, 3), -1);
    EXPECT_EQ(g.Row(), current);
    test::ScriptedAnswers answers;
    EXPECT_EQ(FindInFormatGrid(g, "", 3, 3), -1);
    EXPECT_EQ(answers.lastMessage(), "请先输入关键词！");
}

TEST_F(FormatListData, KeywordsAreKeptInTheParameter) {
    QComboBox box;
    box.setEditable(true);
    SetParam(kFormatSearchParam, "乙||||甲||");
    LoadSearchKeys(&box, kFormatSearchParam);
    EXPECT_EQ(box.count(), 2);
    EXPECT_EQ(box.currentText(), "乙");
    box.setEditText("甲");
    SaveSearchKeys(&box, kFormatSearchParam);
    EXPECT_EQ(GetParam(kFormatSearchParam), "甲||乙");
}
