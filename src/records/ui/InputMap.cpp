#include "records/ui/InputMap.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "common/Database.h"
#include "common/Globals.h"
#include "common/GridFunctions.h"
#include "common/Indicator.h"
#include "common/Params.h"
#include "platform/CellEditor.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/GridView.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "records/CsvImport.h"
#include "records/ExcelImport.h"
#include "records/ui/BatchGridEvents.h"
#include "records/ui/ImportFile.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/Label.h"
#include "store/MainForm.h"

namespace bw {

namespace {

const QString kRegApp = QStringLiteral("BWF");
const QString kRegSection = QStringLiteral("Marvenset");
constexpr int kSpecCol = 4;

QString settingKey(int k) {
    return QStringLiteral("T(%1)").arg(k);
}

// A whole number typed into a box; no number counts 0.
qint64 typedNumber(const QLineEdit* box) {
    return CLng64(Val(box->text()));
}

}  // namespace

QString ColumnSpecHelpText(const QString& lineBreakMark) {
    QString text = QStringLiteral(
        "列号填写方法：        "
        "来自单列数据，直接填入列号（如：A）；来自多列数据，用逗号隔开（如：D,F）；"
        "需要插入固定字符,在将插入内容用引号引起来（如A,\"地址：\",E)；需插入换行符，可用“//"
        "”代表换行"
        "（如：D,“//”,F）；空着表示不导入。");
    return text.replace(QStringLiteral("//"), lineBreakMark);
}

InputMap::InputMap(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("InputMap"));
    setWindowTitle(QStringLiteral("导入数据映射"));
    setWindowModality(Qt::ApplicationModal);
    resize(820, 600);

    auto* head0 = new QLabel(QStringLiteral("您将要导入的EXCEL表格样式："), this);
    head0->setGeometry(10, 6, 400, 20);
    M0Grid = new Grid(this);
    M0 = new GridView(M0Grid, this);
    M0->setObjectName(QStringLiteral("M0"));
    M0->setToolTip(QStringLiteral("要导入表格的部分内容示例。"));
    M0->setGeometry(10, 28, 800, 230);

    auto* head1 = new QLabel(QStringLiteral("请按内容填入相应的对应列号："), this);
    head1->setGeometry(10, 266, 400, 20);
    M1Grid = new Grid(this);
    M1 = new GridView(M1Grid, this);
    M1->setObjectName(QStringLiteral("M1"));
    M1->setToolTip(QStringLiteral("请填入各输入框对应表格所在的列号。"));
    M1->setGeometry(10, 288, 480, 300);
    TT = new CellEditor(M1, this);
    TT->setObjectName(QStringLiteral("TT"));

