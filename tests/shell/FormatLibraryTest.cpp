// The format library on the main window: the tree filled at start-up, the export and import
// menu items, and a picture of the tree beside the canvas.

#include <QFileInfo>
#include <QTreeWidget>

#include "MainWindowFixture.h"
#include "common/Params.h"
#include "common/TwipGeometry.h"
#include "library/FormatTree.h"
#include "store/MainForm.h"
#include "store/SampleFormats.h"

using namespace bw;

using FormatLibrary = test::MainWindowTest;

TEST_F(FormatLibrary, TheTreeFilesTheReadyFormatsAndTheMenusExchangeFormats) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    QTreeWidgetItem* slip = TreeNodeByKey(w->TV, "F" + kSampleDepositSlip);
    ASSERT_NE(slip, nullptr);
    EXPECT_EQ(slip->parent()->text(0), "进账单");
    EXPECT_EQ(slip->foreground(0).color(), CurrentNodeColour());
    EXPECT_EQ(TreeNodeByKey(w->TV, "F" + kSampleWaybill)->parent()->text(0), "快递");
    EXPECT_FALSE(GetParam(kFormatTreeParam).isEmpty());

    // The tree slid in beside the canvas.
    SetTwLeft(w->TV, 0);
    w->TV->raise();
    settle();
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/main_window_format_tree.png"));
    SetTwLeft(w->TV, -TwWidth(w->TV));

    const QString file = folder_.file("运单副本.vfm");
    {
        test::ScriptedAnswers answers;
        answers << file;
        test::answerChooser(kSampleWaybill);
        w->mExportFmt->trigger();
        EXPECT_EQ(answers.lastMessage(), "格式：“" + kSampleWaybill + "”导出完成！");
    }
    {
        test::ScriptedAnswers answers;
        answers << file << int(dlg::Yes);
        w->mImportFmt->trigger();
    }
    EXPECT_EQ(MF().CurrentFormat(), "运单副本");
    QTreeWidgetItem* copy = TreeNodeByKey(w->TV, "F运单副本");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->foreground(0).color(), CurrentNodeColour());
    EXPECT_NE(slip->foreground(0).color(), CurrentNodeColour());
}
