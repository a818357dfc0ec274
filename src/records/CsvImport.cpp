#include "records/CsvImport.h"

#include "common/Globals.h"
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

// What the user is told of a field too long to be one, met in record `record`: the line as
// the import counts them, and the file's own line when that differs.
QString overlongFieldText(qint64 record, const CsvOverlongField& field) {
    QString where = QStringLiteral("第%1行").arg(record);
    if (field.line != record) where += QStringLiteral("（文件第%1行）").arg(field.line);
    const QString what = field.quoted
                             ? QStringLiteral("有一个引号没有结束（引号后的一项数据超过了%1字节）")
                             : QStringLiteral("有一项数据超过了%1字节");
    return where + what.arg(kMaxCsvFieldBytes) + QStringLiteral("，请在文件中改正后再导入。");
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

bool ReadCsvLines(const QString& file, CsvLines* lines, int first, int last, QString* why) {
    lines->clear();
    if (!HasExtension(file, QStringLiteral(".csv"))) return false;
    CsvReader reader(file, LineBreakMark);
    if (!reader.Open()) return false;
    QStringList fields;
    qint64 line = 1;
    for (; line <= last; ++line) {
        if (!reader.Next(line >= first ? &fields : nullptr)) break;
        if (line >= first) lines->append(fields);
    }
    if (reader.Failed()) lines->clear();
    const CsvOverlongField& overlong = reader.Overlong();
    if (overlong.line > 0 && why) *why = overlongFieldText(line, overlong);
    return !reader.Failed() && overlong.line == 0;
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
    if (startLine < 1) startLine = 1;  // the lines count from 1
    const int askedEnd = endLine;
    // The lines before the first record are kept only when a spec reaches back to them.
    int back = 0;
    for (const SpecParts& parts : BatchSpecParts(specs))
        for (const SpecPart& part : parts)
            if (!part.literal) back = std::min(back, part.line);
    const int from = static_cast<int>(std::max<qint64>(1, static_cast<qint64>(startLine) + back));
    CsvLines lines;
    QString why;
    if (!ReadCsvLines(file, &lines, from, endLine, &why))
        return fail(why.isEmpty() ? QStringLiteral("无法读取文件：") + file : why);
    const qint64 base = from - 1;  // lines[0] is line `from`

    if (endLine > base + lines.size()) endLine = static_cast<int>(base + lines.size());
    const qint64 total = static_cast<qint64>(endLine) - startLine + 1;
    ShowProgress(QStringLiteral("正在读取EXCEL数据……"),
                 static_cast<int>(std::max<qint64>(total, 1)));
    const BatchSource source{[&](qint64 cur) {
                                 return RecordLineCount(lines, static_cast<int>(cur - base),
                                                        maxLines, keyColumn);
                             },
                             [&](int line, int column) {
                                 return fieldOf(lines, static_cast<int>(line - base), column);
                             }};
    if (!FillBatchGrid(grid, specs, startLine, endLine, source, form)) {
        TellNothingToImport(file, startLine, askedEnd);
        return false;
    }
    return true;
}

void ReadCsvPreview(Grid& grid, const QString& file) {
    CsvLines lines;
    ReadCsvLines(file, &lines, 1, grid.Rows() - 1);
    for (int r = 1; r < grid.Rows() && r <= lines.size(); ++r) {
        const QStringList& fields = lines[r - 1];
        for (int c = 1; c < grid.Cols() && c <= fields.size(); ++c)
            grid.SetTextMatrix(r, c, fields[c - 1]);
    }
}

}  // namespace bw
