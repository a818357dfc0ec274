#include "records/ui/ColOrdSet.h"

#include <QLabel>
#include <QPushButton>

#include "common/Database.h"
#include "common/GridFunctions.h"
#include "common/Params.h"
#include "platform/Grid.h"
#include "platform/GridView.h"
#include "platform/VbNumbers.h"
#include "records/HistoryGrid.h"
#include "store/MainForm.h"

namespace bw {

ColOrdSet::ColOrdSet(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ColOrdSet"));
    setWindowTitle(QStringLiteral("列排序"));
    resize(360, 420);
    Label1 = new QLabel(QStringLiteral("列顺序："), this);
    Label1->setGeometry(10, 8, 200, 20);
    MSFGrid = new Grid(this);
    MSFGrid->SetSelectionMode(GridSelectionMode::ByRow);
    MSF = new GridView(MSFGrid, this);
    MSF->setObjectName(QStringLiteral("MSF"));
    MSF->setGeometry(10, 30, 250, 380);
    const char* captions[4] = {"上移", "下移", "确定", "取消"};
    for (int i = 0; i < 4; ++i) {
        COM[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        COM[i]->setObjectName(QStringLiteral("COM%1").arg(i));
        COM[i]->setGeometry(270, 30 + i * 40 + (i >= 2 ? 200 : 0), 80, 28);
        connect(COM[i], &QPushButton::clicked, this, [this, i] { COM_Click(i); });
    }
    connect(MSF, &GridView::MouseDown, this, &ColOrdSet::MSF_MouseDown);
}

ColOrdSet::~ColOrdSet() = default;

ColOrdSet* ColOrdSet::Show(QWidget* parent) {
    auto* dialog = new ColOrdSet(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->Form_Load();
    dialog->show();
    dialog->raise();
    return dialog;
}

void ColOrdSet::Form_Load() {
    DispColList(*MSFGrid);
}

void ExchangMSFRow(Grid& m, int r1, int r2) {
    for (int c = 0; c < m.Cols(); ++c) {
        if (c == m.FixedCols() - 1) continue;
        const QString t = m.TextMatrix(r1, c);
        m.SetTextMatrix(r1, c, m.TextMatrix(r2, c));
        m.SetTextMatrix(r2, c, t);
    }
}

void ColOrdSet::DispColList(Grid& m) {
    SetupGrid(m, {QStringLiteral("ID"), QString(), QString(), QStringLiteral("LBL")},
              {QStringLiteral("ID"), QStringLiteral("序号"), QStringLiteral("显示"),
               QStringLiteral("名称")});
    format_ = MF().CurrentFormat();
    const QString& format = format_;
    const QList<HistoryColumn> boxes = FormatInputBoxes(format);
    m.SetRows(m.FixedRows() + static_cast<int>(boxes.size()));
    for (int i = 0; i < boxes.size(); ++i) {
        const int r = m.FixedRows() + i;
        m.SetTextMatrix(r, 0, QString::number(boxes[i].id));
        m.SetTextMatrix(r, 1, QString::number(i + 1));
        m.SetTextMatrix(r, 3, boxes[i].label);
    }
    const QString order = GetParam(ColumnOrderParam(format));
    if (order.isEmpty()) {
        for (int r = m.FixedRows(); r < m.Rows(); ++r) m.SetTextMatrix(r, 2, kTickMark);
    } else {
        int k = m.FixedRows() - 1;
        for (const QString& item : order.split(u';')) {
            const double id = Val(item);
            for (int j = k + 1; j < m.Rows(); ++j) {
                if (Val(m.TextMatrix(j, 0)) != id) continue;
                ++k;
                ExchangMSFRow(m, k, j);
                m.SetTextMatrix(k, 2, kTickMark);
                break;
            }
        }
    }
    AutoFitGridColumns(this, m, 1, true);
    m.SetColAlignment(1, AlignCenterCenter);
    m.SetColAlignment(2, AlignCenterCenter);
}

void ColOrdSet::SaveOrdList(Grid& m) {
    QStringList ids;
    for (int r = m.FixedRows(); r < m.Rows(); ++r)
        if (!m.TextMatrix(r, 2).isEmpty()) ids << m.TextMatrix(r, 0);
    SetParam(ColumnOrderParam(format_), ids.join(u';'));
}

void ColOrdSet::COM_Click(int index) {
    Grid& m = *MSFGrid;
    auto selectRow = [&m](int row) {
        m.SetRow(row);
        m.SetCol(0);
        m.SetColSel(m.Cols() - 1);
    };
    switch (index) {
        case 0:
            if (m.Row() > m.FixedRows()) {
                ExchangMSFRow(m, m.Row(), m.Row() - 1);
                selectRow(m.Row() - 1);
            }
            break;
        case 1:
            if (m.Row() >= m.FixedRows() && m.Row() < m.Rows() - 1) {
                ExchangMSFRow(m, m.Row(), m.Row() + 1);
                selectRow(m.Row() + 1);
            }
            break;
        case 2: {
            SaveOrdList(m);
            MainForm& mf = MF();
            mf.MSF[2]->SetTag(QString());
            LoadHistoryGrid(*mf.MSF[2], mf.CurrentFormat(), 300);
            close();
            break;
        }
        case 3:
            close();
            break;
        default:
            break;
    }
}

void ColOrdSet::MSF_MouseDown(int button, int /*shift*/, double x, double y) {
    ClickGridCell(*MSFGrid, 2, button, x, y, true);
}

}  // namespace bw
