// The workbook half of the export writers, kept apart: it hands the sheet to the
// platform's .xls writer.
#include "platform/XlsWriter.h"
#include "records/ExportWriters.h"

namespace bw {

bool WriteGridWorkbook(const QString& path, const GridSheet& sheet) {
    XlsSheetContent content;
    content.name = sheet.name;
    content.cells = {sheet.rowCount, sheet.columnCount, sheet.text};
    content.textSuffix = sheet.textSuffix;
    content.columnWidths = sheet.columnWidths;
    content.headerRows = sheet.headerRows;
    return WriteXlsFile(path, content);
}

}  // namespace bw
