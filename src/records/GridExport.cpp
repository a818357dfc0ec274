#include "records/GridExport.h"

#include <QFileInfo>
#include <algorithm>

#include "common/GridFunctions.h"
#include "common/Indicator.h"
#include "platform/CsvCodec.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "records/ExportWriters.h"

namespace bw {

namespace {

const QString kFilter = QStringLiteral("CSV (逗号分隔)(*.csv)|*.csv|MS Excel文件  (*.xls)|*.xls");

QList<int> visibleColumns(const Grid& grid) {
    QList<int> cols;
    for (int c = 0; c < grid.Cols(); ++c)
        if (grid.ColWidth(c) >= 1) cols.push_back(c);
    return cols;
}

// Moves the progress window on in about a hundred steps: each step lets window messages
// through, which a row-by-row advance would do ten thousand times.
void advance(int done, int total) {
    const int chunk = std::max(1, total / 100);
    if (done % chunk == 0) UpdateProgress(chunk, QStringLiteral("pages"));
}

}  // namespace

QList<QStringList> VisibleGridCells(const Grid& grid) {
    const QList<int> cols = visibleColumns(grid);
    QList<QStringList> rows;
    for (int r = 0; r < grid.Rows(); ++r) {
        if (grid.RowHeight(r) < 1) continue;
        QStringList row;
        row.reserve(cols.size());
        for (int c : cols) row.push_back(grid.TextRef(r, c));
        rows.push_back(std::move(row));
    }
    return rows;
}

GridSheet GridWorkbookSheet(const Grid& grid, const QString& sheetName) {
    GridSheet sheet;
    sheet.name = sheetName;
    sheet.textSuffix = QStringLiteral("\t");
    for (int r = 0; r < grid.FixedRows(); ++r)
        if (grid.RowHeight(r) >= 1)
            sheet.headerRows.push_back(static_cast<int>(sheet.headerRows.size()));
    std::vector<int> rows;
    for (int r = 0; r < grid.Rows(); ++r)
        if (grid.RowHeight(r) >= 1) rows.push_back(r);
    const QList<int> cols = visibleColumns(grid);
    sheet.rowCount = static_cast<int>(rows.size());
    sheet.columnCount = static_cast<int>(cols.size());
    sheet.text = [&grid, rows = std::move(rows), cols](int r, int c) -> QStringView {
        return grid.TextRef(rows[static_cast<size_t>(r)], cols[c]);
    };
    for (int c : cols)
        sheet.columnWidths.push_back(grid.FixedRows() > 0 ? grid.ColWidth(c) / 123 : -1);
    return sheet;
}

bool ExportGridToCsv(const Grid& grid, const QString& path) {
    ShowProgress(QStringLiteral("正在导出数据至CSV格式文件……"), grid.Rows(), 0);
    QList<QStringList> rows;
    const QList<int> cols = visibleColumns(grid);
    for (int r = 0; r < grid.Rows(); ++r) {
        if (grid.RowHeight(r) >= 1) {
            QStringList row;
            row.reserve(cols.size());
            for (int c : cols) row.push_back(grid.TextRef(r, c));
            rows.push_back(std::move(row));
        }
        advance(r + 1, grid.Rows());
    }
    const bool written = WriteCsvFile(path, rows);
    CloseProgress();
    if (!written) dlg::MsgBox(QStringLiteral("文件保存出错！"), dlg::OkOnly | dlg::Exclamation);
    return written;
}

bool ExportGridToXls(const Grid& grid, const QString& path, const QString& sheetName) {
    ShowProgress(QStringLiteral("正在将数据导出到EXCEL文件 …"), grid.Rows() - 1, 0);
    const GridSheet sheet = GridWorkbookSheet(grid, sheetName);
    UpdateProgress(1, QStringLiteral("pages"));
    const bool written = WriteGridWorkbook(path, sheet);
    CloseProgress();
    if (!written) dlg::MsgBox(QStringLiteral("文件保存出错！"), dlg::OkOnly | dlg::Exclamation);
    return written;
}

bool ExportGrid(Grid& grid, const QString& sheetName) {
    if (grid.Rows() == 0 || grid.Cols() == 0) {
        dlg::MsgBox(QStringLiteral("表格中没有数据！"));
        return false;
    }
    // What a grid shows after a failed read is not what the file holds.
    if (const QString why = GridReadFailure(grid); !why.isEmpty()) {
        dlg::MsgBox(QStringLiteral("表格的数据没有读出（") + why + QStringLiteral("），不能导出！"),
                    dlg::OkOnly | dlg::Exclamation);
        return false;
    }
    const QString path = dlg::SaveFileName(kFilter);
    if (path.isEmpty()) return true;
    const QFileInfo target(path);
    if (target.exists()) {
        if (dlg::MsgBox(QStringLiteral("该文件已存在，是否覆盖？"), dlg::YesNo) != dlg::Yes)
            return false;
        // The old file is replaced only once the new one is complete; here it need only be
        // a file that can be replaced.
        const QFileInfo folder(target.absolutePath());
        if (!target.isFile() || !target.isWritable() || !folder.isWritable()) {
            dlg::MsgBox(QStringLiteral("该文件无法覆盖，请确认该文件没被其他软件打开！"));
            return false;
        }
    }
    if (path.right(3).toLower() == QLatin1String("csv")) return ExportGridToCsv(grid, path);
    ExportGridToXls(grid, path, sheetName);
    return true;
}

}  // namespace bw
