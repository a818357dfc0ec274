#include "shell/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "common/Indicator.h"
#include "common/TwipGeometry.h"
#include "designer/CanvasEvents.h"
#include "designer/PropertyDialogs.h"
#include "filling/DataEntry.h"
#include "platform/BandedScrollBars.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/GridView.h"
#include "platform/PictureWidget.h"
#include "platform/Twips.h"
#include "printing/LabelSettings.h"
#include "records/BatchRows.h"
#include "records/ui/BatchGridEvents.h"
#include "shell/CommandButton.h"
#include "shell/TabStrip.h"
#include "shell/WindowLayout.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CanvasOptions.h"
#include "store/CanvasSizing.h"
#include "store/LayoutChanges.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/RecordNumbers.h"

namespace bw {

namespace {

QPointer<MainWindow>& instance() {
    static QPointer<MainWindow> w;
    return w;
}

// Scroll bars of the windows: 255 twips thick.
constexpr double kBarThickness = 255;

QLabel* caption(QWidget* parent, const QString& text, double left, double top, double width) {
    auto* l = new QLabel(text, parent);
    SetTwGeometry(l, left, top, width, 255);
    return l;
}

// A caption exactly as wide as its text in its own font.
QLabel* fittedCaption(QWidget* parent, const QString& text, double left, double top) {
    QLabel* l = caption(parent, text, left, top, 0);
    l->resize(l->fontMetrics().horizontalAdvance(text) + 2, l->height());
    return l;
}

// Paints the canvas frame's grey ground before the frame draws itself. A style sheet on the
// frame would put every box on the canvas under the style-sheet style, which polishes,
// measures and paints each of them several times slower.
class FrameGround : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            auto* frame = static_cast<QWidget*>(watched);
            QPainter(frame).fillRect(frame->rect(), QColor(0x80, 0x80, 0x80));
        }
        return QObject::eventFilter(watched, e);
    }
};

}  // namespace

MainWindow* TheMainWindow() {
    return instance().data();
}

MainWindow::MainWindow() {
    instance() = this;
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Bellweft3.07"));
    setAttribute(Qt::WA_DeleteOnClose);
    MainForm& mf = MF();
    setCentralWidget(&mf);
    buildPages();
    buildMenus();

    AutoFind = new QTimer(this);
    AutoFind->setObjectName(QStringLiteral("AutoFind"));
    AutoFind->setInterval(50);
    connect(AutoFind, &QTimer::timeout, this, &MainWindow::AutoFind_Timer);
    SetAutoFindTimer(AutoFind);
    NewEditionTimer = new QTimer(this);
    NewEditionTimer->setObjectName(QStringLiteral("NewEditionTimer"));
    NewEditionTimer->setInterval(10000);
    connect(NewEditionTimer, &QTimer::timeout, this, &MainWindow::NewEditionTimer_Timer);

    ConnectCanvasHandlers();
    InstallCanvasDesigner();
    connect(SST, &TabStrip::TabClicked, this, &MainWindow::SST_Click);
    GridEvents = new BatchGridEvents(MSF[1], MSF[2], MSF[3], this);
    connect(mf.HS, &QScrollBar::valueChanged, this, [] { HS_Change(); });
    connect(KW1, &QLineEdit::returnPressed, this, [this] { COM_Click(3); });
    connect(KWord, &QLineEdit::returnPressed, this, [this] { COM_Click(24); });

    dlg::SetDialogParent(this);
    connectServices();
    // An event loop that ends with the window still open (an exit from any path, the end of
    // the desktop session) takes the window, its state and its dialogs with it while the
    // application is still there.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { delete this; });
}

MainWindow::~MainWindow() {
    if (dlg::DialogParent() == this) dlg::SetDialogParent(nullptr);
    // The window's state goes with it: the boxes, the grids and the canvas.
    if (QWidget* state = takeCentralWidget()) state->setParent(nullptr);
    UnloadAllBoxes();
    ResetMF();
}

