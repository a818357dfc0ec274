// The label page of the real main window: the tab switch loads the stored settings and
// draws a page of labels from the batch grid over the box property grid; a picture of it
// for people to look at.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "MainWindowFixture.h"
#include "common/Params.h"
#include "platform/Grid.h"
#include "platform/GridView.h"
#include "platform/PictureWidget.h"
#include "platform/Settings.h"
#include "shell/TabStrip.h"
#include "store/MainForm.h"

using namespace bw;

namespace {

using LabelPage = test::MainWindowTest;

TEST_F(LabelPage, TheTabLoadsTheStoredSettingsAndShowsAPageOfLabels) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    WriteSetting("BWL1", "TagPrintSet", "Index0", "2");
    WriteSetting("BWL1", "TagPrintSet", "Index1", "3");
    SetParam("LabelArrayLine", "1");
    // Twelve records feeding the first three text boxes of the open format.
    MainForm& mf = MF();
    Grid& g = *mf.MSF[1];
    g.SetRows(2 + 12);
    g.SetCols(4);
    g.SetFixedRows(2);
    g.SetFixedCols(1);
    const char* names[] = {"张伟", "王芳", "李娜", "刘洋", "陈静", "杨磊"};
    for (int i = 0; i < 12; ++i) {
        g.SetTextMatrix(2 + i, 0, QString::number(i + 1));
        const QString values[] = {names[i % 6], QStringLiteral("6222 0200 %1").arg(1000 + i),
                                  QStringLiteral("%1.00").arg(1200 + i * 35)};
        for (int c = 1; c <= 3; ++c) {
            g.SetTextMatrix(0, c, QString::number(c));
            g.SetColWidth(c, 1200);
            g.SetTextMatrix(2 + i, c, values[c - 1]);
        }
    }
    mf.R_Num[0]->setText("12");

    w->SST->SetTab(3);
    settle();
    EXPECT_EQ(mf.TNum[0]->text(), "2");
    EXPECT_EQ(mf.TNum[1]->text(), "3");
    EXPECT_TRUE(mf.CK[6]->isChecked());
    EXPECT_EQ(mf.PPS->text(), "1/2");
    EXPECT_TRUE(mf.HS1->isEnabled());
    EXPECT_TRUE(mf.CB[14]->isEnabled());
    // The preview lies over the box property grid, which the label page hides.
    EXPECT_TRUE(mf.PTag->isVisible());
    EXPECT_TRUE(w->Frm[3]->isVisible());
    EXPECT_FALSE(w->MSF[3]->isVisible());
    const QPoint centre = mf.LFrm->geometry().center();
    EXPECT_TRUE(mf.LFrm->isAncestorOf(w->Pic[3]->childAt(centre)) ||
                w->Pic[3]->childAt(centre) == mf.LFrm);
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_label_preview.png"));
}

}  // namespace
