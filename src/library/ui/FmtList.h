#pragma once
// The local format list "选择/管理格式模板": every format of the store in a grid with a
// preview of its picture; choose, import, export and delete formats and search the names.
// It is the format chooser of SelectFormat(""): the answer is left in ChosenItem.

#include <QDialog>
#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;

namespace bw {

class GridView;
class Grid;

class FmtList : public QDialog {
    Q_OBJECT
public:
    explicit FmtList(QWidget* parent = nullptr);
    ~FmtList() override;

    GridView* MSF;
    // 0 选择, 1 退出, 2 下载更多…, 3 导入, 4 删除, 5 导出, 6 search.
    std::array<QPushButton*, 7> COM{};
    QComboBox* SKey;
    QFrame* Frm;
    QLabel* Img;
    QScrollBar* VS;
    QLabel* LBL;

    Grid& grid() const;

    // Restores the window's place, fills the grid (current format red), loads the keywords.
    void Form_Load();
    // Stores the window's place and the keywords.
    void Form_Unload();
    void Form_Resize();
    // The tick and the preview follow the current row (not while rows are being deleted).
    void MSF_RowColChange();
    void COM_Click(int index);
    // Esc in the keyword box: after a question the keyword history is cleared.
    void SKey_KeyDown(int keyCode);

    // Esc: leaves without a choice, as the window's close button does.
    void reject() override;

    // The window open now, or null (for tests that drive it).
    static FmtList* Current();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leave();
    void deleteSelected();
    QString rowName(int row) const;
    bool active_ = false;
    bool unloaded_ = false;
    bool answered_ = false;
};

// Shows the format list and waits until it is closed; the chosen name ("" when none).
QString RunFmtList();

// Makes the format list the format chooser of SelectFormat("").
void InstallLibraryUiServices();

}  // namespace bw