QPushButton* MainWindow::addCommand(QWidget* page, int index, const QString& text,
                                    const QString& tip) {
    auto* b = new CommandButton(text, page);
    b->setObjectName(QStringLiteral("COM%1").arg(index));
    b->setToolTip(tip);
    connect(b, &QPushButton::clicked, this, [this, index] { COM_Click(index); });
    COM[index] = b;
    MF().COM[index] = b;
    if (index == 1) b->setEnabled(false);  // until a batch is imported
    return b;
}

void MainWindow::buildPages() {
    MainForm& mf = MF();
    SST = new TabStrip(&mf);
    SST->setObjectName(QStringLiteral("SST"));
    const char* captions[4] = {" 单 据 打 印", " 批 量 数 据", " 历 史 记 录", " 标 签 打 印"};
    for (int i = 0; i < 4; ++i) Pic[i] = SST->AddTab(QString::fromUtf8(captions[i]));
    LBL = new QLabel(QStringLiteral("在输入框中填好单据内容，点“打印”即可把内容套打在预印的单据上；"
                                    "格式可在“格式”菜单中选择、保存和另存。"),
                     &mf);
    LBL->setObjectName(QStringLiteral("LBL"));
    SetTwHeight(LBL, 255);
    buildBillPage();
    buildBatchPage();
    buildHistoryPage();
    buildLabelPage();
    // The hidden helpers stay where they are, on the state object itself.
    mf.TTP->hide();
    mf.TP->hide();
}

