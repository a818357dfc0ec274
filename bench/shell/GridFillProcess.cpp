// A whole process that does what the program does to show a large history: opens the data
// file in the given data folder, fills a grid of table 账目 from SQL and fits its columns,
// then ends. Run by the grid benchmark beside the sqlite3 command line.

#include <QApplication>

#include "common/GridFunctions.h"
#include "common/Indicator.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"

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
    bw::Grid g;
    bw::SetupGrid(g, {"ID", "", "名称", "金额", "日期", "已付", "备注", "数量", "单价", "地址"},
                  {"ID", "序号", "名称", "金额", "日期", "已付", "备注", "数量", "单价", "地址"});
    g.SetTag("账目");
    bw::FillGridFromSql(g, QString(), "ID");
    return g.Rows() - g.FixedRows() == 30000 ? 0 : 1;
}
