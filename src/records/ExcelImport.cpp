#include "records/ExcelImport.h"

#include "common/Indicator.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/XlsReader.h"
#include "records/BatchRows.h"
#include "records/CsvImport.h"

namespace bw {

namespace {

constexpr int kSheetColumns = 256;
constexpr int kSheetRows = 65536;

int fail(int number) {
    CloseProgress();
    dlg::MsgBox(ExcelErrorMessage(number), dlg::OkOnly | dlg::Exclamation);
    return number;
}

// The key cell of a row; an unreadable cell counts as empty.
XlsValue keyCell(const XlsWorkbook& book, int sheet, qint64 row, int column) {
    XlsValue v;
    if (row < 1 || row > kSheetRows || book.cell(sheet, static_cast<int>(row), column, &v) != 0)
        return XlsValue{};
    return v;
}

}  // namespace

QString ExcelErrorMessage(int number) {
    switch (number) {
        case kXlsWrongType:
            return QStringLiteral("文件类型不对，请选择Excel文档！");
        case kXlsCannotOpen:
            return QStringLiteral("无法打开Excel文件，请检查后重新输入文件名及路径！");
        case kXlsNoSuchSheet:
            return QStringLiteral("输入表格名称有误，无法打开表格，请重新输入！");
        case kXlsOutOfRange:
            return QStringLiteral("输入表格列号超界，请重新输入！");
        default:
            return QStringLiteral("未知错误，错误号：") + QString::number(number) +
                   QStringLiteral("　请检查输入值！");
    }
}

int ReadExcelData(Grid& grid, const QString& file, const QString& sheet, int& startRow, int& endRow,
                  const ColumnSpecs& specs, int maxLines, int keyColumn, QWidget* form) {
    if (!HasExtension(file, QStringLiteral(".xls"))) return fail(0);
    if (maxLines < 1) return fail(kImportDivisionByZero);
    for (const SpecParts& parts : BatchSpecParts(specs))
        for (const SpecPart& p : parts)
            if (!p.literal && p.column > kSheetColumns) return fail(kXlsOutOfRange);
    if (keyColumn > kSheetColumns) return fail(kXlsOutOfRange);

    // Rows are 1 to 65536: the read keeps within them, whatever rows were asked.
    if (endRow > kSheetRows) endRow = kSheetRows;
    if (startRow < 1) startRow = 1;
    const qint64 n = static_cast<qint64>(endRow) - startRow + 1;
    ShowProgress(QStringLiteral("正在读取EXCEL数据……"), 100, 0);
    XlsWorkbook book;
    if (const int err = book.open(file)) return fail(err);
    const int ws = book.worksheetIndex(sheet);
    if (ws < 0) return fail(kXlsNoSuchSheet);

    ShowProgress(QStringLiteral("正在读取EXCEL数据……"), static_cast<int>(std::max<qint64>(n, 1)),
                 0);
    const BatchSource source{[&](qint64 cur) {
                                 if (keyColumn < 1) return maxLines;
                                 for (qint64 i = cur + 1; i <= cur + maxLines - 1; ++i)
                                     if (!XlsSameValue(keyCell(book, ws, i, keyColumn),
                                                       keyCell(book, ws, i - 1, keyColumn)))
                                         return static_cast<int>(i - cur);
                                 return maxLines;
                             },
                             [&](int row, int column) {
                                 QString text;
                                 if (book.cellText(ws, row, column, &text) != 0) return QString();
                                 return text;
                             }};
    if (!FillBatchGrid(grid, specs, startRow, endRow, source, form)) {
        TellNothingToImport(file, startRow, endRow);
        return kImportNothingRead;
    }
    return 0;
}

int ReadExcelPreview(Grid& grid, const QString& file, const QString& sheet,
                     const std::function<void()>& rowDone) {
    XlsWorkbook book;
    if (const int err = book.open(file)) return err;
    const int ws = book.worksheetIndex(sheet);
    if (ws < 0) return kXlsNoSuchSheet;
    for (int r = 1; r < grid.Rows(); ++r) {
        for (int c = 1; c < grid.Cols(); ++c) {
            QString text;
            if (book.cellText(ws, r, c, &text) == 0) grid.SetTextMatrix(r, c, text);
        }
        if (rowDone) rowDone();
    }
    return 0;
}

int ListWorksheets(const QString& file, QStringList* names) {
    names->clear();
    XlsWorkbook book;
    if (const int err = book.open(file)) return err;
    for (const QString& name : book.sheetNames())
        if (book.worksheetIndex(name) >= 0) names->append(name);
    return 0;
}

}  // namespace bw
