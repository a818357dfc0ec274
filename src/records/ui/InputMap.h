#pragma once
// The import mapping dialog ("导入数据映射"), second step of a batch import: a sample of the
// chosen file, one row per text, check and picture box of the open format in which the user
// types the box's column spec, the row range, the rows per record and the key column. OK
// reads the file into the batch grid and shows the first record; closing, whichever way,
// stores the specs per format in table 映射 and the four settings under BWF\Marvenset.

#include <QDialog>
#include <array>

#include "records/BatchRows.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace bw {

class Grid;
class GridView;

// The most rows one import may span.
inline constexpr int kMaxImportRows = 30000;

class InputMap : public QDialog {
    Q_OBJECT
public:
    explicit InputMap(QWidget* parent = nullptr);
    ~InputMap() override;

    // Creates, loads and shows the dialog (application-modal, not blocking); it deletes
    // itself when closed.
    static InputMap* Show(QWidget* parent);

    Grid* M0Grid;  // the file's sample: 20 rows, 60 columns, letters and numbers as headers
    Grid* M1Grid;  // Index, ID, 序号, 输入框内容, 对应列号
    GridView* M0;
    GridView* M1;
    QLineEdit* TT;                      // the in-cell editor of column 4 of M1 (CellEditor)
    std::array<QLineEdit*, 4> T{};      // first row, last row, rows per record, key column
    QLabel* LBL;                        // how to write a column spec
    std::array<QPushButton*, 2> COM{};  // OK, cancel

    void Form_Load();
    // The sample of ImportFileName in the preview grid; a file neither ".csv" nor ".xls"
    // is refused with a message and ImportFileName becomes "".
    void PreviewImportFile(Grid& m);
    void SetMapGridHeader(Grid& m);
    // One row per text, check and picture box, in that order, each kind by index.
    void FillMapGrid(Grid& m);
    // The format's stored specs into column 4 (by the rows' record IDs) and the stored
    // settings into T(0)..T(3) (an empty setting keeps the box's text).
    void LoadImportMap(Grid& m);
    // The non-empty specs of column 4 as the format's rows of 映射, and T(0)..T(3) trimmed.
    void SaveImportMap(Grid& m);
    // The column specs from column 4, taken by row position (trimmed).
    ColumnSpecs BuildColumnSpecs() const;
    // 0 OK (imports when a usable file is chosen), any other index cancels; both close.
    void COM_Click(int index);
    // A click in the mapping grid: over column 4 of a data row the editor opens on the cell.
    void M1_Click();
    void TT_Change();

    // Esc: as the cancel button, the specs are stored and the dialog closes.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Stores the specs once, whichever way the dialog closes.
    void saveOnce();
    bool saved_ = false;
};

// The help text of the dialog with the line-break mark in place of "//".
QString ColumnSpecHelpText(const QString& lineBreakMark);

}  // namespace bw
