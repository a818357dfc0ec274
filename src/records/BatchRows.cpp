#include "records/BatchRows.h"

#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>

#include <QScrollBar>
#include "common/GridFunctions.h"
#include "common/Services.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"

namespace bw {

int BatchRecordCount(const Grid& grid) {
    // A grid that never received a batch lacks the two header rows; its one blank row is no
    // record.
    if (grid.FixedRows() < 2) return 0;
    return std::max(0, grid.Rows() - grid.FixedRows());
}

void LoadBatchRow(Grid& grid, int row) {
    if (row < grid.FixedRows() || row >= grid.Rows()) return;
    for (int kind = kTextBox; kind <= kPictureBox; ++kind) {
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            BoxControl* box = GetBoxByIndex(i);
            if (!box) continue;
            for (int c = 1; c < grid.Cols(); ++c) {
                const QString& head = grid.TextRef(0, c);
                if (head.isEmpty() || CLng(Val(head)) != i) continue;
                if (grid.ColWidth(c) >= kBatchColumnMinWidth)
                    SetBoxValue(box, grid.TextMatrix(row, c));
                break;
            }
        }
    }
    MF().R_Num[1]->setText(QString::number(row - 1));
}

void SetupBatchRows(Grid& grid, QScrollBar* bar) {
    const int records = BatchRecordCount(grid);
    MainForm& mf = MF();
    if (bar) {
        const QSignalBlocker quiet(bar);
        if (records > 0) {
            bar->setRange(1, records);
            bar->setValue(1);
        } else {
            bar->setMaximum(1);
        }
    }
    if (records > 0) {
        LoadBatchRow(grid, grid.FixedRows());
    } else {
        mf.R_Num[1]->setText(QStringLiteral("0"));
    }
    mf.R_Num[0]->setText(QString::number(records));
}

void ShowSelectedBatchRecord() {
    MainForm& mf = MF();
    Grid& g = *mf.MSF[1];
    mf.HS->setValue(g.Row() - g.FixedRows() + 1);
}

void DeleteSelectedBatchRows() {
    Grid& g = *MF().MSF[1];
    int first = g.Row(), last = g.RowSel();
    DeleteGridRows(g, first, last, true);
    if (const auto& setup = Doors().records.setupBatchRows) setup(g);
}

}  // namespace bw
