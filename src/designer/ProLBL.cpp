#include "designer/ProLBL.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "common/GridFunctions.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "printing/PrintEngine.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxToRow.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace bw {

ProLBL::ProLBL(QWidget* parent) : PropertyDialog(kLabel, parent) {
    setObjectName(QStringLiteral("ProLBL"));
    setWindowTitle(QStringLiteral("标签属性修改"));
    auto* top = new QGridLayout(this);

    auto* contentLabel = new QLabel(QStringLiteral("内容："), this);
    Content = new QPlainTextEdit(this);
    Content->setObjectName(QStringLiteral("TT0"));
    Content->setToolTip(QStringLiteral("输入框的提示标签内容。"));
    Content->setFixedHeight(70);
    connect(Content, &QPlainTextEdit::textChanged, this, [this] { Mark(Content); });
    top->addWidget(contentLabel, 0, 0, Qt::AlignTop);
    top->addWidget(Content, 0, 1, 1, 2);

    QGroupBox* font = BuildFontGroup(QStringLiteral("字体/字号/示例"), 0,
                                     QStringLiteral("字体设置"), QStringLiteral("KorvaneQuimax"));

    QGroupBox* place = BuildPlaceGroup(true);

    auto* arrange = new QGroupBox(QStringLiteral("排版方式"), this);
    auto* arrangeLayout = new QGridLayout(arrange);
    AddField(arrangeLayout, 5, 0, 0, QStringLiteral("字间距："),
             QStringLiteral("输入框打印时的字间距。"), QStringLiteral("0"), col::S)
        ->setMaxLength(6);
    AddField(arrangeLayout, 6, 1, 0, QStringLiteral("行间距："),
             QStringLiteral("输入框打印时的行间距。"), QStringLiteral("0"), col::L)
        ->setMaxLength(6);
    auto* alignGroup = new QButtonGroup(this);
    auto* alignRow = new QHBoxLayout;
    arrangeLayout->addLayout(alignRow, 2, 0, 1, 2);
    const char* aligns[3] = {"居左", "居右", "居中"};
    for (int i = 0; i < 3; ++i) {
        OpA[i] = new QRadioButton(QString::fromUtf8(aligns[i]), this);
        OpA[i]->setObjectName(QStringLiteral("OpA%1").arg(i));
        alignGroup->addButton(OpA[i], i);
        alignRow->addWidget(OpA[i]);
        connect(OpA[i], &QRadioButton::clicked, this, [this, i] {
            SetSampleAlignment(i);
            Mark(OpA[0]);
        });
    }
    alignRow->addStretch(1);
    OpA[0]->setChecked(true);

    top->addWidget(font, 1, 0, 1, 3);
    top->addWidget(place, 2, 0, 1, 3);
    top->addWidget(arrange, 3, 0, 1, 3);
    top->addWidget(BuildOkCancel(1, 2), 4, 0, 1, 3);
}

void ProLBL::LoadRow(int row) {
    Grid& grid = MF().BoxGrid();
    if (row < grid.FixedRows() || row >= grid.Rows()) return;
    Content->setPlainText(grid.TextMatrix(row, col::LBL));
    for (int i = 1; i <= 5; ++i) TT[i]->setText(grid.TextMatrix(row, DataField(TT[i])));
    const double packed = CellNumber(grid, row, col::L);
    TT[6]->setText(NumText(GetPackedValue(packed)));
    const int a = static_cast<int>(Fix(std::fabs(packed) / 1000));
    SetSampleAlignment(a);
    if (a >= 0 && a <= 2) OpA[a]->setChecked(true);
    ApplyRowFont(grid, row, TT[7]);
}

void ProLBL::WriteRow(Grid& grid, int r) {
    if (IsMarked(COM[4])) grid.SetTextMatrix(r, col::fName, TT[7]->font().family());
    if (IsMarked(COM[5]))
        SetGridCellColour(grid, r, col::Color,
                          static_cast<GridColor>(ColorToRgbValue(SampleColour())), false);
    if (IsMarked(Content)) grid.SetTextMatrix(r, col::LBL, Content->toPlainText());
    for (int j = 1; j <= 5; ++j)
        if (IsMarked(TT[j])) grid.SetTextMatrix(r, DataField(TT[j]), TT[j]->text());
    if (IsMarked(TT[6]) || IsMarked(OpA[0]))
        grid.SetTextMatrix(r, col::L,
                           NumText(PackOptionCode(Val(TT[6]->text()), SampleAlignment())));
    if (IsMarked(TT[7])) StoreControlFont(grid, r, TT[7]);
}

}  // namespace bw
