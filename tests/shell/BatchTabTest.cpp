// The batch tab as a clerk uses it: import a CSV file through the mapping dialog, step
// through the records, search them, and print the batch.

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "MainWindowFixture.h"
#include "PrintTestSupport.h"
#include "common/Database.h"
#include "platform/Grid.h"
#include "records/BatchRows.h"
#include "records/ui/InputMap.h"
#include "shell/TabStrip.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

using BatchTab = test::MainWindowTest;

InputMap* openMapDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* map = qobject_cast<InputMap*>(w); map && map->isVisible()) return map;
    return nullptr;
}

TEST_F(BatchTab, ImportedRowsAreShownSearchedAndPrinted) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    MainForm& mf = MF();
    // A text box of plain text: its value arrives unconverted.
    int plain = 0;
    for (int i = 1; i <= BoxCount[0] && !plain; ++i)
        if (BoxDataType(GetBoxByIndex(i)) == 0) plain = i;
    ASSERT_GT(plain, 0);
    auto shown = [plain] { return static_cast<TextBox*>(GetBoxByIndex(plain))->Text(); };
    const QString path = folder_.file("orders.csv");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("客户,金额\r\n张三,100\r\n李四,200\r\n王五,300\r\n");
    }
    {
        test::ScriptedAnswers answers;
        answers << path;
        w->COM_Click(10);
    }
    InputMap* map = openMapDialog();
    ASSERT_NE(map, nullptr);
    map->M1Grid->SetTextMatrix(plain, 4, "A");
    map->COM_Click(0);
    Grid& g = *mf.MSF[1];
    ASSERT_EQ(BatchRecordCount(g), 3);
    EXPECT_EQ(shown(), "张三");
    EXPECT_TRUE(w->COM[1]->isEnabled());
    EXPECT_EQ(mf.R_Num[0]->text(), "3");

    w->SST->SetTab(1);
    settle();
    ASSERT_TRUE(grab().save(test::ArtifactDir() + "/batch_tab_after_import.png"));
    w->SST->SetTab(0);

    mf.HS->setValue(3);
    EXPECT_EQ(shown(), "王五");
    EXPECT_EQ(mf.R_Num[1]->text(), "3");

    w->KW1->setText(" 李四 ");
    w->COM_Click(3);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(w->KW1->text(), " 李四 ");  // the box keeps what was typed
    w->COM_Click(4);                      // the selected record into the boxes
    EXPECT_EQ(shown(), "李四");

    const QString pdf = test::ArtifactDir() + "/batch_print.pdf";
    QFile::remove(pdf);
    test::ChoosePdf(pdf);
    w->COM_Click(1);
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    Recordset rs;
    OpenRecordset(rs, "SELECT DISTINCT ID FROM 历史 WHERE Fmt=?", {mf.CurrentFormat()});
    EXPECT_EQ(rs.RecordCount(), 3);
}

}  // namespace
