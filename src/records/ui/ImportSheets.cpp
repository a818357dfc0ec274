#include "records/ui/ImportSheets.h"

#include <QLabel>
#include <QPushButton>

#include "common/GridFunctions.h"
#include "common/Indicator.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/GridView.h"
#include "platform/Twips.h"
#include "records/ExcelImport.h"
#include "records/ui/ImportFile.h"

namespace bw {

Sheets::Sheets(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Sheets"));
    setWindowTitle(QStringLiteral("选择要导入数据所在的工作表"));
    setWindowModality(Qt::ApplicationModal);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    resize(420, 320);
    Label1 = new QLabel(QStringLiteral("请在要导入数据所在的表格行打“√”"), this);
    Label1->setGeometry(10, 8, 400, 20);
    SHLGrid = new Grid(this);
    SHLGrid->SetSelectionMode(GridSelectionMode::ByRow);
    SHL = new GridView(SHLGrid, this);
    SHL->setObjectName(QStringLiteral("SHL"));
    SHL->setToolTip(QStringLiteral("要导入的表格文件所含的表格张数据及其名称。"));
    SHL->setGeometry(10, 30, 400, 240);
    const char* captions[2] = {"确定", "取消"};
    for (int i = 0; i < 2; ++i) {
        Img[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        Img[i]->setObjectName(QStringLiteral("Img%1").arg(i));
        Img[i]->setGeometry(230 + i * 90, 280, 80, 28);
        connect(Img[i], &QPushButton::clicked, this, [this, i] { Img_Click(i); });
    }
    connect(SHL, &GridView::MouseDown, this, &Sheets::SHL_MouseDown);
}

Sheets::~Sheets() = default;

bool Sheets::Form_Load() {
    Grid& g = *SHLGrid;
    g.SetRows(1);
    g.SetCols(3);
    g.SetFixedRows(1);
    g.SetFixedCols(0);
    const int widths[3] = {500, 600, 4400};
    const int aligns[3] = {AlignLeftTop, AlignCenterCenter, AlignLeftCenter};
    const char* heads[3] = {"No.", "选择", "工作表名称"};
    for (int c = 0; c < 3; ++c) {
        g.SetColWidth(c, widths[c]);
        g.SetColAlignment(c, aligns[c]);
        g.SetTextMatrix(0, c, QString::fromUtf8(heads[c]));
    }
    ShowProgress(QStringLiteral("正在读取EXCEL文件数据……"), 100, 0);
    QStringList names;
    if (ListWorksheets(ImportFileName, &names) != 0) {
        CloseProgress();
        dlg::MsgBox(QStringLiteral("无法打开XLS文件！"), dlg::OkOnly | dlg::Exclamation);
        return false;
    }
    ShowProgress(QStringLiteral("正在读取EXCEL文件数据……"), static_cast<int>(names.size()), 0);
    for (const QString& name : names) {
        const int r = g.Rows();
        g.SetRows(r + 1);
        g.SetTextMatrix(r, 0, QString::number(r));
        g.SetTextMatrix(r, 2, name);
        UpdateProgress(1, QStringLiteral("pages"));
    }
    if (g.Rows() > 1) g.SetTextMatrix(1, 1, kTickMark);
    CloseProgress();
    return true;
}

void Sheets::SHL_MouseDown(int /*button*/, int /*shift*/, double /*x*/, double y) {
    Grid& g = *SHLGrid;
    const int row = g.RowAtY(y);
    if (row < 1 || row >= g.Rows()) return;
    if (g.TextMatrix(row, 1).isEmpty()) {
        if (Tag == QLatin1String("1"))
            for (int r = 1; r < g.Rows(); ++r) g.SetTextMatrix(r, 1, QString());
        g.SetTextMatrix(row, 1, kTickMark);
    } else {
        g.SetTextMatrix(row, 1, QString());
    }
}

void Sheets::Img_Click(int index) {
    ImportSheetNames.clear();
    if (index == 0) {
        QStringList ticked;
        for (int r = 1; r < SHLGrid->Rows(); ++r)
            if (!SHLGrid->TextMatrix(r, 1).isEmpty()) ticked << SHLGrid->TextMatrix(r, 2);
        ImportSheetNames = ticked.join(kSheetSeparator);
    }
    close();
}

}  // namespace bw