    auto label = [this](const QString& text, int x, int y, int w) {
        auto* l = new QLabel(text, this);
        l->setGeometry(x, y, w, 22);
        return l;
    };
    const char* defaults[4] = {"2", "100", "1", ""};
    const char* tips[4] = {"数据导入的开始行号。", "数据导入的截止行号。", "组成一条记录的行数。",
                           "同一条记录各行在此列的内容相同。"};
    for (int k = 0; k < 4; ++k) {
        T[k] = new QLineEdit(QString::fromUtf8(defaults[k]), this);
        T[k]->setObjectName(QStringLiteral("T%1").arg(k));
        T[k]->setToolTip(QString::fromUtf8(tips[k]));
    }
    label(QStringLiteral("导入行数设置："), 505, 290, 120);
    label(QStringLiteral("第"), 505, 318, 20);
    T[0]->setGeometry(525, 318, 70, 22);
    label(QStringLiteral("行至第"), 600, 318, 50);
    T[1]->setGeometry(650, 318, 70, 22);
    label(QStringLiteral("行"), 725, 318, 20);
    label(QStringLiteral("行间隔："), 505, 350, 70);
    T[2]->setGeometry(575, 350, 60, 22);
    label(QStringLiteral("行"), 640, 350, 20);
    label(QStringLiteral("标志列："), 505, 382, 70);
    T[3]->setGeometry(575, 382, 60, 22);
    LBL = new QLabel(this);
    LBL->setObjectName(QStringLiteral("LBL"));
    LBL->setWordWrap(true);
    LBL->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LBL->setGeometry(505, 414, 305, 130);
    const char* captions[2] = {"✔ 确定", "✘ 取消"};
    for (int i = 0; i < 2; ++i) {
        COM[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        COM[i]->setObjectName(QStringLiteral("COM%1").arg(i));
        COM[i]->setGeometry(560 + i * 125, 556, 110, 32);
        connect(COM[i], &QPushButton::clicked, this, [this, i] { COM_Click(i); });
    }
    connect(M1, &GridView::Click, this, &InputMap::M1_Click);
    // Enter on the grids, outside an edit, accepts as it does in the row boxes.
    for (GridView* grid : {M0, M1})
        connect(grid, &GridView::KeyPress, this, [this](int key) {
            if (key == 13) COM_Click(0);
        });
    connect(TT, &QLineEdit::textChanged, this, &InputMap::TT_Change);
}

InputMap::~InputMap() = default;

InputMap* InputMap::Show(QWidget* parent) {
    auto* dialog = new InputMap(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->Form_Load();
    dialog->show();
    dialog->raise();
    return dialog;
}

void InputMap::Form_Load() {
    // The grids' columns are fitted before the dialog is shown.
    M0->SyncSize();
    M1->SyncSize();
    PreviewImportFile(*M0Grid);
    SetMapGridHeader(*M1Grid);
    FillMapGrid(*M1Grid);
    LoadImportMap(*M1Grid);
    LBL->setText(ColumnSpecHelpText(LineBreakMark));
}

void InputMap::PreviewImportFile(Grid& m) {
    m.SetRows(0);
    m.SetRows(20);
    m.SetCols(60);
    m.SetColWidth(0, 300);
    m.SetFixedCols(1);
    m.SetFixedRows(1);
    for (int r = 1; r < 20; ++r) m.SetTextMatrix(r, 0, QString::number(r));
    for (int c = 1; c < 60; ++c) m.SetTextMatrix(0, c, ColumnLetters(c));
    if (HasExtension(ImportFileName, QStringLiteral(".csv"))) {
        ReadCsvPreview(m, ImportFileName);
    } else if (!HasExtension(ImportFileName, QStringLiteral(".xls"))) {
        dlg::MsgBox(QStringLiteral("您选择的文件格式不支持导入，请选择CSV或XLS文件！"),
                    dlg::OkOnly | dlg::Exclamation);
        ImportFileName.clear();
        return;
    } else {
        ShowProgress(QStringLiteral("正在读取EXCEL数据……"), 20, 0);
        const int err = ReadExcelPreview(m, ImportFileName, ImportSheetNames,
                                         [] { UpdateProgress(1, QStringLiteral("pages")); });
        if (err != 0) {
            CloseProgress();
            dlg::MsgBox(ExcelErrorMessage(err), dlg::OkOnly | dlg::Exclamation);
            return;
        }
    }
    // Every row of the sample counts, the file's first row too: a number there is shown whole.
    // The row numbers keep at least their usual width, and "10" to "19" stand whole.
    AutoFitGridColumns(this, m, m.FixedRows(), true);
    if (m.ColWidth(0) < 300) m.SetColWidth(0, 300);
    CloseProgress();
}

void InputMap::SetMapGridHeader(Grid& m) {
    m.SetVisible(false);
    m.SetRows(1);
    m.SetCols(5);
    m.SetFixedRows(1);
    m.SetFixedCols(0);
    const char* heads[5] = {"Index", "ID", "序号", "输入框内容", "对应列号"};
    for (int c = 0; c < 5; ++c) {
        m.SetTextMatrix(0, c, QString::fromUtf8(heads[c]));
        m.SetColAlignment(c, AlignLeftCenter);
    }
    m.SetColAlignment(3, AlignRightBottom);
    m.SetColAlignment(4, AlignLeftTop);
    m.SetLeftCol(0);
}

void InputMap::FillMapGrid(Grid& m) {
    for (int kind = kTextBox; kind <= kPictureBox; ++kind) {
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            const int r = m.Rows();
            m.SetRows(r + 1);
            m.SetTextMatrix(r, 0, QString::number(i));
            m.SetTextMatrix(r, 1, QString::number(BoxRecordId(GetBoxByIndex(i))));
            m.SetTextMatrix(r, 2, QString::number(r));
            const Label* caption = CaptionLabel(i);
            m.SetTextMatrix(r, 3, caption ? caption->Caption() : QString());
        }
    }
    AutoFitGridColumns(this, m, 0, true);
    // Room for the bold captions and for typing a spec.
    if (m.ColWidth(3) < 1300) m.SetColWidth(3, 1300);
    if (m.ColWidth(kSpecCol) < 1500) m.SetColWidth(kSpecCol, 1500);
    m.SetVisible(true);
}

void InputMap::LoadImportMap(Grid& m) {
    Recordset rs;
    OpenRecordset(rs, QStringLiteral("SELECT ID, Map FROM 映射 WHERE Fmt=? ORDER BY ID"),
                  {MF().CurrentFormat()});
    for (; !rs.Eof(); rs.MoveNext()) {
        const double id = rs.Number(QStringLiteral("ID"));
        for (int r = m.FixedRows(); r < m.Rows(); ++r) {
            if (Val(m.TextRef(r, 1)) != id) continue;
            m.SetTextMatrix(r, kSpecCol, rs.Text(QStringLiteral("Map")));
            break;
        }
    }
    CloseRecordset(rs);
    for (int k = 0; k < 4; ++k) {
        const QString v = GetRegValue(kRegApp, kRegSection, settingKey(k), QString());
        if (!v.isEmpty()) T[k]->setText(v);
    }
}

void InputMap::SaveImportMap(Grid& m) {
    const QString format = MF().CurrentFormat();
    {
        Transaction t;
        ExecuteSql(QStringLiteral("DELETE FROM 映射 WHERE Fmt=?"), {format});
        for (int r = m.FixedRows(); r < m.Rows(); ++r) {
            const QString spec = m.TextMatrix(r, kSpecCol);
            if (spec.isEmpty()) continue;
            ExecuteSql(QStringLiteral("INSERT INTO 映射(ID, Fmt, Map) VALUES(?, ?, ?)"),
                       {static_cast<qlonglong>(CLng64(Val(m.TextRef(r, 1)))), format, spec});
        }
        t.Commit();
    }
    for (int k = 0; k < 4; ++k)
        SaveRegValue(kRegApp, kRegSection, settingKey(k), T[k]->text().trimmed());
}

ColumnSpecs InputMap::BuildColumnSpecs() const {
    const Grid& m = *M1Grid;
    ColumnSpecs specs;
    int r = m.FixedRows();
    for (QStringList* kind : {&specs.text, &specs.check, &specs.picture}) {
        const int count = kind == &specs.text    ? BoxCount[kTextBox]
                          : kind == &specs.check ? BoxCount[kCheckBox]
                                                 : BoxCount[kPictureBox];
        for (int i = 0; i < count; ++i) *kind << m.TextMatrix(r++, kSpecCol).trimmed();
    }
    return specs;
}

void InputMap::COM_Click(int index) {
    const bool csv = HasExtension(ImportFileName, QStringLiteral(".csv"));
    const bool xls = HasExtension(ImportFileName, QStringLiteral(".xls"));
    if (index == 0 && !ImportFileName.isEmpty() && (csv || !ImportSheetNames.isEmpty())) {
        const ColumnSpecs specs = BuildColumnSpecs();
        qint64 start = typedNumber(T[0]), end = typedNumber(T[1]);
        OrderPair(start, end);
        if (end - start > kMaxImportRows - 1) {
            dlg::MsgBox(QStringLiteral("一次性导入数据不得超过3万条记录，请重新设置！"),
                        dlg::OkOnly | dlg::Exclamation);
            return;
        }
        int first = static_cast<int>(std::clamp<qint64>(start, INT_MIN / 2, INT_MAX / 2));
        int last = static_cast<int>(std::clamp<qint64>(end, INT_MIN / 2, INT_MAX / 2));
        const int perRecord = static_cast<int>(std::clamp<qint64>(typedNumber(T[2]), -1, INT_MAX));
        const int key = ColumnNumber(T[3]->text());
        MainForm& mf = MF();
        Grid& batch = *mf.MSF[1];
        // A read that failed or found nothing leaves the batch as it was, its record shown.
        const bool read =
            csv ? ReadCsvData(batch, ImportFileName, first, last, specs, perRecord, key, this)
                : xls && ReadExcelData(batch, ImportFileName, ImportSheetNames, first, last, specs,
                                       perRecord, key, this) == 0;
        if (read) SetupBatchRows(batch, mf.HS);
        batch.SetVisible(true);
    }
    close();
}

void InputMap::M1_Click() {
    Grid& m = *M1Grid;
    if (m.Row() < m.FixedRows() || m.Col() != kSpecCol) {
        TT->hide();
        return;
    }
    double x = 0, y = 0;
    GetCellPosition(m, m.Row(), m.Col(), x, y);
    const QPoint origin = M1->geometry().topLeft() + M1->ViewportOffset();
    TT->setGeometry(origin.x() + TwipsToPixels(x), origin.y() + TwipsToPixels(y),
                    TwipsToPixels(m.ColWidth(m.Col()) + 10), TwipsToPixels(m.RowHeight(m.Row())));
    EditRow = m.Row();
    EditCol = m.Col();
    TT->setText(m.TextMatrix(EditRow, EditCol));
    TT->show();
    TT->raise();
    TT->setFocus();
}

void InputMap::TT_Change() {
    M1Grid->SetTextMatrix(EditRow, EditCol, TT->text());
}

void InputMap::saveOnce() {
    if (saved_) return;
    saved_ = true;
    SaveImportMap(*M1Grid);
}

void InputMap::reject() {
    saveOnce();
    QDialog::reject();
}

void InputMap::closeEvent(QCloseEvent* event) {
    saveOnce();
    QDialog::closeEvent(event);
}

}  // namespace bw
