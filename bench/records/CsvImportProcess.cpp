// A whole process that does what the program does when the clerk imports rows of a CSV file
// into the batch: in a data folder of its own, a format of ten text boxes open, the mapping
// dialog shown on the file (its sample read), columns A to J mapped to the boxes and rows
// FIRST to LAST imported by OK. Then it reports its peak memory and ends. Run by the CSV
// memory benchmark on a small and on a large file, and on a file with a quote that never
// ends beside the same file without it. Without FIRST and LAST only the mapping dialog is
// shown. The import should give RECORDS records (LAST - FIRST + 1 unless given); with 0 it
// should stop with a message.
//
//     csv_import_process FILE [FIRST LAST [RECORDS]]

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include "ChildProcess.h"
#include "common/Database.h"
#include "common/Indicator.h"
#include "common/Schema.h"
#include "platform/AppFolder.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "platform/Settings.h"
#include "records/BatchRows.h"
#include "records/ui/ImportFile.h"
#include "records/ui/InputMap.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/RowToBox.h"

namespace {

const QString kFormat = QStringLiteral("批量导入");
constexpr int kBoxes = 10;

void OpenFormatOfTenBoxes() {
    bw::ExecuteSql(QStringLiteral("INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, "
                                  "210, 140, 10, 10, 15360, '')"),
                   {kFormat, bw::kWholeFormatLabel});
    for (int i = 0; i < kBoxes; ++i)
        bw::ExecuteSql(
            QStringLiteral("INSERT INTO Fmt(Fmt, LBL, X, Y, W, H, fName, fSize, Clas, "
                           "Cash) VALUES(?, ?, ?, ?, 90, 10, '宋体', 10.5, 0, 0)"),
            {kFormat, QStringLiteral("列%1").arg(i + 1), 5 + (i % 2) * 100, 5 + (i / 2) * 12});
    bw::MainForm& mf = bw::MF();
    mf.SetCurrentFormat(kFormat);
    QString name = kFormat;
    bw::LoadWholeFormatRow(name);
    mf.PG->SetWidth(mf.FrameWidth());
    bw::LoadBoxesIntoGrid(mf.BoxGrid(), name);
    bw::ReloadFormatBoxes(mf.BoxGrid(), false);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4 && argc != 5) return 2;
    // As the program does at its start.
    if (qEnvironmentVariableIsEmpty("TZ")) qputenv("TZ", ":/etc/localtime");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    bw::SetSettingsFolder(dir.filePath(QStringLiteral("settings")));
    bw::SetAppPath(dir.filePath(QStringLiteral("data")));
    int messages = 0;
    bw::dlg::SetAnswerer([&messages](const bw::dlg::Shown&) {
        ++messages;
        return QVariant(bw::dlg::Ok);
    });
    // The program shows the progress window of an operation only once it has run this long.
    bw::SetProgressShowDelay(bw::kProgramProgressShowDelayMs);
    if (!bw::EnsureDatabase()) return 3;
    OpenFormatOfTenBoxes();

    bw::ImportFileName = QString::fromLocal8Bit(argv[1]);
    bw::InputMap* map = bw::InputMap::Show(nullptr);
    if (argc == 2) {
        const bool sampled = !map->M0Grid->TextMatrix(1, 1).isEmpty();
        bench::ReportPeakMemory();
        return sampled && messages == 0 ? 0 : 1;
    }
    for (int i = 0; i < kBoxes; ++i)
        map->M1Grid->SetTextMatrix(map->M1Grid->FixedRows() + i, 4, bw::ColumnLetters(i + 1));
    map->T[0]->setText(QString::fromLocal8Bit(argv[2]));
    map->T[1]->setText(QString::fromLocal8Bit(argv[3]));
    map->T[2]->setText(QStringLiteral("1"));
    map->COM_Click(0);
    const int records = bw::BatchRecordCount(*bw::MF().MSF[1]);
    bench::ReportPeakMemory();
    const int expected = argc == 5 ? atoi(argv[4]) : atoi(argv[3]) - atoi(argv[2]) + 1;
    return records == expected && (expected > 0) == (messages == 0) ? 0 : 1;
}