void MainWindow::buildBillPage() {
    MainForm& mf = MF();
    QWidget* page = Pic[0];
    Frm[1] = new QGroupBox(page);
    Frm[1]->setObjectName(QStringLiteral("Frm1"));
    Frm[1]->setFlat(true);
    SetTwGeometry(Frm[1], 15, 0, 12000, 750);

    QWidget* strip = Frm[1];
    addCommand(strip, 0, QStringLiteral("打印单据"), QStringLiteral("打印当前显示的单据。"));
    SetTwGeometry(COM[0], 30, 45, 1200, 330);
    addCommand(strip, 2, QStringLiteral("单据尺寸"), QStringLiteral("修改单据的宽度和高度。"));
    SetTwGeometry(COM[2], 1260, 45, 1050, 330);
    addCommand(strip, 36, QStringLiteral("校准页"), QStringLiteral("重新设置横向和纵向页边距。"));
    SetTwGeometry(COM[36], 2340, 45, 840, 330);

    caption(strip, QStringLiteral("当前格式："), 3240, 75, 1000);
    mf.LFMT[0]->setParent(strip);
    // The format's name in bold dark red.
    QPalette red = mf.LFMT[0]->palette();
    red.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
    mf.LFMT[0]->setPalette(red);
    QFont bold = mf.LFMT[0]->font();
    bold.setBold(true);
    mf.LFMT[0]->setFont(bold);
    SetTwGeometry(mf.LFMT[0], 4200, 75, 3600, 255);
    caption(strip, QStringLiteral("尺寸(毫米)："), 7860, 75, 1100);
    mf.Wid->setParent(strip);
    SetTwGeometry(mf.Wid, 8940, 75, 600, 255);
    caption(strip, QStringLiteral("×"), 9540, 75, 200);
    mf.Hie->setParent(strip);
    SetTwGeometry(mf.Hie, 9750, 75, 600, 255);
    caption(strip, QStringLiteral("批量记录："), 10440, 75, 1000);
    // "position / count": each part as wide as its text (R_Num_Change), with room up to the
    // print offsets for six digits on either side.
    mf.R_Num[1]->setParent(strip);
    SetTwGeometry(mf.R_Num[1], 11400, 75, 450, 255);
    mf.R_Num[1]->setToolTip(QStringLiteral("当前显示单据在的序号。"));
    mf.L_K[1]->setParent(strip);
    SetTwGeometry(mf.L_K[1], 11850, 75, 120, 255);
    mf.R_Num[0]->setParent(strip);
    SetTwGeometry(mf.R_Num[0], 11970, 75, 450, 255);
    mf.R_Num[0]->setToolTip(QStringLiteral("批量导入的单据数量。"));
    for (QLabel* l : {mf.R_Num[1], mf.L_K[1], mf.R_Num[0]}) l->show();
    FitLabelToText(mf.L_K[1]);
    R_Num_Change(0);
    R_Num_Change(1);
    // The print offsets the next print uses (the measured distances, 10 = no shift).
    caption(strip, QStringLiteral("页边距(毫米)：横"), 13020, 75, 1500);
    mf.M_X->setParent(strip);
    SetTwGeometry(mf.M_X, 14520, 75, 600, 255);
    caption(strip, QStringLiteral("纵"), 15120, 75, 240);
    mf.M_Y->setParent(strip);
    SetTwGeometry(mf.M_Y, 15360, 75, 600, 255);
    mf.M_X->setToolTip(QStringLiteral("打印时使用的横向页边距（毫米），10为不移动。"));
    mf.M_Y->setToolTip(QStringLiteral("打印时使用的纵向页边距（毫米），10为不移动。"));
    for (QLabel* l : {mf.M_X, mf.M_Y}) l->show();
    // The second format label is state only.
    mf.LFMT[1]->hide();

    const char* tips[5] = {
        "显示标尺网格，方便您根据打印偏差移动输入框。", "将单据纵向放入打印机打印时，请选择此项。",
        "选择此项后，格式被锁定，无法进行修改。",
        "对于卡纸器两边向中间同时收缩的打印机，请选择此项。", "显示单据的背景图片。"};
    const double lefts[5] = {30, 3780, 5040, 6300, 9300};
    const double widths[5] = {3700, 1200, 1200, 2950, 1300};
    for (int i = 0; i < 5; ++i) {
        mf.O2[i]->setParent(strip);
        mf.O2[i]->setToolTip(QString::fromUtf8(tips[i]));
        SetTwGeometry(mf.O2[i], lefts[i], 435, widths[i], 285);
    }

    mf.HS->setParent(page);
    SetTwGeometry(mf.HS, 15, 765, 12000, 240);
    mf.HS->setMinimum(1);
    mf.HS->setMaximum(1);
    mf.HS->setEnabled(false);

    mf.PFrm->setParent(page);
    mf.PFrm->setFrameShape(QFrame::StyledPanel);
    mf.PFrm->installEventFilter(new FrameGround(mf.PFrm));
    mf.VS->setParent(page);
    SetTwGeometry(mf.VS, 0, 1020, kBarThickness, 3000);
    mf.PHS->setParent(page);
    SetTwGeometry(mf.PHS, 0, 4000, 3000, kBarThickness);
    for (QScrollBar* s : {mf.VS, mf.PHS}) {
        s->setMinimum(0);
        s->setMaximum(0);
        s->setEnabled(false);
    }

    // Inside the canvas frame: the zoom buttons over the canvas's top-left corner, the
    // format tree waiting beyond the frame's left edge and the format grid under the buttons.
    const char* zoomText[3] = {"+", "-", "□"};
    const char* zoomTip[3] = {"放大", "缩小", "适合窗口宽度"};
    for (int i = 0; i < 3; ++i) {
        mf.Zm[i] = new QToolButton(mf.PFrm);
        mf.Zm[i]->setObjectName(QStringLiteral("Zm%1").arg(i));
        mf.Zm[i]->setText(QString::fromUtf8(zoomText[i]));
        mf.Zm[i]->setToolTip(QString::fromUtf8(zoomTip[i]));
        SetTwGeometry(mf.Zm[i], i * 300, 0, 300, 300);
        connect(mf.Zm[i], &QToolButton::clicked, this, [i] { Zm_Click(i); });
        mf.Zm[i]->raise();
    }
    TV = new QTreeWidget(mf.PFrm);
    TV->setObjectName(QStringLiteral("TV"));
    TV->setHeaderHidden(true);
    // Every node is one line beside an icon of one size: the tree measures one row, not all.
    TV->setUniformRowHeights(true);
    SetTwGeometry(TV, -3000, 285, 3000, 3000);
    mf.TV = TV;
    mf.FMSF = new GridView(mf.PFrm);
    mf.FMSF->setObjectName(QStringLiteral("FMSF"));
    SetTwGeometry(mf.FMSF, 0, 270, 2400, 1200);
    mf.FMSF->hide();  // no format list is kept in it
}

