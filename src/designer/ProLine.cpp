#include "designer/ProLine.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "common/GridFunctions.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace bw {

LineSample::LineSample(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setMinimumSize(200, 40);
}

void LineSample::paintEvent(QPaintEvent*) {
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::SolidLine,   Qt::DashLine,
                                          Qt::DotLine,   Qt::DashDotLine, Qt::DashDotDotLine};
    QPainter p(this);
    // A width that rounds to nothing is drawn one pixel wide, one beyond sense at 20.
    QPen pen(BorderColor, qBound(1, BorderWidth, 20));
    pen.setStyle(styles[BorderStyle >= 1 && BorderStyle <= 5 ? BorderStyle : 1]);
    p.setPen(pen);
    p.drawLine(10, height() / 2, width() - 10, height() / 2);
}

QString LineWidthText(const QString& typed) {
    const double v = Val(typed);
    return v <= 0 ? QStringLiteral("1") : NumText(v);
}

ProLine::ProLine(QWidget* parent) : PropertyDialog(kLine, parent) {
    setObjectName(QStringLiteral("ProLine"));
    setWindowTitle(QStringLiteral("线条属性修改"));
    auto* layout = new QGridLayout(this);
    CMB = new QComboBox(this);
    CMB->setObjectName(QStringLiteral("CMB"));
    for (const char* item : {"1 - 实线", "2 - 虚线", "3 - 点画线", "4 - 点虚线", "5 - 点点虚线"})
        CMB->addItem(QString::fromUtf8(item));
    RefuseKeys(CMB);
    layout->addWidget(new QLabel(QStringLiteral("线型："), this), 0, 0);
    layout->addWidget(CMB, 0, 1);
    AddField(layout, 0, 0, 2, QStringLiteral("粗细："), QString(), QStringLiteral("1"), col::fSize);
    AddField(layout, 1, 1, 0, QStringLiteral("起点X："), QStringLiteral("输入框的横向位置。"),
             QStringLiteral("0"), col::X);
    AddField(layout, 2, 1, 2, QStringLiteral("起点Y："), QStringLiteral("输入框的纵向位置。"),
             QStringLiteral("0"), col::Y);
    AddField(layout, 3, 2, 0, QStringLiteral("终点X："), QStringLiteral("输入框的横向宽度。"),
             QStringLiteral("0"), col::W);
    AddField(layout, 4, 2, 2, QStringLiteral("终点Y："), QStringLiteral("输入框的纵向高度。"),
             QStringLiteral("0"), col::H);
    layout->addWidget(new QLabel(QStringLiteral("样式示例："), this), 3, 0);
    L = new LineSample(this);
    L->setObjectName(QStringLiteral("Picture1"));
    layout->addWidget(L, 3, 1, 1, 3);
    QPushButton* colour = AddButton(0, QStringLiteral("颜色设置"));
    layout->addWidget(colour, 4, 0);
    layout->addWidget(BuildOkCancel(1, 2), 4, 1, 1, 3);

    connect(CMB, &QComboBox::activated, this, [this] {
        L->BorderStyle = CLng(Val(CMB->currentText()));
        L->update();
        Mark(CMB);
    });
    connect(TT[0], &QLineEdit::textChanged, this, [this](const QString& typed) {
        const QString text = LineWidthText(typed);
        if (text != typed) TT[0]->setText(text);  // runs this again, with the right text
        L->BorderWidth = CLng(Val(text));
        L->update();
    });
    connect(colour, &QPushButton::clicked, this, [this] { ChooseColour(); });
}

void ProLine::ChooseColour() {
    const auto c = dlg::ChooseColorDialog(L->BorderColor);
    if (!c || !c->isValid() || c->rgb() == L->BorderColor.rgb()) return;
    L->BorderColor = *c;
    L->update();
    Mark(COM[0]);
}

void ProLine::LoadRow(int row) {
    Grid& grid = MF().BoxGrid();
    if (row < grid.FixedRows() || row >= grid.Rows()) return;
    L->BorderColor = RgbValueToColor(GetCellProperty(grid, row, col::Color, false));
    for (int i = 0; i <= 4; ++i) TT[i]->setText(grid.TextMatrix(row, DataField(TT[i])));
    if (ChooseItemByCode(CMB, CellNumber(grid, row, col::Cash)))
        L->BorderStyle = CLng(Val(CMB->currentText()));
    L->update();
}

void ProLine::WriteRow(Grid& grid, int r) {
    for (int i = 0; i <= 4; ++i)
        if (IsMarked(TT[i])) grid.SetTextMatrix(r, DataField(TT[i]), NumText(Val(TT[i]->text())));
    if (IsMarked(CMB)) grid.SetTextMatrix(r, col::Cash, NumText(CLng(Val(CMB->currentText()))));
    if (IsMarked(COM[0]))
        SetGridCellColour(grid, r, col::Color,
                          static_cast<GridColor>(ColorToRgbValue(L->BorderColor)), false);
}

}  // namespace bw
