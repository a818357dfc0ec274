// The main window's command buttons and menus.

#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <functional>

#include "barcode/StrCodeStand.h"
#include "filling/ProgramContext.h"
#include "filling/SetNumCutMethod.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "records/PictureRefresh.h"
#include "shell/GridFunctions.h"
#include "shell/Indicator.h"
#include "shell/MainHooks.h"
#include "shell/MainLinks.h"
#include "shell/MainWindow.h"
#include "shell/Passwords.h"
#include "shell/PrintCommands.h"
#include "shell/Rightform.h"
#include "shell/TabStrip.h"
#include "store/BoxModel.h"
#include "store/BoxToRow.h"
#include "store/Canvas.h"
#include "store/Common.h"
#include "store/Database.h"
#include "store/FormatOperations.h"
#include "store/FormatTable.h"
#include "store/Globals.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/Params.h"
#include "store/PictureBox.h"
#include "store/Schema.h"
#include "store/TextFiles.h"

namespace bw {

namespace {

QStringList distinctFormats(const QString& sql) {
    QStringList names;
    Recordset rs;
    OpenRecordset(rs, sql);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) names << rs.Text(QStringLiteral("Fmt"));
    CloseRecordset(rs);
    return names;
}

// Every picture box shows its picture or barcode again (after the barcode standard changed).
void redrawPictureBoxes() {
    for (PictureBox* box : MF().II) {
        const QString text = box->LinkItem;
        RefreshPictureBox(box, text);
    }
}

}  // namespace

bool MainWindow::CommandHasWork(int index) {
    switch (index) {
        case 0:
        case 1:
        case 36:
            return PrintCommandsReady();
        default:
            return false;
    }
}

void MainWindow::buildMenus() {
    MainForm& mf = MF();
    QMenuBar* bar = menuBar();
    auto item = [this](QMenu* menu, const QString& text, const char* name, bool available,
                       std::function<void()> run) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        if (run) connect(a, &QAction::triggered, this, [run] { run(); });
        if (!available) markUnavailable(a);
        return a;
    };

    QMenu* print = bar->addMenu(QStringLiteral("打印(&P)"));
    print->setObjectName(QStringLiteral("mPrint"));
    m_PCom[0] = item(print, QStringLiteral("打印当前单据"), "m_PCom0", PrintCommandsReady(),
                     [this] { m_PCom_Click(0); });
    m_PCom[1] = item(print, QStringLiteral("打印所有单据"), "m_PCom1", PrintCommandsReady(),
                     [this] { m_PCom_Click(1); });

    QMenu* format = bar->addMenu(QStringLiteral("格式(&F)"));
    format->setObjectName(QStringLiteral("mFormat"));
    mNewFmt = item(format, QStringLiteral("新建格式"), "mNewFmt", false, nullptr);
    m_FCom[30] =
        item(format, QStringLiteral("选择格式"), "m_FCom30", true, [] { SelectFormat(QString()); });
    m_FCom[31] =
        item(format, QStringLiteral("保存格式"), "m_FCom31", true, [this] { SaveFormatCommand(); });
    m_FCom[32] = item(format, QStringLiteral("另存格式"), "m_FCom32", true,
                      [this] { SaveFormatAsCommand(); });
    mManageFmt = item(format, QStringLiteral("管理格式"), "mManageFmt", true,
                      [] { SelectFormat(QString()); });
    format->addSeparator();
    mExportFmt = item(format, QStringLiteral("导出格式"), "mExportFmt", false, nullptr);
    mImportFmt = item(format, QStringLiteral("导入格式"), "mImportFmt", false, nullptr);
    DownFmt = item(format, QStringLiteral("下载格式"), "DownFmt", false, nullptr);

    mCtlSame = bar->addMenu(QStringLiteral("内容框设置(&C)"));
    mCtlSame->setObjectName(QStringLiteral("mCtlSame"));
    QMenu* align = mCtlSame->addMenu(QStringLiteral("内容框对齐"));
    for (const char* t : {"左对齐", "右对齐", "顶端对齐", "底部对齐"})
        item(align, QString::fromUtf8(t), "mAlign", false, nullptr);
    QMenu* size = mCtlSame->addMenu(QStringLiteral("内容框尺寸"));
    for (const char* t : {"统一宽度", "统一高度", "统一尺寸"})
        item(size, QString::fromUtf8(t), "mSameSize", false, nullptr);
    mf.mCtlSame = mCtlSame->menuAction();
    markUnavailable(mf.mCtlSame);

    QMenu* options = bar->addMenu(QStringLiteral("设置"));
    options->setObjectName(QStringLiteral("mOptions"));
    options->addAction(mf.mSetPaper);
    options->addAction(mf.mDiTuPrint);
    options->addAction(mf.mPrintRulers);
    connect(mf.mPrintRulers, &QAction::triggered, this, &MainWindow::mPrintRulers_Click);
    options->addAction(mf.mMonthZero);
    options->addSeparator();
    mSetCrlfChr = item(options, QStringLiteral("设置换行特殊符"), "mSetCrlfChr", true,
                       [this] { mSetCrlfChr_Click(); });
    mStrBarCodeStand = item(options, QStringLiteral("设置条码标准"), "mStrBarCodeStand", true,
                            [this] { StrCodeStand::Show(this); });
    mSetCashChr = item(options, QStringLiteral("设置货币符号"), "mSetCashChr", true,
                       [this] { mSetCashChr_Click(); });
    mNumCut = item(options, QStringLiteral("设置小数进位"), "mNumCut", true,
                   [this] { SetNumCutMethod::Show(this); });
    mInvoicePSDSet =
        item(options, QStringLiteral("设置票据密码"), "mInvoicePSDSet", false, nullptr);
    options->addSeparator();
    options->addAction(mf.mAutoFontsize);
    options->addAction(mf.mPagesAutoJump);
    options->addAction(mf.mClearAfterPrint);
    options->addAction(mf.mForbidPicClear);
    options->addSeparator();
    mPSDSet = item(options, QStringLiteral("登录密码设置"), "mPSDSet", true, [] { ShowModiPSD(); });

    QMenu* tools = bar->addMenu(QStringLiteral("工具"));
    tools->setObjectName(QStringLiteral("mToolMenu"));
    mTool[0] =
        item(tools, QStringLiteral("检查凭据外内容框"), "mTool0", true, [this] { mTool_Click(0); });
    mTool[1] =
        item(tools, QStringLiteral("压缩整理数据库"), "mTool1", true, [this] { mTool_Click(1); });
    mAddTable = item(tools, QStringLiteral("添加表格"), "mAddTable", false, nullptr);

    QMenu* help = bar->addMenu(QStringLiteral("帮助(&H)"));
    help->setObjectName(QStringLiteral("mHelp"));
    // The wizard and the format guide have no pages behind them, and no contact addresses
    // are kept; those items stay disabled.
    mWizard = item(help, QStringLiteral("打印校准向导"), "mWizard", false, nullptr);
    mModeFmt = item(help, QStringLiteral("如何定制格式"), "mModeFmt", false, nullptr);
    mMoreHelp = item(help, QStringLiteral("使用说明"), "mMoreHelp", true,
                     [] { ShellOpen(AppFile(QStringLiteral("BWF.CHM"))); });
    mQQOnline1 = item(help, QStringLiteral("QQ帮助 1"), "mQQOnline1", false, nullptr);
    mQQOnline2 = item(help, QStringLiteral("QQ帮助 2"), "mQQOnline2", false, nullptr);
    help->addSeparator();
    mAbout = item(help, QStringLiteral("关于软件"), "mAbout", true, [] { ShowRightform(); });
    // The help file is offered only when it is there.
    connect(help, &QMenu::aboutToShow, this, [this] {
        mMoreHelp->setEnabled(QFileInfo::exists(AppFile(QStringLiteral("BWF.CHM"))));
    });
}

