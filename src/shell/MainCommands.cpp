// The main window's command buttons and menus.

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <functional>

#include "barcode/StrCodeStand.h"
#include "common/Common.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/GridFunctions.h"
#include "common/Indicator.h"
#include "common/Params.h"
#include "common/Schema.h"
#include "common/TextFiles.h"
#include "designer/Alignment.h"
#include "designer/AutoTable.h"
#include "designer/FormSize.h"
#include "filling/FillingServices.h"
#include "filling/PsdParaSet.h"
#include "filling/SetNumCutMethod.h"
#include "library/FormatCommands.h"
#include "library/FormatFile.h"
#include "library/LibraryServices.h"
#include "library/ui/FmtDown.h"
#include "library/ui/FmtList.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "printing/LabelSettings.h"
#include "records/BatchRows.h"
#include "records/GridExport.h"
#include "records/GridSearch.h"
#include "records/History.h"
#include "records/HistoryGrid.h"
#include "records/RecordsServices.h"
#include "records/ui/AnalyseWindow.h"
#include "records/ui/ColOrdSet.h"
#include "records/ui/HistoryReprint.h"
#include "records/ui/ImportFile.h"
#include "shell/MainWindow.h"
#include "shell/Passwords.h"
#include "shell/PrintCommands.h"
#include "shell/Rightform.h"
#include "shell/TabStrip.h"
#include "store/BoxModel.h"
#include "store/BoxToRow.h"
#include "store/BoxTools.h"
#include "store/Canvas.h"
#include "store/FormatOperations.h"
#include "store/FormatTable.h"
#include "store/Line.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"
#include "store/StoreServices.h"

namespace bw {

namespace {

// Every picture box shows its picture or barcode again (after the barcode standard changed).
void redrawPictureBoxes() {
    for (PictureBox* box : MF().II) {
        const QString text = box->LinkItem;  // the refresh clears LinkItem first
        RefreshPictureBox(box, text);
    }
}

}  // namespace

void MainWindow::buildMenus() {
    MainForm& mf = MF();
    QMenuBar* bar = menuBar();
    // An item without work to run is shown disabled.
    auto item = [this](QMenu* menu, const QString& text, const char* name,
                       std::function<void()> run) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        if (run) {
            connect(a, &QAction::triggered, this, [run] { run(); });
        } else {
            a->setEnabled(false);
        }
        return a;
    };

    QMenu* print = bar->addMenu(QStringLiteral("打印(&P)"));
    print->setObjectName(QStringLiteral("mPrint"));
    m_PCom[0] = item(print, QStringLiteral("打印当前单据"), "m_PCom0", [this] { m_PCom_Click(0); });
    m_PCom[1] = item(print, QStringLiteral("打印所有单据"), "m_PCom1", [this] { m_PCom_Click(1); });

    QMenu* format = bar->addMenu(QStringLiteral("格式(&F)"));
    format->setObjectName(QStringLiteral("mFormat"));
    mNewFmt = item(format, QStringLiteral("新建格式"), "mNewFmt", [] { mNewFmt_Click(); });
    m_FCom[30] =
        item(format, QStringLiteral("选择格式"), "m_FCom30", [] { SelectFormat(QString()); });
    m_FCom[31] =
        item(format, QStringLiteral("保存格式"), "m_FCom31", [this] { SaveFormatCommand(); });
    m_FCom[32] =
        item(format, QStringLiteral("另存格式"), "m_FCom32", [this] { SaveFormatAsCommand(); });
    mManageFmt =
        item(format, QStringLiteral("管理格式"), "mManageFmt", [] { SelectFormat(QString()); });
    format->addSeparator();
    mExportFmt =
        item(format, QStringLiteral("导出格式"), "mExportFmt", [] { ExportFormatFile(QString()); });
    mImportFmt =
        item(format, QStringLiteral("导入格式"), "mImportFmt", [] { ImportFormatFile(QString()); });
    DownFmt = item(format, QStringLiteral("下载格式"), "DownFmt", [this] { FmtDown::Show(this); });

    mCtlSame = bar->addMenu(QStringLiteral("内容框设置(&C)"));
    mCtlSame->setObjectName(QStringLiteral("mCtlSame"));
    QMenu* align = mCtlSame->addMenu(QStringLiteral("内容框对齐"));
    QMenu* size = mCtlSame->addMenu(QStringLiteral("内容框尺寸"));
    const std::pair<const char*, int> modes[] = {{"左对齐", 1},   {"右对齐", 2},   {"顶端对齐", 0},
                                                 {"底部对齐", 3}, {"统一宽度", 4}, {"统一高度", 5}};
    for (const auto& [caption, mode] : modes)
        item(mode < 4 ? align : size, QString::fromUtf8(caption), "mAlign",
             [mode = mode] { AlignSelectedBoxes(mode); });
    item(size, QStringLiteral("统一尺寸"), "mAlignSize", [] { AlignSize(); });
    mf.mCtlSame = mCtlSame->menuAction();

