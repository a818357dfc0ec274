// Export of grids: the visible cells, the CSV bytes in GBK, the questions around the file,
// and the workbook read back by a real reader.

#include <gtest/gtest.h>

#include <QProcess>

#include "TestSupport.h"
#include "platform/CsvCodec.h"
#include "platform/Grid.h"
#include "platform/TextCodec.h"
#include "records/ExportWriters.h"
#include "records/GridExport.h"

using namespace bw;
using bw::test::ScriptedAnswers;

namespace {

// A grid as the history tab leaves it: a hidden key row and key column.
void Fill(Grid& g) {
    g.SetRows(4);
    g.SetCols(4);
    g.SetFixedRows(2);
    g.SetFixedCols(2);
    const QStringList cells[4] = {{"", "", "11", "12"},
                                  {"", "序号", "中文", "x,y"},
                                  {"7", "1", "say \"hi\"", ""},
                                  {"6", "2", "l1\nl2", "c\rd\r\ne\tf"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) g.SetTextMatrix(r, c, cells[r][c]);
    g.SetRowHeight(0, 0);
    g.SetColWidth(0, 0);
    g.SetColWidth(2, 1230);
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(GridExport, CsvIsGbkWithATabPerCellAndQuotesAroundLineBreaks) {
    Grid g;
    Fill(g);
    // 序号 and 中文 in GBK.
    const QByteArray expected =
        "\xD0\xF2\xBA\xC5\t,\xD6\xD0\xCE\xC4\t,\"x,y\t\"\r\n"
        "1\t,\"say \"\"hi\"\"\t\",\t\r\n"
        "2\t,\"l1\nl2\t\",\"c\rd\r\ne\tf\t\"\r\n";
    EXPECT_EQ(CsvExportBytes(VisibleGridCells(g)), expected);

    test::TempDataFolder folder;
    const QString path = folder.file("out.csv");
    ASSERT_TRUE(ExportGridToCsv(g, path));
    EXPECT_EQ(ReadAll(path), expected);
    EXPECT_FALSE(QFile::exists(path + ".TMP"));
}

TEST(GridExport, TheFileQuestionsDecideWhatIsWritten) {
    const struct {
        const char* name;
        const char* file;  // the answer of the save dialog; "" = cancel
        bool existing;     // the file is there before
        int overwrite;     // the answer to the overwrite question
        bool result;
        bool csvWritten;  // the file then holds the CSV text
        QStringList messages;
    } cases[] = {
        {"cancel", "", false, 0, true, false, {}},
        {"new csv", "a.csv", false, 0, true, true, {}},
        {"upper-case CSV", "B.CSV", false, 0, true, true, {}},
        {"keep the old file", "c.csv", true, dlg::No, false, false, {"该文件已存在，是否覆盖？"}},
        {"overwrite", "d.csv", true, dlg::Yes, true, true, {"该文件已存在，是否覆盖？"}},
    };
    Grid g;
    Fill(g);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDataFolder folder;
        const QString path = c.file[0] ? folder.file(c.file) : QString();
        if (c.existing) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        ScriptedAnswers answers;
        answers << path;
        if (c.existing) answers << c.overwrite;
        EXPECT_EQ(ExportGrid(g, "sheet"), c.result);
        EXPECT_EQ(answers.messages(), c.messages);
        if (!path.isEmpty()) {
            EXPECT_EQ(ReadAll(path), c.csvWritten ? CsvExportBytes(VisibleGridCells(g))
                                                  : QByteArray(c.existing ? "old" : ""));
        }
    }
}

TEST(GridExport, AnEmptyGridIsRefusedAndOnlyFixedRowsAreExported) {
    Grid empty;
    empty.SetRows(0);
    ScriptedAnswers answers;
    EXPECT_FALSE(ExportGrid(empty, "s"));
    EXPECT_EQ(answers.messages(), QStringList{"表格中没有数据！"});

    Grid header;
    header.SetRows(1);
    header.SetCols(2);
    header.SetTextMatrix(0, 0, "序号");
    header.SetTextMatrix(0, 1, "名称");
    EXPECT_EQ(CsvExportBytes(VisibleGridCells(header)), ToAnsi("序号\t,名称\t\r\n"));
}

// On a disk with room for a few kilobytes, through the export as the user runs it: the old
// file stays, no temporary file is left, and the user is told.
TEST(GridExport, DISABLED_ChildExportsOnAFullDisk) {
    const QString path = QDir(test::ChildFolder()).filePath("keep.csv");
    Grid g;
    g.SetRows(2001);
    g.SetCols(4);
    g.SetFixedRows(1);
    for (int r = 0; r < g.Rows(); ++r)
        for (int c = 0; c < g.Cols(); ++c) g.SetTextMatrix(r, c, QString("行%1列%2").arg(r).arg(c));
    for (const char* ending : {"csv", "xls"}) {
        SCOPED_TRACE(ending);
        const QString file = path.left(path.size() - 3) + ending;
        ScriptedAnswers answers;
        answers << file << int(dlg::Yes);
        ASSERT_TRUE(test::FillTheDisk());
        ExportGrid(g, "sheet");
        test::FreeTheDisk();
        EXPECT_EQ(answers.messages(), QStringList({"该文件已存在，是否覆盖？", "文件保存出错！"}));
    }
}

TEST(GridExport, AFailedWriteLeavesTheOldFileAndSaysSo) {
    test::TempDataFolder folder;
    for (const char* name : {"keep.csv", "keep.xls"}) {
        QFile f(folder.file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    QString output;
    EXPECT_TRUE(test::RunFullDiskChild("GridExport.DISABLED_ChildExportsOnAFullDisk", 8 * 1024,
                                       folder.path(), &output))
        << output.toStdString();
    EXPECT_EQ(ReadAll(folder.file("keep.csv")), "old");
    EXPECT_EQ(ReadAll(folder.file("keep.xls")), "old");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"keep.csv", "keep.xls"}));
}

TEST(GridExport, TheWorkbookReadsBackInXlrd) {
    Grid g;
    Fill(g);
    test::TempDataFolder folder;
    const QString path = folder.file("out.xls");
    if (!WriteGridWorkbook(path, GridWorkbookSheet(g, "Bellweft打印历史数据")))
        GTEST_SKIP() << "no workbook writer in this build";
    const GridSheet sheet = GridWorkbookSheet(g, "Bellweft打印历史数据");
    EXPECT_EQ(sheet.columnWidths,
              QList<int>({Grid::kDefaultColWidth / 123, 10, Grid::kDefaultColWidth / 123}));
    const char* script = R"(
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
sheet = book.sheet_by_index(0)
print(sheet.name)
for r in range(sheet.nrows):
    print(repr([sheet.cell_value(r, c) for c in range(sheet.ncols)]))
xf = book.xf_list[sheet.cell_xf_index(0, 0)]
print(book.font_list[xf.font_index].bold, book.colour_map[xf.background.pattern_colour_index])
)";
    QProcess p;
    p.start("/usr/bin/python3", {"-c", script, path});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
    ASSERT_GE(lines.size(), 5) << p.readAllStandardError().toStdString();
    EXPECT_EQ(lines[0], "Bellweft打印历史数据");
    EXPECT_EQ(lines[1], "['序号\\t', '中文\\t', 'x,y\\t']");
    EXPECT_EQ(lines[3], "['2\\t', 'l1\\nl2\\t', 'c\\rd\\r\\ne\\tf\\t']");
    EXPECT_EQ(lines[4], "1 (255, 192, 128)");
}

}  // namespace