void MainWindow::buildBatchPage() {
    MainForm& mf = MF();
    QWidget* page = Pic[1];
    struct Cmd {
        int index;
        const char* text;
        const char* tip;
    };
    const Cmd cmds[] = {{10, "导入数据", "从XLS或CSV格式表格导入要批量打印的数据。"},
                        {11, "删除选中", "删除已导入的批量打印数据。"},
                        {12, "全部清除", "清除所有已经导入的批量数据。"},
                        {4, "打印当前记录", ""},
                        {1, "批量打印", "按照当前单据的格式设置，批量打印所有导入的单据内容。"},
                        {5, "导出数据", ""}};
    double left = 30;
    for (const Cmd& c : cmds) {
        QPushButton* b =
            addCommand(page, c.index, QString::fromUtf8(c.text), QString::fromUtf8(c.tip));
        const double w = c.index == 4 ? 1500 : 1140;
        SetTwGeometry(b, left, 60, w, 330);
        left += w + 30;
    }
    caption(page, QStringLiteral("关键词："), left + 60, 97, 900);
    KW1 = new QLineEdit(page);
    KW1->setObjectName(QStringLiteral("KW1"));
    SetTwGeometry(KW1, left + 900, 60, 1800, 330);
    QPushButton* find = addCommand(page, 3, QStringLiteral("查找"), QString());
    SetTwGeometry(find, left + 2730, 60, 800, 330);
    MSF[1] = new GridView(mf.MSF[1], page);
    MSF[1]->setObjectName(QStringLiteral("MSF1"));
    SetTwGeometry(MSF[1], -10, 450, 6000, 3000);
}

void MainWindow::buildHistoryPage() {
    MainForm& mf = MF();
    QWidget* page = Pic[2];
    struct Cmd {
        int index;
        const char* text;
        const char* tip;
    };
    const Cmd before[] = {{20, "再次打印", "再次打印选中的历史打印记录内容。"},
                          {21, "删除选中", "删除选中的历史打印记录。"},
                          {22, "全部清空", "清空所有历史打印记录。"},
                          {23, "导出记录", "将历史打印记录导出成XLS或CSV格式表格文件。"}};
    double left = 30;
    for (const Cmd& c : before) {
        QPushButton* b =
            addCommand(page, c.index, QString::fromUtf8(c.text), QString::fromUtf8(c.tip));
        SetTwGeometry(b, left, 60, 1140, 330);
        left += 1170;
    }
    caption(page, QStringLiteral("关键词："), left + 60, 97, 900);
    KWord = new QLineEdit(page);
    KWord->setObjectName(QStringLiteral("KWord"));
    SetTwGeometry(KWord, left + 900, 60, 1800, 330);
    left += 2730;
    const Cmd after[] = {{24, "查找", "根据左侧输入的关键词查找相关历史记录。"},
                         {25, "显示全部", ""},
                         {26, "统计", ""},
                         {27, "列顺序", ""}};
    for (const Cmd& c : after) {
        QPushButton* b =
            addCommand(page, c.index, QString::fromUtf8(c.text), QString::fromUtf8(c.tip));
        SetTwGeometry(b, left, 60, 1000, 330);
        left += 1030;
    }
    MSF[2] = new GridView(mf.MSF[2], page);
    MSF[2]->setObjectName(QStringLiteral("MSF2"));
    SetTwGeometry(MSF[2], -10, 450, 6000, 3000);
}

