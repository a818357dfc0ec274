// The label page of the real main window: the tab switch loads the stored settings and
// draws a page of labels from the batch grid; a picture of it for people to look at.

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "MainWindowFixture.h"
#include "common/Params.h"
#include "platform/Grid.h"
#include "platform/PictureWidget.h"
#include "platform/Settings.h"
#include "shell/TabStrip.h"
#include "store/MainForm.h"

using namespace bw;

namespace {

using LabelPage = test::MainWindowTest;

// Twelve records feeding the first three text boxes of the open format.
void FillBatch() {
    MainForm& mf = MF();
    Grid& g = *mf.MSF[1];
    g.SetRows(2 + 12);
    g.SetCols(4);
    g.SetFixedRows(2);
    g.SetFixedCols(1);
    for (int c = 1; c <= 3; ++c) {
        g.SetTextMatrix(0, c, QString::number(c));
        g.SetColWidth(c, 1200);
    }
    const char* names[] = {"张伟", "王芳", "李娜", "刘洋", "陈静", "杨磊"};
    for (int i = 0; i < 12; ++i) {
        g.SetTextMatrix(2 + i, 0, QString::number(i + 1));
        g.SetTextMatrix(2 + i, 1, QString::fromUtf8(names[i % 6]));
        g.SetTextMatrix(2 + i, 2, QStringLiteral("6222 0200 %1").arg(1000 + i));
        g.SetTextMatrix(2 + i, 3, QStringLiteral("%1.00").arg(1200 + i * 35));
    }
    mf.R_Num[0]->setText(QStringLiteral("12"));
}

TEST_F(LabelPage, TheTabLoadsTheStoredSettingsAndShowsAPageOfLabels) {
    ASSERT_NE(start(), nullptr);
    WriteSetting("BWL1", "TagPrintSet", "Index0", "2");
    WriteSetting("BWL1", "TagPrintSet", "Index1", "3");
    SetParam("LabelArrayLine", "1");
    FillBatch();
    MainForm& mf = MF();
    TheMainWindow()->SST->SetTab(3);
    test::MainWindowTest::settle();
    EXPECT_EQ(mf.TNum[0]->text(), "2");
    EXPECT_EQ(mf.TNum[1]->text(), "3");
    EXPECT_TRUE(mf.CK[6]->isChecked());
    EXPECT_EQ(mf.PPS->text(), "1/2");
    EXPECT_TRUE(mf.HS1->isEnabled());
    EXPECT_TRUE(mf.PTag->isVisible());
    // The preview lies over the box property grid.
    const QWidget* page = TheMainWindow()->Pic[3];
    const QPoint centre = mf.LFrm->geometry().center();
    EXPECT_TRUE(mf.LFrm->isAncestorOf(page->childAt(centre)) || page->childAt(centre) == mf.LFrm);
    EXPECT_TRUE(mf.CB[14]->isEnabled());
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_label_preview.png"));
    mf.HS1->setValue(1);
    test::MainWindowTest::settle();
    EXPECT_EQ(mf.PPS->text(), "2/2");
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_label_preview_page2.png"));
}

}  // namespace
