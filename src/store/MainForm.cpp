#include "store/MainForm.h"

#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include "common/TwipGeometry.h"
#include "platform/BandedScrollBars.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "store/Canvas.h"
#include "store/PictureBox.h"

namespace bw {

namespace {
// Not owned by a static: a widget must go before the application, and a static goes after
// it. The form goes with the main window that holds it, or with ResetMF.
QPointer<MainForm>& instance() {
    static QPointer<MainForm> mf;
    return mf;
}

QAction* checkable(QObject* owner, const QString& text, const char* name) {
    auto* a = new QAction(text, owner);
    a->setCheckable(true);
    a->setObjectName(QLatin1String(name));
    return a;
}
}  // namespace

MainForm::MainForm(QWidget* parent) : QWidget(parent) {
    // The canvas frame's size in twips is kept here as well, whoever sets it.
    SetTwSizeObserver([](QWidget* w) {
        MainForm* mf = instance().data();
        if (mf && w == mf->PFrm) mf->SetFrameSize(TwWidth(w), TwHeight(w));
    });
    setObjectName(QStringLiteral("MF"));
    PFrm = new QFrame(this);
    PFrm->setObjectName(QStringLiteral("PFrm"));
    PFrm->setFrameShape(QFrame::NoFrame);
    PG = new Canvas(PFrm);
    PG->setObjectName(QStringLiteral("PG"));
    VS = new QScrollBar(Qt::Vertical, this);
    VS->setObjectName(QStringLiteral("VS"));
    PHS = new QScrollBar(Qt::Horizontal, this);
    PHS->setObjectName(QStringLiteral("PHS"));
    HS = new QScrollBar(Qt::Horizontal, this);
    HS->setObjectName(QStringLiteral("HS"));
    // The batch-row bar never keeps the focus: typing stays with the bill.
    HS->setFocusPolicy(Qt::NoFocus);
    for (QScrollBar* bar : {VS, PHS, HS}) PaintInBands(bar);
    TTP = new PictureBox(this);
    TTP->setObjectName(QStringLiteral("TTP"));
    TTP->hide();
    TP = new PictureBox(this);
    TP->setObjectName(QStringLiteral("TP"));
    TP->hide();

    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    Wid = label("Wid", QStringLiteral("210"));
    Hie = label("Hie", QStringLiteral("99"));
    M_X = label("M_X", QStringLiteral("10"));
    M_Y = label("M_Y", QStringLiteral("10"));
    LFMT[0] = label("LFMT0", QString());
    LFMT[1] = label("LFMT1", QString());
    R_Num[0] = label("R_Num0", QStringLiteral("0"));
    R_Num[1] = label("R_Num1", QStringLiteral("0"));
    L_K[1] = label("L_K1", QStringLiteral("/"));

    const char* o2Captions[5] = {"显示标尺(1厘米/大格；2毫米/小格)", "纵向打印", "锁定格式",
                                 "卡纸器两边向中间收缩", "显示底图"};
    for (int i = 0; i < 5; ++i) {
        O2[i] = new QCheckBox(QString::fromUtf8(o2Captions[i]), this);
        O2[i]->setObjectName(QStringLiteral("O2_%1").arg(i));
        O2[i]->setTristate(false);
        connect(O2[i], &QCheckBox::stateChanged, this, [this, i] { Q_EMIT OptionClicked(i); });
    }

    mSetPaper = checkable(this, QStringLiteral("自动设置纸张"), "mSetPaper");
    mDiTuPrint = checkable(this, QStringLiteral("连同底图打印"), "mDiTuPrint");
    mPrintRulers = checkable(this, QStringLiteral("打印标尺坐标"), "mPrintRulers");
    mMonthZero = checkable(this, QStringLiteral("中文月加“零”"), "mMonthZero");
    mPagesAutoJump = checkable(this, QStringLiteral("多页自动跳转"), "mPagesAutoJump");
    mClearAfterPrint = checkable(this, QStringLiteral("打印后自动清空"), "mClearAfterPrint");
    mForbidPicClear = checkable(this, QStringLiteral("禁止图片清空"), "mForbidPicClear");
    mAutoFontsize = checkable(this, QStringLiteral("自动缩小字体"), "mAutoFontsize");

    for (int i = 1; i <= 3; ++i) {
        MSF[i] = new Grid(this);
        MSF[i]->setObjectName(QStringLiteral("MSF%1").arg(i));
    }
    // The batch grid: a hidden row of box indexes over the captions, no records yet.
    MSF[1]->SetFixedRows(2);
    MSF[1]->SetRowHeight(0, 0);
    // The history grid: reprint and delete take whole bills, the rows from Row to RowSel, so
    // the mouse and the keys select whole rows there.
    MSF[2]->SetSelectionMode(GridSelectionMode::ByRow);
    SetFrameSize(frameWidth_, frameHeight_);
    PG->SetWidth(frameWidth_);
    PG->SetHeight(frameHeight_);
}

MainForm::~MainForm() = default;

double MainForm::FrameWidth() const {
    return frameWidth_;
}
double MainForm::FrameHeight() const {
    return frameHeight_;
}

void MainForm::SetFrameSize(double widthTwips, double heightTwips) {
    frameWidth_ = widthTwips;
    frameHeight_ = heightTwips;
    PFrm->resize(std::max(1, TwipsToPixels(widthTwips)), std::max(1, TwipsToPixels(heightTwips)));
}

QString MainForm::CurrentFormat() const {
    return LFMT[0]->text();
}
void MainForm::SetCurrentFormat(const QString& name) {
    LFMT[0]->setText(name);
}
double MainForm::PaperWidthMm() const {
    return Val(Wid->text());
}
double MainForm::PaperHeightMm() const {
    return Val(Hie->text());
}

int MainForm::O2Value(int i) const {
    if (i < 0 || i > 4) return 0;
    switch (O2[i]->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        default:
            return 0;
    }
}

void MainForm::SetO2Value(int i, int value) {
    if (i < 0 || i > 4) return;
    if (value == 2) O2[i]->setTristate(true);
    const Qt::CheckState s =
        value == 1 ? Qt::Checked : (value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    O2[i]->setCheckState(s);  // a change runs the option's handler
}

double MainForm::ZoomRatio() const {
    return frameWidth_ > 0 ? PG->Width() / frameWidth_ : 1.0;
}

double MainForm::ScreenWidthTwips() const {
    if (screenWidth_ > 0) return screenWidth_;
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? PixelsToTwips(s->geometry().width()) : 15360;
}

void MainForm::SetCommandEnabled(QObject* command, bool enabled) {
    if (!command) return;
    if (auto* w = qobject_cast<QWidget*>(command)) {
        w->setEnabled(enabled);
    } else if (auto* a = qobject_cast<QAction*>(command)) {
        a->setEnabled(enabled);
    }
}

MainForm& MF() {
    auto& mf = instance();
    if (!mf) mf = new MainForm;
    return *mf;
}

void ResetMF(MainForm* form) {
    if (instance() != form) delete instance().data();
    instance() = form;
}

}  // namespace bw
