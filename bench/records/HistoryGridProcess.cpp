// A whole process that does what the program does when the clerk shows the whole history:
// opens the data file in the given data folder, fills the history grid with every bill of
// the benchmark's format and fits its columns, then ends. Run by the history grid benchmark
// beside the sqlite3 command line.

#include <QApplication>

#include "common/Indicator.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "records/HistoryGrid.h"
#include "store/MainForm.h"

#include "HistoryGridData.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    // As the program does at its start.
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", ":/etc/localtime");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bw::SetAppPath(QString::fromLocal8Bit(argv[1]));
    bw::dlg::SetAnswerer([](const bw::dlg::Shown&) { return QVariant(); });
    // The program shows the progress window of an operation only once it has run this long.
    bw::SetProgressShowDelay(bw::kProgramProgressShowDelayMs);
    bw::Grid& g = *bw::MF().MSF[2];
    bw::LoadHistoryGrid(g, bench::kHistoryFormat, 0);
    return g.Rows() - g.FixedRows() == 10000 ? 0 : 1;
}