void MainWindow::buildLabelPage() {
    MainForm& mf = MF();
    QWidget* page = Pic[3];
    mf.HS1 = new QScrollBar(Qt::Horizontal, page);
    mf.HS1->setObjectName(QStringLiteral("HS1"));
    SetTwGeometry(mf.HS1, 0, 0, 6000, kBarThickness);
    mf.VS1 = new QScrollBar(Qt::Vertical, page);
    mf.VS1->setObjectName(QStringLiteral("VS1"));
    SetTwGeometry(mf.VS1, 6000, kBarThickness, kBarThickness, 3000);
    for (QScrollBar* s : {mf.HS1, mf.VS1}) {
        PaintInBands(s);
        s->setMinimum(0);
        s->setMaximum(0);
        s->setEnabled(false);
    }
    mf.LFrm = new QFrame(page);
    mf.LFrm->setObjectName(QStringLiteral("LFrm"));
    mf.LFrm->setFrameShape(QFrame::StyledPanel);
    mf.PTag = new PictureWidget(mf.LFrm);
    mf.PTag->setObjectName(QStringLiteral("PTag"));

    // The settings column; its work is the label printing's.
    Frm[3] = new QGroupBox(QStringLiteral("标签设置"), page);
    Frm[3]->setObjectName(QStringLiteral("Frm3"));
    SetTwGeometry(Frm[3], 6300, 0, 2535, 4800);
    // Each setting: its name, the box, its unit; the reduction reads "1/" box "倍".
    const char* names[5][3] = {{"横向数量", "", "个"},
                               {"纵向数量", "", "个"},
                               {"缩小倍数", "1/", "倍"},
                               {"纸张宽度：", "", "毫米"},
                               {"纸张高度：", "", "毫米"}};
    const char* defaults[5] = {"2", "4", "1.5", "205", "290"};
    for (int i = 0; i < 5; ++i) {
        const double top = 330 + i * 450;
        fittedCaption(Frm[3], QString::fromUtf8(names[i][0]), 90, top)
            ->setObjectName(QStringLiteral("TNumName%1").arg(i));
        mf.TNum[i] = new QLineEdit(QString::fromUtf8(defaults[i]), Frm[3]);
        mf.TNum[i]->setObjectName(QStringLiteral("TNum%1").arg(i));
        SetTwGeometry(mf.TNum[i], 1170, top - 30, 700, 315);
        if (*names[i][1]) {
            // Just before the box.
            QLabel* prefix = fittedCaption(Frm[3], QString::fromUtf8(names[i][1]), 0, top);
            prefix->setObjectName(QStringLiteral("TNumPrefix%1").arg(i));
            prefix->move(mf.TNum[i]->x() - prefix->width() - 1, prefix->y());
        }
        fittedCaption(Frm[3], QString::fromUtf8(names[i][2]), 1920, top)
            ->setObjectName(QStringLiteral("TNumUnit%1").arg(i));
    }
    mf.TagDir = new QCheckBox(QStringLiteral("横向排列标签 "), Frm[3]);
    mf.TagDir->setObjectName(QStringLiteral("TagDir"));
    SetTwGeometry(mf.TagDir, 90, 330 + 5 * 450, 2300, 285);
    const char* options[2] = {"连同背景图打印", "打印 标签分隔线"};
    for (int k = 0; k < 2; ++k) {
        const int i = k == 0 ? 1 : 6;
        mf.CK[i] = new QCheckBox(QString::fromUtf8(options[k]), Frm[3]);
        mf.CK[i]->setObjectName(QStringLiteral("CK%1").arg(i));
        SetTwGeometry(mf.CK[i], 90, 2880 + k * 300, 2300, 285);
    }
    caption(Frm[3], QStringLiteral("标签页数："), 90, 3525, 1000);
    mf.PPS = new QLabel(QStringLiteral("1/1"), Frm[3]);
    mf.PPS->setObjectName(QStringLiteral("PPS"));
    SetTwGeometry(mf.PPS, 1100, 3525, 1300, 255);
    const char* prints[2][2] = {
        {"打  印  当 前 标 签", "只打印当前显示的标签。"},
        {"当 前 页 开 始 打 印", "从当前显示的标签开始，打印其后所有标签。"}};
    for (int k = 0; k < 2; ++k) {
        auto* b = new QPushButton(QString::fromUtf8(prints[k][0]), Frm[3]);
        b->setObjectName(QStringLiteral("CB%1").arg(14 + k));
        b->setToolTip(QString::fromUtf8(prints[k][1]));
        SetTwGeometry(b, 90, 3870 + k * 420, 2350, 360);
        mf.CB[14 + k] = b;
    }
    ConnectLabelPage();

    MSF[3] = new GridView(mf.MSF[3], page);
    MSF[3]->setObjectName(QStringLiteral("MSF3"));
    SetTwGeometry(MSF[3], 0, 3000, 6000, 1500);
    // The box property grid shows with its page, whatever the grid's own visibility says
    // while a format loads.
    QObject::disconnect(mf.MSF[3], &Grid::VisibleChanged, MSF[3], nullptr);
    // A double click on a box's row opens the box's property dialog.
    connect(MSF[3], &GridView::DblClick, this,
            [] { ShowPropertyDialog(BoxOfRow(MF().BoxGrid().Row())); });
}

