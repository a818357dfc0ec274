// Esc pressed where the keyboard is when a dialog of a main window command comes up (its list
// or grid): the printer choice, the format list, the import mapping and the history column
// order each close as by their cancel button, and the command goes on as after cancel. Enter
// while typing in a grid's cell ends the typing and leaves the dialog open.

#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "MainWindowFixture.h"
#include "common/Database.h"
#include "common/Params.h"
#include "library/ui/FmtList.h"
#include "platform/GridView.h"
#include "printing/SelPrinter.h"
#include "records/BatchRows.h"
#include "records/HistoryGrid.h"
#include "records/ui/ColOrdSet.h"
#include "records/ui/InputMap.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

using namespace bw;

namespace {

using DialogKeys = test::MainWindowTest;

template <class T>
bool pressEscIn() {
    T* d = test::shownWindow<T>();
    return d && test::pressEsc(d);
}

TEST_F(DialogKeys, EscCancelsThePrinterChoiceFormatListImportMappingAndColumnOrder) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    const QString format = MF().CurrentFormat();
    test::ScriptedAnswers answers;
    bool closed = false;
    test::whenShown<SelPrinter>([&closed](SelPrinter*) { closed = pressEscIn<SelPrinter>(); });
    w->COM_Click(0);  // 打印单据
    EXPECT_TRUE(closed);
    EXPECT_EQ(ValueWhere("历史", "Fmt=?", "ID", {format}), "") << "nothing printed";

    closed = false;
    test::whenShown<FmtList>([&closed](FmtList*) { closed = pressEscIn<FmtList>(); });
    w->m_FCom[30]->trigger();  // 选择格式
    EXPECT_TRUE(closed);
    EXPECT_EQ(MF().CurrentFormat(), format);
    EXPECT_EQ(answers.messages(), QStringList());

    const QString path = folder_.file("orders.csv");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("客户,金额\r\n张三,100\r\n") > 0);
    f.close();
    answers << path;
    w->COM_Click(10);  // 导入
    InputMap* map = test::shownWindow<InputMap>();
    ASSERT_NE(map, nullptr);
    map->M1Grid->SetTextMatrix(map->M1Grid->FixedRows(), 4, "A");
    EXPECT_TRUE(pressEscIn<InputMap>());
    EXPECT_EQ(BatchRecordCount(*MF().MSF[1]), 0) << "nothing imported";
    EXPECT_EQ(ValueWhere("映射", "Fmt=?", "Map", {format}), "A") << "the mapping kept, as by 取消";

    w->COM_Click(27);  // 列顺序
    ColOrdSet* order = test::shownWindow<ColOrdSet>();
    ASSERT_NE(order, nullptr);
    order->COM_Click(1);  // a row moved down, then left unsaved
    EXPECT_TRUE(pressEscIn<ColOrdSet>());
    EXPECT_EQ(GetParam(ColumnOrderParam(format)), "");
}

TEST_F(DialogKeys, EnterInTheMappingCellEndsTheTypingAndEnterOutsideImports) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    const QString path = folder_.file("orders.csv");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("客户,金额\r\n张三,100\r\n") > 0);
    f.close();
    test::ScriptedAnswers answers;
    answers << path;
    w->COM_Click(10);  // 导入
    InputMap* map = test::shownWindow<InputMap>();
    ASSERT_NE(map, nullptr);
    const Grid& g = *map->M1Grid;
    int row = g.FixedRows();
    while (row < g.Rows() && g.TextMatrix(row, 3) != "全称") ++row;
    ASSERT_LT(row, g.Rows());
    // A click opens the editor over the cell (a second one would land in the editor).
    QTest::mouseClick(map->M1->viewport(), Qt::LeftButton, {}, map->M1->CellRect(row, 4).center());
    ASSERT_TRUE(map->TT->isVisible());
    QTest::keyClicks(map->TT, "A");
    QTest::keyClick(map->TT, Qt::Key_Return);
    EXPECT_EQ(test::shownWindow<InputMap>(), map) << "the dialog stays open";
    EXPECT_EQ(g.TextMatrix(row, 4), "A");
    EXPECT_FALSE(map->TT->isVisible());
    EXPECT_EQ(BatchRecordCount(*MF().MSF[1]), 0);

    // The typing ended, the grid has the keys again: Enter there is 确定.
    EXPECT_EQ(map->focusWidget(), map->M1);
    QTest::keyClick(map->M1, Qt::Key_Return);
    EXPECT_EQ(test::shownWindow<InputMap>(), nullptr);
    EXPECT_EQ(BatchRecordCount(*MF().MSF[1]), 1);
    EXPECT_EQ(test::textBoxCaptioned("全称")->Text(), "张三");
}

}  // namespace