    QMenu* options = bar->addMenu(QStringLiteral("设置"));
    options->setObjectName(QStringLiteral("mOptions"));
    options->addAction(mf.mSetPaper);
    options->addAction(mf.mDiTuPrint);
    options->addAction(mf.mPrintRulers);
    connect(mf.mPrintRulers, &QAction::triggered, this, &MainWindow::mPrintRulers_Click);
    options->addAction(mf.mMonthZero);
    options->addSeparator();
    mSetCrlfChr = item(options, QStringLiteral("设置换行特殊符"), "mSetCrlfChr",
                       [this] { mSetCrlfChr_Click(); });
    mStrBarCodeStand = item(options, QStringLiteral("设置条码标准"), "mStrBarCodeStand",
                            [this] { mStrBarCodeStand_Click(); });
    mSetCashChr = item(options, QStringLiteral("设置货币符号"), "mSetCashChr",
                       [this] { mSetCashChr_Click(); });
    mNumCut = item(options, QStringLiteral("设置小数进位"), "mNumCut",
                   [this] { SetNumCutMethod::Show(this); });
    mInvoicePSDSet = item(options, QStringLiteral("设置票据密码"), "mInvoicePSDSet",
                          [this] { PsdParaSet::Show(this); });
    options->addSeparator();
    options->addAction(mf.mAutoFontsize);
    options->addAction(mf.mPagesAutoJump);
    options->addAction(mf.mClearAfterPrint);
    options->addAction(mf.mForbidPicClear);
    options->addSeparator();
    mPSDSet = item(options, QStringLiteral("登录密码设置"), "mPSDSet", [] { ShowModiPSD(); });

    QMenu* tools = bar->addMenu(QStringLiteral("工具"));
    tools->setObjectName(QStringLiteral("mToolMenu"));
    mTool[0] =
        item(tools, QStringLiteral("检查凭据外内容框"), "mTool0", [this] { mTool_Click(0); });
    mTool[1] = item(tools, QStringLiteral("压缩整理数据库"), "mTool1", [this] { mTool_Click(1); });
    mAddTable = item(tools, QStringLiteral("添加表格"), "mAddTable", [] { ShowAutoTable(); });

    QMenu* help = bar->addMenu(QStringLiteral("帮助(&H)"));
    help->setObjectName(QStringLiteral("mHelp"));
    // The wizard and the format guide have no pages behind them, no help file is shipped and
    // the program keeps no contact links: those items are shown disabled.
    mWizard = item(help, QStringLiteral("打印校准向导"), "mWizard", nullptr);
    mModeFmt = item(help, QStringLiteral("如何定制格式"), "mModeFmt", nullptr);
    mMoreHelp = item(help, QStringLiteral("使用说明"), "mMoreHelp", nullptr);
    mQQOnline1 = item(help, QStringLiteral("QQ帮助 1"), "mQQOnline1", nullptr);
    mQQOnline2 = item(help, QStringLiteral("QQ帮助 2"), "mQQOnline2", nullptr);
    help->addSeparator();
    mAbout = item(help, QStringLiteral("关于软件"), "mAbout", [] { ShowRightform(); });
}

void MainWindow::connectServices() {
    InstallStoreServices();
    InstallFillingServices();
    InstallRecordsServices();
    InstallLibraryServices();
    InstallLibraryUiServices();
    AttachFormatLabelEvents(MF().LFMT[0]);
}

void MainWindow::COM_Click(int index) {
    switch (index) {
        case 0:
        case 1:
            PrintButton_Click(index);
            break;
        case 2:
            ShowFormSize();
            break;
        case 3:
            FindInGrid(*MF().MSF[1], KW1->text());
            break;
        case 10:
            ImportBatchData(this);
            break;
        case 24:
            FindInGrid(*MF().MSF[2], KWord->text());
            break;
        case 4:
            ShowSelectedBatchRecord();
            SST->SetTab(0);
            break;
        case 11:
            DeleteSelectedBatchRows();
            break;
        case 12:
            ClearGrid(*MF().MSF[1], true);
            break;
        case 36:
            RunPrintCommand(36);
            break;
        case 5:
            ExportGrid(*MF().MSF[1], QStringLiteral("Bellweft打印批量数据"));
            break;
        case 20:
            PrintHistoryBills(*MF().MSF[2], [this] { SST->SetTab(0); });
            break;
        case 21:
            DeleteHistoryRows(*MF().MSF[2]);
            break;
        case 22:
            DeleteAllHistoryRows(*MF().MSF[2]);
            break;
        case 23:
            ExportGrid(*MF().MSF[2], QStringLiteral("Bellweft打印历史数据"));
            break;
        case 25:
            LoadHistoryGrid(*MF().MSF[2], MF().CurrentFormat(), 0);
            break;
        case 26:
            AnalyseWindow::Show(this);
            break;
        case 27:
            ColOrdSet::Show(this);
            break;
        default:
            break;
    }
}

void MainWindow::m_PCom_Click(int index) {
    COM_Click(index);
}

void MainWindow::mTool_Click(int index) {
    if (index == 0) PullBoxesOntoBill();
    if (index == 1) CleanUpDataFile();
}

void MainWindow::mStrBarCodeStand_Click() {
    connect(StrCodeStand::Show(this), &StrCodeStand::StandardChanged, this,
            &MainWindow::RedrawBarcodes, Qt::UniqueConnection);
}

void MainWindow::RedrawBarcodes() {
    redrawPictureBoxes();
    if (SST->Tab() == 3) TNum_Change(1);
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
