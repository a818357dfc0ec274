#pragma once
// The worksheet choice of a workbook import ("选择要导入数据所在的工作表"): one row per
// worksheet, the first ticked; a press on a row ticks it (in mode "1" unticking the others)
// or unticks it; OK leaves the ticked names in ImportSheetNames.

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace bw {

class Grid;
class GridView;

class Sheets : public QDialog {
    Q_OBJECT
public:
    explicit Sheets(QWidget* parent = nullptr);
    ~Sheets() override;

    QLabel* Label1;
    Grid* SHLGrid;  // No., 选择, 工作表名称
    GridView* SHL;
    std::array<QPushButton*, 2> Img{};  // OK, cancel
    QString Tag;                        // the choice mode: "1" = one sheet

    // Lists the worksheets of ImportFileName, the first ticked. A workbook that cannot be
    // read shows "无法打开XLS文件！" and gives false.
    bool Form_Load();
    // A press at y (twips of the grid) ticks or unticks the row there.
    void SHL_MouseDown(int button, int shift, double x, double y);
    // Any button: ImportSheetNames becomes the ticked names (OK) or "" (others); closes.
    void Img_Click(int index);
};

}  // namespace bw