void MainWindow::SetFormGeometry(double left, double top, double width, double height) {
    formLeft_ = left;
    formTop_ = top;
    formWidth_ = width;
    formHeight_ = height;
    applyFormGeometry();
}

void MainWindow::MoveForm(double left, double top) {
    formLeft_ = left;
    formTop_ = top;
    applyFormGeometry();
}

// The twips are the window's outer size; what the window system adds around the client
// area is taken off it, once it is known.
void MainWindow::applyFormGeometry() {
    const QScreen* s = screen();
    const QPoint origin = s ? s->geometry().topLeft() : QPoint();
    const QSize decoration = frameGeometry().size() - geometry().size();
    appliedDecoration_ = decoration;
    move(origin.x() + TwipsToPixels(formLeft_), origin.y() + TwipsToPixels(formTop_));
    resize(std::max(1, TwipsToPixels(formWidth_) - decoration.width()),
           std::max(1, TwipsToPixels(formHeight_) - decoration.height()));
}

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    // The window system's frame is known once the window is on the screen.
    QTimer::singleShot(0, this, [this] {
        if (formWidth_ > 0 && frameGeometry().size() - geometry().size() != appliedDecoration_) {
            applyFormGeometry();
            PlaceMainFormPages();
            ResetCanvasScroll();
        }
    });
}

double MainWindow::ClientHeightTw() const {
    const QSize decoration = frameGeometry().size() - geometry().size();
    const int menu = menuBar() ? menuBar()->sizeHint().height() : 0;
    return formHeight_ - PixelsToTwips(decoration.height() + menu);
}

void MainWindow::moveEvent(QMoveEvent* e) {
    QMainWindow::moveEvent(e);
    // Some window systems tell the frame only after the window came up; the window is fitted
    // into its twips again so that its frame does not run off the work area, and its pages
    // into what is left inside.
    if (formWidth_ > 0 && isVisible() &&
        frameGeometry().size() - geometry().size() != appliedDecoration_) {
        applyFormGeometry();
        PlaceMainFormPages();
        ResetCanvasScroll();
    }
}

void MainWindow::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void MainWindow::closeEvent(QCloseEvent* e) {
    // An operation runs in a handler beneath this event: the window stays until it has
    // ended, a batch that can stop being asked to, as Esc on its progress window does.
    if (ProgressRunning()) {
        e->ignore();
        AskProgressStop();
        if (!closeWhenDone_) {
            closeWhenDone_ = new QTimer(this);
            closeWhenDone_->setInterval(50);
            connect(closeWhenDone_, &QTimer::timeout, this, [this] {
                if (ProgressRunning()) return;
                closeWhenDone_->stop();
                close();
            });
        }
        closeWhenDone_->start();
        return;
    }
    if (!unloaded_ && !ResolveLayoutChanges()) {
        e->ignore();
        return;
    }
    Form_Unload();
    e->accept();
}

}  // namespace bw
