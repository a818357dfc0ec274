// The main window's life: what it does when it loads, resizes and unloads, its timers and
// the tab switch.

#include <QApplication>
#include <QGroupBox>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "common/Common.h"
#include "common/Globals.h"
#include "common/GridFunctions.h"
#include "common/Params.h"
#include "common/TwipGeometry.h"
#include "filling/DataEntry.h"
#include "library/FormatTree.h"
#include "library/NewVersion.h"
#include "platform/GridView.h"
#include "platform/VbNumbers.h"
#include "printing/LabelSettings.h"
#include "records/Defaults.h"
#include "records/HistoryGrid.h"
#include "shell/MainWindow.h"
#include "shell/TabStrip.h"
#include "shell/WindowLayout.h"
#include "store/BoxModel.h"
#include "store/CanvasOptions.h"
#include "store/FormatOperations.h"
#include "store/FormatRows.h"
#include "store/MainForm.h"

namespace bw {

MainWindow* ShowMainWindow() {
    if (MainWindow* w = TheMainWindow()) {
        w->show();
        w->raise();
        return w;
    }
    auto* w = new MainWindow;
    w->Form_Load();
    return w;
}

void MainWindow::Form_Load() {
    EnsureAppFolder(QStringLiteral("Temp"));
    LineBreakMark = GetRegValue(QStringLiteral("BWF"), QStringLiteral("Para"),
                                QStringLiteral("CrlfChr"), QStringLiteral("//"));
    ResetNewVersion();
    InitBoxModule();
    LayoutMainForm();
    SetFormatCaption(LoadAppOptionsRow());
    QString name = MF().CurrentFormat();
    bool force = true;
    SelectFormat(name, force);
    LoadFormatTree();
    PrintCopies = 1;
    NumCutMethod = CInt(Val(GetParam(QStringLiteral("NumCutMethod"))));
    NewEditionTimer->start();
}

void MainWindow::Form_Resize() {
    // The format tree waits beyond the frame's left edge, as high as the frame below the
    // zoom buttons.
    MainForm& mf = MF();
    if (!TV || !mf.Zm[0]) return;
    SetTwTop(TV, TwHeight(mf.Zm[0]) - 15);
    SetTwHeight(TV, MF().FrameHeight() - TwTop(TV) - 15);
    SetTwLeft(TV, -TwWidth(TV));
}

void MainWindow::SaveSoftSettings() {
    QString value;
    for (int i = 0; i < 5; ++i) value += QString::number(MF().O2Value(i)) + QStringLiteral("§☆§");
    SaveRegValue(QStringLiteral("BWF"), QStringLiteral("Validate"),
                 QStringLiteral("DefaultSoftSet"), value);
}

void MainWindow::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    AutoFind->stop();
    NewEditionTimer->stop();
    if (!SaveDefaultData(MF().CurrentFormat())) TellDefaultsNotSaved(MF().CurrentFormat());
    SaveSoftSettings();
    QString current;
    SaveAppOptionsRow(current);
    // The program ends with this window: every other window goes without its own closing,
    // so that this one is the last to close.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->hide();
}

void MainWindow::NewEditionTimer_Timer() {
    NewEditionTimer->stop();
    const VersionCheck check = CheckNewVersion(windowTitle(), 48);
    if (check == VersionCheck::Deferred) NewEditionTimer->start();  // busy: in another 10 s
    if (check == VersionCheck::UpdateStarted) close();
}

void MainWindow::AutoFind_Timer() {
    AutoFindTick();
}

void MainWindow::SST_Click(int) {
    for (int i = 0; i < SST->Tabs(); ++i) SST->Page(i)->setVisible(false);
    const int t = SST->Tab();
    if (t == 1 || t == 2) {
        GridView* g = MSF[t];
        QWidget* page = Pic[t];
        SetTwLeft(g, -10);
        SetTwWidth(g, TwWidth(page));
        SetTwHeight(g, TwHeight(page) - TwTop(g));
        // The grid knows its width before its columns are fitted (at most half of it each).
        g->SyncSize();
        if (t == 2) LoadHistoryGrid(*MF().MSF[2], MF().CurrentFormat(), 300);
    } else if (t == 3) {
        // Under the preview, which takes the grid's place beside the settings column.
        SetTwWidth(MSF[3], TwWidth(Pic[3]) - TwWidth(Frm[3]) + 30);
        SetTwHeight(MSF[3], TwHeight(Pic[3]) - TwTop(MSF[3]));
        LoadLabelSettings();
    }
    if (QWidget* page = SST->Page(t)) page->setVisible(true);
    // Fitted once shown, when the grid knows its width: headers whole.
    if (t == 3) AutoFitGridColumns(this, MF().BoxGrid(), 1, false);
}

}  // namespace bw
