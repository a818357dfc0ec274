#include "store/FormatBatch.h"

#include <algorithm>

#include "common/GridFunctions.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "store/MainForm.h"

namespace bw {

int BatchRecordCount(const Grid& grid) {
    // A grid that never received a batch lacks the two header rows; its one blank row is no
    // record.
    if (grid.FixedRows() < 2) return 0;
    return std::max(0, grid.Rows() - grid.FixedRows());
}

QString BatchDropQuestion(const QString& format, int records) {
    return QStringLiteral("格式“") + format + QStringLiteral("”已导入") + QString::number(records) +
           QStringLiteral("条批量记录，打开其他格式将清空这些批量记录，是否继续？");
}

bool MayDropBatch() {
    MainForm& mf = MF();
    const int records = mf.MSF[1] ? BatchRecordCount(*mf.MSF[1]) : 0;
    return records == 0 || dlg::MsgBox(BatchDropQuestion(mf.CurrentFormat(), records),
                                       dlg::YesNo | dlg::Question) == dlg::Yes;
}

void DropBatch() {
    Grid* grid = MF().MSF[1];
    if (!grid || (BatchRecordCount(*grid) == 0 && grid->Cols() <= grid->FixedCols())) return;
    grid->SetCols(grid->FixedCols());
    ClearGrid(*grid, false);
}

}  // namespace bw