void MainWindow::connectServices() {
    StrCodeStand::SetRedrawHandler(redrawPictureBoxes);
    ProgramContext& ctx = TheProgramContext();
    ctx.monthZero = [] { return MF().mMonthZero->isChecked(); };
    ctx.formatName = [] { return MF().CurrentFormat(); };
}

void MainWindow::COM_Click(int index) {
    MainForm& mf = MF();
    QPushButton* print = COM.count(0) ? COM[0] : nullptr;
    QPushButton* batch = COM.count(1) ? COM[1] : nullptr;
    const bool batchWasEnabled = batch && batch->isEnabled();
    const bool printing = index == 0 || index == 1;
    if (printing) {
        if (print) print->setEnabled(false);
        if (batch) batch->setEnabled(false);
    }
    switch (index) {
        case 0:
            // A print asked while the printer choice is open is ignored.
            if (!IsFormOpen(QStringLiteral("选择")) && RunPrintCommand(0)) {
                mf.MSF[2]->SetTag(QString());
                const bool complete =
                    !MainHooks().jumpToNextPage || MainHooks().jumpToNextPage(mf.CurrentFormat());
                if (complete && mf.mClearAfterPrint->isChecked()) {
                    if (MainHooks().clearBill) MainHooks().clearBill();
                    if (MainHooks().fillNewBillValues) MainHooks().fillNewBillValues();
                }
            }
            break;
        case 1:
            RunPrintCommand(1);
            mf.MSF[2]->SetTag(QString());
            break;
        case 4: {
            Grid& g = *mf.MSF[1];
            mf.HS->setValue(g.Row() - g.FixedRows() + 1);
            SST->SetTab(0);
            break;
        }
        case 11: {
            Grid& g = *mf.MSF[1];
            int first = g.Row(), last = g.RowSel();
            DeleteGridRows(g, first, last, true);
            if (MainLinks().setupBatchRows) MainLinks().setupBatchRows(g);
            break;
        }
        case 12:
            ClearGrid(*mf.MSF[1], true);
            break;
        case 36:
            RunPrintCommand(36);
            break;
        default:
            break;  // the work of the other buttons is not in this build
    }
    if (printing) {
        mf.SetCommandEnabled(print, true);
        mf.SetCommandEnabled(batch, batchWasEnabled);
    }
}

