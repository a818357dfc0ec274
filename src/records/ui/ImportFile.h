#pragma once
// The first step of a batch import: the data file, and for a workbook the worksheet, that
// the mapping dialog then reads.

#include <QString>

class QWidget;

namespace bw {

// The chosen data file's path as chosen ("" = none), and the ticked worksheet names joined
// with kSheetSeparator ("" = none).
inline QString ImportFileName;
inline QString ImportSheetNames;
inline const QString kSheetSeparator = QStringLiteral("‖");

// The open-file dialog; an empty filter becomes the workbook and CSV filter (the argument
// too). The chosen path, "" when cancelled.
QString OpenFileDialog(QString& filter);

// Asks for the data file; for any file not ending in ".csv" then the worksheet (form
// Sheets, choice mode `mode`: 1 = one sheet), waiting until that form has closed.
void ChooseImportFile(int mode);

// Shows the mapping dialog when a file is chosen and, for a workbook, a worksheet.
void OpenImportMap(QWidget* parent);

// The import command of the batch tab: ChooseImportFile(1), then OpenImportMap.
void ImportBatchData(QWidget* parent);

}  // namespace bw
