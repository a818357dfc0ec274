// The workbook half of the export writers, kept apart: it hands the sheet to the
// platform's .xls writer.
#include "records/ExportWriters.h"

namespace bw {

bool WriteGridWorkbook(const QString& path, const GridSheet& sheet) {
    // No workbook writer is linked into this build yet: nothing is written.
    Q_UNUSED(path);
    Q_UNUSED(sheet);
    return false;
}

}  // namespace bw