void MainWindow::m_PCom_Click(int index) {
    COM_Click(index);
}

void MainWindow::mTool_Click(int index) {
    MainForm& mf = MF();
    if (index == 0) {
        // Pulls every box that lies (partly) outside the bill back onto it.
        const int w = static_cast<int>(mf.PG->Width()), h = static_cast<int>(mf.PG->Height());
        ShowProgress(QStringLiteral("正在检查所有内容框..."), 5, 0);
        for (int kind = 0; kind <= 4; ++kind) {
            for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
                BoxControl* box = GetBoxByIndex(i);
                if (!box) continue;
                if (auto* line = dynamic_cast<Line*>(box)) {
                    auto clamp = [](int v, int hi) { return v < 0 ? 0 : (v > hi ? hi : v); };
                    const int x1 = clamp(line->X1(), w), x2 = clamp(line->X2(), w);
                    const int y1 = clamp(line->Y1(), h), y2 = clamp(line->Y2(), h);
                    if (x1 != line->X1() || y1 != line->Y1() || x2 != line->X2() ||
                        y2 != line->Y2()) {
                        line->SetEnds(x1, y1, x2, y2);
                        UpdateRowFromBox(line);
                    }
                    continue;
                }
                const int left = box->Left(), top = box->Top();
                if (box->Left() < 0 && box->Top() < 0) box->Move(0, 300);
                if (box->Left() < 0) box->SetLeft(0);
                if (box->Left() > w - box->Width()) box->SetLeft(w - box->Width());
                if (box->Top() < 0) box->SetTop(0);
                if (box->Top() > h - box->Height()) box->SetTop(h - box->Height());
                if (box->Left() != left || box->Top() != top) {
                    if (kind <= kPictureBox) PlaceBoxLabel(box);
                    UpdateRowFromBox(box);
                }
            }
            UpdateProgress(1, QStringLiteral("pages"));
        }
        CloseProgress();
    } else if (index == 1) {
        // Drops the rows of formats that lost their whole-format row and the default
        // contents of formats that are gone, then compacts the file.
        QStringList a = distinctFormats(QStringLiteral("SELECT Fmt FROM Fmt GROUP BY Fmt"));
        QStringList b = distinctFormats(QStringLiteral("SELECT Fmt FROM 默认 GROUP BY Fmt"));
        Recordset rs;
        OpenRecordset(rs, QStringLiteral("SELECT Fmt FROM Fmt WHERE LBL=?"), {kWholeFormatLabel});
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            const QString name = rs.Text(QStringLiteral("Fmt"));
            for (QString& e : a)
                if (e == name) e.clear();
            for (QString& e : b)
                if (e == name) e.clear();
        }
        CloseRecordset(rs);
        for (QString& e : a)
            if (!e.isEmpty()) DeleteFormat(e);
        for (const QString& e : b)
            if (!e.isEmpty()) ExecuteSql(QStringLiteral("DELETE FROM 默认 WHERE Fmt=?"), {e});
        CompactDataFile();
    }
}

void MainWindow::mSetCashChr_Click() {
    // Cancel keeps the sign; an empty answer given with OK clears it.
    const auto answer =
        dlg::InputBox(QStringLiteral("请输入本单据的货币符号："), QString(), CurrencySign);
    if (answer) CurrencySign = *answer;
}

void MainWindow::mSetCrlfChr_Click() {
    const QString current = GetRegValue(QStringLiteral("BWF"), QStringLiteral("Para"),
                                        QStringLiteral("CrlfChr"), QStringLiteral("//"));
    const auto answer =
        dlg::InputBox(QStringLiteral("请输入表示回车的表示字符串"), QString(), current);
    if (!answer || answer->isEmpty()) return;
    SaveRegValue(QStringLiteral("BWF"), QStringLiteral("Para"), QStringLiteral("CrlfChr"), *answer);
    LineBreakMark = *answer;
}

void MainWindow::mPrintRulers_Click() {
    SaveRegValue(QStringLiteral("BWF"), QStringLiteral("Validate"), QStringLiteral("mPrintRulers"),
                 MF().mPrintRulers->isChecked() ? QStringLiteral("1") : QString());
}

void MainWindow::SaveFormatCommand() {
    mTool_Click(0);
    QString name = MF().CurrentFormat();
    // Without an open format there is no name to save under (the empty name is the
    // application's own row): ask for one.
    if (name.isEmpty()) {
        SaveFormatAs(name);
        return;
    }
    SaveFormat(MF().BoxGrid(), name);
}

void MainWindow::SaveFormatAsCommand() {
    mTool_Click(0);
    QString name;
    SaveFormatAs(name);
}

}  // namespace bw
