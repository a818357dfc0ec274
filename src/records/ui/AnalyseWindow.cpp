#include "records/ui/AnalyseWindow.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "common/Common.h"
#include "common/GridFunctions.h"
#include "common/Params.h"
#include "common/TwipGeometry.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/GridView.h"
#include "platform/PictureWidget.h"
#include "platform/VbNumbers.h"
#include "printing/DibSection.h"
#include "records/GridExport.h"
#include "records/Statistics.h"
#include "records/ui/StatChart.h"
#include "store/MainForm.h"

namespace bw {

namespace {

QPointer<AnalyseWindow>& instance() {
    static QPointer<AnalyseWindow> w;
    return w;
}

const QString kSplitSection = QStringLiteral("位置");
const QString kSplitKey = QStringLiteral("统计_分界线");
constexpr double kSplitDesignLeft = 3960, kSplitWidth = 45, kGridTop = 1080;

QGroupBox* frame(QWidget* parent, const QString& caption, double l, double t, double w, double h) {
    auto* f = new QGroupBox(caption, parent);
    SetTwGeometry(f, l, t, w, h);
    return f;
}

QLabel* label(QWidget* parent, const QString& text, double l, double t, double w) {
    auto* x = new QLabel(text, parent);
    SetTwGeometry(x, l, t, w, 255);
    return x;
}

void fill(QComboBox* c, const QStringList& items, const QString& current) {
    c->clear();
    c->addItems(items);
    c->setCurrentIndex(current.isEmpty() ? -1 : c->findText(current));
}

}  // namespace

AnalyseWindow::AnalyseWindow(QWidget* parent) : QDialog(parent), grid_(std::make_unique<Grid>()) {
    setObjectName(QStringLiteral("Analyse"));
    setWindowTitle(QStringLiteral("数据统计分析"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    QGroupBox* f1 = frame(this, QStringLiteral("日期范围"), 0, 120, 1815, 975);
    label(f1, QStringLiteral("从"), 120, 240, 240);
    label(f1, QStringLiteral("至"), 120, 600, 240);
    // The date pickers are as wide as a whole date with the calendar button in this font; the
    // frame round them and everything right of it make room.
    double grow = 0;
    for (int i = 0; i < 2; ++i) {
        DTP[i] = new QDateEdit(f1);
        DTP[i]->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        DTP[i]->setCalendarPopup(true);
        const double width = std::max(1335.0, PixelsToTwipsF(DTP[i]->sizeHint().width()));
        grow = std::max(grow, width - 1335);
        SetTwGeometry(DTP[i], 360, 240 + i * 360, width, 300);
    }
    SetTwWidth(f1, 1815 + grow);
    resize(TwipsToPixels(16600 + grow), TwipsToPixels(9825));
    QGroupBox* f3 = frame(this, QStringLiteral("日期内容框"), 1800 + grow, 120, 4695, 975);
    QGroupBox* f20 = frame(this, QStringLiteral("统计内容"), 6480 + grow, 120, 1215, 975);
    QGroupBox* f21 = frame(this, QStringLiteral("周期"), 7650 + grow, 120, 1215, 975);
    QGroupBox* f4 = frame(this, QStringLiteral("统计对象"), 8520 + grow, 120, 6735, 975);
    struct Option {
        QGroupBox* box;
        const char* caption;
        double left, top;
    } options[8] = {{f20, "单据数量", 80, 300}, {f20, "开具金额", 80, 600},
                    {f4, "综合统计", 120, 300}, {f4, "条件统计", 120, 600},
                    {f3, "完整日期", 120, 300}, {f3, "组合日期", 120, 600},
                    {f21, "按天", 80, 600},     {f21, "按月", 80, 300}};
    for (int i = 0; i < 8; ++i) {
        OP[i] = new QRadioButton(QString::fromUtf8(options[i].caption), options[i].box);
        SetTwGeometry(OP[i], options[i].left, options[i].top, 1095, 255);
        connect(OP[i], &QRadioButton::clicked, this, [this, i] { OP_Click(i); });
    }
    OP[1]->setChecked(true);
    OP[2]->setChecked(true);
    OP[4]->setChecked(true);
    OP[7]->setChecked(true);
    struct Combo {
        QGroupBox* box;
        double left, top, width;
    } combos[7] = {{f4, 2160, 240, 4455}, {f4, 1320, 600, 2415}, {f4, 4200, 600, 2415},
                   {f3, 1200, 240, 3375}, {f3, 1440, 600, 855},  {f3, 2580, 600, 855},
                   {f3, 3720, 600, 855}};
    for (int i = 0; i < 7; ++i) {
        COM[i] = new QComboBox(combos[i].box);
        COM[i]->setEditable(false);
        COM[i]->installEventFilter(this);  // keys never reach the lists
        SetTwGeometry(COM[i], combos[i].left, combos[i].top, combos[i].width, 300);
        connect(COM[i], &QComboBox::activated, this, [this, i] { COM_Click(i); });
    }
    label(f4, QStringLiteral("金额框："), 1320, 270, 840);
    label(f4, QStringLiteral("等于"), 3780, 630, 420);
    label(f3, QStringLiteral("年"), 1200, 630, 240);
    label(f3, QStringLiteral("月"), 2340, 630, 240);
    label(f3, QStringLiteral("日"), 3480, 630, 240);

    Comm = new QPushButton(QStringLiteral("统 计"), this);
    Comm->setToolTip(QStringLiteral("开始统计"));
    SetTwGeometry(Comm, 15240 + grow, 240, 1215, 855);
    connect(Comm, &QPushButton::clicked, this, &AnalyseWindow::Comm_Click);

    MSF = new GridView(grid_.get(), this);
    SetTwGeometry(MSF, 0, kGridTop, kSplitDesignLeft, 6885);
    connect(MSF, &GridView::MouseDown, this, [this](int button, int, double x, double y) {
        if (button == 1) {
            SortGridByColumn(this, *grid_, x, y);
            return;
        }
        QMenu menu(QStringLiteral("表格"), this);
        menu.addAction(QStringLiteral("导出表格"), this, [this] { exportGrid(); });
        menu.exec(QCursor::pos() + QPoint(0, TwipsToPixels(20)));
    });
    SplitLine = new QFrame(this);
    SplitLine->setStyleSheet(QStringLiteral("background: #800000;"));
    SplitLine->setCursor(Qt::SizeHorCursor);
    SplitLine->installEventFilter(this);
    SetTwGeometry(SplitLine, kSplitDesignLeft, kGridTop, kSplitWidth, 4335);
    Pic = new PictureWidget(this);
    Pic->SetBackColor(palette().color(QPalette::Base));
    Pic->installEventFilter(this);
    SetTwGeometry(Pic, 4080, kGridTop, 12255, 6855);
}

AnalyseWindow::~AnalyseWindow() = default;

AnalyseWindow* AnalyseWindow::Show(QWidget* parent) {
    QPointer<AnalyseWindow>& w = instance();
    if (!w) {
        w = new AnalyseWindow(parent ? parent : dlg::DialogParent());
        w->Form_Load();
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void AnalyseWindow::Form_Load() {
    const QString format = MF().CurrentFormat();
    QString preferred;
    const int families[7] = {1, 0, -1, 2, 3, 4, 5};
    for (int i = 0; i < 7; ++i) {
        if (families[i] < 0) continue;
        const QStringList names = StatsBoxNames(format, families[i], &preferred);
        fill(COM[i], names, preferred);
    }
    (COM[3]->currentText().isEmpty() ? OP[5] : OP[4])->setChecked(true);
    const QDate today = QDate::currentDate();
    DTP[0]->setDate(QDate(today.year(), 1, 1));
    DTP[1]->setDate(today);
    OP_Click(0);
    const QString split = GetRegValue(QStringLiteral("BWF"), kSplitSection, kSplitKey, QString());
    if (!split.isEmpty()) SetTwLeft(SplitLine, Val(split));
    Form_Resize();
}

void AnalyseWindow::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    Form_Resize();
}

void AnalyseWindow::Form_Resize() {
    const double w = PixelsToTwips(width()), h = PixelsToTwips(height());
    SetTwLeft(MSF, 0);
    SetTwHeight(MSF, h - kGridTop - 500);
    SetTwTop(MSF, kGridTop);
    SetTwWidth(MSF, TwLeft(SplitLine) - TwLeft(MSF));
    SetTwTop(SplitLine, TwTop(MSF));
    SetTwHeight(SplitLine, TwHeight(MSF));
    SetTwTop(Pic, TwTop(MSF));
    SetTwHeight(Pic, TwHeight(MSF));
    SetTwLeft(Pic, TwLeft(SplitLine) + TwWidth(SplitLine));
    SetTwWidth(Pic, w - TwLeft(Pic) - 120);
}

void AnalyseWindow::MoveSplitter(double left) {
    const double w = PixelsToTwips(width());
    left = std::min(std::max(0.0, std::trunc(left)), w - TwWidth(SplitLine));
    SetTwLeft(SplitLine, left);
    SetTwWidth(MSF, TwLeft(SplitLine) - TwLeft(MSF));
    SetTwLeft(Pic, TwLeft(SplitLine) + TwWidth(SplitLine));
    SetTwWidth(Pic, w - TwLeft(Pic));
}

void AnalyseWindow::SaveSplitter() {
    SaveRegValue(QStringLiteral("BWF"), kSplitSection, kSplitKey,
                 QString::number(TwLeft(SplitLine), 'g', 12));
}

void AnalyseWindow::OP_Click(int index) {
    COM[3]->setEnabled(OP[4]->isChecked());
    for (int i : {4, 5, 6}) COM[i]->setEnabled(OP[5]->isChecked());
    for (int i : {1, 2}) COM[i]->setEnabled(OP[3]->isChecked());
    if (index >= 6) Comm_Click();
}

void AnalyseWindow::COM_Click(int index) {
    if (index == 1)
        fill(COM[2], StatsValueList(MF().CurrentFormat(), COM[1]->currentText()), QString());
    if (index == 1 && COM[2]->count() > 0) COM[2]->setCurrentIndex(0);
}

void AnalyseWindow::Comm_Click() {
    Analyse(MF().CurrentFormat());
}

StatsRequest AnalyseWindow::Request(const QString& format) const {
    StatsRequest r;
    r.format = format;
    r.amountBox = COM[0]->currentText();
    r.countBills = OP[0]->isChecked();
    r.conditional = OP[3]->isChecked();
    r.conditionBox = COM[1]->currentText();
    r.conditionValue = COM[2]->currentText();
    r.wholeDate = OP[4]->isChecked();
    r.dateBox = COM[3]->currentText();
    r.yearBox = COM[4]->currentText();
    r.monthBox = COM[5]->currentText();
    r.dayBox = COM[6]->currentText();
    r.byMonth = OP[7]->isChecked();
    r.from = DTP[0]->date();
    r.to = DTP[1]->date();
    return r;
}

void AnalyseWindow::Analyse(const QString& format) {
    const StatsRequest r = Request(format);
    QString problem = CheckStatsRequest(r);
    std::vector<StatsRow> rows;
    if (problem.isEmpty()) rows = ComputeStatistics(r, &problem);
    if (!problem.isEmpty()) {  // the grid and the chart keep the last result
        dlg::MsgBox(problem, dlg::OkOnly);
        return;
    }
    Grid& g = *grid_;
    SetupGrid(g, {QString(), QString(), QStringLiteral("DT"), QStringLiteral("Sm")},
              {QString(), QStringLiteral("序号"), QStringLiteral("日期"),
               r.countBills ? QStringLiteral("单据数") : QStringLiteral("金额")});
    g.SetRows(g.FixedRows() + static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const int row = g.FixedRows() + i;
        g.SetTextMatrix(row, 1, QString::number(i + 1));
        g.SetTextMatrix(row, 2, rows[i].period);
        g.SetTextMatrix(row, 3, NumText(rows[i].value));
    }
    AutoFitGridColumns(this, g, 1, false);
    g.SetFixedCols(3);
    g.SetTag(StatsCaption(r, rows));
    Pic->Cls();
    if (!rows.empty()) DrawStatChart(Pic->Target(), g, -1, -1, true);
    Pic->update();
}

void AnalyseWindow::exportGrid() {
    ExportGrid(*grid_, QStringLiteral("Bellweft统计数据"));
}

void AnalyseWindow::exportChart() {
    const QImage capture = CaptureForm(Pic);
    QString file = dlg::SaveFileName(QStringLiteral("JPEG格式(*.jpg)|*.jpg"));
    if (file.isEmpty()) return;
    // "x.JPG" is a JPEG name already: the extension is compared without case.
    if (!file.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive)) file += QStringLiteral(".jpg");
    if (QFileInfo::exists(file) &&
        dlg::MsgBox(QStringLiteral("文件“") + file + QStringLiteral("”已存在，是否覆盖？"),
                    dlg::YesNo | dlg::Question) != dlg::Yes)
        return;
    DibSection dib;
    if (!dib.CreateFromPicture(capture) || !SaveJPG(dib, file, 80))
        dlg::MsgBox(QStringLiteral("保存图片出错！"), dlg::OkOnly | dlg::Exclamation);
}

bool AnalyseWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) &&
        qobject_cast<QComboBox*>(watched))
        return true;  // every key in a list is discarded
    if (watched == SplitLine && (type == QEvent::MouseMove || type == QEvent::MouseButtonRelease)) {
        auto* m = static_cast<QMouseEvent*>(event);
        if (type == QEvent::MouseMove && (m->buttons() & Qt::LeftButton))
            MoveSplitter(PixelsToTwips(mapFromGlobal(m->globalPosition().toPoint()).x()));
        if (type == QEvent::MouseButtonRelease) SaveSplitter();
    }
    if (watched == Pic && type == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        QMenu menu(QStringLiteral("图片"), this);
        menu.addAction(QStringLiteral("导出图片"), this, [this] { exportChart(); });
        menu.exec(QCursor::pos() + QPoint(0, TwipsToPixels(20)));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace bw
