#include "designer/ProPic.h"

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
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"
#include "store/RowToBox.h"

namespace bw {

ProPic::ProPic(QWidget* parent) : PropertyDialog(kPictureBox, parent) {
    setObjectName(QStringLiteral("ProPic"));
    setWindowTitle(QStringLiteral("添加/修改图像框"));
    auto* top = new QGridLayout(this);
    QGroupBox* font = BuildFontGroup(QStringLiteral("输入框"), 2, QStringLiteral("字体设置"),
                                     QStringLiteral("KorvaneQuimax"));
    QGroupBox* place = BuildPlaceGroup(true);
    top->addWidget(BuildCaptionGroup(), 0, 0, 1, 2);
    top->addWidget(place, 1, 0);
    top->addWidget(font, 1, 1);
    top->addWidget(BuildOkCancel(0, 1), 2, 0, 1, 2);
}

void ProPic::LoadRow(int row) {
    Grid& grid = MF().BoxGrid();
    if (row < grid.FixedRows() || row >= grid.Rows()) return;
    ShowSide(SideCode(grid.TextMatrix(row, col::Dir)));
    for (int i = 0; i <= 4; ++i) TT[i]->setText(grid.TextMatrix(row, DataField(TT[i])));
    ApplyRowFont(grid, row, TT[7]);
}

void ProPic::WriteRow(Grid& grid, int r) {
    if (IsMarked(COM[4])) grid.SetTextMatrix(r, col::fName, TT[7]->font().family());
    if (IsMarked(COM[5]))
        SetGridCellColour(grid, r, col::Color,
                          static_cast<GridColor>(ColorToRgbValue(SampleColour())), false);
    if (IsMarked(POS[0])) grid.SetTextMatrix(r, col::Dir, SideName(ChosenSide()));
    for (int j = 0; j <= 4; ++j)
        if (IsMarked(TT[j])) grid.SetTextMatrix(r, DataField(TT[j]), TT[j]->text());
    if (IsMarked(TT[7])) StoreControlFont(grid, r, TT[7]);
}

void ProPic::AfterApply(BoxControl* box) {
    if (box->Kind() != kPictureBox) return;
    auto* p = static_cast<PictureBox*>(box);
    RefreshPictureBox(p, p->LinkItem);
}

}  // namespace bw
