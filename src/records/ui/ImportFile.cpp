#include "records/ui/ImportFile.h"

#include "platform/Dialogs.h"
#include "platform/ShowAndWait.h"
#include "records/CsvImport.h"
#include "records/ui/ImportSheets.h"
#include "records/ui/InputMap.h"

namespace bw {

QString OpenFileDialog(QString& filter) {
    if (filter.isEmpty())
        filter = QStringLiteral(
            "Microsoft Office Excel 工作簿(*.xls)|*.xls|CSV (逗号分隔)(*.csv)|*.csv");
    return dlg::OpenFileName(filter);
}

void ChooseImportFile(int mode) {
    ImportFileName.clear();
    ImportSheetNames.clear();
    QString filter;
    const QString name = OpenFileDialog(filter);
    ImportFileName = name;
    if (name.isEmpty() || HasExtension(name, QStringLiteral(".csv"))) return;
    auto* sheets = new Sheets(nullptr);
    sheets->setAttribute(Qt::WA_DeleteOnClose);
    sheets->Tag = QString::number(mode);
    if (!sheets->Form_Load()) {
        sheets->close();
        return;
    }
    ShowAndWait(sheets);
}

void OpenImportMap(QWidget* parent) {
    if (ImportFileName.isEmpty()) return;
    if (!HasExtension(ImportFileName, QStringLiteral(".csv")) && ImportSheetNames.isEmpty()) return;
    InputMap::Show(parent);
}

void ImportBatchData(QWidget* parent) {
    ChooseImportFile(1);
    OpenImportMap(parent);
}

}  // namespace bw
