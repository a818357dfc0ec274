#pragma once
// The web format list "可供下载的格式模板": the formats the web service offers, kept in table
// 网站格式 so that the window opens without a request once the list is there; a preview of
// the ticked format's picture, a search in categories and names, and the download and
// import of the chosen format. Shown without blocking, one at a time.

#include <QDialog>
#include <QString>
#include <array>

#include "platform/Http.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;

namespace bw {

class Grid;
class GridView;

class FmtDown : public QDialog {
    Q_OBJECT
public:
    explicit FmtDown(QWidget* parent = nullptr);
    ~FmtDown() override;

    GridView* MSF;
    std::array<QPushButton*, 3> COM{};  // 0 更新列表, 1 导入格式, 2 search
    QComboBox* SKey;
    QFrame* Frm;
    QLabel* Img;
    QScrollBar* VS;
    QLabel* LBL;
    Grid& grid() const;

    // Restores the window's place, fills the list (fetching it when the table is empty) and
    // the keyword history.
    void Form_Load();
    void Form_Unload();
    void Form_Resize();
    // One row ticked, the current one, and its picture shown (fetched into Temp once).
    void MSF_RowColChange();
    void COM_Click(int index);

    // The window open now, or a new one, shown (null when it was closed while it fetched its
    // first list).
    static FmtDown* Show(QWidget* parent = nullptr);
    static FmtDown* Current();

    // Esc: closes the window as its close button does.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True once the window is closed or gone: its requests end then.
    HttpCancelHook closedHook();
    bool busy_ = false;  // a transfer of this window runs: the buttons wait for it
    bool unloaded_ = false;
    QString failedPreview_;  // the picture path whose preview failed last, told already
};

}  // namespace bw
