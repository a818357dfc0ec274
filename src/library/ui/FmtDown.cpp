#include "library/ui/FmtDown.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

#include "common/Indicator.h"
#include "common/Params.h"
#include "common/TwipGeometry.h"
#include "library/FormatListData.h"
#include "library/WebFormats.h"
#include "platform/BandedScrollBars.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/GridView.h"
#include "platform/HttpText.h"
#include "platform/Twips.h"

namespace bw {

namespace {

const QString kWindowName = QStringLiteral("网站格式模板列表");
const QString kSearchParam = QStringLiteral("格式搜索");

QPointer<FmtDown>& instance() {
    static QPointer<FmtDown> w;
    return w;
}

}  // namespace

FmtDown::FmtDown(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FmtDown"));
    setWindowTitle(QStringLiteral("可供下载的格式模板"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    resize(TwipsToPixels(11400), TwipsToPixels(7600));
    auto* c1 = new QLabel(QStringLiteral("可供下载的格式模板列表："), this);
    SetTwGeometry(c1, 120, 60, 3000, 255);
    auto* c2 = new QLabel(QStringLiteral("格式模板预览："), this);
    SetTwGeometry(c2, 5640, 60, 3000, 255);
    MSF = new GridView(this);
    MSF->setObjectName(QStringLiteral("MSF"));
    SetTwGeometry(MSF, 120, 360, 5400, 6000);
    Frm = new QFrame(this);
    Frm->setObjectName(QStringLiteral("Frm"));
    Frm->setStyleSheet(QStringLiteral("QFrame#Frm { background: white; }"));
    SetTwGeometry(Frm, 5640, 360, 5200, 6000);
    Img = new QLabel(Frm);
    Img->setScaledContents(true);
    LBL = new QLabel(QStringLiteral("此格式暂无图片！"), Frm);
    SetTwGeometry(LBL, 600, 600, 3000, 300);
    LBL->hide();
    VS = new QScrollBar(Qt::Vertical, this);
    PaintInBands(VS);
    VS->setEnabled(false);
    const char* captions[3] = {"更新列表", "导入格式", "查找"};
    for (int i = 0; i < 3; ++i) {
        COM[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        COM[i]->setObjectName(QStringLiteral("COM%1").arg(i));
        connect(COM[i], &QPushButton::clicked, this, [this, i] { COM_Click(i); });
    }
    SKey = new QComboBox(this);
    SKey->setEditable(true);
    SKey->setToolTip(QStringLiteral("按ESC可以清除搜索关键词列表"));
    SKey->lineEdit()->installEventFilter(this);
    connect(&grid(), &Grid::RowColChange, this, [this] { MSF_RowColChange(); });
    connect(VS, &QScrollBar::valueChanged, this,
            [this](int v) { ScrollFormatPicture(Img, Frm, v); });
    Form_Resize();
}

FmtDown::~FmtDown() = default;

Grid& FmtDown::grid() const {
    return MSF->grid();
}

FmtDown* FmtDown::Current() {
    return instance();
}

FmtDown* FmtDown::Show(QWidget* parent) {
    QPointer<FmtDown>& w = instance();
    if (!w) {
        w = new FmtDown(parent ? parent : dlg::DialogParent());
        w->show();
        w->Form_Load();
        if (!w || !w->isVisible()) return nullptr;  // closed while its list was fetched
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void FmtDown::Form_Load() {
    RestoreWindowPos(this, kWindowName);
    CenterForm(this);
    LoadWebFmtList(grid());
    QPointer<FmtDown> self(this);
    if (grid().Rows() == grid().FixedRows()) COM_Click(0);
    if (!self) return;
    LoadSearchKeys(SKey, kSearchParam);
    MSF_RowColChange();
}

void FmtDown::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    SaveWindowPos(this, kWindowName);
    SaveSearchKeys(SKey, kSearchParam);
}

void FmtDown::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QDialog::closeEvent(event);
}

void FmtDown::reject() {
    Form_Unload();
    QDialog::reject();
}

void FmtDown::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void FmtDown::Form_Resize() {
    const double w = PixelsToTwips(width()), h = PixelsToTwips(height());
    const double gridH = std::max(600.0, h - 990);
    SetTwHeight(MSF, gridH);
    SetTwHeight(Frm, gridH);
    SetTwWidth(Frm, std::max(600.0, w - TwLeft(Frm) - 500));
    SetTwGeometry(VS, TwLeft(Frm) + TwWidth(Frm), TwTop(Frm), 255, TwHeight(Frm));
    const double top = TwTop(MSF) + gridH + 120;
    SetTwGeometry(COM[0], 120, top, 1200, 360);
    SetTwGeometry(COM[1], 1380, top, 1200, 360);
    SetTwGeometry(SKey, 2760, top, 1800, 360);
    SetTwGeometry(COM[2], 4620, top, 800, 360);
    if (Img->pixmap().isNull()) Img->setGeometry(0, 0, Frm->width(), Frm->height());
}

HttpCancelHook FmtDown::closedHook() {
    return [self = QPointer<FmtDown>(this)] { return !self || !self->isVisible(); };
}

void FmtDown::MSF_RowColChange() {
    Grid& g = grid();
    const int row = g.Row();
    for (int r = g.FixedRows(); r < g.Rows(); ++r)
        g.SetTextMatrix(r, kWebTickCol, r == row ? QStringLiteral("√") : QString());
    if (row < g.FixedRows() || row >= g.Rows() || busy_) return;
    busy_ = true;
    bool failed = false;
    const QString path = g.TextMatrix(row, kWebPicPathCol);
    QPointer<FmtDown> self(this);
    const ProgressOwner waiting(this);
    const QString local = WebPreviewFile(path, &failed, closedHook());
    if (!self) return;
    busy_ = false;
    if (!isVisible()) return;
    // Filling the grid moves its current row several times: a failed preview is told once
    // for each row the user comes to.
    if (failed && path != failedPreview_)
        dlg::MsgBox(HttpErrorText(), dlg::OkOnly | dlg::Exclamation);
    failedPreview_ = failed ? path : QString();
    if (local.isEmpty()) return;  // the preview stays as it was
    const bool shown = ShowFormatPicture(Img, local, Frm, VS);
    if (!shown) Img->clear();
    LBL->setVisible(!shown);
}

void FmtDown::COM_Click(int index) {
    if (busy_) return;  // one transfer at a time
    Grid& g = grid();
    // The window may close, and go, while its request waits: then nothing more is done or
    // told.
    QPointer<FmtDown> self(this);
    const ProgressOwner waiting(this);  // in front of this window, even as it first opens
    busy_ = true;
    bool listed = false;
    HttpStatus status = HttpStatus::Ok;
    switch (index) {
        case 0:  // a list that did not arrive leaves the one shown
            listed = DownWebFmt(closedHook(), &status);
            if (!self || !isVisible()) break;
            if (listed)
                LoadWebFmtList(g);
            else if (status != HttpStatus::Cancelled)
                dlg::MsgBox(HttpErrorText(), dlg::OkOnly | dlg::Exclamation);
            break;
        case 1:
            if (g.Row() >= g.FixedRows() && g.Row() < g.Rows())
                DownInputFmt(g.TextMatrix(g.Row(), kWebNameCol),
                             g.TextMatrix(g.Row(), kWebFmtPathCol),
                             g.TextMatrix(g.Row(), kWebPicPathCol), closedHook());
            break;
        case 2:
            FindInFormatGrid(g, SKey->currentText(), 5, 6);
            break;
        default:
            break;
    }
    if (!self) return;
    busy_ = false;
    if (listed && isVisible()) MSF_RowColChange();
}

bool FmtDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SKey->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            COM_Click(2);
            return true;
        }
        if (key == Qt::Key_Escape && dlg::MsgBox(QStringLiteral("您要清除搜索关键词列表？"),
                                                 dlg::YesNo | dlg::Question) == dlg::Yes) {
            SKey->clear();
            SetParam(kSearchParam, QString());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace bw
