#include "library/ui/FmtList.h"

#include "library/ui/FmtDown.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "common/Globals.h"
#include "common/GridFunctions.h"
#include "common/Params.h"
#include "common/Services.h"
#include "common/TwipGeometry.h"
#include "library/FormatFile.h"
#include "library/FormatListData.h"
#include "platform/BandedScrollBars.h"
#include "platform/Dialogs.h"
#include "platform/GridView.h"
#include "platform/ShowAndWait.h"
#include "platform/Twips.h"
#include "store/FormatOperations.h"
#include "store/MainForm.h"

namespace bw {

namespace {

const QString kWindowName = QStringLiteral("格式模板列表");
FmtList* g_current = nullptr;

QString currentFormat() {
    return MF().CurrentFormat();
}

QLabel* caption(QWidget* parent, const QString& text, double left, double top, double width) {
    auto* l = new QLabel(text, parent);
    SetTwGeometry(l, left, top, width, 255);
    return l;
}

}  // namespace

FmtList::FmtList(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FmtList"));
    setWindowTitle(QStringLiteral("选择/管理格式模板"));
    g_current = this;
    resize(760, 520);

    caption(this, QStringLiteral("格式模板列表："), 120, 60, 2000);
    caption(this, QStringLiteral("格式模板预览："), 5640, 60, 2000);
    MSF = new GridView(this);
    MSF->setObjectName(QStringLiteral("MSF"));
    SetTwGeometry(MSF, 120, 360, 5400, 6000);
    grid().SetSelectionMode(GridSelectionMode::ByRow);

    Frm = new QFrame(this);
    Frm->setObjectName(QStringLiteral("Frm"));
    Frm->setFrameShape(QFrame::NoFrame);
    Frm->setStyleSheet(QStringLiteral("QFrame#Frm { background: white; }"));
    SetTwGeometry(Frm, 5640, 360, 5200, 6000);
    Img = new QLabel(Frm);
    Img->setObjectName(QStringLiteral("Img"));
    Img->setScaledContents(true);
    LBL = new QLabel(QStringLiteral("此格式暂无图片！"), Frm);
    LBL->setObjectName(QStringLiteral("LBL"));
    SetTwGeometry(LBL, 600, 600, 3000, 300);
    LBL->hide();
    VS = new QScrollBar(Qt::Vertical, this);
    VS->setObjectName(QStringLiteral("VS"));
    PaintInBands(VS);
    VS->setEnabled(false);

    const char* captions[7] = {"选 择", "退 出", "下载更多…", "导 入", "删 除", "导 出", ""};
    for (int i = 0; i < 7; ++i) {
        COM[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        COM[i]->setObjectName(QStringLiteral("COM%1").arg(i));
        connect(COM[i], &QPushButton::clicked, this, [this, i] { COM_Click(i); });
    }
    COM[6]->setText(QStringLiteral("查找"));
    SKey = new QComboBox(this);
    SKey->setObjectName(QStringLiteral("SKey"));
    SKey->setEditable(true);
    SKey->setToolTip(QStringLiteral("按ESC可以清除搜索关键词列表"));
    SKey->lineEdit()->installEventFilter(this);
    SKey->installEventFilter(this);

    connect(&grid(), &Grid::RowColChange, this, [this] { MSF_RowColChange(); });
    connect(MSF, &GridView::DblClick, this, [this] { COM_Click(0); });
    connect(VS, &QScrollBar::valueChanged, this,
            [this](int v) { ScrollFormatPicture(Img, Frm, v); });
    Form_Resize();
}

FmtList::~FmtList() {
    if (g_current == this) g_current = nullptr;
}

FmtList* FmtList::Current() {
    return g_current;
}

Grid& FmtList::grid() const {
    return MSF->grid();
}

QString FmtList::rowName(int row) const {
    return grid().TextMatrix(row, kFormatListNameCol);
}

void FmtList::Form_Load() {
    RestoreWindowPos(this, kWindowName);
    CenterForm(this);
    FillFormatGrid(grid(), true, currentFormat());
    LoadSearchKeys(SKey, kFormatSearchParam);
    active_ = true;
    MSF_RowColChange();
}

void FmtList::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    SaveWindowPos(this, kWindowName);
    SaveSearchKeys(SKey, kFormatSearchParam);
}

void FmtList::leave() {
    // Closed by the window's own button or Esc: no choice, whatever an export left behind.
    if (!answered_) ChosenItem.clear();
    Form_Unload();
}

void FmtList::closeEvent(QCloseEvent* event) {
    leave();
    QDialog::closeEvent(event);
}

void FmtList::reject() {
    leave();
    QDialog::reject();
}

void FmtList::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void FmtList::Form_Resize() {
    const double innerW = PixelsToTwips(width()), innerH = PixelsToTwips(height());
    const double gridH = std::max(600.0, innerH - 990);
    SetTwHeight(MSF, gridH);
    SetTwHeight(Frm, gridH);
    SetTwWidth(Frm, std::max(600.0, innerW - TwLeft(Frm) - 500));
    SetTwGeometry(VS, TwLeft(Frm) + TwWidth(Frm), TwTop(Frm), 255, TwHeight(Frm));
    const double buttonsTop = TwTop(MSF) + gridH + 120;
    double left = 120;
    for (int i : {0, 1, 3, 4, 5, 2}) {
        SetTwGeometry(COM[i], left, buttonsTop, i == 2 ? 1300 : 1000, 360);
        left += (i == 2 ? 1300 : 1000) + 60;
    }
    SetTwGeometry(SKey, left + 120, buttonsTop, 1800, 360);
    SetTwGeometry(COM[6], left + 1980, buttonsTop, 700, 360);
    if (Img->pixmap().isNull()) {
        Img->setGeometry(0, 0, Frm->width(), Frm->height());
    } else if (active_) {
        MSF_RowColChange();  // the picture follows the frame's new size
    }
}

void FmtList::MSF_RowColChange() {
    if (!active_) return;
    Grid& g = grid();
    const int row = g.Row();
    for (int r = g.FixedRows(); r < g.Rows(); ++r)
        g.SetTextMatrix(r, kFormatListTickCol, r == row ? kTickMark : QString());
    const bool shown =
        row >= g.FixedRows() && row < g.Rows() && ShowFormatPicture(Img, rowName(row), Frm, VS);
    if (!shown) Img->clear();
    LBL->setVisible(!shown);
}

void FmtList::COM_Click(int index) {
    if (index < 0 || index > 6) return;
    ChosenItem.clear();
    Grid& g = grid();
    const bool onData = g.Row() >= g.FixedRows() && g.Row() < g.Rows();
    switch (index) {
        case 0:
            ChosenItem = onData ? rowName(g.Row()) : QString();
            answered_ = true;
            close();
            break;
        case 1:
            ChosenItem = currentFormat();
            answered_ = true;
            close();
            break;
        case 2:
            FmtDown::Show(this);
            break;
        case 3:
            if (ImportFormatFile(QString())) {
                FillFormatGrid(g, true, currentFormat());
                MSF_RowColChange();
            }
            break;
        case 4:
            deleteSelected();
            break;
        case 5:
            if (onData) ExportFormatFile(rowName(g.Row()));
            ChosenItem.clear();
            break;
        case 6:
            FindInFormatGrid(g, SKey->currentText(), kFormatListNameCol, kFormatListNameCol);
            break;
        default:
            break;
    }
}

void FmtList::deleteSelected() {
    Grid& g = grid();
    if (!g.HasDataRows()) return;
    const int remembered = g.Row();
    active_ = false;
    int top = g.Row(), bottom = g.RowSel();
    OrderPair(top, bottom);
    const QString current = currentFormat();
    ShowCurrentFormatRow(g, 0, current);
    bool deleted = false;
    for (int r = bottom; r >= top; --r) {
        if (r < g.FixedRows() || r >= g.Rows()) continue;
        QString name = rowName(r);
        if (DeleteFormat(name)) {
            int first = r, last = r;
            DeleteGridRows(g, first, last, false);
            deleted = true;
        }
    }
    int row = remembered;
    if (row > g.Rows() - 1) row = g.Rows() - 1;
    if (row >= g.FixedRows()) g.SetRow(row);
    ShowCurrentFormatRow(g, kFormatListRed, current);
    active_ = true;
    MSF_RowColChange();
    ChosenItem.clear();
    // Told only when a format went: a refusal or a No has said all there is.
    if (deleted) dlg::MsgBox(QStringLiteral("删除完成！"), dlg::OkOnly | dlg::Information);
}

void FmtList::SKey_KeyDown(int keyCode) {
    if (keyCode != 27) return;
    if (dlg::MsgBox(QStringLiteral("您要清除搜索关键词列表？"), dlg::YesNo | dlg::Question) !=
        dlg::Yes)
        return;
    SKey->clear();
    SetParam(kFormatSearchParam, QString());
}

bool FmtList::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == SKey || watched == SKey->lineEdit()) && event->type() == QEvent::KeyPress) {
        auto* e = static_cast<QKeyEvent*>(event);
        if (e->key() == Qt::Key_Escape) {
            SKey_KeyDown(27);
            return true;  // Esc does not close the window here
        }
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            COM_Click(6);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString RunFmtList() {
    auto* list = new FmtList(dlg::DialogParent());
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->Form_Load();
    ShowAndWait(list);
    return ChosenItem;
}

void InstallLibraryUiServices() {
    Doors().library.formatList = [] { return RunFmtList(); };
}

}  // namespace bw
