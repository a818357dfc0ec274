#pragma once
// The table generator "生成表格": the rules of a table of rows and columns between two
// corners in millimetres, added as line boxes.

#include <QDialog>
#include <QString>
#include <array>
#include <optional>
#include <vector>

class QLineEdit;
class QPushButton;

namespace bw {

// One rule in millimetres.
struct TableRule {
    double x1, y1, x2, y2;
};

// The rules of a table from (x0, y0) to (x1, y1) with rows r and columns c: round(r) + 1
// horizontal rules top to bottom, then round(c) + 1 vertical rules left to right (halves to
// even), spaced by the span over the count as given, so 2.5 rows over 50 mm are 20 mm apart.
// nullopt with the reason when the counts are not above 0.
std::optional<std::vector<TableRule>> TableRules(double x0, double y0, double x1, double y1,
                                                 double rows, double cols, QString* reason);

// Adds one line box from (x1, y1) to (x2, y2) mm and writes its grid row.
void AddTableLine(double x1, double y1, double x2, double y2);

class AutoTable : public QDialog {
    Q_OBJECT
public:
    explicit AutoTable(QWidget* parent = nullptr);

    // 0 x0, 1 y0, 2 x1, 3 y1 (mm), 4 rows, 5 columns; preset 10, 10, 50, 50, 2, 2.
    std::array<QLineEdit*, 6> T{};
    QPushButton* COM[2];

    // 0 adds the rules and closes (refused counts or too many lines: a message, nothing added,
    // the dialog stays); 1 closes.
    void COM_Click(int index);
};

// Shows the dialog without blocking, with its presets (one at a time).
AutoTable* ShowAutoTable();

}  // namespace bw
