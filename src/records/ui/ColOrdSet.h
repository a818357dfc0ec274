#pragma once
// The column order dialog of the history grid ("列排序"): which input boxes of the open
// format are shown as columns, and in which order. Nothing is stored until OK, which saves
// the order as the format's parameter "<format>_列顺序" and reloads the history grid.

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace bw {

class Grid;
class GridView;

class ColOrdSet : public QDialog {
    Q_OBJECT
public:
    explicit ColOrdSet(QWidget* parent = nullptr);
    ~ColOrdSet() override;

    // Opens the dialog without blocking; it deletes itself when closed.
    static ColOrdSet* Show(QWidget* parent);

    QLabel* Label1;  // "列顺序："
    Grid* MSFGrid;   // ID, 序号, 显示, 名称
    GridView* MSF;
    std::array<QPushButton*, 4> COM{};  // move up, move down, OK, cancel

    // Lists the open format's input boxes: the saved order first, ticked, then the others
    // unticked; all ticked when no order is saved.
    void DispColList(Grid& m);
    // Stores the IDs of the ticked rows, top to bottom, joined with ";", as the order of the
    // format the list was made for (even when another format was opened meanwhile).
    void SaveOrdList(Grid& m);
    void COM_Click(int index);
    void MSF_MouseDown(int button, int shift, double x, double y);

    void Form_Load();

private:
    QString format_;  // the format whose boxes are listed
};

// Swaps the texts of two rows in every column but the position numbers.
void ExchangMSFRow(Grid& m, int r1, int r2);

}  // namespace bw
