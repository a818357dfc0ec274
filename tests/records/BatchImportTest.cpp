// Batch rows and the two readers that fill them: column specs, CSV records and workbook rows.

#include <QPushButton>

#include "RecordsFixture.h"
#include "platform/TextCodec.h"
#include "platform/XlsWriter.h"
#include "records/BatchRows.h"
#include "records/CsvImport.h"
#include "records/ExcelImport.h"
#include "records/GridSearch.h"

using namespace bw;

namespace {

// A format of three text boxes, one check box and one picture box.
class BatchImport : public test::RecordsFixture {
protected:
    void SetUp() override {
        RecordsFixture::SetUp();
        Show("运单", {{0, "收件人"}, {0, "地址"}, {0, "件数"}, {1, "到付"}, {2, "条码"}});
    }
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = folder_.file(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    static ColumnSpecs specs(const QStringList& text, const QString& check = {},
                             const QString& picture = {}) {
        ColumnSpecs s;
        s.text << text;
        s.check << check;
        s.picture << picture;
        return s;
    }
    // The data rows of the batch grid, the text boxes' columns only, joined with "|".
    static QStringList rows(const Grid& g) {
        QStringList out;
        for (int r = g.FixedRows(); r < g.Rows(); ++r) {
            QStringList cells;
            for (int c = 1; c <= 3; ++c) cells << g.TextMatrix(r, c);
            out << cells.join(u'|');
        }
        return out;
    }
    Grid& batch() { return *MF().MSF[1]; }
};

TEST(ColumnSpecText, LettersAndNumbersConvertBothWays) {
    const std::pair<int, const char*> pairs[] = {{1, "A"},   {26, "Z"},  {27, "AA"},
                                                 {52, "AZ"}, {53, "BA"}, {702, "ZZ"}};
    for (auto [n, letters] : pairs) {
        EXPECT_EQ(ColumnLetters(n), letters);
        EXPECT_EQ(ColumnNumber(letters), n) << letters;
    }
    const std::pair<const char*, int> numbers[] = {
        {"", 0}, {"ABC", 0}, {" b ", 2}, {"z", 26}, {"5", 1}};
    for (auto [letters, n] : numbers) EXPECT_EQ(ColumnNumber(letters), n) << letters;
    EXPECT_EQ(ColumnLetters(0), "");
    EXPECT_EQ(ColumnLetters(703), "");
}

TEST(ColumnSpecText, NormalisedSpecsSplitIntoLiteralsAndReferences) {
    QStringList specs{"", "，A，B，", "“地址：”,C", " D+1 "};
    NormalizeColumnSpecs(specs);
    EXPECT_EQ(specs, (QStringList{"", "A,B", "\"地址：\",C", "D+1"}));
    // Literals quoted, references as column:line; c+1.5 rounds half to even, and in "x+y+1"
    // the letters before the last "+" are no column.
    QStringList parts;
    for (const auto& p : ParseColumnSpec("\"(\", b+2, AA , \"\", c+1.5, x+y+1"))
        parts << (p.literal ? "'" + p.text + "'" : QString("%1:%2").arg(p.column).arg(p.line));
    EXPECT_EQ(parts, (QStringList{"'('", "2:2", "27:0", "''", "3:2", "0:0"}));
    EXPECT_TRUE(ParseColumnSpec("").empty());
}

TEST_F(BatchImport, CsvFieldsKeepQuotedCommasQuotesAndLineBreaks) {
    const QString path = write("a.CSV",
                               "x,\"1,5\",y\r\n"
                               "\"say \"\"hi\"\"\",,\"\"\r\n"
                               "\"three\r\nline\nfield\",2,z\t\r\n"
                               "last,one,row\r\n");
    int start = 1, end = 100;
    ASSERT_TRUE(ReadCsvData(batch(), path, start, end, specs({"A", "B", "C"}), 1, 0));
    EXPECT_EQ(end, 4);  // lowered to the last line: no empty records
    EXPECT_EQ(rows(batch()),
              (QStringList{"x|1,5|y", "say \"hi\"||", "three//line//field|2|z", "last|one|row"}));
    // Box indices over the columns, captions below them, record numbers in front.
    const Grid& g = batch();
    EXPECT_EQ(QStringList({g.TextMatrix(0, 1), g.TextMatrix(1, 1), g.TextMatrix(5, 0),
                           g.TextMatrix(0, 4), g.TextMatrix(0, 5)}),
              QStringList({"1", "收件人", "4", "1001", "2001"}));
}

TEST_F(BatchImport, CsvRecordsFollowRowsPerRecordKeysAndFurtherLines) {
    const QString path = write("k.csv", "k1,a\r\nk1,b\r\nk1,c\r\nk2,d\r\nk3,e\r\nk3,f\r\n");
    struct Case {
        int maxLines, key;
        QStringList specs;
        QStringList expected;
    } cases[] = {
        // No key: records of 2, 2 and 2 lines; "+1" reads the record's second line.
        {2, 0, {"A", "B,\"-\",B+1", ""}, {"k1|a-b|", "k1|c-d|", "k3|e-f|"}},
        // Key A with up to 3 lines: k1 k1 k1 | k2 | k3 k3; "+1" on a one-line record stops.
        {3, 1, {"A", "B,B+1,\"!\"", "B+2"}, {"k1|ab!|c", "k2|d|", "k3|ef!|"}},
        // A key column no line has: every record takes the full count.
        {4, 9, {"B", "", ""}, {"a||", "e||"}},
    };
    for (const Case& c : cases) {
        int start = 1, end = 6;
        ASSERT_TRUE(ReadCsvData(batch(), path, start, end, specs(c.specs), c.maxLines, c.key));
        EXPECT_EQ(rows(batch()), c.expected) << c.maxLines << " " << c.key;
    }
    CsvLines lines;
    ASSERT_TRUE(ReadCsvLines(path, &lines));
    EXPECT_EQ(RecordLineCount(lines, 1, 2, 0), 2);
    EXPECT_EQ(RecordLineCount(lines, 5, 5, 1), 2);  // the lines end first
    EXPECT_EQ(RecordLineCount(lines, 7, 2, 1), 0);
}

TEST_F(BatchImport, CsvEndLineStopsFurtherLinesOfTheLastRecord) {
    const QString path = write("e.csv", "1\r\n2\r\n3\r\n4\r\n5\r\n");
    int start = 2, end = 4;
    ASSERT_TRUE(ReadCsvData(batch(), path, start, end, specs({"A", "A+1", ""}), 2, 0));
    EXPECT_EQ(rows(batch()), (QStringList{"2|3|", "4||"}));
}

TEST_F(BatchImport, GbkUtf8AndByteOrderMarkFilesGiveTheSameGrid) {
    const QString text = QStringLiteral("张三,北京市\r\n李四,\"上海市,浦东\"\r\n");
    const QByteArray forms[] = {ToAnsi(text), text.toUtf8(), "\xEF\xBB\xBF" + text.toUtf8()};
    for (const QByteArray& bytes : forms) {
        int start = 1, end = 10;
        ASSERT_TRUE(
            ReadCsvData(batch(), write("enc.csv", bytes), start, end, specs({"A", "B", ""}), 1, 0));
        EXPECT_EQ(rows(batch()), (QStringList{"张三|北京市|", "李四|上海市,浦东|"}));
    }
}

TEST_F(BatchImport, CsvFailuresLeaveTheGridAsItWas) {
    const QString path = write("ok.csv", "a\r\n");
    int start = 1, end = 1;
    ASSERT_TRUE(ReadCsvData(batch(), path, start, end, specs({"A", "", ""}), 1, 0));
    const QStringList before = rows(batch());
    struct Case {
        QString file;
        int maxLines;
    } cases[] = {
        {path, 0}, {path, -3}, {folder_.file("missing.csv"), 1}, {folder_.file("a.txt"), 1}};
    for (const Case& c : cases) {
        test::ScriptedAnswers answers;
        EXPECT_FALSE(ReadCsvData(batch(), c.file, start, end, specs({"B", "", ""}), c.maxLines, 0));
        EXPECT_TRUE(answers.lastMessage().startsWith("CSV文件导入错误！")) << c.file.toStdString();
        EXPECT_EQ(rows(batch()), before);
    }
}

TEST_F(BatchImport, CsvPreviewShowsTheFirstLines) {
    const QString path = write("p.csv", "a,b\r\n\r\n\"x\r\ny\",z\r\n");
    Grid g;
    g.SetRows(5);
    g.SetCols(4);
    ReadCsvPreview(g, path);
    QStringList cells;
    for (int r = 1; r <= 3; ++r) cells << g.TextMatrix(r, 1) + "|" + g.TextMatrix(r, 2);
    EXPECT_EQ(cells, (QStringList{"a|b", "|", "x//y|z"}));
}

TEST_F(BatchImport, LoadBatchRowSkipsNarrowColumnsButConvertsEveryTextBox) {
    const QString path = write("r.csv", "甲,一号,3\r\n乙,,4\r\n");
    int start = 1, end = 2;
    ASSERT_TRUE(ReadCsvData(batch(), path, start, end, specs({"A", "B", "C"}, "C", ""), 1, 0));
    Grid& g = batch();
    g.SetColWidth(3, 50);  // the count column, narrowed by the user: not imported
    Text(3)->SetText("原值");
    LoadBatchRow(g, 3);
    EXPECT_EQ(Text(1)->Text(), "乙");
    EXPECT_EQ(Text(2)->Text(), "");
    EXPECT_EQ(Text(3)->Text(), "原值");
    EXPECT_EQ(Check(1)->Value(), 1);
    EXPECT_EQ(MF().R_Num[1]->text(), "2");
    g.SetColWidth(3, 51);
    LoadBatchRow(g, 2);
    EXPECT_EQ(Text(3)->Text(), "3");
    LoadBatchRow(g, 1);  // a fixed row: ignored
    LoadBatchRow(g, 4);  // past the records: ignored
    EXPECT_EQ(Text(1)->Text(), "甲");
}

TEST_F(BatchImport, SetupBatchRowsEnablesStepsOnlyForSeveralRecords) {
    MainForm& mf = MF();
    auto* print = new QPushButton(&mf);
    mf.COM[1] = print;
    const QString path = write("s.csv", "甲\r\n乙\r\n丙\r\n");
    struct Case {
        int end;
        int records;
        bool enabled;
    } cases[] = {{3, 3, true}, {1, 1, false}, {0, 0, false}};
    for (const Case& c : cases) {
        int start = 1, end = c.end;
        if (c.records > 0)
            ASSERT_TRUE(ReadCsvData(batch(), path, start, end, specs({"A", "", ""}), 1, 0));
        else
            batch().SetRows(batch().FixedRows());  // the records deleted
        Text(1)->SetText("空");
        SetupBatchRows(batch(), mf.HS);
        EXPECT_EQ(mf.HS->maximum(), std::max(1, c.records));
        EXPECT_EQ(mf.HS->value(), 1);
        EXPECT_EQ(mf.R_Num[0]->text(), QString::number(c.records));
        EXPECT_EQ(mf.R_Num[1]->text(), c.records ? "1" : "0");
        EXPECT_EQ(Text(1)->Text(), c.records ? "甲" : "空");
        EXPECT_EQ(mf.HS->isEnabled(), c.enabled);
        EXPECT_EQ(print->isEnabled(), c.enabled);
    }
}

// ---- Workbooks -------------------------------------------------------------------------

class ExcelImport : public BatchImport {
protected:
    QString book(const QList<QStringList>& cells, const QString& sheet = "订单") {
        XlsSheetContent content;
        content.name = sheet;
        content.rows = cells;
        const QString path = folder_.file("orders.xls");
        EXPECT_TRUE(WriteXlsFile(path, content));
        return path;
    }
};

TEST_F(ExcelImport, RowsBecomeRecordsByKeysAndFurtherRows) {
    const QString path = book({{"单号", "货品"},
                               {"A", "笔"},
                               {"A", "纸"},
                               {"B", "墨"},
                               {"A", "砚"},
                               {"A", "尺"},
                               {"A", "刀"},
                               {"A", "胶\n水\t"}});
    struct Case {
        int start, end, maxLines, key;
        QStringList specs;
        QStringList expected;
    } cases[] = {
        {2, 8, 3, 1, {"A", "B,B+1", "B+2"}, {"A|笔纸|", "B|墨|", "A|砚尺|刀", "A|胶//水|"}},
        {2, 6, 2, 0, {"A", "B+1", ""}, {"A|纸|", "B|砚|", "A||"}},
        // Rows past the data are no records, literals or not.
        {7, 10, 1, 0, {"A,\"号\"", "B", ""}, {"A号|刀|", "A号|胶//水|"}},
    };
    for (const Case& c : cases) {
        int start = c.start, end = c.end;
        ASSERT_EQ(
            ReadExcelData(batch(), path, "订单", start, end, specs(c.specs), c.maxLines, c.key), 0);
        EXPECT_EQ(rows(batch()), c.expected) << c.start << "-" << c.end;
    }
}

TEST_F(ExcelImport, EachErrorHasItsMessageAndLeavesTheGridAsItWas) {
    const QString path = book({{"x", "y"}});
    int start = 1, end = 1;
    ASSERT_EQ(ReadExcelData(batch(), path, "订单", start, end, specs({"A", "B", ""}), 1, 0), 0);
    const QStringList before = rows(batch());
    const QString notXls = write("fake.xls", "this is no workbook at all, only text");
    struct Case {
        QString file, sheet, spec;
        int maxLines, key;
        int number;
        const char* message;
    } cases[] = {
        {path, "订单", "A", 0, 0, 11, "未知错误，错误号：11　请检查输入值！"},
        {folder_.file("none.xls"), "订单", "A", 1, 0, 5,
         "无法打开Excel文件，请检查后重新输入文件名及路径！"},
        {notXls, "订单", "A", 1, 0, 438, "文件类型不对，请选择Excel文档！"},
        {path, "订单‖其他", "A", 1, 0, 9, "输入表格名称有误，无法打开表格，请重新输入！"},
        {path, "订单", "IW", 1, 0, 1004, "输入表格列号超界，请重新输入！"},
        {path, "订单", "A", 1, 300, 1004, "输入表格列号超界，请重新输入！"},
        {folder_.file("orders.csv"), "订单", "A", 1, 0, 0, "未知错误，错误号：0　请检查输入值！"},
    };
    for (const Case& c : cases) {
        test::ScriptedAnswers answers;
        EXPECT_EQ(ReadExcelData(batch(), c.file, c.sheet, start, end, specs({c.spec, "", ""}),
                                c.maxLines, c.key),
                  c.number);
        EXPECT_EQ(answers.lastMessage(), QString::fromUtf8(c.message));
        EXPECT_EQ(rows(batch()), before);
    }
}

// Workbooks written by other programs (the texts are what python3-xlrd reads of them).
TEST_F(ExcelImport, WorkbooksOfOtherProgramsArriveAsXlrdReadsThem) {
    struct Case {
        const char* file;
        int start, end;
        QStringList expected;
    } cases[] = {
        {"xlwt_mixed.xls",
         2,
         4,
         {"1234|0.3|1234/0.3", "True|False|True/False",
          "2023-05-17|2023-05-17 13:45:30|2023-05-17/2023-05-17 13:45:30"}},
        // Formulas with number, text and boolean results (gnumeric).
        {"gnumeric_formulas.xls", 1, 3, {"1.5|3|1.5/3", "中文|中文x|中文/中文x", "|True|/True"}},
        // BIFF7 with GBK text; a date.
        {"built_biff7_gbk.xls",
         1,
         2,
         {"收款人|上海浦东发展银行|收款人/上海浦东发展银行",
          "1234.5|2009-07-06|1234.5/2009-07-06"}},
        // The 1904 date system.
        {"xlwt_1904.xls",
         1,
         2,
         {"2020-02-29 06:00:00||2020-02-29 06:00:00/", "1904-01-02||1904-01-02/"}},
    };
    for (const Case& c : cases) {
        const QString path =
            QStringLiteral(BW_TEST_SOURCE_DIR "/../platform/fixtures/xls/") + c.file;
        QStringList sheets;
        ASSERT_EQ(ListWorksheets(path, &sheets), 0) << c.file;
        ASSERT_FALSE(sheets.isEmpty());
        int start = c.start, end = c.end;
        ASSERT_EQ(ReadExcelData(batch(), path, sheets[0], start, end,
                                specs({"A", "B", "A,\"/\",B"}), 1, 0),
                  0);
        EXPECT_EQ(rows(batch()), c.expected) << c.file;
    }
}

TEST(GridSearch, FindsRowsInTurnAndComesBackToTheLastHit) {
    Grid g;
    g.SetRows(5);
    g.SetCols(3);
    g.SetFixedRows(2);
    const char* cells[3][2] = {{"张三", "北京"}, {"李四", "上海"}, {"王五", "北京西"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) g.SetTextMatrix(2 + r, 1 + c, QString::fromUtf8(cells[r][c]));
    g.SetTextMatrix(3, 0, "北京");  // fixed column: not searched
    test::ScriptedAnswers answers;
    g.SetRow(3);
    const struct {
        const char* text;
        int row;  // -1: not found, the row stays
    } finds[] = {
        {"  北京 ", 4},  // from the current row on, wrapping
        {"  北京 ", 2}, {"上海", 3},
        {"上海", 3},  // the only row holding it is the last hit: searched last, found again
        {"广州", -1},   {"  ", -1},
    };
    for (const auto& f : finds) {
        EXPECT_EQ(FindInGrid(g, f.text), f.row > 0) << f.text;
        EXPECT_EQ(g.Row(), f.row > 0 ? f.row : 3) << f.text;
        if (f.row > 0) {
            EXPECT_EQ(QList<int>({g.TopRow(), g.RowSel(), g.Col(), g.ColSel()}),
                      QList<int>({f.row, f.row, 1, 2}));
        }
    }
    EXPECT_EQ(answers.messages(), QStringList{"没有查到相关的记录！"});
    // A search started on a row that holds the text, without a whole-row selection.
    g.SetRow(2);
    g.SetCol(2);
    ASSERT_TRUE(FindInGrid(g, "张"));
    EXPECT_EQ(g.Row(), 2);
}

}  // namespace
