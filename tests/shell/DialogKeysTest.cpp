// Esc in the dialogs the main window's commands open, pressed where the keyboard is when the
// dialog comes up (its list or grid): the printer choice, the format chooser, the import
// mapping and the history column order each close as by their cancel button, and the command
// goes on as after cancel.

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "MainWindowFixture.h"
#include "common/Database.h"
#include "common/Params.h"
#include "common/SelFormat.h"
#include "library/ui/FmtList.h"
#include "platform/Grid.h"
#include "printing/SelPrinter.h"
#include "records/BatchRows.h"
#include "records/HistoryGrid.h"
#include "records/ui/ColOrdSet.h"
#include "records/ui/InputMap.h"
#include "store/MainForm.h"

using namespace bw;

namespace {

using DialogKeys = test::MainWindowTest;

template <class T>
bool pressEscIn() {
    T* d = test::shownWindow<T>();
    return d && test::pressEsc(d);
}

int count(const QString& table, const QString& where, const Params& params) {
    Recordset rs;
    OpenRecordset(rs, "SELECT COUNT(*) FROM " + table + " WHERE " + where, params);
    return rs.Value(0).toInt();
}

TEST_F(DialogKeys, EscCancelsThePrinterChoiceAndTheFormatChooser) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    const QString format = MF().CurrentFormat();
    test::ScriptedAnswers answers;

    bool pressed = false;
    test::whenShown<SelPrinter>([&pressed](SelPrinter*) { pressed = pressEscIn<SelPrinter>(); });
    w->COM_Click(0);  // 打印单据
    EXPECT_TRUE(pressed);
    EXPECT_EQ(test::shownWindow<SelPrinter>(), nullptr);
    EXPECT_EQ(count("历史", "Fmt=?", {format}), 0) << "nothing printed, nothing recorded";
    EXPECT_TRUE(w->COM[0]->isEnabled());

    pressed = false;
    test::whenShown<FmtList>([&pressed](FmtList*) { pressed = pressEscIn<FmtList>(); });
    w->m_FCom[30]->trigger();  // 选择格式
    EXPECT_TRUE(pressed);
    EXPECT_EQ(test::shownWindow<FmtList>(), nullptr);
    EXPECT_EQ(MF().CurrentFormat(), format);
    EXPECT_EQ(answers.messages(), QStringList());
}

TEST_F(DialogKeys, EscCancelsTheImportMappingAndTheColumnOrder) {
    MainWindow* w = start();
    ASSERT_NE(w, nullptr);
    MainForm& mf = MF();
    const QString format = mf.CurrentFormat();
    const QString path = folder_.file("orders.csv");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("客户,金额\r\n张三,100\r\n");
    }
    {
        test::ScriptedAnswers answers;
        answers << path;
        w->COM_Click(10);  // 导入
    }
    InputMap* map = test::shownWindow<InputMap>();
    ASSERT_NE(map, nullptr);
    map->M1Grid->SetTextMatrix(map->M1Grid->FixedRows(), 4, "A");
    ASSERT_TRUE(pressEscIn<InputMap>());
    EXPECT_EQ(test::shownWindow<InputMap>(), nullptr);
    EXPECT_EQ(BatchRecordCount(*mf.MSF[1]), 0) << "nothing imported";
    EXPECT_EQ(count("映射", "Fmt=? AND Map='A'", {format}), 1) << "the mapping kept, as by 取消";

    w->COM_Click(27);  // 列顺序
    ColOrdSet* order = test::shownWindow<ColOrdSet>();
    ASSERT_NE(order, nullptr);
    order->COM_Click(1);  // a row moved down, then left unsaved
    ASSERT_TRUE(pressEscIn<ColOrdSet>());
    EXPECT_EQ(test::shownWindow<ColOrdSet>(), nullptr);
    EXPECT_EQ(GetParam(ColumnOrderParam(format)), "");
}

}  // namespace
