// The import windows: the worksheet choice, the mapping dialog with its stored mapping and
// settings, the row limit, and the batch grid's editor.

#include <QApplication>
#include <QLineEdit>

#include "RecordsFixture.h"
#include "common/GridFunctions.h"
#include "common/Params.h"
#include "platform/GridView.h"
#include "platform/VbNumbers.h"
#include "platform/XlsWriter.h"
#include "records/ui/BatchGridEvents.h"
#include "records/ui/ImportFile.h"
#include "records/ui/ImportSheets.h"
#include "records/ui/InputMap.h"

using namespace bw;

namespace {

class ImportWindows : public test::RecordsFixture {
protected:
    void SetUp() override {
        RecordsFixture::SetUp();
        Show("运单", {{0, "收件人"}, {0, "地址"}, {1, "到付"}, {2, "条码"}});
        for (int k = 0; k < 4; ++k)
            SaveRegValue("BWF", "Marvenset", QStringLiteral("T(%1)").arg(k), QString());
        ImportFileName.clear();
        ImportSheetNames.clear();
    }
    QString csv(int lines) {
        QByteArray bytes = "姓名,地址\r\n";
        for (int i = 1; i < lines; ++i)
            bytes += "客户" + QByteArray::number(i) + ",街道" + QByteArray::number(i) + "号\r\n";
        const QString path = folder_.file("客户.csv");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    std::unique_ptr<InputMap> loaded() {
        auto map = std::make_unique<InputMap>();
        map->Form_Load();
        return map;
    }
    static void type(InputMap& map, int row, const QString& spec) {
        map.M1Grid->SetTextMatrix(row, 4, spec);
    }
};

TEST_F(ImportWindows, TheMappingGridListsTheBoxesAndKeepsTheMappingAndSettings) {
    ImportFileName = csv(30);
    auto map = loaded();
    Grid& m = *map->M1Grid;
    ASSERT_EQ(m.Rows(), 5);
    EXPECT_EQ(m.TextMatrix(0, 4), "对应列号");
    EXPECT_EQ(m.TextMatrix(1, 0), "1");
    EXPECT_EQ(m.TextMatrix(3, 0), "1001");
    EXPECT_EQ(m.TextMatrix(4, 0), "2001");
    EXPECT_EQ(m.TextMatrix(2, 3), "地址");
    EXPECT_EQ(m.TextMatrix(4, 2), "4");
    EXPECT_EQ(map->T[0]->text(), "2");
    EXPECT_EQ(map->T[1]->text(), "100");
    EXPECT_EQ(map->M0Grid->TextMatrix(2, 1), "客户1");
    EXPECT_EQ(map->M0Grid->TextMatrix(0, 59), "BG");
    map->show();
    QApplication::processEvents();
    EXPECT_TRUE(map->grab().save(test::ArtifactDir() + "/input_map.png"));

    type(*map, 1, " A ");
    type(*map, 2, "\"地址：\",B");
    type(*map, 4, "A,B");
    map->T[0]->setText(" 3 ");
    map->T[1]->setText("50");
    map->T[3]->setText("A");
    map->COM_Click(1);  // cancel keeps the mapping too
    EXPECT_EQ(ValueWhere("映射", "Fmt='运单' AND Map=?", "ID", {" A "}).toLongLong(),
              Val(m.TextMatrix(1, 1)));
    Recordset rs;
    OpenRecordset(rs, "SELECT * FROM 映射 WHERE Fmt='运单'");
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(GetRegValue("BWF", "Marvenset", "T(0)", "x"), "3");
    EXPECT_EQ(BatchRecordCount(*MF().MSF[1]), 0);  // nothing imported

    auto again = loaded();
    EXPECT_EQ(again->M1Grid->TextMatrix(1, 4), " A ");
    EXPECT_EQ(again->M1Grid->TextMatrix(2, 4), "\"地址：\",B");
    EXPECT_EQ(again->M1Grid->TextMatrix(3, 4), "");
    EXPECT_EQ(again->M1Grid->TextMatrix(4, 4), "A,B");
    EXPECT_EQ(again->T[0]->text(), "3");
    EXPECT_EQ(again->T[2]->text(), "1");  // an empty setting keeps the default
    EXPECT_EQ(again->T[3]->text(), "A");
    const ColumnSpecs specs = again->BuildColumnSpecs();
    EXPECT_EQ(specs.text, (QStringList{"", "A", "\"地址：\",B"}));
    EXPECT_EQ(specs.check, (QStringList{"", ""}));
    EXPECT_EQ(specs.picture, (QStringList{"", "A,B"}));
}

TEST_F(ImportWindows, TheSampleShowsEveryCellWholeTheFirstRowToo) {
    ImportFileName = folder_.file("金额.csv");
    {
        QFile f(ImportFileName);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("56789.01,北京华联商厦股份有限公司\r\n1.5,甲\r\n22,乙\r\n");
    }
    auto map = loaded();
    map->show();
    QApplication::processEvents();
    const Grid& g = *map->M0Grid;
    const QFontMetrics fm = map->M0->fontMetrics();
    for (int r = g.FixedRows(); r < 4; ++r) {
        for (int c = 1; c <= 2; ++c) {
            const QString& text = g.TextMatrix(r, c);
            // The view leaves 3 pixels on either side of a cell's text.
            EXPECT_GE(map->M0->CellRect(r, c).width(), fm.horizontalAdvance(text) + 6)
                << text.toStdString();
        }
    }
    map->grab().save(test::ArtifactDir() + "/input_map_numbers.png");
}

TEST_F(ImportWindows, ThirtyThousandRowsAtMostAtOnce) {
    ImportFileName = csv(3);
    const struct {
        const char* start;
        const char* end;
        bool refused;
    } cases[] = {
        {"2", "30001", false}, {"2", "30002", true}, {"30002", "1", true}, {"x", "29999", false}};
    for (const auto& c : cases) {
        auto map = loaded();
        type(*map, 1, "A");
        map->T[0]->setText(c.start);
        map->T[1]->setText(c.end);
        MF().MSF[1]->SetRows(2);
        test::ScriptedAnswers answers;
        map->COM_Click(0);
        EXPECT_EQ(answers.lastMessage() == "一次性导入数据不得超过3万条记录，请重新设置！",
                  c.refused)
            << c.start << "-" << c.end;
        EXPECT_EQ(BatchRecordCount(*MF().MSF[1]) == 0, c.refused) << c.start << "-" << c.end;
    }
}

TEST_F(ImportWindows, PreviewRefusesOtherFilesAndReportsWorkbookErrors) {
    XlsSheetContent content;
    content.name = "订单";
    content.rows = {{"单号", "货品"}, {"1", "笔"}};
    const QString book = folder_.file("Orders.XLS");
    ASSERT_TRUE(WriteXlsFile(book, content));
    const struct {
        QString file, sheets;
        const char* message;
        const char* cell;
    } cases[] = {
        {folder_.file("a.txt"), "", "您选择的文件格式不支持导入，请选择CSV或XLS文件！", ""},
        {book, "订单‖Sheet2", "输入表格名称有误，无法打开表格，请重新输入！", ""},
        {book, "订单", "", "笔"},
    };
    for (const auto& c : cases) {
        ImportFileName = c.file;
        ImportSheetNames = c.sheets;
        test::ScriptedAnswers answers;
        auto map = loaded();
        EXPECT_EQ(answers.lastMessage(), QString::fromUtf8(c.message));
        EXPECT_EQ(map->M0Grid->TextMatrix(2, 2), QString::fromUtf8(c.cell));
    }
    EXPECT_EQ(ImportFileName, book);  // the path as chosen, case and all
}

TEST_F(ImportWindows, TheWorksheetChoiceTicksOneSheetInModeOne) {
    XlsSheetContent content;
    content.name = "一月";
    content.rows = {{"x"}};
    ImportFileName = folder_.file("months.xls");
    ASSERT_TRUE(WriteXlsFile(ImportFileName, content));
    Sheets sheets;
    sheets.Tag = "1";
    ASSERT_TRUE(sheets.Form_Load());
    Grid& g = *sheets.SHLGrid;
    ASSERT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.TextMatrix(1, 2), "一月");
    EXPECT_EQ(g.TextMatrix(1, 1), "√");
    const double y = g.RowPos(1) + 10;
    sheets.SHL_MouseDown(1, 0, 0, y);  // unticks the only ticked sheet
    sheets.Img_Click(0);
    EXPECT_EQ(ImportSheetNames, "");
    sheets.SHL_MouseDown(1, 0, 0, y);
    sheets.Img_Click(0);
    EXPECT_EQ(ImportSheetNames, "一月");
    sheets.Img_Click(1);
    EXPECT_EQ(ImportSheetNames, "");

