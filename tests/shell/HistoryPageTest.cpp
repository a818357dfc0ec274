// The history page of the main window: it loads when shown, its reprint button fills the bill
// page (deleting and reprinting themselves are tested with the history), and a picture of it
// with a seeded history goes to the artifacts.

#include <QPushButton>

#include "MainWindowFixture.h"
#include "common/Database.h"
#include "common/Params.h"
#include "platform/Grid.h"
#include "records/History.h"
#include "records/HistoryGrid.h"
#include "shell/TabStrip.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

class HistoryPage : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::MainWindowTest::SetUp();
        w_ = start();
        ASSERT_NE(w_, nullptr);
        format_ = MF().CurrentFormat();
        // Two boxes of plain text, which show a value as it is stored.
        for (int n = FirstBoxIndex(kTextBox); n <= LastBoxIndex(kTextBox); ++n)
            if (BoxDataType(GetBoxByIndex(n)) == 0 && plain_.size() < 2) plain_.push_back(n);
        ASSERT_EQ(plain_.size(), 2u);
        const QStringList names{"张三", "李四", "王五", "赵六", "钱七", "孙八"};
        for (int bill = 0; bill < names.size(); ++bill) {
            for (int n = FirstBoxIndex(kTextBox); n <= LastBoxIndex(kTextBox); ++n)
                static_cast<TextBox*>(GetBoxByIndex(n))->SetText("");
            box(0)->SetText(names[bill]);
            box(1)->SetText(QString::number(1000 + bill * 250));
            SaveBillToHistory(format_);
        }
    }
    Grid& grid() { return *MF().MSF[2]; }
    TextBox* box(int i) { return static_cast<TextBox*>(GetBoxByIndex(plain_[i])); }
    std::vector<int> plain_;
    MainWindow* w_ = nullptr;
    QString format_;
};

TEST_F(HistoryPage, ShowingThePageLoadsTheHistoryAndItsButtonsWork) {
    w_->SST->SetTab(2);
    test::MainWindowTest::settle();
    EXPECT_EQ(grid().Tag(), format_ + "|300");
    EXPECT_EQ(grid().Rows() - grid().FixedRows(), 6);
    EXPECT_TRUE(grid().TextMatrix(2, 0) == "6");
    EXPECT_FALSE(w_->COM[25]->isEnabled());  // nothing left out
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_history_page.png"));

    // Reprint one bill: the bill page shows it in the boxes.
    grid().SetRow(3);  // bill 5
    w_->COM[20]->click();
    EXPECT_EQ(w_->SST->Tab(), 0);
    EXPECT_EQ(box(0)->Text(), "钱七");
}

}  // namespace
