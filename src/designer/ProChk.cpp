#include "designer/ProChk.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "common/GridFunctions.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxToRow.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace bw {

ProChk::ProChk(QWidget* parent) : PropertyDialog(kCheckBox, parent) {
    setObjectName(QStringLiteral("ProChk"));
    setWindowTitle(QStringLiteral("修改可选框属性"));
    auto* top = new QGridLayout(this);
    QGroupBox* font = BuildFontGroup(QStringLiteral("输入框"), 2, QStringLiteral("字体设置"),
                                     QStringLiteral("KorvaneQuimax"));
    QGroupBox* place = BuildPlaceGroup(false, false);
    top->addWidget(BuildCaptionGroup(), 0, 0, 1, 2);
    top->addWidget(place, 1, 0);
    top->addWidget(font, 1, 1);
    top->addWidget(BuildOkCancel(0, 1), 2, 0, 1, 2);
}

void ProChk::LoadRow(int row) {
    Grid& grid = MF().BoxGrid();
    if (row < grid.FixedRows() || row >= grid.Rows()) return;
    TT[0]->setText(grid.TextMatrix(row, col::LBL));
    ShowSide(SideCode(grid.TextMatrix(row, col::Dir)));
    TT[1]->setText(grid.TextMatrix(row, col::X));
    TT[2]->setText(grid.TextMatrix(row, col::Y));
    ApplyRowFont(grid, row, TT[7]);
}

void ProChk::WriteRow(Grid& grid, int r) {
    if (IsMarked(COM[4])) grid.SetTextMatrix(r, col::fName, TT[7]->font().family());
    if (IsMarked(COM[5]))
        SetGridCellColour(grid, r, col::Color,
                          static_cast<GridColor>(ColorToRgbValue(SampleColour())), false);
    if (IsMarked(TT[0])) grid.SetTextMatrix(r, col::LBL, TT[0]->text());
    if (IsMarked(TT[1])) grid.SetTextMatrix(r, col::X, TT[1]->text());
    if (IsMarked(TT[2])) grid.SetTextMatrix(r, col::Y, TT[2]->text());
    if (IsMarked(POS[0])) grid.SetTextMatrix(r, col::Dir, SideName(ChosenSide()));
    if (IsMarked(TT[7])) StoreControlFont(grid, r, TT[7]);
}

}  // namespace bw
