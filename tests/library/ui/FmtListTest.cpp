// The local format list: what it shows, choosing, deleting a range from the bottom up, the
// preview, and the answer it leaves when closed.

#include <QComboBox>

#include "LibraryFixture.h"
#include "common/Globals.h"
#include "common/GridFunctions.h"
#include "common/Params.h"
#include "library/FormatListData.h"
#include "library/FormatTree.h"
#include "library/ui/FmtList.h"
#include "platform/GridView.h"
#include "store/BackgroundPicture.h"
#include "store/MainForm.h"

using namespace bw;

namespace {

void writePicture(const QString& path, int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(230, 240, 255));
    for (int y = 0; y < h; y += 20)
        for (int x = 0; x < w; ++x) img.setPixelColor(x, y, QColor(200, 60, 60));
    ASSERT_TRUE(img.save(path, "JPG"));
}

class FmtListTest : public test::LibraryTest {
protected:
    void SetUp() override {
        test::LibraryTest::SetUp();
        for (const QString f : {"A单", "B单", "C单", "D单", "E单", "F单"}) AddFormat(f, 200, 100);
        MF().SetCurrentFormat("C单");
        LoadFormatTree();
        list_ = new FmtList;
        list_->resize(760, 520);
        list_->Form_Load();
        list_->show();
    }
    void TearDown() override {
        delete list_;
        test::LibraryTest::TearDown();
    }
    Grid& grid() { return list_->grid(); }
    int rowOf(const QString& name) {
        for (int r = grid().FixedRows(); r < grid().Rows(); ++r)
            if (grid().TextMatrix(r, kFormatListNameCol) == name) return r;
        return -1;
    }
    QStringList names() {
        QStringList out;
        for (int r = grid().FixedRows(); r < grid().Rows(); ++r)
            out << grid().TextMatrix(r, kFormatListNameCol);
        return out;
    }
    FmtList* list_ = nullptr;
};

}  // namespace

TEST(FormatListData, ScrollRangeInTenthsOfTheFrameAndEmptyKeywords) {
    const double cases[][3] = {{300, 300, 0}, {900, 300, 30}, {301, 300, 10}, {100, 0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(PictureScrollMax(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
    EXPECT_EQ(SearchKeysText("", {}), "");
    EXPECT_EQ(SearchKeysOf(""), QStringList());
}

TEST_F(FmtListTest, OpensOnTheCurrentFormatAndChooses) {
    EXPECT_EQ(list_->windowTitle(), "选择/管理格式模板");
    EXPECT_EQ(names(), (QStringList{"A单", "B单", "C单", "D单", "E单", "F单"}));
    EXPECT_EQ(grid().Row(), rowOf("C单"));
    EXPECT_EQ(GetCellProperty(grid(), rowOf("C单"), kFormatListNameCol, true), kFormatListRed);
    EXPECT_TRUE(list_->LBL->isVisible());  // no picture

    grid().SetRow(rowOf("E单"));
    EXPECT_EQ(grid().TextMatrix(rowOf("E单"), kFormatListTickCol), "√");
    EXPECT_EQ(grid().TextMatrix(rowOf("C单"), kFormatListTickCol), "");
    list_->COM_Click(0);
    EXPECT_EQ(ChosenItem, "E单");
}

TEST_F(FmtListTest, LeavingAnswersTheCurrentFormatOrNothing) {
    list_->COM_Click(1);
    EXPECT_EQ(ChosenItem, "C单");

    for (bool byEsc : {false, true}) {
        FmtList other;
        other.Form_Load();
        other.show();
        ChosenItem = "B单";  // as an export leaves it
        if (byEsc)
            other.reject();
        else
            other.close();
        EXPECT_EQ(ChosenItem, "");
    }
}

TEST_F(FmtListTest, DeletesTheSelectedRangeFromTheBottomUp) {
    // Rows of B..E selected from the bottom; the current format C is refused, D is kept.
    grid().Select(rowOf("E单"), 2, rowOf("B单"), 5);
    test::ScriptedAnswers answers;
    answers << int(dlg::Yes) << int(dlg::No) << int(dlg::Ok) << int(dlg::Yes);
    list_->COM_Click(4);
    EXPECT_EQ(
        answers.messages(),
        (QStringList{"您确定要删除格式：“E单”？", "您确定要删除格式：“D单”？",
                     "此格式为当前格式，不允许删除！", "您确定要删除格式：“B单”？", "删除完成！"}));
    EXPECT_EQ(names(), (QStringList{"A单", "C单", "D单", "F单"}));
    EXPECT_EQ(Count("Fmt", "Fmt=?", {"E单"}), 0);
    EXPECT_EQ(TreeNodeByKey(MF().TV, "FE单"), nullptr);
    EXPECT_EQ(GetCellProperty(grid(), rowOf("C单"), kFormatListNameCol, true), kFormatListRed);
    EXPECT_EQ(ChosenItem, "");
}

TEST_F(FmtListTest, PreviewsThePictureAndScrollsATallOne) {
    const int frameW = list_->Frm->width(), frameH = list_->Frm->height();
    writePicture(BackgroundPicturePath("A单"), frameW, frameH / 2);
    writePicture(BackgroundPicturePath("B单"), frameW, frameH * 3);
    grid().SetRow(rowOf("A单"));
    EXPECT_FALSE(list_->LBL->isVisible());
    EXPECT_FALSE(list_->VS->isEnabled());
    grid().SetRow(rowOf("B单"));
    EXPECT_TRUE(list_->VS->isEnabled());
    EXPECT_EQ(list_->VS->maximum(), 30);
    list_->VS->setValue(10);
    EXPECT_EQ(list_->Img->y(), -frameH);
    QDir().mkpath(test::ArtifactDir());
    list_->grab().save(test::ArtifactDir() + "/fmtlist_preview.png");
    grid().SetRow(rowOf("D单"));
    EXPECT_TRUE(list_->LBL->isVisible());
}

TEST_F(FmtListTest, SearchesNamesAndKeepsTheKeywords) {
    // From the row after the current one, wrapping; the current row is found last.
    for (const char* row : {"D单", "E单", "F单", "A单", "B单", "C单", "D单"}) {
        list_->SKey->setEditText("单");
        list_->COM_Click(6);
        EXPECT_EQ(grid().Row(), rowOf(row));
    }
    test::ScriptedAnswers answers;
    list_->SKey->setEditText("无");
    list_->COM_Click(6);
    EXPECT_EQ(grid().Row(), rowOf("D单"));
    list_->SKey->setEditText("");
    list_->COM_Click(6);
    EXPECT_EQ(answers.lastMessage(), "请先输入关键词！");

    // The last keyword comes first, once; the stored list's empty entries are skipped.
    SetParam(kFormatSearchParam, "乙||||单||");
    list_->Form_Load();
    EXPECT_EQ(list_->SKey->count(), 2);
    list_->SKey->setEditText("单");
    list_->Form_Unload();
    EXPECT_EQ(GetParam(kFormatSearchParam), "单||乙");
    EXPECT_FALSE(GetParam("窗口参数：格式模板列表").isEmpty());
}
