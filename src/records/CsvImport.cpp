#include "records/CsvImport.h"

#include "common/Globals.h"
#include "common/GridFunctions.h"
#include "common/Indicator.h"
#include "platform/CsvCodec.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "records/BatchRows.h"

namespace bw {

namespace {

const QString kEmpty;

// Field `column` (from 1) of line `line` (from 1); "" when either is missing.
const QString& fieldOf(const CsvLines& lines, int line, int column) {
    if (line < 1 || line > lines.size() || column < 1) return kEmpty;
    const QStringList& fields = lines[line - 1];
    return column <= fields.size() ? fields[column - 1] : kEmpty;
}

bool fail(const QString& detail = QString()) {
    CloseProgress();
    QString text = QStringLiteral("CSV文件导入错误！");
    if (!detail.isEmpty()) text += QStringLiteral("\r\n") + detail;
    dlg::MsgBox(text, dlg::OkOnly | dlg::Exclamation);
    return false;
}

}  // namespace

bool HasExtension(const QString& file, const QString& extension) {
    return file.endsWith(extension, Qt::CaseInsensitive);
}

bool ReadCsvLines(const QString& file, CsvLines* lines) {
    lines->clear();
    if (!HasExtension(file, QStringLiteral(".csv"))) return false;
    return ReadCsvFile(file, LineBreakMark, lines);
}

int RecordLineCount(const CsvLines& lines, int first, int maxLines, int keyColumn) {
    if (first > lines.size()) return 0;
    const int keyFields = first >= 1 ? static_cast<int>(lines[first - 1].size()) : 0;
    if (keyColumn < 1 || keyFields < keyColumn) return maxLines;
    const QString& key = fieldOf(lines, first, keyColumn);
    qint64 i = static_cast<qint64>(first) + 1;
    const qint64 last = static_cast<qint64>(first) + maxLines - 1;
    for (; i <= last; ++i) {
        if (i > lines.size()) break;
        if (fieldOf(lines, static_cast<int>(i), keyColumn) != key) break;
    }
    return static_cast<int>(i - first);
}

bool ReadCsvData(Grid& grid, const QString& file, int& startLine, int& endLine,
                 const ColumnSpecs& specs, int maxLines, int keyColumn, QWidget* form) {
    if (!HasExtension(file, QStringLiteral(".csv")) || maxLines < 1) return fail();
    CsvLines lines;
    if (!ReadCsvLines(file, &lines)) return fail(QStringLiteral("无法读取文件：") + file);

    // Laid out without records: the rows are made below, one per record read.
    PrepareBatchGrid(grid, 0, specs);
    QStringList merged = MergeColumnSpecs(specs);
    NormalizeColumnSpecs(merged);
    std::vector<SpecParts> parts;
    parts.reserve(merged.size());
    for (const QString& spec : merged) parts.push_back(ParseColumnSpec(spec));

    if (endLine > lines.size()) endLine = static_cast<int>(lines.size());
    if (startLine < 1) startLine = 1;  // the lines count from 1
    const qint64 total = static_cast<qint64>(endLine) - startLine + 1;
    ShowProgress(QStringLiteral("正在读取EXCEL数据……"),
                 static_cast<int>(std::max<qint64>(total, 1)));
    // One row per record read: the rows are made at once and the unused ones dropped after.
    grid.SetRows(grid.FixedRows() + static_cast<int>(std::max<qint64>(total, 0)));
    const int serial = grid.FixedCols() - 1;
    auto cell = [&lines](int line, int column) { return fieldOf(lines, line, column); };
    qint64 cur = startLine;
    int row = grid.FixedRows();
    ProgressSteps progress(total);
    for (qint64 round = 0; round < total; ++round, ++row) {
        grid.SetTextMatrix(row, serial, QString::number(row - grid.FixedRows() + 1));
        const int n =
            std::max(1, RecordLineCount(lines, static_cast<int>(cur), maxLines, keyColumn));
        for (int i = 1; i < static_cast<int>(parts.size()); ++i) {
            if (parts[i].empty()) continue;
            const SpecPart& only = parts[i].front();
            if (parts[i].size() == 1 && !only.literal && only.line == 0) {
                // One column of the record's first line, the common case: the field itself
                // (the parser has already put the line-break mark for its line breaks).
                QString v = fieldOf(lines, static_cast<int>(cur), only.column);
                if (v.endsWith(u'\t')) v.chop(1);
                grid.SetTextMatrix(row, grid.FixedCols() + i - 1, v);
                continue;
            }
            grid.SetTextMatrix(
                row, grid.FixedCols() + i - 1,
                ComposeBatchValue(parts[i], static_cast<int>(cur), n, endLine, cell));
        }
        cur += n;
        if (cur > endLine) {
            ++row;
            break;
        }
        progress.Add(n);
    }
    grid.SetRows(row);
    AutoFitGridColumns(form, grid, grid.FixedRows(), true);
    CloseProgress();
    return true;
}

void ReadCsvPreview(Grid& grid, const QString& file) {
    CsvLines lines;
    if (!ReadCsvLines(file, &lines)) return;
    for (int r = 1; r < grid.Rows() && r <= lines.size(); ++r) {
        const QStringList& fields = lines[r - 1];
        for (int c = 1; c < grid.Cols() && c <= fields.size(); ++c)
            grid.SetTextMatrix(r, c, fields[c - 1]);
    }
}

}  // namespace bw