    Sheets broken;
    ImportFileName = folder_.file("missing.xls");
    test::ScriptedAnswers answers;
    EXPECT_FALSE(broken.Form_Load());
    EXPECT_EQ(answers.lastMessage(), "无法打开XLS文件！");
}

TEST_F(ImportWindows, ChoosingACsvFileOpensNoWorksheetChoice) {
    const QString path = csv(2);
    {
        test::ScriptedAnswers answers;
        answers << path;
        ChooseImportFile(1);
    }
    EXPECT_EQ(ImportFileName, path);
    EXPECT_EQ(ImportSheetNames, "");
    test::ScriptedAnswers cancel;  // the file dialog cancelled: nothing chosen
    ChooseImportFile(1);
    EXPECT_EQ(ImportFileName, "");
}

TEST_F(ImportWindows, OkImportsTheRowsAndTheEditorOpensOnlyOnWideEnoughColumns) {
    QWidget page;
    Grid& g = *MF().MSF[1];
    GridView view(&g, &page);
    view.setGeometry(0, 0, 400, 300);
    BatchGridEvents events(&view, nullptr, nullptr, &page);
    ImportFileName = csv(5);
    auto map = loaded();
    type(*map, 1, "A");
    type(*map, 2, "\"地址：\",B");
    map->T[0]->setText("4");  // given the wrong way round: swapped
    map->T[1]->setText("2");
    map->COM_Click(0);
    ASSERT_EQ(BatchRecordCount(g), 3);
    EXPECT_EQ(g.TextMatrix(4, 2), "地址：街道3号");

    for (const int width : {60, 61}) {
        events.TM->hide();
        g.SetColWidth(1, width);
        g.SetRow(3);
        g.SetCol(1);
        events.MSF_Click(1);
        EXPECT_EQ(events.TM->isVisibleTo(&page), width > 60) << width;
    }
    EXPECT_EQ(events.TM->text(), "客户2");
    events.TM->setText("改过");
    EXPECT_EQ(g.TextMatrix(3, 1), "改过");
    g.SetTopRow(3);
    events.MSF_Scroll();
    EXPECT_FALSE(events.TM->isVisibleTo(&page));
    EXPECT_EQ(g.TextMatrix(3, 1), "改过");
}

TEST_F(ImportWindows, AHeaderPressSortsTheHistoryGridButNeverTheBoxGrid) {
    QWidget page;
    GridView batchView(MF().MSF[1], &page), historyView(MF().MSF[2], &page),
        boxView(&MF().BoxGrid(), &page);
    BatchGridEvents events(&batchView, &historyView, &boxView, &page);
    Grid& h = *MF().MSF[2];
    SetupGrid(h, {"ID", "", "Con"}, {"ID", "序号", "内容"});
    h.SetRows(5);
    const char* texts[3] = {"c", "a", "b"};
    for (int i = 0; i < 3; ++i) h.SetTextMatrix(2 + i, 2, QString::fromUtf8(texts[i]));
    Q_EMIT historyView.MouseDown(1, 0, h.ColPos(2) + 30, h.FixedHeight() - 30);
    EXPECT_EQ(h.TextMatrix(2, 2), "a");
    EXPECT_EQ(h.TextMatrix(4, 2), "c");

    Grid& boxes = MF().BoxGrid();
    QStringList before;
    for (int r = 0; r < boxes.Rows(); ++r) before << boxes.TextMatrix(r, 1);
    for (int c = 1; c < boxes.Cols(); ++c)
        Q_EMIT boxView.MouseDown(1, 0, boxes.ColPos(c) + 10, boxes.FixedHeight() - 10);
    QStringList after;
    for (int r = 0; r < boxes.Rows(); ++r) after << boxes.TextMatrix(r, 1);
    EXPECT_EQ(after, before);
}

}  // namespace
